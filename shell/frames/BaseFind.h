#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "shell/widgets/DBGrid.h"
#include "shell/frames/FindList.h"
#include "shell/frames/LinksWindow.h"

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QAction;
class QComboBox;
class QHeaderView;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class TMyDataBase;
class TGradientPanel;
class TOptionList;

/// The object remembered for linking: dragged over a list, or picked by its new action.
struct TDropObject
{
    QString Id;
    int Kind = 0;
    QPointer<TMyDataBase> Database;

    void Clear();
    bool IsEmpty() const;
};

/**
 * \brief The one list frame of the system: a statement over AllInfo shown in a TMyDBGrid, a quick find and
 * an extended filter editor, the command bar, opening, creating, deleting and linking objects through the
 * main window, and linking by dragging a row onto a card section.
 *
 * Lists specialise it by overriding its virtual operations: the statement (GetSelectSQL), the filter rows
 * and how they become conditions (ParseOptionList, GetWhereSQL), what may be dropped on it and how it is
 * linked (CanLinkObject, LinkObject), and the rest below. A failing statement leaves the list empty.
 */
class TBaseFind : public TBaseDBFrame, public TFindList
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBaseFind)

public:
    /// Called with the current row on every change of the row.
    using TDSChangeEvent = std::function<void(const TListRow& row)>;
    using TNotifyEvent = std::function<void()>;

    static constexpr int QueryDelayMs = 150;
    inline static const QString DefaultOrder = QStringLiteral("Str1, Str2, Str3");
    /// \a order made total: ended with \a key (the row's own id) unless it ends with it already, \a key
    /// alone for a blank order. Rows that share every other value then keep one place, page after page.
    static QString TotalOrder(const QString& order, const QString& key = QStringLiteral("AllInfo.ObjId"));

    explicit TBaseFind(QWidget* parent = nullptr);
    ~TBaseFind() override;

    // Properties
    const QString& sqlOrder() const { return m_sqlOrder; }
    void SetsqlOrder(const QString& order) { m_sqlOrder = order; }
    TDSChangeEvent DSChange;
    TNotifyEvent OnQAfterOpen;
    bool FullFindMode() const { return m_fullFindMode; }
    void SetFullFindMode(bool full);
    bool GridDraged() const { return m_gridDraged; }
    void SetGridDraged(bool draged) { m_gridDraged = draged; }
    bool VisiblePrevPanel() const { return m_visiblePrevPanel; }
    void SetVisiblePrevPanel(bool visible);

    // State
    const QString& CurObjId() const override { return m_curObjId; }
    const QString& CurLinkId() const { return m_curLinkId; }
    const QString& LinkFieldName() const { return m_linkFieldName; }
    void SetLinkFieldName(const QString& name) { m_linkFieldName = name; }
    const QString& LinkObjId() const { return m_linkObjId; }
    const QString& WhereExt() const { return m_whereExt; }
    const TDropObject& DropObj() const { return m_dropObj; }
    TDBMainInfo* FindOptions() const { return m_findOptions; }
    /// The database the list reads: its master's (the current database when the master names none).
    TMyDataBase* QueryDatabase() const;

    // Virtual operations, in the order the lists know them.
    /// Run as the list sends its statement (each rerun once); base nothing.
    virtual void QueryStarted();
    /// Run when the current row's object is read anew from the database; base nothing.
    virtual void CurObjInfoLoaded();
    virtual void aDelExecute();
    virtual bool SelectInDialog();
    virtual void QueryAfterOpen();
    virtual void EnableActions();
    virtual bool DeleteObject(const QString& id);
    virtual bool IsDirectDelete();
    virtual QString GetSelectSQL();
    virtual void SetFindField(int index, const QString& text);
    virtual QString GetWhereSQL();
    virtual void ParseBriefFind();
    virtual void ParseOptionList();
    virtual void VisiblePrevPanelChanged();
    virtual bool LinkObject();
    virtual void InitFindMode();
    TDBMainInfo* GetCurrentObjInfo() override;
    virtual bool CanLinkObject(const TDBMainInfo& info, QString& reason);
    virtual void PrepareOpenMenu();
    /// The row the cursor goes to when the rows were read without an object to stand on; base the first.
    virtual int FirstRow();
    void RunQuery(const QString& id) override;

    /// Focuses the option list in extended mode, else the quick-find edit.
    void FocusFind() override;

    void LoadData() override;

    // Event handlers
    void tbBriefClick();
    void ToolButton3Click();
    void eFindChange();
    /// Enter in the quick-find edit or the option list opens; true when the key was handled.
    bool eFindKeyDown(int key);
    /// Enter opens, Delete deletes; true when the key was handled.
    bool GridKeyDown(int key);
    /// Pops the list's menu ppMenu up under the current row (the menu key, Shift+F10).
    void PopupListMenu();
    void GridDblClick();
    /// Whether a mouse move with these buttons and keys starts dragging the current row.
    bool DragAllowed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const;
    void GridMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    /// Whether a row dragged from \a source may be dropped here; remembers the object when it may.
    bool GridDragOver(QObject* source);
    /// The drag of this list's row ended over \a target.
    void GridEndDrag(QObject* target);
    void DSDataChange();
    void FrameResize();
    void HeaderSectionResize(int section);
    bool OptionListDrawCell(QPainter& painter, const QRect& rect, int row, int column, bool selected);
    void InitTimerQueryTimer();
    void aNewExecute(QObject* sender);
    void aNew_Execute();
    void aOpen_Execute();
    void aOpenExecute();
    void aDel_Execute();
    void miDelLinkClick();
    virtual void aCopyExecute();
    virtual void aPrintExecute();
    void aRefreshExecute();
    void aLinksExecute();
    void miOpenLinkObjectClick();
    void miOpenLinksClick();

    /// The list a grid belongs to, nullptr when it is no list's grid.
    static TBaseFind* ListOfGrid(QObject* grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    /// The keys and clicks of the edit, the grid and its rows that run the list's commands; true when
    /// \a event was used up.
    bool CommandEvent(QObject* watched, QEvent* event);
    /// Objects of the listed kind were saved or deleted somewhere: the rows are read anew, on the same row.
    void ObjectsSaved();

    /// Opens the object \a id: in the pick dialog selects it; kinds edited in a dialog are edited (and the
    /// list reruns on them when saved); every other kind opens its card.
    void OpenObjectById(const QString& id);
    /// Makes \a handler the one \a action runs, in place of the base's: a list creating several kinds binds
    /// aNew to aNew_Execute, one opening a third object binds miOpenLinkObject to miOpenLinkObjectClick,
    /// one deleting link rows binds miDelRole to miDelLinkClick.
    void Bind(QAction* action, void (TBaseFind::*handler)());
    /// Pops \a menu up under \a button.
    void PopupUnder(QMenu* menu, QWidget* button);
    void BeginDrag();
    /// The record of the pick dialog hosting the list, nullptr outside one.
    TDBMainInfo* DialogRecord() const;
    /// Closes the hosting dialog with OK.
    void AcceptDialog();
    /// Asks the main window for the linked-objects window (nullptr when it offers none).
    TLinksWindow* RequestLinksWindow();

    // Components
    TMyDBGrid* Grid;
    QHeaderView* Header;
    QWidget* hFindResult;
    QLabel* hFindResultCaption;
    QLabel* hFindResultCount;
    QWidget* Panel2;
    QToolBar* tBarFind;
    QToolButton* tbBrief;
    QToolButton* ToolButton3;
    TGradientPanel* BriefFind;
    QComboBox* eFind;
    QToolBar* tbarConfigGrp;
    QToolButton* tbEditGroup;
    QWidget* FullFind;
    QHeaderView* FindHeader;
    TOptionList* OptionList;
    QLabel* FindPicture;
    QLabel* FindCaption;
    QToolBar* tbMain;
    QToolButton* tbNew;
    QToolButton* tbOpen;
    QToolButton* tbDel;
    QToolButton* tbCopy;
    QToolButton* tbPrint;
    QToolButton* tbRefresh;
    QToolButton* tbLinks;
    QAction* aNew;
    QAction* aOpen;
    QAction* aDel;
    QAction* aCopy;
    QAction* aPrint;
    QAction* aRefresh;
    QAction* aLinks;
    QMenu* ppMenu;
    QMenu* pmNew;
    QMenu* pmOpen;
    QAction* miOpenLinkObject;
    QAction* miOpenLinks;
    QMenu* pmDel;
    QAction* miDelRole;
    QAction* miDelEvent;
    QTimer* InitTimerQuery;

    QString m_linkObjId;
    QString m_whereExt;
    TDropObject m_dropObj;

private:
    QAction* MakeAction(const QString& name, const QString& caption, const QString& hint, bool visible);
    QToolButton* MakeButton(const QString& name, QAction* action);
    void BuildLayout();
    int ResizeColumn() const;

    TDBMainInfo* m_findOptions;
    TDBMainInfo* m_curObjInfo;
    QString m_sqlOrder;
    bool m_fullFindMode = false;
    bool m_gridDraged = false;
    bool m_visiblePrevPanel = false;
    QString m_curObjId;
    QString m_curLinkId;
    QString m_linkFieldName = QStringLiteral("LinkId");
    TLinksWindow* m_linksWindow = nullptr;
    QPointer<QWidget> m_linksWindowAlive;
    int m_savedHandle = 0;
    int m_savedKind = 0;
    bool m_fitting = false;
    QPoint m_pressPosition;
};
