#pragma once

class TDBMainInfo;

/**
 * Deleting an object removes or repairs every row that depends on it: a kind-specific first stage, then
 * the links every kind can have, every remaining reference redirected to the none id, the row itself,
 * and the announcement to the object-events listener. Everything runs on the object's own database in
 * one write transaction.
 */
namespace CascadeDelete {

/// Deletes \a object (a loaded record) with everything that depends on it, after the user confirmed.
/// True when deleted; false when nothing was deleted (the user has been told why).
bool DeleteObject(const TDBMainInfo& object);

} // namespace CascadeDelete
