#pragma once

#include "store/LookupLists.h"

#include <QString>

class TMyDataBase;
struct TObjectRow;

/**
 * \file
 * The group lists: which groups, categories and projects (kind 21) an object may be filed under, and the
 * name check of the group editor, which follows the same scopes.
 *
 * Every screen that offers groups in a drop-down calls GroupList (role sides and role lists, notes, money
 * operations) or ProjectList (events, notes, analyses) and puts its own first items ("Группа не указана"
 * and the like) in front; each item keeps the group's id. The scopes, for a kind K and an object X:
 *  - K = 6 (an organization X): the projects, the organization groups open to all organizations and those
 *    limited to X;
 *  - K = 8 (an event X): the event groups limited to X and those shared by the events of X's project;
 *  - K = 27 or 28 (a category X): X's income or expense subcategories;
 *  - any other K: the groups of type K and the projects.
 * Every list is ordered by name as the database orders text.
 */
namespace GroupLists {

/// The condition over the columns of one AllInfo row (kind 21 is the caller's) that selects the groups of
/// the scope of kind \a kind for the object \a object; for an event \a project is the event's project.
QString ScopeCondition(int kind, const QString& object, const QString& project = QString());

/// The select of \a columns over the groups of the scope, ordered by name.
QString ScopeStatement(
    const QString& columns, int kind, const QString& object, const QString& project = QString());

/// The statement of GroupList: name and id of the groups offered to the object \a object of kind \a kind
/// (an event's project is read from \a db).
QString GroupListStatement(TMyDataBase* db, int kind, const QString& object);

/// Fills \a list with the groups offered to the object \a object of kind \a kind (an empty \a object for a
/// kind without one, notes: kind 10). False when the database could not be read (the list is then empty).
bool GroupList(TMyDataBase* db, int kind, const QString& object, TValueList& list);

/// The statement of ProjectList.
QString ProjectListStatement();

/// Fills \a list with the projects by name. False when the database could not be read.
bool ProjectList(TMyDataBase* db, TValueList& list);

/// The condition of the groups a new or edited group \a group (its type, owner, project and scope flag as
/// the editor is about to store them) must not share its name with.
QString NameScopeCondition(const TObjectRow& group);

/**
 * Whether the name \a name is taken for \a group: another group (not \a group's own row) of
 * NameScopeCondition has this name, names compared as the database compares text. A look-up that fails
 * counts as taken, so that nothing is saved while the database cannot answer.
 */
bool NameTaken(TMyDataBase* db, const TObjectRow& group, const QString& name);

/**
 * The money operations filed under the subcategory \a subcategory follow it into the category
 * \a category: their category becomes \a category. False when the statement failed.
 */
bool MoveSubcategoryOperations(TMyDataBase* db, const QString& subcategory, const QString& category);

} // namespace GroupLists
