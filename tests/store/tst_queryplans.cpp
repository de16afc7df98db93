// Each index of the schema is used by the statements it is for: SQLite's query plan of each statement, as
// the translator spells it, names the index. A change that makes a statement stop using its index fails.
#include "store/DataBase.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlConnection.h"
#include "tests/support/TempDatabase.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The plan's lines (the detail column of EXPLAIN QUERY PLAN) for a dialect statement.
QStringList PlanOf(TMyDataBase* db, const QString& dialectSql)
{
    QStringList lines;
    QSqlQuery q(db->Connection());
    if (!q.exec(u"EXPLAIN QUERY PLAN "_s + db->Translate(dialectSql)))
        return {u"cannot explain: "_s + q.lastError().text()};
    while (q.next())
        lines << q.value(3).toString();
    return lines;
}

bool UsesIndex(const QStringList& plan, const QString& index)
{
    for (const QString& line : plan) {
        for (const QString& form : {u"USING INDEX "_s, u"USING COVERING INDEX "_s}) {
            const qsizetype at = line.indexOf(form + index);
            if (at < 0)
                continue;
            const qsizetype end = at + form.size() + index.size();
            if (end == line.size() || line.at(end) == u' ')
                return true;
        }
    }
    return false;
}

const QString kObject = u"\"0000001A000000AA\""_s;
const QString kNone = u"\"0000000200000001\""_s;

// The totals under an operation list: the money in and out of the operations of one currency (the accounts of
// that currency) that meet \a conditions, as the totals panel sends them.
const QString kRoubles = u"(AllInfo.Link1 in (select ObjId from AllInfo where ObjType = 23 and Str4 = \"руб\"))"_s;
const QString kMonth = kRoubles + u" and (AllInfo.Date1 >= #12/01/2026#) and (AllInfo.Date1 < #01/01/2027#)"_s;

QString TotalsOf(const QString& conditions)
{
    return u"select sum(case when AllInfo.Int2 > 0 then AllInfo.Int2 else 0 end), sum(case when AllInfo.Int2 < 0 then "
           u"AllInfo.Int2 else 0 end) from AllInfo Where ObjType = 24 and "_s
        + conditions;
}

struct TCase
{
    const char* Name;
    QString Index;
    QString Sql;
    QString KnownMiss;
};

QList<TCase> Cases()
{
    return {
        {"phones of an object", u"AllInfo_Link1"_s,
            u"select ObjId, Str1, Str2, Int1, Int2, Comments, \"\" as LinkId from AllInfo where ObjType = 4 and Link1 = "_s
                + kObject,
            {}},
        {"branches of an organization", u"AllInfo_Link1"_s,
            u"select count(*) from AllInfo where ObjType = 6 and Link1 = "_s + kObject, {}},
        {"roles of a deleted object", u"AllInfo_Link1"_s,
            u"delete from allInfo where ObjType = 20 and Link1 = "_s + kObject, {}},
        {"links of the operations of a deleted account", u"AllInfo_Link1"_s,
            u"delete from ALLINFO where ObjType = 82 and Link1 in (select ObjId from AllInfo where ObjType = 24 and "
            u"Link1 = "_s
                + kObject + u")"_s,
            {}},
        {"first links to a deleted object", u"AllInfo_Link1"_s,
            u"update allInfo set Link1 = "_s + kNone + u" where Link1 = "_s + kObject, {}},
        {"notes attached to an object", u"AllInfo_Link2"_s,
            u"SELECT ALLINFO.*, Links.ObjId as LinkId FROM ALLINFO, AllInfo As Links where Links.ObjType = 34 and "
            u"Links.Link2 = "_s
                + kObject + u" and AllInfo.ObjId = Links.Link1 order by AllInfo.Date1 desc"_s,
            {}},
        {"the husbands of a woman", u"AllInfo_Link2"_s,
            u"select allInfo.*, PInfo.ObjId as LinkId, PInfo.Str1 as PStr1 from allInfo, allInfo as PInfo where "
            u"AllInfo.objType = 7 and PInfo.ObjId = AllInfo.Link1 and allInfo.Link2 = "_s
                + kObject + u" order by AllInfo.Date1 desc"_s,
            {}},
        {"residences of a deleted person", u"AllInfo_Link2"_s,
            u"delete from allInfo where ObjType = 80 and Link2 = "_s + kObject, {}},
        {"operations of a category or project", u"AllInfo_Link3"_s,
            u"select AllInfo.*, AllInfo.ObjId as LinkId, Acc.Str1 as AccName,  Grp.Str5 as GrpName, SGrp.Str5 as "
            u"SGrpName, Acc.Str4 as ValName, PInfo.Str5 as KAName from AllInfo, AllInfo as Acc, AllInfo as Grp, "
            u"AllInfo "
            u"as SGrp, AllInfo as PInfo where AllInfo.ObjType = 24 and Acc.ObjId   = AllInfo.Link1 and PInfo.ObjId = "
            u"AllInfo.Link2 and Grp.ObjId   = AllInfo.Link3 and SGrp.ObjId  = AllInfo.Link4 and (AllInfo.Link3 = "_s
                + kObject + u") order by AllInfo.Date1 desc"_s,
            {}},
        {"operations of a deleted project", u"AllInfo_Link3"_s,
            u"update AllInfo set Link3 = "_s + kNone + u", Link4 = "_s + kNone + u" where ObjType = 24 and Link3 = "_s
                + kObject,
            {}},
        {"operations of a deleted subcategory", u"AllInfo_Link4"_s,
            u"update AllInfo set Link4 = "_s + kNone + u" where ObjType = 24 and Link4 = "_s + kObject, {}},
        {"fourth links to a deleted object", u"AllInfo_Link4"_s,
            u"update allInfo set Link4 = "_s + kNone + u" where Link4 = "_s + kObject, {}},
        {"other halves of the operations of a deleted account", u"AllInfo_Link5"_s,
            u"delete from ALLINFO where ObjType = 24 and Link5 in (select ObjId from AllInfo where ObjType = 24 and "
            u"Link1 = "_s
                + kObject + u")"_s,
            {}},
        {"fifth links to a deleted object", u"AllInfo_Link5"_s,
            u"update allInfo set Link5 = "_s + kNone + u" where Link5 = "_s + kObject, {}},
        {"people quick find by surname", u"AllInfo_Kind_Str1"_s,
            u"select AllInfo.* from AllInfo where ObjType = 1 and (Str1 like \"Ив%\" ) order by Str1, Str2, Str3"_s,
            {}},
        {"list of projects", u"AllInfo_Kind_Str1"_s,
            u"select AllInfo.* from AllInfo where AllInfo.ObjType = 21 and AllInfo.Int1 = 9 order by Str1"_s, {}},
        {"memorable dates of the coming week", u"AllInfo_D1Search"_s,
            u"select AllInfo.* from AllInfo where (ObjType = 1 or ObjType = 7 or ObjType = 6) and D2Flag = \"False\" "
            u"and (AllInfo.D1Search >= #03/10/2000#) and (AllInfo.D1Search < #03/18/2000#) order by D1Search"_s,
            {}},
        {"memorable dates of a week running into the new year", u"AllInfo_D1Search"_s,
            u"select AllInfo.* from AllInfo where (ObjType = 1 or ObjType = 7 or ObjType = 6) and D2Flag = \"False\" "
            u"and (((AllInfo.D1Search >= #12/28/2000#) and (AllInfo.D1Search < #01/01/2001#)) or "
            u"((AllInfo.D1Search >= #01/01/2000#) and (AllInfo.D1Search < #01/05/2000#))) order by "
            u"(D1Search < #12/28/2000#), D1Search, AllInfo.ObjId"_s,
            {}},
        {"people born in March of any year", u"AllInfo_D1Search"_s,
            u"select AllInfo.* from AllInfo where AllInfo.ObjType = 1 and (AllInfo.D1Search >= #03/01/2000#) and "
            u"(AllInfo.D1Search < #04/01/2000#) order by Str1, Str2, Str3"_s,
            {}},
        {"fixed second dates in a week of any year", u"AllInfo_D2Search"_s,
            u"select AllInfo.* from AllInfo where (AllInfo.D2Search >= #03/10/2000#) and (AllInfo.D2Search < "
            u"#03/18/2000#) order by D2Search"_s,
            {}},
        {"events newest first", u"AllInfo_Kind_Date1"_s,
            u"select AllInfo.* from AllInfo where AllInfo.ObjType = 8 order by AllInfo.Date1 desc"_s, {}},
        {"money operations newest first with their accounts", u"AllInfo_Kind_Date1"_s,
            u"select AllInfo.*, Acc.Str1 as AccName, PInfo.Str5 as KAName from AllInfo, AllInfo as Acc, AllInfo as "
            u"PInfo where AllInfo.ObjType = 24 and Acc.ObjId = AllInfo.Link1 and PInfo.ObjId = AllInfo.Link2 order by "
            u"AllInfo.Date1 desc"_s,
            {}},
        {"the balances: the amounts of every account's operations", u"AllInfo_Operation_Totals"_s,
            u"select Link1, cast(sum(Int2) as bigint) as ASum from AllInfo where ObjType = 24 group by Link1"_s, {}},
        {"the totals: a month's money in and out in one currency", u"AllInfo_Operation_Totals"_s, TotalsOf(kMonth), {}},
        {"the totals: the operations of each account for the currency list", u"AllInfo_Operation_Totals"_s,
            u"select AllInfo.Link1, count(*) from AllInfo where AllInfo.ObjType = 24 group by AllInfo.Link1"_s, {}},
        {"objects changed in the last week", u"AllInfo_DModify"_s,
            u"select allInfo.* from allInfo where objType in (1, 7, 6, 3, 8, 10) and (AllInfo.DModify >= #12/01/2026#) "
            u"and (AllInfo.DModify < #12/10/2026#) order by DModify desc"_s,
            {}},
    };
}

// The plan searches AllInfo through an index, never scanning the table or a whole index.
bool SearchesByIndex(const QStringList& plan)
{
    bool indexed = false;
    for (const QString& line : plan) {
        if (line.startsWith(u"SCAN AllInfo"_s))
            return false;
        indexed = indexed || line.contains(u"USING INDEX "_s) || line.contains(u"USING COVERING INDEX "_s);
    }
    return indexed;
}

// The statements of the address editor's completion lists (one per box it enters) and of its postal-index
// look-up, as the editor sends them, each with the index it must read (the countries read the kind's names).
QList<TCase> AddressCompletions()
{
    const auto list = [](const QString& key, const QString& value, int mode) {
        return DistinctValuesStatement(key, value, 0, mode, Kind::Address);
    };
    return {
        {"countries", u"AllInfo_Kind_Str1"_s, list(QString(), QString(), 0), {}},
        {"regions of a country", u"AllInfo_Address_Country"_s, list(QString(), u"Россия"_s, 1), {}},
        {"districts of a region", u"AllInfo_Address_Region"_s, list(QString(), u"Тверская"_s, 2), {}},
        {"settlements of a district", u"AllInfo_Address_District"_s, list(QString(), u"Калининский"_s, 3), {}},
        {"settlements of a region", u"AllInfo_Address_Region"_s, list(QString(), u"Тверская"_s, 7), {}},
        {"streets of a settlement", u"AllInfo_Address_Settlement"_s, list(QString(), u"Тверь"_s, 4), {}},
        {"houses of a street", u"AllInfo_Address_Settlement"_s, list(u"Тверь"_s, u"Советская"_s, 5), {}},
        {"postal indexes of a settlement", u"AllInfo_Address_Settlement"_s, list(u"Россия"_s, u"Тверь"_s, 6), {}},
        {"region, district and settlement of a postal index", u"AllInfo_Link5"_s,
            u"select Str2, Str3, Str4 from AllInfo where AllInfo.ObjType = 3 and Link5 = \"170000\" and Str1 = "
            u"\"Россия\" group by Str2, Str3, Str4 order by count(*) desc, Str2, Str3, Str4"_s, {}},
    };
}

// SQLite's query plans are read on a database file alone.
#define SKIP_ON_SERVER()                                                                                               \
    do {                                                                                                               \
        if (TTempDatabase::OnServer())                                                                                 \
            QSKIP("SQLite's query plans");                                                                             \
    } while (false)

} // namespace

class TestQueryPlans : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTempDatabase> m_db;

private Q_SLOTS:
    void initTestCase()
    {
        ZORVIN_REQUIRE_TEST_ENGINE();
        m_db = std::make_unique<TTempDatabase>();
        QVERIFY(m_db->IsOpen());
    }

    void cleanupTestCase() { m_db.reset(); }

    void everyIndexHasItsStatements()
    {
        QSet<QString> covered;
        for (const TCase& c : Cases() + AddressCompletions())
            covered.insert(c.Index);
        const QStringList names = Schema::IndexNames();
        for (const QString& index : names)
            QVERIFY2(covered.contains(index), qPrintable(u"no statement is checked for "_s + index));
        for (const QString& index : std::as_const(covered))
            QVERIFY2(names.contains(index), qPrintable(u"the schema no longer creates "_s + index));
    }

    void statementUsesItsIndex_data()
    {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("knownMiss");
        for (const TCase& c : Cases())
            QTest::newRow(c.Name) << c.Index << c.Sql << c.KnownMiss;
    }

    void statementUsesItsIndex()
    {
        SKIP_ON_SERVER();
        QFETCH(QString, index);
        QFETCH(QString, sql);
        QFETCH(QString, knownMiss);
        const QStringList plan = PlanOf(m_db->Db(), sql);
        if (!knownMiss.isEmpty())
            QEXPECT_FAIL("", qPrintable(knownMiss), Continue);
        QVERIFY2(UsesIndex(plan, index), qPrintable(plan.join(u"; "_s)));
    }

    // A prefix search reads the range of its prefix from the kind-and-name index, not every row of the kind.
    void prefixSearchesReadARange_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("people quick find")
            << u"select AllInfo.* from AllInfo where AllInfo.ObjType = 1 and (AllInfo.Str1 like \"Ив%\" ) and "
               u"(AllInfo.Str2 like \"Пё%\" ) order by Str1, Str2, Str3, ObjId"_s;
        QTest::newRow("people holding a role of that name")
            << u"select AllInfo.* from AllInfo where AllInfo.ObjType = 1 and AllInfo.ObjId in (select Link1 from AllInfo "
               u"where ObjType = 20 and Int1 = 1 and (Str1 like \"дир%\" ))"_s;
        QTest::newRow("completion list") << u"select distinct Str1 from allInfo where ObjType = 3 and (Str1 like \"Рос%\" ) "
                                            u"order by Str1"_s;
    }
    void prefixSearchesReadARange()
    {
        SKIP_ON_SERVER();
        QFETCH(QString, sql);
        const QStringList plan = PlanOf(m_db->Db(), sql);
        QVERIFY2(plan.join(u"; "_s).contains(u"INDEX AllInfo_Kind_Str1 (ObjType=? AND Str1>? AND Str1<?)"_s),
                 qPrintable(plan.join(u"; "_s)));
    }

    void addressCompletionSearchesByIndex_data()
    {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("sql");
        for (const TCase& c : AddressCompletions())
            QTest::newRow(c.Name) << c.Index << c.Sql;
    }

    // Each box of the address editor reads the addresses of the part chosen before it, through its index.
    void addressCompletionSearchesByIndex()
    {
        SKIP_ON_SERVER();
        QFETCH(QString, index);
        QFETCH(QString, sql);
        const QStringList plan = PlanOf(m_db->Db(), sql);
        QVERIFY2(SearchesByIndex(plan) && UsesIndex(plan, index), qPrintable(plan.join(u"; "_s)));
    }

    // The totals panel is recomputed after every query of an operation list: its sums, whatever period they
    // cover (up to every operation), and its check of the chosen currency read an index of the operations
    // alone, never their rows.
    void totalsReadTheOperationIndexAlone_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("a month in one currency") << TotalsOf(kMonth);
        QTest::newRow("the list's period of a year") << TotalsOf(
            kRoubles + u" and (AllInfo.Date1 >= #12/01/2025#) and (AllInfo.Date1 < #12/01/2026#)"_s);
        QTest::newRow("every operation of the currency") << TotalsOf(kRoubles);
        QTest::newRow("incomes and expenses of the currency")
            << TotalsOf(kRoubles + u" and ((AllInfo.Int1 in (1, 2, 4, 8)))"_s);
        QTest::newRow("the debts of one account") << TotalsOf(u"AllInfo.Link1 = "_s + kObject + u" and ((AllInfo.Int1 in (16, 32)))"_s);
        QTest::newRow("the chosen currency still has operations")
            << u"select top 1 AllInfo.Link1 from AllInfo where AllInfo.ObjType = 24 and AllInfo.Link1 in ("_s + kObject
                + u", "_s + kNone + u')';
        QTest::newRow("operations per account") << u"select AllInfo.Link1, count(*) from AllInfo where AllInfo.ObjType = "
                                                   u"24 group by AllInfo.Link1"_s;
    }
    void totalsReadTheOperationIndexAlone()
    {
        SKIP_ON_SERVER();
        QFETCH(QString, sql);
        const QStringList plan = PlanOf(m_db->Db(), sql);
        const QString text = plan.join(u"; "_s);
        // The accounts of a currency, a handful, are the only rows read.
        QVERIFY2(text.contains(u"SEARCH AllInfo USING COVERING INDEX AllInfo_"_s), qPrintable(text));
        QVERIFY2(!text.contains(u"SCAN AllInfo"_s) && !text.contains(u"USING INDEX AllInfo_Link"_s), qPrintable(text));
    }

    // A file made before the index of the operations by account and date gets it when it is opened, with its
    // planner figures, and loses the index it replaces.
    void earlierFileGetsTheOperationIndex()
    {
        SKIP_ON_SERVER();
        QTemporaryDir folder;
        const QString path = folder.filePath(u"earlier.zdb"_s);
        QString error;
        QVERIFY2(Schema::CreateDatabaseFile(path, TNewDatabase(), &error), qPrintable(error));
        {
            TSqlConnection connection = TSqlConnection::OpenSqliteFile(path, TSqlConnection::ExistingFile);
            QVERIFY(connection.IsOpen());
            QSqlQuery q(connection.Database());
            QVERIFY(q.exec(u"DROP INDEX AllInfo_Operation_Totals"_s));
            QVERIFY(q.exec(u"DELETE FROM sqlite_stat1 WHERE idx = 'AllInfo_Operation_Totals'"_s));
            QVERIFY(q.exec(u"CREATE INDEX AllInfo_Operation_Amount ON AllInfo (Link1, Int2) WHERE ObjType = 24"_s));
            QVERIFY(q.exec(u"INSERT INTO sqlite_stat1 VALUES ('AllInfo', 'AllInfo_Operation_Amount', '300000 30000 2')"_s));
        }
        TMyDataBase db;
        QCOMPARE(db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path), DbStatus::Ok);
        QSqlQuery q(db.Connection());
        QVERIFY(q.exec(u"select name from sqlite_master where type = 'index' union all select idx from sqlite_stat1"_s));
        QStringList names;
        while (q.next())
            names << q.value(0).toString();
        QCOMPARE(names.count(u"AllInfo_Operation_Totals"_s), 2);
        QCOMPARE(names.count(u"AllInfo_Operation_Amount"_s), 0);
        QVERIFY(UsesIndex(PlanOf(&db, TotalsOf(kRoubles)), u"AllInfo_Operation_Totals"_s));
    }

    // On the server the totals, over every operation of a currency or a period of it, search the index of
    // the operations by kind, account and date (the planner told that a full read costs what it does on a
    // large table).
    void serverTotalsSearchTheOperationIndex_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("a month in one currency") << TotalsOf(kMonth);
        QTest::newRow("every operation of the currency") << TotalsOf(kRoubles);
        QTest::newRow("the debts of one account")
            << TotalsOf(u"AllInfo.Link1 = "_s + kObject + u" and ((AllInfo.Int1 in (16, 32)))"_s);
    }
    void serverTotalsSearchTheOperationIndex()
    {
        QFETCH(QString, sql);
        if (!TTempDatabase::OnServer())
            QSKIP("the server's plans");
        QSqlQuery q(m_db->Db()->Connection());
        QVERIFY(q.exec(u"SET enable_seqscan = off"_s));
        QStringList plan;
        QVERIFY2(q.exec(u"EXPLAIN "_s + m_db->Db()->Translate(sql)), qPrintable(q.lastError().text()));
        while (q.next())
            plan << q.value(0).toString();
        QVERIFY(q.exec(u"RESET enable_seqscan"_s));
        const QString text = plan.join(u"; "_s);
        QVERIFY2(text.contains(u"allinfo_operation_totals"_s, Qt::CaseInsensitive), qPrintable(text));
    }

    void indexNamesAreMatchedWhole()
    {
        QVERIFY(UsesIndex({u"SEARCH AllInfo USING INDEX AllInfo_Link1 (Link1=?)"_s}, u"AllInfo_Link1"_s));
        QVERIFY(UsesIndex({u"SEARCH AllInfo USING COVERING INDEX AllInfo_Link1"_s}, u"AllInfo_Link1"_s));
        QVERIFY(!UsesIndex({u"SEARCH AllInfo USING INDEX AllInfo_Link10 (Link10=?)"_s}, u"AllInfo_Link1"_s));
        QVERIFY(!UsesIndex({u"SCAN AllInfo"_s}, u"AllInfo_Link1"_s));
        QVERIFY(!SearchesByIndex({u"SCAN AllInfo"_s, u"USE TEMP B-TREE FOR ORDER BY"_s}));
        QVERIFY(!SearchesByIndex({u"SCAN AllInfo USING COVERING INDEX AllInfo_Kind_Str1"_s}));
        QVERIFY(SearchesByIndex({u"SEARCH AllInfo USING INDEX AllInfo_Kind_Str1 (ObjType=?)"_s}));
    }
};

QTEST_GUILESS_MAIN(TestQueryPlans)
#include "tst_queryplans.moc"
