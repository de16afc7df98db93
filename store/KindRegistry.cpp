#include "store/KindRegistry.h"

#include "store/Gid.h"
#include "store/kinds/StoreKinds.h"

#include <QMap>
#include <QtGlobal>

namespace {

struct TTable
{
    QMap<int, TStoreKind> Kinds;
};

TTable& Table()
{
    // The store's own kinds are there before the first look-up, whoever looks first.
    static TTable table = [] {
        TTable t;
        for (const TStoreKind& kind : StoreKinds::BuiltIn())
            t.Kinds.insert(kind.Code, kind);
        return t;
    }();
    return table;
}

} // namespace

bool RefuseSecondRegistration(const char* registry, const QString& slot)
{
    Q_ASSERT_X(false, registry, "a slot is registered twice");
    qWarning("%s: %s is registered already; the second registration is ignored", registry, qUtf8Printable(slot));
    return false;
}

namespace StoreKinds {

const TStoreKind* Find(int code)
{
    const auto& kinds = Table().Kinds;
    auto found = kinds.constFind(code);
    return found == kinds.constEnd() ? nullptr : &*found;
}

QList<const TStoreKind*> All()
{
    QList<const TStoreKind*> all;
    for (const TStoreKind& kind : std::as_const(Table().Kinds))
        all.append(&kind);
    return all;
}

bool Register(const TStoreKind& kind)
{
    auto& kinds = Table().Kinds;
    if (kinds.contains(kind.Code)) {
        return RefuseSecondRegistration("StoreKinds", QStringLiteral("kind %1").arg(kind.Code));
    }
    kinds.insert(kind.Code, kind);
    return true;
}

bool IsFixedRow(int kind, const QString& id, const QString& identityRowId)
{
    if (const TStoreKind* found = Find(kind); found && found->Fixed)
        return true;
    return SameId(id, Ids::None) || SameId(id, Ids::SystemRow)
        || (!identityRowId.isEmpty() && SameId(id, identityRowId));
}

} // namespace StoreKinds
