#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

/// The SQLite handle under \a db, nullptr when \a db is no open SQLite connection.
sqlite3* SqliteHandle(const QSqlDatabase& db);

/**
 * \brief One engine connection with a name of its own, closed and removed when the object dies.
 *
 * QtSql connections belong to the thread that opened them: use and destroy the object on that thread.
 * Every SQLite connection carries the case-folding text rules of TextCollation.
 */
class TSqlConnection final
{
public:
    enum TFileMode { ExistingFile, CreateFile };

    /// Opens the SQLite file at \a path; ExistingFile never creates a file. A file that is not a database
    /// is refused (IsOpen() false).
    static TSqlConnection OpenSqliteFile(const QString& path, TFileMode mode);
    /// Opens a PostgreSQL database (\a port 0: the default; \a host may be the folder of the server's socket).
    static TSqlConnection OpenPostgres(const QString& host, int port, const QString& user, const QString& password,
                                       const QString& database);

    TSqlConnection() = default;
    TSqlConnection(TSqlConnection&& other) noexcept;
    TSqlConnection& operator=(TSqlConnection&& other) noexcept;
    TSqlConnection(const TSqlConnection&) = delete;
    TSqlConnection& operator=(const TSqlConnection&) = delete;
    ~TSqlConnection();

    bool IsOpen() const;
    /// The engine's reason when opening failed.
    const QString& ErrorText() const { return m_error; }
    QSqlDatabase Database() const;
    void Close();

private:
    explicit TSqlConnection(const QString& driver);

    QString m_name;
    QSqlDatabase m_db;
    QString m_error;
};
