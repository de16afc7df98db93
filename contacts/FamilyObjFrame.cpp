#include "contacts/FamilyObjFrame.h"

#include "contacts/EditFamily.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectKinds.h"

#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

TFamilyObjFrame::TFamilyObjFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    SetBuchShown(true);
}

TFamilyObjFrame::~TFamilyObjFrame() = default;

void TFamilyObjFrame::CreateEditFrame()
{
    auto* editor = new TEditFamily(this);
    SetEditFrame(editor, editor->mComments());
}

void TFamilyObjFrame::FillSections()
{
    switch (GroupIndex()) {
    case DopInfoGroup:
        AddSection(FamilySection::Children, 45, u"Дети"_s);
        AddSection(FamilySection::Notes, 5, u"Заметки"_s);
        break;
    case BuchGroup:
        AddSection(FamilySection::Finance, 27, u"Фин. операции с этой семьей"_s);
        break;
    default:
        break;
    }
}

TBaseDBFrame* TFamilyObjFrame::CreateSectionFrame(int code, QWidget* parent)
{
    return Screens::CreateSection(Kind::Family, code, parent);
}
