#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class TMyDataBase;

/**
 * \brief An advisory lock that says a program has a database file open.
 *
 * Every open connection to a database file holds it shared, on a companion file "<file>.lock" beside the
 * database (never on the database file itself: closing another descriptor of that file would drop the
 * engine's own locks). A restore takes it exclusively, so it never replaces a file in use and no program
 * opens the file while it is being replaced. The kernel drops the lock when the process ends, however it
 * ends. In a folder that cannot be written the lock is not taken: nothing can be restored there anyway.
 */
class TDatabaseFileLock final
{
public:
    TDatabaseFileLock() = default;
    ~TDatabaseFileLock();
    TDatabaseFileLock(const TDatabaseFileLock&) = delete;
    TDatabaseFileLock& operator=(const TDatabaseFileLock&) = delete;

    /// Takes the lock of \a databaseFile shared; false when a restore holds it.
    bool LockShared(const QString& databaseFile);
    /// Takes the lock exclusively without waiting; false when a program has the file open.
    bool TryLockExclusive(const QString& databaseFile);
    void Release();

private:
    bool Take(const QString& databaseFile, int operation);
    int m_fd = -1;
};

/**
 * \file
 * Copies of a database file: a consistent copy of a file in use, the daily copies the program makes at
 * start, and the restore of a copy in place of a database.
 */
namespace DatabaseBackup {

/// Copies the SQLite database \a source into the new file \a destination, consistently even while another
/// program writes to it. The copy appears whole or not at all; an existing \a destination is refused.
bool CopyFile(const QString& source, const QString& destination, QString* error);

/// The folder of the daily copies of \a databaseFile: "Backup" beside it.
QString BackupFolder(const QString& databaseFile);

/// Makes today's copy of \a databaseFile in its backup folder unless there is one already, and removes
/// the copies no longer kept (the last 7 daily ones and the first copy of each of the last 4 weeks stay).
/// Returns false with \a error when the copy failed; \a made, when given, receives the new copy's path.
bool MakeDailyCopy(const QString& databaseFile, const QDate& today, QString* error, QString* made = nullptr);

/// Of the copies named \a names (as MakeDailyCopy names them), the ones to remove.
QStringList CopiesToRemove(const QStringList& names);

/// At the program's start: the daily copy of the current database when it is a file the program may
/// write. A copy that fails is told to the user once and never stops the start.
void AtStart(TMyDataBase* db);

/// Puts the copy \a backup in place of \a databaseFile. Refused while a program has the database open, and
/// when \a backup is not a sound database of the system. The replaced file is kept as
/// "<databaseFile>.before-restore".
bool Restore(const QString& backup, const QString& databaseFile, QString* error);

/// The message shown when the daily copy failed.
inline const QString CopyFailedText = QStringLiteral("Не удалось сделать резервную копию базы данных:\r");

} // namespace DatabaseBackup
