#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

/// A plain SQLite connection through the C API: the baseline the store's figures are set against.
/// It carries the same text rules as the store's connections (they are registered for every connection).
class TRawSqlite final
{
public:
    explicit TRawSqlite(const QString& path);
    ~TRawSqlite();
    TRawSqlite(const TRawSqlite&) = delete;
    TRawSqlite& operator=(const TRawSqlite&) = delete;

    bool IsOpen() const { return m_db != nullptr; }
    /// Prepares \a sql and reads every column of its first \a limit rows (all rows when negative); the
    /// number of rows read, -1 on failure.
    qint64 Read(const QString& sql, qint64 limit = -1);
    /// Runs statements that return nothing; false on failure.
    bool Exec(const QString& sql);
    /// Runs one statement with text parameters bound in order; false on failure.
    bool Run(const QString& sql, const QStringList& texts);
    /// The first column of the first row as a number (0 when none).
    qint64 Number(const QString& sql);

private:
    sqlite3* m_db = nullptr;
};
