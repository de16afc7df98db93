#pragma once

#include <QList>
#include <QString>

#include <functional>

class TCascadeSteps;
class TMyDataBase;
struct TObjectRow;

/**
 * \brief What the store knows of one object kind: its code, the columns derived on every save, the
 * first stage of its cascading deletion, and whether its rows may be written or deleted at all.
 *
 * Each kind's descriptor lives beside its typed view in store/kinds/ and is registered there; the store
 * computes the derived columns on every save, whoever saves (an editor, the seed, an import, a worker
 * thread). The screens of a kind are described apart, by the shell's kind registry.
 */
struct TStoreKind
{
    int Code = 0;
    /// Fills the columns derived from the others (display name, none ids for empty links); may be empty.
    std::function<void(TObjectRow& row)> Derive;
    /// The first stage of deleting \a row (store/CascadeSteps.h), before the stage common to all kinds; may
    /// be empty. False when a step failed.
    std::function<bool(TCascadeSteps& cascade, const TObjectRow& row)> DeleteFirst;
    /// Runs inside the write transaction of a save, after \a row was written (\a stored: the row as it was
    /// loaded, nullptr for a new one): the rows that follow from it are rewritten in the same transaction. False
    /// refuses the save, which is then rolled back whole; \a refusal says why (empty: the statement failed).
    /// May be empty.
    std::function<bool(TMyDataBase& db, const TObjectRow& row, const TObjectRow* stored, QString& refusal)> AfterWrite;
    /// A fixed row every database needs (placeholder, system row, identity row): never saved over nor deleted.
    bool Fixed = false;
};

/// Tells of a second registration of one slot, a mistake of whoever registers it: asserts in a debug build,
/// warns "<registry>: <slot> is registered already; the second registration is ignored" in a release one.
/// Always false: the answer of the refused registration.
bool RefuseSecondRegistration(const char* registry, const QString& slot);

namespace StoreKinds {

/// The descriptor of \a code; nullptr for a kind nobody registered.
const TStoreKind* Find(int code);
/// Every registered descriptor, by code.
QList<const TStoreKind*> All();
/// Registers \a kind; a second registration of the same code is refused (assert in debug, warning in release).
bool Register(const TStoreKind& kind);
/// Whether \a kind / \a id name one of a database's fixed rows: a row of a fixed kind, the none id, the system
/// row, or the database's identity row \a identityRowId.
bool IsFixedRow(int kind, const QString& id, const QString& identityRowId);

} // namespace StoreKinds
