#include "store/DateSerial.h"
#include "store/SqlDialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

struct TStoredValue
{
    QString id;
    QString text;
};

// Texts a user may type; each is stored once, so a statement that finds it must find exactly its row.
const QList<TStoredValue>& TypedValues()
{
    static const QList<TStoredValue> values = {
        {u"V01"_s, u"ООО \"Ромашка\""_s},
        {u"V02"_s, u"O'Brien"_s},
        {u"V03"_s, u"x\" or \"1\"=\"1"_s},
        {u"V04"_s, u"x"_s},
        {u"V05"_s, u"1"_s},
        {u"V06"_s, u"'; delete from AllInfo; --"_s},
        {u"V07"_s, u"\"\""_s},
        {u"V08"_s, u"\""_s},
        {u"V09"_s, u"#03/14/1975#"_s},
        {u"V10"_s, u"a & b + c"_s},
        {u"V11"_s, u"True"_s},
        {u"V12"_s, u"select top 1 * from AllInfo"_s},
        {u"V13"_s, u"C:\\Temp\\"_s},
    };
    return values;
}

} // namespace

class TestSqlDialect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void translate_data();
    void translate();
    void quote_data();
    void quote();
    void dateLiteral_data();
    void dateLiteral();
    void boolLiteral();

    void typedTextSelectsOnlyItsRow_data();
    void typedTextSelectsOnlyItsRow();
    void translatedStatementsRunOnSqlite_data();
    void translatedStatementsRunOnSqlite();

private:
    QStringList Rows(const QString& dialectSql);

    QString m_connection;
};

void TestSqlDialect::initTestCase()
{
    m_connection = u"sqldialect-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
    db.setDatabaseName(u":memory:"_s);
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));

    QSqlQuery query(db);
    QVERIFY(query.exec(u"create table AllInfo (ObjId text primary key, ObjType integer, Link1 text, Str1 text, "
                       "Str2 text, Str4 text, Int1 integer, Flag integer, D2Flag integer, Date1 real)"_s));
    QVERIFY(query.prepare(u"insert into AllInfo (ObjId, ObjType, Link1, Str1, Str2, Str4, Int1, Flag, D2Flag, Date1) "
                          "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s));
    const QList<QVariantList> rows = {
        {u"P1"_s, 1, u""_s, u"Петров"_s, u"Иван"_s, u""_s, 7, 0, 0, 27467.0},
        {u"P2"_s, 1, u""_s, u"Сидорова"_s, u"Анна"_s, u""_s, 3, -1, -1, 0.0},
        {u"P3"_s, 1, u""_s, u"Смит"_s, u"True"_s, u""_s, 0, 0, 0, 27467.5},
        {u"A1"_s, 3, u""_s, u"Россия"_s, u""_s, u"Москва"_s, 0, 0, 0, 0.0},
        {u"R1"_s, 80, u"A1"_s, u""_s, u""_s, u""_s, 0, -1, 0, 0.0},
    };
    for (const QVariantList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i)
            query.bindValue(static_cast<int>(i), row[i]);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }
    for (const TStoredValue& value : TypedValues()) {
        const QVariantList row = {value.id, 500, u""_s, value.text, u""_s, u""_s, 0, 0, 0, 0.0};
        for (qsizetype i = 0; i < row.size(); ++i)
            query.bindValue(static_cast<int>(i), row[i]);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }
}

void TestSqlDialect::cleanupTestCase()
{
    QSqlDatabase::database(m_connection).close();
    QSqlDatabase::removeDatabase(m_connection);
}

// Each row of the result as its columns joined by ",".
QStringList TestSqlDialect::Rows(const QString& dialectSql)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    const QString sql = SqlDialect::Translate(dialectSql, TSqlEngine::SQLite);
    if (!query.exec(sql))
        return {u"error: "_s + query.lastError().text() + u" in "_s + sql};
    QStringList rows;
    while (query.next()) {
        QStringList columns;
        for (int i = 0; i < query.record().count(); ++i)
            columns.append(query.value(i).toString());
        rows.append(columns.join(u','));
    }
    return rows;
}

void TestSqlDialect::translate_data()
{
    QTest::addColumn<TSqlEngine>("engine");
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<QString>("expected");
    const TSqlEngine lite = TSqlEngine::SQLite;
    const TSqlEngine pg = TSqlEngine::PostgreSQL;

    // Text literals
    QTest::newRow("double-quoted literal")
        << lite << u"Link1 = \"0000000200000001\""_s << u"Link1 = '0000000200000001'"_s;
    QTest::newRow("doubled double quote is one quote")
        << lite << u"Str1 = \"ООО \"\"Ромашка\"\"\""_s << u"Str1 = 'ООО \"Ромашка\"'"_s;
    QTest::newRow("single quote inside is doubled") << lite << u"Str1 = \"O'Brien\""_s << u"Str1 = 'O''Brien'"_s;
    QTest::newRow("empty literal as projected column")
        << lite << u"select \"\" as LFId, ObjId from AllInfo"_s << u"select '' as LFId, ObjId from AllInfo"_s;
    QTest::newRow("literal holding a date") << lite << u"Str1 = \"#03/14/1975#\""_s << u"Str1 = '#03/14/1975#'"_s;
    QTest::newRow("literal holding + and &") << lite << u"Str1 = \"a+b & c\""_s << u"Str1 = 'a+b & c'"_s;
    QTest::newRow("literal holding True") << lite << u"Str2 = \"True\""_s << u"Str2 = 'True'"_s;
    QTest::newRow("literal holding comment and semicolon")
        << lite << u"Str1 = \"x -- y; delete from AllInfo\""_s << u"Str1 = 'x -- y; delete from AllInfo'"_s;
    QTest::newRow("literal holding select top")
        << lite << u"Str1 = \"select top 1 x\""_s << u"Str1 = 'select top 1 x'"_s;
    QTest::newRow("unterminated literal swallows the rest")
        << lite << u"Str1 = \"abc or 1=1"_s << u"Str1 = 'abc or 1=1'"_s;
    QTest::newRow("unterminated literal ending in a doubled quote")
        << lite << u"Str1 = \"ab\"\""_s << u"Str1 = 'ab\"'"_s;
    QTest::newRow("single-quoted literal kept as written")
        << lite << u"Str1 = 'it''s True #1#' + \"x\""_s << u"Str1 = 'it''s True #1#' || 'x'"_s;
    QTest::newRow("unterminated single-quoted literal closed") << lite << u"Str1 = 'abc"_s << u"Str1 = 'abc'"_s;

    // Dates
    QTest::newRow("date") << lite << u"(Date1 >= #01/05/2024#)"_s << u"(Date1 >= 45296)"_s;
    QTest::newRow("date of a birthday") << lite << u"Date1 = #03/14/1975#"_s << u"Date1 = 27467"_s;
    QTest::newRow("epoch is zero") << lite << u"Date1 = #12/30/1899#"_s << u"Date1 = 0"_s;
    QTest::newRow("day before the epoch") << lite << u"Date1 < #12/29/1899#"_s << u"Date1 < -1"_s;
    QTest::newRow("date with noon") << lite << u"Date1 < #03/14/1975 12:00:00#"_s << u"Date1 < 27467.5"_s;
    QTest::newRow("date with a time of no short fraction")
        << lite << u"Date1 < #03/14/1975 10:00:00#"_s << u"Date1 < 27467.416666666668"_s;
    QTest::newRow("impossible date left alone") << lite << u"Date1 = #02/30/2024#"_s << u"Date1 = #02/30/2024#"_s;
    QTest::newRow("minus before a date is not a comment")
        << lite << u"Date1 >= Date2-#12/29/1899#"_s << u"Date1 >= Date2- -1"_s;

    // Booleans
    QTest::newRow("bare words") << lite << u"Flag = True and D2Flag = false"_s << u"Flag = -1 and D2Flag = 0"_s;
    QTest::newRow("words that only start with True or Flag")
        << lite << u"TrueName = 1 and Flagged = \"True\" and Falsely = False"_s
        << u"TrueName = 1 and Flagged = 'True' and Falsely = 0"_s;
    QTest::newRow("quoted False on a flag column") << lite << u"D2Flag = \"False\""_s << u"D2Flag = 0"_s;
    QTest::newRow("quoted TRUE on an aliased flag column") << lite << u"A.D2Flag <> \"TRUE\""_s << u"A.D2Flag <> -1"_s;
    QTest::newRow("quoted true before the column") << lite << u"\"true\"=Archived"_s << u"-1=Archived"_s;
    QTest::newRow("quoted True on a text column stays text")
        << lite << u"Str2 = \"True\" and Flag = \"True\""_s << u"Str2 = 'True' and Flag = -1"_s;
    QTest::newRow("quoted boolean not compared stays text")
        << lite << u"select \"False\" as Dead, D1Fixed from AllInfo"_s
        << u"select 'False' as Dead, D1Fixed from AllInfo"_s;
    QTest::newRow("minus before True is not a comment") << lite << u"Int1-True"_s << u"Int1- -1"_s;

    // Row limits
    QTest::newRow("top at the end of the text")
        << lite << u"select top 10 Str5, ObjId from AllInfo where ObjType = 1 order by Str5"_s
        << u"select Str5, ObjId from AllInfo where ObjType = 1 order by Str5 LIMIT 10"_s;
    QTest::newRow("distinct top") << lite << u"SELECT DISTINCT TOP 5 Str1 from AllInfo"_s
                                  << u"SELECT DISTINCT Str1 from AllInfo LIMIT 5"_s;
    QTest::newRow("top in an in-list keeps the blank before the parenthesis")
        << lite << u"ObjId in (select top 1 Link1 from AllInfo where ObjType = 20 )"_s
        << u"ObjId in (select Link1 from AllInfo where ObjType = 20 LIMIT 1 )"_s;
    QTest::newRow("top around nested parentheses")
        << lite << u"select top 2 Str1 from AllInfo where (ObjType = 1 and (Flag = True)) order by Str1"_s
        << u"select Str1 from AllInfo where (ObjType = 1 and (Flag = -1)) order by Str1 LIMIT 2"_s;
    QTest::newRow("top inside top")
        << lite << u"select top 3 * from (select top 5 ObjId from AllInfo order by DModify desc) as R order by ObjId"_s
        << u"select * from (select ObjId from AllInfo order by DModify desc LIMIT 5) as R order by ObjId LIMIT 3"_s;
    QTest::newRow("top in the first union member with its order")
        << lite << u"select top 1 Str1 from AllInfo where ObjType = 1 order by DCreate union select Str1 from AllInfo"_s
        << u"select * from (select Str1 from AllInfo where ObjType = 1 order by DCreate LIMIT 1) as T1 "
           "union select Str1 from AllInfo"_s;
    QTest::newRow("top in the last union all member")
        << lite << u"select Str1 from AllInfo union all select top 2 Str1 from AllInfo where ObjType = 1"_s
        << u"select Str1 from AllInfo union all "
           "select * from (select Str1 from AllInfo where ObjType = 1 LIMIT 2) as T1"_s;
    QTest::newRow("top in two union members")
        << lite << u"select top 1 ObjId from AllInfo union select top 2 Link1 from AllInfo"_s
        << u"select * from (select ObjId from AllInfo LIMIT 1) as T1 union "
           "select * from (select Link1 from AllInfo LIMIT 2) as T2"_s;
    QTest::newRow("the order after the last limited member orders the union")
        << lite << u"select top 1 Str1, 1 as SField from AllInfo union select top 2 Str2, 2 as SField from AllInfo "
                   "order by SField, Str1"_s
        << u"select * from (select Str1, 1 as SField from AllInfo LIMIT 1) as T1 union "
           "select * from (select Str2, 2 as SField from AllInfo LIMIT 2) as T2 order by SField, Str1"_s;
    QTest::newRow("union member alias avoids names in use")
        << lite << u"select top 1 T1.Str1 from AllInfo as T1 union select Str1 from AllInfo"_s
        << u"select * from (select T1.Str1 from AllInfo as T1 LIMIT 1) as T2 union select Str1 from AllInfo"_s;
    QTest::newRow("top in a union inside an in-list")
        << lite << u"ObjId in (select top 1 Link1 from AllInfo union select Link2 from AllInfo)"_s
        << u"ObjId in (select * from (select Link1 from AllInfo LIMIT 1) as T1 union select Link2 from AllInfo)"_s;
    QTest::newRow("union elsewhere does not make a member")
        << lite
        << u"Link1 in (select Link1 from A union select Link2 from B) and ObjId in (select top 1 Link3 from C)"_s
        << u"Link1 in (select Link1 from A union select Link2 from B) and ObjId in (select Link3 from C LIMIT 1)"_s;
    QTest::newRow("top ends before a semicolon")
        << lite << u"select top 1 ObjId from AllInfo; select 1"_s << u"select ObjId from AllInfo LIMIT 1; select 1"_s;
    QTest::newRow("column named Top") << lite << u"select Top, Str1 from Layout"_s << u"select Top, Str1 from Layout"_s;

    // Concatenation
    QTest::newRow("ampersand joins address parts")
        << lite << u"Addr.Str1&\", \"&Addr.Str4"_s << u"Addr.Str1||', '||Addr.Str4"_s;
    QTest::newRow("plus between text columns and literals")
        << lite << u"Str1 + \" \" + Str2"_s << u"Str1 || ' ' || Str2"_s;
    QTest::newRow("plus after an aliased text column") << lite << u"A.Str5 + B.Int1, Int2+link1, comments+ObjId"_s
                                                       << u"A.Str5 || B.Int1, Int2||link1, comments||ObjId"_s;
    QTest::newRow("plus between numbers stays") << lite << u"update AllInfo set Int1 = Int1 + 1 where ObjId = \"x\""_s
                                                << u"update AllInfo set Int1 = Int1 + 1 where ObjId = 'x'"_s;
    QTest::newRow("plus on dates and unknown names stays")
        << lite << u"Date1 + 1 > Date2 and Str6 + Int2 = 0"_s << u"Date1 + 1 > Date2 and Str6 + Int2 = 0"_s;
    QTest::newRow("double minus is not a comment") << lite << u"Int5 = Int5 --500"_s << u"Int5 = Int5 - -500"_s;

    // Everything else
    QTest::newRow("self-join copied unchanged")
        << lite << u"select R.ObjId,\n\tR.Str5 from AllInfo as R, AllInfo as L where R.Link5 = L.ObjId"_s
        << u"select R.ObjId,\n\tR.Str5 from AllInfo as R, AllInfo as L where R.Link5 = L.ObjId"_s;
    QTest::newRow("empty text") << lite << QString() << QString();

    // Prefix searches on a text column become index ranges with the like kept as the exact test
    const QString top = QString::fromUcs4(U"\U0010FFFF", 1);
    QTest::newRow("prefix: blank before a closing parenthesis")
        << lite << u"(Str1 like \"Ив%\" )"_s << u"((Str1 >= 'Ив' and Str1 < 'Ив"_s + top + u"' and Str1 like 'Ив%') )"_s;
    QTest::newRow("prefix: an aliased column, a quote in the value")
        << lite << u"A.Str2 LIKE \"ООО \"\"Ром%\""_s
        << u"(A.Str2 >= 'ООО \"Ром' and A.Str2 < 'ООО \"Ром"_s + top + u"' and A.Str2 LIKE 'ООО \"Ром%')"_s;
    QTest::newRow("prefix: not like keeps its place")
        << lite << u"not Comments like \"x%\""_s << u"not (Comments >= 'x' and Comments < 'x"_s + top + u"' and Comments like 'x%')"_s;
    QTest::newRow("no range: a wildcard inside, a bare wildcard, no wildcard")
        << lite << u"Str1 like \"%ова%\" or Str1 like \"Ив_н%\" or Str1 like \"%\" or Str1 like \"Ив\""_s
        << u"Str1 like '%ова%' or Str1 like 'Ив_н%' or Str1 like '%' or Str1 like 'Ив'"_s;
    QTest::newRow("no range: an id column, joined pieces, an escape, not like")
        << lite << u"ObjId like \"0A%\" or Str1 like \"a\" + Str2 or Str1 + Str2 like \"a%\" or Str1 like \"a!%%\" escape \"!\" or Str1 not like \"a%\""_s
        << u"ObjId like '0A%' or Str1 like 'a' || Str2 or Str1 || Str2 like 'a%' or Str1 like 'a!%%' escape '!' or Str1 not like 'a%'"_s;
    QTest::newRow("sqlite: like stays like") << lite << u"Str1 LIKE Str2"_s << u"Str1 LIKE Str2"_s;

    // PostgreSQL: both sides of a like are folded and compared byte by byte
    QTest::newRow("pg: prefix range with the folded like")
        << pg << u"(Str1 like \"Ив%\" )"_s
        << u"((Str1 >= 'Ив' and Str1 < 'Ив"_s + top
            + u"' and zorvin_fold(Str1) COLLATE \"C\" like zorvin_fold('Ив%') ESCAPE '') )"_s;
    QTest::newRow("pg: not like with a backslash")
        << pg << u"Str1 not like \"%a\\b%\" and Flag = True"_s
        << u"zorvin_fold(Str1) COLLATE \"C\" not like zorvin_fold('%a\\b%') ESCAPE '' and Flag = -1"_s;
    QTest::newRow("pg: escape after a joined pattern")
        << pg << u"Str1 like \"%\" + Trim(Str2) + \"%\" or Str3 like \"x\" & (Str4)"_s
        << u"zorvin_fold(Str1) COLLATE \"C\" like zorvin_fold('%' || Trim(Str2) || '%') ESCAPE '' or "
           u"zorvin_fold(Str3) COLLATE \"C\" like zorvin_fold('x' || (Str4)) ESCAPE ''"_s;
    QTest::newRow("pg: like a column") << pg << u"Str1 like Str2"_s
                                       << u"zorvin_fold(Str1) COLLATE \"C\" like zorvin_fold(Str2) ESCAPE ''"_s;
    QTest::newRow("pg: joined texts and a function on the left")
        << pg << u"A.Str1 + \" \" + A.Str2 LIKE \"%ив%\" and Trim(Str3) like \"%x\""_s
        << u"zorvin_fold(A.Str1 || ' ' || A.Str2) COLLATE \"C\" LIKE zorvin_fold('%ив%') ESCAPE '' and "
           u"zorvin_fold(Trim(Str3)) COLLATE \"C\" like zorvin_fold('%x') ESCAPE ''"_s;
    QTest::newRow("pg: an escape of its own is kept")
        << pg << u"Str1 like \"a!%\" escape \"!\""_s << u"zorvin_fold(Str1) COLLATE \"C\" like zorvin_fold('a!%') escape '!'"_s;
    QTest::newRow("pg: escape comes before the limit")
        << pg << u"select top 1 Str1 from AllInfo where Str1 like \"a%\""_s
        << u"select Str1 from AllInfo where (Str1 >= 'a' and Str1 < 'a"_s + top
            + u"' and zorvin_fold(Str1) COLLATE \"C\" like zorvin_fold('a%') ESCAPE '') LIMIT 1"_s;
    QTest::newRow("pg: top, dates and concatenation as on SQLite")
        << pg << u"select top 1 Str1 + Str2 from AllInfo where Date1 = #03/14/1975# union select Str1 from AllInfo"_s
        << u"select * from (select Str1 || Str2 from AllInfo where Date1 = 27467 LIMIT 1) as T1 "
           "union select Str1 from AllInfo"_s;
}

void TestSqlDialect::translate()
{
    QFETCH(TSqlEngine, engine);
    QFETCH(QString, dialect);
    QFETCH(QString, expected);
    QCOMPARE(SqlDialect::Translate(dialect, engine), expected);
}

void TestSqlDialect::quote_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<QString>("sqlite");

    QTest::newRow("plain") << u"Иванов"_s << u"\"Иванов\""_s << u"'Иванов'"_s;
    QTest::newRow("empty") << QString() << u"\"\""_s << u"''"_s;
    QTest::newRow("double quotes doubled")
        << u"ООО \"Ромашка\""_s << u"\"ООО \"\"Ромашка\"\"\""_s << u"'ООО \"Ромашка\"'"_s;
    QTest::newRow("single quote kept") << u"O'Brien"_s << u"\"O'Brien\""_s << u"'O''Brien'"_s;
    QTest::newRow("lone double quote") << u"\""_s << u"\"\"\"\""_s << u"'\"'"_s;
    QTest::newRow("injection attempt") << u"x\" or \"1\"=\"1"_s << u"\"x\"\" or \"\"1\"\"=\"\"1\""_s
                                       << u"'x\" or \"1\"=\"1'"_s;
}

void TestSqlDialect::quote()
{
    QFETCH(QString, value);
    QFETCH(QString, dialect);
    QFETCH(QString, sqlite);
    QCOMPARE(SqlDialect::Quote(value), dialect);
    QCOMPARE(SqlDialect::Translate(SqlDialect::Quote(value), TSqlEngine::SQLite), sqlite);
}

void TestSqlDialect::dateLiteral_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QString>("translated");

    QTest::newRow("5 January 2024") << DateSerial::FromDate(QDate(2024, 1, 5)) << u"#01/05/2024#"_s << u"45296"_s;
    QTest::newRow("time of day dropped") << 27467.75 << u"#03/14/1975#"_s << u"27467"_s;
    QTest::newRow("zero is the epoch") << 0.0 << u"#12/30/1899#"_s << u"0"_s;
    QTest::newRow("leap day") << DateSerial::FromDate(QDate(2000, 2, 29)) << u"#02/29/2000#"_s << u"36585"_s;
    QTest::newRow("before the epoch") << -1.25 << u"#12/29/1899#"_s << u"-1"_s;
}

void TestSqlDialect::dateLiteral()
{
    QFETCH(double, serial);
    QFETCH(QString, literal);
    QFETCH(QString, translated);
    QCOMPARE(SqlDialect::DateLiteral(serial), literal);
    QCOMPARE(SqlDialect::Translate(SqlDialect::DateLiteral(serial), TSqlEngine::SQLite), translated);
}

void TestSqlDialect::boolLiteral()
{
    QCOMPARE(SqlDialect::BoolLiteral(true), u"True"_s);
    QCOMPARE(SqlDialect::BoolLiteral(false), u"False"_s);
    QCOMPARE(SqlDialect::Translate(u"Flag = "_s + SqlDialect::BoolLiteral(true), TSqlEngine::SQLite), u"Flag = -1"_s);
}

void TestSqlDialect::typedTextSelectsOnlyItsRow_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    for (const TStoredValue& value : TypedValues())
        QTest::newRow(qPrintable(value.text)) << value.id << value.text;
}

void TestSqlDialect::typedTextSelectsOnlyItsRow()
{
    QFETCH(QString, id);
    QFETCH(QString, text);
    QCOMPARE(Rows(u"select ObjId from AllInfo where Str1 = "_s + SqlDialect::Quote(text)), QStringList {id});
    QCOMPARE(Rows(u"select ObjId from AllInfo where Str1 + \"\" = "_s + SqlDialect::Quote(text)), QStringList {id});
    QCOMPARE(Rows(u"select count(*) from AllInfo where ObjType = 500 and Str1 <> "_s + SqlDialect::Quote(text)),
        QStringList {QString::number(TypedValues().size() - 1)});
}

void TestSqlDialect::translatedStatementsRunOnSqlite_data()
{
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("name joined with +") << u"select Str1 + \" \" + Str2 from AllInfo where ObjId = \"P1\""_s
                                        << QStringList {u"Петров Иван"_s};
    QTest::newRow("address joined with &")
        << u"select Addr.Str1&\", \"&Addr.Str4 from AllInfo as Addr where Addr.ObjType = 3"_s
        << QStringList {u"Россия, Москва"_s};
    QTest::newRow("numbers still add") << u"select Int1 + 1 from AllInfo where ObjId = \"P1\""_s
                                       << QStringList {u"8"_s};
    QTest::newRow("Boolean word") << u"select ObjId from AllInfo where ObjType = 1 and Flag = True"_s
                                  << QStringList {u"P2"_s};
    QTest::newRow("quoted Boolean on a flag")
        << u"select ObjId from AllInfo where ObjType = 1 and D2Flag = \"False\" order by ObjId"_s
        << QStringList {u"P1"_s, u"P3"_s};
    QTest::newRow("person named True") << u"select ObjId from AllInfo where Str2 = \"True\""_s << QStringList {u"P3"_s};
    QTest::newRow("whole day")
        << u"select ObjId from AllInfo where Date1 >= #03/14/1975# and Date1 < #03/15/1975# order by ObjId"_s
        << QStringList {u"P1"_s, u"P3"_s};
    QTest::newRow("date and time") << u"select ObjId from AllInfo where Date1 = #03/14/1975 12:00:00#"_s
                                   << QStringList {u"P3"_s};
    QTest::newRow("top after ordering") << u"select top 2 ObjId from AllInfo where ObjType = 1 order by ObjId desc"_s
                                        << QStringList {u"P3"_s, u"P2"_s};
    QTest::newRow("top in a union member")
        << u"select top 1 ObjId from AllInfo where ObjType = 1 order by ObjId desc union all "
           "select ObjId from AllInfo where ObjType = 3"_s
        << QStringList {u"P3"_s, u"A1"_s};
    QTest::newRow("top in a sub-select")
        << u"select Str1 from AllInfo where ObjId in (select top 1 Link1 from AllInfo where ObjType = 80 )"_s
        << QStringList {u"Россия"_s};
    QTest::newRow("empty literal column")
        << u"select \"\" as LFId, ObjId from AllInfo where ObjId = \"A1\""_s << QStringList {u",A1"_s};
}

void TestSqlDialect::translatedStatementsRunOnSqlite()
{
    QFETCH(QString, dialect);
    QFETCH(QStringList, rows);
    QCOMPARE(Rows(dialect), rows);
}

QTEST_GUILESS_MAIN(TestSqlDialect)
#include "tst_sqldialect.moc"
