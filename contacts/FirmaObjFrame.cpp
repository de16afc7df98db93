#include "contacts/FirmaObjFrame.h"

#include "contacts/EditFirma.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

TFirmaObjFrame::TFirmaObjFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    SetBuchShown(true);
}

TFirmaObjFrame::~TFirmaObjFrame() = default;

void TFirmaObjFrame::CreateEditFrame()
{
    auto* editor = new TEditFirma(this);
    SetEditFrame(editor, editor->eName());
}

void TFirmaObjFrame::FillSections()
{
    switch (GroupIndex()) {
    case DopInfoGroup: {
        AddSection(FirmaSection::HowConnect, 39, u"Как связаться с организацией"_s);
        // A branch has no branches of its own.
        const TDBMainInfo* firm = MasterDBInfo();
        if (firm && IsEmptyId(firm->Link1))
            AddSection(FirmaSection::Filias, 2, u"Подразделения, филиалы"_s);
        AddSection(FirmaSection::Roles, 37, u"Роли, Характеристики"_s);
        AddSection(FirmaSection::Links, 40, u"Связи с людьми и организациями"_s);
        AddSection(FirmaSection::Events, 4, u"Связи с событиями"_s);
        AddSection(FirmaSection::Neighbours, 3, u"Соседи"_s);
        AddSection(FirmaSection::Notes, 5, u"Заметки"_s);
        break;
    }
    case BuchGroup:
        AddSection(FirmaSection::Finance, 27, u"Фин. операции с этой организацией"_s);
        break;
    default:
        break;
    }
}

TBaseDBFrame* TFirmaObjFrame::CreateSectionFrame(int code, QWidget* parent)
{
    return Screens::CreateSection(Kind::Organization, code, parent);
}
