#include "contacts/PhoneScreens.h"

#include "contacts/AddressSections.h"
#include "contacts/EditINet.h"
#include "contacts/EditTel.h"
#include "contacts/FindTelefone.h"
#include "contacts/HowConnect.h"
#include "contacts/PersonSections.h"
#include "contacts/TelFind.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/ObjectKinds.h"

using namespace Qt::StringLiterals;

TShellKind PhoneShellKind()
{
    TShellKind kind;
    kind.Code = Kind::Phone;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = u"Данные о телефоне"_s;
    kind.EditedInDialog = true;
    kind.DeleteText = [](const TDBMainInfo&) { return u"телефон"_s; };
    kind.EditFrame = [](QWidget* parent) { return new TEditTel(parent); };
    return kind;
}

TShellKind InternetContactShellKind()
{
    TShellKind kind;
    kind.Code = Kind::InternetContact;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = u"Данные о связи через Интернет"_s;
    kind.EditedInDialog = true;
    kind.DeleteText = [](const TDBMainInfo&) { return u"данные об интернет связи"_s; };
    kind.EditFrame = [](QWidget* parent) { return new TEditINet(parent); };
    return kind;
}

TShellKind PhonePickShellKind()
{
    TShellKind kind;
    kind.Code = PhonePick::Kind;
    kind.HasPickDialog = true;
    kind.PickDialog.Caption = u"Поиск телефона"_s;
    kind.PickDialog.ButtonBarHidden = true;
    kind.PickFrame = [](QWidget* parent) { return new TFindTelefone(parent); };
    return kind;
}

void RegisterPhoneScreens()
{
    ShellKinds::Register(PhoneShellKind());
    ShellKinds::Register(InternetContactShellKind());
    ShellKinds::Register(PhonePickShellKind());
    Screens::RegisterSection(
        Kind::Person, PersonSection::HowConnect, [](QWidget* parent) { return new THowConnect(parent); });
    Screens::RegisterSection(Kind::Address, AddressSection::Phones, [](QWidget* parent) { return new TTelFind(parent); });
}
