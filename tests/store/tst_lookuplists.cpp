// Pick lists from the database: distinct values and object lists for every kind and mode on objects
// written in mixed letter case, the ids they carry, the picture tables and the one-line address.
#include "store/DataBase.h"
#include "store/LookupLists.h"
#include "store/kinds/PersonView.h"
#include "store/ObjectKinds.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <memory>

namespace {

// The objects the lists are read from. Names differ in letter case on purpose: lists must merge them and
// sort them as the database compares texts, which ignores case.
bool BuildListFixture(TObjectWeb& web)
{
    const QString none = Ids::None;
    // The display name is the store's: surname and initials.
    auto person = [&](const QString& key, const QString& surname, bool female, const QString& firstName) {
        web.Add(key, Kind::Person, [&](TDBMainInfo& r) {
            const TPersonView p(r);
            p.SetSurname(surname);
            p.SetIsFemale(female);
            p.SetFirstName(firstName);
        });
    };
    person(QStringLiteral("p1"), QStringLiteral("иванов"), false, QStringLiteral("Пётр"));
    person(QStringLiteral("p2"), QStringLiteral("Иванов"), true, QStringLiteral("Мария"));
    person(QStringLiteral("p3"), QStringLiteral("Алексеев"), false, QStringLiteral("Алексей"));
    person(QStringLiteral("p4"), QStringLiteral("петрова"), true, QStringLiteral("Ольга"));
    person(QStringLiteral("p5"), QString(), false, QString());
    web.Add(QStringLiteral("firm1"), Kind::Organization, [&](TDBMainInfo& r) {
        r.Str1 = QStringLiteral("Ромашка");
        r.Str5 = QStringLiteral("Ромашка");
        r.Link1 = none;
    });
    web.Add(QStringLiteral("firm2"), Kind::Organization, [&](TDBMainInfo& r) { r.Str1 = QStringLiteral("Лютик"); });

    struct TAddress
    {
        const char* key;
        QString country, region, district, city, street, house, index;
    };
    const QList<TAddress> addresses = {
        {"a1", QStringLiteral("Россия"), QStringLiteral("Московская"), QStringLiteral("Одинцовский"),
            QStringLiteral("Одинцово"), QStringLiteral("Ленина"), QStringLiteral("12"), QStringLiteral("143000")},
        {"a2", QStringLiteral("россия"), QStringLiteral("московская"), QStringLiteral("одинцовский"),
            QStringLiteral("одинцово"), QStringLiteral("ленина"), QStringLiteral("14"), QStringLiteral("143000")},
        {"a3", QStringLiteral("Россия"), QStringLiteral("Московская"), QStringLiteral("Истринский"),
            QStringLiteral("Истра"), QStringLiteral("Садовая"), QStringLiteral("1"), QStringLiteral("143500")},
        {"a4", QStringLiteral("Беларусь"), QStringLiteral("Минская"), QString(), QStringLiteral("Минск"),
            QStringLiteral("Победы"), QStringLiteral("3"), QStringLiteral("220000")},
        {"a5", QString(), QString(), QString(), QStringLiteral("Тверь"), QStringLiteral("Советская"),
            QStringLiteral("7"), QString()},
    };
    for (const TAddress& a : addresses) {
        web.Add(QLatin1String(a.key), Kind::Address, [&](TDBMainInfo& r) {
            r.Str1 = a.country;
            r.Str2 = a.region;
            r.Str3 = a.district;
            r.Str4 = a.city;
            r.Str5 = a.street;
            r.Link4 = a.house;
            r.Link5 = a.index;
        });
    }

    auto group
        = [&](const QString& key, const QString& name, int type, bool own, const QString& link1, const QString& link2) {
              web.Add(key, Kind::Group, [&](TDBMainInfo& r) {
                  r.Str1 = name;
                  r.Int1 = type;
                  r.Flag = own;
                  r.Link1 = link1.isEmpty() ? none : web.Id(link1);
                  r.Link2 = link2.isEmpty() ? none : web.Id(link2);
              });
          };
    group(QStringLiteral("project"), QStringLiteral("Дача"), 9, false, QString(), QString());
    group(QStringLiteral("project2"), QStringLiteral("баня"), 9, false, QString(), QString());
    group(QStringLiteral("group1"), QStringLiteral("Коллеги"), 1, false, QString(), QString());
    group(QStringLiteral("firmGroups"), QStringLiteral("Партнёры"), 6, false, QString(), QString());
    group(QStringLiteral("ownFirmGroup"), QStringLiteral("поставщики"), 6, true, QStringLiteral("firm1"), QString());
    group(QStringLiteral("otherFirmGroup"), QStringLiteral("Чужие"), 6, true, QStringLiteral("firm2"), QString());
    group(QStringLiteral("category"), QStringLiteral("Зарплата"), 25, false, QString(), QString());
    group(QStringLiteral("subcategory"), QStringLiteral("Премия"), 27, false, QStringLiteral("category"), QString());
    group(QStringLiteral("expenses"), QStringLiteral("Дом"), 26, false, QString(), QString());
    group(QStringLiteral("expenses2"), QStringLiteral("Машина"), 26, false, QString(), QString());
    group(QStringLiteral("repairs"), QStringLiteral("Ремонт"), 28, false, QStringLiteral("expenses"), QString());
    group(QStringLiteral("furniture"), QStringLiteral("мебель"), 28, false, QStringLiteral("expenses"), QString());
    group(QStringLiteral("fuel"), QStringLiteral("Бензин"), 28, false, QStringLiteral("expenses2"), QString());

    auto event = [&](const QString& key, const QString& name, const QString& project) {
        web.Add(key, Kind::Event, [&](TDBMainInfo& r) {
            r.Str1 = name;
            r.Str5 = QStringLiteral("[Дата не определена] ") + name;
            r.Link1 = project.isEmpty() ? none : web.Id(project);
            r.Link2 = none;
        });
    };
    event(QStringLiteral("ev1"), QStringLiteral("Встреча"), QStringLiteral("project"));
    event(QStringLiteral("ev2"), QStringLiteral("встреча"), QStringLiteral("project"));
    event(QStringLiteral("ev3"), QStringLiteral("Звонок"), QStringLiteral("project"));
    event(QStringLiteral("ev4"), QStringLiteral("Письмо"), QString());
    group(QStringLiteral("evOwn"), QStringLiteral("участники"), 8, true, QStringLiteral("ev1"),
        QStringLiteral("project"));
    group(QStringLiteral("evShared"), QStringLiteral("Общие"), 8, false, QString(), QStringLiteral("project"));
    group(QStringLiteral("evOtherProject"), QStringLiteral("Другие"), 8, false, QString(), QStringLiteral("project2"));
    group(QStringLiteral("evOtherEvent"), QStringLiteral("Чужое событие"), 8, true, QStringLiteral("ev3"),
        QStringLiteral("project"));

    auto role = [&](const QString& key, const QString& holder, int holderKind, int otherKind, const QString& inGroup,
                    const QString& name) {
        web.Add(key, Kind::Role, [&](TDBMainInfo& r) {
            r.Link1 = web.Id(holder);
            r.Int1 = holderKind;
            r.Int2 = otherKind;
            r.Link2 = inGroup.isEmpty() ? none : web.Id(inGroup);
            r.Str1 = name;
            r.Link5 = none;
        });
    };
    role(QStringLiteral("r1"), QStringLiteral("p1"), 1, 6, QStringLiteral("group1"), QStringLiteral("Директор"));
    role(QStringLiteral("r2"), QStringLiteral("firm1"), 6, 1, QString(), QStringLiteral("работодатель"));
    role(QStringLiteral("r3"), QStringLiteral("p2"), 1, 0, QStringLiteral("group1"), QStringLiteral("директор"));
    role(QStringLiteral("r4"), QStringLiteral("p1"), 1, 1, QStringLiteral("project"), QStringLiteral("Друг"));
    role(QStringLiteral("r5"), QStringLiteral("p2"), 1, 1, QStringLiteral("project"), QStringLiteral("друг"));
    role(QStringLiteral("r6"), QStringLiteral("ev1"), 8, 1, QStringLiteral("project"), QStringLiteral("Итог"));
    role(QStringLiteral("r7"), QStringLiteral("p2"), 1, 8, QString(), QStringLiteral("Участник"));
    role(QStringLiteral("r8"), QStringLiteral("p3"), 1, 0, QStringLiteral("group1"), QStringLiteral("Водитель"));
    role(QStringLiteral("r9"), QStringLiteral("p4"), 1, 6, QString(), QStringLiteral("Бухгалтер"));
    role(QStringLiteral("r10"), QStringLiteral("p3"), 1, 6, QString(), QString());
    web.Pair(QStringLiteral("r1"), QStringLiteral("r2"));
    web.Pair(QStringLiteral("r4"), QStringLiteral("r5"));
    web.Pair(QStringLiteral("r6"), QStringLiteral("r7"));

    for (const auto& [key, type, address] :
        {std::tuple {"c1", 1, QStringLiteral("a@x.ru")}, std::tuple {"c2", 1, QStringLiteral("A@X.RU")},
            std::tuple {"c3", 1, QStringLiteral("b@x.ru")}, std::tuple {"c4", 3, QStringLiteral("x.ru")}}) {
        web.Add(QLatin1String(key), Kind::InternetContact, [&](TDBMainInfo& r) {
            r.Link1 = web.Id(QStringLiteral("p1"));
            r.Int1 = type;
            r.Str1 = address;
        });
    }

    for (const auto& [key, name, currency] : {std::tuple {"acc1", QStringLiteral("Кошелёк"), QStringLiteral("RUB")},
             std::tuple {"acc2", QStringLiteral("Карта"), QStringLiteral("rub")},
             std::tuple {"acc3", QStringLiteral("Вклад"), QStringLiteral("USD")}}) {
        web.Add(QLatin1String(key), Kind::Account, [&](TDBMainInfo& r) {
            r.Str1 = name;
            r.Str4 = currency;
            r.Str5 = name + QStringLiteral(", ") + currency;
        });
    }
    // Roubles are booked three times, dollars four times.
    for (const auto& [key, account, party, category] : {std::tuple {"op1", "acc1", "p1", "category"},
             std::tuple {"op2", "acc1", "firm1", ""}, std::tuple {"op3", "acc2", "", ""},
             std::tuple {"op4", "acc3", "", "category"}, std::tuple {"op5", "acc3", "p3", ""},
             std::tuple {"op6", "acc3", "", ""}, std::tuple {"op7", "acc3", "", ""}}) {
        web.Add(QLatin1String(key), Kind::MoneyOperation, [&](TDBMainInfo& r) {
            r.Int1 = 1;
            r.Link1 = web.Id(QLatin1String(account));
            r.Link2 = *party ? web.Id(QLatin1String(party)) : none;
            r.Link3 = *category ? web.Id(QLatin1String(category)) : none;
            r.Link4 = none;
            r.Link5 = none;
        });
    }
    web.Add(QStringLiteral("op4Link"), Kind::OperationLink, [&](TDBMainInfo& r) {
        r.Link1 = web.Id(QStringLiteral("op4"));
        r.Link2 = web.Id(QStringLiteral("p4"));
    });

    for (const auto& [key, name, owner] : {std::tuple {"mk1", QStringLiteral("Обед"), "p1"},
             std::tuple {"mk2", QStringLiteral("завтрак"), "p1"}, std::tuple {"mk3", QStringLiteral("Ужин"), "p2"}}) {
        web.Add(QLatin1String(key), Kind::MeetingKind, [&](TDBMainInfo& r) {
            r.Str1 = name;
            r.Link1 = web.Id(QLatin1String(owner));
        });
    }
    for (const auto& [key, title] : {std::pair {"n1", QStringLiteral("Б заметка")},
             std::pair {"n2", QStringLiteral("а заметка")}, std::pair {"n3", QString()}}) {
        web.Add(QLatin1String(key), Kind::Note, [&](TDBMainInfo& r) { r.Str1 = title; });
    }
    return web.IsComplete();
}

QStringList Folded(const TValueList& list)
{
    QStringList texts;
    for (const TValueItem& item : list)
        texts << item.Text.toLower();
    return texts;
}

QStringList Split(const QString& texts)
{
    return texts.isEmpty() ? QStringList() : texts.split(QLatin1Char('|'));
}

} // namespace

class TestLookupLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ZORVIN_REQUIRE_TEST_ENGINE();
        m_fixture = std::make_unique<TTempDatabase>();
        QVERIFY(m_fixture->IsOpen());
        m_web = std::make_unique<TObjectWeb>();
        QVERIFY(BuildListFixture(*m_web));
    }

    void cleanupTestCase()
    {
        m_web.reset();
        m_fixture.reset();
    }

    void distinctValues_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value"); // a key of the fixture, or a text as it stands
        QTest::addColumn<QString>("expected"); // folded texts, in order, joined by |
        const QString surnames = QStringLiteral("Str1");
        auto row = [](const char* name, int kind, int mode, int extra, const QString& column, const QString& value,
                       const QString& expected) {
            QTest::newRow(name) << kind << mode << extra << column << value << expected;
        };
        row("people: all", 1, 0, 0, surnames, QString(), QStringLiteral("алексеев|иванов|петрова"));
        row("people: men", 1, 1, 0, surnames, QString(), QStringLiteral("алексеев|иванов"));
        row("people: women", 1, 2, 0, surnames, QString(), QStringLiteral("иванов|петрова"));

        row("addresses 0: countries, blank kept", 3, 0, 0, QString(), QString(), QStringLiteral("|беларусь|россия"));
        row("addresses 0: countries of an index", 3, 0, 0, QStringLiteral("143500"), QString(),
            QStringLiteral("россия"));
        row("addresses 1: regions of a country", 3, 1, 0, QString(), QStringLiteral("РОССИЯ"),
            QStringLiteral("московская"));
        row("addresses 1: regions of a country and index", 3, 1, 0, QStringLiteral("220000"), QStringLiteral("Россия"),
            QString());
        row("addresses 2: districts of a region", 3, 2, 0, QString(), QStringLiteral("Московская"),
            QStringLiteral("истринский|одинцовский"));
        row("addresses 3: cities of a district", 3, 3, 0, QString(), QStringLiteral("Одинцовский"),
            QStringLiteral("одинцово"));
        row("addresses 4: streets of a city", 3, 4, 0, QString(), QStringLiteral("Одинцово"), QStringLiteral("ленина"));
        row("addresses 5: houses of a street in a city", 3, 5, 0, QStringLiteral("Одинцово"), QStringLiteral("Ленина"),
            QStringLiteral("12|14"));
        row("addresses 6: indexes of a city in a country", 3, 6, 0, QStringLiteral("Россия"),
            QStringLiteral("Одинцово"), QStringLiteral("143000"));
        row("addresses 7: cities of a region", 3, 7, 0, QString(), QStringLiteral("Московская"),
            QStringLiteral("истра|одинцово"));
        row("addresses 8: all cities", 3, 8, 0, QString(), QString(), QStringLiteral("истра|минск|одинцово|тверь"));
        row("addresses 8: cities of an index", 3, 8, 0, QStringLiteral("143000"), QString(),
            QStringLiteral("одинцово"));
        row("addresses 9: no such list", 3, 9, 0, QString(), QString(), QString());

        row("4: roles of people in organizations", 4, 0, 0, surnames, QString(), QStringLiteral("бухгалтер|директор"));
        row("internet contacts of type 1", 5, 1, 0, surnames, QString(), QStringLiteral("a@x.ru|b@x.ru"));
        row("internet contacts of type 3", 5, 3, 0, surnames, QString(), QStringLiteral("x.ru"));
        row("internet contacts of type 2", 5, 2, 0, surnames, QString(), QString());
        row("events: all", 8, 0, 0, surnames, QString(), QStringLiteral("встреча|звонок|письмо"));
        row("events: the none id is no project", 8, 0, 0, surnames, Ids::None, QStringLiteral("встреча|звонок|письмо"));
        row("events: of a project", 8, 0, 0, surnames, QStringLiteral("project"), QStringLiteral("встреча|звонок"));

        row("roles 1: of people", 20, 1, 0, surnames, QString(),
            QStringLiteral("бухгалтер|водитель|директор|друг|участник"));
        row("roles 1: of people towards organizations", 20, 1, 6, surnames, QString(),
            QStringLiteral("бухгалтер|директор"));
        row("roles 1: of organizations", 20, 6, 0, surnames, QString(), QStringLiteral("работодатель"));
        row("roles 2: used in a project", 20, 9, 0, surnames, QStringLiteral("project"), QStringLiteral("друг"));
        row("roles 3: held by one object", 20, 0, -1, surnames, QStringLiteral("p2"), QStringLiteral("директор|друг"));
        row("roles 3: held by one object towards events", 20, 8, -1, surnames, QStringLiteral("p2"),
            QStringLiteral("участник"));
        row("roles 4: opposite side held by one object", 20, 0, -2, surnames, QStringLiteral("p1"),
            QStringLiteral("друг|работодатель"));
        row("roles 4: opposite side held by one object, events", 20, 8, -2, surnames, QStringLiteral("p2"),
            QStringLiteral("итог"));
        row("roles 5: within one group", 20, 1, 0, surnames, QStringLiteral("group1"),
            QStringLiteral("водитель|директор"));
        row("roles 5: within one group towards organizations", 20, 1, 6, surnames, QStringLiteral("group1"),
            QStringLiteral("директор"));

        const QString currency = QStringLiteral("Str4");
        row("currencies by use", 23, 0, 0, currency, QString(), QStringLiteral("usd|rub"));
        row("currencies of a category, equal use by name", 23, 0, 21, currency, QStringLiteral("category"),
            QStringLiteral("rub|usd"));
        row("currencies of operations linked to an object", 23, 0, 0, currency, QStringLiteral("p4"),
            QStringLiteral("usd"));
        row("currencies of one operation", 23, 0, 0, currency, QStringLiteral("op2"), QStringLiteral("rub"));
        row("currencies", 23, 1, 0, currency, QString(), QStringLiteral("rub|usd"));
        row("counterparties of money operations", 24, 0, 0, QStringLiteral("Str5"), QString(),
            QStringLiteral("алексеев а.|иванов п.|ромашка"));
        row("any other kind: notes", 10, 0, 0, surnames, QString(), QStringLiteral("а заметка|б заметка"));
    }

    void distinctValues()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        QFETCH(int, extra);
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const QString resolved = m_web->Id(value).isEmpty() ? value : m_web->Id(value);
        TValueList list {{QStringLiteral("stale"), TGID(Ids::None)}};
        const bool ran = DistinctValues(nullptr, column, resolved, list, extra, mode, kind);
        QCOMPARE(ran, !(kind == 3 && mode == 9));
        QCOMPARE(Folded(list), Split(expected));
        for (const TValueItem& item : std::as_const(list))
            QVERIFY(!item.HasId());
    }

    void objectLists_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("holderKind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("expected"); // keys of the objects listed, in order
        QTest::newRow("projects") << 9 << 0 << QString() << QStringLiteral("project2|project");
        QTest::newRow("objects linked by roles") << 20 << 0 << QStringLiteral("p2") << QStringLiteral("p1|ev1");
        QTest::newRow("groups for an organization")
            << 21 << 6 << QStringLiteral("firm1") << QStringLiteral("project2|project|firmGroups|ownFirmGroup");
        QTest::newRow("groups of an event and its project")
            << 21 << 8 << QStringLiteral("ev1") << QStringLiteral("evShared|evOwn");
        QTest::newRow("income subgroups of a category")
            << 21 << 27 << QStringLiteral("category") << QStringLiteral("subcategory");
        QTest::newRow("expense subgroups of a category")
            << 21 << 28 << QStringLiteral("expenses") << QStringLiteral("furniture|repairs");
        QTest::newRow("groups for people") << 21 << 1 << QString() << QStringLiteral("project2|project|group1");
        QTest::newRow("accounts by name") << 23 << 0 << QString() << QStringLiteral("acc3|acc2|acc1");
        QTest::newRow("meeting kinds of an object") << 31 << 0 << QStringLiteral("p1") << QStringLiteral("mk2|mk1");
        QTest::newRow("any other kind, blank names left out") << 10 << 0 << QString() << QStringLiteral("n2|n1");
    }

    void objectLists()
    {
        QFETCH(int, kind);
        QFETCH(int, holderKind);
        QFETCH(QString, id);
        QFETCH(QString, expected);
        TValueList list;
        QVERIFY(ObjectList(kind, holderKind, nullptr, list, m_web->Id(id)));
        QStringList keys;
        for (const TValueItem& item : std::as_const(list))
            keys << m_web->Key(item.Id);
        QCOMPARE(keys, Split(expected));
        for (qsizetype i = 0; i < list.size(); ++i)
            QCOMPARE(IndexOfId(list[i].Id.Text().toLower(), list), int(i));
    }

    void objectListShowsTheListsText()
    {
        TValueList accounts;
        QVERIFY(ObjectList(Kind::Account, 0, nullptr, accounts, QString()));
        QCOMPARE(ValueTexts(accounts),
            (QStringList {QStringLiteral("Вклад, USD"), QStringLiteral("Карта, rub"), QStringLiteral("Кошелёк, RUB")}));
        TValueList linked;
        QVERIFY(ObjectList(Kind::Role, 0, nullptr, linked, m_web->Id(QStringLiteral("p2"))));
        QCOMPARE(ValueTexts(linked),
            (QStringList {QStringLiteral("иванов П."), QStringLiteral("[Дата не определена] Встреча")}));
    }

    void fillValueList_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("skipBlank");
        QTest::addColumn<bool>("withIds");
        QTest::addColumn<bool>("ran");
        QTest::addColumn<QString>("expected"); // texts, with "#" after an item that carries an id
        // The accounts were written in the reverse order of their names.
        QTest::newRow("distinct without ordering is sorted")
            << QStringLiteral("select distinct Str5 from AllInfo where ObjType = 23") << false << false << true
            << QStringLiteral("Вклад, USD|Карта, rub|Кошелёк, RUB");
        QTest::newRow("an ordering of its own is kept")
            << QStringLiteral("select distinct Str5 from AllInfo where ObjType = 23 order by Str5 desc") << false
            << false << true << QStringLiteral("Кошелёк, RUB|Карта, rub|Вклад, USD");
        QTest::newRow("an ordering inside a subselect does not count")
            << QStringLiteral("select distinct Str5 from AllInfo where ObjType = 23 and ObjId in (select Link1 from "
                              "AllInfo where ObjType = 24 order by Link1 desc)")
            << true << false << true << QStringLiteral("Вклад, USD|Карта, rub|Кошелёк, RUB");
        QTest::newRow("blank rows kept") << QStringLiteral("select Str1 from AllInfo where ObjType = 10 order by Str1")
                                         << false << false << true << QStringLiteral("|а заметка|Б заметка");
        QTest::newRow("blank rows skipped")
            << QStringLiteral("select Str1 from AllInfo where ObjType = 10 order by Str1") << true << false << true
            << QStringLiteral("а заметка|Б заметка");
        QTest::newRow("ids attached") << QStringLiteral(
            "select Str1, ObjId from AllInfo where ObjType = 10 order by Str1")
                                      << true << true << true << QStringLiteral("а заметка#|Б заметка#");
        QTest::newRow("empty second column attaches nothing")
            << QStringLiteral("select Str1, Str2 from AllInfo where ObjType = 10 order by Str1") << true << true << true
            << QStringLiteral("а заметка|Б заметка");
        QTest::newRow("a failing statement leaves the list empty")
            << QStringLiteral("select Str1 from NoSuchTable") << false << false << false << QString();
        QTest::newRow("an empty statement") << QString() << false << false << false << QString();
    }

    void fillValueList()
    {
        QFETCH(QString, sql);
        QFETCH(bool, skipBlank);
        QFETCH(bool, withIds);
        QFETCH(bool, ran);
        QFETCH(QString, expected);
        TValueList list {{QStringLiteral("stale"), TGID(Ids::None)}};
        QCOMPARE(FillValueList(m_fixture->Db(), sql, skipBlank, withIds, list), ran);
        QStringList texts;
        for (const TValueItem& item : std::as_const(list))
            texts << item.Text + (item.HasId() ? QStringLiteral("#") : QString());
        QCOMPARE(texts, Split(expected));
    }

    void indexOfIdAndFreeListIds()
    {
        const TValueList list
            = {{QStringLiteral("без id"), TGID()}, {QStringLiteral("первый"), TGID(QStringLiteral("0000001A0000000A"))},
                {QStringLiteral("второй"), TGID(QStringLiteral("0000001A0000000B"))},
                {QStringLiteral("повтор"), TGID(QStringLiteral("0000001a0000000b"))}};
        QCOMPARE(IndexOfId(QStringLiteral("0000001a0000000b"), list), 2);
        QCOMPARE(IndexOfId(QStringLiteral("0000001A0000000A"), list), 1);
        QCOMPARE(IndexOfId(QStringLiteral("0000001A0000000C"), list), -1);
        // An item without an id is not found by the null id or a blank one.
        QCOMPARE(IndexOfId(Ids::Null, list), -1);
        QCOMPARE(IndexOfId(QString(), list), -1);
        TValueList owned = list;
        FreeListIds(owned);
        QVERIFY(owned.isEmpty());
    }

    void fieldText()
    {
        auto q = m_fixture->Db()->CreateQuery(QStringLiteral("select Str1, Int1 from AllInfo where ObjId = ")
            + SqlDialect::Quote(m_web->Id(QStringLiteral("project"))));
        QVERIFY(q && q->next());
        const QSqlRecord row = q->record();
        QCOMPARE(FieldText(row, QStringLiteral("Str1")), QStringLiteral("Дача"));
        QCOMPARE(FieldText(row, QStringLiteral("str1")), QStringLiteral("Дача"));
        QCOMPARE(FieldText(row, QStringLiteral("Int1")), QStringLiteral("9"));
        QCOMPARE(FieldText(row, QStringLiteral("Str2")), QString());
        QCOMPARE(FieldText(QSqlRecord(), QStringLiteral("Str1")), QString());
    }

    void pictures_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("picture");
        const QList<std::tuple<const char*, int, QList<int>, int, int>> tables = {
            {"family status", 1, {45, 30, 41, 62, 50, 49, 52, 71, 56}, -1, 0},
            {"note attachment", 1, {5, 72, 75, 43}, -1, 1},
            {"account type", 0, {91, 93, 92, 94, 89, 95, 90, 27}, 777, 2},
            {"event type", 1, {79, 39, 80, 82, 83, 84, 85, 86, 37, 87}, 18, 3},
        };
        for (const auto& [name, first, pictures, outside, table] : tables) {
            QTest::addRow("%s %d (below)", name, first - 1) << table << first - 1 << outside;
            for (qsizetype i = 0; i < pictures.size(); ++i)
                QTest::addRow("%s %d", name, int(first + i)) << table << int(first + i) << pictures[i];
            QTest::addRow("%s %d (above)", name, int(first + pictures.size()))
                << table << int(first + pictures.size()) << outside;
        }
    }

    void pictures()
    {
        QFETCH(int, table);
        QFETCH(int, input);
        QFETCH(int, picture);
        switch (table) {
        case 0:
            QCOMPARE(FamilyStatusPicture(input), picture);
            break;
        case 1:
            QCOMPARE(NoteAttachmentPicture(input), picture);
            break;
        case 2:
            QCOMPARE(AccountTypePicture(input, 777), picture);
            break;
        default:
            QCOMPARE(EventTypePicture(input), picture);
        }
    }

    void addressText_data()
    {
        QTest::addColumn<QStringList>("parts"); // index, country, region, district, city, street, house, flat
        QTest::addColumn<bool>("shortForm");
        QTest::addColumn<QString>("expected");
        // Without the street the parts hold 38 characters.
        auto parts = [](int streetLength) {
            return QStringList {QStringLiteral("143000"), QStringLiteral("Россия"), QStringLiteral("Тверская"),
                QStringLiteral("Калининский"), QStringLiteral("Тверь"), QString(streetLength, u'Ж'),
                QStringLiteral("1"), QStringLiteral("2")};
        };
        auto text = [](int streetLength, bool district, bool country) -> QString {
            return QStringLiteral("143000, ") + (country ? QStringLiteral("Россия, ") : QString())
                + QStringLiteral("Тверская обл., ") + (district ? QStringLiteral("Калининский р-н, ") : QString())
                + QStringLiteral("Тверь, ") + QString(streetLength, u'Ж') + QStringLiteral(", 1, 2");
        };
        QTest::newRow("short parts keep all eight")
            << QStringList {QStringLiteral("1"), QStringLiteral("РФ"), QStringLiteral("Мос"), QStringLiteral("Рай"),
                   QStringLiteral("Гор"), QStringLiteral("Ул"), QStringLiteral("3"), QStringLiteral("4")}
            << true << QStringLiteral("1, РФ, Мос обл., Рай р-н, Гор, Ул, 3, 4");
        QTest::newRow("50 characters keep the district") << parts(12) << true << text(12, true, true);
        QTest::newRow("51 characters drop the district") << parts(13) << true << text(13, false, true);
        QTest::newRow("64 characters keep the country") << parts(26) << true << text(26, false, true);
        QTest::newRow("65 characters drop the country") << parts(27) << true << text(27, false, false);
        QTest::newRow("70 characters drop district and country") << parts(32) << true << text(32, false, false);
        QTest::newRow("the long form keeps everything") << parts(32) << false << text(32, true, true);
        QTest::newRow("blank parts are left out") << QStringList {QString(), QStringLiteral("Россия"),
            QStringLiteral(" "), QString(), QStringLiteral("Москва"), QStringLiteral("Тверская"), QStringLiteral("7"),
            QString()} << true << QStringLiteral("Россия, Москва, Тверская, 7");
        QTest::newRow("nothing at all") << QStringList(8, QString()) << true << QString();
    }

    void addressText()
    {
        QFETCH(QStringList, parts);
        QFETCH(bool, shortForm);
        QFETCH(QString, expected);
        QCOMPARE(AddressText(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5], parts[6], parts[7], shortForm),
            expected);
    }

    void addressTextOf()
    {
        TDBMainInfo flat;
        flat.ObjType = Kind::Address;
        flat.Str1 = QStringLiteral("Россия");
        flat.Str2 = QStringLiteral("Тверская");
        flat.Str3 = QStringLiteral("Калининский");
        flat.Str4 = QStringLiteral("Тверь");
        flat.Str5 = QString(13, u'Ж');
        flat.Link4 = QStringLiteral("1");
        flat.Link3 = QStringLiteral("2");
        flat.Link5 = QStringLiteral("143000");
        QCOMPARE(flat.Save(), 0);
        // 51 characters: the short form without the district.
        QCOMPARE(AddressTextOf(flat.Obj, nullptr),
            QStringLiteral("143000, Россия, Тверская обл., Тверь, ") + QString(13, u'Ж') + QStringLiteral(", 1, 2"));
        QCOMPARE(AddressTextOf(flat.Obj.Text().toLower(), m_fixture->Db()), AddressTextOf(flat.Obj, nullptr));
        QCOMPARE(AddressTextOf(m_web->Id(QStringLiteral("a5")), nullptr), QStringLiteral("Тверь, Советская, 7"));
        QCOMPARE(AddressTextOf(Ids::Null, nullptr), QString());
        QCOMPARE(AddressTextOf(QString(), nullptr), QString());
        QCOMPARE(AddressTextOf(Ids::None, nullptr), QString());
    }

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TObjectWeb> m_web;
};

QTEST_GUILESS_MAIN(TestLookupLists)
#include "tst_lookuplists.moc"
