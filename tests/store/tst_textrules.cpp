// The text rules on both engines: Russian dictionary order with letter case and е/ё ignored, searches that
// take ё as е, prefix searches read from the index as a range, and files built under the old rules.
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/QueryFragments.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"
#include "store/TextCollation.h"
#include "tests/support/TempDatabase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;
using SqlDialect::Quote;
using TextCollation::TRules;

namespace {

constexpr quint32 kPrefix = 0x77;

// Rows of one kind with the given names in Str1 (and Str2), their ids rising in the order given.
bool InsertNames(TMyDataBase* db, int kind, const QStringList& first, const QStringList& second = {},
                 quint32 start = 1)
{
    TWriteTransaction transaction(db);
    for (qsizetype i = 0; i < first.size(); ++i) {
        const QString sql = u"insert into AllInfo (ObjId, ObjType, Str1, Str2) values ("_s
            + Quote(MakeId(start + static_cast<quint32>(i), kPrefix)) + u", "_s + QString::number(kind) + u", "_s
            + Quote(first.at(i)) + u", "_s + Quote(second.value(i)) + u')';
        if (db->Execute(sql) != DbStatus::Ok) {
            qWarning() << db->ErrorText();
            return false;
        }
    }
    return transaction.Commit();
}

QStringList Column(TMyDataBase* db, const QString& sql)
{
    QStringList values;
    auto q = db->CreateQuery(sql);
    if (!q)
        return {u"failed: "_s + db->ErrorText()};
    while (q->next())
        values << q->value(0).toString();
    return values;
}

// The people whose surname and first name begin as the quick find builds it.
QStringList QuickFind(TMyDataBase* db, const QString& surname, const QString& firstName = {})
{
    QString conditions;
    LikeCondition(conditions, u"AllInfo.Str1"_s, surname);
    LikeCondition(conditions, u"AllInfo.Str2"_s, firstName);
    return Column(db, u"select AllInfo.Str1 from AllInfo where AllInfo.ObjType = 1 and "_s + conditions
                          + u" order by AllInfo.Str1, AllInfo.ObjId"_s);
}

// The names in dictionary order; names that differ only in case or е/ё tie and keep their id order.
const QStringList kOrdered = {
    u"007"_s, u"123"_s, u"ёжиков"_s, u"ежов"_s, u"Ёлкин"_s, u"Ефимов"_s, u"Жуков"_s, u"Иванов"_s,
    u"Иванов Петров"_s, u"Иванов-Петров"_s, u"Иванова"_s, u"Ия"_s, u"Йорк"_s, u"Семён"_s, u"семенов"_s,
    u"СЕМЁНОВА"_s, u"Федоров"_s, u"ФЁДОРОВ"_s, u"фёдоров"_s, u"Яковлев"_s, u"alpha"_s, u"Zeta"_s,
};

// The insertion order: shuffled, but the tied spellings keep their relative order.
QStringList InsertionOrder()
{
    return {u"Zeta"_s, u"Иванова"_s, u"Федоров"_s, u"Жуков"_s, u"ёжиков"_s, u"123"_s, u"Ия"_s, u"Иванов-Петров"_s,
        u"Яковлев"_s, u"ФЁДОРОВ"_s, u"Семён"_s, u"Ёлкин"_s, u"alpha"_s, u"Йорк"_s, u"Иванов"_s, u"семенов"_s,
        u"ежов"_s, u"фёдоров"_s, u"Ефимов"_s, u"СЕМЁНОВА"_s, u"Иванов Петров"_s, u"007"_s};
}

// The brute-force answer of a prefix search: every name like() matches with the prefix and '%'.
QStringList Matching(const QStringList& names, const QString& prefix)
{
    const QByteArray pattern = (prefix + u'%').toUtf8();
    QStringList found;
    for (const QString& name : names) {
        const QByteArray text = name.toUtf8();
        if (TextCollation::LikeFolded(TRules::Russian, pattern.constData(), static_cast<int>(pattern.size()),
                                      text.constData(), static_cast<int>(text.size()), 0))
            found << name;
    }
    found.sort();
    return found;
}

// Every text of one to three characters over a small alphabet: both е and ё in both cases, the first and
// last letters of the alphabets, a digit, a blank and a hyphen.
QStringList GeneratedNames()
{
    const QString alphabet = u"аеЁёийяЯzAZ9 -"_s;
    QStringList names;
    for (QChar a : alphabet) {
        names << QString(a);
        for (QChar b : alphabet) {
            names << QString(a) + b;
            for (QChar c : u"ёяZ-"_s)
                names << QString(a) + b + c;
        }
    }
    return names;
}

QString FileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
}

// A database file made as before the Russian rules: its indexes hold the old order and it records no rules.
bool MakeOldFile(const QString& path, bool reference, const QStringList& names)
{
    {
        TSqlConnection connection = TSqlConnection::OpenSqliteFile(path, TSqlConnection::CreateFile);
        QSqlDatabase db = connection.Database();
        TNewDatabase options;
        options.Description = u"Старая база"_s;
        QString error;
        if (!connection.IsOpen() || !TextCollation::UseRules(db, TRules::CaseFolded)
            || !Schema::Create(db, TSqlEngine::SQLite, options, &error)) {
            qWarning() << error;
            return false;
        }
        QSqlQuery q(db);
        for (qsizetype i = 0; i < names.size(); ++i) {
            q.prepare(u"insert into AllInfo (ObjId, ObjType, Str1) values (?, 1, ?)"_s);
            q.addBindValue(MakeId(static_cast<quint32>(i + 1), kPrefix));
            q.addBindValue(names.at(i));
            if (!q.exec())
                return false;
        }
        if (!q.exec(u"PRAGMA user_version = 0"_s)
            || (reference && !q.exec(u"update AllInfo set Int5 = 0 where ObjType = 897"_s)))
            return false;
        // Files of that time had no address indexes yet.
        for (const QString& index : Schema::IndexNames()) {
            if (index.startsWith(u"AllInfo_Address_"_s)
                && (!q.exec(u"DROP INDEX "_s + index) || !q.exec(u"DELETE FROM sqlite_stat1 WHERE idx = '"_s + index + u"'"_s)))
                return false;
        }
    }
    return true;
}

int UserVersion(TMyDataBase* db)
{
    QSqlQuery q(db->Connection());
    return q.exec(u"PRAGMA user_version"_s) && q.next() ? q.value(0).toInt() : -1;
}

QString IntegrityOf(TMyDataBase* db)
{
    QSqlQuery q(db->Connection());
    return q.exec(u"PRAGMA integrity_check"_s) && q.next() ? q.value(0).toString() : q.lastError().text();
}

// The plan of a dialect statement as one text: SQLite's EXPLAIN QUERY PLAN details, or the server's plan
// with sequential scans made as dear as they are on a large table.
QString PlanOf(TMyDataBase* db, const QString& dialectSql)
{
    QSqlQuery q(db->Connection());
    const bool server = db->Engine() == TSqlEngine::PostgreSQL;
    if (server && !q.exec(u"SET enable_seqscan = off"_s))
        return q.lastError().text();
    QStringList lines;
    if (q.exec((server ? u"EXPLAIN "_s : u"EXPLAIN QUERY PLAN "_s) + db->Translate(dialectSql))) {
        while (q.next())
            lines << q.value(server ? 0 : 3).toString();
    } else {
        lines << q.lastError().text();
    }
    if (server)
        q.exec(u"RESET enable_seqscan"_s);
    return lines.join(u'\n');
}

} // namespace

class TstTextRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ZORVIN_REQUIRE_TEST_ENGINE();
        m_db = std::make_unique<TTempDatabase>();
        QVERIFY(m_db->IsOpen());
        QStringList firstNames;
        for (qsizetype i = 0; i < InsertionOrder().size(); ++i)
            firstNames << (i % 2 == 0 ? u"Пётр"_s : u"Анна"_s);
        QVERIFY(InsertNames(m_db->Db(), Kind::Person, InsertionOrder(), firstNames));
        QVERIFY(InsertNames(m_db->Db(), Kind::Event, InsertionOrder(), {}, 1000));
    }
    void cleanupTestCase() { m_db.reset(); }

    void listsOrderAsADictionary()
    {
        TMyDataBase* db = m_db->Db();
        QCOMPARE(Column(db, u"select Str1 from AllInfo where ObjType = 1 order by Str1, ObjId"_s), kOrdered);
        // Descending order reverses the names but not the ties' id order.
        QStringList reversed = Column(db, u"select Str1 from AllInfo where ObjType = 1 order by Str1 desc, ObjId"_s);
        QCOMPARE(reversed.size(), kOrdered.size());
        QCOMPARE(reversed.first(), u"Zeta"_s);
        QCOMPARE(reversed.indexOf(u"Федоров"_s) + 1, reversed.indexOf(u"ФЁДОРОВ"_s));

        // One entry per spelling group, in dictionary order: the first row found gives the spelling.
        TValueList values;
        QVERIFY(DistinctValues(db, u"Str1"_s, Ids::Null, values, 0, 0, Kind::Event));
        const QStringList distinct = ValueTexts(values);
        QStringList groups;
        for (const QString& name : kOrdered) {
            if (groups.isEmpty() || TextCollation::Compare(TRules::Russian, groups.last(), name) != 0)
                groups << name;
        }
        QCOMPARE(distinct.size(), groups.size());
        for (qsizetype i = 0; i < groups.size(); ++i)
            QVERIFY2(TextCollation::Compare(TRules::Russian, distinct.at(i), groups.at(i)) == 0,
                     qPrintable(distinct.at(i) + u" / "_s + groups.at(i)));
    }

    void searchesTakeYoAsYe_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("е finds ё") << u"Семен"_s << QString() << QStringList{u"Семён"_s, u"семенов"_s, u"СЕМЁНОВА"_s};
        QTest::newRow("ё finds е") << u"Фёдоров"_s << QString()
                                   << QStringList{u"Федоров"_s, u"ФЁДОРОВ"_s, u"фёдоров"_s};
        QTest::newRow("capital Ё") << u"Ё"_s << QString()
                                   << QStringList{u"ёжиков"_s, u"ежов"_s, u"Ёлкин"_s, u"Ефимов"_s};
        QTest::newRow("hyphen and blank") << u"иванов"_s << QString()
                                          << QStringList{u"Иванов"_s, u"Иванов Петров"_s, u"Иванов-Петров"_s,
                                                 u"Иванова"_s};
        QTest::newRow("й is a letter of its own") << u"й"_s << QString() << QStringList{u"Йорк"_s};
        QTest::newRow("last letter") << u"Я"_s << QString() << QStringList{u"Яковлев"_s};
        QTest::newRow("last letter of a prefix") << u"ия"_s << QString() << QStringList{u"Ия"_s};
        QTest::newRow("Latin") << u"ALP"_s << QString() << QStringList{u"alpha"_s};
        QTest::newRow("Latin last letter") << u"z"_s << QString() << QStringList{u"Zeta"_s};
        QTest::newRow("digits") << u"00"_s << QString() << QStringList{u"007"_s};
        QTest::newRow("a wildcard typed first") << u"%ова"_s << QString() << QStringList{u"Иванова"_s, u"СЕМЁНОВА"_s};
        QTest::newRow("a one-letter wildcard") << u"Ив_нов"_s << QString()
                                               << QStringList{u"Иванов"_s, u"Иванов Петров"_s, u"Иванов-Петров"_s,
                                                      u"Иванова"_s};
        // Surnames and first names alternate between Пётр and Анна in insertion order.
        QTest::newRow("surname and first name") << u"иван"_s << u"пет"_s
                                                << QStringList{u"Иванов"_s, u"Иванов Петров"_s};
        QTest::newRow("nothing") << u"Щ"_s << QString() << QStringList{};
    }
    void searchesTakeYoAsYe()
    {
        QFETCH(QString, surname);
        QFETCH(QString, firstName);
        QFETCH(QStringList, found);
        QCOMPARE(QuickFind(m_db->Db(), surname, firstName), found);
    }

    void equalityAndCompletionTakeYoAsYe()
    {
        TMyDataBase* db = m_db->Db();
        QCOMPARE(Column(db, u"select Str1 from AllInfo where ObjType = 1 and Str1 = \"федоров\" order by ObjId"_s),
                 (QStringList{u"Федоров"_s, u"ФЁДОРОВ"_s, u"фёдоров"_s}));
        QCOMPARE(Column(db, u"select count(*) from AllInfo where ObjType = 1 and Str1 in (\"ЕЛКИН\", \"семен\")"_s),
                 QStringList{u"2"_s});
        // A completion list: the distinct values that begin with what was typed.
        QCOMPARE(Column(db, u"select count(*) from (select distinct Str1 from AllInfo where ObjType = 8 and "
                            u"(Str1 like \"фед%\" )) as D"_s),
                 QStringList{u"1"_s});
    }

    // The range's upper bound over every short text of a small alphabet: the search through the range
    // finds exactly the names like() matches, for every prefix of one and two characters.
    void prefixRangeIsExact()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        const QStringList names = GeneratedNames();
        QVERIFY(InsertNames(fixture.Db(), Kind::Person, names));
        QStringList prefixes;
        for (const QString& name : names) {
            if (name.size() <= 2 && !name.trimmed().isEmpty())
                prefixes << name;
        }
        for (const QString& prefix : std::as_const(prefixes)) {
            QStringList found = QuickFind(fixture.Db(), prefix);
            found.sort();
            QCOMPARE(found, Matching(names, prefix));
        }
    }

    void prefixSearchesReadAnIndexRange()
    {
        TMyDataBase* db = m_db->Db();
        const QString find = u"select AllInfo.* from AllInfo where AllInfo.ObjType = 1 and (AllInfo.Str1 like \"Ив%\" ) "
                             u"order by AllInfo.Str1, AllInfo.Str2, AllInfo.Str3, AllInfo.ObjId"_s;
        const QString plan = PlanOf(db, find);
        if (db->Engine() == TSqlEngine::SQLite) {
            QVERIFY2(plan.contains(u"USING INDEX AllInfo_Kind_Str1 (ObjType=? AND Str1>? AND Str1<?)"_s), qPrintable(plan));
        } else {
            QVERIFY2(plan.contains(u"allinfo_kind_str1"_s), qPrintable(plan));
            QVERIFY2(plan.contains(u"(str1 >= 'Ив'"_s), qPrintable(plan));
        }
        // A typed wildcard keeps the plain like: no range.
        const QString inner = PlanOf(db, u"select ObjId from AllInfo where ObjType = 1 and (Str1 like \"%ова%\" )"_s);
        QVERIFY2(!inner.contains(u"Str1>?"_s, Qt::CaseInsensitive) && !inner.contains(u"str1 >="_s), qPrintable(inner));
    }

    void oldFileIsReindexedOnOpen()
    {
        if (TTempDatabase::OnServer())
            QSKIP("database files only");
        const QString path = m_db->Folder() + u"/old.zdb"_s;
        QVERIFY(MakeOldFile(path, false, InsertionOrder()));
        TMyDataBase old;
        QCOMPARE(old.Open(ConnectionType::File, InstallMode::FilePath, {}, {}, {}, path), int(DbStatus::Ok));
        QCOMPARE(UserVersion(&old), TextCollation::RulesStamp());
        QCOMPARE(IntegrityOf(&old), u"ok"_s);
        QCOMPARE(Column(&old, u"select Str1 from AllInfo where ObjType = 1 order by Str1, ObjId"_s), kOrdered);
        for (const QString& prefix : {u"Семен"_s, u"Ив"_s, u"ё"_s, u"Я"_s})
            QCOMPARE(QuickFind(&old, prefix), QuickFind(m_db->Db(), prefix));
        // The indexes added since are made, and the planner takes them at once.
        const QString streets = DistinctValuesStatement(QString(), u"Тверь"_s, 0, 4, Kind::Address);
        QVERIFY2(PlanOf(&old, streets).contains(u"AllInfo_Address_Settlement (Str4=?)"_s), qPrintable(PlanOf(&old, streets)));
    }

    // A reference database is never written: it keeps the rules it was built with, and its indexes agree.
    void oldReferenceFileKeepsItsRules()
    {
        if (TTempDatabase::OnServer())
            QSKIP("database files only");
        const QString path = m_db->Folder() + u"/reference.zdb"_s;
        QVERIFY(MakeOldFile(path, true, InsertionOrder()));
        const QString before = FileDigest(path);
        {
            TMyDataBase reference;
            QCOMPARE(reference.Open(ConnectionType::File, InstallMode::FilePath, {}, {}, {}, path), int(DbStatus::Ok));
            QVERIFY(!reference.IsWritable());
            QCOMPARE(UserVersion(&reference), 0);
            QCOMPARE(IntegrityOf(&reference), u"ok"_s);
            // The old order: code points with case folded, so ё after я and Latin before Cyrillic.
            const QStringList ordered = Column(&reference, u"select Str1 from AllInfo where ObjType = 1 order by Str1, ObjId"_s);
            QCOMPARE(ordered.first(), u"007"_s);
            QCOMPARE(ordered.at(2), u"alpha"_s);
            QCOMPARE(ordered.last(), u"Ёлкин"_s);
            // The index range finds what a scan of every row finds.
            for (const QString& prefix : {u"Ив"_s, u"ё"_s, u"Я"_s, u"Z"_s}) {
                const QString scan = u"select Str1 from AllInfo not indexed where ObjType = 1 and Str1 like "_s
                    + Quote(prefix + u'%') + u" order by Str1, ObjId"_s;
                QCOMPARE(QuickFind(&reference, prefix), Column(&reference, scan));
            }
        }
        QCOMPARE(FileDigest(path), before);
    }

private:
    std::unique_ptr<TTempDatabase> m_db;
};

QTEST_GUILESS_MAIN(TstTextRules)
#include "tst_textrules.moc"
