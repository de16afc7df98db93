#include "bench/RawSqlite.h"

#include "store/TextCollation.h"

#include <sqlite3.h>

namespace {
// Keeps what was read observable, so that no read is left out.
volatile quint64 g_sink = 0;
} // namespace

TRawSqlite::TRawSqlite(const QString& path)
{
    TextCollation::RegisterSqliteTextRules();
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    sqlite3_busy_timeout(m_db, 5000);
    // As the store's own connections are set up.
    Exec(QStringLiteral("PRAGMA synchronous=FULL"));
    Exec(QStringLiteral("PRAGMA cache_size=-32768"));
}

TRawSqlite::~TRawSqlite()
{
    sqlite3_close(m_db);
}

qint64 TRawSqlite::Read(const QString& sql, qint64 limit)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &statement, nullptr) != SQLITE_OK)
        return -1;
    qint64 rows = 0;
    quint64 sum = 0;
    const int columns = sqlite3_column_count(statement);
    while ((limit < 0 || rows < limit) && sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                sum += static_cast<quint64>(sqlite3_column_int64(statement, c));
                break;
            case SQLITE_FLOAT:
                sum += static_cast<quint64>(sqlite3_column_double(statement, c));
                break;
            case SQLITE_TEXT:
                sum += reinterpret_cast<quintptr>(sqlite3_column_text(statement, c))
                    + sqlite3_column_bytes(statement, c);
                break;
            case SQLITE_BLOB:
                sum += reinterpret_cast<quintptr>(sqlite3_column_blob(statement, c))
                    + sqlite3_column_bytes(statement, c);
                break;
            default:
                break;
            }
        }
    }
    sqlite3_finalize(statement);
    g_sink = g_sink + sum;
    return rows;
}

bool TRawSqlite::Exec(const QString& sql)
{
    return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool TRawSqlite::Run(const QString& sql, const QStringList& texts)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &statement, nullptr) != SQLITE_OK)
        return false;
    QList<QByteArray> values;
    for (const QString& t : texts)
        values << t.toUtf8();
    for (int i = 0; i < values.size(); ++i)
        sqlite3_bind_text(
            statement, i + 1, values.at(i).constData(), static_cast<int>(values.at(i).size()), SQLITE_STATIC);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

qint64 TRawSqlite::Number(const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &statement, nullptr) != SQLITE_OK)
        return 0;
    const qint64 value = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_finalize(statement);
    return value;
}
