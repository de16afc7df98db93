#pragma once

#include "store/Gid.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlRecord;
class TMyDataBase;

/**
 * \file
 * Pick lists filled from the database with distinct values or with objects, the picture numbers of
 * kind-specific icons, and the one-line address text.
 *
 * Lists run their statements through TMyDataBase (on the given database, or on the current one when
 * nullptr), on the thread of that database. A statement that cannot be run leaves the list empty;
 * nothing is shown to the user. A list is never left in an engine-dependent order: a select distinct
 * without an order by is sorted by its first column.
 */

/// One item of a pick list: the text shown and, in object lists, the id of the object it stands for.
struct TValueItem
{
    QString Text;
    TGID Id; ///< empty when the item stands for no object
    bool HasId() const { return !Id.Text().isEmpty(); }
};

/// A pick list: the items of a combo box or of a filter row's list, in the order shown.
using TValueList = QList<TValueItem>;

/// The texts of \a list in order, for a combo box.
QStringList ValueTexts(const TValueList& list);

/**
 * Clears \a list and fills it with the rows of \a sql: the first column is the text; with \a withIds the
 * second column, when not empty, is the item's id. With \a skipBlank rows whose text is blank are left
 * out. False when the statement could not be run (the list stays empty).
 */
bool FillValueList(TMyDataBase* db, const QString& sql, bool skipBlank, bool withIds, TValueList& list);

/// The select distinct statement DistinctValues runs (see there); empty for an address mode it lacks.
QString DistinctValuesStatement(const QString& column, const QString& value, int extra, int mode, int kind);

/**
 * Fills \a list with the distinct values of \a column among the rows the list kind \a kind selects with
 * \a value, \a extra and \a mode (1: people, by sex with mode 1 and 2; 3: the address parts, where
 * \a column carries a second key; 4: role names of people in organizations; 5: internet contacts of type
 * \a mode; 8: events, within the project \a value; 20: role names; 23: currencies; 24: counterparties of
 * money operations; any other: rows of that kind). Blank values are left out except for addresses.
 */
bool DistinctValues(
    TMyDataBase* db, const QString& column, const QString& value, TValueList& list, int extra, int mode, int kind);

/// The statement ObjectList runs (kind 21 with holder kind 8 reads the object \a id on \a db).
QString ObjectListStatement(int kind, int holderKind, TMyDataBase* db, const QString& id);

/**
 * Fills \a list with objects and their ids: 9 projects; 20 the objects linked to \a id by roles; 21 the
 * groups usable for a holder of \a holderKind (6 organizations with the groups of \a id, 8 the event
 * groups of the event \a id and its project, 27 and 28 the subgroups of the category \a id); 23 accounts;
 * 31 the meeting kinds of \a id; any other kind: its rows by name. Blank names are left out.
 */
bool ObjectList(int kind, int holderKind, TMyDataBase* db, TValueList& list, const QString& id);

/// The index of the first item whose id is \a id (ignoring letter case); -1 when none.
int IndexOfId(const QString& id, const TValueList& list);

/// Empties \a list with the ids its items carry.
void FreeListIds(TValueList& list);

/// The field \a name of \a row as text; empty when the row has no such field.
QString FieldText(const QSqlRecord& row, const QString& name);

/// The picture of a family status 1..9; -1 for any other value.
int FamilyStatusPicture(int status);
/// The picture of a note's attachment type 1..4; -1 for any other value.
int NoteAttachmentPicture(int type);
/// The picture of an account type 0..7; \a defaultPicture for any other value.
int AccountTypePicture(int type, int defaultPicture);
/// The picture of an event type 1..10; 18 for any other value.
int EventTypePicture(int type);

/**
 * The one-line address: the parts that are not blank joined by ", " in the order postal index, country,
 * region + " обл.", district + " р-н", city, street, house, flat. The short form leaves out the district
 * when all eight parts together are longer than 50 characters, and the country as well beyond 64.
 */
QString AddressText(const QString& index, const QString& country, const QString& region, const QString& district,
    const QString& city, const QString& street, const QString& house, const QString& flat, bool shortForm);

/// The short one-line address of the address \a id read from \a db; empty for a blank or null id.
QString AddressTextOf(const QString& id, TMyDataBase* db);
