#include "store/Schema.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/SqlConnection.h"
#include "store/TextCollation.h"

#include <QRandomGenerator>
#include <QSet>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QList<TColumn> MakeColumns()
{
    using T = TColumnType;
    QList<TColumn> c;
    c << TColumn{QStringLiteral("ObjId"), T::Id} << TColumn{QStringLiteral("ObjType"), T::Integer};
    for (int i = 1; i <= 5; ++i)
        c << TColumn{QStringLiteral("Link%1").arg(i), T::Id};
    for (int i = 1; i <= 5; ++i)
        c << TColumn{QStringLiteral("Int%1").arg(i), T::Integer};
    for (int i = 1; i <= 5; ++i)
        c << TColumn{QStringLiteral("Str%1").arg(i), T::Text};
    c << TColumn{QStringLiteral("Flag"), T::Flag} << TColumn{QStringLiteral("Date1"), T::Date}
      << TColumn{QStringLiteral("D1Flag"), T::Flag} << TColumn{QStringLiteral("D1Fixed"), T::Flag}
      << TColumn{QStringLiteral("Date2"), T::Date} << TColumn{QStringLiteral("D2Flag"), T::Flag}
      << TColumn{QStringLiteral("D2Fixed"), T::Flag} << TColumn{QStringLiteral("Comments"), T::Text}
      << TColumn{QStringLiteral("DCreate"), T::Date} << TColumn{QStringLiteral("DModify"), T::Date}
      << TColumn{QStringLiteral("Foto"), T::Blob} << TColumn{QStringLiteral("D1Search"), T::Date}
      << TColumn{QStringLiteral("D2Search"), T::Date} << TColumn{QStringLiteral("Creator"), T::Id}
      << TColumn{QStringLiteral("Modifier"), T::Id} << TColumn{QStringLiteral("ExternalFlag"), T::Flag}
      << TColumn{QStringLiteral("PublishedFlag"), T::Flag} << TColumn{QStringLiteral("Archived"), T::Flag};
    return c;
}

QString SqliteColumnDefinition(const TColumn& column)
{
    switch (column.Type) {
    case TColumnType::Id:
        return column.Name + QStringLiteral(" TEXT NOT NULL DEFAULT '' COLLATE NOCASE");
    case TColumnType::Integer:
    case TColumnType::Flag:
        return column.Name + QStringLiteral(" INTEGER NOT NULL DEFAULT 0");
    case TColumnType::Text:
        return column.Name + QStringLiteral(" TEXT NOT NULL DEFAULT '' COLLATE UNOCASE");
    case TColumnType::Date:
        return column.Name + QStringLiteral(" REAL NOT NULL DEFAULT 0");
    case TColumnType::Blob:
        return column.Name + QStringLiteral(" BLOB");
    }
    return {};
}

// Identifiers compare ignoring letter case through citext, which folds with the database's LC_CTYPE;
// texts compare by the Russian rules of the server collation.
QString PostgresTextType()
{
    return QStringLiteral("text COLLATE ") + QLatin1String(TextCollation::kServerCollation);
}

QString PostgresColumnDefinition(const TColumn& column)
{
    switch (column.Type) {
    case TColumnType::Id:
        return column.Name + QStringLiteral(" citext NOT NULL DEFAULT ''");
    case TColumnType::Text:
        return column.Name + QLatin1Char(' ') + PostgresTextType() + QStringLiteral(" NOT NULL DEFAULT ''");
    case TColumnType::Integer:
        return column.Name + QStringLiteral(" bigint NOT NULL DEFAULT 0");
    case TColumnType::Flag:
        return column.Name + QStringLiteral(" integer NOT NULL DEFAULT 0");
    case TColumnType::Date:
        return column.Name + QStringLiteral(" double precision NOT NULL DEFAULT 0");
    case TColumnType::Blob:
        return column.Name + QStringLiteral(" bytea");
    }
    return {};
}

struct TIndex
{
    QString Name;
    QString Columns;
    QString Statistics; ///< sqlite_stat1 figures: rows, then rows per distinct leading column values
    QString Where = {}; ///< the rows a partial index holds; empty for all rows
};

// Each index serves a family of the system's statements: links are followed with and without the kind,
// lists of one kind are ordered by Str1, reminders search the derived day-and-month columns, the list of
// recent changes orders by DModify. The address editor's completion lists read the parts of addresses
// narrowed by the part before them (country, region, district, settlement, street): partial indexes of
// the addresses alone, so that no other kind pays for them.
QList<TIndex> Indexes()
{
    QList<TIndex> list;
    for (int i = 1; i <= 5; ++i)
        list << TIndex{QStringLiteral("AllInfo_Link%1").arg(i), QStringLiteral("Link%1, ObjType").arg(i),
                       QStringLiteral("1000000 4 2")};
    list << TIndex{QStringLiteral("AllInfo_Kind_Str1"), QStringLiteral("ObjType, Str1"), QStringLiteral("1000000 100000 4")}
         << TIndex{QStringLiteral("AllInfo_Kind_Date1"), QStringLiteral("ObjType, Date1"),
                   QStringLiteral("1000000 100000 3")}
         << TIndex{QStringLiteral("AllInfo_D1Search"), QStringLiteral("D1Search"), QStringLiteral("1000000 3000")}
         << TIndex{QStringLiteral("AllInfo_D2Search"), QStringLiteral("D2Search"), QStringLiteral("1000000 3000")}
         << TIndex{QStringLiteral("AllInfo_DModify"), QStringLiteral("DModify"), QStringLiteral("1000000 1")};
    // Their figures rank them above the kind-and-name index for the lists they serve: a country's regions
    // read the country's index entries alone, and a settlement's postal indexes go by the settlement.
    const QString addresses = QStringLiteral("ObjType = %1").arg(Kind::Address);
    list << TIndex{QStringLiteral("AllInfo_Address_Country"), QStringLiteral("Str1, Str2"),
                   QStringLiteral("50000 4 1"), addresses}
         << TIndex{QStringLiteral("AllInfo_Address_Region"), QStringLiteral("Str2, Str3, Str4"),
                   QStringLiteral("50000 500 50 20"), addresses}
         << TIndex{QStringLiteral("AllInfo_Address_District"), QStringLiteral("Str3, Str4"),
                   QStringLiteral("50000 100 20"), addresses}
         << TIndex{QStringLiteral("AllInfo_Address_Settlement"), QStringLiteral("Str4, Str5, Link4"),
                   QStringLiteral("50000 2 1 1"), addresses};
    // The money operations by account and date with their codes and amounts: an account's balance, the
    // operations counted per account, and the totals of a period in one currency (an account or the accounts
    // of a currency, a range of dates, the operation filter) are read from this index alone, never from the
    // rows. The kind is a column of its own as well: a partial index covers a statement only when it holds
    // every column the statement names, the kind of its condition included. Its figures make an account's
    // entries as few as the link index's, so that a sum over an account prefers this index, which it need
    // not leave, to the link index and the rows.
    list << TIndex{QStringLiteral("AllInfo_Operation_Totals"), QStringLiteral("ObjType, Link1, Date1, Int1, Int2"),
                   QStringLiteral("300000 300000 4 2 2 2"), QStringLiteral("ObjType = %1").arg(Kind::MoneyOperation)};
    return list;
}

// Indexes that earlier versions made and a later index replaced: a file that still has them loses them when
// it gets the new ones, as they would only slow every write.
const QStringList& RetiredIndexes()
{
    static const QStringList names {QStringLiteral("AllInfo_Operation_Amount")};
    return names;
}

QString CreateIndexStatement(const TIndex& index)
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON AllInfo (%2)").arg(index.Name, index.Columns)
        + (index.Where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + index.Where);
}

bool WriteIndexStatistics(QSqlDatabase& connection, const QList<TIndex>& indexes, QString* error)
{
    QSqlQuery q(connection);
    for (const TIndex& index : indexes) {
        q.prepare(QStringLiteral("DELETE FROM sqlite_stat1 WHERE tbl = 'AllInfo' AND idx = ?"));
        q.addBindValue(index.Name);
        bool ok = q.exec();
        if (ok) {
            q.prepare(QStringLiteral("INSERT INTO sqlite_stat1 (tbl, idx, stat) VALUES ('AllInfo', ?, ?)"));
            q.addBindValue(index.Name);
            q.addBindValue(index.Statistics);
            ok = q.exec();
        }
        if (!ok) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

// SQLite plans from statistics, and a personal database is never analysed: without figures it guesses,
// and guesses badly (a role deletion by id scanned every role through the kind index). Every file
// therefore carries the figures of a large database from the start, so its plans stay the same as it grows.
bool WritePlannerStatistics(QSqlDatabase& connection, QString* error)
{
    QSqlQuery q(connection);
    if (!q.exec(QStringLiteral("ANALYZE")) || !q.exec(QStringLiteral("DELETE FROM sqlite_stat1"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    QList<TIndex> figures = Indexes();
    figures << TIndex{QStringLiteral("sqlite_autoindex_AllInfo_1"), QString(), QStringLiteral("1000000 1")};
    return WriteIndexStatistics(connection, figures, error);
}

bool Run(QSqlDatabase& connection, const QString& sql, QString* error)
{
    QSqlQuery q(connection);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

// The first value of a statement, or a null value when it fails.
QVariant Value(QSqlDatabase& connection, const QString& sql, QString* error)
{
    QSqlQuery q(connection);
    if (q.exec(sql) && q.next())
        return q.value(0);
    if (error)
        *error = q.lastError().text();
    return {};
}

// A server database must hold UTF-8 and fold letters of every alphabet, or the system's searches would
// miss names that differ only in letter case.
bool CheckPostgresDatabase(QSqlDatabase& connection, QString* error)
{
    const QString encoding = Value(connection, QStringLiteral("SHOW server_encoding"), error).toString();
    if (encoding.isEmpty())
        return false;
    if (encoding.compare(QStringLiteral("UTF8"), Qt::CaseInsensitive) != 0) {
        if (error)
            *error = QStringLiteral("База данных на сервере должна быть в кодировке UTF8, а не %1").arg(encoding);
        return false;
    }
    const QVariant folds = Value(connection, QStringLiteral("select lower('ЁЖΣZ') = 'ёжσz'"), error);
    if (!folds.isValid())
        return false;
    if (!folds.toBool()) {
        const QString ctype = Value(connection, QStringLiteral("SHOW lc_ctype"), nullptr).toString();
        if (error)
            *error = QStringLiteral("База данных на сервере не сравнивает буквы без учёта регистра (LC_CTYPE %1); "
                                    "создайте её с LC_CTYPE C.UTF-8 или другой локалью UTF-8")
                         .arg(ctype);
        return false;
    }
    return true;
}

bool InsertFixedRow(QSqlDatabase& connection, const QString& id, int kind, qint64 int1, qint64 int2, qint64 int5,
                    const QString& comments, QString* error)
{
    QSqlQuery q(connection);
    q.prepare(QStringLiteral("insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Link4, Link5, Int1, Int2, "
                             "Int5, Comments) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(id);
    q.addBindValue(kind);
    const QString link = kind == Kind::Placeholder ? QString(Ids::None) : QStringLiteral("");
    for (int i = 0; i < 5; ++i)
        q.addBindValue(link);
    q.addBindValue(int1);
    q.addBindValue(int2);
    q.addBindValue(int5);
    q.addBindValue(comments.isNull() ? QStringLiteral("") : comments);
    if (q.exec())
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

} // namespace

namespace Schema {

const QList<TColumn>& Columns()
{
    static const QList<TColumn> columns = MakeColumns();
    return columns;
}

bool ColumnType(const QString& name, TColumnType* type)
{
    QString bare = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
    for (const TColumn& c : Columns()) {
        if (c.Name.compare(bare, Qt::CaseInsensitive) == 0) {
            if (type)
                *type = c.Type;
            return true;
        }
    }
    return false;
}

quint32 RandomPrefix()
{
    return QRandomGenerator::system()->bounded(16u, 0x7FFFFFFFu);
}

QString IdentityRowId()
{
    return MakeId(Kind::IdentityRow, 0);
}

QStringList IndexNames()
{
    QStringList names;
    for (const TIndex& index : Indexes())
        names << index.Name;
    return names;
}

bool AddMissingIndexes(QSqlDatabase& connection, TSqlEngine engine, QString* error)
{
    const bool server = engine == TSqlEngine::PostgreSQL;
    QSqlQuery q(connection);
    if (!q.exec(server ? QStringLiteral("select indexname from pg_indexes where tablename = 'allinfo' "
                                        "and schemaname = current_schema()")
                       : QStringLiteral("select name from sqlite_master where type = 'index'"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    QSet<QString> present;
    while (q.next())
        present.insert(q.value(0).toString().toLower());
    QList<TIndex> missing;
    for (const TIndex& index : Indexes()) {
        if (!present.contains(index.Name.toLower()))
            missing << index;
    }
    if (missing.isEmpty())
        return true;
    bool ok = Run(connection, server ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), error);
    for (const QString& retired : RetiredIndexes()) {
        if (present.contains(retired.toLower()))
            ok = ok && Run(connection, QStringLiteral("DROP INDEX IF EXISTS %1").arg(retired), error);
        if (!server) {
            QSqlQuery figures(connection);
            figures.prepare(QStringLiteral("DELETE FROM sqlite_stat1 WHERE tbl = 'AllInfo' AND idx = ?"));
            figures.addBindValue(retired);
            if (ok && !figures.exec()) {
                if (error)
                    *error = figures.lastError().text();
                ok = false;
            }
        }
    }
    for (const TIndex& index : missing)
        ok = ok && Run(connection, CreateIndexStatement(index), error);
    // A file plans from the figures it carries: the new indexes get theirs, and the connection reads
    // them again.
    ok = ok && (server || WriteIndexStatistics(connection, missing, error));
    ok = ok && Run(connection, QStringLiteral("COMMIT"), error);
    if (!ok) {
        Run(connection, QStringLiteral("ROLLBACK"), nullptr);
        return false;
    }
    return server || Run(connection, QStringLiteral("ANALYZE sqlite_schema"), error);
}

bool Create(QSqlDatabase& connection, TSqlEngine engine, const TNewDatabase& options, QString* error)
{
    if (options.Prefix <= 2) {
        if (error)
            *error = QStringLiteral("Префикс идентификаторов не может быть 0, 1 или 2");
        return false;
    }
    const bool server = engine == TSqlEngine::PostgreSQL;
    if (server && !CheckPostgresDatabase(connection, error))
        return false;
    QStringList definitions;
    for (const TColumn& c : Columns())
        definitions << (server ? PostgresColumnDefinition(c) : SqliteColumnDefinition(c));
    definitions.first() = server ? QStringLiteral("ObjId citext NOT NULL PRIMARY KEY")
                                 : QStringLiteral("ObjId TEXT NOT NULL PRIMARY KEY COLLATE NOCASE");

    if (!Run(connection, server ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), error))
        return false;
    // The notice that citext is there already says nothing to whoever makes the database.
    bool ok = !server
        || (Run(connection, QStringLiteral("SET LOCAL client_min_messages = warning"), error)
            && Run(connection, QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"), error));
    if (server) {
        for (const QString& definition : TextCollation::ServerDefinitions())
            ok = ok && Run(connection, definition, error);
    }
    ok = ok
        && Run(connection, QStringLiteral("CREATE TABLE AllInfo (") + definitions.join(QStringLiteral(", "))
                   + (server ? QStringLiteral(")") : QStringLiteral(") STRICT")),
               error);
    for (const TIndex& index : Indexes())
        ok = ok && Run(connection, CreateIndexStatement(index), error);
    ok = ok && (server || WritePlannerStatistics(connection, error));
    ok = ok
        && (server
            || Run(connection, QStringLiteral("PRAGMA user_version = %1").arg(TextCollation::RulesStamp()), error));
    ok = ok && InsertFixedRow(connection, Ids::None, Kind::Placeholder, 0, 0, 0, QString(), error);
    ok = ok
        && InsertFixedRow(connection, Ids::SystemRow, Kind::DatabaseIdentity, 0, 0, options.Reference ? 0 : 1,
                          options.Description, error);
    ok = ok
        && InsertFixedRow(connection, IdentityRowId(), Kind::IdentityRow, 0, options.Prefix, 1, QString(), error);
    if (ok)
        ok = Run(connection, QStringLiteral("COMMIT"), error);
    if (!ok)
        Run(connection, QStringLiteral("ROLLBACK"), nullptr);
    return ok;
}

bool ServerTextRulesReady(QSqlDatabase& connection, QString* error)
{
    QSqlQuery q(connection);
    q.prepare(QStringLiteral("select count(*) from information_schema.columns c where c.table_name = 'allinfo' "
                             "and c.table_schema = current_schema() and (c.collation_name is distinct from ?) "
                             "and c.column_name in (select lower(?) union select lower(?))"));
    // Only the first text column and the comments are asked about: a migration changes all of them at once.
    q.addBindValue(QLatin1String(TextCollation::kServerCollation));
    q.addBindValue(QStringLiteral("Str1"));
    q.addBindValue(QStringLiteral("Comments"));
    QSqlQuery fold(connection);
    fold.prepare(QStringLiteral("select count(*) from pg_proc where proname = ?"));
    fold.addBindValue(QLatin1String(TextCollation::kServerFold));
    if (!q.exec() || !q.next() || !fold.exec() || !fold.next()) {
        if (error)
            *error = (q.lastError().isValid() ? q.lastError() : fold.lastError()).text();
        return false;
    }
    if (q.value(0).toInt() == 0 && fold.value(0).toInt() > 0)
        return true;
    if (error)
        *error = QStringLiteral("База данных на сервере подготовлена без русских правил сравнения текста; "
                                "обновите её командой zorvin-admin pg-init");
    return false;
}

bool MigrateServerTextRules(QSqlDatabase& connection, QString* error)
{
    QStringList alterations;
    for (const TColumn& c : Columns()) {
        if (c.Type == TColumnType::Text)
            alterations << QStringLiteral("ALTER COLUMN %1 TYPE %2").arg(c.Name, PostgresTextType());
    }
    bool ok = Run(connection, QStringLiteral("BEGIN"), error);
    for (const QString& definition : TextCollation::ServerDefinitions())
        ok = ok && Run(connection, definition, error);
    // The indexes on the text columns are rebuilt with the new order by the same statement.
    ok = ok
        && Run(connection, QStringLiteral("ALTER TABLE AllInfo ") + alterations.join(QStringLiteral(", ")), error)
        && Run(connection, QStringLiteral("ANALYZE AllInfo"), error) && Run(connection, QStringLiteral("COMMIT"), error);
    if (!ok)
        Run(connection, QStringLiteral("ROLLBACK"), nullptr);
    return ok;
}

bool CreateDatabaseFile(const QString& path, const TNewDatabase& options, QString* error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("Файл уже существует: %1").arg(path);
        return false;
    }
    bool ok = false;
    {
        TSqlConnection connection = TSqlConnection::OpenSqliteFile(path, TSqlConnection::CreateFile);
        if (!connection.IsOpen()) {
            if (error)
                *error = QStringLiteral("Не удалось создать файл базы данных %1: %2").arg(path, connection.ErrorText());
        } else {
            QSqlDatabase db = connection.Database();
            ok = Run(db, QStringLiteral("PRAGMA journal_mode=WAL"), error) && Create(db, TSqlEngine::SQLite, options, error);
        }
    }
    if (!ok) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
    }
    return ok;
}

} // namespace Schema
