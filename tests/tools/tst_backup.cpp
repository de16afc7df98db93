// Copies of a database file: the daily copies made at start, zorvin-admin backup, restore and check.
#include "store/DataBase.h"
#include "store/DatabaseBackup.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace {
TProgramRun Admin(const QStringList& args)
{
    return RunProgram(QStringLiteral(ZORVIN_ADMIN), args);
}

QString SaveNote(TMyDataBase* db, const QString& text)
{
    TDBMainInfo note;
    note.SetDatabase(db);
    note.ObjType = Kind::Note;
    note.Comments = text;
    return note.Save().Ok() ? note.Obj.Text() : QString();
}

int CountNotes(const QString& file, const QString& text)
{
    TMyDataBase db;
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file) != DbStatus::Ok)
        return -1;
    auto q = db.CreateQuery(QStringLiteral("select count(*) from AllInfo where Comments = ") + SqlDialect::Quote(text));
    return q && q->next() ? q->value(0).toInt() : -1;
}

QStringList Copies(const QString& databaseFile)
{
    QStringList names = QDir(DatabaseBackup::BackupFolder(databaseFile)).entryList({QStringLiteral("*.zdb")}, QDir::Files);
    names.sort();
    return names;
}
} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dailyCopiesKeepSevenDaysAndFourWeeks()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        const QString file = fixture.FilePath();
        QVERIFY(!SaveNote(fixture.Db(), QStringLiteral("первая")).isEmpty());
        // Forty days of starts, two on each day: one copy a day, made while the program has the file open.
        const QDate first(2026, 10, 1); // a Thursday
        for (int day = 0; day < 40; ++day) {
            for (int start = 0; start < 2; ++start) {
                QString error;
                QString made;
                QVERIFY2(DatabaseBackup::MakeDailyCopy(file, first.addDays(day), &error, &made), qPrintable(error));
                QCOMPARE(made.isEmpty(), start == 1);
            }
        }
        const QStringList expected{
            // the first copy of each of the last four weeks: the Mondays 19.10, 26.10, 2.11 (9.11 is a daily one)
            QStringLiteral("WBD-2026-10-19.zdb"), QStringLiteral("WBD-2026-10-26.zdb"), QStringLiteral("WBD-2026-11-02.zdb"),
            // the last seven days
            QStringLiteral("WBD-2026-11-03.zdb"), QStringLiteral("WBD-2026-11-04.zdb"), QStringLiteral("WBD-2026-11-05.zdb"),
            QStringLiteral("WBD-2026-11-06.zdb"), QStringLiteral("WBD-2026-11-07.zdb"), QStringLiteral("WBD-2026-11-08.zdb"),
            QStringLiteral("WBD-2026-11-09.zdb")};
        QCOMPARE(Copies(file), expected);
        // A copy is a database of its own with what the file held.
        QCOMPARE(CountNotes(QDir(DatabaseBackup::BackupFolder(file)).filePath(expected.last()), QStringLiteral("первая")), 1);
    }

    void failedCopyIsToldOnceAndTheStartGoesOn()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        TScriptedMessages messages;
        TFixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        // Something that is not a folder stands where the copies go.
        QFile blocker(DatabaseBackup::BackupFolder(fixture.FilePath()));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        DatabaseBackup::AtStart(fixture.Db());
        QCOMPARE(messages.Shown().size(), 1);
        QVERIFY2(messages.Shown().first().startsWith(DatabaseBackup::CopyFailedText), qPrintable(messages.Shown().first()));
        // The database stays open and writable.
        QVERIFY(!SaveNote(fixture.Db(), QStringLiteral("после")).isEmpty());

        QVERIFY(QFile::remove(blocker.fileName()));
        messages.ClearShown();
        DatabaseBackup::AtStart(fixture.Db());
        QVERIFY(messages.Shown().isEmpty());
        QCOMPARE(Copies(fixture.FilePath()), QStringList{QStringLiteral("WBD-2026-12-10.zdb")});
    }

    void backupAndRestoreKeepTheReplacedFile()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        const QString file = fixture.FilePath();
        QVERIFY(!SaveNote(fixture.Db(), QStringLiteral("до копии")).isEmpty());
        const QString folder = fixture.Folder() + QStringLiteral("/Копии");
        QVERIFY(QDir().mkpath(folder));
        // A copy while the program has the file open.
        TProgramRun backup = Admin({QStringLiteral("backup"), file, folder});
        QCOMPARE(backup.Code, 0);
        QStringList made = QDir(folder).entryList({QStringLiteral("*.zdb")}, QDir::Files);
        QCOMPARE(made.size(), 1);
        const QString copy = QDir(folder).filePath(made.first());
        QVERIFY(backup.Out.contains(copy));
        QCOMPARE(Admin({QStringLiteral("backup"), file, copy}).Code, 1); // never over an existing file
        QVERIFY(!SaveNote(fixture.Db(), QStringLiteral("после копии")).isEmpty());

        // Refused while the program has the file open, and nothing changes.
        TProgramRun refused = Admin({QStringLiteral("restore"), copy, file});
        QCOMPARE(refused.Code, 1);
        QVERIFY2(refused.Err.contains(QStringLiteral("открыта программой")), qPrintable(refused.Err));
        QVERIFY(!QFile::exists(file + QStringLiteral(".before-restore")));
        auto kept = fixture.Db()->CreateQuery(QStringLiteral("select count(*) from AllInfo where Comments = \"после копии\""));
        QVERIFY(kept && kept->next());
        QCOMPARE(kept->value(0).toInt(), 1);
        kept.reset();

        fixture.Db()->Close();
        TProgramRun restored = Admin({QStringLiteral("restore"), copy, file});
        QCOMPARE(restored.Code, 0);
        QVERIFY2(restored.Out.contains(QStringLiteral(".before-restore")), qPrintable(restored.Out));
        QCOMPARE(CountNotes(file, QStringLiteral("до копии")), 1);
        QCOMPARE(CountNotes(file, QStringLiteral("после копии")), 0);
        QCOMPARE(CountNotes(file + QStringLiteral(".before-restore"), QStringLiteral("после копии")), 1);
        // The restored file is written through the log as before, and new saves go on from its counter.
        TMyDataBase reopened;
        QCOMPARE(reopened.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file),
                 int(DbStatus::Ok));
        auto mode = reopened.CreateQuery(QStringLiteral("PRAGMA journal_mode"));
        QVERIFY(mode && mode->next());
        QCOMPARE(mode->value(0).toString(), QStringLiteral("wal"));
        mode.reset();
        QVERIFY(!SaveNote(&reopened, QStringLiteral("после восстановления")).isEmpty());
        reopened.Close();
        QCOMPARE(Admin({QStringLiteral("check"), file}).Code, 0);

        // A file that is not a sound database is never put in place.
        const QString junk = fixture.Folder() + QStringLiteral("/junk.zdb");
        QFile junkFile(junk);
        QVERIFY(junkFile.open(QIODevice::WriteOnly));
        junkFile.write(QByteArray(8192, 'x'));
        junkFile.close();
        QCOMPARE(Admin({QStringLiteral("restore"), junk, file}).Code, 1);
        QCOMPARE(CountNotes(file, QStringLiteral("после восстановления")), 1);
    }

    void checkNamesEveryBrokenRow()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        QVERIFY(!SaveNote(fixture.Db(), QStringLiteral("целая")).isEmpty());
        const QString file = fixture.FilePath();
        TProgramRun clean = Admin({QStringLiteral("check"), file});
        QCOMPARE(clean.Code, 0);
        QVERIFY(clean.Out.contains(QStringLiteral("Ошибок не найдено")));

        // The counter's prefix, and one no counter of this file gives out.
        const QString prefix = fixture.Db()->NewId(Kind::Note).left(8);
        const QString other = QStringLiteral("0000BBBB");
        // A phone of an owner that is gone, one side of a role pair, a row beyond the counter.
        const QString phone = other + QStringLiteral("000000F1");
        const QString side = other + QStringLiteral("000000F2");
        const QString beyond = prefix + QStringLiteral("000000F3");
        const QString insert = QStringLiteral("insert into AllInfo (ObjId, ObjType, %1) values ('%2', %3, '%4')");
        QVERIFY(fixture.Run(insert.arg(QStringLiteral("Link1"), phone).arg(Kind::Phone).arg(QStringLiteral("0000AAAA00000001"))));
        QVERIFY(fixture.Run(insert.arg(QStringLiteral("Link5"), side).arg(Kind::Role).arg(beyond)));
        QVERIFY(fixture.Run(insert.arg(QStringLiteral("Link5"), beyond).arg(Kind::Role).arg(Ids::None)));
        TProgramRun broken = Admin({QStringLiteral("check"), file});
        QCOMPARE(broken.Code, 1);
        QVERIFY2(broken.Out.contains(phone + QStringLiteral(" (вид 4): Link1 ссылается на отсутствующую запись 0000AAAA00000001")),
                 qPrintable(broken.Out));
        QVERIFY2(broken.Out.contains(side + QStringLiteral(" (вид 20): половина пары")), qPrintable(broken.Out));
        QVERIFY2(broken.Out.contains(beyond + QStringLiteral(" (вид 20): идентификатор больше счетчика")), qPrintable(broken.Out));
        QCOMPARE(broken.Out.count(QLatin1Char('\n')), 3);
        QVERIFY(broken.Err.contains(QStringLiteral("Найдено ошибок:")));

        // A damaged file: the integrity check names the damage.
        fixture.Db()->Close();
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        QVERIFY(damaged.size() > 4096);
        damaged.seek(4096); // every page after the first
        damaged.write(QByteArray(damaged.size() - 4096, '\x55'));
        damaged.close();
        TProgramRun integrity = Admin({QStringLiteral("check"), file});
        QCOMPARE(integrity.Code, 1);
        QVERIFY2(!integrity.Out.trimmed().isEmpty(), qPrintable(integrity.Err));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
