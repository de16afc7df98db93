#include "contacts/PeopleFilter.h"

#include "store/DateSerial.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"

using namespace Qt::StringLiterals;

namespace {

using SqlDialect::Quote;

// The number in characters [from, from + length) of a masked text (1-based as the masks count), -1 blank.
int MaskedNumber(const QString& text, int from, int length)
{
    const QString part = text.mid(from - 1, length).trimmed();
    bool ok = false;
    const int n = part.toInt(&ok);
    return ok ? n : -1;
}

void AddDate(QString& text, const QString& field, int op, const QDate& date)
{
    if (date.isValid())
        DateCondition(text, field, op, DateSerial::FromDate(date));
}

// Dates within [first, next): the month or year ranges of the birth-date row.
void AddRange(QString& text, const QString& field, const QDate& first, const QDate& next)
{
    AddDate(text, field, DateOp::From, first);
    AddDate(text, field, DateOp::Before, next);
}

void AddBirthDay(QString& text, const QString& masked)
{
    const int day = MaskedNumber(masked, 1, 2);
    const int month = MaskedNumber(masked, 4, 2);
    const int year = MaskedNumber(masked, 7, 4);
    if (day >= 0 && month >= 0 && year >= 0) {
        AddDate(text, u"AllInfo.Date1"_s, DateOp::Equal, QDate(year, month, day));
    } else if (month >= 0 && year >= 0) {
        const QDate first(year, month, 1);
        AddRange(text, u"AllInfo.Date1"_s, first, first.addMonths(1));
    } else if (month >= 0) {
        const QDate first(2000, month, 1);
        AddRange(text, u"AllInfo.D1Search"_s, first, first.addMonths(1));
    } else if (year >= 0) {
        AddRange(text, u"AllInfo.Date1"_s, QDate(year, 1, 1), QDate(year + 1, 1, 1));
    }
}

void AddAge(QString& text, const QString& masked, const QDate& today)
{
    const int from = MaskedNumber(masked, 5, 2);
    const int to = MaskedNumber(masked, 13, 2);
    if (from >= 0) {
        // A person without a birth date has no age, so no lower bound can include them.
        DateCondition(text, u"AllInfo.Date1"_s, DateOp::From, 1);
        AddDate(text, u"AllInfo.Date1"_s, DateOp::Before, YearsBefore(today, from));
    }
    if (to >= 0)
        AddDate(text, u"AllInfo.Date1"_s, DateOp::From, YearsBefore(today, to));
}

// People holding a role row whose paired row belongs to \a object.
QString RoleHolders(const QString& object, bool currentOnly, bool notEnded)
{
    QString sql = u"AllInfo.ObjId in (select RP.Link1 from AllInfo as RF, AllInfo as RP where RF.ObjId = RP.Link5"
                  u" and RP.ObjType = 20 and RP.Int1 = 1"_s;
    if (currentOnly)
        sql += u" and RP.Flag = \"True\""_s;
    if (notEnded)
        sql += u" and RP.D2Flag = \"False\""_s;
    return sql + u" and RF.Link1 = "_s + Quote(object) + u')';
}

void AddPhone(QString& text, const QString& owner, int kind)
{
    if (IsNewId(owner))
        return;
    if (kind == 1)
        AddCondition(text, u"AllInfo.ObjId = "_s + Quote(owner));
    else if (kind == 3)
        AddCondition(text, u"AllInfo.ObjId in (select Link2 from AllInfo where ObjType = 80 and Link1 = "_s
                + Quote(owner) + u" and Flag = \"True\")"_s);
    else if (kind == 6)
        AddCondition(text, RoleHolders(owner, true, true));
}

} // namespace

QString HolderRoleCondition(int holderKind, const TRoleFilter& filter, const QString& wasState)
{
    const QString role = filter.Role.trimmed();
    if (filter.Group.isEmpty() && role.isEmpty())
        return QString();
    QString inner;
    if (!filter.Group.isEmpty())
        AddCondition(inner, u"Link2 = "_s + Quote(filter.Group));
    LikeCondition(inner, u"Str1"_s, role);
    const QString minimum = filter.Rating.mid(4, 1).trimmed();
    const QString maximum = filter.Rating.mid(11, 2).trimmed();
    bool ok = false;
    if (const int n = minimum.toInt(&ok); ok)
        AddCondition(inner, u"Int4 >= "_s + QString::number(n));
    if (const int n = maximum.toInt(&ok); ok)
        AddCondition(inner, u"Int4 <= "_s + QString::number(n));
    const QString state = filter.State.trimmed();
    if (state == PeopleStates::Now)
        AddCondition(inner, u"D2Flag = \"False\""_s);
    else if (state == wasState)
        AddCondition(inner, u"D2Flag = \"True\""_s);
    return u"AllInfo.ObjId in (select Link1 from AllInfo where ObjType = 20 and Int1 = "_s
        + QString::number(holderKind) + u" and "_s + inner + u')';
}

QString HolderAddressCondition(
    const QString& country, const QString& region, const QString& district, const QString& city, const QString& street)
{
    QString parts;
    LikeCondition(parts, u"A.Str1"_s, country.trimmed());
    LikeCondition(parts, u"A.Str2"_s, region.trimmed());
    LikeCondition(parts, u"A.Str3"_s, district.trimmed());
    LikeCondition(parts, u"A.Str4"_s, city.trimmed());
    LikeCondition(parts, u"A.Str5"_s, street.trimmed());
    if (parts.isEmpty())
        return QString();
    return u"AllInfo.ObjId in (select AllInfo.Link2 from AllInfo, AllInfo as A where AllInfo.ObjType = 80"
           u" and AllInfo.Link1 = A.ObjId and A.ObjType = 3 and "_s
        + parts + u')';
}

QDate YearsBefore(const QDate& today, int years)
{
    const int year = today.year() - years;
    if (today.month() == 2 && today.day() == 29 && !QDate::isLeapYear(year))
        return QDate(year, 3, 1);
    return QDate(year, today.month(), today.day());
}

QString PeopleFilterConditions(const TPeopleFilter& filter, const QDate& today)
{
    QString text;
    if (const QString sex = filter.Sex.trimmed(); !sex.isEmpty())
        AddCondition(text, sex.left(1).toLower() == u"м"_s ? u"AllInfo.Flag = \"False\""_s
                                                            : u"AllInfo.Flag = \"True\""_s);
    if (!filter.Age.trimmed().isEmpty())
        AddAge(text, filter.Age, today);
    if (!filter.BirthDay.trimmed().isEmpty())
        AddBirthDay(text, filter.BirthDay);
    if (const QString status = filter.Status.trimmed(); !status.isEmpty())
        AddCondition(text, status.left(1).toLower() == u"ж"_s ? u"AllInfo.D2Flag = \"False\""_s
                                                               : u"AllInfo.D2Flag = \"True\""_s);
    AddPhone(text, filter.PhoneOwner, filter.PhoneOwnerKind);
    if (const QString site = filter.Internet.trimmed(); !site.isEmpty())
        AddCondition(text, u"AllInfo.ObjId in (select AllInfo.Link1 from AllInfo where AllInfo.ObjType = 5 and Str1"
                           u" like "_s
                + Quote(u'%' + site + u'%') + u')');
    AddCondition(text,
        HolderRoleCondition(1, TRoleFilter{filter.Group, filter.Role, filter.Rating, filter.State}, PeopleStates::Was));
    AddCondition(
        text, HolderAddressCondition(filter.Country, filter.Region, filter.District, filter.City, QString()));
    if (!IsEmptyId(filter.Organization))
        AddCondition(text, RoleHolders(filter.Organization, false, true));
    if (!IsEmptyId(filter.Event))
        AddCondition(text, RoleHolders(filter.Event, false, false));
    return text;
}
