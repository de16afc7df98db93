#pragma once

#include "store/Gid.h"

#include <QDate>
#include <QString>

/// What the extended search of the people list was given, row by row, beyond the prefix matches on the
/// names and the comment (texts as the rows show them; picked objects by id).
struct TPeopleFilter
{
    QString Sex;      ///< "Пол"
    QString Status;   ///< "Статус"
    QString Age;      ///< "Возраст", masked "от: ##  до: ##"
    QString BirthDay; ///< "Дата рождения", masked "dd.mm.yyyy"
    QString Internet; ///< "Internet ресурс"
    QString PhoneOwner;   ///< the owner of the picked phone
    int PhoneOwnerKind = 0;
    QString Organization; ///< "Связан с организацией"
    QString Event;        ///< "Связан с событием"
    QString Group;        ///< the picked group's id; empty when no group is chosen
    QString Role;         ///< "Роль"
    QString Rating;       ///< "Оценка", masked "от: #  до: ##"
    QString State;        ///< "Состояние"
    QString Country, Region, District, City;
};

/// The state texts of the "Состояние" pick list.
namespace PeopleStates {
inline const QString Now = QStringLiteral("Сейчас в группе");
inline const QString Was = QStringLiteral("Был в группе");
} // namespace PeopleStates

/// What the group and role rows of a list ask of the roles its objects hold.
struct TRoleFilter
{
    QString Group;  ///< the picked group's id; empty when no group is chosen
    QString Role;   ///< "Роль", a prefix of the role's name
    QString Rating; ///< "Оценка", masked "от: #  до: ##"
    QString State;  ///< "Состояние"
};

/// "AllInfo.ObjId in (...)": the holders of kind \a holderKind of a role row that \a filter fits, the state
/// \a wasState asking for roles that ended; empty when neither a group nor a role is given.
QString HolderRoleCondition(int holderKind, const TRoleFilter& filter, const QString& wasState);
/// "AllInfo.ObjId in (...)": the objects living at an address whose parts begin as given; empty when all are
/// blank.
QString HolderAddressCondition(
    const QString& country, const QString& region, const QString& district, const QString& city, const QString& street);

/**
 * The conditions \a filter adds to the people list's where-text, joined by " and ", with \a today the day
 * ages are counted from. Blank rows add nothing; a birth date that names no existing day adds nothing.
 */
QString PeopleFilterConditions(const TPeopleFilter& filter, const QDate& today);

/// The day \a years before \a today, a 29 February falling on 1 March in a year without one.
QDate YearsBefore(const QDate& today, int years);
