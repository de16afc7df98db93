#include "contacts/PeopleObjFrame.h"

#include "contacts/EditPeople.h"
#include "contacts/VCardScreens.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QAction>
#include <QLineEdit>
#include <QToolBar>

TPeopleObjFrame::TPeopleObjFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    SetFamilyShown(true);
    SetPrintShown(true);
    // The person report comes with the reports; until one is registered there is nothing to print.
    aPrint()->setEnabled(Screens::HasObjectReport(Kind::Person));
    auto* exportCard = new QAction(QStringLiteral("vCard"), this);
    exportCard->setObjectName(QStringLiteral("aExportVCard"));
    exportCard->setToolTip(VCardScreens::ExportCaption);
    connect(exportCard, &QAction::triggered, this, &TPeopleObjFrame::aExportVCardExecute);
    Menu()->addAction(exportCard);
}

TPeopleObjFrame::~TPeopleObjFrame() = default;

void TPeopleObjFrame::CreateEditFrame()
{
    auto* editor = new TFEditPeople(this);
    SetEditFrame(editor, editor->eFamily());
}

void TPeopleObjFrame::FillSections()
{
    switch (GroupIndex()) {
    case DopInfoGroup:
        AddSection(HowConnect, 39, QStringLiteral("Как связаться с человеком"));
        AddSection(Roles, 37, QStringLiteral("Роли, Характеристики"));
        AddSection(Links, 40, QStringLiteral("Связи с людьми и организациями"));
        AddSection(Events, 4, QStringLiteral("Связи с событиями"));
        AddSection(Notes, 5, QStringLiteral("Заметки"));
        break;
    case FamilyGroup:
        AddSection(Parents, 79, QStringLiteral("Родители, братья и сестры"));
        AddSection(Families, 45, QStringLiteral("Семьи, дети"));
        AddSection(RelationTree, 71, QStringLiteral("Генеалогическое древо"));
        AddSection(Godparents, 76, QStringLiteral("Крестные и крестники"));
        AddSection(Neighbours, 3, QStringLiteral("Соседи"));
        break;
    case BuchGroup:
        AddSection(Finance, 27, QStringLiteral("Фин. операции с этим человеком"));
        break;
    default:
        break;
    }
}

TBaseDBFrame* TPeopleObjFrame::CreateSectionFrame(int code, QWidget* parent)
{
    return Screens::CreateSection(Kind::Person, code, parent);
}

void TPeopleObjFrame::aExportVCardExecute()
{
    const TDBMainInfo* person = MasterDBInfo();
    if (!person || IsEmptyId(person->Obj))
        return;
    VCardScreens::ExportPeople(window(), {person->Obj}, QStringLiteral("3.0"), person->Str5);
}

void TPeopleObjFrame::aPrintExecute()
{
    if (const TDBMainInfo* person = MasterDBInfo())
        Screens::PrintObject(Kind::Person, *person);
}
