#pragma once

#include "store/SqlDialect.h"

#include <QList>
#include <QString>

class QSqlDatabase;

/// How a column of AllInfo is typed on every engine.
enum class TColumnType {
    Id,      ///< identifier text of at most 16 characters, compared ignoring ASCII case
    Integer, ///< 64-bit integer
    Text,    ///< text compared by the Russian text rules: letter case ignored, ё as е (TextCollation)
    Flag,    ///< integer Boolean: -1 true, 0 false
    Date,    ///< double precision day serial, 0 = none
    Blob,    ///< picture bytes, NULL when none
};

struct TColumn
{
    QString Name;
    TColumnType Type;
};

/// Options of a new database.
struct TNewDatabase
{
    QString Description;    ///< shown as the database's name
    quint32 Prefix = 3;     ///< prefix number of new identifiers; never 0, 1 or 2
    bool Reference = false; ///< a reference database: write mode 0
};

namespace Schema {

/// The columns of AllInfo in the order of the record's full insert statement.
const QList<TColumn>& Columns();
/// The type of column \a name (case-insensitive, alias qualification ignored); false when none.
bool ColumnType(const QString& name, TColumnType* type);

/// The id of the identity row a new database gets.
QString IdentityRowId();
/// A prefix for a database made apart from every other, so that their identifiers never meet.
quint32 RandomPrefix();

/// Creates AllInfo, its indexes and its fixed rows (placeholder, system row, identity row) on an open,
/// empty connection, in one transaction. False with \a error set on failure (nothing is left behind).
/// On PostgreSQL the database must be UTF-8 with an LC_CTYPE that folds letters of every alphabet; the
/// citext extension is created when missing (the user needs the right to create it), and so are the
/// collation and the folding function of the text rules. A new SQLite file records its text rules.
bool Create(QSqlDatabase& connection, TSqlEngine engine, const TNewDatabase& options, QString* error);

/// Whether the server database's text columns carry the Russian text rules; false with \a error set (a
/// message for the user) when it was prepared without them or the check failed.
bool ServerTextRulesReady(QSqlDatabase& connection, QString* error);
/// Moves a server database prepared without the Russian text rules onto them, in one transaction (the
/// text columns change their type, their indexes are rebuilt). False with \a error set on failure.
bool MigrateServerTextRules(QSqlDatabase& connection, QString* error);

/// Makes a new SQLite database file at \a path (which must not exist). False with \a error set on
/// failure; a partly written file is removed.
bool CreateDatabaseFile(const QString& path, const TNewDatabase& options, QString* error);

/// The index names the schema creates, for checks that statements use them.
QStringList IndexNames();

/// Creates the indexes of the schema that an older database lacks, in one transaction (on SQLite with
/// their planner figures), dropping those the new ones replace. True when nothing was missing or all were
/// made; false with \a error set.
bool AddMissingIndexes(QSqlDatabase& connection, TSqlEngine engine, QString* error);

} // namespace Schema
