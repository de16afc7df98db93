#include "contacts/PhonePrefix.h"

#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/SqlDialect.h"

#include <QHash>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace PhonePrefix {

namespace {

QString Top(int rows)
{
    return u"select top "_s + QString::number(rows) + u' ';
}

// One source of sample numbers, at most TopRows of them, numbered by the source's place in the union.
QString Member(int source, const QString& from, const QString& where)
{
    return Top(TopRows) + u"AllInfo.Str1, AllInfo.ObjId, "_s + QString::number(source)
        + u" as SField, AllInfo.DCreate from "_s + from + u" where AllInfo.ObjType = 4 and "_s + where;
}

QString OwnPhones(int source, const QString& owner)
{
    return Member(source, u"AllInfo"_s, u"AllInfo.Link1 = "_s + owner);
}

QString PhonesOfCurrentAddresses(int source, const QString& resident)
{
    return Member(source, u"AllInfo, AllInfo as lkAddr"_s,
        u"AllInfo.Link1 = lkAddr.Link1 and lkAddr.ObjType = 80 and lkAddr.Link2 = "_s + resident
            + u" and lkAddr.Flag = True"_s);
}

// The phones an organization shows to the holders of a role: those of the role, and those of everybody.
QString PhonesOfCurrentRoles(int source, const QString& person)
{
    return Member(source, u"AllInfo, AllInfo as RP, AllInfo as RF"_s,
        u"RP.ObjType = 20 and RP.Link1 = "_s + person
            + u" and RP.Flag = True and RP.D2Flag = False and RF.ObjId = RP.Link5 and AllInfo.Link1 = RF.Link1"
              u" and (AllInfo.Str2 = \"\" or AllInfo.Str2 = RP.Str1)"_s);
}

bool ReadNumbers(TMyDataBase* db, const QString& sql, QStringList& numbers)
{
    auto q = TMyDataBase::QueryOn(db, sql);
    if (!q)
        return false;
    while (q->next())
        numbers << q->value(0).toString();
    return true;
}

struct TPlace
{
    QString Country;
    QString Settlement;
};

// The country and settlement of the owner's address: an address's own, another owner's first current one.
bool ReadPlace(TMyDataBase* db, const QString& quotedOwner, int ownerKind, TPlace& place)
{
    const QString sql = ownerKind == Kind::Address
        ? QString(u"select Str1, Str4 from AllInfo where ObjType = 3 and ObjId = "_s + quotedOwner)
        : Top(1) + u"Addr.Str1, Addr.Str4 from AllInfo as Addr, AllInfo as R where R.ObjType = 80 and R.Link2 = "_s
            + quotedOwner + u" and R.Flag = True and Addr.ObjId = R.Link1 and Addr.ObjType = 3 order by R.ObjId"_s;
    auto q = TMyDataBase::QueryOn(db, sql);
    if (!q)
        return false;
    if (q->next()) {
        place.Country = q->value(0).toString().trimmed();
        place.Settlement = q->value(1).toString().trimmed();
    }
    return true;
}

} // namespace

QString MostFrequent(const QStringList& numbers, int length)
{
    QHash<QString, int> counts;
    QStringList order;
    for (const QString& number : numbers) {
        const QString prefix = number.left(length);
        // A one-digit country code keeps its second position blank ("7 495..."); a beginning with no digit
        // at all tells nothing.
        if (prefix.size() < length || prefix.trimmed().isEmpty())
            continue;
        if (!counts.contains(prefix))
            order << prefix;
        ++counts[prefix];
    }
    QString best;
    for (const QString& prefix : std::as_const(order)) {
        if (best.isEmpty() || counts.value(prefix) > counts.value(best))
            best = prefix;
    }
    return best;
}

QString SampleStatement(const QString& owner, int ownerKind)
{
    const QString id = SqlDialect::Quote(owner);
    QStringList members;
    switch (ownerKind) {
    case Kind::Person:
        members << OwnPhones(1, id) << PhonesOfCurrentAddresses(2, id) << PhonesOfCurrentRoles(3, id);
        break;
    case Kind::Address:
        members << OwnPhones(1, id);
        break;
    case Kind::Organization:
        members << OwnPhones(1, id) << PhonesOfCurrentAddresses(2, id);
        break;
    default:
        return QString();
    }
    return members.join(u" union "_s) + u" order by SField, DCreate desc, ObjId"_s;
}

QString Predict(TMyDataBase* db, const QString& owner, int ownerKind)
{
    QStringList samples;
    const QString sql = SampleStatement(owner, ownerKind);
    if (!sql.isEmpty() && !ReadNumbers(db, sql, samples))
        return QString();
    if (!MostFrequent(samples, 5).isEmpty())
        return MostFrequent(samples, ownerKind == Kind::Person ? 2 : 5);

    // Nothing of the owner's own tells the area code: the phones of the owner's place stand in for it.
    TPlace place;
    if (ownerKind != 0 && !ReadPlace(db, SqlDialect::Quote(owner), ownerKind, place))
        return QString();
    QString fallback;
    if (!place.Country.isEmpty()) {
        fallback = Top(TopRows)
            + u"AllInfo.Str1 from AllInfo, AllInfo as Addr where AllInfo.ObjType = 4 and AllInfo.Link1 = Addr.ObjId"
              u" and Addr.ObjType = 3 and Addr.Str1 = "_s
            + SqlDialect::Quote(place.Country);
        if (!place.Settlement.isEmpty())
            fallback += u" and Addr.Str4 = "_s + SqlDialect::Quote(place.Settlement);
        fallback += u" order by AllInfo.DCreate desc, AllInfo.ObjId"_s;
    } else {
        fallback = Top(LatestRows) + u"Str1 from AllInfo where ObjType = 4 order by DCreate desc, ObjId"_s;
    }
    if (!ReadNumbers(db, fallback, samples))
        return QString();
    const bool areaKnown = ownerKind > Kind::Person && !place.Settlement.isEmpty();
    return MostFrequent(samples, areaKnown ? 5 : 2);
}

} // namespace PhonePrefix
