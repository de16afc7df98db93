#pragma once

#include "store/StoreResult.h"

#include <QString>

class TDBMainInfo;
class TListRow;
class TMyDataBase;

/**
 * \file
 * The rules of role rows (kind 20) without widgets: how the link dialog derives its two sides from the
 * template a list hands it, what each side shows by the kinds it joins, how the pair is written, and the
 * filter conditions and row texts the role lists share.
 */
namespace RoleRules {

/// What one side of the link dialog shows, by the kind of its holder and of the object on the other side.
struct TSideLayout
{
    /// "Роль человека", "Роль адреса", "Роль организации" or "Событие".
    QString Title;
    /// "Группа ролей" for a one-sided role, else "Связанный объект поместить в группу".
    QString GroupCaption;
    /// The group box is usable; a side linked to an event files itself under the event's project instead.
    bool GroupEnabled = true;
    /// The role name and rating are asked.
    bool Role = true;
    /// "Роль", or "Результат" on the event side of a participation.
    QString RoleCaption;
    /// "Связать с" and its object picker.
    bool Link = false;
    /// The side's check box, and its caption.
    bool LinkTel = false;
    QString LinkTelCaption;
};

TSideLayout SideLayout(int holderKind, int otherKind);

/// The statement of MostFrequentFarGroup.
QString FarGroupStatement(int holderKind, int otherKind, const QString& group);
/// The group used most often on the far side of the links of one shape: the partners of the role rows held
/// by kind \a holderKind, linked with kind \a otherKind and filed under \a group, counted by their group.
/// Empty when there is none or the database cannot answer.
QString MostFrequentFarGroup(TMyDataBase* db, int holderKind, int otherKind, const QString& group);

/**
 * The two sides the link dialog shows for \a record: a stored role row (side B is its partner, a blank
 * record for a one-sided role) or the template of a new link (kind 20, Link1 the holder, Link2 the object
 * to link with, Link3 the group chosen for the holder's side, Int1 and Int2 their kinds). For a new link
 * side B is the other object's side, filed under the group its side of links of the same shape uses most;
 * a link with an event takes the event's period, and the side that is not the event is filed under the
 * event's project. An object linked with itself gives a one-sided role. Each side carries the id of the
 * object on its far side (FarObject).
 */
void DeriveSides(const TDBMainInfo& record, TDBMainInfo& a, TDBMainInfo& b);

/// Whether \a b holds a side: the dialog writes a pair.
bool IsTwoSided(const TDBMainInfo& b);

/**
 * Writes side \a a and, when \a b holds a side, \a b with it, on \a a's database in one write transaction:
 * both sides carry \a a's period and name each other through Link5. A one-sided role is written alone. Every
 * save is checked: on any failure nothing is written and both records are left as they were. After the
 * commit role rows are announced as saved.
 */
TStoreResult WritePair(TDBMainInfo& a, TDBMainInfo& b);

/// A role name as it is stored: trimmed, its first letter upper-cased, "-" for nothing.
QString StoredName(const QString& typed);

/// The rating bounds of the filter text "от: n  до: nn": "AllInfo.Int4 >= " and "AllInfo.Int4 <= " (on
/// \a field) for each bound given, appended to \a where.
void RatingConditions(QString& where, const QString& value, const QString& field = QStringLiteral("AllInfo.Int4"));
/// The period of the filter text "с: dd.mm.yyyy по: dd.mm.yyyy" on \a field, appended to \a where: on or
/// after the first day, before the day after the last one (the last day is in, whatever the time).
void PeriodConditions(QString& where, const QString& value, const QString& field = QStringLiteral("AllInfo.Date1"));

/// The text of the description column of a role-list row, for a master of kind \a masterKind (a role row
/// master passes its holder's kind).
QString DescriptionText(const TListRow& row, int masterKind);
/// The picture of the photo column of a role-list row (the linked object's kind); -1 for an empty row.
int LinkedPicture(const TListRow& row);

} // namespace RoleRules
