#include "store/SqlConnection.h"

#include "store/TextCollation.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>
#include <unistd.h>

sqlite3* SqliteHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

namespace {
QString NewConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("zorvin-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}
} // namespace

TSqlConnection::TSqlConnection(const QString& driver)
    : m_name(NewConnectionName())
{
    m_db = QSqlDatabase::addDatabase(driver, m_name);
}

TSqlConnection::TSqlConnection(TSqlConnection&& other) noexcept
    : m_name(std::move(other.m_name))
    , m_db(std::move(other.m_db))
    , m_error(std::move(other.m_error))
{
    other.m_name.clear();
    other.m_db = QSqlDatabase();
}

TSqlConnection& TSqlConnection::operator=(TSqlConnection&& other) noexcept
{
    if (this != &other) {
        Close();
        m_name = std::move(other.m_name);
        m_db = std::move(other.m_db);
        m_error = std::move(other.m_error);
        other.m_name.clear();
        other.m_db = QSqlDatabase();
    }
    return *this;
}

TSqlConnection::~TSqlConnection()
{
    Close();
}

void TSqlConnection::Close()
{
    if (m_name.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

bool TSqlConnection::IsOpen() const
{
    return !m_name.isEmpty() && m_db.isOpen();
}

QSqlDatabase TSqlConnection::Database() const
{
    return m_db;
}

namespace {
// Opens \a db at \a uri and reads its schema (SQLite opens any file lazily; reading the schema is what
// refuses a file that is not a database). The engine's reason on failure.
bool OpenAndProbe(QSqlDatabase& db, const QString& uri, QString* error)
{
    db.setDatabaseName(uri);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *error = db.lastError().text();
        db.close();
        return false;
    }
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        *error = probe.lastError().text();
        probe.finish();
        db.close();
        return false;
    }
    return true;
}

bool CanWrite(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}
} // namespace

TSqlConnection TSqlConnection::OpenSqliteFile(const QString& path, TFileMode mode)
{
    TextCollation::RegisterSqliteTextRules();
    TSqlConnection connection(QStringLiteral("QSQLITE"));
    QSqlDatabase db = connection.Database();
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    // A file the program may not write (a read-only file, a read-only folder or file system) is opened
    // read-only and is never written to, not even for the log's index beside it: when that index cannot be
    // made either, the file is read as immutable, which is exact as long as no log of unwritten changes
    // lies beside it.
    const QFileInfo file(path);
    const bool readOnly = mode == ExistingFile && file.exists()
        && (!CanWrite(file.absoluteFilePath()) || !CanWrite(file.absolutePath()));
    bool open = false;
    if (!readOnly) {
        open = OpenAndProbe(db, uri + (mode == ExistingFile ? QStringLiteral("?mode=rw") : QStringLiteral("?mode=rwc")),
                            &connection.m_error);
    } else {
        open = OpenAndProbe(db, uri + QStringLiteral("?mode=ro"), &connection.m_error);
        if (!open && !QFileInfo::exists(file.absoluteFilePath() + QStringLiteral("-wal")))
            open = OpenAndProbe(db, uri + QStringLiteral("?mode=ro&immutable=1"), &connection.m_error);
    }
    if (!open)
        return connection;
    connection.m_error.clear();
    QSqlQuery setting(db);
    if (readOnly)
        setting.exec(QStringLiteral("PRAGMA query_only=1"));
    // A save that reported success must outlive a crash and a power loss: with the write-ahead log, FULL
    // syncs the log at every commit (NORMAL would lose the last commits on a power loss).
    setting.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    // Lists read their rows through the name index and then from the table, a page for each row: a page
    // cache of 32 MB keeps the pages of the lists a user goes back to in memory (SQLite's own is 2 MB).
    setting.exec(QStringLiteral("PRAGMA cache_size=-32768"));
    return connection;
}

TSqlConnection TSqlConnection::OpenPostgres(const QString& host, int port, const QString& user,
                                            const QString& password, const QString& database)
{
    TSqlConnection connection(QStringLiteral("QPSQL"));
    QSqlDatabase db = connection.Database();
    db.setHostName(host);
    if (port > 0)
        db.setPort(port);
    db.setUserName(user);
    db.setPassword(password);
    db.setDatabaseName(database);
    db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=zorvin"));
    if (!db.open()) {
        connection.m_error = db.lastError().text();
        db.close();
        return connection;
    }
    // Statements quote texts the standard way only: a backslash in a name or a path is an ordinary
    // character, whatever the server's configuration says.
    QSqlQuery setting(db);
    if (!setting.exec(QStringLiteral("SET standard_conforming_strings = on"))) {
        connection.m_error = setting.lastError().text();
        setting.finish();
        db.close();
    }
    return connection;
}
