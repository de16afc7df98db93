// A database on a PostgreSQL server: how it is reached, why an open fails, and what the program sees when
// the server goes away under it and comes back.
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

// Runs tools/pg-test-server.sh with the cluster folder and port given.
TProgramRun ServerScript(const QString& command, const QString& folder, int port)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZORVIN_PG_DIR"), folder);
    env.insert(QStringLiteral("ZORVIN_PG_PORT"), QString::number(port));
    env.insert(QStringLiteral("ZORVIN_PG_LISTEN"), QStringLiteral("socket"));
    return RunProgram(QStringLiteral("bash"), {QStringLiteral(ZORVIN_PG_TEST_SERVER), command}, QString(), env);
}

// The value of one "export NAME='value'" line of the script's output.
QString Exported(const QString& out, const QString& name)
{
    const QString prefix = QStringLiteral("export ") + name + QStringLiteral("='");
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).chopped(1);
    }
    return QString();
}

} // namespace

class TestServerConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void failedOpensGiveTheirStatus_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("wrong password") << "password" << 3 << "Не удалось подключиться к БД";
        QTest::newRow("no such database") << "catalog" << 3 << "Не удалось подключиться к БД";
        QTest::newRow("nothing listens at the port") << "port" << 3 << "Не удалось подключиться к БД";
        QTest::newRow("database without the table") << "notable" << 6 << "Неверный формат БД";
        QTest::newRow("no system row") << "nosystem" << 4 << "Неверный формат БД: Нет системной записи";
    }

    void failedOpensGiveTheirStatus()
    {
        QFETCH(QString, situation);
        QFETCH(int, status);
        QFETCH(QString, text);
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        TOpenArguments a = fixture.OpenArguments();
        if (situation == QLatin1String("password"))
            a.Password = SettingsFile::EncodeText(QStringLiteral("not the password"));
        if (situation == QLatin1String("catalog"))
            a.Catalog += QStringLiteral("_missing");
        if (situation == QLatin1String("port"))
            a.DataSource = QStringLiteral("127.0.0.1:1");
        if (situation == QLatin1String("notable"))
            QVERIFY(fixture.Run(QStringLiteral("drop table AllInfo")));
        if (situation == QLatin1String("nosystem"))
            QVERIFY(fixture.Run(QStringLiteral("delete from AllInfo where ObjType = 897")));
        TMyDataBase db;
        QCOMPARE(db.Open(a.ConnectionKind, a.InstallMode, a.Catalog, a.Password, a.User, a.DataSource), status);
        QCOMPARE(db.StatusText(), text);
        QVERIFY(!db.IsWritable());
        if (status == 3)
            QVERIFY(!db.ErrorText().isEmpty());
    }

    void socketFolderInTheServerField()
    {
        const QString socket = qEnvironmentVariable("ZORVIN_PG_SOCKET");
        if (socket.isEmpty())
            QSKIP("the server's socket folder is not known (ZORVIN_PG_SOCKET)");
        TTempDatabase fixture;
        TOpenArguments a = fixture.OpenArguments();
        TMyDataBase db;
        const QString server = socket + QLatin1Char(':') + QString::number(TTestServer::FromEnvironment().Port);
        QCOMPARE(db.Open(a.ConnectionKind, a.InstallMode, a.Catalog, a.Password, a.User, server), 0);
        QCOMPARE(db.Description(), QStringLiteral("Тестовая база"));
        QCOMPARE(db.DataSource(), server);
    }

    void loginWithQuotesBlanksAndBackslashes()
    {
        TTempDatabase fixture;
        const QString user = QStringLiteral("zorvin test \"user\"");
        const QString password = QStringLiteral("п'а р\"о\\ль;");
        QString quotedPassword = password;
        quotedPassword.replace(QLatin1Char('\''), QStringLiteral("''"));
        const QString role = QStringLiteral("\"zorvin test \"\"user\"\"\"");
        QVERIFY(fixture.Run(QStringLiteral("drop role if exists ") + role));
        QVERIFY(fixture.Run(QStringLiteral("create role %1 login password '%2'").arg(role, quotedPassword)));
        QVERIFY(fixture.Run(QStringLiteral("grant all on AllInfo to ") + role));
        TOpenArguments a = fixture.OpenArguments();
        TMyDataBase db;
        const int status = db.Open(a.ConnectionKind, a.InstallMode, a.Catalog, SettingsFile::EncodeText(password),
            SettingsFile::EncodeText(user), a.DataSource);
        const QString error = db.ErrorText();
        db.Close();
        QVERIFY(fixture.Run(QStringLiteral("drop owned by ") + role));
        QVERIFY(fixture.Run(QStringLiteral("drop role ") + role));
        QVERIFY2(status == 0, qPrintable(error));
    }

    void textsWithBackslashesAreStoredAsTyped()
    {
        TTempDatabase fixture;
        // A server configured for the old backslash escapes must not change what the program writes.
        QVERIFY(fixture.Run(
            QStringLiteral("alter database %1 set standard_conforming_strings = off").arg(fixture.ServerDatabase())));
        QCOMPARE(fixture.Reopen(), 0);
        TMyDataBase* db = fixture.Db();
        const QString path = QStringLiteral("C:\\Документы\\new\\x'y");
        QCOMPARE(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1) values (\"T1\", 10, %1)")
                                 .arg(SqlDialect::Quote(path))),
            0);
        auto q = db->CreateQuery(QStringLiteral("select Str1 from AllInfo where Str1 like ") + SqlDialect::Quote(path));
        QVERIFY(q && q->next());
        QCOMPARE(q->value(0).toString(), path);
    }

    void serverStoppedWhileConnected()
    {
        const QString folder
            = QDir::temp().filePath(QStringLiteral("zorvin-pg-restart-%1").arg(QCoreApplication::applicationPid()));
        const int port = 55433;
        TProgramRun started = ServerScript(QStringLiteral("start"), folder, port);
        if (started.Code != 0) {
            ServerScript(QStringLiteral("stop"), folder, port);
            QFAIL(qPrintable(QStringLiteral("the restart cluster did not start: ") + started.Err));
        }
        auto stopCluster = qScopeGuard([&] { ServerScript(QStringLiteral("stop"), folder, port); });
        TTestServer server;
        server.Host = Exported(started.Out, QStringLiteral("ZORVIN_PG_HOST"));
        server.Port = port;
        server.User = Exported(started.Out, QStringLiteral("ZORVIN_PG_USER"));
        server.Password = Exported(started.Out, QStringLiteral("ZORVIN_PG_PASSWORD"));
        server.Database = Exported(started.Out, QStringLiteral("ZORVIN_PG_DATABASE"));
        {
            TSqlConnection connection = server.Connect();
            QSqlDatabase c = connection.Database();
            QString error;
            QVERIFY2(connection.IsOpen(), qPrintable(connection.ErrorText()));
            QVERIFY2(
                Schema::Create(c, TSqlEngine::PostgreSQL, TTempDatabase::DefaultOptions(), &error), qPrintable(error));
        }

        TMyDataBase db;
        QCOMPARE(
            db.Open(ConnectionType::Server, InstallMode::Server, server.Database,
                SettingsFile::EncodeText(server.Password), SettingsFile::EncodeText(server.User), server.ServerField()),
            0);
        TScriptedMessages messages;
        TDBMainInfo note;
        note.SetDatabase(&db);
        note.ObjType = Kind::Note;
        note.Str1 = QStringLiteral("до остановки");
        QCOMPARE(note.Save(), 0);

        QCOMPARE(ServerScript(QStringLiteral("pause"), folder, port).Code, 0);
        // The first save after the server went away learns it from the server's side: refused with the
        // reason, and the record keeps what was typed.
        note.Str1 = QStringLiteral("во время остановки");
        const TStoreResult refused = note.Save();
        QCOMPARE(refused.Code, -1);
        QCOMPARE(note.Str1, QStringLiteral("во время остановки"));
        QCOMPARE(refused.Text, db.ErrorText());
        QVERIFY(!db.ErrorText().isEmpty());
        // From then on the connection is known to be gone.
        QCOMPARE(db.Execute(QStringLiteral("update AllInfo set Int3 = 1 where ObjType = 10")), 20);
        QCOMPARE(db.StatusText(), QStringLiteral("Запрос вызвал ошибку"));
        QVERIFY(!db.CreateQuery(QStringLiteral("select * from AllInfo")));
        QCOMPARE(db.StatusCode(), 20);
        const TStoreResult unconnected = note.Save();
        QCOMPARE(unconnected.Code, -100);
        QCOMPARE(unconnected.Text, QStringLiteral("Не удалось подключиться к БД"));
        QCOMPARE(note.Str1, QStringLiteral("во время остановки"));
        TDBMainInfo other;
        other.SetDatabase(&db);
        QVERIFY(!other.SetObj(note.Obj));
        QVERIFY(!db.Reconnect());

        QCOMPARE(ServerScript(QStringLiteral("start"), folder, port).Code, 0);
        QVERIFY(db.Reconnect());
        QCOMPARE(note.Save(), 0);
        QCOMPARE(db.Execute(QStringLiteral("update AllInfo set Int3 = 1 where ObjType = 10")), 0);
        QCOMPARE(db.RowsAffected(), 1);
        QVERIFY(other.SetObj(note.Obj));
        QCOMPARE(other.Str1, QStringLiteral("во время остановки"));
        QCOMPARE(other.Int3, 1);
    }
};

QTEST_GUILESS_MAIN(TestServerConnection)
#include "tst_serverconnection.moc"
