#include "store/LookupLists.h"

#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using SqlDialect::Quote;

namespace {

// The statement with its literals and parenthesised groups blanked out, lower-cased: what is left are
// the clauses of the outermost select.
QString OutermostClauses(const QString& sql)
{
    QString out;
    out.reserve(sql.size());
    QChar quote;
    int depth = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote) {
                if (i + 1 < sql.size() && sql[i + 1] == quote)
                    ++i;
                else
                    quote = QChar();
            }
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            out += u' ';
        } else if (c == u'(') {
            ++depth;
            out += u' ';
        } else if (c == u')') {
            depth = std::max(0, depth - 1);
        } else if (depth == 0) {
            out += c.toLower();
        }
    }
    return out;
}

// Engines return the rows of a select distinct in whatever order their plan gives; a pick list must
// come out the same on every engine, so such a statement without an ordering is sorted by its first column.
QString WithStableOrder(const QString& sql)
{
    static const QRegularExpression distinct(u"^\\s*select\\s+distinct\\b"_s);
    static const QRegularExpression orderBy(u"\\border\\s+by\\b"_s);
    const QString clauses = OutermostClauses(sql);
    if (!distinct.match(clauses).hasMatch() || orderBy.match(clauses).hasMatch() || clauses.contains(u';'))
        return sql;
    return sql + u" order by 1"_s;
}

QString Number(qint64 n)
{
    return QString::number(n);
}

// Kind 3: the parts of addresses, each list narrowed by the part chosen before it; key is the postal
// index (mode 5: the city, mode 6: the country).
QString AddressPartsStatement(const QString& key, const QString& value, int mode)
{
    const QString cond = key.isEmpty() ? QString() : u" and Link5 = "_s + Quote(key);
    auto narrowed = [&](const QString& listed, const QString& by) -> QString {
        return u"select distinct "_s + listed + u" from allInfo where ObjType = 3 and "_s + by + u" = "_s + Quote(value)
            + cond + u" order by "_s + listed;
    };
    switch (mode) {
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

// Kind 20: role names, by what the caller narrows them to.
QString RoleNamesStatement(const QString& column, const QString& value, int extra, int mode)
{
    const QString w = u"select distinct "_s + column + u" from allInfo where ObjType = 20"_s;
    const QString withExtra = extra != 0 ? u" and Int2 = "_s + Number(extra) : QString();
    QString sql;
    if (IsEmptyId(value)) {
        sql = w + u" and Int1 = "_s + Number(mode) + withExtra;
    } else if (mode == 9) {
        // roles used in a project
        sql = w + u" and Link2 = "_s + Quote(value) + u" and Int1 in (1,6)"_s;
    } else if (extra == -1) {
        // roles held by one object
        sql = w + u" and Link1 = "_s + Quote(value)
            + (mode != 0 ? u" and Int2 = "_s + Number(mode) : u" and Int2 in (0, 1,6)"_s);
    } else if (extra == -2) {
        // roles whose opposite side is held by one object
        sql = u"select distinct AllInfo."_s + column
            + u" from allInfo, AllInfo as LR where AllInfo.ObjType = 20 and LR.ObjId = AllInfo.Link5 and LR.Link1 = "_s
            + Quote(value) + (mode != 0 ? u" and LR.Int2 = "_s + Number(mode) : u" and LR.Int2 in (1,6)"_s);
    } else {
        // roles within one group
        sql = w + u" and Link2 = "_s + Quote(value) + u" and Int1 = "_s + Number(mode) + withExtra;
    }
    return sql + u" order by AllInfo."_s + column;
}

// Kind 23, mode 0: the currencies of the accounts, the most used first. Equally used currencies follow
// by name, so that the order is the same on every engine.
QString CurrenciesByUseStatement(const QString& column, const QString& value, int extra)
{
    // Without a value every account's operations count; with extra 21 the value is a category, otherwise
    // an object the operations name directly or through their operation links.
    QString filter;
    if (!IsEmptyId(value) && extra == Kind::Group)
        filter = u" and AllInfo.Link3 = "_s + Quote(value);
    else if (!IsEmptyId(value))
        filter = u" and (AllInfo.ObjId in (select distinct Link1 from AllInfo where ObjType = 82 and Link2 = "_s
            + Quote(value) + u") or (AllInfo.ObjId = "_s + Quote(value) + u"))"_s;
    return u"select distinct A."_s + column
        + u", count(*) from allInfo, AllInfo as A where A.ObjType = 23 and AllInfo.Link1 = A.ObjId"_s + filter
        + u" group by A.Str4 order by count(*) desc, A."_s + column;
}

} // namespace

QStringList ValueTexts(const TValueList& list)
{
    QStringList texts;
    texts.reserve(list.size());
    for (const TValueItem& item : list)
        texts.append(item.Text);
    return texts;
}

bool FillValueList(TMyDataBase* db, const QString& sql, bool skipBlank, bool withIds, TValueList& list)
{
    list.clear();
    if (sql.trimmed().isEmpty())
        return false;
    auto q = TMyDataBase::QueryOn(db, WithStableOrder(sql));
    if (!q)
        return false;
    const bool hasIdColumn = withIds && q->record().count() > 1;
    while (q->next()) {
        TValueItem item;
        item.Text = q->value(0).toString();
        if (skipBlank && item.Text.trimmed().isEmpty())
            continue;
        if (hasIdColumn) {
            const QString id = q->value(1).toString();
            if (!id.trimmed().isEmpty())
                item.Id = id;
        }
        list.append(item);
    }
    return true;
}

QString DistinctValuesStatement(const QString& column, const QString& value, int extra, int mode, int kind)
{
    const QString distinct = u"select distinct "_s + column;
    switch (kind) {
    case Kind::Person: {
        QString sql = distinct + u" from allInfo where ObjType = 1"_s;
        if (mode == 1)
            sql += u" and Flag = False"_s;
        else if (mode == 2)
            sql += u" and Flag = True"_s;
        return sql;
    }
    case Kind::Address:
        return AddressPartsStatement(column, value, mode);
    case 4: // the role names people hold in organizations
        return distinct + u" from allInfo where ObjType = 20 and Int1 = 1 and Int2 = 6"_s;
    case Kind::InternetContact:
        return distinct + u" from allInfo where ObjType = 5 and Int1 = "_s + Number(mode);
    case Kind::Event: {
        QString sql = distinct + u" from allInfo where ObjType = 8"_s;
        if (!IsEmptyId(value))
            sql += u" and Link1 = "_s + Quote(value);
        return sql + u" order by "_s + column;
    }
    case Kind::Role:
        return RoleNamesStatement(column, value, extra, mode);
    case Kind::Account:
        if (mode == 0)
            return CurrenciesByUseStatement(column, value, extra);
        return distinct + u" from allInfo where ObjType = 23"_s;
    case Kind::MoneyOperation:
        return u"select distinct allInfo."_s + column
            + u" from allInfo, AllInfo as B where B.ObjType = 24 and AllInfo.ObjId = B.Link2 order by allInfo."_s
            + column;
    default:
        return distinct + u" from allInfo where ObjType = "_s + Number(kind);
    }
}

bool DistinctValues(
    TMyDataBase* db, const QString& column, const QString& value, TValueList& list, int extra, int mode, int kind)
{
    // Address parts keep their blank value: an address may lack a region and still be picked by city.
    return FillValueList(
        db, DistinctValuesStatement(column, value, extra, mode, kind), kind != Kind::Address, false, list);
}

QString ObjectListStatement(int kind, int holderKind, TMyDataBase* db, const QString& id)
{
    switch (kind) {
    case 9: // projects
        return u"SELECT Str1, ObjId FROM AllInfo where objtype = 21 and Int1 = 9 order by Str1"_s;
    case Kind::Role:
        return u"SELECT Str5, ObjId FROM AllInfo where objId in (select AllInfo.Link1 from AllInfo, AllInfo as ERole "
               u"where AllInfo.Link5 = eRole.ObjId and AllInfo.ObjType = 20 and eRole.Link1 = "_s
            + Quote(id) + u") order by ObjType, Str5"_s;
    case Kind::Group:
        if (holderKind == Kind::Organization)
            return u"select AllInfo.Str1, ObjId from AllInfo where ObjType = 21 and ((Int1 = 9) or (Int1 = 6 and Flag "
                   u"= "
                   u"False) or (Int1 = 6 and Flag = True and Link1 = "_s
                + Quote(id) + u")) order by Str1"_s;
        if (holderKind == Kind::Event) {
            TDBMainInfo event;
            event.SetDatabase(db);
            event.SetObj(id);
            const QString project = event.Link1;
            return u"select AllInfo.Str1, ObjId from AllInfo where ObjType = 21 and Int1 = 8 and ((Flag = True and Link1 = "_s
                + Quote(id) + u") or (Flag = False and Link2 = "_s + Quote(project) + u")) order by Str1"_s;
        }
        if (holderKind == 27 || holderKind == 28)
            return u"select AllInfo.Str1, ObjId from AllInfo where AllInfo.ObjType = 21 and Int1 = "_s
                + Number(holderKind) + u" and Link1 = "_s + Quote(id) + u" order by Str1"_s;
        return u"select AllInfo.Str1, ObjId from AllInfo where AllInfo.ObjType = 21 and Int1 in ("_s
            + Number(holderKind) + u", 9) order by Str1"_s;
    case Kind::Account:
        return u"SELECT Str5, ObjId FROM AllInfo where objtype = 23 order by Str1"_s;
    case Kind::MeetingKind:
        return u"SELECT Str1, ObjId FROM AllInfo where objtype = 31 and Link1 = "_s + Quote(id) + u" order by Str1"_s;
    default:
        return u"SELECT Str1, ObjId FROM AllInfo where objtype = "_s + Number(kind) + u" order by Str1"_s;
    }
}

bool ObjectList(int kind, int holderKind, TMyDataBase* db, TValueList& list, const QString& id)
{
    return FillValueList(db, ObjectListStatement(kind, holderKind, db, id), true, true, list);
}

int IndexOfId(const QString& id, const TValueList& list)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].HasId() && SameId(list[i].Id, id))
            return static_cast<int>(i);
    }
    return -1;
}

void FreeListIds(TValueList& list)
{
    list.clear();
}

QString FieldText(const QSqlRecord& row, const QString& name)
{
    const int index = row.indexOf(name);
    return index < 0 ? QString() : row.value(index).toString();
}

int FamilyStatusPicture(int status)
{
    static constexpr std::array<int, 9> pictures = {45, 30, 41, 62, 50, 49, 52, 71, 56};
    return status >= 1 && status <= 9 ? pictures[static_cast<size_t>(status - 1)] : -1;
}

int NoteAttachmentPicture(int type)
{
    static constexpr std::array<int, 4> pictures = {5, 72, 75, 43};
    return type >= 1 && type <= 4 ? pictures[static_cast<size_t>(type - 1)] : -1;
}

int AccountTypePicture(int type, int defaultPicture)
{
    static constexpr std::array<int, 8> pictures = {91, 93, 92, 94, 89, 95, 90, 27};
    return type >= 0 && type <= 7 ? pictures[static_cast<size_t>(type)] : defaultPicture;
}

int EventTypePicture(int type)
{
    static constexpr std::array<int, 10> pictures = {79, 39, 80, 82, 83, 84, 85, 86, 37, 87};
    return type >= 1 && type <= 10 ? pictures[static_cast<size_t>(type - 1)] : 18;
}

QString AddressText(const QString& index, const QString& country, const QString& region, const QString& district,
    const QString& city, const QString& street, const QString& house, const QString& flat, bool shortForm)
{
    const qsizetype total = index.size() + country.size() + region.size() + district.size() + city.size()
        + street.size() + house.size() + flat.size();
    const bool withDistrict = !(shortForm && total > 50);
    const bool withCountry = !(shortForm && total > 64);
    QStringList parts;
    auto add = [&parts](const QString& part, const QString& suffix) {
        if (!part.trimmed().isEmpty())
            parts.append(part + suffix);
    };
    add(index, QString());
    if (withCountry)
        add(country, QString());
    add(region, u" обл."_s);
    if (withDistrict)
        add(district, u" р-н"_s);
    add(city, QString());
    add(street, QString());
    add(house, QString());
    add(flat, QString());
    return parts.join(u", "_s);
}

QString AddressTextOf(const QString& id, TMyDataBase* db)
{
    if (IsNewId(id))
        return QString();
    TDBMainInfo address;
    address.SetDatabase(db);
    if (!address.SetObj(id))
        return QString();
    return AddressText(address.Link5, address.Str1, address.Str2, address.Str3, address.Str4, address.Str5,
        address.Link4, address.Link3, true);
}
