#include "store/CascadeDelete.h"

#include "store/CascadeSteps.h"
#include "store/DataBase.h"
#include "store/KindRegistry.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/StoreKinds.h"

#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

using namespace Qt::StringLiterals;
using SqlDialect::Quote;

namespace {

// One deletion with everything that depends on it, run statement by statement on one database inside the
// caller's transaction. The first failing statement stops it: the caller then rolls back.
class TCascade final : public TCascadeSteps
{
public:
    explicit TCascade(TMyDataBase* db)
        : m_db(db)
    {
    }

    // The kind's first stage and the common stage for one row; families left without partners pass
    // through here as well.
    bool Delete(const TObjectRow& row) override;
    // The kinds whose lists and sums changed, in the order their deletions completed.
    const QList<int>& Kinds() const { return m_kinds; }
    // Every id the deletion removed, in the order they went.
    const QStringList& Deleted() const { return m_deleted; }

    bool Run(const QString& sql) override { return m_db->Execute(sql) == DbStatus::Ok; }
    bool DeleteRows(const QString& where) override;
    using TCascadeSteps::DeleteLinked;
    using TCascadeSteps::DeleteWhere;
    bool SelectIds(const QString& sql, QStringList& ids) override;
    void Announce(int kind) override;

private:
    bool StageTwo(const TObjectRow& row);
    bool DeleteReverseAttachment(const TObjectRow& attachment);
    bool RecountOperationLinks(const QStringList& operations);

    TMyDataBase* m_db;
    QList<int> m_kinds;
    QStringList m_deleted;
};

bool TCascade::DeleteRows(const QString& where)
{
    QStringList ids;
    if (!SelectIds(u"select ObjId from AllInfo where "_s + where, ids) || !Run(u"delete from allInfo where "_s + where))
        return false;
    for (const QString& id : std::as_const(ids)) {
        if (!m_deleted.contains(id, Qt::CaseInsensitive))
            m_deleted.append(id);
    }
    return true;
}

// The first column of every row of a select.
bool TCascade::SelectIds(const QString& sql, QStringList& ids)
{
    ids.clear();
    auto q = m_db->CreateQuery(sql);
    if (!q)
        return false;
    while (q->next())
        ids.append(q->value(0).toString());
    // A read that fails halfway is not the end of the rows: the deletion is rolled back instead.
    return !q->lastError().isValid();
}

void TCascade::Announce(int kind)
{
    if (!m_kinds.contains(kind))
        m_kinds.append(kind);
}

bool TCascade::Delete(const TObjectRow& row)
{
    const TStoreKind* kind = StoreKinds::Find(row.ObjType);
    if ((kind && kind->DeleteFirst && !kind->DeleteFirst(*this, row)) || !StageTwo(row))
        return false;
    Announce(row.ObjType);
    return true;
}

// An attachment from an object to a note may have its mirror from the note to the object.
bool TCascade::DeleteReverseAttachment(const TObjectRow& attachment)
{
    auto q = m_db->CreateQuery(u"select * from AllInfo where ObjId = "_s + Quote(attachment.Link2));
    if (!q)
        return false;
    if (!q->next())
        return !q->lastError().isValid();
    if (q->value(u"ObjType"_s).toInt() != Kind::Note)
        return true;
    const QString note = q->value(u"ObjId"_s).toString();
    q.reset();
    return DeleteWhere(Kind::NoteLink, u"Link1 = "_s + Quote(note) + u" and Link2 = "_s + Quote(attachment.Link1));
}

// An operation keeps the number of its operation links in Int3; the lists decide by it whether a row is
// the operation itself or one of its links.
bool TCascade::RecountOperationLinks(const QStringList& operations)
{
    for (const QString& operation : operations) {
        if (!Run(StoreKinds::OperationLinkRecount(operation)))
            return false;
    }
    return true;
}

bool TCascade::StageTwo(const TObjectRow& row)
{
    const QString id = row.Obj;
    const int kind = row.ObjType;
    QStringList operations;
    if (!SelectIds(u"select distinct Link1 from AllInfo where ObjType = 82 and (Link2 = "_s + Quote(id)
                + u" or ObjId = "_s + Quote(id) + u")"_s,
            operations))
        return false;

    if (!DeleteLinked(Kind::NoteLink, u"Link2"_s, id) || !DeleteLinked(Kind::OperationLink, u"Link2"_s, id))
        return false;
    if ((kind == Kind::Person || kind == Kind::Organization)
        && (!DeleteLinked(Kind::Residence, u"Link2"_s, id) || !DeleteLinked(Kind::InternetContact, u"Link1"_s, id)))
        return false;
    if (kind == Kind::NoteLink && !DeleteReverseAttachment(row))
        return false;
    if ((kind == Kind::Person || kind == Kind::Address || kind == Kind::Organization)
        && !DeleteLinked(Kind::Phone, u"Link1"_s, id))
        return false;
    if ((kind == Kind::Person || kind == Kind::Organization || kind == Kind::Event)
        && (!DeleteWhere(Kind::Role,
                u"ObjId in (select Link5 from allInfo where ObjType = 20 and Link1 = "_s + Quote(id) + u")"_s)
            || !DeleteLinked(Kind::Role, u"Link1"_s, id)))
        return false;
    // The groups kept for it go with their own cascade: role rows and notes filed under them lose the group.
    if ((kind == Kind::Organization || kind == Kind::Event)
        && !DeleteEach(Kind::Group, u"Link1 = "_s + Quote(id)))
        return false;
    for (int n = 1; n <= 5; ++n) {
        const QString column = u"Link"_s + QString::number(n);
        if (!Run(u"update allInfo set "_s + column + u" = "_s + Quote(Ids::None) + u" where "_s + column + u" = "_s
                + Quote(id)))
            return false;
    }
    return DeleteRows(u"ObjId = "_s + Quote(id)) && RecountOperationLinks(operations);
}

} // namespace

bool TCascadeSteps::DeleteEach(int kind, const QString& condition)
{
    QStringList ids;
    if (!SelectIds(u"select ObjId from AllInfo where ObjType = "_s + QString::number(kind) + u" and "_s + condition
                + u" order by ObjId"_s,
            ids))
        return false;
    for (const QString& id : std::as_const(ids)) {
        TObjectRow row;
        row.Obj = id;
        row.ObjType = kind;
        row.IsBlank = false;
        if (!Delete(row))
            return false;
    }
    return true;
}

namespace CascadeDelete {

TStoreResult Delete(const TDBMainInfo& object, QStringList* deleted)
{
    if (deleted)
        deleted->clear();
    TMyDataBase* db = object.Database() ? object.Database() : CurrentDatabase();
    // The fixed rows every database needs (the placeholder the none id names, the system row, the identity
    // row) are never deleted.
    if (IsEmptyId(object.Obj)
        || StoreKinds::IsFixedRow(object.ObjType, object.Obj, db ? db->IdentityRowId() : QString()))
        return {Result::NotDeletable, QString()};
    if (!db)
        return {Result::NoDatabase, DbStatus::Text(DbStatus::ConnectFailed)};
    if (db->WriteMode() == 0)
        return {Result::ReferenceDatabase, u"Попытка записи в базу констант!"_s};
    if (!db->IsWritable())
        return {Result::NotPermitted, u"Нет разрешения на данную операцию!"_s};
    if (!db->IsConnected())
        return {Result::NotConnected, DbStatus::Text(DbStatus::ConnectFailed)};

    TCascade cascade(db);
    bool committed = false;
    {
        TWriteTransaction transaction(db);
        committed = transaction.IsActive() && cascade.Delete(object) && transaction.Commit();
    }
    if (!committed)
        return {Result::Failed, DbStatus::Text(DbStatus::QueryFailed)};
    if (deleted)
        *deleted = cascade.Deleted();
    for (int kind : cascade.Kinds())
        AnnounceObjectSaved(kind);
    return {Result::Deleted, QString()};
}

bool DeleteObject(const TDBMainInfo& object, QStringList* deleted)
{
    return Delete(object, deleted) == Result::Deleted;
}

} // namespace CascadeDelete
