#include "store/kinds/StoreKinds.h"

#include "store/CascadeSteps.h"
#include "store/DataBase.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/OrganizationView.h"

#include <QSqlQuery>
#include "store/kinds/PersonView.h"

using namespace Qt::StringLiterals;
using SqlDialect::Quote;

namespace {

// Link columns 1..last that are blank or the null id name nobody: they store the none id.
void NoneForEmptyLinks(TObjectRow& row, int last)
{
    for (int i = 1; i <= last; ++i) {
        if (row.Link(i).IsBlank() || IsNewId(row.Link(i)))
            row.Link(i) = Ids::None;
    }
}

// The families the deletion of \a person leaves without both partners go with their own cascade; in the
// others the person's place and name are blanked, and the person's adoptions go.
bool DeletePerson(TCascadeSteps& cascade, const TObjectRow& row)
{
    const QString none = Quote(Ids::None);
    const QString person = Quote(row.Obj);
    // Found before the partner goes, and all of them before the first is deleted, so that the deletions do
    // not run inside an open query.
    QStringList partnerless;
    if (!cascade.SelectIds(u"select ObjId from AllInfo where ObjType = 7 and (Link1 = "_s + person + u" or Link2 = "_s
                + person + u") and (Link1 = "_s + person + u" or Link1 = "_s + none + u") and (Link2 = "_s + person
                + u" or Link2 = "_s + none + u") order by ObjId"_s,
            partnerless))
        return false;
    if (!cascade.Run(
            u"update allInfo set Str1 = \"\", Link1 = "_s + none + u" where ObjType = 7 and Link1 = "_s + person)
        || !cascade.Run(
            u"update allInfo set Str2 = \"\", Link2 = "_s + none + u" where ObjType = 7 and Link2 = "_s + person)
        || !cascade.DeleteLinked(Kind::AdoptiveFamilyLink, u"Link2"_s, row.Obj))
        return false;
    // The family lists change whenever a person goes: partners are blanked, families deleted.
    cascade.Announce(Kind::Family);
    for (const QString& id : std::as_const(partnerless)) {
        TObjectRow family;
        family.Obj = id;
        family.ObjType = Kind::Family;
        family.Link1 = Ids::None;
        family.Link2 = Ids::None;
        family.IsBlank = false;
        if (!cascade.Delete(family))
            return false;
    }
    return true;
}

// Its branches become independent and are named by their own name and the former parent's.
bool DeleteOrganization(TCascadeSteps& cascade, const TObjectRow& row)
{
    return cascade.Run(u"update allInfo set Str5 = Str1 + \" \" + Str2, Link1 = "_s + Quote(Ids::None)
        + u" where ObjType = 6 and Link1 = "_s + Quote(row.Obj));
}

// A branch's display name begins with its parent's, so the branches of an organization are renamed with it, in
// the save's own transaction. The hierarchy has two levels, whoever saves: a parent link is made only under an
// organization that is no branch itself, and only for an organization without branches. A link stored
// before is kept as it is.
bool OrganizationWritten(TMyDataBase& db, const TObjectRow& row, const TObjectRow* stored, QString& refusal)
{
    const TConstOrganizationView firm(row);
    const TGID parent = firm.Parent();
    if (!IsEmptyId(parent) && (!stored || !SameId(stored->Link1, parent))) {
        // The parent is a branch when it names an organization as its own parent.
        const auto query = db.CreateQuery(u"select count(*) from AllInfo as P, AllInfo as G where P.ObjId = "_s
            + Quote(parent) + u" and P.ObjType = 6 and G.ObjId = P.Link1 and G.ObjType = 6"_s);
        if (!query)
            return false;
        const bool parentIsBranch = query->next() && query->value(0).toInt() > 0;
        if (parentIsBranch || HasBranches(row.Obj, &db)) {
            refusal = OrganizationTexts::BranchOfBranch;
            return false;
        }
    }
    return db.Execute(u"update ALLINFO set Str5 = "_s + Quote(firm.DisplayName() + u", "_s)
               + u" + Str1 where ObjType = 6 and Link1 = "_s + Quote(row.Obj))
        == DbStatus::Ok;
}

// The lists tell an operation's own rows from those listed through a link by its count of links: the count
// follows every link written, for the operation it names now and the one it named before.
bool OperationLinkWritten(TMyDataBase& db, const TObjectRow& row, const TObjectRow* stored, QString&)
{
    if (!IsEmptyId(row.Link1) && db.Execute(StoreKinds::OperationLinkRecount(row.Link1)) != DbStatus::Ok)
        return false;
    return !stored || IsEmptyId(stored->Link1) || SameId(stored->Link1, row.Link1)
        || db.Execute(StoreKinds::OperationLinkRecount(stored->Link1)) == DbStatus::Ok;
}

// The opposite side of a role pair.
bool DeleteRole(TCascadeSteps& cascade, const TObjectRow& row)
{
    return cascade.DeleteRows(u"ObjId = "_s + Quote(row.Link5) + u" and ObjType = 20"_s);
}

// A project: operations booked to it lose the project and their subcategory; the groups kept for it go.
// A category: operations booked to it lose the category and its subcategory; its subcategories go. The
// groups that go take their own cascade with them, so that no role, note or operation keeps their ids.
bool DeleteGroup(TCascadeSteps& cascade, const TObjectRow& row)
{
    const qint64 type = GroupView(row).GroupKind();
    if (type != GroupType::Project && type != GroupType::IncomeCategory && type != GroupType::ExpenseCategory)
        return true;
    const QString none = Quote(Ids::None);
    return cascade.Run(u"update AllInfo set Link3 = "_s + none + u", Link4 = "_s + none
               + u" where ObjType = 24 and Link3 = "_s + Quote(row.Obj))
        && cascade.DeleteEach(Kind::Group, u"Link1 = "_s + Quote(row.Obj));
}

// The account's operations with their links, and the paired halves that sit on other accounts.
bool DeleteAccount(TCascadeSteps& cascade, const TObjectRow& row)
{
    const QString id = Quote(row.Obj);
    const QString operations = u"(select ObjId from AllInfo where ObjType = 24 and Link1 = "_s + id + u")"_s;
    // Only an operation that names one of the account's operations back is its paired half.
    const QString pairedHalves
        = u"(select H.ObjId from AllInfo as H, AllInfo as P where P.ObjType = 24 and P.Link1 = "_s + id
        + u" and H.ObjType = 24 and H.ObjId = P.Link5 and H.Link5 = P.ObjId)"_s;
    if (!cascade.DeleteWhere(Kind::OperationLink, u"Link1 in "_s + operations)
        || !cascade.DeleteWhere(Kind::OperationLink, u"Link1 in "_s + pairedHalves)
        || !cascade.DeleteWhere(Kind::MoneyOperation, u"ObjId in "_s + pairedHalves)
        || !cascade.DeleteLinked(Kind::MoneyOperation, u"Link1"_s, row.Obj))
        return false;
    // Accounts that held a paired half have a new balance.
    cascade.Announce(Kind::MoneyOperation);
    return true;
}

// Its object links, and its paired half: an operation that names this one back. A damaged Link5 deletes
// nothing else.
bool DeleteOperation(TCascadeSteps& cascade, const TObjectRow& row)
{
    if (!cascade.DeleteLinked(Kind::OperationLink, u"Link1"_s, row.Obj))
        return false;
    if (IsEmptyId(row.Link5))
        return true;
    const QString half = u"ObjId = "_s + Quote(row.Link5) + u" and ObjType = 24 and Link5 = "_s + Quote(row.Obj);
    return cascade.DeleteWhere(Kind::OperationLink, u"Link1 in (select ObjId from AllInfo where "_s + half + u")"_s)
        && cascade.DeleteRows(half);
}

// The rows of \a kind whose \a column names the deleted object.
auto DeleteNaming(int kind, const QString& column)
{
    return [kind, column](
               TCascadeSteps& cascade, const TObjectRow& row) { return cascade.DeleteLinked(kind, column, row.Obj); };
}

TStoreKind Person()
{
    TStoreKind kind;
    kind.Code = Kind::Person;
    kind.Derive = [](TObjectRow& row) {
        NoneForEmptyLinks(row, 3);
        const TPersonView person(row);
        person.SetDisplayName(PersonDisplayName(person.Surname(), person.FirstName(), person.Patronymic()));
    };
    kind.DeleteFirst = DeletePerson;
    return kind;
}

TStoreKind Family()
{
    TStoreKind kind;
    kind.Code = Kind::Family;
    kind.Derive = [](TObjectRow& row) {
        for (int i = 1; i <= 2; ++i) {
            if (row.Link(i).Text().isEmpty())
                row.Link(i) = Ids::None;
        }
    };
    // Adoptions into the family.
    kind.DeleteFirst = DeleteNaming(Kind::AdoptiveFamilyLink, u"Link1"_s);
    return kind;
}

// Every event names its project, host and address, the none id for nobody, so that the lists joining its
// project find it; it is shown by its start and name.
TStoreKind Event()
{
    TStoreKind kind;
    kind.Code = Kind::Event;
    kind.Derive = [](TObjectRow& row) {
        NoneForEmptyLinks(row, 4);
        const TEventView event(row);
        event.SetDisplayName(EventDisplayName(event.Start(), event.Name()));
    };
    return kind;
}

TStoreKind Plain(int code, bool fixed = false)
{
    TStoreKind kind;
    kind.Code = code;
    kind.Fixed = fixed;
    return kind;
}

TStoreKind Cascading(int code, std::function<bool(TCascadeSteps&, const TObjectRow&)> deleteFirst)
{
    TStoreKind kind = Plain(code);
    kind.DeleteFirst = std::move(deleteFirst);
    return kind;
}

// Groups, categories, projects and meeting kinds are shown by their name, whoever saves them.
void NameIsDisplayName(TObjectRow& row)
{
    GroupView(row).SetDisplayName(GroupView(row).Name());
}

TStoreKind Group()
{
    TStoreKind kind = Cascading(Kind::Group, DeleteGroup);
    kind.Derive = NameIsDisplayName;
    return kind;
}

TStoreKind Organization()
{
    TStoreKind kind = Cascading(Kind::Organization, DeleteOrganization);
    // An independent organization names nobody as its parent; one saved without a display name is shown by
    // its form of ownership and name. A branch's name follows its parent's, which its editor reads.
    kind.Derive = [](TObjectRow& row) {
        NoneForEmptyLinks(row, 1);
        const TOrganizationView firm(row);
        if (IsEmptyId(firm.Parent()) && firm.DisplayName().trimmed().isEmpty())
            firm.SetDisplayName(OrganizationDisplayName(QString(), firm.FormOrParent(), firm.Name()));
    };
    kind.AfterWrite = OrganizationWritten;
    return kind;
}

TStoreKind OperationLink()
{
    TStoreKind kind = Plain(Kind::OperationLink);
    kind.AfterWrite = OperationLinkWritten;
    return kind;
}

TStoreKind MeetingKind()
{
    TStoreKind kind = Plain(Kind::MeetingKind);
    kind.Derive = NameIsDisplayName;
    return kind;
}

} // namespace

namespace StoreKinds {

QString OperationLinkRecount(const QString& operation)
{
    const QString id = Quote(operation);
    return u"update AllInfo set Int3 = (select count(*) from AllInfo as L where L.ObjType = "_s
        + QString::number(Kind::OperationLink) + u" and L.Link1 = "_s + id + u") where AllInfo.ObjType = "_s
        + QString::number(Kind::MoneyOperation) + u" and AllInfo.ObjId = "_s + id;
}

QList<TStoreKind> BuiltIn()
{
    return {
        Person(),
        Cascading(Kind::Address, DeleteNaming(Kind::Residence, u"Link1"_s)), // residences at the address
        Plain(Kind::Phone),
        Plain(Kind::InternetContact),
        Organization(),
        Family(),
        Event(),
        Cascading(Kind::Note, DeleteNaming(Kind::NoteLink, u"Link1"_s)), // the note's attachments
        Cascading(Kind::Role, DeleteRole),
        Group(),
        Cascading(Kind::Account, DeleteAccount),
        Cascading(Kind::MoneyOperation, DeleteOperation),
        Plain(Kind::Placeholder, true),
        MeetingKind(),
        Plain(Kind::ObjectLink),
        Plain(Kind::NoteLink),
        Plain(Kind::Residence),
        Plain(Kind::AdoptiveFamilyLink),
        OperationLink(),
        Plain(Kind::DatabaseIdentity, true),
        Plain(Kind::DatabaseEntry),
        Plain(Kind::IdentityRow, true),
    };
}

} // namespace StoreKinds
