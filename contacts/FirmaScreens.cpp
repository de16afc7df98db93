#include "contacts/FirmaScreens.h"

#include "contacts/AdrLinks.h"
#include "contacts/EditFirma.h"
#include "contacts/Filias.h"
#include "contacts/FindFirma.h"
#include "contacts/FirmaObjFrame.h"
#include "contacts/FirmaPrev.h"
#include "contacts/FirmaSections.h"
#include "contacts/HowConnect.h"
#include "contacts/PeoplePrev.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/OrganizationView.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int FirmsPicture = 2;
} // namespace

TShellKind FirmaShellKind()
{
    TShellKind kind;
    kind.Code = Kind::Organization;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = u"Новая организация"_s;
    kind.HasPickDialog = true;
    kind.PickDialog.Caption = u"Поиск организации"_s;
    kind.PickDialog.ButtonBarHidden = true;
    kind.DeleteText = [](const TDBMainInfo&) { return u"все данные о фирме"_s; };
    kind.WinListRow = [](const TDBMainInfo& record) {
        const TConstOrganizationView firm = OrganizationView(record);
        const QString name = firm.DisplayName().trimmed();
        return TWinListRow {FirmsPicture, firm.Logo(), {}, name.isEmpty() ? firm.Name().trimmed() : name};
    };
    TSideList firms;
    firms.Picture = FirmsPicture;
    firms.ChildName = u"FindFirms"_s;
    firms.MasterKind = Kind::Organization;
    firms.Create = [](QWidget* parent) { return new TFindFirma(parent); };
    kind.SideLists = {firms};
    kind.Card = [](QWidget* parent) { return new TFirmaObjFrame(parent); };
    kind.EditFrame = [](QWidget* parent) { return new TEditFirma(parent); };
    kind.PickFrame = [](QWidget* parent) { return new TFindFirma(parent); };
    return kind;
}

void RegisterFirmaScreens()
{
    ShellKinds::Register(FirmaShellKind());
    Screens::RegisterSection(
        Kind::Organization, FirmaSection::HowConnect, [](QWidget* parent) { return new THowConnect(parent); });
    Screens::RegisterSection(
        Kind::Organization, FirmaSection::Filias, [](QWidget* parent) { return new TFilias(parent); });
    Screens::RegisterSection(
        Kind::Organization, FirmaSection::Neighbours, [](QWidget* parent) { return new TAdrLinks(parent); });
    const auto textPreview = [](QWidget* parent) { return new TFFirmaPrev(parent); };
    for (int kind : {int(Kind::Address), int(Kind::Organization), int(Kind::Note)})
        Screens::RegisterPreview(kind, textPreview);
    Screens::RegisterPreview(Kind::Person, [](QWidget* parent) { return new TPeoplePrev(parent); });
}
