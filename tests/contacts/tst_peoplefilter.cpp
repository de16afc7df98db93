// The extended search of the people list: each filter row's condition, run on a fixture of people and the
// rows that link them (roles, residences, internet contacts).
#include "contacts/PeopleFilter.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QDate Today(2024, 6, 15);

QString Store(int kind, const std::function<void(TDBMainInfo&)>& fill)
{
    TDBMainInfo row;
    row.ObjType = kind;
    fill(row);
    if (row.Save() != 0)
        return QString();
    return row.Obj;
}

QString Person(const QString& surname, bool female, const QDate& birth, bool reminder, bool dead = false)
{
    return Store(Kind::Person, [&](TDBMainInfo& p) {
        p.Str1 = surname;
        p.Flag = female;
        if (birth.isValid()) {
            p.Date1 = DateSerial::FromDate(birth);
            p.D1Flag = true;
            p.D1Fixed = reminder;
        }
        p.D2Flag = dead;
    });
}

// A role row of a person (Int1 1) in a group.
QString Role(const QString& holder, const QString& name, const QString& group, int rating, bool ended,
    bool current = true, const QString& pair = QString())
{
    return Store(20, [&](TDBMainInfo& r) {
        r.Link1 = holder;
        r.Int1 = 1;
        r.Str1 = name;
        r.Link2 = group;
        r.Int4 = rating;
        r.D2Flag = ended;
        r.Flag = current;
        if (!pair.isEmpty())
            r.Link5 = pair;
    });
}

// The other side of a role: the row whose Link1 is the organization or event.
QString RoleSide(const QString& object)
{
    return Store(20, [&](TDBMainInfo& r) {
        r.Link1 = object;
        r.Int1 = 6;
    });
}

struct TFixture
{
    QString Anisimov, Borisova, Vlasov, Galkina, Demin, Egorov;
    QString GroupOne, GroupOther, Address, Organization, Event;
};

TFixture MakeFixture()
{
    TFixture f;
    f.Anisimov = Person(u"Анисимов"_s, false, QDate(1990, 5, 10), true);
    f.Borisova = Person(u"Борисова"_s, true, QDate(1980, 5, 20), false);
    f.Vlasov = Person(u"Власов"_s, false, QDate(1950, 12, 31), true, true);
    f.Galkina = Person(u"Галкина"_s, true, QDate(), false);
    f.Demin = Person(u"Дёмин"_s, false, QDate(2000, 2, 29), true);
    f.Egorov = Person(u"Егоров"_s, false, QDate(1994, 6, 15), false);
    f.GroupOne = Store(21, [](TDBMainInfo& g) { g.Str1 = u"Друзья"_s; });
    f.GroupOther = Store(21, [](TDBMainInfo& g) { g.Str1 = u"Работа"_s; });
    Role(f.Anisimov, u"Друг"_s, f.GroupOne, 5, false);
    Role(f.Borisova, u"Друг детства"_s, Ids::None, 2, true);
    Store(5, [&](TDBMainInfo& i) {
        i.Link1 = f.Borisova;
        i.Str1 = u"boris@mail.ru"_s;
    });
    f.Address = Store(3, [](TDBMainInfo& a) {
        a.Str1 = u"Россия"_s;
        a.Str4 = u"Москва"_s;
    });
    Store(80, [&](TDBMainInfo& r) {
        r.Link1 = f.Address;
        r.Link2 = f.Vlasov;
        r.Flag = true;
    });
    Store(80, [&](TDBMainInfo& r) {
        r.Link1 = f.Address;
        r.Link2 = f.Galkina;
        r.Flag = false;
    });
    f.Organization = Store(6, [](TDBMainInfo& o) { o.Str1 = u"Завод"_s; });
    f.Event = Store(8, [](TDBMainInfo& e) { e.Str1 = u"Свадьба"_s; });
    Role(f.Egorov, QString(), f.GroupOther, 0, false, true, RoleSide(f.Organization));
    Role(f.Demin, QString(), f.GroupOther, 0, false, false, RoleSide(f.Organization));
    Role(f.Anisimov, QString(), f.GroupOther, 0, true, false, RoleSide(f.Event));
    return f;
}

// The surnames the conditions select, in order.
QStringList Selected(const QString& conditions)
{
    QString sql = u"select AllInfo.Str1 from AllInfo where AllInfo.ObjType = 1"_s;
    if (!conditions.isEmpty())
        sql += u" and "_s + conditions;
    auto query = TMyDataBase::QueryOn(nullptr, sql + u" order by AllInfo.Str1"_s);
    QStringList names;
    if (!query)
        return {u"<statement failed>"_s};
    while (query->next())
        names << query->value(0).toString();
    return names;
}

const QStringList Everybody{
    u"Анисимов"_s, u"Борисова"_s, u"Власов"_s, u"Галкина"_s, u"Дёмин"_s, u"Егоров"_s};

} // namespace

using TFill = std::function<void(TPeopleFilter&, const TFixture&)>;
Q_DECLARE_METATYPE(TFill)

class TestPeopleFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void YearsBeforeKeepsDatesValid_data();
    void YearsBeforeKeepsDatesValid();
    void RowSelectsPeople_data();
    void RowSelectsPeople();
};

void TestPeopleFilter::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestPeopleFilter::YearsBeforeKeepsDatesValid_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("years");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("ordinary day") << QDate(2024, 6, 15) << 30 << QDate(1994, 6, 15);
    QTest::newRow("29 February to a leap year") << QDate(2024, 2, 29) << 4 << QDate(2020, 2, 29);
    QTest::newRow("29 February to a common year") << QDate(2024, 2, 29) << 1 << QDate(2023, 3, 1);
    QTest::newRow("zero years") << QDate(2024, 2, 29) << 0 << QDate(2024, 2, 29);
}

void TestPeopleFilter::YearsBeforeKeepsDatesValid()
{
    QFETCH(QDate, today);
    QFETCH(int, years);
    QFETCH(QDate, expected);
    QCOMPARE(YearsBefore(today, years), expected);
}

void TestPeopleFilter::RowSelectsPeople_data()
{
    QTest::addColumn<TFill>("fill");
    QTest::addColumn<QStringList>("expected");
    auto row = [](const char* name, TFill fill, const QStringList& expected) {
        QTest::newRow(name) << fill << expected;
    };
    row("nothing given", [](TPeopleFilter&, const TFixture&) {}, Everybody);
    row("sex male", [](TPeopleFilter& p, const TFixture&) { p.Sex = u"мужской"_s; },
        {u"Анисимов"_s, u"Власов"_s, u"Дёмин"_s, u"Егоров"_s});
    row("sex typed without м selects women", [](TPeopleFilter& p, const TFixture&) { p.Sex = u"жен"_s; },
        {u"Борисова"_s, u"Галкина"_s});
    row("status alive", [](TPeopleFilter& p, const TFixture&) { p.Status = u"Живые"_s; },
        {u"Анисимов"_s, u"Борисова"_s, u"Галкина"_s, u"Дёмин"_s, u"Егоров"_s});
    row("status dead", [](TPeopleFilter& p, const TFixture&) { p.Status = u"Умерли"_s; }, {u"Власов"_s});
    row("age from 30 skips the unknown birth date",
        [](TPeopleFilter& p, const TFixture&) { p.Age = u"от: 30  до:   "_s; },
        {u"Анисимов"_s, u"Борисова"_s, u"Власов"_s});
    row("age up to 30 includes the 30th birthday today",
        [](TPeopleFilter& p, const TFixture&) { p.Age = u"от:     до: 30"_s; }, {u"Дёмин"_s, u"Егоров"_s});
    row("age from 20 up to 40", [](TPeopleFilter& p, const TFixture&) { p.Age = u"от: 20  до: 40"_s; },
        {u"Анисимов"_s, u"Дёмин"_s, u"Егоров"_s});
    row("birth date complete", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"10.05.1990"_s; },
        {u"Анисимов"_s});
    row("birth month and year, any reminder", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"  .05.1980"_s; },
        {u"Борисова"_s});
    row("birth month only: reminders in May", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"  .05.    "_s; },
        {u"Анисимов"_s});
    row("birth day and month: the day is ignored",
        [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"20.05.    "_s; }, {u"Анисимов"_s});
    row("birth month 12 ends in the next year", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"  .12.    "_s; },
        {u"Власов"_s});
    row("birth month of 29 February", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"  .02.    "_s; },
        {u"Дёмин"_s});
    row("birth 29 February of a leap year", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"29.02.2000"_s; },
        {u"Дёмин"_s});
    row("birth 29 February of a common year adds nothing",
        [](TPeopleFilter& p, const TFixture&) {
            p.BirthDay = u"29.02.2001"_s;
            p.Sex = u"женский"_s;
        },
        {u"Борисова"_s, u"Галкина"_s});
    row("birth month 13 adds nothing", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"  .13.    "_s; },
        Everybody);
    row("birth year only", [](TPeopleFilter& p, const TFixture&) { p.BirthDay = u"  .  .2000"_s; }, {u"Дёмин"_s});
    row("group", [](TPeopleFilter& p, const TFixture& f) { p.Group = f.GroupOne; }, {u"Анисимов"_s});
    row("group not given", [](TPeopleFilter& p, const TFixture&) { p.Group = Ids::None; }, {u"Борисова"_s});
    row("role prefix", [](TPeopleFilter& p, const TFixture&) { p.Role = u"Друг"_s; },
        {u"Анисимов"_s, u"Борисова"_s});
    row("role with a minimum rating",
        [](TPeopleFilter& p, const TFixture&) {
            p.Role = u"Друг"_s;
            p.Rating = u"от: 3  до:   "_s;
        },
        {u"Анисимов"_s});
    row("role with a maximum rating",
        [](TPeopleFilter& p, const TFixture&) {
            p.Role = u"Друг"_s;
            p.Rating = u"от:    до: 2"_s;
        },
        {u"Борисова"_s});
    row("role that ended", [](TPeopleFilter& p, const TFixture&) {
            p.Role = u"Друг"_s;
            p.State = PeopleStates::Was;
        },
        {u"Борисова"_s});
    row("group, still in it", [](TPeopleFilter& p, const TFixture& f) {
            p.Group = f.GroupOne;
            p.State = PeopleStates::Now;
        },
        {u"Анисимов"_s});
    row("rating without group or role adds nothing",
        [](TPeopleFilter& p, const TFixture&) { p.Rating = u"от: 3  до: 9"_s; }, Everybody);
    row("internet resource contains", [](TPeopleFilter& p, const TFixture&) { p.Internet = u"mail"_s; },
        {u"Борисова"_s});
    row("country prefix: residents now and before", [](TPeopleFilter& p, const TFixture&) { p.Country = u"Рос"_s; },
        {u"Власов"_s, u"Галкина"_s});
    row("city that matches nobody", [](TPeopleFilter& p, const TFixture&) {
            p.Country = u"Рос"_s;
            p.City = u"Тверь"_s;
        },
        {});
    row("phone of a person", [](TPeopleFilter& p, const TFixture& f) {
            p.PhoneOwner = f.Anisimov;
            p.PhoneOwnerKind = 1;
        },
        {u"Анисимов"_s});
    row("phone of an address: who lives there now", [](TPeopleFilter& p, const TFixture& f) {
            p.PhoneOwner = f.Address;
            p.PhoneOwnerKind = 3;
        },
        {u"Власов"_s});
    row("phone of an organization: current roles", [](TPeopleFilter& p, const TFixture& f) {
            p.PhoneOwner = f.Organization;
            p.PhoneOwnerKind = 6;
        },
        {u"Егоров"_s});
    row("phone of another kind adds nothing", [](TPeopleFilter& p, const TFixture& f) {
            p.PhoneOwner = f.Event;
            p.PhoneOwnerKind = 8;
        },
        Everybody);
    row("linked with the organization", [](TPeopleFilter& p, const TFixture& f) { p.Organization = f.Organization; },
        {u"Дёмин"_s, u"Егоров"_s});
    row("linked with the event", [](TPeopleFilter& p, const TFixture& f) { p.Event = f.Event; }, {u"Анисимов"_s});
}

void TestPeopleFilter::RowSelectsPeople()
{
    QFETCH(TFill, fill);
    QFETCH(QStringList, expected);
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    const TFixture people = MakeFixture();
    QVERIFY(!people.Egorov.isEmpty());
    TPeopleFilter filter;
    fill(filter, people);
    QCOMPARE(Selected(PeopleFilterConditions(filter, Today)), expected);
}

QTEST_MAIN(TestPeopleFilter)
#include "tst_peoplefilter.moc"
