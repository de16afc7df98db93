#pragma once

#include "store/StoreResult.h"

#include <QStringList>

class TDBMainInfo;

/**
 * Deleting an object removes or repairs every row that depends on it: a kind-specific first stage, then
 * the links every kind can have, every remaining reference redirected to the none id, the row itself,
 * and the announcement to the object-events listener. Everything runs on the object's own database in
 * one write transaction. Nothing is shown here: the caller shows the result's text.
 */
namespace CascadeDelete {

/// Results of Delete.
namespace Result {
enum : int {
    Deleted = 0,
    Failed = -1, ///< a statement failed; everything was rolled back ("Запрос вызвал ошибку")
    NotDeletable = -2, ///< an empty id or one of the database's fixed rows; no text
    ReferenceDatabase = -20, ///< write mode 0 ("Попытка записи в базу констант!")
    NotPermitted = -21, ///< write mode other than 0 and 1 ("Нет разрешения на данную операцию!")
    NoDatabase = -22, ///< no database at all ("Не удалось подключиться к БД")
    NotConnected = -100, ///< the database is not connected ("Не удалось подключиться к БД")
};
}

/// Deletes \a object (a loaded record) with everything that depends on it, after the user confirmed. The
/// result's code is a Result, its text what the user is to read (empty for Deleted and NotDeletable: a
/// record that names no object or a fixed row of the database is never deleted). \a deleted, when given,
/// receives every id the deletion removed: the object, its dependants, families left without partners,
/// paired halves (empty when nothing was deleted). The listener hears the kinds concerned only after the
/// whole deletion was committed. User-interface thread only.
TStoreResult Delete(const TDBMainInfo& object, QStringList* deleted = nullptr);

/// Whether Delete deleted \a object; for callers with no one to tell why not.
bool DeleteObject(const TDBMainInfo& object, QStringList* deleted = nullptr);

} // namespace CascadeDelete
