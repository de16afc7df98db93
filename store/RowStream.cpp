#include "store/RowStream.h"

#include "store/DataBase.h"
#include "store/SqlConnection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

class TQueryRowStream final : public TRowStream
{
public:
    explicit TQueryRowStream(std::unique_ptr<QSqlQuery> query)
        : m_query(std::move(query))
    {
        const QSqlRecord record = m_query->record();
        for (int i = 0; i < record.count(); ++i)
            m_fields << record.fieldName(i);
    }

    bool Next(QList<QVariant>& values) override
    {
        if (!m_query->next())
            return false;
        const int columns = static_cast<int>(m_fields.size());
        values.clear();
        values.reserve(columns);
        for (int i = 0; i < columns; ++i)
            values << m_query->value(i);
        return true;
    }

    bool Failed() const override { return m_query->lastError().isValid(); }

private:
    std::unique_ptr<QSqlQuery> m_query;
};

class TSqliteRowStream final : public TRowStream
{
public:
    ~TSqliteRowStream() override { sqlite3_finalize(m_statement); }

    bool Start(sqlite3* db, const QString& sql, QString* error)
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &m_statement, nullptr) != SQLITE_OK
            || !m_statement) {
            if (error)
                *error = QString::fromUtf8(sqlite3_errmsg(db));
            return false;
        }
        const int columns = sqlite3_column_count(m_statement);
        for (int i = 0; i < columns; ++i)
            m_fields << QString::fromUtf8(sqlite3_column_name(m_statement, i));
        m_lastTexts.resize(static_cast<size_t>(columns));
        // As the driver does, the statement runs up to its first row now, so that a failing one fails here.
        m_step = sqlite3_step(m_statement);
        m_stepped = true;
        if (m_step != SQLITE_ROW && m_step != SQLITE_DONE) {
            if (error)
                *error = QString::fromUtf8(sqlite3_errmsg(db));
            return false;
        }
        return true;
    }

    bool Next(QList<QVariant>& values) override
    {
        if (!m_statement)
            return false;
        if (!m_stepped)
            m_step = sqlite3_step(m_statement);
        m_stepped = false;
        if (m_step != SQLITE_ROW) {
            // The end lets the snapshot go at once.
            sqlite3_finalize(m_statement);
            m_statement = nullptr;
            return false;
        }
        const int columns = static_cast<int>(m_fields.size());
        values.clear();
        values.reserve(columns);
        for (int i = 0; i < columns; ++i)
            values << Value(i);
        return true;
    }

    bool Failed() const override { return m_step != SQLITE_ROW && m_step != SQLITE_DONE; }

private:
    QVariant Value(int column) const
    {
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qint64>(sqlite3_column_int64(m_statement, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_statement, column));
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
            return QVariant(QByteArray(data, sqlite3_column_bytes(m_statement, column)));
        }
        case SQLITE_NULL:
            return QVariant(QMetaType::fromType<QString>());
        default:
            return QVariant(Text(column));
        }
    }

    // A text equal to the one above it in its column shares that one's string: lists repeat the same links,
    // names and authors row after row, and each would otherwise be converted and held once more.
    QString Text(int column) const
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        const int bytes = sqlite3_column_bytes(m_statement, column);
        TLastText& last = m_lastTexts[column];
        const std::string_view utf8(text, static_cast<size_t>(bytes));
        if (last.Set && utf8 == last.Utf8)
            return last.Text;
        last.Utf8.assign(utf8);
        last.Text = QString::fromUtf8(text, bytes);
        last.Set = true;
        return last.Text;
    }

    struct TLastText
    {
        std::string Utf8;
        QString Text;
        bool Set = false;
    };

    sqlite3_stmt* m_statement = nullptr;
    mutable std::vector<TLastText> m_lastTexts; // by column
    int m_step = SQLITE_DONE;
    bool m_stepped = false;
};

} // namespace

std::unique_ptr<TRowStream> TRowStream::Open(TMyDataBase* db, const QString& engineSql, bool forwardOnly,
                                             QString* error)
{
    if (!db || !db->IsConnected()) {
        if (error)
            *error = QStringLiteral("not connected");
        return nullptr;
    }
    if (db->Engine() == TSqlEngine::SQLite) {
        if (sqlite3* handle = SqliteHandle(db->Connection())) {
            auto stream = std::make_unique<TSqliteRowStream>();
            if (!stream->Start(handle, engineSql, error))
                return nullptr;
            return stream;
        }
    }
    auto query = std::make_unique<QSqlQuery>(db->Connection());
    // A forward-only server query streams, and the next statement on the connection cuts it off.
    query->setForwardOnly(forwardOnly && db->Engine() == TSqlEngine::SQLite);
    if (!query->exec(engineSql)) {
        if (error)
            *error = query->lastError().databaseText();
        return nullptr;
    }
    return std::make_unique<TQueryRowStream>(std::move(query));
}
