#include "tests/support/ObjectWeb.h"

#include "store/DataBase.h"
#include "store/ObjectKinds.h"

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
        record.Link5 = Id(other);
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
        r.Str1 = surname;
        r.Str2 = name;
        r.Flag = female;
        r.Str5 = surname + QLatin1Char(' ') + name.left(1) + QLatin1Char('.');
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
        r.Link1 = Id(QStringLiteral("husband"));
        r.Link2 = Id(QStringLiteral("wife"));
        r.Str1 = QStringLiteral("Иванов Пётр");
        r.Str2 = QStringLiteral("Иванова Мария");
        r.Int1 = 1;
    });
    Add(QStringLiteral("child"), Kind::Person, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Иванов");
        r.Str2 = QStringLiteral("Алексей");
        r.Link1 = Id(QStringLiteral("family"));
        r.Link2 = Id(QStringLiteral("single")); // godfather
    });
    Person(QStringLiteral("adopted"), QStringLiteral("Петров"), QStringLiteral("Олег"), false);
    Add(QStringLiteral("adoption"), Kind::AdoptiveFamilyLink, [&](TDBMainInfo& r) {
        r.Link1 = Id(QStringLiteral("family"));
        r.Link2 = Id(QStringLiteral("adopted"));
    });
    Add(QStringLiteral("singleFamily"), Kind::Family, [&](TDBMainInfo& r) {
        r.Link1 = Id(QStringLiteral("single"));
        r.Str1 = QStringLiteral("Сидоров Иван");
    });
    Add(QStringLiteral("emptyFamily"), Kind::Family);

    // An organization with two branches, at an address where the couple lives.
    Add(QStringLiteral("firm"), Kind::Organization, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Ромашка");
        r.Str2 = QStringLiteral("ООО");
        r.Link1 = none;
        r.Str5 = QStringLiteral("ООО, Ромашка");
    });
    for (const auto& [key, name] : {std::pair {QStringLiteral("branch1"), QStringLiteral("Филиал")},
             std::pair {QStringLiteral("branch2"), QStringLiteral("Склад")}}) {
        Add(key, Kind::Organization, [&](TDBMainInfo& r) {
            r.Str1 = name;
            r.Str2 = QStringLiteral("Ромашка");
            r.Link1 = Id(QStringLiteral("firm"));
            r.Str5 = QStringLiteral("Ромашка, ") + name;
        });
    }
    Add(QStringLiteral("address"), Kind::Address, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Россия");
        r.Str2 = QStringLiteral("Московская");
        r.Str3 = QStringLiteral("Одинцовский");
        r.Str4 = QStringLiteral("Одинцово");
        r.Str5 = QStringLiteral("ул. Ленина");
        r.Link4 = QStringLiteral("12");
        r.Link3 = QStringLiteral("5");
        r.Link5 = QStringLiteral("143000");
    });
    for (const auto& [key, owner, ownerKind] :
        {std::tuple {QStringLiteral("addressPhone"), QStringLiteral("address"), 3},
            std::tuple {QStringLiteral("firmPhone"), QStringLiteral("firm"), 6},
            std::tuple {QStringLiteral("husbandPhone"), QStringLiteral("husband"), 1}}) {
        Add(key, Kind::Phone, [&](TDBMainInfo& r) {
            r.Link1 = Id(owner);
            r.Int2 = ownerKind;
            r.Str1 = QStringLiteral("007495123456");
        });
    }
    for (const auto& [key, owner] : {std::pair {QStringLiteral("firmSite"), QStringLiteral("firm")},
             std::pair {QStringLiteral("husbandMail"), QStringLiteral("husband")}}) {
        Add(key, Kind::InternetContact, [&](TDBMainInfo& r) {
            r.Link1 = Id(owner);
            r.Int1 = 1;
            r.Str1 = key + QStringLiteral("@example.ru");
        });
    }
    for (const auto& [key, resident] : {std::pair {QStringLiteral("husbandHome"), QStringLiteral("husband")},
             std::pair {QStringLiteral("wifeHome"), QStringLiteral("wife")},
             std::pair {QStringLiteral("firmOffice"), QStringLiteral("firm")}}) {
        Add(key, Kind::Residence, [&](TDBMainInfo& r) {
            r.Link1 = Id(QStringLiteral("address"));
            r.Link2 = Id(resident);
            r.Flag = true;
        });
    }
    Add(QStringLiteral("firmGroup"), Kind::Group, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Поставщики");
        r.Int1 = 6;
        r.Flag = true;
        r.Link1 = Id(QStringLiteral("firm"));
    });

    // A note attached to the husband both ways, and to the organization.
    Add(QStringLiteral("note"), Kind::Note, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Договор");
        r.Int1 = 1;
        r.Link1 = none;
    });
    for (const auto& [key, from, to] :
        {std::tuple {QStringLiteral("noteToHusband"), QStringLiteral("note"), QStringLiteral("husband")},
            std::tuple {QStringLiteral("husbandToNote"), QStringLiteral("husband"), QStringLiteral("note")},
            std::tuple {QStringLiteral("noteToFirm"), QStringLiteral("note"), QStringLiteral("firm")}}) {
        Add(key, Kind::NoteLink, [&](TDBMainInfo& r) {
            r.Link1 = Id(from);
            r.Link2 = Id(to);
        });
    }

    // Roles with opposite sides: the husband works for the organization, the wife takes part in an event.
    auto role = [&](const QString& key, const QString& holder, int holderKind, int otherKind, const QString& name) {
        Add(key, Kind::Role, [&](TDBMainInfo& r) {
            r.Link1 = Id(holder);
            r.Link2 = none;
            r.Int1 = holderKind;
            r.Int2 = otherKind;
            r.Str1 = name;
        });
    };
    role(QStringLiteral("workRole"), QStringLiteral("husband"), 1, 6, QStringLiteral("Директор"));
    role(QStringLiteral("firmRole"), QStringLiteral("firm"), 6, 1, QStringLiteral("Работодатель"));
    Pair(QStringLiteral("workRole"), QStringLiteral("firmRole"));

    Add(QStringLiteral("project"), Kind::Group, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Дача");
        r.Int1 = 9;
    });
    Add(QStringLiteral("projectGroup"), Kind::Group, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Строители");
        r.Int1 = 1;
        r.Flag = true;
        r.Link1 = Id(QStringLiteral("project"));
    });
    Add(QStringLiteral("event"), Kind::Event, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Встреча");
        r.Int1 = 1;
        r.Link1 = Id(QStringLiteral("project"));
        r.Link2 = none;
        r.Link3 = Id(QStringLiteral("husband")); // the host
        r.Link4 = Id(QStringLiteral("address"));
    });
    role(QStringLiteral("eventRole"), QStringLiteral("event"), 8, 1, QStringLiteral("Итог"));
    role(QStringLiteral("guestRole"), QStringLiteral("wife"), 1, 8, QStringLiteral("Гость"));
    Pair(QStringLiteral("eventRole"), QStringLiteral("guestRole"));
    Add(QStringLiteral("eventGroup"), Kind::Group, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Участники");
        r.Int1 = 8;
        r.Flag = true;
        r.Link1 = Id(QStringLiteral("event"));
        r.Link2 = Id(QStringLiteral("project"));
    });

    // Money: an income with its category, a transfer between two accounts, an expense on the project.
    Add(QStringLiteral("category"), Kind::Group, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Зарплата");
        r.Int1 = 25;
    });
    Add(QStringLiteral("subcategory"), Kind::Group, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Премия");
        r.Int1 = 27;
        r.Link1 = Id(QStringLiteral("category"));
    });
    for (const auto& [key, name] : {std::pair {QStringLiteral("account1"), QStringLiteral("Кошелёк")},
             std::pair {QStringLiteral("account2"), QStringLiteral("Карта")}}) {
        Add(key, Kind::Account, [&](TDBMainInfo& r) {
            r.Str1 = name;
            r.Str4 = QStringLiteral("RUB");
            r.Str5 = name + QStringLiteral(", RUB");
        });
    }
    auto operation = [&](const QString& key, int code, int amount, const QString& account, const QString& party,
                         const QString& category, const QString& fourth, int links) {
        Add(key, Kind::MoneyOperation, [&](TDBMainInfo& r) {
            r.Int1 = code;
            r.Int2 = amount;
            r.Int3 = links;
            r.Link1 = Id(account);
            r.Link2 = party.isEmpty() ? none : Id(party);
            r.Link3 = category.isEmpty() ? none : Id(category);
            r.Link4 = fourth.isEmpty() ? none : Id(fourth);
            r.Link5 = none;
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
            r.Link1 = Id(op);
            r.Link2 = Id(object);
            r.Link3 = none;
            r.Str1 = QStringLiteral("Оплата");
        });
    }
    return m_ok;
}
