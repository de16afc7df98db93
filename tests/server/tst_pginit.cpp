// zorvin-admin pg-init on a real server: the database it prepares opens in the store from a SERVER settings
// file; a second run changes nothing; a database that holds something else, or that cannot compare letters
// ignoring case, is refused and left untouched.
#include "platform/ProgramPaths.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TProgramRun Admin(const QStringList& args, const QString& folder = QDir::tempPath())
{
    return RunProgram(QStringLiteral(ZORVIN_ADMIN), args, folder);
}

// A database of the test's own on the test server, dropped at the end.
class TServerDatabase final
{
public:
    explicit TServerDatabase(const QString& clauses = QString())
        : m_server(TTestServer::FromEnvironment())
    {
        static int counter = 0;
        m_name = QStringLiteral("zorvin_pginit_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        if (!clauses.isNull())
            m_created = Admin(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 %2").arg(m_name, clauses));
    }
    ~TServerDatabase() { Admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name)); }
    TServerDatabase(const TServerDatabase&) = delete;
    TServerDatabase& operator=(const TServerDatabase&) = delete;

    const QString& Name() const { return m_name; }
    bool Created() const { return m_created; }
    /// The pg-init arguments that reach this database.
    QStringList Arguments() const
    {
        return {QStringLiteral("pg-init"), QStringLiteral("--host"), m_server.Host, QStringLiteral("--port"),
            QString::number(m_server.Port), QStringLiteral("--user"), m_server.User, QStringLiteral("--password"),
            m_server.Password, QStringLiteral("--database"), m_name};
    }
    const TTestServer& Server() const { return m_server; }
    /// Runs \a sql in this database.
    bool Run(const QString& sql) const
    {
        TSqlConnection c = m_server.Connect(m_name);
        QSqlQuery q(c.Database());
        return c.IsOpen() && q.exec(sql);
    }
    /// Every table of the database's own schemas.
    QStringList Tables() const
    {
        TSqlConnection c = m_server.Connect(m_name);
        QSqlQuery q(c.Database());
        QStringList tables;
        if (c.IsOpen()
            && q.exec(QStringLiteral("select table_name from information_schema.tables where table_schema "
                                     "not in ('pg_catalog', 'information_schema') order by 1")))
            while (q.next())
                tables << q.value(0).toString();
        return tables;
    }

private:
    bool Admin(const QString& sql) const
    {
        TSqlConnection c = m_server.Connect();
        QSqlQuery q(c.Database());
        return c.IsOpen() && q.exec(sql);
    }

    TTestServer m_server;
    QString m_name;
    bool m_created = true;
};

QString Utf8Clauses()
{
    return QStringLiteral("ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C.UTF-8'");
}

} // namespace

class TestPgInit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void cleanup() { ProgramPaths::SetProgramFolder(QString()); }

    void preparedDatabaseOpensFromServerSettings_data()
    {
        QTest::addColumn<bool>("socket");
        QTest::newRow("server field host:port") << false;
        QTest::newRow("server field socket folder:port") << true;
    }

    void preparedDatabaseOpensFromServerSettings()
    {
        QFETCH(bool, socket);
        const QString socketFolder = qEnvironmentVariable("ZORVIN_PG_SOCKET");
        if (socket && socketFolder.isEmpty())
            QSKIP("the server's socket folder is not known (ZORVIN_PG_SOCKET)");
        TServerDatabase database; // made by pg-init itself
        TProgramRun made = Admin(database.Arguments()
            << QStringLiteral("--create") << QStringLiteral("--description") << QStringLiteral("Общая база")
            << QStringLiteral("--prefix") << QStringLiteral("77"));
        QVERIFY2(made.Code == 0, qPrintable(made.Err));
        QVERIFY2(made.Out.contains(QStringLiteral("подготовлена для Zorvin")), qPrintable(made.Out));
        QCOMPARE(database.Tables(), QStringList {QStringLiteral("allinfo")});

        QTemporaryDir program;
        const TTestServer& server = database.Server();
        const QString serverField
            = socket ? socketFolder + QLatin1Char(':') + QString::number(server.Port) : server.ServerField();
        TProgramRun ini = Admin({QStringLiteral("write-ini"), QStringLiteral("SERVER"), serverField, server.User,
                                    server.Password, database.Name()},
            program.path());
        QVERIFY2(ini.Code == 0, qPrintable(ini.Err));
        ProgramPaths::SetProgramFolder(program.path());
        std::unique_ptr<TMyDataBase> db = OpenCurrentDatabase();
        QVERIFY(db);
        QCOMPARE(db->StatusCode(), 0);
        QCOMPARE(db->ConnectionKind(), int(ConnectionType::Server));
        QCOMPARE(db->DataSource(), serverField);
        QCOMPARE(db->Description(), QStringLiteral("Общая база"));
        QVERIFY(db->IsWritable());

        TScriptedMessages messages;
        TDBMainInfo person;
        person.ObjType = Kind::Person;
        person.Str1 = QStringLiteral("Иванов");
        person.Foto = QByteArray("\x00\xFF\xD8", 3);
        QCOMPARE(person.Save(), 0);
        QCOMPARE(person.Obj.Text(), QStringLiteral("0000004D00000001"));
        auto q = db->CreateQuery(QStringLiteral("select Str1, Foto from AllInfo where Str1 like \"ив%\""));
        QVERIFY(q && q->next());
        QCOMPARE(q->value(1).toByteArray(), person.Foto);
    }

    void columnsIndexesAndFixedRows()
    {
        TServerDatabase database(Utf8Clauses());
        QVERIFY(database.Created());
        TProgramRun made = Admin(database.Arguments() << QStringLiteral("--prefix") << QStringLiteral("9"));
        QVERIFY2(made.Code == 0, qPrintable(made.Err));
        TSqlConnection c = database.Server().Connect(database.Name());
        QSqlQuery q(c.Database());
        QVERIFY(q.exec(
            QStringLiteral("select column_name, udt_name, is_nullable, column_default from "
                           "information_schema.columns where table_name = 'allinfo' order by ordinal_position")));
        QStringList columns;
        while (q.next())
            columns << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString()
                    + (q.value(2).toString() == QLatin1String("NO") ? QStringLiteral(" not null") : QString());
        QCOMPARE(columns.size(), Schema::Columns().size());
        QCOMPARE(columns.at(0), QStringLiteral("objid citext not null"));
        QCOMPARE(columns.at(1), QStringLiteral("objtype int8 not null"));
        QVERIFY(columns.contains(QStringLiteral("str1 text not null")));
        QVERIFY(columns.contains(QStringLiteral("comments text not null")));
        QVERIFY(q.exec(QStringLiteral("select count(*) from information_schema.columns where table_name = 'allinfo' "
                                      "and collation_name = 'zorvin_ru'")) && q.next());
        QCOMPARE(q.value(0).toInt(), 6);
        QVERIFY(columns.contains(QStringLiteral("flag int4 not null")));
        QVERIFY(columns.contains(QStringLiteral("date1 float8 not null")));
        QVERIFY(columns.contains(QStringLiteral("foto bytea")));

        QVERIFY(q.exec(QStringLiteral("select indexname from pg_indexes where tablename = 'allinfo'")));
        QStringList indexes;
        while (q.next())
            indexes << q.value(0).toString();
        for (const QString& name : Schema::IndexNames())
            QVERIFY2(indexes.contains(name.toLower()), qPrintable(name));

        QVERIFY(q.exec(QStringLiteral("select ObjId, ObjType, Int2, Int5, Link1 from AllInfo order by ObjType")));
        QStringList rows;
        while (q.next())
            rows << QStringLiteral("%1 %2 %3 %4 %5")
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                            q.value(4).toString());
        QCOMPARE(rows,
            (QStringList {QStringLiteral("0000000200000001 29 0 0 0000000200000001"),
                QStringLiteral("0000000000000381 897 0 1 "), Schema::IdentityRowId() + QStringLiteral(" 899 9 1 ")}));
    }

    void secondRunLeavesTheDatabaseAsItIs()
    {
        TServerDatabase database(Utf8Clauses());
        QVERIFY(database.Created());
        QCOMPARE(Admin(database.Arguments() << QStringLiteral("--description") << QStringLiteral("Первая")).Code, 0);
        QVERIFY(database.Run(QStringLiteral("update AllInfo set Int1 = 41 where ObjType = 899")));
        QVERIFY(database.Run(
            QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1) values ('0000001000000001', 1, 'x')")));
        // A database prepared by an earlier version lacks the address indexes: they are made again.
        QVERIFY(database.Run(QStringLiteral("DROP INDEX AllInfo_Address_Settlement")));
        TProgramRun again = Admin(database.Arguments() << QStringLiteral("--description") << QStringLiteral("Вторая"));
        QCOMPARE(again.Code, 0);
        QVERIFY2(
            again.Out.contains(QStringLiteral("«Первая»")) && again.Out.contains(QStringLiteral("оставлена как есть")),
            qPrintable(again.Out));
        TSqlConnection c = database.Server().Connect(database.Name());
        QSqlQuery q(c.Database());
        QVERIFY(q.exec(QStringLiteral("select count(*), sum(Int1) from AllInfo")) && q.next());
        QCOMPARE(q.value(0).toInt(), 4);
        QCOMPARE(q.value(1).toInt(), 41);
        QVERIFY(q.exec(QStringLiteral("select indexdef from pg_indexes where indexname = 'allinfo_address_settlement'"))
            && q.next());
        QVERIFY2(q.value(0).toString().contains(QStringLiteral("WHERE (objtype = 3)")), qPrintable(q.value(0).toString()));
    }

    // A database prepared before the Russian text rules is refused by the program with a message that names
    // the cure, and pg-init moves it onto the rules with its rows.
    void oldDatabaseIsMigrated()
    {
        TServerDatabase database(Utf8Clauses());
        QVERIFY(database.Created());
        QCOMPARE(Admin(database.Arguments() << QStringLiteral("--description") << QStringLiteral("Давняя")).Code, 0);
        QStringList old;
        for (const TColumn& c : Schema::Columns()) {
            if (c.Type == TColumnType::Text)
                old << QStringLiteral("ALTER COLUMN %1 TYPE citext").arg(c.Name);
        }
        QVERIFY(database.Run(QStringLiteral("ALTER TABLE AllInfo ") + old.join(QStringLiteral(", "))));
        QVERIFY(database.Run(QStringLiteral("DROP FUNCTION zorvin_fold(text)")));
        QVERIFY(database.Run(
            QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1) values ('0000001000000001', 1, 'Семёнов')")));

        TTestServer server = database.Server();
        const QString encodedUser = SettingsFile::EncodeText(server.User);
        const QString encodedPassword = SettingsFile::EncodeText(server.Password);
        TMyDataBase before;
        QCOMPARE(before.Open(ConnectionType::Server, InstallMode::Server, database.Name(), encodedPassword, encodedUser,
                             server.ServerField()),
                 int(DbStatus::BadFormat));
        QVERIFY2(before.ErrorText().contains(QStringLiteral("zorvin-admin pg-init")), qPrintable(before.ErrorText()));

        TProgramRun migrated = Admin(database.Arguments());
        QVERIFY2(migrated.Code == 0, qPrintable(migrated.Err));
        QVERIFY2(migrated.Out.contains(QStringLiteral("переведена на русские правила")), qPrintable(migrated.Out));
        TMyDataBase after;
        QCOMPARE(after.Open(ConnectionType::Server, InstallMode::Server, database.Name(), encodedPassword, encodedUser,
                            server.ServerField()),
                 int(DbStatus::Ok));
        QCOMPARE(after.Description(), QStringLiteral("Давняя"));
        auto q = after.CreateQuery(QStringLiteral("select Str1 from AllInfo where ObjType = 1 and (Str1 like \"семен%\" )"));
        QVERIFY(q && q->next());
        QCOMPARE(q->value(0).toString(), QStringLiteral("Семёнов"));
        TProgramRun again = Admin(database.Arguments());
        QVERIFY2(again.Code == 0 && again.Out.contains(QStringLiteral("оставлена как есть")), qPrintable(again.Out));
    }

    void refusesWhatItCannotUse_data()
    {
        QTest::addColumn<QString>("clauses");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("tables");
        QTest::newRow("another table") << Utf8Clauses() << "create table orders (n integer)"
                                       << "уже содержит другие таблицы (public.orders)" << QStringList {u"orders"_s};
        QTest::newRow("a table AllInfo of something else")
            << Utf8Clauses() << "create table AllInfo (n integer)"
            << "без системной записи Zorvin" << QStringList {u"allinfo"_s};
        QTest::newRow("a table in another schema")
            << Utf8Clauses() << "create schema accounts; create table accounts.ledger (n integer)"
            << "accounts.ledger" << QStringList {u"ledger"_s};
        QTest::newRow("letters not folded beyond Latin") << "ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'"
                                                         << ""
                                                         << "LC_CTYPE C" << QStringList {};
        QTest::newRow("not UTF-8") << "ENCODING 'SQL_ASCII' LC_COLLATE 'C' LC_CTYPE 'C'"
                                   << ""
                                   << "в кодировке UTF8, а не SQL_ASCII" << QStringList {};
    }

    void refusesWhatItCannotUse()
    {
        QFETCH(QString, clauses);
        QFETCH(QString, setup);
        QFETCH(QString, message);
        QFETCH(QStringList, tables);
        TServerDatabase database(clauses);
        QVERIFY(database.Created());
        if (!setup.isEmpty())
            QVERIFY(database.Run(setup));
        TProgramRun refused = Admin(database.Arguments());
        QCOMPARE(refused.Code, 1);
        QVERIFY2(refused.Err.contains(message), qPrintable(refused.Err));
        QCOMPARE(database.Tables(), tables);
    }

    void badArgumentsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no host") << QStringList {u"pg-init"_s, u"--user"_s, u"u"_s, u"--database"_s, u"d"_s}
                                 << "--host";
        QTest::newRow("no database") << QStringList {u"pg-init"_s, u"--host"_s, u"h"_s, u"--user"_s, u"u"_s}
                                     << "--database";
        QTest::newRow("port 0") << QStringList {u"pg-init"_s, u"--host"_s, u"h"_s, u"--port"_s, u"0"_s, u"--user"_s,
            u"u"_s, u"--database"_s, u"d"_s}
                                << "Порт";
        QTest::newRow("prefix 2") << QStringList {u"pg-init"_s, u"--host"_s, u"h"_s, u"--user"_s, u"u"_s,
            u"--database"_s, u"d"_s, u"--prefix"_s, u"2"_s}
                                  << "Префикс";
        QTest::newRow("unknown option") << QStringList {u"pg-init"_s, u"--host"_s, u"h"_s, u"--user"_s, u"u"_s,
            u"--database"_s, u"d"_s, u"--drop"_s}
                                        << "--drop";
        QTest::newRow("option without its value") << QStringList {u"pg-init"_s, u"--host"_s} << "--host";
    }

    void badArgumentsChangeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        TProgramRun run = Admin(args);
        QCOMPARE(run.Code, 2);
        QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
        QVERIFY(run.Out.isEmpty());
    }

    void unreachableServerIsReported()
    {
        TProgramRun run = Admin({QStringLiteral("pg-init"), QStringLiteral("--host"), QStringLiteral("127.0.0.1:1"),
            QStringLiteral("--user"), QStringLiteral("u"), QStringLiteral("--database"), QStringLiteral("d")});
        QCOMPARE(run.Code, 1);
        QVERIFY2(run.Err.contains(QStringLiteral("Не удалось подключиться к базе данных d на сервере 127.0.0.1:1")),
            qPrintable(run.Err));
    }
};

QTEST_GUILESS_MAIN(TestPgInit)
#include "tst_pginit.moc"
