// Several clients saving new objects into one database at the same time: every object gets an identifier
// of its own and its row, and the counter moves by exactly the number of objects.
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "tests/support/TempDatabase.h"

#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QTest>

#include <memory>
#include <vector>

class TestConcurrentSaves : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void clientsSavingTogetherGetDistinctIds_data()
    {
        QTest::addColumn<int>("clients");
        QTest::addColumn<int>("perClient");
        QTest::newRow("two clients, a thousand objects each") << 2 << 1000;
        QTest::newRow("four clients, a hundred objects each") << 4 << 100;
    }

    void clientsSavingTogetherGetDistinctIds()
    {
        QFETCH(int, clients);
        QFETCH(int, perClient);
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        const qint64 counterBefore
            = fixture.Scalar(QStringLiteral("select Int1 from AllInfo where ObjType = 899")).toLongLong();

        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < clients; ++i) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::SeparateChannels);
            p->start(QStringLiteral(ZORVIN_TEST_SAVER), {fixture.SettingsLine(), QString::number(perClient)});
            QVERIFY2(p->waitForStarted(30000), qPrintable(p->errorString()));
            processes.push_back(std::move(p));
        }
        // Every client has its connection before any saves, so that their saves overlap.
        for (auto& p : processes) {
            while (!p->canReadLine() && p->state() == QProcess::Running)
                p->waitForReadyRead(30000);
            QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
        }
        // Each client's start signal is written out now: a QProcess writes only while someone waits on it.
        for (auto& p : processes) {
            p->write("go\n");
            QVERIFY(p->waitForBytesWritten(30000));
        }

        QSet<QString> ids;
        int reported = 0;
        for (auto& p : processes) {
            QVERIFY(p->waitForFinished(300000));
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
            const QList<QByteArray> lines = p->readAllStandardOutput().split('\n');
            for (const QByteArray& line : lines) {
                if (line.trimmed().isEmpty())
                    continue;
                ++reported;
                ids.insert(QString::fromLatin1(line.trimmed()).toUpper());
            }
        }
        const int total = clients * perClient;
        QCOMPARE(reported, total);
        QCOMPARE(ids.size(), total);
        QCOMPARE(fixture.Scalar(QStringLiteral("select count(*) from AllInfo where ObjType = 10")).toInt(), total);
        QCOMPARE(fixture.Scalar(QStringLiteral("select count(distinct ObjId) from AllInfo where ObjType = 10")).toInt(),
            total);
        QCOMPARE(fixture.Scalar(QStringLiteral("select Int1 from AllInfo where ObjType = 899")).toLongLong(),
            counterBefore + total);
        // The ids the clients were given are exactly the stored rows.
        QSet<QString> stored;
        auto q = fixture.Db()->CreateQuery(QStringLiteral("select ObjId from AllInfo where ObjType = 10"));
        QVERIFY(q);
        while (q->next())
            stored.insert(q->value(0).toString().toUpper());
        QCOMPARE(stored, ids);
    }
};

QTEST_GUILESS_MAIN(TestConcurrentSaves)
#include "tst_concurrentsaves.moc"
