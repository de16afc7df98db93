// A database file on a file system that fills up or cannot be written: each test mounts a small tmpfs of
// its own, so it runs as root only and skips cleanly elsewhere.
#include "store/DataBase.h"
#include "store/DatabaseCheck.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

bool Mount(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("mount"), args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A tmpfs of \a size mounted over a temporary folder for the object's lifetime.
class TSmallDisk
{
public:
    explicit TSmallDisk(const QString& size)
    {
        if (::geteuid() != 0 || !m_dir.isValid())
            return;
        m_mounted = Mount({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=") + size + QStringLiteral(",mode=0755"), QStringLiteral("zorvin-test"),
                           m_dir.path()});
    }
    ~TSmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_dir.path()});
    }
    TSmallDisk(const TSmallDisk&) = delete;
    TSmallDisk& operator=(const TSmallDisk&) = delete;

    bool IsMounted() const { return m_mounted; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    bool MakeReadOnly() { return Mount({QStringLiteral("-o"), QStringLiteral("remount,ro"), m_dir.path()}); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

bool MakeDatabase(const QString& path)
{
    TNewDatabase options;
    options.Description = QStringLiteral("Маленький диск");
    options.Prefix = 55;
    QString error;
    return Schema::CreateDatabaseFile(path, options, &error);
}

int Open(TMyDataBase& db, const QString& path)
{
    return db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path);
}

} // namespace

class TestFileSystems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveOnAFullDiskFailsKeepsTheTextAndWorksWhenSpaceReturns()
    {
        TSmallDisk disk(QStringLiteral("2m"));
        if (!disk.IsMounted())
            QSKIP("needs root to mount a small tmpfs");
        const QString path = disk.Path(QStringLiteral("WBD.zdb"));
        QVERIFY(MakeDatabase(path));
        TMyDataBase db;
        QCOMPARE(Open(db, path), int(DbStatus::Ok));
        TDBMainInfo before;
        before.SetDatabase(&db);
        before.ObjType = Kind::Note;
        before.Comments = QStringLiteral("до заполнения");
        QVERIFY(before.Save().Ok());

        // Everything left is taken by another file.
        QFile filler(disk.Path(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray chunk(16 * 1024, 'x');
        while (filler.write(chunk) == chunk.size() && filler.flush()) {
        }
        filler.close();

        TDBMainInfo note;
        note.SetDatabase(&db);
        note.ObjType = Kind::Note;
        const QString typed = QString(100000, QChar(0x44F)) + QStringLiteral(" конец");
        note.Comments = typed;
        const TStoreResult failed = note.Save();
        QCOMPARE(failed.Code, int(SaveResult::Failed));
        QCOMPARE(failed.Text, DbStatus::Text(DbStatus::QueryFailed));
        QCOMPARE(note.Comments, typed);
        QVERIFY(IsNewId(note.Obj));

        const QList<DatabaseCheck::TProblem> problems = DatabaseCheck::RunOnFile(path);
        QVERIFY2(problems.isEmpty(), qPrintable(DatabaseCheck::Describe(problems.value(0))));

        QVERIFY(QFile::remove(filler.fileName()));
        QVERIFY(note.Save().Ok());
        db.Close();
        TMyDataBase reopened;
        QCOMPARE(Open(reopened, path), int(DbStatus::Ok));
        auto q = reopened.CreateQuery(QStringLiteral("select Comments from AllInfo where ObjType = %1 order by ObjId").arg(Kind::Note));
        QVERIFY(q);
        QStringList notes;
        while (q->next())
            notes << q->value(0).toString();
        QCOMPARE(notes, (QStringList{QStringLiteral("до заполнения"), typed}));
    }

    void fileOnAReadOnlyDiskOpensAndIsNeverWritten()
    {
        TSmallDisk disk(QStringLiteral("2m"));
        if (!disk.IsMounted())
            QSKIP("needs root to mount a small tmpfs");
        const QString path = disk.Path(QStringLiteral("WBD.zdb"));
        QVERIFY(MakeDatabase(path));
        {
            TMyDataBase db;
            QCOMPARE(Open(db, path), int(DbStatus::Ok));
            TDBMainInfo note;
            note.SetDatabase(&db);
            note.ObjType = Kind::Note;
            note.Comments = QStringLiteral("записано раньше");
            QVERIFY(note.Save().Ok());
        }
        const QByteArray bytes = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const QStringList files = QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files);
        QVERIFY(disk.MakeReadOnly());

        TMyDataBase db;
        QCOMPARE(Open(db, path), int(DbStatus::Ok));
        QCOMPARE(db.StatusText(), DbStatus::SystemRowRead);
        auto q = db.CreateQuery(QStringLiteral("select count(*) from AllInfo where ObjType = %1").arg(Kind::Note));
        QVERIFY(q && q->next());
        QCOMPARE(q->value(0).toInt(), 1);
        q.reset();
        TDBMainInfo refused;
        refused.SetDatabase(&db);
        refused.ObjType = Kind::Note;
        refused.Comments = QStringLiteral("не записать");
        QVERIFY(!refused.Save().Ok());
        QCOMPARE(refused.Comments, QStringLiteral("не записать"));
        db.Close();
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), files);
    }
};

QTEST_GUILESS_MAIN(TestFileSystems)
#include "tst_filesystems.moc"
