#pragma once

#include "store/KindRegistry.h"

namespace StoreKinds {

/// The descriptors of the kinds the store itself defines, one per stored kind.
QList<TStoreKind> BuiltIn();

} // namespace StoreKinds
