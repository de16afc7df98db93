#pragma once

#include "store/kinds/KindView.h"

/// An account (kind 23): its balance is the sum of the amounts of its money operations.
template <typename TRow> class TAccountViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, Name, Str1)
    ZORVIN_COLUMN(QString, Currency, Str4)
    /// AccountDisplayName.
    ZORVIN_COLUMN(QString, DisplayName, Str5)
    /// 0 .. 7.
    ZORVIN_COLUMN(qint64, AccountKind, Int1)
    /// In hundredths of the currency.
    ZORVIN_COLUMN(qint64, Balance, Int5)
    /// The financial institution (an organization).
    ZORVIN_COLUMN(TGID, Institution, Link1)
    ZORVIN_COLUMN(double, Opened, Date1)
    ZORVIN_FLAG(HasOpened, D1Flag)
    ZORVIN_COLUMN(double, ClosedOn, Date2)
    ZORVIN_FLAG(IsClosed, D2Flag)
};

ZORVIN_KIND_VIEW(Account)

/// The name + ", " + the currency.
inline QString AccountDisplayName(const QString& name, const QString& currency)
{
    return name + u", " + currency;
}
