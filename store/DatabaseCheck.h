#pragma once

#include <QList>
#include <QString>

class QSqlDatabase;

/**
 * \file
 * The consistency check of a database file: the engine's own integrity check, then the rules every
 * change of the store keeps whole (a link names an existing row, a pair names its partner both ways,
 * the identity counter is above every id it gave out, no id is used twice).
 */
namespace DatabaseCheck {

/// One problem found: the row it concerns (empty for the file as a whole), its kind, and what is wrong.
struct TProblem
{
    QString Id;
    int Kind = 0;
    QString Text;
};

/// Checks the open SQLite database \a db; an empty list when everything holds.
QList<TProblem> Run(const QSqlDatabase& db);

/// Opens the database file \a path and checks it without writing to it; a file that cannot be opened or read is one
/// problem saying so.
QList<TProblem> RunOnFile(const QString& path);

/// "ObjId (вид N): text", or the text alone for the file as a whole.
QString Describe(const TProblem& problem);

} // namespace DatabaseCheck
