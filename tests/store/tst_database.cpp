// Opening databases, statuses, statements, identifiers, transactions and the case-folding text rules.
#include "platform/ProgramPaths.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/RowStream.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QThread>

namespace {
QString Scalar(TMyDataBase* db, const QString& sql)
{
    auto q = db->CreateQuery(sql);
    return q && q->next() ? q->value(0).toString() : QStringLiteral("<none>");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void cleanup()
    {
        ProgramPaths::SetProgramFolder(QString());
        ProgramPaths::SetSharedFolder(QString());
    }

    void opensWorkingDatabaseAndReadsSystemRow()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        QCOMPARE(db->StatusCode(), 0);
        QCOMPARE(db->StatusText(), QStringLiteral("Системная запись активирована"));
        QCOMPARE(db->SystemRowId(), Ids::SystemRow);
        QCOMPARE(db->Description(), QStringLiteral("Тестовая база"));
        QCOMPARE(db->WriteMode(), 1);
        QVERIFY(db->IsWritable());
        QCOMPARE(db->IdentityRowId(), MakeId(899, 0));
        QCOMPARE(Scalar(db, QStringLiteral("select ObjType from AllInfo where ObjId = \"0000000200000001\"")),
                 QStringLiteral("29"));
    }

    void failedOpensGiveTheirStatusAndWriteNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing file") << "missing" << 1 << "Файл по указанному пути не существует";
        QTest::newRow("damaged file") << "damaged" << 3 << "Не удалось подключиться к БД";
        QTest::newRow("database without the table") << "notable" << 6 << "Неверный формат БД";
        QTest::newRow("no system row") << "nosystem" << 4 << "Неверный формат БД: Нет системной записи";
    }

    void failedOpensGiveTheirStatusAndWriteNothing()
    {
        if (TTempDatabase::OnServer())
            QSKIP("database files only");
        QFETCH(QString, kind);
        QFETCH(int, status);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("WBD.zdb"));
        if (kind == QLatin1String("damaged")) {
            WriteFile(path, QByteArray("This is not a database file, only some text.\n").repeated(200));
        } else if (kind == QLatin1String("notable")) {
            TSqlConnection c = TSqlConnection::OpenSqliteFile(path, TSqlConnection::CreateFile);
            QSqlQuery(c.Database()).exec(QStringLiteral("create table Other (x integer)"));
        } else if (kind == QLatin1String("nosystem")) {
            TNewDatabase options;
            options.Prefix = 7;
            QString error;
            QVERIFY(Schema::CreateDatabaseFile(path, options, &error));
            TSqlConnection c = TSqlConnection::OpenSqliteFile(path, TSqlConnection::ExistingFile);
            QVERIFY(QSqlQuery(c.Database()).exec(QStringLiteral("delete from AllInfo where ObjType = 897")));
        }
        QByteArray before;
        if (QFile::exists(path)) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            before = f.readAll();
        }
        TMyDataBase db;
        QCOMPARE(db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path), status);
        QCOMPARE(db.StatusText(), text);
        QVERIFY(!db.IsWritable());
        db.Close();
        if (kind == QLatin1String("missing")) {
            QVERIFY(!QFile::exists(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll().size(), before.size());
        }
    }

    void referenceDatabaseOpensReadOnly()
    {
        TNewDatabase options = TTempDatabase::DefaultOptions();
        options.Reference = true;
        TTempDatabase fixture(options);
        QCOMPARE(fixture.Db()->StatusCode(), 0);
        QCOMPARE(fixture.Db()->WriteMode(), 0);
        QVERIFY(!fixture.Db()->IsWritable());
    }

    void installModesPlaceTheFile()
    {
        QTemporaryDir program;
        QTemporaryDir shared;
        ProgramPaths::SetProgramFolder(program.path());
        ProgramPaths::SetSharedFolder(shared.path());
        QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::Flash, QStringLiteral("/ignored")),
                 program.filePath(QStringLiteral("Data/WBD.zdb")));
        QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::FilePath, QString()),
                 program.filePath(QStringLiteral("Data/WBD.zdb")));
        QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::FilePath, QStringLiteral("/x/y.zdb")),
                 QStringLiteral("/x/y.zdb"));
        QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::AllUsers, QString()),
                 shared.filePath(QStringLiteral("Data/WBD.zdb")));
        ProgramPaths::SetSharedFolder(QString());
        QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::AllUsers, QString()),
                 QStringLiteral("/var/lib/zorvin/Data/WBD.zdb"));
    }

    void serverFieldGivesHostAndPort_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("host name") << "db.example.org" << "db.example.org" << 0;
        QTest::newRow("host and port") << "db.example.org:5433" << "db.example.org" << 5433;
        QTest::newRow("address and port, blanks around") << " 127.0.0.1:55432 " << "127.0.0.1" << 55432;
        QTest::newRow("socket folder") << "/run/postgresql" << "/run/postgresql" << 0;
        QTest::newRow("socket folder with the port of its socket")
            << "/tmp/zorvin pg/socket:55432" << "/tmp/zorvin pg/socket" << 55432;
        QTest::newRow("bracketed IPv6 address and port") << "[::1]:5433" << "::1" << 5433;
        QTest::newRow("bare IPv6 address has no port") << "fe80::1" << "fe80::1" << 0;
        QTest::newRow("not a port") << "db:pg" << "db:pg" << 0;
        QTest::newRow("port 65535") << "db:65535" << "db" << 65535;
        QTest::newRow("port 65536 is not a port") << "db:65536" << "db:65536" << 0;
        QTest::newRow("port 0 is not a port") << "db:0" << "db:0" << 0;
    }

    void serverFieldGivesHostAndPort()
    {
        QFETCH(QString, server);
        QFETCH(QString, host);
        QFETCH(int, port);
        QString gotHost;
        int gotPort = -1;
        TMyDataBase::SplitServerAddress(server, &gotHost, &gotPort);
        QCOMPARE(gotHost, host);
        QCOMPARE(gotPort, port);
    }

    void startUpFromSettingsFile_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("created");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("fileOnly");
        QTest::newRow("the fixture's own settings line") << QStringLiteral("<fixture>") << true << 0 << false;
        QTest::newRow("flash") << QStringLiteral("FLASH") << true << 0 << true;
        QTest::newRow("filepath in lower case with an empty field")
            << (QStringLiteral("filepath|") + SettingsFile::EncodeField(QString())) << true << 0 << true;
        QTest::newRow("unknown keyword") << QStringLiteral("NETWORK|0000") << false << 0 << false;
        QTest::newRow("no file") << QString() << false << 0 << false;
        QTest::newRow("path to a missing file")
            << (QStringLiteral("FILEPATH|") + SettingsFile::EncodeField(QStringLiteral("/nonexistent/x.zdb"))) << true
            << 1 << false;
    }

    void startUpFromSettingsFile()
    {
        QFETCH(QString, line);
        QFETCH(bool, created);
        QFETCH(int, status);
        QFETCH(bool, fileOnly);
        if (fileOnly && TTempDatabase::OnServer())
            QSKIP("a database file in the program's folder");
        TTempDatabase fixture;
        if (line == QLatin1String("<fixture>"))
            line = fixture.SettingsLine();
        SetCurrentDatabase(nullptr);
        ProgramPaths::SetProgramFolder(fixture.Folder());
        if (!line.isEmpty())
            WriteFile(QDir(fixture.Folder()).filePath(QStringLiteral("Zorvin.ini")), line.toUtf8() + "\r\n");
        std::unique_ptr<TMyDataBase> db = OpenCurrentDatabase();
        QCOMPARE(db != nullptr, created);
        if (!db) {
            QCOMPARE(CurrentDatabase(), nullptr);
            return;
        }
        QCOMPARE(db->objectName(), QStringLiteral("Server_1"));
        QCOMPARE(CurrentDatabase(), db.get());
        QCOMPARE(db->StatusCode(), status);
        db.reset();
        QCOMPARE(CurrentDatabase(), nullptr);
    }

    void statementsSetTheStatus()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        QCOMPARE(db->Execute(QStringLiteral("update AllInfo set Str1 = \"x\" where ObjType = 29")), 0);
        QCOMPARE(db->RowsAffected(), 1);
        QCOMPARE(db->Execute(QStringLiteral("update NoSuchTable set Str1 = 1")), 20);
        QCOMPARE(db->StatusText(), QStringLiteral("Запрос вызвал ошибку"));
        QVERIFY(!db->ErrorText().isEmpty());
        QVERIFY(!db->CreateQuery(QStringLiteral("select nothing from nowhere")));
        QCOMPARE(db->StatusCode(), 20);
        QVERIFY(db->CreateQuery(QStringLiteral("select * from AllInfo")));
        QCOMPARE(db->StatusCode(), 0);

        SetCurrentDatabase(nullptr);
        QCOMPARE(TMyDataBase::ExecuteOn(nullptr, QStringLiteral("delete from AllInfo")), -1001);
        QVERIFY(!TMyDataBase::QueryOn(nullptr, QStringLiteral("select * from AllInfo")));
        QCOMPARE(TMyDataBase::ExecuteOn(db, QStringLiteral("update AllInfo set Int3 = 1 where ObjType = 29")), 0);

        db->Close();
        QCOMPARE(db->Execute(QStringLiteral("update AllInfo set Int3 = 2")), 20);
        QVERIFY(!db->CreateQuery(QStringLiteral("select * from AllInfo")));
        QVERIFY(!db->CreateCommand());
        QVERIFY(db->Reconnect());
        QCOMPARE(Scalar(db, QStringLiteral("select Int3 from AllInfo where ObjType = 29")), QStringLiteral("1"));
    }

    void queryKeepsItsRowsWhileStatementsRunBetween()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType, Int1) values (\"W%1\", 10, %1)").arg(i)),
                     0);
        // Lists walk a result and load or change rows on the way: the walk must still see every row.
        auto q = db->CreateQuery(QStringLiteral("select ObjId, Int1 from AllInfo where ObjType = 10 order by Int1"));
        QVERIFY(q);
        QStringList seen;
        while (q->next()) {
            seen << q->value(0).toString();
            QCOMPARE(db->Execute(QStringLiteral("update AllInfo set Int2 = Int1 where ObjId = ")
                                 + SqlDialect::Quote(q->value(0).toString())),
                     0);
            QCOMPARE(Scalar(db, QStringLiteral("select count(*) from AllInfo where ObjType = 10")), QStringLiteral("5"));
        }
        QCOMPARE(seen.join(QLatin1Char(',')), QStringLiteral("W1,W2,W3,W4,W5"));
        QCOMPARE(Scalar(db, QStringLiteral("select sum(Int2) from AllInfo where ObjType = 10")), QStringLiteral("15"));
    }

    void newIdsComeFromTheCounters()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        QCOMPARE(db->NewId(Kind::Person), QStringLiteral("0000001A00000001"));
        QCOMPARE(db->NewId(Kind::Event), QStringLiteral("0000001A00000002"));
        QCOMPARE(db->NewId(Kind::DatabaseEntry), QStringLiteral("0000000100000001"));
        QVERIFY(db->Execute(QStringLiteral("update AllInfo set Int1 = 254 where ObjType = 899")) == 0);
        QCOMPARE(db->NewId(Kind::Person), QStringLiteral("0000001A000000FF"));
        // An entry id already taken by a row is skipped.
        QVERIFY(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"0000000100000002\", 1)")) == 0);
        QCOMPARE(db->NewId(Kind::DatabaseEntry), QStringLiteral("0000000100000003"));
    }

    void newIdFailsWithoutIdentityRow()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.Run(QStringLiteral("update AllInfo set Int5 = 0 where ObjType = 899")));
        TMyDataBase db;
        QCOMPARE(fixture.OpenAnother(db), 0);
        QVERIFY(db.IdentityRowId().isEmpty());
        QCOMPARE(db.NewId(Kind::Person), Ids::Null);
    }

    void transactionsRollBackUnlessCommitted()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        const QString count = QStringLiteral("select count(*) from AllInfo");
        {
            TWriteTransaction outer(db);
            QVERIFY(outer.IsActive());
            db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"A\", 1)"));
            {
                TWriteTransaction inner(db);
                QVERIFY(inner.IsActive());
                db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"B\", 1)"));
            } // inner rolled back: B is gone, A stays within the outer
            QCOMPARE(Scalar(db, count), QStringLiteral("4"));
            {
                TWriteTransaction inner(db);
                db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"C\", 1)"));
                QVERIFY(inner.Commit());
            }
            QVERIFY(outer.Commit());
        }
        QCOMPARE(Scalar(db, count), QStringLiteral("5"));
        {
            TWriteTransaction t(db);
            db->Execute(QStringLiteral("delete from AllInfo"));
        }
        QCOMPARE(fixture.Scalar(count).toInt(), 5);
    }

    void commitTellsWhetherTheWorkWasWritten()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        const QString count = QStringLiteral("select count(*) from AllInfo where ObjType = 1");
        bool committed = false;
        {
            TWriteTransaction t(db);
            QCOMPARE(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"A\", 1)")), 0);
            QCOMPARE(db->Execute(QStringLiteral("insert into NoSuchTable (x) values (1)")), 20);
            db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"B\", 1)"));
            committed = t.Commit();
        }
        // A file drops only the failed statement; a server drops the whole transaction, and says so.
        QCOMPARE(committed, !TTempDatabase::OnServer());
        QCOMPARE(fixture.Scalar(count).toInt(), committed ? 2 : 0);

        // A failure inside a nested transaction that is rolled back leaves the outer one whole.
        {
            TWriteTransaction outer(db);
            QCOMPARE(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"C\", 1)")), 0);
            {
                TWriteTransaction inner(db);
                QCOMPARE(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"C\", 1)")), 20);
            }
            QCOMPARE(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType) values (\"D\", 1)")), 0);
            QVERIFY(outer.Commit());
        }
        QCOMPARE(fixture.Scalar(count).toInt(), committed ? 4 : 2);
    }

    void textComparesIgnoringCaseInEveryAlphabet_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("found");
        QTest::newRow("prefix in lower case") << "Str1 like \"ив%\"" << "Иванов";
        QTest::newRow("equal in upper case") << "Str1 = \"ИВАНОВ\"" << "Иванов";
        QTest::newRow("latin") << "Str1 like \"sMiTh\"" << "Smith";
        QTest::newRow("underscore is one letter") << "Str1 like \"_етров\"" << "Петров";
        QTest::newRow("substring") << "Str1 like \"%ОВ\" and Str1 like \"п%\"" << "Петров";
        QTest::newRow("greek") << "Str1 = \"σοφία\"" << "ΣΟΦΊΑ";
        QTest::newRow("joined texts") << "Str1 + \"!\" like \"ИВАНОВ!\"" << "Иванов";
        QTest::newRow("no match") << "Str1 like \"иванова%\"" << "";
        QTest::newRow("quote inside") << "Str1 = \"ооо \"\"ромашка\"\"\"" << "ООО \"Ромашка\"";
    }

    void textComparesIgnoringCaseInEveryAlphabet()
    {
        QFETCH(QString, condition);
        QFETCH(QString, found);
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        const QStringList names{QStringLiteral("Иванов"), QStringLiteral("Петров"), QStringLiteral("Smith"),
                                QStringLiteral("ΣΟΦΊΑ"), QStringLiteral("ООО \"Ромашка\"")};
        int n = 0;
        for (const QString& name : names) {
            QCOMPARE(db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1) values (\"T%1\", 1, %2)")
                                     .arg(++n)
                                     .arg(SqlDialect::Quote(name))),
                     0);
        }
        auto q = db->CreateQuery(QStringLiteral("select Str1 from AllInfo where ObjType = 1 and ") + condition);
        QVERIFY(q);
        QStringList rows;
        while (q->next())
            rows << q->value(0).toString();
        QCOMPARE(rows.join(QLatin1Char(',')), found);
    }

    void distinctMergesLetterCaseAndOrdersFolded()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        int n = 0;
        for (const char* name : {"иванов", "Борисов", "ИВАНОВ", "Иванов", "анна", "Яшин"})
            db->Execute(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1) values (\"T%1\", 1, %2)")
                            .arg(++n)
                            .arg(SqlDialect::Quote(QString::fromUtf8(name))));
        auto q = db->CreateQuery(QStringLiteral("select distinct Str1 from AllInfo where ObjType = 1 order by Str1"));
        QVERIFY(q);
        QStringList rows;
        while (q->next())
            rows << q->value(0).toString().toLower();
        QCOMPARE(rows, (QStringList{QStringLiteral("анна"), QStringLiteral("борисов"), QStringLiteral("иванов"),
                                    QStringLiteral("яшин")}));
    }

    void copyOnAnotherThreadSeesTheSameRows()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        db->Execute(QStringLiteral("update AllInfo set Str2 = \"общий\" where ObjType = 29"));
        QString seen;
        int status = -1;
        QThread* thread = QThread::create([&] {
            std::unique_ptr<TMyDataBase> copy = db->OpenCopy();
            status = copy->StatusCode();
            seen = Scalar(copy.get(), QStringLiteral("select Str2 from AllInfo where ObjType = 29"));
        });
        thread->start();
        QVERIFY(thread->wait(10000));
        delete thread;
        QCOMPARE(status, 0);
        QCOMPARE(seen, QStringLiteral("общий"));
    }

    // The lists read their rows through TRowStream: its values must be the driver's, type for type.
    void rowStreamReadsWhatTheDriverReads()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        QStringList statements {QStringLiteral("select * from AllInfo order by ObjId")};
        if (!TTempDatabase::OnServer())
            statements << QStringLiteral("select 7 as I, -2.5 as R, 'Ёлкин ёж' as T, '' as E, null as N, "
                                         "X'00FF10' as B, 9223372036854775807 as Big union all "
                                         "select null, null, null, null, 1.0, X'', -1");
        for (const QString& sql : std::as_const(statements)) {
            const QString engineSql = db->Translate(sql);
            QString error;
            std::unique_ptr<TRowStream> stream = TRowStream::Open(db, engineSql, true, &error);
            QVERIFY2(stream, qPrintable(error));
            auto query = db->CreateQuery(sql);
            QVERIFY(query);
            QStringList driverFields;
            for (int i = 0; i < query->record().count(); ++i)
                driverFields << query->record().fieldName(i);
            QCOMPARE(stream->FieldNames(), driverFields);
            QList<QVariant> values;
            int rows = 0;
            while (query->next()) {
                QVERIFY2(stream->Next(values), qPrintable(sql));
                QCOMPARE(values.size(), driverFields.size());
                for (int i = 0; i < values.size(); ++i) {
                    const QVariant expected = query->value(i);
                    QVERIFY2(values[i].metaType() == expected.metaType() && values[i].isNull() == expected.isNull()
                                 && values[i] == expected,
                             qPrintable(QStringLiteral("%1, row %2: %3 %4 against the driver's %5 %6")
                                            .arg(driverFields[i])
                                            .arg(rows)
                                            .arg(QString::fromLatin1(values[i].typeName()), values[i].toString(),
                                                 QString::fromLatin1(expected.typeName()), expected.toString())));
                }
                ++rows;
            }
            QVERIFY(rows > 1);
            QVERIFY(!stream->Next(values));
            QVERIFY(!stream->Failed());
        }

        QString error;
        QVERIFY(!TRowStream::Open(db, db->Translate(QStringLiteral("select NoSuchColumn from AllInfo")), true, &error));
        QVERIFY2(error.contains(QStringLiteral("NoSuchColumn"), Qt::CaseInsensitive), qPrintable(error));

        // The engine breaks off after the first row: the stream ends and says it failed.
        if (!TTempDatabase::OnServer()) {
            auto stream = TRowStream::Open(db,
                                           QStringLiteral("select case when v = 2 then abs(v - 9223372036854775807 - 3) "
                                                          "else v end from (select 1 as v union all select 2)"),
                                           true, &error);
            QVERIFY2(stream, qPrintable(error));
            QList<QVariant> values;
            QVERIFY(stream->Next(values));
            QCOMPARE(values.value(0).toLongLong(), 1);
            QVERIFY(!stream->Next(values));
            QVERIFY(stream->Failed());
        }
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
