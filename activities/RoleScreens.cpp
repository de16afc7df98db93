#include "activities/RoleScreens.h"

#include "activities/EditRoles.h"
#include "activities/EventSections.h"
#include "activities/ProjectSections.h"
#include "activities/RoleFind.h"
#include "contacts/FirmaSections.h"
#include "contacts/PersonSections.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/ObjectKinds.h"

using namespace Qt::StringLiterals;

QList<TShellKind> RoleShellKinds()
{
    TShellKind role;
    role.Code = Kind::Role;
    role.HasEditDialog = true;
    role.EditDialog.Caption = u"Взаимосвязь, определение ролей"_s;
    role.EditedInDialog = true;
    role.DeleteText = [](const TDBMainInfo&) { return u"эту роль"_s; };
    role.EditFrame = [](QWidget* parent) { return new TFRoles(parent); };
    return {role};
}

void RegisterRoleScreens()
{
    for (const TShellKind& kind : RoleShellKinds())
        ShellKinds::Register(kind);
    const TFrameFactory roles = [](QWidget* parent) { return new TFind1Role(parent); };
    const TFrameFactory links = [](QWidget* parent) { return new TRoleFind(parent); };
    Screens::RegisterSection(Kind::Person, PersonSection::Roles, roles);
    Screens::RegisterSection(Kind::Person, PersonSection::Links, links);
    Screens::RegisterSection(Kind::Organization, FirmaSection::Roles, roles);
    Screens::RegisterSection(Kind::Organization, FirmaSection::Links, links);
    Screens::RegisterSection(Kind::Event, EventSection::Links, links);
    Screens::RegisterSection(
        Kind::Group, ProjectSection::Participants, [](QWidget* parent) { return new TFindRoleProject(parent); });
}
