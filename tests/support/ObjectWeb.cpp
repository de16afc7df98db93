#include "tests/support/ObjectWeb.h"

#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/EventView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/NoteLinkView.h"
#include "store/kinds/NoteView.h"
#include "store/kinds/OperationLinkView.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"

TObjectWeb::TObjectWeb(TMyDataBase* db)
    : m_db(db)
{
}

QString TObjectWeb::Add(const QString& key, int kind, const std::function<void(TDBMainInfo&)>& fill)
{
    TDBMainInfo record;
    record.SetDatabase(m_db);
    record.ObjType = kind;
    if (fill)
        fill(record);
    if (record.Save() != SaveResult::Done || IsNewId(record.Obj)) {
        qWarning("could not save the test object %s", qPrintable(key));
        m_ok = false;
        return QString();
    }
    m_ids.insert(key, record.Obj);
    return record.Obj;
}

bool TObjectWeb::Pair(const QString& a, const QString& b)
{
    for (const auto& [self, other] : {std::pair {a, b}, std::pair {b, a}}) {
        TDBMainInfo record;
        record.SetDatabase(m_db);
        if (!record.SetObj(Id(self)) || record.Obj.IsBlank())
            return m_ok = false;
        // a role names its opposite side, a transfer half its partner
        if (record.ObjType == Kind::Role)
            RoleView(record).SetOppositeSide(Id(other));
        else
            MoneyOperationView(record).SetPairedRow(Id(other));
        if (record.Save() != SaveResult::Done)
            return m_ok = false;
    }
    return true;
}

QString TObjectWeb::Key(const QString& id) const
{
    for (auto it = m_ids.cbegin(); it != m_ids.cend(); ++it) {
        if (SameId(it.value(), id))
            return it.key();
    }
    return QString();
}

QString TObjectWeb::Person(const QString& key, const QString& surname, const QString& name, bool female)
{
    return Add(key, Kind::Person, [&](TDBMainInfo& r) {
        const TPersonView person(r);
        person.SetSurname(surname);
        person.SetFirstName(name);
        person.SetIsFemale(female);
        person.SetDisplayName(PersonDisplayName(surname, name, QString()));
    });
}

bool TObjectWeb::Build()
{
    const QString none = Ids::None;
    // Kinship: a couple with a child and an adopted child, a single parent, a family nobody belongs to.
    Person(QStringLiteral("husband"), QStringLiteral("Иванов"), QStringLiteral("Пётр"), false);
    Person(QStringLiteral("wife"), QStringLiteral("Иванова"), QStringLiteral("Мария"), true);
    Person(QStringLiteral("single"), QStringLiteral("Сидоров"), QStringLiteral("Иван"), false);
    Add(QStringLiteral("family"), Kind::Family, [&](TDBMainInfo& r) {
        const TFamilyView family(r);
        family.SetHusband(Id(QStringLiteral("husband")));
        family.SetWife(Id(QStringLiteral("wife")));
        family.SetHusbandName(QStringLiteral("Иванов Пётр"));
        family.SetWifeName(QStringLiteral("Иванова Мария"));
        family.SetStatus(1);
    });
    Add(QStringLiteral("child"), Kind::Person, [&](TDBMainInfo& r) {
        const TPersonView person(r);
        person.SetSurname(QStringLiteral("Иванов"));
        person.SetFirstName(QStringLiteral("Алексей"));
        person.SetNativeFamily(Id(QStringLiteral("family")));
        person.SetGodfather(Id(QStringLiteral("single"))); // godfather
    });
    Person(QStringLiteral("adopted"), QStringLiteral("Петров"), QStringLiteral("Олег"), false);
    Add(QStringLiteral("adoption"), Kind::AdoptiveFamilyLink, [&](TDBMainInfo& r) {
        const TAdoptiveFamilyLinkView adoption(r);
        adoption.SetFamily(Id(QStringLiteral("family")));
        adoption.SetPerson(Id(QStringLiteral("adopted")));
    });
    Add(QStringLiteral("singleFamily"), Kind::Family, [&](TDBMainInfo& r) {
        const TFamilyView family(r);
        family.SetHusband(Id(QStringLiteral("single")));
        family.SetHusbandName(QStringLiteral("Сидоров Иван"));
    });
    Add(QStringLiteral("emptyFamily"), Kind::Family);

    // An organization with two branches, at an address where the couple lives.
    Add(QStringLiteral("firm"), Kind::Organization, [&](TDBMainInfo& r) {
        const TOrganizationView org(r);
        org.SetName(QStringLiteral("Ромашка"));
        org.SetFormOrParent(QStringLiteral("ООО"));
        org.SetParent(none);
        org.SetDisplayName(QStringLiteral("ООО, Ромашка"));
    });
    for (const auto& [key, name] : {std::pair {QStringLiteral("branch1"), QStringLiteral("Филиал")},
             std::pair {QStringLiteral("branch2"), QStringLiteral("Склад")}}) {
        Add(key, Kind::Organization, [&](TDBMainInfo& r) {
            const TOrganizationView org(r);
            org.SetName(name);
            org.SetFormOrParent(QStringLiteral("Ромашка"));
            org.SetParent(Id(QStringLiteral("firm")));
            org.SetDisplayName(QStringLiteral("Ромашка, ") + name);
        });
    }
    Add(QStringLiteral("address"), Kind::Address, [&](TDBMainInfo& r) {
        const TAddressView address(r);
        address.SetCountry(QStringLiteral("Россия"));
        address.SetRegion(QStringLiteral("Московская"));
        address.SetDistrict(QStringLiteral("Одинцовский"));
        address.SetSettlement(QStringLiteral("Одинцово"));
        address.SetStreet(QStringLiteral("ул. Ленина"));
        address.SetHouse(QStringLiteral("12"));
        address.SetFlat(QStringLiteral("5"));
        address.SetPostalIndex(QStringLiteral("143000"));
    });
    for (const auto& [key, owner, ownerKind] :
        {std::tuple {QStringLiteral("addressPhone"), QStringLiteral("address"), 3},
            std::tuple {QStringLiteral("firmPhone"), QStringLiteral("firm"), 6},
            std::tuple {QStringLiteral("husbandPhone"), QStringLiteral("husband"), 1}}) {
        Add(key, Kind::Phone, [&](TDBMainInfo& r) {
            const TPhoneView phone(r);
            phone.SetOwner(Id(owner));
            phone.SetOwnerKind(ownerKind);
            phone.SetNumber(QStringLiteral("007495123456"));
        });
    }
    for (const auto& [key, owner] : {std::pair {QStringLiteral("firmSite"), QStringLiteral("firm")},
             std::pair {QStringLiteral("husbandMail"), QStringLiteral("husband")}}) {
        Add(key, Kind::InternetContact, [&](TDBMainInfo& r) {
            const TInternetContactView contact(r);
            contact.SetOwner(Id(owner));
            contact.SetContactType(1);
            contact.SetAddress(key + QStringLiteral("@example.ru"));
        });
    }
    for (const auto& [key, resident] : {std::pair {QStringLiteral("husbandHome"), QStringLiteral("husband")},
             std::pair {QStringLiteral("wifeHome"), QStringLiteral("wife")},
             std::pair {QStringLiteral("firmOffice"), QStringLiteral("firm")}}) {
        Add(key, Kind::Residence, [&](TDBMainInfo& r) {
            const TResidenceView residence(r);
            residence.SetAddress(Id(QStringLiteral("address")));
            residence.SetResident(Id(resident));
            residence.SetCurrent(true);
        });
    }
    Add(QStringLiteral("firmGroup"), Kind::Group, [&](TDBMainInfo& r) {
        const TGroupView group(r);
        group.SetName(QStringLiteral("Поставщики"));
        group.SetGroupKind(6);
        group.SetScopedToOwner(true);
        group.SetOwner(Id(QStringLiteral("firm")));
    });

    // A note attached to the husband both ways, and to the organization.
    Add(QStringLiteral("note"), Kind::Note, [&](TDBMainInfo& r) {
        const TNoteView note(r);
        note.SetTitle(QStringLiteral("Договор"));
        note.SetNoteKind(1);
        note.SetGroup(none);
    });
    for (const auto& [key, from, to] :
        {std::tuple {QStringLiteral("noteToHusband"), QStringLiteral("note"), QStringLiteral("husband")},
            std::tuple {QStringLiteral("husbandToNote"), QStringLiteral("husband"), QStringLiteral("note")},
            std::tuple {QStringLiteral("noteToFirm"), QStringLiteral("note"), QStringLiteral("firm")}}) {
        Add(key, Kind::NoteLink, [&](TDBMainInfo& r) {
            const TNoteLinkView link(r);
            link.SetNote(Id(from));
            link.SetObject(Id(to));
        });
    }

    // Roles with opposite sides: the husband works for the organization, the wife takes part in an event.
    auto role = [&](const QString& key, const QString& holder, int holderKind, int otherKind, const QString& name) {
        Add(key, Kind::Role, [&](TDBMainInfo& r) {
            const TRoleView side(r);
            side.SetHolder(Id(holder));
            side.SetGroup(none);
            side.SetHolderKind(holderKind);
            side.SetOtherKind(otherKind);
            side.SetName(name);
        });
    };
    role(QStringLiteral("workRole"), QStringLiteral("husband"), 1, 6, QStringLiteral("Директор"));
    role(QStringLiteral("firmRole"), QStringLiteral("firm"), 6, 1, QStringLiteral("Работодатель"));
    Pair(QStringLiteral("workRole"), QStringLiteral("firmRole"));

    Add(QStringLiteral("project"), Kind::Group, [&](TDBMainInfo& r) {
        const TGroupView group(r);
        group.SetName(QStringLiteral("Дача"));
        group.SetGroupKind(9);
    });
    Add(QStringLiteral("projectGroup"), Kind::Group, [&](TDBMainInfo& r) {
        const TGroupView group(r);
        group.SetName(QStringLiteral("Строители"));
        group.SetGroupKind(1);
        group.SetScopedToOwner(true);
        group.SetOwner(Id(QStringLiteral("project")));
    });
    Add(QStringLiteral("event"), Kind::Event, [&](TDBMainInfo& r) {
        const TEventView event(r);
        event.SetName(QStringLiteral("Встреча"));
        event.SetEventKind(1);
        event.SetProject(Id(QStringLiteral("project")));
        event.SetSpareLink(none);
        event.SetHost(Id(QStringLiteral("husband"))); // the host
        event.SetMeetingAddress(Id(QStringLiteral("address")));
    });
    role(QStringLiteral("eventRole"), QStringLiteral("event"), 8, 1, QStringLiteral("Итог"));
    role(QStringLiteral("guestRole"), QStringLiteral("wife"), 1, 8, QStringLiteral("Гость"));
    Pair(QStringLiteral("eventRole"), QStringLiteral("guestRole"));
    Add(QStringLiteral("eventGroup"), Kind::Group, [&](TDBMainInfo& r) {
        const TGroupView group(r);
        group.SetName(QStringLiteral("Участники"));
        group.SetGroupKind(8);
        group.SetScopedToOwner(true);
        group.SetOwner(Id(QStringLiteral("event")));
        group.SetProject(Id(QStringLiteral("project")));
    });

    // Money: an income with its category, a transfer between two accounts, an expense on the project.
    Add(QStringLiteral("category"), Kind::Group, [&](TDBMainInfo& r) {
        const TGroupView group(r);
        group.SetName(QStringLiteral("Зарплата"));
        group.SetGroupKind(25);
    });
    Add(QStringLiteral("subcategory"), Kind::Group, [&](TDBMainInfo& r) {
        const TGroupView group(r);
        group.SetName(QStringLiteral("Премия"));
        group.SetGroupKind(27);
        group.SetOwner(Id(QStringLiteral("category")));
    });
    for (const auto& [key, name] : {std::pair {QStringLiteral("account1"), QStringLiteral("Кошелёк")},
             std::pair {QStringLiteral("account2"), QStringLiteral("Карта")}}) {
        Add(key, Kind::Account, [&](TDBMainInfo& r) {
            const TAccountView account(r);
            account.SetName(name);
            account.SetCurrency(QStringLiteral("RUB"));
            account.SetDisplayName(name + QStringLiteral(", RUB"));
        });
    }
    auto operation = [&](const QString& key, int code, int amount, const QString& account, const QString& party,
                         const QString& category, const QString& fourth, int links) {
        Add(key, Kind::MoneyOperation, [&](TDBMainInfo& r) {
            const TMoneyOperationView op(r);
            op.SetCode(code);
            op.SetAmount(amount);
            op.SetLinkCount(links);
            op.SetAccount(Id(account));
            op.SetCounterparty(party.isEmpty() ? none : Id(party));
            op.SetCategory(category.isEmpty() ? none : Id(category));
            op.SetFourth(fourth.isEmpty() ? none : Id(fourth));
            op.SetPairedRow(none);
        });
    };
    operation(QStringLiteral("income"), 1, 50000, QStringLiteral("account1"), QStringLiteral("husband"),
        QStringLiteral("category"), QStringLiteral("subcategory"), 1);
    operation(QStringLiteral("transferOut"), 4, -1000, QStringLiteral("account1"), QString(), QString(),
        QStringLiteral("account2"), 1);
    operation(QStringLiteral("transferIn"), 4, 1000, QStringLiteral("account2"), QString(), QString(),
        QStringLiteral("account1"), 1);
    Pair(QStringLiteral("transferOut"), QStringLiteral("transferIn"));
    operation(QStringLiteral("projectExpense"), 2, -3000, QStringLiteral("account2"), QStringLiteral("firm"),
        QStringLiteral("project"), QStringLiteral("subcategory"), 0);
    for (const auto& [key, op, object] :
        {std::tuple {QStringLiteral("incomeLink"), QStringLiteral("income"), QStringLiteral("firm")},
            std::tuple {QStringLiteral("transferOutLink"), QStringLiteral("transferOut"), QStringLiteral("husband")},
            std::tuple {QStringLiteral("transferInLink"), QStringLiteral("transferIn"), QStringLiteral("event")}}) {
        Add(key, Kind::OperationLink, [&](TDBMainInfo& r) {
            const TOperationLinkView link(r);
            link.SetOperation(Id(op));
            link.SetObject(Id(object));
            link.SetCategory(none);
            link.SetRole(QStringLiteral("Оплата"));
        });
    }
    return m_ok;
}
