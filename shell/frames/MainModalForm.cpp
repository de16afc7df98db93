#include "shell/frames/MainModalForm.h"

#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/DialogKinds.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/GradientPanel.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

TMainModalForm::TMainModalForm(QWidget* parent)
    : TModalForm(parent)
{
    connect(DBMain(), &TDBMainInfo::Changed, this, &TMainModalForm::DBMainChangeEvent);
}

TMainModalForm::~TMainModalForm() = default;

void TMainModalForm::DBMainChangeEvent()
{
    if (m_frame || ClosedBeforeShown())
        return;
    TDialogKind kind;
    const bool known = DialogKinds::EditKind(*DBMain(), &kind);
    m_frame = Screens::CreateEditFrame(DBMain()->ObjType, FramePanel());
    if (!m_frame) {
        CloseWithCancel();
        return;
    }
    setWindowTitle(kind.Caption);
    if (known) {
        SetButtonBarVisible(!kind.ButtonBarHidden);
        if (!kind.OkCaption.isEmpty())
            AOk()->setText(kind.OkCaption);
    }
    // Dialogs that only choose or show something have nothing to lose on closing.
    SetAsksBeforeDiscard(!Kind::IsDialogKind(DBMain()->ObjType) && ButtonBarVisible());
    m_frame->SetLinkMode(1);
    m_frame->SetMasterDBInfo(DBMain());
    PlaceFrame(m_frame);
    if (kind.FollowsFrameSize)
        connect(m_frame, &TBaseDBFrame::AfterResize, this, &TMainModalForm::FrameResized);
}

void TMainModalForm::FrameResized()
{
    // Sizing the dialog resizes the frame again; that second notice changes nothing.
    if (!m_frame || m_sizing)
        return;
    m_sizing = true;
    SizeToFrame(m_frame);
    m_sizing = false;
}
