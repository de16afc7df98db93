#pragma once

#include "shell/frames/BaseForm.h"
#include "shell/widgets/PictureList.h"

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
    void ACloseExecute();

    void SetButtonBarVisible(bool visible);
    bool ButtonBarVisible() const;

    QAction* AOk() const { return m_aOk; }
    QAction* AClose() const { return m_aClose; }

protected:
    void resizeEvent(QResizeEvent* event) override;
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
};
