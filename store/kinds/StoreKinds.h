#pragma once

#include "store/KindRegistry.h"

namespace StoreKinds {

/// The descriptors of the kinds the store itself defines, one per stored kind.
QList<TStoreKind> BuiltIn();

/// The statement that writes into the operation \a operation's Int3 the number of its operation links (the
/// rows of kind 82 whose Link1 names it). Every write and deletion of an operation link runs it, in the
/// transaction of the change.
QString OperationLinkRecount(const QString& operation);

} // namespace StoreKinds
