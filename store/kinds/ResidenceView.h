#pragma once

#include "store/kinds/KindView.h"

/// A person or an organization living (located) at an address (kind 80).
template <typename TRow> class TResidenceViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(TGID, Address, Link1)
    /// The person or organization.
    ZORVIN_COLUMN(TGID, Resident, Link2)
    /// Lives (is located) there now.
    ZORVIN_FLAG(Current, Flag)
    ZORVIN_COLUMN(double, From, Date1)
    ZORVIN_FLAG(HasFrom, D1Flag)
    ZORVIN_COLUMN(double, To, Date2)
    ZORVIN_FLAG(HasTo, D2Flag)
};

ZORVIN_KIND_VIEW(Residence)
