#include "contacts/ContactScreens.h"

#include "contacts/EditPeople.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "shell/frames/ShellKinds.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PersonView.h"

namespace {
constexpr int PeoplePicture = 1;
constexpr int WomanPicture = 56;
constexpr int ManPicture = 38;
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

void RegisterContactScreens()
{
    ShellKinds::Register(PersonShellKind());
}
