#include "store/CascadeDelete.h"

#include "platform/Messages.h"
#include "store/DataBase.h"
#include "store/KindRegistry.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"

#include <QList>
#include <QSqlQuery>
#include <QStringList>

using namespace Qt::StringLiterals;
using SqlDialect::Quote;

namespace {

// One deletion with everything that depends on it, run statement by statement on one database inside the
// caller's transaction. The first failing statement stops it: the caller then rolls back.
class TCascade final
{
public:
    explicit TCascade(TMyDataBase* db)
        : m_db(db)
    {
    }

    // Stage 1 and stage 2 for one row; families left without partners pass through here as well.
    bool Delete(const TObjectRow& row);
    // The kinds whose lists and sums changed, in the order their deletions completed.
    const QList<int>& Kinds() const { return m_kinds; }

private:
    bool Run(const QString& sql) { return m_db->Execute(sql) == DbStatus::Ok; }
    bool DeleteWhere(int kind, const QString& condition);
    bool DeleteLinked(int kind, const QString& column, const QString& value);
    bool SelectIds(const QString& sql, QStringList& ids);

    bool StageOne(const TObjectRow& row);
    bool StageTwo(const TObjectRow& row);
    bool DeletePerson(const QString& id);
    bool DeleteFamilies(const QStringList& families);
    bool DeleteReverseAttachment(const TObjectRow& attachment);
    bool RecountOperationLinks(const QStringList& operations);
    void Announce(int kind);

    TMyDataBase* m_db;
    QList<int> m_kinds;
};

bool TCascade::DeleteWhere(int kind, const QString& condition)
{
    return Run(u"delete from allInfo where ObjType = "_s + QString::number(kind) + u" and "_s + condition);
}

bool TCascade::DeleteLinked(int kind, const QString& column, const QString& value)
{
    return DeleteWhere(kind, column + u" = "_s + Quote(value));
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
    return true;
}

void TCascade::Announce(int kind)
{
    if (!m_kinds.contains(kind))
        m_kinds.append(kind);
}

bool TCascade::Delete(const TObjectRow& row)
{
    if (!StageOne(row) || !StageTwo(row))
        return false;
    Announce(row.ObjType);
    return true;
}

bool TCascade::DeletePerson(const QString& id)
{
    const QString none = Quote(Ids::None);
    const QString person = Quote(id);
    // The families this deletion leaves without both partners, found before the partner goes.
    QStringList partnerless;
    if (!SelectIds(u"select ObjId from AllInfo where ObjType = 7 and (Link1 = "_s + person + u" or Link2 = "_s + person
                + u") and (Link1 = "_s + person + u" or Link1 = "_s + none + u") and (Link2 = "_s + person
                + u" or Link2 = "_s + none + u") order by ObjId"_s,
            partnerless))
        return false;
    // Families where the person was a partner lose that partner and the partner's name.
    return Run(u"update allInfo set Str1 = \"\", Link1 = "_s + none + u" where ObjType = 7 and Link1 = "_s + person)
        && Run(u"update allInfo set Str2 = \"\", Link2 = "_s + none + u" where ObjType = 7 and Link2 = "_s + person)
        && DeleteLinked(Kind::AdoptiveFamilyLink, u"Link2"_s, id) && DeleteFamilies(partnerless);
}

// Families left without partners go, each with its own cascade. They were collected before the first of
// them is deleted, so that the deletions do not run inside an open query.
bool TCascade::DeleteFamilies(const QStringList& families)
{
    // The family lists change whenever a person goes: partners are blanked, families deleted.
    Announce(Kind::Family);
    for (const QString& id : std::as_const(families)) {
        TObjectRow family;
        family.Obj = id;
        family.ObjType = Kind::Family;
        family.Link1 = Ids::None;
        family.Link2 = Ids::None;
        family.IsBlank = false;
        if (!Delete(family))
            return false;
    }
    return true;
}

bool TCascade::StageOne(const TObjectRow& row)
{
    const QString id = row.Obj;
    const QString none = Quote(Ids::None);
    switch (row.ObjType) {
    case Kind::Person:
        return DeletePerson(id);
    case Kind::Address:
        return DeleteLinked(Kind::Residence, u"Link1"_s, id);
    case Kind::Organization:
        // Its branches become independent and are named by their own name and the former parent's.
        return Run(u"update allInfo set Str5 = Str1 + \" \" + Str2, Link1 = "_s + none
            + u" where ObjType = 6 and Link1 = "_s + Quote(id));
    case Kind::Family:
        return DeleteLinked(Kind::AdoptiveFamilyLink, u"Link1"_s, id);
    case Kind::Note:
        return DeleteLinked(Kind::NoteLink, u"Link1"_s, id);
    case Kind::Role:
        return Run(u"delete from AllInfo where ObjId = "_s + Quote(row.Link5) + u" and ObjType = 20"_s);
    case Kind::Group:
        if (row.Int1 != 9)
            return true;
        // A project: operations booked to it lose the project and its subcategory.
        return Run(u"update AllInfo set Link3 = "_s + none + u", Link4 = "_s + none
                   + u" where ObjType = 24 and Link3 = "_s + Quote(id))
            && DeleteLinked(Kind::Group, u"Link1"_s, id);
    case Kind::Account: {
        const QString operations = u"(select ObjId from AllInfo where ObjType = 24 and Link1 = "_s + Quote(id) + u")"_s;
        // Only an operation that names one of the account's operations back is its paired half.
        const QString pairedHalves = u"(select H.ObjId from AllInfo as H, AllInfo as P where P.ObjType = 24 and "
                                     u"P.Link1 = "_s
            + Quote(id) + u" and H.ObjType = 24 and H.ObjId = P.Link5 and H.Link5 = P.ObjId)"_s;
        // The paired halves sit on other accounts; their operation links go with them.
        if (!DeleteWhere(Kind::OperationLink, u"Link1 in "_s + operations)
            || !DeleteWhere(Kind::OperationLink, u"Link1 in "_s + pairedHalves)
            || !DeleteWhere(Kind::MoneyOperation, u"ObjId in "_s + pairedHalves)
            || !DeleteLinked(Kind::MoneyOperation, u"Link1"_s, id))
            return false;
        // Accounts that held a paired half have a new balance.
        Announce(Kind::MoneyOperation);
        return true;
    }
    case Kind::MoneyOperation:
        if (!DeleteLinked(Kind::OperationLink, u"Link1"_s, id))
            return false;
        if (IsEmptyId(row.Link5))
            return true;
        {
            // The paired half is an operation that names this one back; a damaged Link5 deletes nothing else.
            const QString half = u"ObjId = "_s + Quote(row.Link5) + u" and ObjType = 24 and Link5 = "_s + Quote(id);
            return DeleteWhere(Kind::OperationLink, u"Link1 in (select ObjId from AllInfo where "_s + half + u")"_s)
                && Run(u"delete from allInfo where "_s + half);
        }
    default:
        return true;
    }
}

// An attachment from an object to a note may have its mirror from the note to the object.
bool TCascade::DeleteReverseAttachment(const TObjectRow& attachment)
{
    auto q = m_db->CreateQuery(u"select * from AllInfo where ObjId = "_s + Quote(attachment.Link2));
    if (!q)
        return false;
    if (!q->next() || q->value(u"ObjType"_s).toInt() != Kind::Note)
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
        if (!Run(u"update AllInfo set Int3 = (select count(*) from AllInfo as L where L.ObjType = 82 and L.Link1 = "_s
                + Quote(operation) + u") where ObjType = 24 and ObjId = "_s + Quote(operation)))
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
    if ((kind == Kind::Organization || kind == Kind::Event) && !DeleteLinked(Kind::Group, u"Link1"_s, id))
        return false;
    for (int n = 1; n <= 5; ++n) {
        const QString column = u"Link"_s + QString::number(n);
        if (!Run(u"update allInfo set "_s + column + u" = "_s + Quote(Ids::None) + u" where "_s + column + u" = "_s
                + Quote(id)))
            return false;
    }
    return Run(u"delete from allInfo where ObjId = "_s + Quote(id)) && RecountOperationLinks(operations);
}

} // namespace

namespace CascadeDelete {

int Delete(const TDBMainInfo& object)
{
    TMyDataBase* db = object.Database() ? object.Database() : CurrentDatabase();
    // The fixed rows every database needs (the placeholder the none id names, the system row, the identity
    // row) are never deleted.
    if (IsEmptyId(object.Obj)
        || StoreKinds::IsFixedRow(object.ObjType, object.Obj, db ? db->IdentityRowId() : QString()))
        return Result::NotDeletable;
    if (!db) {
        Messages().ShowMessage(DbStatus::Text(DbStatus::ConnectFailed));
        return Result::NoDatabase;
    }
    if (db->WriteMode() == 0) {
        Messages().ShowMessage(u"Попытка записи в базу констант!"_s);
        return Result::ReferenceDatabase;
    }
    if (!db->IsWritable()) {
        Messages().ShowMessage(u"Нет разрешения на данную операцию!"_s);
        return Result::NotPermitted;
    }
    if (!db->IsConnected()) {
        Messages().ShowMessage(DbStatus::Text(DbStatus::ConnectFailed));
        return Result::NotConnected;
    }

    TCascade cascade(db);
    bool deleted = false;
    {
        TWriteTransaction transaction(db);
        deleted = transaction.IsActive() && cascade.Delete(object) && transaction.Commit();
    }
    if (!deleted) {
        Messages().ShowMessage(DbStatus::Text(DbStatus::QueryFailed));
        return Result::Failed;
    }
    for (int kind : cascade.Kinds())
        AnnounceObjectSaved(kind);
    return Result::Deleted;
}

bool DeleteObject(const TDBMainInfo& object)
{
    return Delete(object) == Result::Deleted;
}

} // namespace CascadeDelete
