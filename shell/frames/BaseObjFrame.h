#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "shell/widgets/PictureList.h"

#include <QPointer>
#include <QString>

class QAction;
class QHeaderView;
class QStandardItemModel;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class TGradientPanel;
class TMyStringGrid;

/**
 * \brief The object card: on the left the object's own edit frame with the save and print buttons, the
 * three group buttons and the list of the group's sections; on the right the frame of the chosen section,
 * most often a list of the objects linked to this one.
 *
 * The card keeps its object in its own master record; the edit frame (and the extra list under it, where a
 * card has one) is linked to that record, so saving the record saves the edit frame's fields. A card class
 * says which edit frame it shows (CreateEditFrame), which sections each group offers (FillSections) and
 * which frame a section shows (CreateSectionFrame). The card joins the main window's window list as it is
 * made.
 */
class TBaseObjFrame : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBaseObjFrame)

public:
    /// The groups of sections, numbered as the group buttons.
    enum TSectionGroup : int {
        DopInfoGroup = 0, ///< "Дополнительные данные"
        FamilyGroup = 1,  ///< "Семья и родственники, соседи"
        BuchGroup = 2,    ///< "Финансовые операции"
    };

    static constexpr int SectionRowHeight = 34;
    static constexpr int IconColumnWidth = 34;
    static constexpr int ExtraListHeight = 128;

    explicit TBaseObjFrame(QWidget* parent = nullptr);
    ~TBaseObjFrame() override;

    // Virtual operations, in the order the cards know them.
    /// Makes the edit frame (SetEditFrame) and, for a card that has one, the extra list (SetExtraList).
    virtual void CreateEditFrame();
    /// Adds the sections of GroupIndex() with AddSection.
    virtual void FillSections();
    /// The frame that shows section \a code, parented to \a parent; nullptr when the section shows nothing.
    virtual TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent);

    /// The first load builds the card (edit frame, extra list, group 0); every load refreshes the card's
    /// row in the window list.
    void LoadData() override;

    /// Appends a section row (the one empty row is taken first).
    void AddSection(int code, int icon, const QString& caption);

    // Handlers
    /// Saves the card's record (the edit frame validates and stores first), then shows the group anew so
    /// that its sections see a new object's id.
    void aSaveExecute();
    virtual void aPrintExecute();
    /// Shows the section of the current row.
    void GridClick();
    /// Selects group \a index (0-2): its sections, and the first of them.
    void tbBuchClick(int index);
    void ObjPanelResize();
    void FrameResize();

    /// Room for the object's side as its parts ask, and as much again for the section.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // State
    int GroupIndex() const { return m_group; }
    TBaseDBFrame* EditFrame() const { return m_editFrame; }
    TBaseDBFrame* ExtraList() const { return m_extraList; }
    /// The frame of the section shown, nullptr when the section shows nothing.
    TBaseDBFrame* SectionFrame() const { return m_sectionFrame; }
    /// The control the card focuses when it is shown.
    QWidget* FocusControl() const { return m_focusControl; }
    /// The code of the section shown; 0 when none.
    int CurrentSection() const;
    /// The section codes and captions of the current group, in order.
    QList<int> SectionCodes() const;
    QString SectionCaption(int code) const;
    /// Shows section \a code of the current group; false when the group has none.
    bool ShowSection(int code);

    // Components
    QWidget* ObjPanel() const { return m_objPanel; }
    TGradientPanel* OP() const { return m_op; }
    QToolBar* Menu() const { return m_menu; }
    QToolButton* tbSave() const { return m_tbSave; }
    QToolButton* tbPrint() const { return m_tbPrint; }
    QToolBar* tbarOptions() const { return m_tbarOptions; }
    QToolButton* tbDopInfo() const { return m_tbDopInfo; }
    QToolButton* tbFamily() const { return m_tbFamily; }
    QToolButton* tbBuch() const { return m_tbBuch; }
    QHeaderView* Header() const { return m_header; }
    QString HeaderText() const;
    TMyStringGrid* Grid() const { return m_grid; }
    TGradientPanel* GradientPanel1() const { return m_gradientPanel1; }
    QWidget* SectionPanel() const { return m_sectionPanel; }
    QAction* aSave() const { return m_aSave; }
    QAction* aPrint() const { return m_aPrint; }

protected:
    /// Takes \a frame (parented by the card) as the edit frame and \a focus as the control to focus.
    void SetEditFrame(TBaseDBFrame* frame, QWidget* focus);
    /// Takes \a list (parented by the card) as the list under the edit frame.
    void SetExtraList(TBaseDBFrame* list);
    /// Which group buttons and which print action the card shows.
    void SetFamilyShown(bool shown);
    void SetBuchShown(bool shown);
    void SetPrintShown(bool shown);


private:
    void BuildLayout();
    QToolButton* MakeGroupButton(const QString& name, const QString& hint, int picture, int index);
    void BuildCard();
    void FreeSectionFrame();
    void UpdateWindowList();

    QWidget* m_objPanel = nullptr;
    TGradientPanel* m_op = nullptr;
    QVBoxLayout* m_opLayout = nullptr;
    QVBoxLayout* m_objLayout = nullptr;
    QWidget* m_cBarFin = nullptr;
    QToolBar* m_menu = nullptr;
    QToolButton* m_tbSave = nullptr;
    QToolButton* m_tbPrint = nullptr;
    QWidget* m_coolBar1 = nullptr;
    QToolBar* m_tbarOptions = nullptr;
    QToolButton* m_tbDopInfo = nullptr;
    QToolButton* m_tbFamily = nullptr;
    QToolButton* m_tbBuch = nullptr;
    QHeaderView* m_header = nullptr;
    QStandardItemModel* m_headerModel = nullptr;
    TMyStringGrid* m_grid = nullptr;
    TGradientPanel* m_gradientPanel1 = nullptr;
    QWidget* m_sectionPanel = nullptr;
    QVBoxLayout* m_sectionLayout = nullptr;
    QAction* m_aSave = nullptr;
    QAction* m_aPrint = nullptr;

    // The grid's own picture list: its rows show pictures of the shared list, and the grid keeps a blank
    // picture per row in this one.
    TPictureList m_rowPictures;
    QPointer<TBaseDBFrame> m_editFrame;
    QPointer<TBaseDBFrame> m_extraList;
    QPointer<TBaseDBFrame> m_sectionFrame;
    QPointer<QWidget> m_focusControl;
    int m_group = DopInfoGroup;
    bool m_filling = false;
};
