#include "tests/support/TempDatabase.h"

#include "platform/ProgramPaths.h"
#include "store/SettingsFile.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace {

QString SingleQuoted(const QString& value)
{
    QString inner = value;
    inner.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

// Names of the databases this process makes: unique across the processes that share a server.
QString NewServerDatabaseName()
{
    static QAtomicInteger<int> counter;
    return QStringLiteral("zorvin_t_%1_%2")
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetchAndAddRelaxed(1) + 1);
}

bool Exec(QSqlDatabase db, const QString& sql, QString* error = nullptr)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

} // namespace

TTestServer TTestServer::FromEnvironment()
{
    TTestServer server;
    server.Host = qEnvironmentVariable("ZORVIN_PG_HOST");
    server.Port = qEnvironmentVariableIntValue("ZORVIN_PG_PORT");
    server.User = qEnvironmentVariable("ZORVIN_PG_USER");
    server.Password = qEnvironmentVariable("ZORVIN_PG_PASSWORD");
    server.Database = qEnvironmentVariable("ZORVIN_PG_DATABASE", QStringLiteral("postgres"));
    return server;
}

QString TTestServer::ServerField() const
{
    return Port > 0 ? Host + QLatin1Char(':') + QString::number(Port) : Host;
}

TSqlConnection TTestServer::Connect(const QString& database) const
{
    return TSqlConnection::OpenPostgres(Host, Port, User, Password, database.isEmpty() ? Database : database);
}

bool InContinuousIntegration()
{
    const QString ci = qEnvironmentVariable("CI").toLower();
    return !ci.isEmpty() && ci != QLatin1String("false") && ci != QLatin1String("0");
}

TSqlEngine TTempDatabase::Engine()
{
    const QString engine = qEnvironmentVariable("ZORVIN_TEST_ENGINE").toLower();
    return engine == QLatin1String("postgresql") || engine == QLatin1String("pg") ? TSqlEngine::PostgreSQL
                                                                                  : TSqlEngine::SQLite;
}

QString TTempDatabase::EngineUnavailable(bool* configured)
{
    if (configured)
        *configured = false;
    const QString engine = qEnvironmentVariable("ZORVIN_TEST_ENGINE").toLower();
    if (!engine.isEmpty() && engine != QLatin1String("sqlite") && !OnServer()) {
        if (configured)
            *configured = true;
        return QStringLiteral("ZORVIN_TEST_ENGINE=%1 names no engine (sqlite or postgresql)").arg(engine);
    }
    if (!OnServer())
        return QString();
    const TTestServer server = TTestServer::FromEnvironment();
    if (!server.IsConfigured())
        return QStringLiteral("no PostgreSQL server for the tests: set ZORVIN_PG_HOST and the other ZORVIN_PG_* "
                              "variables, for example with eval \"$(bash tools/pg-test-server.sh start)\"");
    if (configured)
        *configured = true;
    TSqlConnection connection = server.Connect();
    if (!connection.IsOpen())
        return QStringLiteral("the PostgreSQL server %1 (database %2, user %3) cannot be reached: %4")
            .arg(server.ServerField(), server.Database, server.User, connection.ErrorText());
    return QString();
}

TTempDatabase::TTempDatabase(const TNewDatabase& options)
    : m_previous(CurrentDatabase())
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Data"));
    if (!(OnServer() ? MakeServerDatabase(options) : MakeFile(options)))
        return;
    m_db = std::make_unique<TMyDataBase>(QStringLiteral("Server_1"));
    OpenAnother(*m_db);
    SetCurrentDatabase(m_db.get());
}

TTempDatabase::~TTempDatabase()
{
    SetCurrentDatabase(m_previous);
    m_db.reset();
    m_side.reset();
    if (m_serverDatabase.isEmpty())
        return;
    TSqlConnection admin = m_server.Connect();
    // FORCE: connections a failed test left open must not keep the database alive.
    QString error;
    if (!admin.IsOpen()
        || !Exec(
            admin.Database(), QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase), &error))
        qWarning("cannot drop the test database %s: %s", qPrintable(m_serverDatabase),
            qPrintable(admin.IsOpen() ? error : admin.ErrorText()));
}

bool TTempDatabase::MakeFile(const TNewDatabase& options)
{
    m_path = QDir(m_dir.path()).filePath(QStringLiteral("Data/WBD.zdb"));
    QString error;
    if (!Schema::CreateDatabaseFile(m_path, options, &error)) {
        qWarning("cannot create the test database: %s", qPrintable(error));
        return false;
    }
    return true;
}

bool TTempDatabase::MakeServerDatabase(const TNewDatabase& options)
{
    m_server = TTestServer::FromEnvironment();
    if (!m_server.IsConfigured()) {
        qWarning("cannot create the test database: no PostgreSQL server configured (ZORVIN_PG_HOST)");
        return false;
    }
    TSqlConnection admin = m_server.Connect();
    if (!admin.IsOpen()) {
        qWarning("cannot reach the PostgreSQL server: %s", qPrintable(admin.ErrorText()));
        return false;
    }
    const QString name = NewServerDatabaseName();
    QString error;
    // Letters fold in every alphabet (LC_CTYPE C.UTF-8) and texts order by code point (LC_COLLATE C), as
    // the database file's collation does.
    if (!Exec(admin.Database(),
            QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C.UTF-8'")
                .arg(name),
            &error)) {
        qWarning("cannot create the test database %s: %s", qPrintable(name), qPrintable(error));
        return false;
    }
    m_serverDatabase = name;
    TSqlConnection connection = m_server.Connect(name);
    QSqlDatabase db = connection.Database();
    if (!connection.IsOpen() || !Schema::Create(db, TSqlEngine::PostgreSQL, options, &error)) {
        qWarning("cannot create the schema in %s: %s", qPrintable(name),
            qPrintable(connection.IsOpen() ? error : connection.ErrorText()));
        return false;
    }
    return true;
}

TNewDatabase TTempDatabase::DefaultOptions()
{
    TNewDatabase options;
    options.Description = QStringLiteral("Тестовая база");
    options.Prefix = 0x1A;
    return options;
}

bool TTempDatabase::WriteSettingsFile() const
{
    QFile ini(QDir(Folder()).filePath(QStringLiteral("Zorvin.ini")));
    return ini.open(QIODevice::WriteOnly) && ini.write(SettingsLine().toUtf8() + "\r\n") > 0;
}

QString TTempDatabase::SettingsLine() const
{
    TSettings settings;
    if (m_serverDatabase.isEmpty()) {
        settings.Mode = InstallMode::FilePath;
        settings.Path = m_path;
    } else {
        settings.Mode = InstallMode::Server;
        settings.Server = m_server.ServerField();
        settings.EncodedUser = SettingsFile::EncodeText(m_server.User);
        settings.EncodedPassword = SettingsFile::EncodeText(m_server.Password);
        settings.Catalog = m_serverDatabase;
    }
    return SettingsFile::FormatLine(settings);
}

TOpenArguments TTempDatabase::OpenArguments() const
{
    TOpenArguments a;
    if (m_serverDatabase.isEmpty()) {
        a.ConnectionKind = ConnectionType::File;
        a.InstallMode = InstallMode::FilePath;
        a.DataSource = m_path;
    } else {
        a.ConnectionKind = ConnectionType::Server;
        a.InstallMode = InstallMode::Server;
        a.Catalog = m_serverDatabase;
        a.Password = SettingsFile::EncodeText(m_server.Password);
        a.User = SettingsFile::EncodeText(m_server.User);
        a.DataSource = m_server.ServerField();
    }
    return a;
}

int TTempDatabase::OpenAnother(TMyDataBase& db) const
{
    const TOpenArguments a = OpenArguments();
    return db.Open(a.ConnectionKind, a.InstallMode, a.Catalog, a.Password, a.User, a.DataSource);
}

int TTempDatabase::Reopen()
{
    return m_db ? OpenAnother(*m_db) : DbStatus::ConnectFailed;
}

QSqlDatabase TTempDatabase::Side() const
{
    if (!m_side || !m_side->IsOpen()) {
        m_side = std::make_unique<TSqlConnection>(m_serverDatabase.isEmpty()
                ? TSqlConnection::OpenSqliteFile(m_path, TSqlConnection::ExistingFile)
                : m_server.Connect(m_serverDatabase));
    }
    return m_side->Database();
}

bool TTempDatabase::Run(const QString& sql) const
{
    QSqlDatabase db = Side();
    return db.isOpen() && Exec(db, sql);
}

QVariant TTempDatabase::Scalar(const QString& sql) const
{
    QVariant value;
    QSqlQuery q(Side());
    if (q.exec(sql) && q.next())
        value = q.value(0);
    return value;
}

QString TTempDatabase::Dump() const
{
    QStringList lines;
    QSqlQuery q(Side());
    q.exec(QStringLiteral("select * from AllInfo order by ObjId"));
    while (q.next()) {
        QSqlRecord r = q.record();
        QStringList cells;
        for (int i = 0; i < r.count(); ++i)
            cells << (r.isNull(i) ? QStringLiteral("NULL") : r.value(i).toString());
        lines << cells.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('\n'));
}

bool TTempDatabase::RefuseRows(const QString& column, const QString& value)
{
    const int n = ++m_refusals;
    if (!m_serverDatabase.isEmpty())
        return Run(QStringLiteral("alter table AllInfo add constraint zorvin_refusal_%1 check (%2 <> %3)")
                       .arg(n)
                       .arg(column, SingleQuoted(value)));
    for (const QString& event : {QStringLiteral("insert"), QStringLiteral("update")}) {
        if (!Run(QStringLiteral("create trigger zorvin_refusal_%1_%2 before %2 on AllInfo when new.%3 = %4 "
                                "begin select raise(abort, 'refused'); end")
                     .arg(n)
                     .arg(event, column, SingleQuoted(value))))
            return false;
    }
    return true;
}
