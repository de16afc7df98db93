#pragma once

#include "store/kinds/KindView.h"

/// A person (kind 1): names, sex, native family and godparents, birth and death.
template <typename TRow> class TPersonViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, Surname, Str1)
    ZORVIN_COLUMN(QString, FirstName, Str2)
    ZORVIN_COLUMN(QString, Patronymic, Str3)
    /// The display name composed on every save (PersonDisplayName).
    ZORVIN_COLUMN(QString, DisplayName, Str5)
    /// True for a woman.
    ZORVIN_FLAG(IsFemale, Flag)
    ZORVIN_COLUMN(TGID, NativeFamily, Link1)
    ZORVIN_COLUMN(TGID, Godfather, Link2)
    ZORVIN_COLUMN(TGID, Godmother, Link3)
    ZORVIN_COLUMN(double, BirthDate, Date1)
    /// The birth date has its day, month and year.
    ZORVIN_FLAG(BirthDateComplete, D1Flag)
    /// Remind of the birthday every year.
    ZORVIN_FLAG(RemindBirthday, D1Fixed)
    ZORVIN_COLUMN(double, DeathDate, Date2)
    ZORVIN_FLAG(IsDead, D2Flag)
    /// Remind of the day of death every year.
    ZORVIN_FLAG(RemindDeathDay, D2Fixed)
    ZORVIN_COLUMN(QByteArray, Photo, Foto)
    /// Stored as 0. While a person is edited or searched for: the sex chosen or guessed, 1 a man, 2 a woman,
    /// 0 unknown.
    ZORVIN_COLUMN(qint64, SexHint, Int1)
};

using TPersonView = TPersonViewOf<TObjectRow>;
using TConstPersonView = TPersonViewOf<const TObjectRow>;
inline TPersonView PersonView(TObjectRow& row)
{
    return TPersonView(row);
}
inline TConstPersonView PersonView(const TObjectRow& row)
{
    return TConstPersonView(row);
}

/// Surname, then " " + the first letter of the first name + ".", then " " + the first letter of the
/// patronymic + "."; with no surname: the first name + " " + the patronymic.
QString PersonDisplayName(const QString& surname, const QString& firstName, const QString& patronymic);

class TMyDataBase;

/// The sex the counts of men and women who bear a first name suggest: 1 a man, 2 a woman, 0 when both or
/// neither are found.
int SexOfCounts(qint64 men, qint64 women);

/// The sex the people of \a db (nullptr: the current database) with the first name \a name suggest
/// (SexOfCounts); 0 when the query fails.
int GuessSexOfFirstName(TMyDataBase* db, const QString& name);
