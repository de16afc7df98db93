// The condition builders: the exact texts the lists join into their where-texts, and values that reach
// the database as typed.
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/QueryFragments.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>
#include <QTest>

#include <functional>

using TBuilder = std::function<void(QString&)>;
Q_DECLARE_METATYPE(TBuilder)

class TestQueryFragments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builders_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<TBuilder>("builder");
        QTest::addColumn<QString>("expected");
        const QString prior = QStringLiteral("(Int1 = 2)");
        auto row = [](const char* name, const QString& start, TBuilder builder, const QString& expected) {
            QTest::newRow(name) << start << builder << expected;
        };

        row(
            "AddCondition: first fragment", QString(), [](QString& t) { AddCondition(t, QStringLiteral("(a = 1)")); },
            QStringLiteral("(a = 1)"));
        row(
            "AddCondition: second fragment", prior, [](QString& t) { AddCondition(t, QStringLiteral("(a = 1)")); },
            QStringLiteral("(Int1 = 2) and (a = 1)"));
        row(
            "AddCondition: blank fragment", prior, [](QString& t) { AddCondition(t, QStringLiteral("  ")); }, prior);
        row(
            "AddCondition: empty fragment", QString(), [](QString& t) { AddCondition(t, QString()); }, QString());

        row(
            "IntCondition: -1 asks for 0", QString(), [](QString& t) { IntCondition(t, QStringLiteral("Int1"), -1); },
            QStringLiteral("(Int1 = 0)"));
        row(
            "IntCondition: 0 adds nothing", prior, [](QString& t) { IntCondition(t, QStringLiteral("Int1"), 0); },
            prior);
        row(
            "IntCondition: -2 adds nothing", prior, [](QString& t) { IntCondition(t, QStringLiteral("Int1"), -2); },
            prior);
        row(
            "IntCondition: 1", QString(), [](QString& t) { IntCondition(t, QStringLiteral("AllInfo.Int4"), 1); },
            QStringLiteral("(AllInfo.Int4 = 1)"));
        row(
            "IntCondition: joined", prior, [](QString& t) { IntCondition(t, QStringLiteral("Int3"), 250); },
            QStringLiteral("(Int1 = 2) and (Int3 = 250)"));

        row(
            "IdCondition: an id", QString(),
            [](QString& t) { IdCondition(t, QStringLiteral("0000001A0000000F"), QStringLiteral("AllInfo.Link1")); },
            QStringLiteral("(AllInfo.Link1 = \"0000001A0000000F\")"));
        row(
            "IdCondition: the none id counts", QString(),
            [](QString& t) { IdCondition(t, Ids::None, QStringLiteral("Link2")); },
            QStringLiteral("(Link2 = \"0000000200000001\")"));
        row(
            "IdCondition: the null id adds nothing", prior,
            [](QString& t) { IdCondition(t, Ids::Null, QStringLiteral("Link2")); }, prior);
        row(
            "IdCondition: a blank id adds nothing", prior,
            [](QString& t) { IdCondition(t, QStringLiteral("   "), QStringLiteral("Link2")); }, prior);
        row(
            "IdCondition: a quote inside is doubled", QString(),
            [](QString& t) { IdCondition(t, QStringLiteral("A\"B"), QStringLiteral("Link2")); },
            QStringLiteral("(Link2 = \"A\"\"B\")"));

        row(
            "LikeCondition: prefix with the blank before the parenthesis", QString(),
            [](QString& t) { LikeCondition(t, QStringLiteral("Str1"), QStringLiteral("Ив")); },
            QStringLiteral("(Str1 like \"Ив%\" )"));
        row(
            "LikeCondition: empty value adds nothing", prior,
            [](QString& t) { LikeCondition(t, QStringLiteral("Str1"), QString()); }, prior);
        row(
            "LikeCondition: quoted name", prior,
            [](QString& t) { LikeCondition(t, QStringLiteral("AllInfo.Str1"), QStringLiteral("ООО \"Ром")); },
            QStringLiteral("(Int1 = 2) and (AllInfo.Str1 like \"ООО \"\"Ром%\" )"));

        const double day = DateSerial::FromDate(QDate(2024, 1, 5));
        const double evening = DateSerial::FromDateTime(QDate(2024, 1, 5), QTime(21, 30));
        const QList<std::pair<int, QString>> operators = {{DateOp::Equal, QStringLiteral(" = ")},
            {DateOp::From, QStringLiteral(" >= ")}, {DateOp::Before, QStringLiteral(" < ")},
            {DateOp::After, QStringLiteral(" > ")}, {DateOp::UpTo, QStringLiteral(" <= ")}};
        for (const auto& [op, sign] : operators) {
            QTest::addRow("DateCondition: op %d", op) << QString() << TBuilder([op = op, day](QString& t) {
                DateCondition(t, QStringLiteral("Date1"), op, day);
            }) << QStringLiteral("(Date1") + sign + QStringLiteral("#01/05/2024#)");
        }
        row(
            "DateCondition: the time of day is dropped", QString(),
            [evening](QString& t) { DateCondition(t, QStringLiteral("Date1"), DateOp::Before, evening); },
            QStringLiteral("(Date1 < #01/05/2024#)"));
        row(
            "DateCondition: op 0 adds nothing", prior,
            [day](QString& t) { DateCondition(t, QStringLiteral("Date1"), 0, day); }, prior);
        row(
            "DateCondition: op 6 adds nothing", prior,
            [day](QString& t) { DateCondition(t, QStringLiteral("Date1"), 6, day); }, prior);
        row(
            "DateCondition: no date adds nothing", prior,
            [](QString& t) { DateCondition(t, QStringLiteral("Date1"), DateOp::From, 0); }, prior);
    }

    void builders()
    {
        QFETCH(QString, start);
        QFETCH(TBuilder, builder);
        QFETCH(QString, expected);
        QString text = start;
        builder(text);
        QCOMPARE(text, expected);
    }

    // The fragments select what they say on the engine, whatever the value holds.
    void fragmentsSelectTheRowsTheyName()
    {
        ZORVIN_REQUIRE_TEST_ENGINE();
        TTempDatabase fixture;
        TObjectWeb web;
        for (const QString& name : {QStringLiteral("ООО \"Ромашка\""), QStringLiteral("ооо \"ромашка\" и сыновья"),
                 QStringLiteral("Ромашка")}) {
            web.Add(name, Kind::Organization, [&](TDBMainInfo& r) {
                r.Str1 = name;
                r.Date1 = DateSerial::FromDateTime(QDate(2024, 1, 5), QTime(10, 0));
                r.Int1 = name.size();
            });
        }
        QCOMPARE(web.Keys().size(), 3);

        QString where = QStringLiteral("(ObjType = 6)");
        LikeCondition(where, QStringLiteral("Str1"), QStringLiteral("ООО \"Ром"));
        DateCondition(where, QStringLiteral("Date1"), DateOp::From, DateSerial::FromDate(QDate(2024, 1, 5)));
        DateCondition(where, QStringLiteral("Date1"), DateOp::Before, DateSerial::FromDate(QDate(2024, 1, 6)));
        IntCondition(where, QStringLiteral("Int2"), -1);
        auto q = fixture.Db()->CreateQuery(
            QStringLiteral("select Str1 from AllInfo where ") + where + QStringLiteral(" order by Str1"));
        QVERIFY(q);
        QStringList found;
        while (q->next())
            found << q->value(0).toString();
        QCOMPARE(found, (QStringList {QStringLiteral("ООО \"Ромашка\""), QStringLiteral("ооо \"ромашка\" и сыновья")}));

        QString byId;
        IdCondition(byId, web.Id(QStringLiteral("Ромашка")).toLower(), QStringLiteral("ObjId"));
        q = fixture.Db()->CreateQuery(QStringLiteral("select Str1 from AllInfo where ") + byId);
        QVERIFY(q && q->next());
        QCOMPARE(q->value(0).toString(), QStringLiteral("Ромашка"));
    }
};

QTEST_GUILESS_MAIN(TestQueryFragments)
#include "tst_queryfragments.moc"
