#include "store/LookupLists.h"

#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/KindLookups.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

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
    if (const TKindLookup* lookup = KindLookups::Find(kind); lookup && lookup->Distinct)
        return lookup->Distinct(TDistinctRequest {column, value, extra, mode});
    return u"select distinct "_s + column + u" from allInfo where ObjType = "_s + Number(kind);
}

bool DistinctValues(
    TMyDataBase* db, const QString& column, const QString& value, TValueList& list, int extra, int mode, int kind)
{
    const TKindLookup* lookup = KindLookups::Find(kind);
    const bool skipBlank = !(lookup && lookup->KeepsBlankValues);
    return FillValueList(db, DistinctValuesStatement(column, value, extra, mode, kind), skipBlank, false, list);
}

QString ObjectListStatement(int kind, int holderKind, TMyDataBase* db, const QString& id)
{
    if (const TKindLookup* lookup = KindLookups::Find(kind); lookup && lookup->Objects)
        return lookup->Objects(TObjectListRequest {holderKind, db, id});
    return u"SELECT Str1, ObjId FROM AllInfo where objtype = "_s + Number(kind) + u" order by Str1"_s;
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
    const TConstAddressView parts(address);
    return AddressText(parts.PostalIndex(), parts.Country(), parts.Region(), parts.District(), parts.Settlement(),
        parts.Street(), parts.House(), parts.Flat(), true);
}
