#include "tools/PgInit.h"

#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/Schema.h"
#include "store/SqlConnection.h"

#include <QMap>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

namespace AdminCommands {

namespace {

constexpr int kFailure = 1;
constexpr int kBadArguments = 2;

struct TPgInitOptions
{
    QString Host;
    int Port = 0;
    QString User;
    QString Password;
    QString Database;
    TNewDatabase NewDatabase;
    bool Create = false;
};

// "--name value" pairs and the two switches; the first problem found is the answer.
QString ReadOptions(const QStringList& args, TPgInitOptions& o)
{
    static const QStringList valued
        = {QStringLiteral("--host"), QStringLiteral("--port"), QStringLiteral("--user"), QStringLiteral("--password"),
            QStringLiteral("--database"), QStringLiteral("--description"), QStringLiteral("--prefix")};
    QMap<QString, QString> values;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--reference")) {
            o.NewDatabase.Reference = true;
        } else if (a == QLatin1String("--create")) {
            o.Create = true;
        } else if (valued.contains(a)) {
            if (i + 1 >= args.size())
                return QStringLiteral("Для параметра %1 не указано значение").arg(a);
            values.insert(a, args.at(++i));
        } else {
            return QStringLiteral("Неизвестный параметр %1").arg(a);
        }
    }
    for (const char* required : {"--host", "--user", "--database"}) {
        if (values.value(QLatin1String(required)).trimmed().isEmpty())
            return QStringLiteral("Укажите %1: pg-init --host СЕРВЕР --user ПОЛЬЗОВАТЕЛЬ --database БАЗА")
                .arg(QLatin1String(required));
    }
    // The host may carry its port as the settings file's server field does.
    TMyDataBase::SplitServerAddress(values.value(QStringLiteral("--host")), &o.Host, &o.Port);
    if (values.contains(QStringLiteral("--port"))) {
        bool ok = false;
        o.Port = values.value(QStringLiteral("--port")).toInt(&ok);
        if (!ok || o.Port < 1 || o.Port > 65535)
            return QStringLiteral("Порт должен быть целым числом от 1 до 65535");
    }
    o.User = values.value(QStringLiteral("--user"));
    o.Password = values.value(QStringLiteral("--password"));
    o.Database = values.value(QStringLiteral("--database"));
    o.NewDatabase.Description = values.value(QStringLiteral("--description"), QStringLiteral("Рабочая база данных"));
    if (values.contains(QStringLiteral("--prefix"))) {
        bool ok = false;
        const qulonglong prefix = values.value(QStringLiteral("--prefix")).toULongLong(&ok);
        if (!ok || prefix <= 2 || prefix > 0xFFFFFFFFULL)
            return QStringLiteral("Префикс должен быть целым числом от 3 до 4294967295");
        o.NewDatabase.Prefix = static_cast<quint32>(prefix);
    } else {
        // Databases made apart from each other get different prefixes, so their identifiers never meet.
        o.NewDatabase.Prefix = QRandomGenerator::system()->bounded(16u, 0x7FFFFFFFu);
    }
    return QString();
}

QString ServerName(const TPgInitOptions& o)
{
    return o.Port > 0 ? o.Host + QLatin1Char(':') + QString::number(o.Port) : o.Host;
}

QString QuotedIdentifier(const QString& name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// Makes the database when it is missing, as the system needs it: UTF-8, letters folded in every alphabet,
// texts ordered by code point.
bool CreateDatabase(const TPgInitOptions& o, QTextStream& out, QTextStream& err)
{
    TSqlConnection admin = TSqlConnection::OpenPostgres(o.Host, o.Port, o.User, o.Password, QStringLiteral("postgres"));
    if (!admin.IsOpen()) {
        err << "Не удалось подключиться к серверу " << ServerName(o) << ": " << admin.ErrorText() << Qt::endl;
        return false;
    }
    QSqlQuery q(admin.Database());
    q.prepare(QStringLiteral("select count(*) from pg_database where datname = ?"));
    q.addBindValue(o.Database);
    if (!q.exec() || !q.next()) {
        err << "Не удалось проверить базу данных " << o.Database << ": " << q.lastError().text() << Qt::endl;
        return false;
    }
    if (q.value(0).toInt() > 0)
        return true;
    q.finish();
    if (!q.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' "
                               "LC_CTYPE 'C.UTF-8'")
                    .arg(QuotedIdentifier(o.Database)))) {
        err << "Не удалось создать базу данных " << o.Database << ": " << q.lastError().text() << Qt::endl;
        return false;
    }
    out << "Создана база данных " << o.Database << " на сервере " << ServerName(o) << Qt::endl;
    return true;
}

// The tables the database already holds, in every schema of its own.
bool ExistingTables(QSqlDatabase db, QStringList& tables, QString& error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select table_schema, table_name from information_schema.tables where table_schema "
                               "not in ('pg_catalog', 'information_schema') order by 1, 2"))) {
        error = q.lastError().text();
        return false;
    }
    while (q.next())
        tables << q.value(0).toString() + QLatin1Char('.') + q.value(1).toString();
    return true;
}

// An existing AllInfo is a Zorvin database when it has the system row; \a description is its name.
bool IsZorvinDatabase(QSqlDatabase db, QString& description)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select Comments from AllInfo where ObjType = %1").arg(Kind::DatabaseIdentity))
        || !q.next())
        return false;
    description = q.value(0).toString();
    return true;
}

} // namespace

int PgInit(const QStringList& args, QTextStream& out, QTextStream& err)
{
    TPgInitOptions o;
    const QString problem = ReadOptions(args, o);
    if (!problem.isEmpty()) {
        err << problem << Qt::endl;
        return kBadArguments;
    }
    if (o.Create && !CreateDatabase(o, out, err))
        return kFailure;

    TSqlConnection connection = TSqlConnection::OpenPostgres(o.Host, o.Port, o.User, o.Password, o.Database);
    if (!connection.IsOpen()) {
        err << "Не удалось подключиться к базе данных " << o.Database << " на сервере " << ServerName(o) << ": "
            << connection.ErrorText() << Qt::endl;
        return kFailure;
    }
    QSqlDatabase db = connection.Database();
    QStringList tables;
    QString error;
    if (!ExistingTables(db, tables, error)) {
        err << "Не удалось прочитать список таблиц базы данных " << o.Database << ": " << error << Qt::endl;
        return kFailure;
    }
    if (tables.size() == 1
        && tables.first().section(QLatin1Char('.'), 1).compare(QLatin1String("allinfo"), Qt::CaseInsensitive) == 0) {
        QString description;
        if (IsZorvinDatabase(db, description)) {
            // A database prepared by an earlier version gets the indexes added since.
            if (!Schema::AddMissingIndexes(db, TSqlEngine::PostgreSQL, &error)) {
                err << "Не удалось создать индексы базы данных " << o.Database << ": " << error << Qt::endl;
                return kFailure;
            }
            if (!Schema::ServerTextRulesReady(db, nullptr)) {
                if (!Schema::MigrateServerTextRules(db, &error)) {
                    err << "Не удалось перевести базу данных " << o.Database << " на русские правила сравнения текста: "
                        << error << Qt::endl;
                    return kFailure;
                }
                out << "База данных " << o.Database << " на сервере " << ServerName(o) << " («" << description
                    << "») переведена на русские правила сравнения текста" << Qt::endl;
                return 0;
            }
            out << "База данных " << o.Database << " на сервере " << ServerName(o) << " уже подготовлена для Zorvin («"
                << description << "»); она оставлена как есть" << Qt::endl;
            return 0;
        }
        err << "В базе данных " << o.Database << " есть таблица AllInfo, но без системной записи Zorvin; "
            << "она оставлена как есть" << Qt::endl;
        return kFailure;
    }
    if (!tables.isEmpty()) {
        err << "База данных " << o.Database << " уже содержит другие таблицы ("
            << tables.mid(0, 5).join(QStringLiteral(", ")) << (tables.size() > 5 ? QStringLiteral(", ...") : QString())
            << "); укажите пустую базу данных" << Qt::endl;
        return kFailure;
    }
    if (!Schema::Create(db, TSqlEngine::PostgreSQL, o.NewDatabase, &error)) {
        err << "Не удалось подготовить базу данных " << o.Database << ": " << error << Qt::endl;
        return kFailure;
    }
    out << "База данных " << o.Database << " на сервере " << ServerName(o) << " подготовлена для Zorvin (префикс "
        << o.NewDatabase.Prefix << (o.NewDatabase.Reference ? ", база констант" : "") << ")" << Qt::endl
        << "Файл настроек: zorvin-admin write-ini SERVER " << ServerName(o) << " " << o.User << " ПАРОЛЬ " << o.Database
        << Qt::endl;
    return 0;
}

} // namespace AdminCommands
