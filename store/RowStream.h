#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class TMyDataBase;

/**
 * \brief The rows of one select statement, read one after the other, each as its values in the result's order.
 *
 * On a database file the rows are read through SQLite's own interface on the connection's handle, typed as the Qt
 * driver types them: integers as qint64, reals as double, texts as QString, blobs as QByteArray and NULL as a null
 * QString. (The driver has the engine convert every text to UTF-16 and then copies it once more, which costs a
 * long list as much again as reading it.) On a server the rows come through a QSqlQuery.
 *
 * A stream holds its statement, and with it a read snapshot of a database file, until it is destroyed or reaches the
 * end of its result: let it go before a write begins or its connection closes (TMyDataBase::WriteStarting, Closing).
 */
class TRowStream
{
public:
    /// Runs \a engineSql, already in the engine's spelling, on \a db and reads up to its first row. nullptr when it
    /// failed, with the engine's message in \a error. \a forwardOnly lets a server stream the result instead of
    /// handing it over whole; the next statement on that connection then cuts it off.
    static std::unique_ptr<TRowStream> Open(TMyDataBase* db, const QString& engineSql, bool forwardOnly,
                                            QString* error = nullptr);

    TRowStream(const TRowStream&) = delete;
    TRowStream& operator=(const TRowStream&) = delete;
    virtual ~TRowStream() = default;

    /// The result's field names, in order.
    const QStringList& FieldNames() const { return m_fields; }
    /// The next row's values into \a values; false at the end of the result or when the engine broke off.
    virtual bool Next(QList<QVariant>& values) = 0;
    /// Whether the engine broke off before the end of the result.
    virtual bool Failed() const = 0;

protected:
    TRowStream() = default;

    QStringList m_fields;
};
