#pragma once

#include "shell/mainwindow/MainBroker.h"
#include "store/ObjectEvents.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QStackedWidget;
class QTimer;
class QToolBar;
class QToolButton;
class TGradientPanel;
class TMyDataBase;
class TMyDBServerList;
class TWinListForm;

/**
 * \brief The main window: the eight main lists and three quick lists in the side panel, the object cards
 * in the object area with their window list, and the broker every frame sends its requests to.
 *
 * 100 ms after it was made it opens the current database from the settings file (on an installed program's
 * first start it offers to make one first); when that fails it says so and emits Terminate. It installs
 * itself as the frames' broker and as the object-events listener for its lifetime, and owns the current
 * database, the database list, the side lists and the cards.
 */
class TMain final : public QMainWindow, public TMainBroker, public TObjectEvents
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMain)

public:
    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    static constexpr int StartDelayMs = 100;
    /// The width the side panel takes of a window \a windowWidth wide: one third of what the strip leaves.
    static int SidePanelWidth(int windowWidth);

    // Requests
    /// Opens the object's card (asking first when it is open already), or edits the kinds that have no
    /// card; 1 when such an edited object was saved, else 0.
    int OpenObject(TDBMainInfo& record);
    /// Edits \a record in the edit dialog; true (and \a record holds the result) when saved.
    bool EditObject(TDBMainInfo& record);
    /// Picks an object of \a record's kind in the pick dialog; true (and \a record holds it) when picked.
    bool PickObject(TDBMainInfo& record);
    /// Asks whether to delete \a record and deletes it with everything depending on it; true when deleted.
    bool ConfirmDelete(TDBMainInfo& record);
    /// Shows the side list of \a picture, creating it the first time.
    void ShowSideList(int picture);

    // TMainBroker
    int Request(TMainMessage message, TDBMainInfo& record) override;
    void WinListAdd(TBaseDBFrame* card) override;
    void WinListUpdate(TBaseDBFrame* card) override;
    TLinksWindow* NewLinksWindow() override;
    TBaseDBFrame* NewNoteLinks(QWidget* owner) override;
    int IsDialogKind(int kind) override;
    TMyDBServerList* DatabaseList() override { return m_serverList.get(); }

    // TObjectEvents (WM_OBJECTSAVED)
    void ObjectSaved(int kind) override;

    /// The start-up step of TimerInit: opens the current database, builds the database list, shows the
    /// birthdays list.
    void TimerInitTimer();
    /// Whether the start-up step ran and the database opened.
    bool IsStarted() const { return m_started; }
    TMyDataBase* Database() const { return m_database.get(); }
    TWinListForm* WinList() const { return m_winList; }

    void tbCommonTabClick();
    void tbOpenWindowsClick();
    void tbCloseObjClick();
    void tbHelpClick();
    void aSettingsExecute();

Q_SIGNALS:
    /// The program cannot go on (no usable database); the application should end.
    void Terminate();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildTopBar();
    void BuildPanels();
    QAction* MakeListAction(const QString& name, const QString& caption, const QString& hint, int picture,
                            const QKeySequence& shortcut);
    QToolButton* MakeQuickButton(const QString& name, const QString& hint, int picture);
    QWidget* DialogParent();
    QString NewCardName() const;

    QWidget* Panel2 = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QToolButton* tbCommonTab = nullptr;
    QWidget* cBarCommon = nullptr;
    QToolBar* ToolBar5 = nullptr;
    QToolBar* ToolBar6 = nullptr;
    QToolButton* tbSettings = nullptr;
    QToolButton* tbSets = nullptr;
    QToolButton* tbHelp = nullptr;
    QToolBar* ToolBar7 = nullptr;
    QToolButton* tbOpenWindows = nullptr;
    QToolButton* tbCloseObj = nullptr;
    TGradientPanel* GradientPanel1 = nullptr;
    QToolBar* ToolBar8 = nullptr;
    QStackedWidget* m_sideLists = nullptr;
    TGradientPanel* GradientPanel2 = nullptr;
    TGradientPanel* ObjExplorer = nullptr;
    QStackedWidget* m_cards = nullptr;
    QTimer* TimerInit = nullptr;
    QAction* aSettings = nullptr;
    TWinListForm* m_winList = nullptr;

    std::unique_ptr<TMyDataBase> m_database;
    std::unique_ptr<TMyDBServerList> m_serverList;
    bool m_started = false;
    TMainBroker* m_previousBroker = nullptr;
    TObjectEvents* m_previousEvents = nullptr;
};
