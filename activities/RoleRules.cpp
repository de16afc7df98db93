#include "activities/RoleRules.h"

#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/EventView.h"
#include "store/kinds/RoleView.h"

#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

TStoreResult Failed(TMyDataBase* db)
{
    const QString reason = db && db->ConnectionKind() == ConnectionType::Server ? db->ErrorText() : QString();
    return {SaveResult::Failed, reason.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : reason};
}

QString OrNone(const QString& id)
{
    return IsEmptyId(id) ? Ids::None : id;
}

// A role text "-" stands for no role.
QString RolePart(const QString& text)
{
    return text == u"-"_s ? QString() : text;
}

QString RatingPrefix(qint64 rating)
{
    return rating > 0 ? u"["_s + QString::number(rating) + u"] "_s : QString();
}

} // namespace

namespace RoleRules {

TSideLayout SideLayout(int holderKind, int otherKind)
{
    TSideLayout layout;
    switch (holderKind) {
    case Kind::Person:
        layout.Title = u"Роль человека"_s;
        break;
    case Kind::Address:
        layout.Title = u"Роль адреса"_s;
        break;
    case Kind::Organization:
        layout.Title = u"Роль организации"_s;
        break;
    case Kind::Event:
        layout.Title = u"Событие"_s;
        break;
    default:
        break;
    }
    layout.GroupCaption = otherKind == 0 ? u"Группа ролей"_s : u"Связанный объект поместить в группу"_s;
    layout.GroupEnabled = otherKind != Kind::Event;
    layout.RoleCaption = u"Роль"_s;
    if (holderKind == Kind::Organization) {
        // On an organization's side of a link with a person the role lives on the person's side.
        layout.Role = otherKind == 0 || otherKind == Kind::Organization || otherKind == Kind::Event;
    } else if (holderKind == Kind::Event) {
        layout.Role = otherKind == Kind::Person || otherKind == Kind::Organization;
        layout.RoleCaption = u"Результат"_s;
    }
    layout.Link = holderKind != Kind::Event && otherKind == Kind::Event;
    if (holderKind == Kind::Person && otherKind == Kind::Organization) {
        layout.LinkTel = true;
        layout.LinkTelCaption = u"С человеком можно связаться по тел. фирмы"_s;
    } else if (holderKind == Kind::Person && otherKind == Kind::Address) {
        layout.LinkTel = true;
        layout.LinkTelCaption = u"Проживает в настоящий момент"_s;
    }
    return layout;
}

QString FarGroupStatement(int holderKind, int otherKind, const QString& group)
{
    return u"select top 1 r2.Link2, count(*) from AllInfo as r1, AllInfo as r2 where r1.ObjType = "_s
        + QString::number(Kind::Role) + u" and r1.Int1 = "_s + QString::number(holderKind) + u" and r1.Int2 = "_s
        + QString::number(otherKind) + u" and r1.Link2 = "_s + SqlDialect::Quote(OrNone(group))
        + u" and r2.ObjId = r1.Link5 group by r2.Link2 order by count(*) desc, r2.Link2"_s;
}

QString MostFrequentFarGroup(TMyDataBase* db, int holderKind, int otherKind, const QString& group)
{
    auto q = TMyDataBase::QueryOn(db, FarGroupStatement(holderKind, otherKind, group));
    if (!q || !q->next())
        return QString();
    const QString found = q->value(0).toString().trimmed();
    return IsEmptyId(found) ? QString() : found;
}

void DeriveSides(const TDBMainInfo& record, TDBMainInfo& a, TDBMainInfo& b)
{
    TMyDataBase* db = record.Database();
    a.SetDatabase(db);
    b.SetDatabase(db);
    a.CopyFrom(record);
    b.Clear();
    const TRoleView one(a);
    if (SameId(one.Holder(), one.Group()))
        one.SetGroup(QString());
    one.SetFarObject(one.Group());
    if (IsNewId(a.Obj)) {
        const TRoleView two(b);
        b.ObjType = Kind::Role;
        two.SetHolder(one.Group());
        two.SetGroup(IsEmptyId(one.Group()) ? QString()
                                            : MostFrequentFarGroup(db, static_cast<int>(one.HolderKind()),
                                                static_cast<int>(one.OtherKind()), one.Third()));
        two.SetHolderKind(one.OtherKind());
        two.SetOtherKind(one.HolderKind());
        two.SetOppositeSide(QString());
        one.SetGroup(one.Third());
        two.SetFarObject(one.Holder());
        one.SetThird(QString());
        if (!IsEmptyId(two.Holder()) && (one.HolderKind() == Kind::Event || one.OtherKind() == Kind::Event)) {
            const bool eventFirst = one.HolderKind() == Kind::Event;
            TDBMainInfo event;
            event.SetDatabase(db);
            if (event.SetObj(eventFirst ? one.Holder() : two.Holder()) && event.ObjType == Kind::Event) {
                const TConstEventView view(event);
                one.SetFrom(view.Start());
                one.SetHasFrom(view.HasStart());
                one.SetTo(view.End());
                one.SetHasEnded(view.HasEnd());
                // The side linked with the event is filed under the event's project.
                (eventFirst ? two : one).SetGroup(OrNone(view.Project()));
            }
        }
        return;
    }
    if (!IsEmptyId(one.OppositeSide()))
        b.SetObj(one.OppositeSide());
}

bool IsTwoSided(const TDBMainInfo& b)
{
    return !IsEmptyId(TConstRoleView(b).Holder());
}

TStoreResult WritePair(TDBMainInfo& a, TDBMainInfo& b)
{
    TMyDataBase* db = a.Database();
    if (!db)
        return {SaveResult::NoDatabase, DbStatus::Text(DbStatus::ConnectFailed)};
    const bool pair = IsTwoSided(b);
    // Both sides are written from private copies: a failure anywhere leaves the caller's records untouched.
    TDBMainInfo one;
    one.SetDatabase(db);
    one.CopyFrom(a);
    TDBMainInfo two;
    two.SetDatabase(db);
    two.CopyFrom(b);
    const TRoleView first(one);
    const TRoleView second(two);
    one.ObjType = Kind::Role;
    {
        TWriteTransaction transaction(db);
        if (!transaction.IsActive())
            return Failed(db);
        if (pair) {
            two.ObjType = Kind::Role;
            second.SetFrom(first.From());
            second.SetHasFrom(first.HasFrom());
            second.SetTo(first.To());
            second.SetHasEnded(first.HasEnded());
            second.Row().D1Fixed = false;
            second.Row().D2Fixed = false;
            // A new side A is written first, so that side B can name it.
            if (IsNewId(one.Obj)) {
                first.SetOppositeSide(Ids::None);
                TStoreResult saved = one.Save();
                if (!saved.Ok())
                    return saved;
            }
            if (IsEmptyId(one.Obj))
                return Failed(db);
            second.SetOppositeSide(one.Obj);
            TStoreResult saved = two.Save();
            if (!saved.Ok())
                return saved;
            if (IsEmptyId(two.Obj))
                return Failed(db);
            first.SetOppositeSide(two.Obj);
            saved = one.Save();
            if (!saved.Ok())
                return saved;
        } else {
            first.SetOtherKind(0);
            first.SetOppositeSide(Ids::None);
            const TStoreResult saved = one.Save();
            if (!saved.Ok())
                return saved;
            if (IsEmptyId(one.Obj))
                return Failed(db);
        }
        if (!transaction.Commit())
            return Failed(db);
    }
    a.CopyFrom(one);
    if (pair)
        b.CopyFrom(two);
    AnnounceObjectSaved(Kind::Role);
    return {};
}

QString StoredName(const QString& typed)
{
    const QString name = CapitalizeFirst(typed.trimmed());
    return name.isEmpty() ? u"-"_s : name;
}

void RatingConditions(QString& where, const QString& value, const QString& field)
{
    // "от: n  до: nn": the lower bound is character 5, the upper one characters 12-13.
    bool ok = false;
    const int from = value.mid(4, 1).trimmed().toInt(&ok);
    if (ok)
        AddCondition(where, field + u" >= "_s + QString::number(from));
    const int to = value.mid(11, 2).trimmed().toInt(&ok);
    if (ok)
        AddCondition(where, field + u" <= "_s + QString::number(to));
}

void PeriodConditions(QString& where, const QString& value, const QString& field)
{
    // "с: " and " по: " stand around the two dates: characters 4-13 and 19-28.
    double from = 0;
    double to = 0;
    if (!TryDate(from, value.mid(3, 10).trimmed()))
        from = 0;
    if (!TryDate(to, value.mid(18, 10).trimmed()))
        to = 0;
    DateCondition(where, field, DateOp::From, from);
    if (to != 0)
        DateCondition(where, field, DateOp::Before, to + 1);
}

QString DescriptionText(const TListRow& row, int masterKind)
{
    if (!row.IsValid() || row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    const QString group = row.Text(u"Grp"_s).trimmed();
    QString groupLine = u"["_s + (group.isEmpty() ? u"Группа не указана"_s : group) + u"]"_s;
    const QString own = RolePart(row.Text(u"Str1"_s).trimmed());
    const QString far = RolePart(row.Text(u"lkRole"_s).trimmed());
    QString role;
    switch (masterKind) {
    case Kind::Organization:
        if (row.Int(u"Int2"_s) == Kind::Person) {
            role = far.isEmpty() ? QString() : RatingPrefix(row.Int(u"lkRoleRating"_s)) + far;
            break;
        }
        [[fallthrough]];
    case Kind::Person:
        role = far.isEmpty() ? own : (own.isEmpty() ? far : own + u"|"_s + far);
        if (!role.isEmpty())
            role = RatingPrefix(row.Int(u"Int4"_s)) + role;
        break;
    case Kind::Event:
        role = far.isEmpty() ? QString() : RatingPrefix(row.Int(u"lkRoleRating"_s)) + far;
        groupLine = own.isEmpty() ? QString() : u"["_s + own + u"]"_s;
        break;
    default:
        break;
    }
    QStringList lines;
    if (!groupLine.isEmpty())
        lines << groupLine;
    if (!IsEmptyId(row.Text(u"Link5"_s)))
        lines << row.Text(u"lkObjName"_s).trimmed();
    if (!role.isEmpty())
        lines << u"Роль: "_s + role;
    return lines.join(u'\r');
}

int LinkedPicture(const TListRow& row)
{
    if (!row.IsValid() || row.Text(u"ObjId"_s).trimmed().isEmpty())
        return -1;
    switch (row.Int(u"Int2"_s)) {
    case Kind::Person:
        return row.Bool(u"LkFlag"_s) ? 56 : 38;
    case Kind::Organization:
        return 2;
    case Kind::Event:
        return EventTypePicture(static_cast<int>(row.Int(u"lkObjInt1"_s)));
    default:
        return 47;
    }
}

} // namespace RoleRules
