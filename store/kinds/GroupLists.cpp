#include "store/kinds/GroupLists.h"

#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupView.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;
using SqlDialect::Quote;

namespace {

QString Number(qint64 n)
{
    return QString::number(n);
}

bool IsSubcategory(qint64 type)
{
    return type == GroupType::IncomeSubcategory || type == GroupType::ExpenseSubcategory;
}

} // namespace

namespace GroupLists {

QString ScopeCondition(int kind, const QString& object, const QString& project)
{
    if (kind == Kind::Organization)
        return u"((Int1 = 9) or (Int1 = 6 and Flag = False) or (Int1 = 6 and Flag = True and Link1 = "_s
            + Quote(object) + u"))"_s;
    if (kind == Kind::Event)
        return u"Int1 = 8 and ((Flag = True and Link1 = "_s + Quote(object) + u") or (Flag = False and Link2 = "_s
            + Quote(project) + u"))"_s;
    if (IsSubcategory(kind))
        return u"Int1 = "_s + Number(kind) + u" and Link1 = "_s + Quote(object);
    return u"Int1 in ("_s + Number(kind) + u", 9)"_s;
}

QString ScopeStatement(const QString& columns, int kind, const QString& object, const QString& project)
{
    return u"select "_s + columns + u" from AllInfo where ObjType = 21 and "_s
        + ScopeCondition(kind, object, project) + u" order by Str1"_s;
}

QString GroupListStatement(TMyDataBase* db, int kind, const QString& object)
{
    QString project;
    if (kind == Kind::Event) {
        // the event's own groups and those of its project
        TDBMainInfo event;
        event.SetDatabase(db);
        event.SetObj(object);
        project = EventView(event).Project();
    }
    return ScopeStatement(u"AllInfo.Str1, ObjId"_s, kind, object, project);
}

bool GroupList(TMyDataBase* db, int kind, const QString& object, TValueList& list)
{
    return FillValueList(db, GroupListStatement(db, kind, object), true, true, list);
}

QString ProjectListStatement()
{
    return u"SELECT Str1, ObjId FROM AllInfo where objtype = 21 and Int1 = 9 order by Str1"_s;
}

bool ProjectList(TMyDataBase* db, TValueList& list)
{
    return FillValueList(db, ProjectListStatement(), true, true, list);
}

QString NameScopeCondition(const TObjectRow& group)
{
    const TConstGroupView view(group);
    const qint64 type = view.GroupKind();
    if (type == GroupType::OrganizationRoles)
        return ScopeCondition(Kind::Organization, view.Owner());
    if (type == GroupType::EventRoles) {
        // A group limited to one event meets that event's groups and the shared groups of its project; a
        // shared group meets every group of the project's events, since it is offered to all of them.
        if (view.ScopedToOwner())
            return u"Int1 = 8 and ((Flag = False and Link2 = "_s + Quote(view.Project())
                + u") or (Flag = True and Link1 = "_s + Quote(view.Owner()) + u"))"_s;
        return u"Int1 = 8 and Link2 = "_s + Quote(view.Project());
    }
    if (IsSubcategory(type))
        return u"Link1 = "_s + Quote(view.Owner()) + u" and Int1 in ("_s + Number(type) + u", 9)"_s;
    return u"Int1 in ("_s + Number(type) + u", 9)"_s;
}

bool NameTaken(TMyDataBase* db, const TObjectRow& group, const QString& name)
{
    auto q = TMyDataBase::QueryOn(db,
        u"select ObjId from AllInfo where ObjType = 21 and Str1 = "_s + Quote(name) + u" and "_s
            + NameScopeCondition(group));
    if (!q)
        return true;
    // Every row of the scope counts, not only the first: the group's own row among them proves nothing.
    while (q->next()) {
        if (!SameId(q->value(0).toString(), group.Obj))
            return true;
    }
    return q->lastError().isValid();
}

bool MoveSubcategoryOperations(TMyDataBase* db, const QString& subcategory, const QString& category)
{
    return TMyDataBase::ExecuteOn(db,
               u"update AllInfo set Link3 = "_s + Quote(category) + u" where ObjType = 24 and Link4 = "_s
                   + Quote(subcategory))
        == 0;
}

} // namespace GroupLists
