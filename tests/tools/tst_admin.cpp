// zorvin-admin as a user runs it: files it makes open in the store; bad input gives a message and a
// non-zero exit without touching anything.
#include "platform/ProgramPaths.h"
#include "store/DataBase.h"
#include "store/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct TRun
{
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Admin(const QStringList& args, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(ZORVIN_ADMIN), args);
    TRun run;
    if (!p.waitForFinished(60000))
        return run;
    run.Code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.Out = QString::fromUtf8(p.readAllStandardOutput());
    run.Err = QString::fromUtf8(p.readAllStandardError());
    return run;
}
} // namespace

class TestAdmin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ProgramPaths::SetProgramFolder(QString()); }

    void createdDatabaseAndSettingsOpenWithStatusZero_data()
    {
        QTest::addColumn<QStringList>("ini");
        QTest::newRow("flash") << QStringList{QStringLiteral("FLASH")};
        QTest::newRow("filepath without a path") << QStringList{QStringLiteral("filepath")};
        QTest::newRow("filepath with a Cyrillic path") << QStringList{QStringLiteral("FILEPATH"), QStringLiteral("@")};
    }

    void createdDatabaseAndSettingsOpenWithStatusZero()
    {
        QFETCH(QStringList, ini);
        QTemporaryDir dir;
        QString file = dir.filePath(QStringLiteral("Data/WBD.zdb"));
        if (ini.size() == 2) {
            file = dir.filePath(QStringLiteral("Базы/Моя база.zdb"));
            ini[1] = file;
        }
        TRun created = Admin({QStringLiteral("create-db"), file, QStringLiteral("--description"),
                              QStringLiteral("Домашняя"), QStringLiteral("--prefix"), QStringLiteral("77")},
                             dir.path());
        QCOMPARE(created.Code, 0);
        QVERIFY(created.Out.contains(file));
        TRun written = Admin(QStringList{QStringLiteral("write-ini")} + ini, dir.path());
        QCOMPARE(written.Code, 0);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Zorvin.ini"))));
        TRun decoded = Admin({QStringLiteral("decode-ini")}, dir.path());
        QCOMPARE(decoded.Code, 0);
        QVERIFY2(decoded.Out.contains(file), qPrintable(decoded.Out));

        ProgramPaths::SetProgramFolder(dir.path());
        std::unique_ptr<TMyDataBase> db = OpenCurrentDatabase();
        QVERIFY(db);
        QCOMPARE(db->StatusCode(), 0);
        QCOMPARE(db->Description(), QStringLiteral("Домашняя"));
        QCOMPARE(db->NewId(1), QStringLiteral("0000004D00000001"));
    }

    void referenceDatabaseIsNotWritable()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ref.zdb"));
        QCOMPARE(Admin({QStringLiteral("create-db"), file, QStringLiteral("--reference")}, dir.path()).Code, 0);
        TMyDataBase db;
        QCOMPARE(db.Open(1, 2, QString(), QString(), QString(), file), 0);
        QCOMPARE(db.WriteMode(), 0);
    }

    void serverSettingsAreEncodedTwice()
    {
        QTemporaryDir dir;
        TRun written = Admin({QStringLiteral("write-ini"), QStringLiteral("SERVER"), QStringLiteral("db.local:5433"),
                              QStringLiteral("пользователь"), QStringLiteral("секрет|1"), QStringLiteral("zorvin")},
                             dir.path());
        QCOMPARE(written.Code, 0);
        TSettings s = SettingsFile::Read(dir.filePath(QStringLiteral("Zorvin.ini")));
        QCOMPARE(s.Mode, 4);
        QCOMPARE(s.Server, QStringLiteral("db.local:5433"));
        QCOMPARE(s.Catalog, QStringLiteral("zorvin"));
        QCOMPARE(SettingsFile::DecodeText(s.EncodedUser), QStringLiteral("пользователь"));
        QCOMPARE(SettingsFile::DecodeText(s.EncodedPassword), QStringLiteral("секрет|1"));
        TRun decoded = Admin({QStringLiteral("decode-ini")}, dir.path());
        QCOMPARE(decoded.Code, 0);
        QVERIFY(decoded.Out.contains(QStringLiteral("пользователь")));
        QVERIFY(!decoded.Out.contains(QStringLiteral("секрет")));
    }

    void badInputIsRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no command") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{QStringLiteral("drop-db")} << 2;
        QTest::newRow("create-db without path") << QStringList{QStringLiteral("create-db")} << 2;
        QTest::newRow("prefix 2") << QStringList{QStringLiteral("create-db"), QStringLiteral("a.zdb"),
                                                 QStringLiteral("--prefix"), QStringLiteral("2")}
                                  << 2;
        QTest::newRow("prefix not a number") << QStringList{QStringLiteral("create-db"), QStringLiteral("a.zdb"),
                                                            QStringLiteral("--prefix"), QStringLiteral("x")}
                                             << 2;
        QTest::newRow("option without value")
            << QStringList{QStringLiteral("create-db"), QStringLiteral("a.zdb"), QStringLiteral("--description")} << 2;
        QTest::newRow("unwritable path")
            << QStringList{QStringLiteral("create-db"), QStringLiteral("/proc/zorvin/WBD.zdb")} << 1;
        QTest::newRow("unknown mode") << QStringList{QStringLiteral("write-ini"), QStringLiteral("NETWORK")} << 2;
        QTest::newRow("server with three fields")
            << QStringList{QStringLiteral("write-ini"), QStringLiteral("SERVER"), QStringLiteral("a"),
                           QStringLiteral("b"), QStringLiteral("c")}
            << 2;
        QTest::newRow("flash with a field")
            << QStringList{QStringLiteral("write-ini"), QStringLiteral("FLASH"), QStringLiteral("x")} << 2;
        QTest::newRow("unwritable settings file")
            << QStringList{QStringLiteral("write-ini"), QStringLiteral("FLASH"), QStringLiteral("--output"),
                           QStringLiteral("/proc/zorvin/Zorvin.ini")}
            << 1;
        QTest::newRow("decode missing file") << QStringList{QStringLiteral("decode-ini"), QStringLiteral("none.ini")} << 1;
    }

    void badInputIsRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QTemporaryDir dir;
        TRun run = Admin(args, dir.path());
        QCOMPARE(run.Code, code);
        QVERIFY(!run.Err.trimmed().isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void existingFilesAreKeptUnlessForced()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("WBD.zdb"));
        QCOMPARE(Admin({QStringLiteral("create-db"), file, QStringLiteral("--description"), QStringLiteral("первая")},
                       dir.path())
                     .Code,
                 0);
        TRun again = Admin({QStringLiteral("create-db"), file, QStringLiteral("--description"), QStringLiteral("вторая")},
                           dir.path());
        QCOMPARE(again.Code, 1);
        {
            TMyDataBase db;
            QCOMPARE(db.Open(1, 2, QString(), QString(), QString(), file), 0);
            QCOMPARE(db.Description(), QStringLiteral("первая"));
        }
        QCOMPARE(Admin({QStringLiteral("create-db"), file, QStringLiteral("--description"), QStringLiteral("вторая"),
                        QStringLiteral("--force")},
                       dir.path())
                     .Code,
                 0);
        TMyDataBase db;
        QCOMPARE(db.Open(1, 2, QString(), QString(), QString(), file), 0);
        QCOMPARE(db.Description(), QStringLiteral("вторая"));

        QCOMPARE(Admin({QStringLiteral("write-ini"), QStringLiteral("FLASH")}, dir.path()).Code, 0);
        QCOMPARE(Admin({QStringLiteral("write-ini"), QStringLiteral("ALLUSERS")}, dir.path()).Code, 1);
        QCOMPARE(SettingsFile::Read(dir.filePath(QStringLiteral("Zorvin.ini"))).Mode, 3);
        QFile bad(dir.filePath(QStringLiteral("bad.ini")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("FILEPATH|00FFAB");
        bad.close();
        TRun decoded = Admin({QStringLiteral("decode-ini"), bad.fileName()}, dir.path());
        QCOMPARE(decoded.Code, 1);
        QVERIFY(decoded.Err.contains(QStringLiteral("Некорректный формат файла Zorvin.ini")));
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "tst_admin.moc"
