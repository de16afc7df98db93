// The list of attached databases kept as kind-898 entries of the current database.
#include "store/DBServerList.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/SettingsFile.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QTest>

class TestServerList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void addOpensStoresAndReloads()
    {
        TTempDatabase current;
        TTempDatabase other;
        TMyDBServerList list(current.Db());
        QCOMPARE(list.Count(), 0);
        QString status;
        const TOpenArguments a = other.OpenArguments();
        QCOMPARE(list.Add(a.ConnectionKind, a.InstallMode, status, a.Catalog, a.Password, a.User, a.DataSource), 0);
        QCOMPARE(status, QStringLiteral("Системная запись активирована"));
        QCOMPARE(list.Count(), 1);
        TMyDataBase* attached = list.At(0);
        QCOMPARE(attached->StatusCode(), 0);
        QCOMPARE(attached->DataSource(), a.DataSource);
        QCOMPARE(attached->Catalog(), a.Catalog);
        QCOMPARE(attached->EntryId(), QStringLiteral("0000000100000001"));
        QCOMPARE(current.Scalar(QStringLiteral("select Int4 from AllInfo where ObjType = 897")).toInt(), 1);
        QCOMPARE(current.Scalar(QStringLiteral("select Int2 from AllInfo where ObjType = 898")).toInt(), a.InstallMode);

        // The current database itself may be attached too; a missing file is refused and stores nothing.
        const TOpenArguments own = current.OpenArguments();
        QCOMPARE(list.Add(own.ConnectionKind, own.InstallMode, status, own.Catalog, own.Password, own.User,
                          own.DataSource),
                 0);
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Add(1, 2, status, QString(), QString(), QString(), current.Folder() + QStringLiteral("/no.zdb")), 1);
        QCOMPARE(status, QStringLiteral("Файл по указанному пути не существует"));
        QCOMPARE(list.Count(), 2);

        // A new list over the same database finds the same entries and opens them from their rows.
        TMyDBServerList again(current.Db());
        QCOMPARE(again.Count(), 2);
        QCOMPARE(again.At(0)->StatusCode(), 0);
        QCOMPARE(again.At(0)->Description(), QStringLiteral("Тестовая база"));
        QCOMPARE(again.At(1)->StatusCode(), 0);

        QCOMPARE(list.Remove(list.At(0)), 0);
        QCOMPARE(list.Count(), 1);
        QCOMPARE(current.Scalar(QStringLiteral("select count(*) from AllInfo where ObjType = 898")).toInt(), 1);
        QCOMPARE(current.Scalar(QStringLiteral("select count(*) from AllInfo")).toInt(), 4);
    }

    void serverEntryKeepsItsLoginEncoded()
    {
        TTempDatabase current;
        TMyDBServerList list(current.Db());
        QString status;
        const QString user = SettingsFile::EncodeText(QStringLiteral("admin"));
        // No server listens there: the probe fails and nothing is written.
        int code = list.Add(ConnectionType::Server, InstallMode::Server, status, QStringLiteral("zorvin"),
                            SettingsFile::EncodeText(QStringLiteral("pw")), user, QStringLiteral("127.0.0.1:1"));
        QCOMPARE(code, 3);
        QCOMPARE(status, QStringLiteral("Не удалось подключиться к БД"));
        QCOMPARE(list.Count(), 0);
        QCOMPARE(current.Scalar(QStringLiteral("select count(*) from AllInfo where ObjType = 898")).toInt(), 0);
    }

    void entriesOfAReferenceDatabaseAreNotRead()
    {
        TTempDatabase other;
        TNewDatabase options = TTempDatabase::DefaultOptions();
        options.Reference = true;
        TTempDatabase current(options);
        TScriptedMessages messages;
        TMyDBServerList list(current.Db());
        QString status;
        // The probe opens, but the entry cannot be saved into a reference database: the failure is reported.
        const TOpenArguments a = other.OpenArguments();
        TStoreResult saved;
        QCOMPARE(
            list.Add(a.ConnectionKind, a.InstallMode, status, a.Catalog, a.Password, a.User, a.DataSource, &saved), -20);
        QCOMPARE(status, QStringLiteral("Запрос вызвал ошибку"));
        QCOMPARE(saved.Text, QStringLiteral("Попытка записи в базу констант!"));
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(list.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestServerList)
#include "tst_serverlist.moc"
