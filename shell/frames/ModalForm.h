#pragma once

#include "shell/frames/BaseForm.h"
#include "shell/widgets/PictureList.h"

#include <QStringList>

class QAction;
class QHBoxLayout;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class TGradientPanel;

/**
 * \brief A modal dialog hosting one frame over a bottom bar with "Записать" (Enter) and "Закрыть" (Esc),
 * kept centred whatever the dialog's width.
 *
 * Run it with ShowModal(): a dialog closed with Cancel before it was shown (its kind had no frame) then
 * answers Rejected without ever appearing.
 */
class TModalForm : public TBaseForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TModalForm)

public:
    /// Asked before input typed into an object is thrown away, by the dialog and by the object's card.
    inline static const QString ChangedQuestion = QStringLiteral(
        "Объект изменен\rДа - сохранить изменения\rНет - закрыть без сохранения\rОтмена - не закрывать");

    explicit TModalForm(QWidget* parent = nullptr);
    ~TModalForm() override;

    /// Shows the dialog modally; QDialog::Accepted or QDialog::Rejected.
    int ShowModal();
    /// Closes the dialog with Cancel, also before it was shown.
    void CloseWithCancel();
    /// Whether the dialog was closed with Cancel before it was shown.
    bool ClosedBeforeShown() const { return m_closedBeforeShown; }

    /// Saves DBMain; a save that returns 0 closes the dialog with OK, any other keeps it open.
    virtual void AOkExecute();
    /// "Закрыть" and Esc: an open pop-up (a completion list) is closed first, alone; input typed into the
    /// frame is thrown away only after ChangedQuestion (when the dialog asks it): Yes saves, Cancel stays.
    void ACloseExecute();
    /// Whether closing asks before throwing typed input away (dialogs that edit an object).
    bool AsksBeforeDiscard() const { return m_asksBeforeDiscard; }
    void SetAsksBeforeDiscard(bool asks) { m_asksBeforeDiscard = asks; }
    /// Whether the frame's edits, boxes and lists differ from what they showed when the dialog appeared.
    bool InputChanged() const;

    void SetButtonBarVisible(bool visible);
    bool ButtonBarVisible() const;

    QAction* AOk() const { return m_aOk; }
    QAction* AClose() const { return m_aClose; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    /// Where the hosted frame goes.
    TGradientPanel* FramePanel() const { return m_framePanel; }
    /// The height of the button bar when it is shown, else 0.
    int ButtonBarHeight() const;
    void CentreButtons();
    /// Puts \a frame into the frame panel and sizes the dialog to it.
    void PlaceFrame(QWidget* frame);
    /// Sizes the dialog to \a frame's size plus the button bar when it is shown.
    void SizeToFrame(QWidget* frame);

private:
    /// The values of the frame's input controls, in the order they were made.
    QStringList InputState() const;
    /// Closes an open pop-up of the dialog; false when none was open.
    bool ClosePopup();
    /// Asks about typed input; true when the dialog may be thrown away (it may have been saved instead).
    bool ConfirmDiscard();

    TGradientPanel* m_framePanel;
    QVBoxLayout* m_frameLayout;
    TGradientPanel* m_pMenu;
    QHBoxLayout* m_menuLayout;
    QToolBar* m_menu;
    TPictureList m_icons;
    QAction* m_aOk;
    QAction* m_aClose;
    QToolButton* m_tbSave;
    QToolButton* m_tbCancel;
    bool m_closedBeforeShown = false;
    bool m_asksBeforeDiscard = false;
    bool m_shownOnce = false;
    QStringList m_shownState;
};
