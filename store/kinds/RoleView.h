#pragma once

#include "store/kinds/KindView.h"

/// One side of a link between two objects (kind 20); a two-sided role is a pair of rows naming each other
/// through OppositeSide.
template <typename TRow> class TRoleViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(TGID, Holder, Link1)
    /// The role group, or the project.
    ZORVIN_COLUMN(TGID, Group, Link2)
    ZORVIN_COLUMN(TGID, Third, Link3)
    /// The opposite side's row; the none id when the role is one-sided.
    ZORVIN_COLUMN(TGID, OppositeSide, Link5)
    ZORVIN_COLUMN(qint64, HolderKind, Int1)
    /// The other side's kind; 0 when one-sided.
    ZORVIN_COLUMN(qint64, OtherKind, Int2)
    /// 0 .. 10.
    ZORVIN_COLUMN(qint64, Rating, Int4)
    /// The role's name; "-" when empty.
    ZORVIN_COLUMN(QString, Name, Str1)
    /// Never stored: while the link dialog is open, the object on the far side of the link.
    ZORVIN_COLUMN(QString, FarObject, Str4)
    ZORVIN_FLAG(Marked, Flag)
    ZORVIN_COLUMN(double, From, Date1)
    ZORVIN_FLAG(HasFrom, D1Flag)
    ZORVIN_COLUMN(double, To, Date2)
    /// The period has ended.
    ZORVIN_FLAG(HasEnded, D2Flag)
};

ZORVIN_KIND_VIEW(Role)
