#include "contacts/ContactScreens.h"

#include "contacts/AddressFind.h"
#include "contacts/AddressLine.h"
#include "contacts/AddressObjFrame.h"
#include "contacts/AdrLinks.h"
#include "contacts/EditAddress.h"
#include "contacts/EditFamily.h"
#include "contacts/EditPeople.h"
#include "contacts/FamilyObjFrame.h"
#include "contacts/FamilyPrev.h"
#include "contacts/FamilySections.h"
#include "contacts/FP2CrestFrame.h"
#include "contacts/FP2FamilyFrame.h"
#include "contacts/FindFamily.h"
#include "contacts/FindPeople.h"
#include "contacts/FirmaScreens.h"
#include "contacts/People2Family.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/PersonSections.h"
#include "contacts/PhoneScreens.h"
#include "contacts/PtoALink.h"
#include "contacts/RelationTree.h"
#include "contacts/SosedyFind.h"
#include "contacts/VCardScreens.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

namespace {
constexpr int PeoplePicture = 1;
constexpr int WomanPicture = 56;
constexpr int ManPicture = 38;
constexpr int FamiliesPicture = 40;
constexpr int AddressPicture = 3;
} // namespace

TShellKind PersonShellKind()
{
    TShellKind kind;
    kind.Code = Kind::Person;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = QStringLiteral("Новый человек");
    kind.HasPickDialog = true;
    kind.PickDialog.Caption = QStringLiteral("Поиск знакомых");
    kind.PickDialog.ButtonBarHidden = true;
    kind.DeleteText = [](const TDBMainInfo&) { return QStringLiteral("все данные о человеке"); };
    kind.WinListRow = [](const TDBMainInfo& record) {
        const TConstPersonView person = PersonView(record);
        TWinListRow row;
        row.Picture = person.IsFemale() ? WomanPicture : ManPicture;
        row.Photo = person.Photo();
        row.Text
            = QString(person.Surname() + QLatin1Char(' ') + person.FirstName() + QLatin1Char(' ') + person.Patronymic())
                  .trimmed();
        return row;
    };
    TSideList people;
    people.Picture = PeoplePicture;
    people.ChildName = QStringLiteral("FindPeoples");
    people.MasterKind = Kind::Person;
    people.Create = [](QWidget* parent) { return new TFindPeople(parent); };
    kind.SideLists = {people};
    kind.Card = [](QWidget* parent) { return new TPeopleObjFrame(parent); };
    kind.EditFrame = [](QWidget* parent) { return new TFEditPeople(parent); };
    kind.PickFrame = [](QWidget* parent) { return new TFindPeople(parent); };
    return kind;
}

TShellKind FamilyShellKind()
{
    TShellKind kind;
    kind.Code = Kind::Family;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = QStringLiteral("Новая семья");
    kind.HasPickDialog = true;
    kind.PickDialog.Caption = QStringLiteral("Поиск семьи");
    kind.PickDialog.ButtonBarHidden = true;
    kind.DeleteText = [](const TDBMainInfo&) { return QStringLiteral("все данные о семье"); };
    kind.WinListRow = [](const TDBMainInfo& record) {
        const TConstFamilyView family = FamilyView(record);
        return TWinListRow {FamilyStatusImage(family.Status()), {}, {},
            family.HusbandName() + QLatin1Char('\r') + family.WifeName()};
    };
    TSideList families;
    families.Picture = FamiliesPicture;
    families.ChildName = QStringLiteral("FindFamily");
    families.MasterKind = Kind::Family;
    families.Create = [](QWidget* parent) { return new TFindFamily(parent); };
    kind.SideLists = {families};
    kind.Card = [](QWidget* parent) { return new TFamilyObjFrame(parent); };
    kind.EditFrame = [](QWidget* parent) { return new TEditFamily(parent); };
    kind.PickFrame = [](QWidget* parent) { return new TFindFamily(parent); };
    return kind;
}

TShellKind AdoptiveFamilyLinkShellKind()
{
    TShellKind kind;
    kind.Code = Kind::AdoptiveFamilyLink;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = QStringLiteral("Приемная семья");
    kind.EditedInDialog = true;
    kind.DeleteText = [](const TDBMainInfo&) { return QStringLiteral("\rсвязь человека с приемными родителями"); };
    kind.EditFrame = [](QWidget* parent) { return new TPeople2Family(parent); };
    return kind;
}

TShellKind AddressShellKind()
{
    TShellKind kind;
    kind.Code = Kind::Address;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = QStringLiteral("Новый адрес");
    kind.HasPickDialog = true;
    kind.PickDialog.Caption = QStringLiteral("Поиск адреса");
    kind.PickDialog.ButtonBarHidden = true;
    kind.DeleteText = [](const TDBMainInfo&) { return QStringLiteral("все данные об адресе"); };
    kind.WinListRow = [](const TDBMainInfo& record) {
        TWinListRow row;
        row.Picture = AddressPicture;
        row.Text = AddressLine::OfRecord(record, 0);
        return row;
    };
    TSideList addresses;
    addresses.Picture = AddressPicture;
    addresses.ChildName = QStringLiteral("FindAddress");
    addresses.MasterKind = Kind::Address;
    addresses.Create = [](QWidget* parent) { return new TAddressFind(parent); };
    kind.SideLists = {addresses};
    kind.Card = [](QWidget* parent) { return new TAddressObjFrame(parent); };
    kind.EditFrame = [](QWidget* parent) { return new TEditAddress(parent); };
    kind.PickFrame = [](QWidget* parent) { return new TAddressFind(parent); };
    return kind;
}

TShellKind ResidenceShellKind()
{
    TShellKind kind;
    kind.Code = Kind::Residence;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = QStringLiteral("Адрес жительства");
    kind.EditedInDialog = true;
    kind.DeleteText = [](const TDBMainInfo&) { return QStringLiteral("связь между объектами"); };
    kind.EditFrame = [](QWidget* parent) { return new TPtoALink(parent); };
    return kind;
}

void RegisterContactScreens()
{
    VCardScreens::RegisterVCardScreens();
    ShellKinds::Register(PersonShellKind());
    ShellKinds::Register(FamilyShellKind());
    ShellKinds::Register(AdoptiveFamilyLinkShellKind());
    Screens::RegisterSection(Kind::Person, PersonSection::Parents,
        [](QWidget* parent) { return new TFP2FamilyFrame(TFP2FamilyFrame::ParentsMode, parent); });
    Screens::RegisterSection(Kind::Person, PersonSection::Families,
        [](QWidget* parent) { return new TFP2FamilyFrame(TFP2FamilyFrame::FamiliesMode, parent); });
    Screens::RegisterSection(
        Kind::Person, PersonSection::RelationTree, [](QWidget* parent) { return new TRelationTree(parent); });
    Screens::RegisterSection(
        Kind::Person, PersonSection::Godparents, [](QWidget* parent) { return new TFP2CrestFrame(parent); });
    // A family shown beside what it is linked to (the link of a payment with it).
    Screens::RegisterPreview(Kind::Family, [](QWidget* parent) { return new TFamilyPrev(parent); });
    Screens::RegisterSection(Kind::Family, FamilySection::Children,
        [](QWidget* parent) { return new TFP2FamilyFrame(TFP2FamilyFrame::ChildrenMode, parent); });
    ShellKinds::Register(AddressShellKind());
    ShellKinds::Register(ResidenceShellKind());
    const auto neighbours = [](QWidget* parent) { return new TAdrLinks(parent); };
    Screens::RegisterSection(Kind::Person, PersonSection::Neighbours, neighbours);
    Screens::RegisterSection(Kind::Address, AddressSection::Neighbours, neighbours);
    Screens::RegisterSection(Kind::Address, AddressSection::Residents, [](QWidget* parent) {
        auto* residents = new TSosedyFind(parent);
        residents->SetTitle(QStringLiteral("Жильцы"));
        return residents;
    });
    RegisterPhoneScreens();
    RegisterFirmaScreens();
}
