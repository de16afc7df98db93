#include "finance/BuchInOutFrame.h"

#include "finance/EditBuchInOut.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/TimeEdit.h"
#include "store/ObjectKinds.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {
constexpr int LinkedObjectsPicture = 40;
}

TBuchInOutFrame::TBuchInOutFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    setObjectName(u"BuchInOutFrame"_s);
    SetBuchShown(false);
}

TBuchInOutFrame::~TBuchInOutFrame() = default;

void TBuchInOutFrame::CreateEditFrame()
{
    auto* editor = new TEditBuchInOut(this);
    SetEditFrame(editor, editor->db_DTStart()->eDT());
}

void TBuchInOutFrame::FillSections()
{
    if (GroupIndex() == DopInfoGroup)
        AddSection(OperationSection::LinkedObjects, LinkedObjectsPicture, u"Объекты, связанные с платежом"_s);
}

TBaseDBFrame* TBuchInOutFrame::CreateSectionFrame(int code, QWidget* parent)
{
    return Screens::CreateSection(Kind::MoneyOperation, code, parent);
}

TEditBuchInOut* TBuchInOutFrame::Editor() const
{
    return qobject_cast<TEditBuchInOut*>(EditFrame());
}
