#pragma once

class TDBMainInfo;

/**
 * Deleting an object removes or repairs every row that depends on it: a kind-specific first stage, then
 * the links every kind can have, every remaining reference redirected to the none id, the row itself,
 * and the announcement to the object-events listener. Everything runs on the object's own database in
 * one write transaction.
 */
namespace CascadeDelete {

/// Results of Delete.
namespace Result {
enum : int {
    Deleted = 0,
    Failed = -1, ///< a statement failed; everything was rolled back ("Запрос вызвал ошибку" shown)
    NotDeletable = -2, ///< an empty id or one of the database's fixed rows; nothing shown
    ReferenceDatabase = -20, ///< write mode 0 ("Попытка записи в базу констант!" shown)
    NotPermitted = -21, ///< write mode other than 0 and 1 ("Нет разрешения на данную операцию!" shown)
    NoDatabase = -22, ///< no database at all ("Не удалось подключиться к БД" shown)
    NotConnected = -100, ///< the database is not connected ("Не удалось подключиться к БД" shown)
};
}

/// Deletes \a object (a loaded record) with everything that depends on it, after the user confirmed.
/// True when deleted; false when nothing was deleted (the user has been told why, unless the record
/// names no object or a fixed row of the database, which are never deleted).
bool DeleteObject(const TDBMainInfo& object);

/// As DeleteObject, with the reason when nothing was deleted (a Result code). The listener hears the
/// kinds concerned only after the whole deletion was committed. User-interface thread only.
int Delete(const TDBMainInfo& object);

} // namespace CascadeDelete
