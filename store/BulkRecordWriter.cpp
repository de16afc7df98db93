#include "store/BulkRecordWriter.h"

#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/KindRegistry.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QSqlQuery>

namespace {
// The largest block of identifiers taken at once: what an interrupted import can leave unused is small.
constexpr int LargestBlock = 1024;
} // namespace

TBulkRecordWriter::TBulkRecordWriter(TMyDataBase* db)
    : m_db(db)
{
}

TBulkRecordWriter::~TBulkRecordWriter() = default;

TStoreResult TBulkRecordWriter::Fail(int code, const QString& text)
{
    m_failed = true;
    if (!text.isEmpty() || code != SaveResult::Failed)
        return {code, text};
    // A server says why it refused (a rule of its own, a lost connection): its words are the message.
    const QString reason = m_db && m_db->ConnectionKind() == ConnectionType::Server ? m_db->ErrorText() : QString();
    return {code, reason.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : reason};
}

QString TBulkRecordWriter::NewId(int kind)
{
    if (!m_db)
        return Ids::Null;
    // The database list's entries have a counter of their own.
    if (kind == Kind::DatabaseEntry)
        return m_db->NewId(kind);
    if (m_next >= m_ids.size()) {
        m_ids = m_db->NewIds(m_block);
        m_next = 0;
        if (m_ids.isEmpty())
            return Ids::Null;
        m_block = std::min(m_block * 2, LargestBlock);
    }
    return m_ids.at(m_next++);
}

TStoreResult TBulkRecordWriter::Insert(TObjectRow& row)
{
    if (m_failed)
        return {SaveResult::Failed, DbStatus::Text(DbStatus::QueryFailed)};
    if (row.ObjType < 0)
        return Fail(SaveResult::BadKind, QString());
    if (Kind::IsDialogKind(row.ObjType))
        return {SaveResult::Done, QString()};
    if (const std::optional<TStoreResult> refusal = RecordWrite::Refusal(m_db, row.ObjType, row.Obj))
        return Fail(refusal->Code, refusal->Text);
    if (!m_db->InWriteTransaction())
        return Fail(SaveResult::Failed, QString());

    // The row is prepared on a copy, so that a failed insert leaves the caller's row as it was.
    TObjectRow written = row;
    RecordWrite::Stamp(written, true);
    if (IsNewId(written.Obj)) {
        written.Obj = NewId(written.ObjType);
        if (IsNewId(written.Obj))
            return Fail(SaveResult::Failed, QString());
    }
    if (!m_insert) {
        m_insert = m_db->CreateCommand();
        if (!m_insert)
            return Fail(SaveResult::NotConnected, DbStatus::Text(DbStatus::ConnectFailed));
        if (!m_insert->prepare(RecordWrite::InsertStatement(m_db->Engine()))) {
            m_insert.reset();
            return Fail(SaveResult::Failed, QString());
        }
    }
    RecordWrite::BindInsert(*m_insert, written);
    if (m_db->ExecuteCommand(*m_insert) != DbStatus::Ok || m_insert->numRowsAffected() != 1)
        return Fail(SaveResult::Failed, QString());
    // The rows that follow from this one are rewritten in the same transaction.
    const TStoreKind* kind = StoreKinds::Find(written.ObjType);
    if (kind && kind->AfterWrite) {
        QString refusal;
        if (!kind->AfterWrite(*m_db, written, nullptr, refusal))
            return Fail(SaveResult::Failed, refusal);
    }
    written.IsBlank = false;
    row = written;
    return {SaveResult::Done, QString()};
}

bool TBulkRecordWriter::Finish()
{
    m_insert.reset();
    if (!m_db || m_next >= m_ids.size())
        return true;
    const int unused = static_cast<int>(m_ids.size() - m_next);
    if (!m_db->ReturnIds(m_ids.last(), unused))
        return false;
    m_ids.clear();
    m_next = 0;
    return true;
}
