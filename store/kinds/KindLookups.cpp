#include "store/kinds/KindLookups.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/GroupView.h"

#include <array>

using namespace Qt::StringLiterals;
using SqlDialect::Quote;

namespace {

QString Number(qint64 n)
{
    return QString::number(n);
}

QString SelectDistinct(const QString& column)
{
    return u"select distinct "_s + column;
}

// People: the names of everybody, of men (mode 1) or of women (mode 2).
QString PersonNames(const TDistinctRequest& q)
{
    QString sql = SelectDistinct(q.Column) + u" from allInfo where ObjType = 1"_s;
    if (q.Mode == 1)
        sql += u" and Flag = False"_s;
    else if (q.Mode == 2)
        sql += u" and Flag = True"_s;
    return sql;
}

// The parts of addresses, each list narrowed by the part chosen before it. The column carries a key
// instead: the postal index (mode 5: the city, mode 6: the country).
QString AddressParts(const TDistinctRequest& q)
{
    const QString& key = q.Column;
    const QString& value = q.Value;
    const QString cond = key.isEmpty() ? QString() : u" and Link5 = "_s + Quote(key);
    auto narrowed = [&](const QString& listed, const QString& by) -> QString {
        return u"select distinct "_s + listed + u" from allInfo where ObjType = 3 and "_s + by + u" = "_s + Quote(value)
            + cond + u" order by "_s + listed;
    };
    switch (q.Mode) {
    case 0:
        return u"select distinct Str1 from allInfo where ObjType = 3"_s + cond + u" order by Str1"_s;
    case 1:
        return narrowed(u"Str2"_s, u"Str1"_s);
    case 2:
        return narrowed(u"Str3"_s, u"Str2"_s);
    case 3:
        return narrowed(u"Str4"_s, u"Str3"_s);
    case 4:
        return narrowed(u"Str5"_s, u"Str4"_s);
    case 5:
        return u"select distinct Link4 from allInfo where ObjType = 3 and Str4 = "_s + Quote(key) + u" and Str5 = "_s
            + Quote(value) + u" order by Link4"_s;
    case 6:
        return u"select distinct Link5 from allInfo where ObjType = 3 and Str1 = "_s + Quote(key) + u" and Str4 = "_s
            + Quote(value) + u" order by Link5"_s;
    case 7:
        return narrowed(u"Str4"_s, u"Str2"_s);
    case 8:
        return u"select distinct Str4 from allInfo where ObjType = 3"_s + cond + u" order by Str4"_s;
    default:
        return QString();
    }
}

// Phones of organizations: the role names people hold in organizations.
QString PhoneRoles(const TDistinctRequest& q)
{
    return SelectDistinct(q.Column) + u" from allInfo where ObjType = 20 and Int1 = 1 and Int2 = 6"_s;
}

// Internet contacts of one type (the mode).
QString InternetValues(const TDistinctRequest& q)
{
    return SelectDistinct(q.Column) + u" from allInfo where ObjType = 5 and Int1 = "_s + Number(q.Mode);
}

// Events, all or those of one project.
QString EventValues(const TDistinctRequest& q)
{
    QString sql = SelectDistinct(q.Column) + u" from allInfo where ObjType = 8"_s;
    if (!IsEmptyId(q.Value))
        sql += u" and Link1 = "_s + Quote(q.Value);
    return sql + u" order by "_s + q.Column;
}

// Role names, by what the caller narrows them to.
QString RoleNames(const TDistinctRequest& q)
{
    const QString& column = q.Column;
    const QString& value = q.Value;
    const QString w = SelectDistinct(column) + u" from allInfo where ObjType = 20"_s;
    const QString withExtra = q.Extra != 0 ? u" and Int2 = "_s + Number(q.Extra) : QString();
    QString sql;
    if (IsEmptyId(value)) {
        sql = w + u" and Int1 = "_s + Number(q.Mode) + withExtra;
    } else if (q.Mode == GroupType::Project) {
        // roles used in a project
        sql = w + u" and Link2 = "_s + Quote(value) + u" and Int1 in (1,6)"_s;
    } else if (q.Extra == -1) {
        // roles held by one object
        sql = w + u" and Link1 = "_s + Quote(value)
            + (q.Mode != 0 ? u" and Int2 = "_s + Number(q.Mode) : u" and Int2 in (0, 1,6)"_s);
    } else if (q.Extra == -2) {
        // roles whose opposite side is held by one object
        sql = u"select distinct AllInfo."_s + column
            + u" from allInfo, AllInfo as LR where AllInfo.ObjType = 20 and LR.ObjId = AllInfo.Link5 and LR.Link1 = "_s
            + Quote(value) + (q.Mode != 0 ? u" and LR.Int2 = "_s + Number(q.Mode) : u" and LR.Int2 in (1,6)"_s);
    } else {
        // roles within one group
        sql = w + u" and Link2 = "_s + Quote(value) + u" and Int1 = "_s + Number(q.Mode) + withExtra;
    }
    return sql + u" order by AllInfo."_s + column;
}

// Accounts: mode 0 the currencies, the most used first; equally used currencies follow by name, so that
// the order is the same on every engine. Other modes: the plain distinct values.
QString AccountValues(const TDistinctRequest& q)
{
    if (q.Mode != 0)
        return SelectDistinct(q.Column) + u" from allInfo where ObjType = 23"_s;
    // Without a value every account's operations count; with extra 21 the value is a category, otherwise
    // an object the operations name directly or through their operation links.
    QString filter;
    if (!IsEmptyId(q.Value) && q.Extra == Kind::Group)
        filter = u" and AllInfo.Link3 = "_s + Quote(q.Value);
    else if (!IsEmptyId(q.Value))
        filter = u" and (AllInfo.ObjId in (select distinct Link1 from AllInfo where ObjType = 82 and Link2 = "_s
            + Quote(q.Value) + u") or (AllInfo.ObjId = "_s + Quote(q.Value) + u"))"_s;
    return u"select distinct A."_s + q.Column
        + u", count(*) from allInfo, AllInfo as A where A.ObjType = 23 and AllInfo.Link1 = A.ObjId"_s + filter
        + u" group by A.Str4 order by count(*) desc, A."_s + q.Column;
}

// Money operations: the names of their counterparties.
QString CounterpartyNames(const TDistinctRequest& q)
{
    return u"select distinct allInfo."_s + q.Column
        + u" from allInfo, AllInfo as B where B.ObjType = 24 and AllInfo.ObjId = B.Link2 order by allInfo."_s
        + q.Column;
}

// The code 9 of an object list stands for the projects.
QString ProjectObjects(const TObjectListRequest&)
{
    return GroupLists::ProjectListStatement();
}

// The objects linked to one object through two-sided roles.
QString RoleObjects(const TObjectListRequest& q)
{
    return u"SELECT Str5, ObjId FROM AllInfo where objId in (select AllInfo.Link1 from AllInfo, AllInfo as ERole "
           u"where AllInfo.Link5 = eRole.ObjId and AllInfo.ObjType = 20 and eRole.Link1 = "_s
        + Quote(q.Id) + u") order by ObjType, Str5"_s;
}

// The groups usable for an object of the holder kind.
QString GroupObjects(const TObjectListRequest& q)
{
    return GroupLists::GroupListStatement(q.Db, q.HolderKind, q.Id);
}

QString AccountObjects(const TObjectListRequest&)
{
    return u"SELECT Str5, ObjId FROM AllInfo where objtype = 23 order by Str1"_s;
}

// The meeting kinds of one object.
QString MeetingKindObjects(const TObjectListRequest& q)
{
    return u"SELECT Str1, ObjId FROM AllInfo where objtype = 31 and Link1 = "_s + Quote(q.Id) + u" order by Str1"_s;
}

const std::array<TKindLookup, 11> kLookups = {{
    {Kind::Person, PersonNames, nullptr, false},
    {Kind::Address, AddressParts, nullptr, true},
    {Kind::Phone, PhoneRoles, nullptr, false},
    {Kind::InternetContact, InternetValues, nullptr, false},
    {Kind::Event, EventValues, nullptr, false},
    {GroupType::Project, nullptr, ProjectObjects, false},
    {Kind::Role, RoleNames, RoleObjects, false},
    {Kind::Group, nullptr, GroupObjects, false},
    {Kind::Account, AccountValues, AccountObjects, false},
    {Kind::MoneyOperation, CounterpartyNames, nullptr, false},
    {Kind::MeetingKind, nullptr, MeetingKindObjects, false},
}};

} // namespace

namespace KindLookups {

const TKindLookup* Find(int code)
{
    for (const TKindLookup& lookup : kLookups) {
        if (lookup.Code == code)
            return &lookup;
    }
    return nullptr;
}

} // namespace KindLookups
