#pragma once

#include <QStringList>

class QTextStream;

namespace AdminCommands {

/// backup DB DEST: a consistent copy of the database file DB, even while the program has it open. DEST is
/// the new file, or a folder that receives "<name>-<date>-<time>.zdb".
int Backup(const QStringList& args, QTextStream& out, QTextStream& err);
/// restore BACKUP DB: puts the copy BACKUP in place of DB, keeping the replaced file as DB.before-restore.
/// Refused while the program has DB open.
int Restore(const QStringList& args, QTextStream& out, QTextStream& err);
/// check DB: the integrity check and the link checks; prints each problem, exit code 1 when there is one.
int Check(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
