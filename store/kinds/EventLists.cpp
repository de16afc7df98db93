#include "store/kinds/EventLists.h"

#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

QString Number(qint64 n)
{
    return QString::number(n);
}

QString RecentWindow(double today)
{
    QString window;
    DateCondition(window, u"AllInfo.Date1"_s, DateOp::From, EventLists::RecentWindowStart(today));
    DateCondition(window, u"AllInfo.Date1"_s, DateOp::Before, EventLists::RecentWindowEnd(today));
    return window;
}

} // namespace

namespace EventLists {

double RecentWindowStart(double today)
{
    return DateSerial::FromDate(DateSerial::ToDate(today).addMonths(-2));
}

double RecentWindowEnd(double today)
{
    return DateSerial::FromDate(DateSerial::ToDate(today).addDays(2));
}

QString ListStatement(const QString& where, const QString& order)
{
    return u"select AllInfo.*, Pr.Str1 as PrName from AllInfo, AllInfo as Pr where Pr.ObjId = AllInfo.Link1 "
           "and AllInfo.ObjType = "_s
        + Number(Kind::Event) + where + u" order by "_s + order;
}

QString PeriodCondition(double from, double to)
{
    QString condition;
    DateCondition(condition, u"AllInfo.Date1"_s, DateOp::From, from);
    DateCondition(condition, u"AllInfo.Date1"_s, DateOp::Before, to);
    return condition;
}

QString HostCondition(const QString& host)
{
    const QString value = host.trimmed();
    if (value.isEmpty())
        return QString();
    QString like;
    LikeCondition(like, u"Str5"_s, value);
    return u"AllInfo.Link3 in (select AllInfo.ObjId from AllInfo where (ObjType = "_s + Number(Kind::Person)
        + u" or ObjType = "_s + Number(Kind::Organization) + u") and "_s + like + u')';
}

QString AddressCondition(const QString& country, const QString& region, const QString& district,
    const QString& city, const QString& street)
{
    QString parts;
    const QString values[] = {country, region, district, city, street};
    for (int i = 0; i < 5; ++i)
        LikeCondition(parts, u"Str"_s + Number(i + 1), values[i].trimmed());
    if (parts.isEmpty())
        return QString();
    return u"AllInfo.Link4 in (select ObjId from AllInfo where ObjType = "_s + Number(Kind::Address) + u" and "_s
        + parts + u')';
}

QString HostNamesStatement()
{
    // Each name once, in the order of the hosts' Str1: a distinct list cannot be ordered by a column it
    // does not show, so the names are grouped and ordered by the first Str1 of each.
    return u"select Str5 from AllInfo where ObjId in (select Link3 from AllInfo where ObjType = "_s
        + Number(Kind::Event) + u") and (ObjType = "_s + Number(Kind::Person) + u" or ObjType = "_s
        + Number(Kind::Organization) + u") group by Str5 order by min(Str1), Str5"_s;
}

bool HostNames(TMyDataBase* db, TValueList& list)
{
    return FillValueList(db, HostNamesStatement(), true, false, list);
}

QString RecentProjectsStatement(double today)
{
    return u"select AllInfo.Link1, count(*) from AllInfo where AllInfo.ObjType = "_s + Number(Kind::Event)
        + u" and "_s + RecentWindow(today) + u" group by AllInfo.Link1 order by count(*) desc, AllInfo.Link1"_s;
}

bool RecentProjects(TMyDataBase* db, double today, QStringList& projects)
{
    auto q = TMyDataBase::QueryOn(db, RecentProjectsStatement(today));
    if (!q)
        return false;
    projects.clear();
    while (q->next())
        projects.append(q->value(0).toString());
    return true;
}

QString DefaultTypeStatement(double today)
{
    return u"select Int1, Int3 from AllInfo where AllInfo.ObjType = "_s + Number(Kind::Event) + u" and "_s
        + RecentWindow(today) + u" group by Int1, Int3 order by count(*) desc, Int1, Int3"_s;
}

bool DefaultType(TMyDataBase* db, double today, qint64& type, qint64& direction)
{
    auto q = TMyDataBase::QueryOn(db, DefaultTypeStatement(today));
    if (!q || !q->next())
        return false;
    type = q->value(0).toLongLong();
    direction = q->value(1).toLongLong();
    return true;
}

QString NameTypeStatement(const QString& project, const QString& name)
{
    return u"Select int1, int2 from AllInfo where ObjType = "_s + Number(Kind::Event) + u" and Link1 = "_s
        + SqlDialect::Quote(project) + u" and Str1 = "_s + SqlDialect::Quote(name)
        + u" group by int1, int2 order by count(*) desc, int1, int2"_s;
}

bool NameType(TMyDataBase* db, const QString& project, const QString& name, qint64& type, qint64& importance)
{
    auto q = TMyDataBase::QueryOn(db, NameTypeStatement(project, name));
    if (!q || !q->next())
        return false;
    type = q->value(0).toLongLong();
    importance = q->value(1).toLongLong();
    return true;
}

QString StoredNameStatement(const QString& project, const QString& name)
{
    QString sql = u"select top 1 Str1 from AllInfo where ObjType = "_s + Number(Kind::Event) + u" and Str1 = "_s
        + SqlDialect::Quote(name);
    if (!IsEmptyId(project))
        sql += u" and Link1 = "_s + SqlDialect::Quote(project);
    return sql + u" order by Str1"_s;
}

QString StoredName(TMyDataBase* db, const QString& project, const QString& name)
{
    if (name.isEmpty())
        return QString();
    auto q = TMyDataBase::QueryOn(db, StoredNameStatement(project, name));
    return q && q->next() ? q->value(0).toString() : QString();
}

QString HostAddressesStatement(const QString& host)
{
    return u"select Link1 from AllInfo where ObjType = "_s + Number(Kind::Residence) + u" and Flag = True and Link2 = "_s
        + SqlDialect::Quote(host);
}

QString HostAddress(TMyDataBase* db, const QString& host)
{
    if (IsEmptyId(host))
        return QString();
    auto q = TMyDataBase::QueryOn(db, HostAddressesStatement(host));
    if (!q)
        return QString();
    QStringList found;
    while (q->next() && found.size() < 2)
        found.append(q->value(0).toString());
    if (found.size() != 1 || IsEmptyId(found.first()))
        return QString();
    return found.first();
}

} // namespace EventLists
