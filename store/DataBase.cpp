#include "store/DataBase.h"

#include "platform/ProgramPaths.h"
#include "store/DatabaseBackup.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/TextCollation.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <map>
#include <mutex>

namespace {
TMyDataBase* g_current = nullptr;

// The lock each open database file holds while it is open, so that no restore replaces it (see
// TDatabaseFileLock). Databases open on several threads.
namespace FileLocks {
std::mutex g_mutex;
std::map<const TMyDataBase*, std::unique_ptr<TDatabaseFileLock>> g_locks;

bool Take(const TMyDataBase* db, const QString& file)
{
    auto lock = std::make_unique<TDatabaseFileLock>();
    if (!lock->LockShared(file))
        return false;
    const std::lock_guard<std::mutex> guard(g_mutex);
    g_locks[db] = std::move(lock);
    return true;
}

void Release(const TMyDataBase* db)
{
    std::unique_ptr<TDatabaseFileLock> lock;
    const std::lock_guard<std::mutex> guard(g_mutex);
    const auto found = g_locks.find(db);
    if (found == g_locks.end())
        return;
    lock = std::move(found->second);
    g_locks.erase(found);
}
} // namespace FileLocks

// A database file the program may not write is opened query-only (TSqlConnection): nothing tries to write it.
bool IsReadOnlyFile(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA query_only")) && q.next() && q.value(0).toInt() != 0;
}

QString DefaultDatabaseFile(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Data/WBD.zdb"));
}

// The server's own words for a failure: its primary message without the severity word, the statement
// excerpt and the row details, which say nothing to a user. The driver's text when the server said nothing
// (the connection is gone).
QString ServerErrorText(const QSqlError& error)
{
    QString text = error.databaseText().section(QLatin1Char('\n'), 0, 0).trimmed();
    for (const QString& severity : {QStringLiteral("ERROR:"), QStringLiteral("FATAL:"), QStringLiteral("PANIC:")}) {
        if (text.startsWith(severity))
            text = text.mid(severity.size()).trimmed();
    }
    return text.isEmpty() ? error.text().trimmed() : text;
}
} // namespace

namespace DbStatus {
QString Text(int code)
{
    switch (code) {
    case Ok:
        return QStringLiteral("Соединение установлено");
    case FileMissing:
        return QStringLiteral("Файл по указанному пути не существует");
    case ConnectFailed:
        return QStringLiteral("Не удалось подключиться к БД");
    case NoSystemRow:
        return QStringLiteral("Неверный формат БД: Нет системной записи");
    case BadFormat:
        return QStringLiteral("Неверный формат БД");
    case QueryFailed:
        return QStringLiteral("Запрос вызвал ошибку");
    default:
        return QString();
    }
}
} // namespace DbStatus

TMyDataBase::TMyDataBase(const QString& name, QObject* parent)
    : QObject(parent)
{
    setObjectName(name);
}

TMyDataBase::~TMyDataBase()
{
    CloseConnection();
    if (g_current == this)
        g_current = nullptr;
}

void TMyDataBase::SplitServerAddress(const QString& server, QString* host, int* port)
{
    QString h = server.trimmed();
    int p = 0;
    auto takePort = [&](qsizetype colon) {
        bool ok = false;
        const int number = h.mid(colon + 1).toInt(&ok);
        if (ok && number > 0 && number <= 65535) {
            p = number;
            h = h.left(colon);
        }
    };
    if (h.startsWith(QLatin1Char('['))) {
        // [address]:port, the only way to give a port with an IPv6 address.
        const qsizetype close = h.indexOf(QLatin1Char(']'));
        if (close > 0) {
            if (close + 1 < h.size() && h.at(close + 1) == QLatin1Char(':'))
                takePort(close + 1);
            h = h.mid(1, close - 1);
        }
    } else if (h.count(QLatin1Char(':')) == 1 || h.startsWith(QLatin1Char('/'))) {
        // host:port, or a socket folder with the port that names its socket file: /run/postgresql:5433.
        // A bare IPv6 address has several colons and no port.
        const qsizetype colon = h.lastIndexOf(QLatin1Char(':'));
        if (colon > 0)
            takePort(colon);
    }
    *host = h;
    *port = p;
}

QString TMyDataBase::DatabaseFileFor(int installMode, const QString& path)
{
    switch (installMode) {
    case InstallMode::AllUsers:
        return DefaultDatabaseFile(ProgramPaths::SharedFolder());
    case InstallMode::FilePath:
        return path.trimmed().isEmpty() ? DefaultDatabaseFile(ProgramPaths::DataFolder()) : path;
    case InstallMode::Flash:
        return DefaultDatabaseFile(ProgramPaths::DataFolder());
    default:
        return path;
    }
}

QString TMyDataBase::ErrorTextOf(const QSqlError& error) const
{
    return m_engine == TSqlEngine::PostgreSQL ? ServerErrorText(error) : error.text();
}

void TMyDataBase::SetStatus(int code, const QString& errorText)
{
    // A failed statement aborts a server transaction whole, and its COMMIT then quietly rolls back: the
    // transaction guard must know, so that it does not report the rolled-back work as written.
    if (code == DbStatus::QueryFailed && m_engine == TSqlEngine::PostgreSQL && m_transactionDepth > 0
        && m_abortedDepth == 0)
        m_abortedDepth = m_transactionDepth;
    m_statusCode = code;
    m_statusText = DbStatus::Text(code);
    m_errorText = errorText;
}

int TMyDataBase::Open(int connectionType, int installMode, const QString& catalog, const QString& password,
                      const QString& user, const QString& dataSource)
{
    SetStatus(DbStatus::Ok);
    m_writeMode = 0;
    m_systemRowId.clear();
    m_description.clear();
    m_identityRowId.clear();
    Close();

    QString source = dataSource;
    if (installMode >= InstallMode::AllUsers && installMode <= InstallMode::Flash) {
        source = DatabaseFileFor(installMode, dataSource);
        if (!QFileInfo(source).isFile()) {
            SetStatus(DbStatus::FileMissing);
            return m_statusCode;
        }
    }
    m_connectionType = connectionType;
    m_installMode = installMode;
    m_catalog = catalog;
    m_password = password;
    m_user = user;
    m_dataSource = source;

    if (!Reconnect()) {
        SetStatus(DbStatus::ConnectFailed, m_connection.ErrorText());
        return m_statusCode;
    }
    SetStatus(DbStatus::Ok);
    ReadSystemRow();
    ApplyTextRules();
    AddMissingIndexes();
    return m_statusCode;
}

int TMyDataBase::OpenFromEntry(const TDBMainInfo& entry)
{
    m_entryId = entry.Obj;
    bool userOk = true;
    bool passwordOk = true;
    QString user = SettingsFile::DecodeText(entry.Str2, &userOk);
    QString password = SettingsFile::DecodeText(entry.Str3, &passwordOk);
    return Open(static_cast<int>(entry.Int1), static_cast<int>(entry.Int2), entry.Str4, passwordOk ? password : QString(),
                userOk ? user : QString(), entry.Str1);
}

std::unique_ptr<TMyDataBase> TMyDataBase::OpenCopy() const
{
    auto copy = std::make_unique<TMyDataBase>(objectName());
    copy->m_connectionType = m_connectionType;
    copy->m_installMode = m_installMode;
    copy->m_catalog = m_catalog;
    copy->m_password = m_password;
    copy->m_user = m_user;
    copy->m_dataSource = m_dataSource;
    copy->m_entryId = m_entryId;
    if (!copy->Reconnect()) {
        copy->SetStatus(DbStatus::ConnectFailed, copy->m_connection.ErrorText());
        return copy;
    }
    copy->SetStatus(DbStatus::Ok);
    copy->ReadSystemRow();
    copy->ApplyTextRules();
    return copy;
}

bool TMyDataBase::Connect()
{
    if (m_connectionType == ConnectionType::File) {
        m_engine = TSqlEngine::SQLite;
        // A file being restored from a copy is not opened until the copy is in place.
        if (!FileLocks::Take(this, m_dataSource))
            return false;
        m_connection = TSqlConnection::OpenSqliteFile(m_dataSource, TSqlConnection::ExistingFile);
        return m_connection.IsOpen();
    }
    if (m_connectionType == ConnectionType::Server) {
        m_engine = TSqlEngine::PostgreSQL;
        bool userOk = true;
        bool passwordOk = true;
        QString user = SettingsFile::DecodeText(m_user, &userOk);
        QString password = SettingsFile::DecodeText(m_password, &passwordOk);
        QString host;
        int port = 0;
        SplitServerAddress(m_dataSource, &host, &port);
        m_connection = TSqlConnection::OpenPostgres(host, port, user, password, m_catalog);
        return m_connection.IsOpen();
    }
    return false;
}

bool TMyDataBase::Reconnect()
{
    CloseConnection();
    return Connect();
}

void TMyDataBase::Close()
{
    CloseConnection();
}

void TMyDataBase::CloseConnection()
{
    // Queries handed out must go before their connection does.
    if (m_connection.IsOpen())
        emit Closing();
    m_connection.Close();
    FileLocks::Release(this);
    m_transactionDepth = 0;
    m_abortedDepth = 0;
}

void TMyDataBase::ReadSystemRow()
{
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.exec(Translate(QStringLiteral("select * from AllInfo where ObjType = 897")))) {
        SetStatus(DbStatus::BadFormat, q.lastError().text());
        return;
    }
    QString id;
    if (q.next()) {
        QSqlRecord row = q.record();
        id = row.value(QStringLiteral("ObjId")).toString();
        if (!id.trimmed().isEmpty() && !IsNewId(id)) {
            m_systemRowId = id.left(16);
            m_description = row.value(QStringLiteral("Comments")).toString();
            m_writeMode = row.value(QStringLiteral("Int5")).toLongLong();
        }
    }
    q.finish();
    if (m_systemRowId.isEmpty()) {
        SetStatus(DbStatus::NoSystemRow);
        return;
    }
    m_statusText = DbStatus::SystemRowRead;

    QSqlQuery identity(Connection());
    identity.setForwardOnly(true);
    if (identity.exec(Translate(QStringLiteral("select ObjId from AllInfo where ObjType = 899 and Int5 = 1 and Date2 = 0 "
                                               "order by ObjId")))
        && identity.next()) {
        m_identityRowId = identity.value(0).toString().left(16);
    }
}

// Indexes on text hold the order of the rules they were built with. A file built under other rules is
// reindexed in one transaction when it may be written; a file that may not be written (a reference
// database, a read-only file) is never changed, and its connection compares by the rules the file was
// built with instead, so that its indexes stay right. A server database must carry the rules already.
void TMyDataBase::ApplyTextRules()
{
    if (m_statusCode != DbStatus::Ok)
        return;
    QSqlDatabase db = Connection();
    if (m_engine == TSqlEngine::PostgreSQL) {
        QString error;
        if (!Schema::ServerTextRulesReady(db, &error))
            SetStatus(DbStatus::BadFormat, error);
        return;
    }
    int stamp = 0;
    {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
            SetStatus(DbStatus::BadFormat, q.lastError().text());
            return;
        }
        stamp = q.value(0).toInt();
    }
    const int current = TextCollation::RulesStamp();
    if (stamp == current)
        return;
    if (IsWritable() && !IsReadOnlyFile(db)) {
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            if (q.exec(QStringLiteral("REINDEX UNOCASE"))
                && q.exec(QStringLiteral("PRAGMA user_version = %1").arg(current)) && q.exec(QStringLiteral("COMMIT")))
                return;
            q.exec(QStringLiteral("ROLLBACK"));
        }
    }
    TextCollation::UseRules(db, TextCollation::RulesOfStamp(stamp));
}

// A writable file made by an earlier version gets the indexes it lacks, once. A file that cannot take
// them (a reference database, a read-only file, a full disk) is read as it is: its lists are slower,
// never wrong. A server database gets them from zorvin-admin pg-init.
void TMyDataBase::AddMissingIndexes()
{
    if (m_statusCode != DbStatus::Ok || m_engine != TSqlEngine::SQLite || !IsWritable())
        return;
    QSqlDatabase db = Connection();
    if (IsReadOnlyFile(db))
        return;
    Schema::AddMissingIndexes(db, m_engine, nullptr);
}

QString TMyDataBase::Translate(const QString& dialectSql) const
{
    return SqlDialect::Translate(dialectSql, m_engine);
}

std::unique_ptr<QSqlQuery> TMyDataBase::CreateQuery(const QString& sql, bool forwardOnly)
{
    if (!IsConnected()) {
        SetStatus(DbStatus::QueryFailed, QStringLiteral("not connected"));
        return nullptr;
    }
    auto q = std::make_unique<QSqlQuery>(Connection());
    // A forward-only query on a server connection streams its rows, and the next statement on the
    // connection silently cuts it off; callers run statements while they walk a result, so a server
    // result is fetched whole.
    q->setForwardOnly(forwardOnly && m_engine == TSqlEngine::SQLite);
    if (!q->exec(Translate(sql))) {
        SetStatus(DbStatus::QueryFailed, ErrorTextOf(q->lastError()));
        return nullptr;
    }
    SetStatus(DbStatus::Ok);
    return q;
}

std::unique_ptr<QSqlQuery> TMyDataBase::CreateCommand()
{
    if (!IsConnected())
        return nullptr;
    return std::make_unique<QSqlQuery>(Connection());
}

int TMyDataBase::Execute(const QString& sql)
{
    m_rowsAffected = -1;
    if (!IsConnected()) {
        SetStatus(DbStatus::QueryFailed, QStringLiteral("not connected"));
        return m_statusCode;
    }
    QSqlQuery q(Connection());
    if (!q.exec(Translate(sql))) {
        SetStatus(DbStatus::QueryFailed, ErrorTextOf(q.lastError()));
        return m_statusCode;
    }
    m_rowsAffected = q.numRowsAffected();
    SetStatus(DbStatus::Ok);
    return m_statusCode;
}

int TMyDataBase::ExecuteCommand(QSqlQuery& command)
{
    m_rowsAffected = -1;
    if (!command.exec()) {
        SetStatus(DbStatus::QueryFailed, ErrorTextOf(command.lastError()));
        return m_statusCode;
    }
    m_rowsAffected = command.numRowsAffected();
    SetStatus(DbStatus::Ok);
    return m_statusCode;
}

int TMyDataBase::ExecuteOn(TMyDataBase* db, const QString& sql)
{
    if (!db)
        db = g_current;
    return db ? db->Execute(sql) : DbStatus::NoDatabase;
}

std::unique_ptr<QSqlQuery> TMyDataBase::QueryOn(TMyDataBase* db, const QString& sql)
{
    if (!db)
        db = g_current;
    return db ? db->CreateQuery(sql) : nullptr;
}

QStringList TMyDataBase::NewIds(int count)
{
    if (count < 1 || m_identityRowId.isEmpty() || !IsConnected())
        return {};
    const QString where = QStringLiteral(" where ObjId = ") + SqlDialect::Quote(m_identityRowId);
    const QString increment = QStringLiteral("update AllInfo set Int1 = Int1 + %1").arg(count) + where;
    std::unique_ptr<QSqlQuery> q;
    if (m_engine == TSqlEngine::PostgreSQL) {
        // Other clients save at the same time: the increment and the read must be one statement, so
        // that no other increment can come between them even outside a transaction. The update locks
        // the counter row until the saving transaction ends, so concurrent saves take turns.
        q = CreateQuery(increment + QStringLiteral(" returning Int1, Int2"));
    } else {
        if (Execute(increment) != DbStatus::Ok || m_rowsAffected != 1)
            return {};
        q = CreateQuery(QStringLiteral("select Int1, Int2 from AllInfo") + where);
    }
    if (!q || !q->next())
        return {};
    const qint64 last = q->value(0).toLongLong();
    const auto prefix = static_cast<quint32>(q->value(1).toLongLong());
    QStringList ids;
    ids.reserve(count);
    for (qint64 counter = last - count + 1; counter <= last; ++counter)
        ids << MakeId(static_cast<quint32>(counter), prefix);
    return ids;
}

bool TMyDataBase::ReturnIds(const QString& last, int count)
{
    bool ok = false;
    const qint64 counter = last.right(8).toLongLong(&ok, 16);
    if (count < 1)
        return true;
    if (!ok || m_identityRowId.isEmpty())
        return false;
    return Execute(QStringLiteral("update AllInfo set Int1 = Int1 - %1 where ObjId = %2 and Int1 = %3")
                       .arg(QString::number(count), SqlDialect::Quote(m_identityRowId), QString::number(counter)))
        == DbStatus::Ok;
}

QString TMyDataBase::NewId(int kind)
{
    if (kind != Kind::DatabaseEntry) {
        const QStringList ids = NewIds(1);
        return ids.isEmpty() ? Ids::Null : ids.first();
    }
    // A database list entry takes its id from the system row's entry counter.
    if (m_systemRowId.isEmpty() || !IsConnected())
        return Ids::Null;
    const QString where = QStringLiteral(" where ObjId = ") + SqlDialect::Quote(m_systemRowId);
    const QString increment = QStringLiteral("update AllInfo set Int4 = Int4 + 1") + where;
    // A database list entry must not take the id of a row copied in from elsewhere: skip used ones.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::unique_ptr<QSqlQuery> q;
        if (m_engine == TSqlEngine::PostgreSQL) {
            // As in NewIds: the increment and the read in one statement.
            q = CreateQuery(increment + QStringLiteral(" returning Int4"));
        } else {
            if (Execute(increment) != DbStatus::Ok || m_rowsAffected != 1)
                return Ids::Null;
            q = CreateQuery(QStringLiteral("select Int4 from AllInfo") + where);
        }
        if (!q || !q->next())
            return Ids::Null;
        const QString id = MakeId(static_cast<quint32>(q->value(0).toLongLong()), 1);
        q.reset();
        auto used = CreateQuery(QStringLiteral("select count(*) from AllInfo where ObjId = ") + SqlDialect::Quote(id));
        if (!used || !used->next())
            return Ids::Null;
        if (used->value(0).toLongLong() == 0)
            return id;
    }
    return Ids::Null;
}

bool TMyDataBase::RunControl(const QString& sql)
{
    if (!IsConnected())
        return false;
    QSqlQuery q(Connection());
    if (q.exec(sql))
        return true;
    SetStatus(DbStatus::QueryFailed, ErrorTextOf(q.lastError()));
    return false;
}

TMyDataBase* CurrentDatabase()
{
    return g_current;
}

void SetCurrentDatabase(TMyDataBase* db)
{
    g_current = db;
}

std::unique_ptr<TMyDataBase> OpenCurrentDatabase()
{
    TSettings settings = SettingsFile::Read(ProgramPaths::SettingsFile());
    if (!settings.IsValid())
        return nullptr;
    auto db = std::make_unique<TMyDataBase>(QStringLiteral("Server_1"));
    if (settings.Mode == InstallMode::Server)
        db->Open(ConnectionType::Server, settings.Mode, settings.Catalog, settings.EncodedPassword, settings.EncodedUser,
                 settings.Server);
    else
        db->Open(ConnectionType::File, settings.Mode, QString(), QString(), QString(), settings.Path);
    SetCurrentDatabase(db.get());
    return db;
}

TWriteTransaction::TWriteTransaction(TMyDataBase* db)
    : m_db(db)
{
    if (!m_db)
        return;
    m_level = m_db->m_transactionDepth + 1;
    QString begin;
    if (m_level > 1)
        begin = QStringLiteral("SAVEPOINT zorvin_%1").arg(m_level);
    else if (m_db->Engine() == TSqlEngine::SQLite) {
        Q_EMIT m_db->WriteStarting();
        begin = QStringLiteral("BEGIN IMMEDIATE");
    }
    else
        // Concurrent saves wait for the counter row's lock and then read its newest value; a server whose
        // default is a stricter level would refuse them instead.
        begin = QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED");
    m_active = m_db->RunControl(begin);
    if (m_active) {
        m_db->m_transactionDepth = m_level;
        // A failure reported after this point belongs to this transaction, not to an earlier statement.
        m_db->SetStatus(DbStatus::Ok);
    }
}

TWriteTransaction::~TWriteTransaction()
{
    Rollback();
}

bool TWriteTransaction::Commit()
{
    if (!m_active)
        return false;
    if (m_db->m_abortedDepth != 0) {
        Rollback();
        return false;
    }
    QString commit = m_level == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE SAVEPOINT zorvin_%1").arg(m_level);
    if (!m_db->RunControl(commit)) {
        Rollback();
        return false;
    }
    m_active = false;
    m_db->m_transactionDepth = m_level - 1;
    return true;
}

void TWriteTransaction::Rollback()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_level == 1) {
        m_db->RunControl(QStringLiteral("ROLLBACK"));
    } else {
        m_db->RunControl(QStringLiteral("ROLLBACK TO SAVEPOINT zorvin_%1").arg(m_level));
        m_db->RunControl(QStringLiteral("RELEASE SAVEPOINT zorvin_%1").arg(m_level));
    }
    // Rolling back to a savepoint made before the failure makes the transaction usable again.
    if (m_db->m_abortedDepth >= m_level)
        m_db->m_abortedDepth = 0;
    m_db->m_transactionDepth = m_level - 1;
}
