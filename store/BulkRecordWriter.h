#pragma once

#include "store/StoreResult.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSqlQuery;
class TMyDataBase;
struct TObjectRow;

/**
 * \brief Inserts many new rows inside one write transaction that its owner holds open: an import's rows.
 *
 * Each row is written as TDBMainInfo::Save would insert it (the same refusals, stamps and derived columns,
 * the kind's AfterWrite), but through one insert statement prepared once and bound per row, with
 * identifiers taken from the counter in blocks instead of two statements each, and with no savepoint of
 * its own. So a row that fails is not undone alone: the owner rolls the whole transaction back, and the
 * writer refuses every row after it. Before committing, the owner calls Finish(), which gives back the
 * identifiers taken and not used, so that the counter stands where saving row by row would have left it.
 *
 * Use it on the thread of its database, inside a TWriteTransaction, and let it go before the transaction
 * ends (a server cannot drop a prepared statement inside a failed transaction: roll back first).
 */
class TBulkRecordWriter final
{
public:
    explicit TBulkRecordWriter(TMyDataBase* db);
    ~TBulkRecordWriter();
    TBulkRecordWriter(const TBulkRecordWriter&) = delete;
    TBulkRecordWriter& operator=(const TBulkRecordWriter&) = delete;

    /// A new identifier for a row this writer is to insert (two rows that name each other take theirs
    /// first); the null id when the counter cannot be read.
    QString NewId(int kind);
    /// Inserts \a row and gives it the form it was written with. A new row (null or blank id) takes a new
    /// identifier; a row given one by NewId keeps it. Code 0 when written; otherwise the refusal or failure,
    /// after which the transaction is to be rolled back.
    TStoreResult Insert(TObjectRow& row);
    /// Gives back the identifiers taken and not used; false when that failed. Call before committing.
    bool Finish();

private:
    TStoreResult Fail(int code, const QString& text);

    TMyDataBase* m_db;
    std::unique_ptr<QSqlQuery> m_insert;
    /// Identifiers taken from the counter and not handed out yet, in the counter's order.
    QStringList m_ids;
    qsizetype m_next = 0;
    /// The size of the next block taken: small at first, doubling to a limit as rows keep coming.
    int m_block = 8;
    bool m_failed = false;
};
