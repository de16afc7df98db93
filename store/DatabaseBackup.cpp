#include "store/DatabaseBackup.h"

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "store/DataBase.h"
#include "store/DatabaseCheck.h"
#include "store/ObjectKinds.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// Whether this process may write \a path (a read-only file system says no even to root).
bool CanWrite(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}
} // namespace

// ---------------------------------------------------------------------------------------------------------
// TDatabaseFileLock

TDatabaseFileLock::~TDatabaseFileLock()
{
    Release();
}

void TDatabaseFileLock::Release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool TDatabaseFileLock::Take(const QString& databaseFile, int operation)
{
    Release();
    const QFileInfo file(databaseFile);
    // A folder that cannot be written is never written to, not even for a lock: nothing can replace the
    // file there.
    if (!CanWrite(file.absolutePath()))
        return true;
    const QByteArray path = QFile::encodeName(file.absoluteFilePath() + QStringLiteral(".lock"));
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return true; // a full or read-only file system: the file opens as it would without the lock
    int result = 0;
    do {
        result = ::flock(m_fd, operation);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        Release();
        return false;
    }
    return true;
}

bool TDatabaseFileLock::LockShared(const QString& databaseFile)
{
    return Take(databaseFile, LOCK_SH | LOCK_NB);
}

bool TDatabaseFileLock::TryLockExclusive(const QString& databaseFile)
{
    return Take(databaseFile, LOCK_EX | LOCK_NB) && m_fd >= 0;
}

namespace DatabaseBackup {

namespace {

const QRegularExpression& DailyName()
{
    static const QRegularExpression pattern(QStringLiteral("^(.*)-(\\d{4}-\\d{2}-\\d{2})\\.zdb$"));
    return pattern;
}

QString DailyFileName(const QString& databaseFile, const QDate& day)
{
    return QFileInfo(databaseFile).completeBaseName() + QLatin1Char('-') + day.toString(Qt::ISODate)
        + QStringLiteral(".zdb");
}

bool SyncPath(const QString& path, bool folder)
{
    const int fd = ::open(QFile::encodeName(path).constData(), (folder ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Replaces \a to with \a from in one step, and makes the change itself durable.
bool ReplaceFile(const QString& from, const QString& to, QString* error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *error = QStringLiteral("не удалось переименовать %1 в %2: %3").arg(from, to, SystemError());
        return false;
    }
    SyncPath(QFileInfo(to).absolutePath(), true);
    return true;
}

bool Exec(QSqlQuery& q, const QString& sql, QString* error)
{
    if (q.exec(sql))
        return true;
    *error = q.lastError().text();
    return false;
}

void RemoveSideFiles(const QString& databaseFile)
{
    QFile::remove(databaseFile + QStringLiteral("-wal"));
    QFile::remove(databaseFile + QStringLiteral("-shm"));
}

// The copy a restore may put in place: a readable, sound file of this system.
bool IsSoundDatabase(const QString& path, QString* error)
{
    const QList<DatabaseCheck::TProblem> problems = DatabaseCheck::RunOnFile(path);
    if (!problems.isEmpty()) {
        *error = QStringLiteral("копия %1 повреждена: %2").arg(path, DatabaseCheck::Describe(problems.first()));
        return false;
    }
    TSqlConnection connection = TSqlConnection::OpenSqliteFile(path, TSqlConnection::ExistingFile);
    QSqlQuery q(connection.Database());
    if (!q.exec(SqlDialect::Translate(QStringLiteral("select count(*) from AllInfo where ObjType = %1").arg(Kind::DatabaseIdentity),
                                      TSqlEngine::SQLite))
        || !q.next() || q.value(0).toInt() == 0) {
        *error = QStringLiteral("файл %1 не является базой данных Zorvin").arg(path);
        return false;
    }
    return true;
}

} // namespace

bool CopyFile(const QString& source, const QString& destination, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    if (QFileInfo::exists(destination)) {
        *error = QStringLiteral("файл %1 уже существует").arg(destination);
        return false;
    }
    if (!QFileInfo(source).isFile()) {
        *error = QStringLiteral("файл %1 не существует").arg(source);
        return false;
    }
    // The copy is written beside its place and renamed when complete: a crash or a full disk never leaves
    // a half copy under the copy's name.
    const QString part = destination + QStringLiteral(".part");
    QFile::remove(part);
    {
        TSqlConnection connection = TSqlConnection::OpenSqliteFile(source, TSqlConnection::ExistingFile);
        if (!connection.IsOpen()) {
            *error = QStringLiteral("не удалось открыть %1: %2").arg(source, connection.ErrorText());
            return false;
        }
        QSqlQuery q(connection.Database());
        q.prepare(QStringLiteral("VACUUM INTO ?"));
        q.addBindValue(part);
        if (!q.exec()) {
            *error = QStringLiteral("не удалось записать %1: %2").arg(destination, q.lastError().text());
            q.finish();
            QFile::remove(part);
            return false;
        }
    }
    if (!SyncPath(part, false)) {
        *error = QStringLiteral("не удалось записать %1 на диск: %2").arg(destination, SystemError());
        QFile::remove(part);
        return false;
    }
    if (!ReplaceFile(part, destination, error)) {
        QFile::remove(part);
        return false;
    }
    return true;
}

QString BackupFolder(const QString& databaseFile)
{
    return QFileInfo(databaseFile).absoluteDir().filePath(QStringLiteral("Backup"));
}

QStringList CopiesToRemove(const QStringList& names)
{
    QMap<QDate, QString> byDay;
    for (const QString& name : names) {
        const QRegularExpressionMatch match = DailyName().match(name);
        const QDate day = match.hasMatch() ? QDate::fromString(match.captured(2), Qt::ISODate) : QDate();
        if (day.isValid())
            byDay.insert(day, name);
    }
    QSet<QDate> kept;
    const QList<QDate> days = byDay.keys(); // oldest first
    for (qsizetype i = days.size() - 1; i >= 0 && i >= days.size() - 7; --i)
        kept.insert(days.at(i));
    // The weekly copies: the first copy of each of the last four weeks that have one.
    QMap<int, QDate> firstOfWeek;
    for (const QDate& day : days) {
        int year = 0;
        const int week = day.weekNumber(&year);
        const int key = year * 100 + week;
        if (!firstOfWeek.contains(key))
            firstOfWeek.insert(key, day);
    }
    const QList<QDate> weekly = firstOfWeek.values();
    for (qsizetype i = weekly.size() - 1; i >= 0 && i >= weekly.size() - 4; --i)
        kept.insert(weekly.at(i));
    QStringList remove;
    for (const QDate& day : days) {
        if (!kept.contains(day))
            remove << byDay.value(day);
    }
    return remove;
}

bool MakeDailyCopy(const QString& databaseFile, const QDate& today, QString* error, QString* made)
{
    QString ignored;
    if (!error)
        error = &ignored;
    QDir folder(BackupFolder(databaseFile));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        *error = QStringLiteral("не удалось создать папку %1").arg(folder.path());
        return false;
    }
    const QString target = folder.filePath(DailyFileName(databaseFile, today));
    if (!QFileInfo::exists(target)) {
        if (!CopyFile(databaseFile, target, error))
            return false;
        if (made)
            *made = target;
    }
    // Only the copies of this database: another database of the same folder keeps its own.
    const QString prefix = QFileInfo(databaseFile).completeBaseName() + QLatin1Char('-');
    QStringList names;
    for (const QString& name : folder.entryList({QStringLiteral("*.zdb")}, QDir::Files)) {
        const QRegularExpressionMatch match = DailyName().match(name);
        if (match.hasMatch() && match.captured(1) + QLatin1Char('-') == prefix)
            names << name;
    }
    for (const QString& name : CopiesToRemove(names))
        folder.remove(name);
    return true;
}

void AtStart(TMyDataBase* db)
{
    if (!db || db->Engine() != TSqlEngine::SQLite || db->StatusCode() != DbStatus::Ok || !db->IsWritable())
        return;
    const QFileInfo file(db->DataSource());
    // A file the program may not write is never changed by it, so it needs no copies either.
    if (!CanWrite(file.absoluteFilePath()) || !CanWrite(file.absolutePath()))
        return;
    QString error;
    if (!MakeDailyCopy(file.absoluteFilePath(), Clock().Now().date(), &error))
        Messages().ShowMessage(CopyFailedText + error);
}

bool Restore(const QString& backup, const QString& databaseFile, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    const QString target = QFileInfo(databaseFile).absoluteFilePath();
    if (QFileInfo(backup).absoluteFilePath() == target) {
        *error = QStringLiteral("копия и база данных - один и тот же файл");
        return false;
    }
    if (!IsSoundDatabase(backup, error))
        return false;
    TDatabaseFileLock lock;
    if (!lock.TryLockExclusive(target)) {
        *error = QStringLiteral("база данных %1 открыта программой; закройте программу и повторите").arg(target);
        return false;
    }
    const QString replaced = target + QStringLiteral(".before-restore");
    if (QFileInfo::exists(target)) {
        // The file as it is now, with everything its log holds, is kept beside it.
        QFile::remove(replaced);
        if (!CopyFile(target, replaced, error))
            return false;
    }
    const QString incoming = target + QStringLiteral(".restoring");
    QFile::remove(incoming);
    if (!CopyFile(backup, incoming, error))
        return false;
    {
        TSqlConnection connection = TSqlConnection::OpenSqliteFile(incoming, TSqlConnection::ExistingFile);
        QSqlQuery q(connection.Database());
        if (!connection.IsOpen() || !Exec(q, QStringLiteral("PRAGMA journal_mode=WAL"), error)) {
            if (error->isEmpty())
                *error = connection.ErrorText();
            q.finish();
            connection.Close();
            QFile::remove(incoming);
            return false;
        }
    }
    RemoveSideFiles(incoming);
    // The old log belongs to the old file: it must go before the copy takes the file's place.
    RemoveSideFiles(target);
    if (!ReplaceFile(incoming, target, error)) {
        QFile::remove(incoming);
        return false;
    }
    return true;
}

} // namespace DatabaseBackup
