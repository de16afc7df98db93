#include "shell/frames/FindModalForm.h"

#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/DialogKinds.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/frames/FindList.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"


TFindModalForm::TFindModalForm(QWidget* parent)
    : TModalForm(parent)
{
    SetButtonBarVisible(false);
    connect(DBMain(), &TDBMainInfo::Changed, this, &TFindModalForm::DBMainChangeEvent);
}

TFindModalForm::~TFindModalForm() = default;

void TFindModalForm::DBMainChangeEvent()
{
    if (m_frame || ClosedBeforeShown())
        return;
    TDialogKind kind;
    DialogKinds::PickKind(DBMain()->ObjType, &kind);
    m_frame = Screens::CreatePickFrame(DBMain()->ObjType, FramePanel());
    if (!m_frame) {
        CloseWithCancel();
        return;
    }
    setWindowTitle(kind.Caption);
    m_frame->SetMasterDBInfo(DBMain());
    PlaceFrame(m_frame);
}

void TFindModalForm::AOkExecute()
{
    auto* list = dynamic_cast<TFindList*>(m_frame);
    if (!list || IsEmptyId(list->CurObjId()))
        return;
    TDBMainInfo* current = list->GetCurrentObjInfo();
    if (!current)
        return;
    DBMain()->Assign(current);
    accept();
}
