#pragma once

#include "store/DataBase.h"
#include "store/Schema.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

/// The PostgreSQL server the tests of a server run use, from ZORVIN_PG_HOST, ZORVIN_PG_PORT, ZORVIN_PG_USER,
/// ZORVIN_PG_PASSWORD and ZORVIN_PG_DATABASE (the database fixtures are made from; "postgres" when unset).
/// `eval "$(bash tools/pg-test-server.sh start)"` sets them for a private cluster.
struct TTestServer
{
    QString Host; ///< a host name or address, or the folder of the server's socket
    int Port = 0;
    QString User;
    QString Password;
    QString Database;

    static TTestServer FromEnvironment();
    bool IsConfigured() const { return !Host.isEmpty(); }
    /// The server field of a settings file: "host:port" (or the socket folder with ":port").
    QString ServerField() const;
    /// A connection to \a database on this server (the maintenance database when empty).
    TSqlConnection Connect(const QString& database = QString()) const;
};

/// What TMyDataBase::Open takes to reach a database (user and password once-encoded).
struct TOpenArguments
{
    int ConnectionKind = ConnectionType::File;
    int InstallMode = 0;
    QString Catalog;
    QString Password;
    QString User;
    QString DataSource;
};

/**
 * A fresh database, opened and made the current database for the fixture's lifetime: a database file in a
 * temporary folder, or, when ZORVIN_TEST_ENGINE is "postgresql", a database of its own on the test server,
 * dropped when the fixture dies. The folder serves as the program's folder on both (Zorvin.ini, Data/).
 * Suites that run on both engines call ZORVIN_REQUIRE_TEST_ENGINE() in initTestCase.
 */
class TTempDatabase final
{
public:
    explicit TTempDatabase(const TNewDatabase& options = DefaultOptions());
    ~TTempDatabase();
    TTempDatabase(const TTempDatabase&) = delete;
    TTempDatabase& operator=(const TTempDatabase&) = delete;

    static TNewDatabase DefaultOptions();
    /// The engine of this test run: PostgreSQL when ZORVIN_TEST_ENGINE is "postgresql" or "pg".
    static TSqlEngine Engine();
    static bool OnServer() { return Engine() == TSqlEngine::PostgreSQL; }
    /// Why fixtures of this run cannot be made (empty when they can); \a configured tells whether a
    /// server was asked for at all.
    static QString EngineUnavailable(bool* configured = nullptr);

    /// Whether the database was made and opened with status 0.
    bool IsOpen() const { return m_db && m_db->StatusCode() == 0 && m_db->IsConnected(); }
    TMyDataBase* Db() const { return m_db.get(); }
    QString Folder() const { return m_dir.path(); }
    /// The database file; empty on a server.
    QString FilePath() const { return m_path; }
    /// The server database's name; empty for a file.
    const QString& ServerDatabase() const { return m_serverDatabase; }
    /// The settings-file line ("FILEPATH|..." or "SERVER|...") that opens this database.
    QString SettingsLine() const;
    /// Writes the settings file "Zorvin.ini" naming this database into Folder(), where a program started
    /// there finds it; false when it cannot be written.
    bool WriteSettingsFile() const;
    /// The arguments of TMyDataBase::Open (and of the database list's Add) that reach this database.
    TOpenArguments OpenArguments() const;
    /// Opens \a db on this database (a connection of its own); its status.
    int OpenAnother(TMyDataBase& db) const;
    /// Opens Db() again, so that it reads the fixed rows anew; its status.
    int Reopen();

    /// Runs a statement (plain SQL both engines understand, not the dialect) through a connection of the
    /// fixture's own; false on failure.
    bool Run(const QString& sql) const;
    /// The first column of the first row of a plain statement, through the fixture's own connection.
    QVariant Scalar(const QString& sql) const;
    /// Every row of the table as text, ordered by ObjId: a dump to compare before and after a change.
    QString Dump() const;
    /// Makes the engine refuse every insert and update that sets \a column to \a value (letter case
    /// ignored on a server): a trigger on a file, a CHECK constraint named "zorvin_refusal_N" on a server.
    bool RefuseRows(const QString& column, const QString& value);

private:
    bool MakeFile(const TNewDatabase& options);
    bool MakeServerDatabase(const TNewDatabase& options);
    QSqlDatabase Side() const;

    QTemporaryDir m_dir;
    QString m_path;
    TTestServer m_server;
    QString m_serverDatabase;
    std::unique_ptr<TMyDataBase> m_db;
    mutable std::unique_ptr<TSqlConnection> m_side;
    TMyDataBase* m_previous = nullptr;
    int m_refusals = 0;
};

/// Whether the tests run in continuous integration (CI=true), where a missing server is a failure.
bool InContinuousIntegration();

/// In initTestCase of a suite that runs on both engines: skips the suite when it was asked to run on a
/// server and none is configured; fails it when a configured server cannot be reached, and under CI
/// whenever the server is missing.
#define ZORVIN_REQUIRE_TEST_ENGINE()                                                                                   \
    do {                                                                                                               \
        bool zorvinConfigured = false;                                                                                 \
        const QString zorvinWhy = TTempDatabase::EngineUnavailable(&zorvinConfigured);                                 \
        if (!zorvinWhy.isEmpty()) {                                                                                    \
            if (zorvinConfigured || InContinuousIntegration())                                                         \
                QFAIL(qPrintable(zorvinWhy));                                                                          \
            QSKIP(qPrintable(zorvinWhy));                                                                              \
        }                                                                                                              \
    } while (false)
