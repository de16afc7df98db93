#include "tests/support/TempDatabase.h"

#include "platform/ProgramPaths.h"
#include "store/SettingsFile.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

TTempDatabase::TTempDatabase(const TNewDatabase& options)
    : m_previous(CurrentDatabase())
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Data"));
    m_path = QDir(m_dir.path()).filePath(QStringLiteral("Data/WBD.zdb"));
    QString error;
    if (!Schema::CreateDatabaseFile(m_path, options, &error)) {
        qWarning("cannot create the test database: %s", qPrintable(error));
        return;
    }
    m_db = std::make_unique<TMyDataBase>(QStringLiteral("Server_1"));
    m_db->Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), m_path);
    SetCurrentDatabase(m_db.get());
}

TTempDatabase::~TTempDatabase()
{
    SetCurrentDatabase(m_previous);
}

TNewDatabase TTempDatabase::DefaultOptions()
{
    TNewDatabase options;
    options.Description = QStringLiteral("Тестовая база");
    options.Prefix = 0x1A;
    return options;
}

bool TTempDatabase::Run(const QString& sqliteSql) const
{
    TSqlConnection connection = TSqlConnection::OpenSqliteFile(m_path, TSqlConnection::ExistingFile);
    QSqlQuery q(connection.Database());
    return connection.IsOpen() && q.exec(sqliteSql);
}

QVariant TTempDatabase::Scalar(const QString& sqliteSql) const
{
    TSqlConnection connection = TSqlConnection::OpenSqliteFile(m_path, TSqlConnection::ExistingFile);
    QVariant value;
    {
        QSqlQuery q(connection.Database());
        if (q.exec(sqliteSql) && q.next())
            value = q.value(0);
    }
    return value;
}

QString TTempDatabase::Dump() const
{
    TSqlConnection connection = TSqlConnection::OpenSqliteFile(m_path, TSqlConnection::ExistingFile);
    QStringList lines;
    {
        QSqlQuery q(connection.Database());
        q.exec(QStringLiteral("select * from AllInfo order by ObjId"));
        while (q.next()) {
            QSqlRecord r = q.record();
            QStringList cells;
            for (int i = 0; i < r.count(); ++i)
                cells << (r.isNull(i) ? QStringLiteral("NULL") : r.value(i).toString());
            lines << cells.join(QLatin1Char('|'));
        }
    }
    return lines.join(QLatin1Char('\n'));
}
