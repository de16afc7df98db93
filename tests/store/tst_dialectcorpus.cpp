// The statement texts of the object store, exactly as the system writes them in its dialect, run through
// the translator on a real database file: each selects or changes exactly the rows it is for.
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

// Saves one object and returns its id.
QString Add(int kind, const QString& str1, const QString& str2 = QString(), const QString& link1 = QString(),
            const QString& link2 = QString(), qint64 int1 = 0, bool flag = false, double date1 = 0)
{
    TDBMainInfo r;
    r.ObjType = kind;
    r.Str1 = str1;
    r.Str2 = str2;
    r.Link1 = link1;
    r.Link2 = link2;
    r.Int1 = int1;
    r.Flag = flag;
    r.Date1 = date1;
    r.D1Fixed = date1 != 0;
    return r.Save() == 0 ? r.Obj.Text() : QString();
}

// Every row of a select as "a,b,c" lines joined with ";".
QString Rows(TMyDataBase* db, const QString& sql)
{
    auto q = db->CreateQuery(sql);
    if (!q)
        return QStringLiteral("<failed: %1>").arg(db->ErrorText());
    QStringList rows;
    while (q->next()) {
        QStringList cells;
        for (int i = 0; i < q->record().count(); ++i)
            cells << q->value(i).toString();
        rows << cells.join(QLatin1Char(','));
    }
    return rows.join(QLatin1Char(';'));
}

} // namespace

class TestDialectCorpus : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    QString m_ivanov, m_ivanova, m_family, m_orphanFamily, m_org, m_branch, m_address, m_group, m_entry;

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void init()
    {
        m_fixture = std::make_unique<TTempDatabase>();
        // 27467 is 14.03.1975.
        m_ivanov = Add(Kind::Person, QStringLiteral("Иванов"), QStringLiteral("Иван"), QString(), QString(), 0, false,
                       27467);
        m_ivanova = Add(Kind::Person, QStringLiteral("иванова"), QStringLiteral("Мария"), QString(), QString(), 0, true);
        m_family = Add(Kind::Family, QStringLiteral("Иванов Иван"), QStringLiteral("Иванова Мария"), m_ivanov, m_ivanova);
        m_orphanFamily = Add(Kind::Family, QString(), QString(), Ids::None, Ids::None);
        m_org = Add(Kind::Organization, QStringLiteral("Ромашка"), QStringLiteral("ООО"), Ids::None);
        m_branch = Add(Kind::Organization, QStringLiteral("Филиал"), QStringLiteral("Ромашка"), m_org);
        m_address = Add(Kind::Address, QStringLiteral("Россия"), QStringLiteral("Московская"));
        m_group = Add(Kind::Group, QStringLiteral("Проект \"Дом\""), QString(), Ids::None, QString(), 9);
        Add(Kind::AdoptiveFamilyLink, QString(), QString(), m_family, m_ivanova);
        Add(Kind::Residence, QString(), QString(), m_address, m_ivanov, 0, true);
        Add(Kind::Phone, QStringLiteral("749500000001"), QString(), m_address);
        Add(Kind::Role, QStringLiteral("директор"), QString(), m_ivanov, m_group, 1);
        Add(Kind::Role, QStringLiteral("Директор"), QString(), m_ivanova, m_group, 1);
        TDBMainInfo entry;
        entry.ObjType = Kind::DatabaseEntry;
        entry.Str1 = QStringLiteral("/tmp/other.zdb");
        QCOMPARE(entry.Save(), 0);
        m_entry = entry.Obj;
        QVERIFY(!m_ivanov.isEmpty() && !m_group.isEmpty());
    }

    void cleanup() { m_fixture.reset(); }

    void selectsTheRowsTheyAreFor()
    {
        TMyDataBase* db = m_fixture->Db();
        // The record's load and the system row.
        QCOMPARE(Rows(db, QStringLiteral("select Str1 from AllInfo where ObjId = \"") + m_ivanov.toLower() + QStringLiteral("\"")),
                 QStringLiteral("Иванов"));
        QCOMPARE(Rows(db, QStringLiteral("select ObjId from AllInfo where ObjType = 897")), Ids::SystemRow);
        QCOMPARE(Rows(db, QStringLiteral("select Str1 from AllInfo where ObjType = 898")), QStringLiteral("/tmp/other.zdb"));
        QCOMPARE(m_entry, QStringLiteral("0000000100000001"));
        // Distinct values merge letter case and come sorted.
        QCOMPARE(Rows(db, QStringLiteral("select distinct Str1 from allInfo where ObjType = 20 and Int1 = 1 order by Str1")),
                 QStringLiteral("директор"));
        QCOMPARE(Rows(db, QStringLiteral("select distinct Str2 from allInfo where ObjType = 1 and Flag = True")),
                 QStringLiteral("Мария"));
        QCOMPARE(Rows(db, QStringLiteral("select distinct Str2 from allInfo where ObjType = 3 and Str1 = \"РОССИЯ\" order by Str2")),
                 QStringLiteral("Московская"));
        // Object lists, with the kind spelled in lower case as some statements do.
        QCOMPARE(Rows(db, QStringLiteral("SELECT Str1, ObjId FROM AllInfo where objtype = 21 and Int1 = 9 order by Str1")),
                 QStringLiteral("Проект \"Дом\",") + m_group);
        QCOMPARE(Rows(db, QStringLiteral("select AllInfo.Str1, ObjId from AllInfo where ObjType = 21 and ((Int1 = 9) or "
                                         "(Int1 = 6 and Flag = False) or (Int1 = 6 and Flag = True and Link1 = \"")
                              + m_org + QStringLiteral("\")) order by Str1")),
                 QStringLiteral("Проект \"Дом\",") + m_group);
        // Prefix search with the blank before the closing parenthesis; a date condition.
        QCOMPARE(Rows(db, QStringLiteral("select Str2 from AllInfo where ObjType = 1 and (Str1 like \"ив%\" ) order by Str2")),
                 QStringLiteral("Иван;Мария"));
        QCOMPARE(Rows(db, QStringLiteral("select Str1 from AllInfo where ObjType = 1 and (Date1 >= #03/14/1975#) and "
                                         "(Date1 < #03/15/1975#)")),
                 QStringLiteral("Иванов"));
        QCOMPARE(Rows(db, QStringLiteral("select Str1 from AllInfo where ObjType = 1 and (D1Search = #03/14/2000#)")),
                 QStringLiteral("Иванов"));
        // Relationship tests.
        QCOMPARE(Rows(db, QStringLiteral("select count(*) from ALLINFO where ObjType = 81 and Link1 = \"") + m_family
                              + QStringLiteral("\" and Link2 = \"") + m_ivanova + QStringLiteral("\"")),
                 QStringLiteral("1"));
        QCOMPARE(Rows(db, QStringLiteral("select count(*), ObjId from AllInfo where ObjType = 80 and Link1 = \"") + m_address
                              + QStringLiteral("\" and Link2 = \"") + m_ivanov + QStringLiteral("\" group by ObjId"))
                     .section(QLatin1Char(','), 0, 0),
                 QStringLiteral("1"));
        QCOMPARE(Rows(db, QStringLiteral("select count(*) from AllInfo where ObjType = 6 and Link1 = \"") + m_org
                              + QStringLiteral("\"")),
                 QStringLiteral("1"));
        // Text joined with + and &, a limited member of a union.
        QCOMPARE(Rows(db, QStringLiteral("select Str2 + \", \" + Str1 from AllInfo where ObjId = \"") + m_org
                              + QStringLiteral("\"")),
                 QStringLiteral("ООО, Ромашка"));
        QCOMPARE(Rows(db, QStringLiteral("select Addr.Str1&\", \"&Addr.Str2 as Address from AllInfo as Addr where "
                                         "Addr.ObjType = 3")),
                 QStringLiteral("Россия, Московская"));
        QCOMPARE(Rows(db, QStringLiteral("select top 1 Str2 from AllInfo where ObjType = 1 order by Str2 desc union "
                                         "select Str1 from AllInfo where ObjType = 6 and Link1 = \"")
                              + m_org + QStringLiteral("\"")),
                 QStringLiteral("Мария;Филиал"));
        QCOMPARE(Rows(db, QStringLiteral("select count(*) from AllInfo where ObjType = 7 and Link1 = \"")
                              + Ids::None + QStringLiteral("\" and Link2 = \"") + Ids::None + QStringLiteral("\"")),
                 QStringLiteral("1"));
    }

    void changesTheRowsTheyAreFor()
    {
        TMyDataBase* db = m_fixture->Db();
        const QString before = Rows(db, QStringLiteral("select Int1 from AllInfo where ObjType = 899"));
        QCOMPARE(db->Execute(QStringLiteral("update AllInfo set Int1 = Int1 + 1 where ObjId = \"")
                             + db->IdentityRowId() + QStringLiteral("\"")),
                 0);
        QCOMPARE(Rows(db, QStringLiteral("select int1, int2 from AllInfo where ObjId = \"") + db->IdentityRowId()
                              + QStringLiteral("\"")),
                 QStringLiteral("%1,26").arg(before.toInt() + 1));
        // A branch becomes independent and gets its joined display name as text.
        QCOMPARE(db->Execute(QStringLiteral("update allInfo set Str5 = Str1 + \" \" + Str2, Link1 = \"") + Ids::None
                             + QStringLiteral("\" where ObjType = 6 and Link1 = \"") + m_org + QStringLiteral("\"")),
                 0);
        QCOMPARE(Rows(db, QStringLiteral("select Str5, Link1 from AllInfo where ObjId = \"") + m_branch + QStringLiteral("\"")),
                 QStringLiteral("Филиал Ромашка,") + Ids::None);
        // A partner leaves a family: the name is blanked with a quoted empty text.
        QCOMPARE(db->Execute(QStringLiteral("update allInfo set Str1 = \"\", Link1 = \"") + Ids::None
                             + QStringLiteral("\" where ObjType = 7 and Link1 = \"") + m_ivanov + QStringLiteral("\"")),
                 0);
        QCOMPARE(Rows(db, QStringLiteral("select Str1, Link1 from AllInfo where ObjId = \"") + m_family + QStringLiteral("\"")),
                 QStringLiteral(",") + Ids::None);
        // Deletions by kind and link, with a sub-select.
        QCOMPARE(db->Execute(QStringLiteral("delete from allInfo where ObjType = 20 and ObjId in (select Link5 from "
                                            "allInfo where ObjType = 20 and Link1 = \"")
                             + m_ivanov + QStringLiteral("\")")),
                 0);
        QCOMPARE(db->Execute(QStringLiteral("delete from allInfo where ObjType = 80 and Link1 = \"") + m_address
                             + QStringLiteral("\"")),
                 0);
        QCOMPARE(db->RowsAffected(), 1);
        QCOMPARE(db->Execute(QStringLiteral("delete from AllInfo where ObjType = 898 and ObjId =\"") + m_entry
                             + QStringLiteral("\"")),
                 0);
        QCOMPARE(db->RowsAffected(), 1);
        QCOMPARE(db->Execute(QStringLiteral("update allInfo set Link2 = \"") + Ids::None
                             + QStringLiteral("\" where Link2 = \"") + m_ivanova + QStringLiteral("\"")),
                 0);
        QCOMPARE(Rows(db, QStringLiteral("select count(*) from AllInfo where Link2 = \"") + m_ivanova + QStringLiteral("\"")),
                 QStringLiteral("0"));
        // A Boolean written inside quotes compares as a Boolean.
        QCOMPARE(Rows(db, QStringLiteral("select count(*) from AllInfo where ObjType = 1 and D2Flag = \"False\"")),
                 QStringLiteral("2"));
        QCOMPARE(Rows(db, QStringLiteral("select count(*) from AllInfo where ObjType = 80 and Flag = \"True\"")),
                 QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestDialectCorpus)
#include "tst_dialectcorpus.moc"
