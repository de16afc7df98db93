#pragma once

#include "store/kinds/KindView.h"

#include <QStringList>

/// The status of a family (Int1).
namespace FamilyStatus {
enum : int { Married = 1, CivilMarriage = 2, LivingApart = 3, Divorced = 4, Widower = 5, Widow = 6, Died = 7 };

/// The captions of the statuses 1..7, in the order the list filter and the editor offer them.
inline const QStringList& Captions()
{
    static const QStringList captions{QStringLiteral("Живут в браке"), QStringLiteral("Гражданский брак"),
        QStringLiteral("В браке, но живут врознь"), QStringLiteral("Развелись"), QStringLiteral("Вдовец"),
        QStringLiteral("Вдова"), QStringLiteral("Умерли")};
    return captions;
}
} // namespace FamilyStatus

/// A family (kind 7): a couple with the period and status of their marriage.
template <typename TRow> class TFamilyViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    /// A person; the none id when unknown.
    ZORVIN_COLUMN(TGID, Husband, Link1)
    /// A person; the none id when unknown.
    ZORVIN_COLUMN(TGID, Wife, Link2)
    /// The husband's surname and first name joined by a blank.
    ZORVIN_COLUMN(QString, HusbandName, Str1)
    /// The wife's surname and first name joined by a blank.
    ZORVIN_COLUMN(QString, WifeName, Str2)
    /// FamilyStatus.
    ZORVIN_COLUMN(qint64, Status, Int1)
    ZORVIN_COLUMN(double, Start, Date1)
    ZORVIN_FLAG(StartComplete, D1Flag)
    /// Remind of the wedding anniversary every year.
    ZORVIN_FLAG(RemindStart, D1Fixed)
    ZORVIN_COLUMN(double, End, Date2)
    ZORVIN_FLAG(HasEnded, D2Flag)
};

ZORVIN_KIND_VIEW(Family)
