#pragma once

#include "store/Gid.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

#include <QObject>
#include <QString>

#include <memory>

class QSqlError;
class QSqlQuery;
class TDBMainInfo;

/// Status codes of a database's last connect or statement.
namespace DbStatus {
enum : int {
    Ok = 0,
    FileMissing = 1,
    ConnectFailed = 3,
    NoSystemRow = 4,
    BadFormat = 6,
    QueryFailed = 20,
    NoDatabase = -1001,
};
/// The status text of a code ("Соединение установлено" for 0 ...).
QString Text(int code);
inline const QString SystemRowRead = QStringLiteral("Системная запись активирована");
} // namespace DbStatus

/// Connection types.
namespace ConnectionType {
enum : int { File = 1, Server = 2 };
}

/**
 * \brief One open database: a database file or a server database holding the table AllInfo.
 *
 * It locates the database from an install mode, connects, reads the system row, and runs statements,
 * queries and the identifier counter. Every statement is given in the system's SQL dialect and is
 * translated for the engine here. Nothing is ever shown to the user: results are status codes and texts.
 *
 * A database and the queries it hands out belong to the thread that opened it; another thread opens its
 * own with OpenCopy(). Queries must be destroyed before their database.
 */
class TMyDataBase final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMyDataBase)

public:
    explicit TMyDataBase(const QString& name = QString(), QObject* parent = nullptr);
    ~TMyDataBase() override;

    /// Connects to a database; returns the status code (0 when open). User and password are the
    /// once-encoded texts of the settings file.
    int Open(int connectionType, int installMode, const QString& catalog, const QString& password, const QString& user,
             const QString& dataSource);
    /// Opens the database a kind-898 entry describes and remembers the entry's id.
    int OpenFromEntry(const TDBMainInfo& entry);
    /// Opens another connection to the same database, for use on the calling thread.
    std::unique_ptr<TMyDataBase> OpenCopy() const;
    /// Disconnects and connects again; whether connected.
    bool Reconnect();
    void Close();

    /// Runs a select statement; the query is positioned before its first row, or nullptr when not connected
    /// or when the statement failed (status 20). The caller owns the query. On a server the whole result
    /// is fetched at once, so other statements may run on the database while the caller walks it.
    std::unique_ptr<QSqlQuery> CreateQuery(const QString& sql, bool forwardOnly = true);
    /// An empty command object on the connection for a parameterised statement; nullptr when not connected.
    std::unique_ptr<QSqlQuery> CreateCommand();
    /// Runs a statement; 0, or 20 "Запрос вызвал ошибку" when it failed.
    int Execute(const QString& sql);
    /// Runs a prepared, bound command (from CreateCommand) and records its status like Execute.
    int ExecuteCommand(QSqlQuery& command);
    /// The number of rows the last Execute changed (-1 when unknown).
    int RowsAffected() const { return m_rowsAffected; }

    /// Execute on \a db, or on the current database when \a db is nullptr; -1001 with neither.
    static int ExecuteOn(TMyDataBase* db, const QString& sql);
    /// CreateQuery on \a db, or on the current database when \a db is nullptr.
    static std::unique_ptr<QSqlQuery> QueryOn(TMyDataBase* db, const QString& sql);

    /// A new identifier for an object of \a kind (kind 898: from the system row's entry counter; others:
    /// from the identity row's counter). The null id when a step fails. Call it inside a TWriteTransaction
    /// together with the insert that uses the identifier.
    QString NewId(int kind);
    /// \a count new identifiers for objects of any kind but 898 at once, in the order NewId would give them
    /// one by one: the identity row's counter moves past them all in one step. Empty when a step fails. Call
    /// it inside a TWriteTransaction, like NewId.
    QStringList NewIds(int count);
    /// Moves the counter back over the last \a count identifiers NewIds gave, up to \a last, when no
    /// identifier was taken after them; otherwise nothing changes. False when a statement failed. Inside the
    /// transaction that took them.
    bool ReturnIds(const QString& last, int count);
    /// Whether a TWriteTransaction is open on this database.
    bool InWriteTransaction() const { return m_transactionDepth > 0; }

    /// The statement in this database's engine spelling.
    QString Translate(const QString& dialectSql) const;

    bool IsConnected() const { return m_connection.IsOpen(); }
    /// Writable exactly when the write mode is 1.
    bool IsWritable() const { return m_writeMode == 1; }
    TSqlEngine Engine() const { return m_engine; }
    QSqlDatabase Connection() const { return m_connection.Database(); }

    int ConnectionKind() const { return m_connectionType; }
    int InstallMode() const { return m_installMode; }
    const QString& DataSource() const { return m_dataSource; }
    const QString& User() const { return m_user; }
    const QString& Password() const { return m_password; }
    const QString& Catalog() const { return m_catalog; }
    const QString& SystemRowId() const { return m_systemRowId; }
    const QString& Description() const { return m_description; }
    qint64 WriteMode() const { return m_writeMode; }
    const QString& IdentityRowId() const { return m_identityRowId; }
    const QString& EntryId() const { return m_entryId; }
    int StatusCode() const { return m_statusCode; }
    const QString& StatusText() const { return m_statusText; }
    /// The engine's own message for the last failure (empty after a success); on a server, the server's
    /// message without the statement excerpt and row details.
    const QString& ErrorText() const { return m_errorText; }

    /// The database file a mode 1-3 setting names (\a path used by mode 2; empty: the default).
    static QString DatabaseFileFor(int installMode, const QString& path);
    /// Splits a server field into host and port (0: the default port). The field is a host name or
    /// address, "host:port", "[IPv6 address]:port", or a folder holding the server's socket, optionally
    /// with the port that names the socket file ("/run/postgresql:5433").
    static void SplitServerAddress(const QString& server, QString* host, int* port);

Q_SIGNALS:
    /// The connection is about to close (closed, reconnected, or the database freed): whoever holds
    /// queries on it lets them go now.
    void Closing();
    /// A write transaction is about to begin on a database file: whoever keeps a statement open on this
    /// connection lets it go now. An open statement holds a read snapshot, and a write begun from a snapshot
    /// older than another connection's last commit (the balance recomputation's) would be refused.
    void WriteStarting();

private:
    friend class TWriteTransaction;

    void SetStatus(int code, const QString& errorText = QString());
    QString ErrorTextOf(const QSqlError& error) const;
    bool Connect();
    void ReadSystemRow();
    void ApplyTextRules();
    void AddMissingIndexes();
    void CloseConnection();
    bool RunControl(const QString& sql);

    TSqlConnection m_connection;
    TSqlEngine m_engine = TSqlEngine::SQLite;
    int m_connectionType = ConnectionType::File;
    int m_installMode = 0;
    QString m_dataSource;
    QString m_user;
    QString m_password;
    QString m_catalog;
    QString m_systemRowId;
    QString m_description;
    qint64 m_writeMode = 0;
    QString m_identityRowId;
    QString m_entryId;
    int m_statusCode = 0;
    QString m_statusText;
    QString m_errorText;
    int m_rowsAffected = -1;
    int m_transactionDepth = 0;
    int m_abortedDepth = 0; ///< the transaction level a statement failed at on a server; 0: none
};

/// The database every record and list uses unless told otherwise; nullptr before start-up.
TMyDataBase* CurrentDatabase();
/// Makes \a db the current database (not owned; nullptr: none).
void SetCurrentDatabase(TMyDataBase* db);

/// Reads the settings file "Zorvin.ini" (ProgramPaths::SettingsFile()) and opens the current database "Server_1"
/// from it. nullptr when the file is missing, unreadable or names no install mode; otherwise the opened
/// database (check its status), already made current. The caller owns it.
std::unique_ptr<TMyDataBase> OpenCurrentDatabase();

/**
 * \brief A write transaction: everything between construction and Commit() is written whole or not at all.
 *
 * Rolls back in the destructor unless committed. Nested guards on the same database become savepoints of
 * the outer one. SQLite write transactions begin IMMEDIATE, so a busy database fails here, not halfway.
 */
class TWriteTransaction final
{
public:
    explicit TWriteTransaction(TMyDataBase* db);
    ~TWriteTransaction();
    TWriteTransaction(const TWriteTransaction&) = delete;
    TWriteTransaction& operator=(const TWriteTransaction&) = delete;

    /// Whether the transaction began.
    bool IsActive() const { return m_active; }
    /// Commits; false (and rolled back) when the commit failed.
    [[nodiscard]] bool Commit();
    void Rollback();

private:
    TMyDataBase* m_db;
    int m_level = 0;
    bool m_active = false;
};
