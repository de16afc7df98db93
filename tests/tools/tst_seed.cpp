// The demonstration data sets: both ways of writing give the same rows, the same seed gives the same rows,
// and the rows keep every rule of the object table that the lists and cascades rely on.
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlConnection.h"
#include "tests/support/TempDatabase.h"
#include "tools/seed/Seed.h"
#include "tools/seed/SeedWords.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct TRun
{
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Admin(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ZORVIN_ADMIN), args);
    TRun run;
    if (!p.waitForFinished(120000))
        return run;
    run.Code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.Out = QString::fromUtf8(p.readAllStandardOutput());
    run.Err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

Seed::TOptions Demo(quint64 seed = 1)
{
    Seed::TOptions options;
    options.Seed = seed;
    return options;
}

qint64 Count(const TTempDatabase& db, const QString& sql)
{
    const QVariant v = db.Scalar(sql);
    return v.isValid() ? v.toLongLong() : -1;
}

const QString N = Ids::None;

} // namespace

class TestSeed : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTempDatabase> m_demo;
    std::unique_ptr<TTempDatabase> m_large;

    const TTempDatabase& Set(const QString& name) const { return name == u"large"_s ? *m_large : *m_demo; }

private Q_SLOTS:
    void initTestCase()
    {
        m_demo = std::make_unique<TTempDatabase>();
        QVERIFY(m_demo->IsOpen());
        const Seed::TResult result = Seed::FillDatabase(*m_demo->Db(), Demo());
        QVERIFY2(result.Ok, qPrintable(result.Error));
        m_large = std::make_unique<TTempDatabase>();
        Seed::TOptions large = Demo(7);
        large.Size = TSeedSize::Large;
        const Seed::TResult filled = Seed::FillDatabase(*m_large->Db(), large);
        QVERIFY2(filled.Ok, qPrintable(filled.Error));
    }

    void cleanupTestCase()
    {
        m_large.reset();
        m_demo.reset();
    }

    void recordSavesAndBulkInsertWriteTheSameRows()
    {
        TTempDatabase bulk;
        TTempDatabase records;
        const Seed::TResult inBulk = Seed::FillDatabase(*bulk.Db(), Demo(5));
        Seed::TOptions throughRecords = Demo(5);
        throughRecords.ThroughRecords = true;
        const Seed::TResult saved = Seed::FillDatabase(*records.Db(), throughRecords);
        QVERIFY2(inBulk.Ok, qPrintable(inBulk.Error));
        QVERIFY2(saved.Ok, qPrintable(saved.Error));
        QCOMPARE(saved.Rows, inBulk.Rows);
        QCOMPARE(saved.LastId, inBulk.LastId);
        // Identical to the byte, stamps, derived columns and the identity row's counter included.
        const QString a = bulk.Dump();
        const QString b = records.Dump();
        QCOMPARE(a.size(), b.size());
        QVERIFY(a == b);
    }

    void theSeedDecidesTheRows_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("same");
        QTest::newRow("same seed, same day") << quint64(1) << Seed::DefaultToday() << true;
        QTest::newRow("another seed") << quint64(2) << Seed::DefaultToday() << false;
        QTest::newRow("another day") << quint64(1) << Seed::DefaultToday().addDays(1) << false;
    }

    void theSeedDecidesTheRows()
    {
        QFETCH(quint64, seed);
        QFETCH(QDate, today);
        QFETCH(bool, same);
        TTempDatabase other;
        Seed::TOptions options = Demo(seed);
        options.Today = today;
        QVERIFY(Seed::FillDatabase(*other.Db(), options).Ok);
        QCOMPARE(other.Dump() == m_demo->Dump(), same);
    }

    void rowsKeepTheRulesOfTheObjectTable_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("violations");
        for (const QString& set : {u"demo"_s, u"large"_s}) {
            for (const auto& [name, sql] : Rules())
                QTest::newRow(qPrintable(set + u": "_s + name)) << set << sql;
        }
    }

    void rowsKeepTheRulesOfTheObjectTable()
    {
        QFETCH(QString, set);
        QFETCH(QString, violations);
        QCOMPARE(Count(Set(set), violations), 0);
    }

    static QList<std::pair<QString, QString>> Rules()
    {
        QList<std::pair<QString, QString>> rules;
        auto rule = [&rules](const char* name, const QString& sql) { rules.append({QString::fromUtf8(name), sql}); };
        const QString links
            = u"select ObjType t, ObjId i, Link1 v from AllInfo union all select ObjType, ObjId, Link2 "
              u"from AllInfo union all select ObjType, ObjId, Link3 from AllInfo union all select "
              u"ObjType, ObjId, Link4 from AllInfo union all select ObjType, ObjId, Link5 from AllInfo"_s;
        rule("no link column is left empty",
            u"select count(*) from (%1) where t not in (3, 897, 899) and v in ('', '0000000000000000')"_s.arg(links));
        rule("every link names an existing row",
            u"select count(*) from (%1) x where t not in (3, 29, 897, 899) and not exists (select 1 from AllInfo y "
            u"where y.ObjId = x.v)"_s.arg(links));
        rule("an account's balance is the sum of its operations",
            u"select count(*) from AllInfo a where ObjType = 23 and Int5 <> (select coalesce(sum(Int2), 0) from "
            u"AllInfo o where o.ObjType = 24 and o.Link1 = a.ObjId)"_s);
        rule("paired halves point at each other",
            u"select count(*) from AllInfo o left join AllInfo p on p.ObjId = o.Link5 where o.ObjType = 24 and "
            u"o.Link5 <> '%1' and (p.ObjId is null or p.Link5 <> o.ObjId or p.Int1 <> o.Int1 or p.Int4 + o.Int4 "
            u"<> 2 or p.Link1 = o.Link1 or p.Date1 <> o.Date1 or p.Link2 <> o.Link2)"_s.arg(N));
        rule("only transfers and exchanges are pairs",
            u"select count(*) from AllInfo where ObjType = 24 and (Int1 in (4, 8)) <> (Link5 <> '%1')"_s.arg(N));
        rule("a transfer moves the same amount between its two accounts",
            u"select count(*) from AllInfo o join AllInfo p on p.ObjId = o.Link5 where o.ObjType = 24 and o.Int1 "
            u"= 4 and (o.Int2 + p.Int2 <> 0 or o.Link4 <> p.Link1 or p.Link4 <> o.Link1)"_s);
        rule("money leaving an account is negative",
            u"select count(*) from AllInfo where ObjType = 24 and Int4 = 0 and ((Int1 in (2, 4, 8, 16, 128) and "
            u"Int2 >= 0) or (Int1 in (1, 32, 64) and Int2 <= 0))"_s);
        rule("a debt names its counterparty twice",
            u"select count(*) from AllInfo where ObjType = 24 and Int1 >= 16 and (Link2 = '%1' or Link4 <> Link2 "
            u"or Link3 <> '%1')"_s.arg(N));
        rule("a subcategory belongs to the operation's category",
            u"select count(*) from AllInfo o join AllInfo s on s.ObjId = o.Link4 where o.ObjType = 24 and o.Int1 "
            u"in (1, 2) and o.Link4 <> '%1' and (s.ObjType <> 21 or s.Link1 <> o.Link3 or s.Int1 <> o.Int1 + "
            u"26)"_s.arg(N));
        rule("an operation counts its object links",
            u"select count(*) from AllInfo o where ObjType = 24 and Int3 <> (select count(*) from AllInfo l where "
            u"l.ObjType = 82 and l.Link1 = o.ObjId)"_s);
        rule("two-sided roles point at each other and share the period",
            u"select count(*) from AllInfo a left join AllInfo b on b.ObjId = a.Link5 where a.ObjType = 20 and "
            u"a.Link5 <> '%1' and (b.ObjType is not 20 or b.Link5 <> a.ObjId or a.Int1 <> b.Int2 or a.Int2 <> "
            u"b.Int1 or a.Date1 <> b.Date1 or a.Date2 <> b.Date2 or a.D2Flag <> b.D2Flag)"_s.arg(N));
        rule("a role holder is of the kind the role says",
            u"select count(*) from AllInfo r join AllInfo h on h.ObjId = r.Link1 where r.ObjType = 20 and h.ObjType "
            u"<> r.Int1"_s);
        rule("one-sided roles have no other side",
            u"select count(*) from AllInfo where ObjType = 20 and Link5 = '%1' and Int2 <> 0"_s.arg(N));
        rule("a person's native family is a family",
            u"select count(*) from AllInfo p join AllInfo f on f.ObjId = p.Link1 where p.ObjType = 1 and f.ObjType "
            u"not in (7, 29)"_s);
        rule("godparents are a man and a woman at least 14 years older",
            u"select count(*) from AllInfo p left join AllInfo g on g.ObjId = p.Link2 left join AllInfo m on m.ObjId "
            u"= p.Link3 where p.ObjType = 1 and ((p.Link2 <> '%1' and (g.ObjType <> 1 or g.Flag <> 0 or g.Date1 > "
            u"p.Date1 - 14 * 365)) or (p.Link3 <> '%1' and (m.ObjType <> 1 or m.Flag <> -1 or m.Date1 > p.Date1 - "
            u"14 * 365)))"_s.arg(N));
        rule("a family has a husband, a wife or both",
            u"select count(*) from AllInfo f left join AllInfo h on h.ObjId = f.Link1 left join AllInfo w on "
            u"w.ObjId = f.Link2 where f.ObjType = 7 and ((f.Link1 = '%1' and f.Link2 = '%1') or (f.Link1 <> '%1' "
            u"and h.Flag <> 0) or (f.Link2 <> '%1' and w.Flag <> -1))"_s.arg(N));
        rule("children are at least 16 years younger than their parents",
            u"select count(*) from AllInfo c join AllInfo f on f.ObjId = c.Link1 join AllInfo p on p.ObjId in "
            u"(f.Link1, f.Link2) where c.ObjType = 1 and f.ObjType = 7 and c.Date1 <> 0 and p.Date1 <> 0 and "
            u"c.Date1 < p.Date1 + 16 * 365"_s);
        rule("children bear the father's surname until a daughter marries",
            u"select count(*) from AllInfo c join AllInfo f on f.ObjId = c.Link1 join AllInfo h on h.ObjId = f.Link1 "
            u"where c.ObjType = 1 and f.ObjType = 7 and substr(c.Str1, 1, length(h.Str1) - 2) <> substr(h.Str1, 1, "
            u"length(h.Str1) - 2) and not exists (select 1 from AllInfo m where m.ObjType = 7 and m.Link2 = "
            u"c.ObjId)"_s);
        rule("nobody is adopted by their own or native family",
            u"select count(*) from AllInfo a join AllInfo p on p.ObjId = a.Link2 join AllInfo f on f.ObjId = a.Link1 "
            u"where a.ObjType = 81 and (p.ObjType <> 1 or f.ObjType <> 7 or p.Link1 = f.ObjId or p.ObjId in "
            u"(f.Link1, f.Link2))"_s);
        rule("a family's status follows the deaths of its partners",
            u"select count(*) from AllInfo f join AllInfo h on h.ObjId = f.Link1 join AllInfo w on w.ObjId = f.Link2 "
            u"where f.ObjType = 7 and f.Int1 <> 4 and ((h.D2Flag <> 0 and w.D2Flag <> 0) <> (f.Int1 = 7) or "
            u"(h.D2Flag <> 0 and w.D2Flag = 0) <> (f.Int1 = 6))"_s);
        rule("nobody dies before being born",
            u"select count(*) from AllInfo where ObjType = 1 and D2Flag <> 0 and Date2 <= Date1"_s);
        rule("a current residence has no end",
            u"select count(*) from AllInfo where ObjType = 80 and (Flag <> 0) = (D2Flag <> 0)"_s);
        rule("person display names",
            u"select count(*) from AllInfo where ObjType = 1 and Str5 <> case when Str1 = '' then Str2 || case "
            u"when Str3 = '' then '' else ' ' || Str3 end else Str1 || ' ' || substr(Str2, 1, 1) || '.' || case "
            u"when Str3 = '' then '' else ' ' || substr(Str3, 1, 1) || '.' end end"_s);
        rule("organization display names",
            u"select count(*) from AllInfo o left join AllInfo p on p.ObjId = o.Link1 where o.ObjType = 6 and "
            u"o.Str5 <> case when o.Link1 <> '%1' then p.Str5 || ', ' || o.Str1 when o.Str2 = '' then o.Str1 else "
            u"o.Str2 || ', ' || o.Str1 end"_s.arg(N));
        rule("branches hang under independent organizations",
            u"select count(*) from AllInfo o join AllInfo p on p.ObjId = o.Link1 where o.ObjType = 6 and o.Link1 "
            u"<> '%1' and (p.ObjType <> 6 or p.Link1 <> '%1' or o.Str2 <> p.Str1)"_s.arg(N));
        rule("event display names",
            u"select count(*) from AllInfo where ObjType = 8 and Str5 <> '[' || strftime('%d.%m.%Y', Date1 + "
            u"2415018.5) || '] ' || Str1"_s);
        rule("account and group display names",
            u"select count(*) from AllInfo where (ObjType = 23 and Str5 <> Str1 || ', ' || Str4) or (ObjType = 21 "
            u"and Str5 <> Str1)"_s);
        rule("the day and month of a fixed date are kept in the year 2000",
            u"select count(*) from AllInfo where D1Search <> case when Date1 <> 0 and D1Fixed <> 0 then "
            u"julianday('2000-' || strftime('%m-%d', Date1 + 2415018.5)) - 2415018.5 else 0 end or D2Search <> case "
            u"when Date2 <> 0 and D2Fixed <> 0 then julianday('2000-' || strftime('%m-%d', Date2 + 2415018.5)) - "
            u"2415018.5 else 0 end"_s);
        rule("identifiers follow the moment of creation",
            u"select count(*) from (select DCreate, lag(DCreate) over (order by ObjId) as Previous from AllInfo "
            u"where ObjId like '0000001A%') where DCreate < Previous"_s);
        rule("a note's text is cut into pieces of 255 characters",
            u"select count(*) from AllInfo where ObjType = 10 and ((length(Str4) > 0 and length(Str3) <> 255) or "
            u"(length(Str5) > 0 and length(Str4) <> 255) or (length(Comments) > 0 and length(Str5) <> 255))"_s);
        rule("group names are unique in their scope",
            u"select count(*) from AllInfo a join AllInfo b on b.ObjType = 21 and b.ObjId > a.ObjId and b.Str1 = "
            u"a.Str1 where a.ObjType = 21 and ((a.Int1 in (1, 6, 9, 10, 25, 26) and a.Flag = 0 and b.Flag = 0 and "
            u"(a.Int1 = b.Int1 or a.Int1 = 9 or b.Int1 = 9)) or (a.Int1 in (27, 28) and a.Int1 = b.Int1 and a.Link1 "
            u"= b.Link1) or (a.Int1 = 8 and b.Int1 = 8 and a.Link2 = b.Link2 and a.Flag = 0 and b.Flag = 0))"_s);
        return rules;
    }

    void childrenCarryTheFathersNameAsPatronymic()
    {
        QHash<QString, QStringList> patronymics;
        for (const SeedWords::TMaleName& n : SeedWords::MaleNames())
            patronymics.insert(n.Name, {n.SonPatronymic, n.DaughterPatronymic});
        TSqlConnection connection = TSqlConnection::OpenSqliteFile(m_demo->FilePath(), TSqlConnection::ExistingFile);
        QSqlQuery q(connection.Database());
        QVERIFY(q.exec(u"select c.Str3, c.Flag, h.Str2 from AllInfo c join AllInfo f on f.ObjId = c.Link1 join "
                       u"AllInfo h on h.ObjId = f.Link1 where c.ObjType = 1 and f.ObjType = 7"_s));
        int children = 0;
        while (q.next()) {
            ++children;
            const QStringList forms = patronymics.value(q.value(2).toString());
            QCOMPARE(q.value(0).toString(), forms.value(q.value(1).toInt() != 0 ? 1 : 0));
        }
        QVERIFY(children > 20);
    }

    void theIdentityCounterFollowsTheRows()
    {
        TTempDatabase db;
        QVERIFY(Seed::FillDatabase(*db.Db(), Demo()).Ok);
        QCOMPARE(Count(db, u"select Int1 from AllInfo where ObjType = 899"_s),
            Count(db, u"select count(*) from AllInfo where ObjId like '0000001A%'"_s));
        // The next object the program saves gets the next identifier, not one of the seed's.
        const QString next = db.Db()->NewId(1);
        QCOMPARE(Count(db, u"select count(*) from AllInfo where ObjId = '%1'"_s.arg(next)), 0);
        QCOMPARE(Count(db, u"select count(*) from AllInfo where ObjId < '%1' and ObjId like '0000001A%'"_s.arg(next)),
            Count(db, u"select count(*) from AllInfo where ObjId like '0000001A%'"_s));
    }

    void demoHoldsWhatItPromises_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("most");
        QTest::newRow("people") << u"select count(*) from AllInfo where ObjType = 1"_s << 200 << 200;
        QTest::newRow("women among them")
            << u"select count(*) from AllInfo where ObjType = 1 and Flag <> 0"_s << 70 << 130;
        QTest::newRow("families") << u"select count(*) from AllInfo where ObjType = 7"_s << 30 << 30;
        QTest::newRow("families with children")
            << u"select count(distinct Link1) from AllInfo where ObjType = 1 and Link1 <> '%1'"_s.arg(N) << 15 << 30;
        QTest::newRow("grandchildren") << u"select count(*) from AllInfo c join AllInfo f on f.ObjId = c.Link1 join "
                                          u"AllInfo p on p.ObjId = f.Link1 "
                                          u"where c.ObjType = 1 and p.Link1 <> '%1'"_s.arg(N)
                                       << 1 << 200;
        QTest::newRow("an adoption") << u"select count(*) from AllInfo where ObjType = 81"_s << 1 << 1;
        QTest::newRow("godparents")
            << u"select count(*) from AllInfo where ObjType = 1 and (Link2 <> '%1' or Link3 <> '%1')"_s.arg(N) << 5
            << 200;
        QTest::newRow("organizations") << u"select count(*) from AllInfo where ObjType = 6"_s << 40 << 40;
        QTest::newRow("branches") << u"select count(*) from AllInfo where ObjType = 6 and Link1 <> '%1'"_s.arg(N) << 5
                                  << 10;
        QTest::newRow("addresses") << u"select count(*) from AllInfo where ObjType = 3"_s << 120 << 120;
        QTest::newRow("residences") << u"select count(*) from AllInfo where ObjType = 80"_s << 100 << 400;
        QTest::newRow("phones of people, addresses and organizations")
            << u"select count(distinct Int2) from AllInfo where ObjType = 4"_s << 3 << 3;
        QTest::newRow("internet contacts") << u"select count(*) from AllInfo where ObjType = 5"_s << 50 << 400;
        QTest::newRow("events") << u"select count(*) from AllInfo where ObjType = 8"_s << 150 << 150;
        QTest::newRow("participants")
            << u"select count(*) from AllInfo where ObjType = 20 and Int1 = 8 and Int2 in (1, 6)"_s << 150 << 600;
        QTest::newRow("notes") << u"select count(*) from AllInfo where ObjType = 10"_s << 40 << 40;
        QTest::newRow("notes with attached folders, files or sites")
            << u"select count(*) from AllInfo where ObjType = 10 and Int1 > 1 and Str2 <> ''"_s << 5 << 40;
        QTest::newRow("notes attached to objects") << u"select count(*) from AllInfo where ObjType = 34"_s << 20 << 200;
        QTest::newRow("projects") << u"select count(*) from AllInfo where ObjType = 21 and Int1 = 9"_s << 6 << 6;
        QTest::newRow("people groups") << u"select count(*) from AllInfo where ObjType = 21 and Int1 = 1"_s << 5 << 20;
        QTest::newRow("income and expense subcategories")
            << u"select count(distinct Int1) from AllInfo where ObjType = 21 and Int1 in (27, 28)"_s << 2 << 2;
        QTest::newRow("accounts") << u"select count(*) from AllInfo where ObjType = 23"_s << 5 << 5;
        QTest::newRow("currencies") << u"select count(distinct Str4) from AllInfo where ObjType = 23"_s << 2 << 2;
        QTest::newRow("operations") << u"select count(*) from AllInfo where ObjType = 24"_s << 1000 << 2000;
        QTest::newRow("two years of them")
            << u"select cast(max(Date1) - min(Date1) as integer) from AllInfo where ObjType = 24"_s << 700 << 731;
        QTest::newRow("transfers") << u"select count(*) from AllInfo where ObjType = 24 and Int1 = 4"_s << 20 << 400;
        QTest::newRow("an exchange") << u"select count(*) from AllInfo where ObjType = 24 and Int1 = 8"_s << 2 << 40;
        QTest::newRow("debts and their return")
            << u"select count(distinct Int1) from AllInfo where ObjType = 24 and Int1 >= 16"_s << 4 << 4;
        QTest::newRow("operations linked to objects")
            << u"select count(*) from AllInfo where ObjType = 82"_s << 40 << 150;
    }

    void demoHoldsWhatItPromises()
    {
        QFETCH(QString, sql);
        QFETCH(int, least);
        QFETCH(int, most);
        const qint64 n = Count(*m_demo, sql);
        QVERIFY2(n >= least && n <= most, qPrintable(u"%1 not in %2..%3"_s.arg(n).arg(least).arg(most)));
    }

    void largeHoldsWhatItPromises_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("most");
        QTest::newRow("people") << u"select count(*) from AllInfo where ObjType = 1"_s << 20000 << 20000;
        QTest::newRow("organizations") << u"select count(*) from AllInfo where ObjType = 6"_s << 3000 << 3000;
        QTest::newRow("events") << u"select count(*) from AllInfo where ObjType = 8"_s << 30000 << 30000;
        QTest::newRow("accounts") << u"select count(*) from AllInfo where ObjType = 23"_s << 10 << 10;
        QTest::newRow("operations") << u"select count(*) from AllInfo where ObjType = 24"_s << 72000 << 88000;
        QTest::newRow("twenty years of them")
            << u"select cast((max(Date1) - min(Date1)) / 365 as integer) from AllInfo where ObjType = 24"_s << 19 << 20;
        QTest::newRow("operations linked to objects, in per cent")
            << u"select 100 * count(distinct l.Link1) / (select count(*) from AllInfo where ObjType = 24) from AllInfo l "
               u"where l.ObjType = 82"_s
            << 4 << 6;
        QTest::newRow("people whose surname begins with Ив")
            << u"select count(*) from AllInfo where ObjType = 1 and Str1 like 'ив%'"_s << 200 << 1000;
    }

    void largeHoldsWhatItPromises()
    {
        QFETCH(QString, sql);
        QFETCH(int, least);
        QFETCH(int, most);
        const qint64 n = Count(*m_large, sql);
        QVERIFY2(n >= least && n <= most, qPrintable(u"%1 not in %2..%3"_s.arg(n).arg(least).arg(most)));
    }

    void womenBearTheirSurnames_data()
    {
        QTest::addColumn<QString>("man");
        QTest::addColumn<QString>("woman");
        QTest::newRow("-ов") << u"Иванов"_s << u"Иванова"_s;
        QTest::newRow("-ев") << u"Соловьев"_s << u"Соловьева"_s;
        QTest::newRow("-ин") << u"Ильин"_s << u"Ильина"_s;
        QTest::newRow("-ский") << u"Покровский"_s << u"Покровская"_s;
        QTest::newRow("-цкий") << u"Заболоцкий"_s << u"Заболоцкая"_s;
        QTest::newRow("-ой") << u"Толстой"_s << u"Толстая"_s;
        QTest::newRow("-ых stays") << u"Черных"_s << u"Черных"_s;
        QTest::newRow("-енко stays") << u"Шевченко"_s << u"Шевченко"_s;
        QTest::newRow("short stays") << u"Ким"_s << u"Ким"_s;
    }

    void womenBearTheirSurnames()
    {
        QFETCH(QString, man);
        QFETCH(QString, woman);
        QCOMPARE(SeedWords::FemaleSurname(man), woman);
    }

    void latinSpellingOfNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("latin");
        QTest::newRow("plain") << u"Иванов"_s << u"ivanov"_s;
        QTest::newRow("digraphs") << u"Щукин Жора Чехов"_s << u"shchukinzhorachekhov"_s;
        QTest::newRow("soft and hard signs dropped") << u"Ильич Объедков"_s << u"ilichobedkov"_s;
        QTest::newRow("ё, ю, я") << u"Ёлкина Юлия"_s << u"elkinayuliya"_s;
        QTest::newRow("quotes and dashes dropped, digits kept") << u"\"Альфа-2\""_s << u"alfa2"_s;
    }

    void latinSpellingOfNames()
    {
        QFETCH(QString, text);
        QFETCH(QString, latin);
        QCOMPARE(SeedWords::Transliterate(text), latin);
    }

    void demoHasBirthdaysInTheWeekOfItsToday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::newRow("spring") << QDate(2026, 3, 10);
        QTest::newRow("the last week of the year") << QDate(2026, 12, 28);
    }

    void demoHasBirthdaysInTheWeekOfItsToday()
    {
        QFETCH(QDate, today);
        TTempDatabase db;
        Seed::TOptions options = Demo();
        options.Today = today;
        QVERIFY(Seed::FillDatabase(*db.Db(), options).Ok);
        // Living people with the reminder on whose day and month fall in the seven days after today.
        int found = 0;
        for (int day = 1; day <= 7; ++day) {
            const QDate date = today.addDays(day);
            const double key = DateSerial::FromDate(QDate(2000, date.month(), date.day()));
            found += static_cast<int>(Count(db,
                u"select count(*) from AllInfo where ObjType = 1 and D1Fixed <> 0 and D2Flag = 0 and D1Search = %1"_s
                    .arg(key)));
        }
        QVERIFY2(found >= 3, qPrintable(QString::number(found)));
    }

    void aDatabaseWithObjectsIsFilledOnlyWhenTold()
    {
        const qint64 before = Count(*m_demo, u"select count(*) from AllInfo"_s);
        const Seed::TResult refused = Seed::FillDatabase(*m_demo->Db(), Demo(3));
        QVERIFY(!refused.Ok);
        QVERIFY2(refused.Error.contains(u"уже содержит объекты"_s), qPrintable(refused.Error));
        QCOMPARE(Count(*m_demo, u"select count(*) from AllInfo"_s), before);

        TTempDatabase second;
        QVERIFY(Seed::FillDatabase(*second.Db(), Demo()).Ok);
        Seed::TOptions force = Demo(3);
        force.Force = true;
        const Seed::TResult added = Seed::FillDatabase(*second.Db(), force);
        QVERIFY2(added.Ok, qPrintable(added.Error));
        QCOMPARE(added.FirstId, MakeId(static_cast<quint32>(before - 3) + 1, 0x1A));
        QCOMPARE(Count(second, u"select count(*) from AllInfo"_s), before + added.Rows);
    }

    void aReferenceDatabaseIsNotFilled()
    {
        TNewDatabase options = TTempDatabase::DefaultOptions();
        options.Reference = true;
        TTempDatabase reference(options);
        const Seed::TResult result = Seed::FillDatabase(*reference.Db(), Demo());
        QVERIFY(!result.Ok);
        QCOMPARE(result.Error, u"Попытка записи в базу констант!"_s);
        QCOMPARE(Count(reference, u"select count(*) from AllInfo"_s), 3);
    }

    void theCommandCreatesOrFillsTheFile_data()
    {
        QTest::addColumn<bool>("createFirst");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("a missing file is created with the seed's prefix") << false << u"00005EED"_s;
        QTest::newRow("a file made by create-db keeps its prefix") << true << u"0000004D"_s;
    }

    void theCommandCreatesOrFillsTheFile()
    {
        QFETCH(bool, createFirst);
        QFETCH(QString, prefix);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"Новая папка/Data/WBD.zdb"_s);
        if (createFirst)
            QCOMPARE(Admin({u"create-db"_s, file, u"--prefix"_s, u"77"_s}).Code, 0);
        const TRun run = Admin({u"seed"_s, file, u"--size"_s, u"demo"_s, u"--seed"_s, u"4"_s});
        QVERIFY2(run.Code == 0, qPrintable(run.Err));
        QVERIFY2(run.Out.contains(prefix + u"00000001"_s), qPrintable(run.Out));

        TMyDataBase db;
        QCOMPARE(db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file), 0);
        auto q
            = db.CreateQuery(u"select count(*) from AllInfo where ObjType = 1 and ObjId like \""_s + prefix + u"%\""_s);
        QVERIFY(q && q->next());
        QCOMPARE(q->value(0).toInt(), 200);
        q.reset();
        db.Close();
        const TRun again = Admin({u"seed"_s, file, u"--size"_s, u"demo"_s});
        QCOMPARE(again.Code, 1);
        QVERIFY2(again.Err.contains(u"--force"_s), qPrintable(again.Err));
    }

    void theCommandRefusesBadInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no size") << QStringList {u"@"_s} << 2 << u"--size"_s;
        QTest::newRow("unknown size") << QStringList {u"@"_s, u"--size"_s, u"big"_s} << 2 << u"demo, large или huge"_s;
        QTest::newRow("seed not a number")
            << QStringList {u"@"_s, u"--size"_s, u"demo"_s, u"--seed"_s, u"x"_s} << 2 << u"Зерно"_s;
        QTest::newRow("bad day") << QStringList {u"@"_s, u"--size"_s, u"demo"_s, u"--today"_s, u"31.02.2020"_s} << 2
                                 << u"ДД.ММ.ГГГГ"_s;
        QTest::newRow("no path") << QStringList {u"--size"_s, u"demo"_s} << 2 << u"путь"_s;
        QTest::newRow("not a database") << QStringList {u"#"_s, u"--size"_s, u"demo"_s} << 1 << u""_s;
    }

    void theCommandRefusesBadInput()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"base.zdb"_s);
        const QString text = dir.filePath(u"notes.txt"_s);
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a database\n");
        }
        args.replaceInStrings(u"@"_s, file);
        args.replaceInStrings(u"#"_s, text);
        const TRun run = Admin(QStringList {u"seed"_s} + args);
        QCOMPARE(run.Code, code);
        QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
        QVERIFY(!QFile::exists(file));
        QFile f(text);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("not a database\n"));
    }
};

QTEST_GUILESS_MAIN(TestSeed)
#include "tst_seed.moc"
