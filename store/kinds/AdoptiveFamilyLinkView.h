#pragma once

#include "store/kinds/KindView.h"

/// A person adopted into a family (kind 81).
template <typename TRow> class TAdoptiveFamilyLinkViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(TGID, Family, Link1)
    ZORVIN_COLUMN(TGID, Person, Link2)
    ZORVIN_COLUMN(double, From, Date1)
    ZORVIN_FLAG(HasFrom, D1Flag)
    ZORVIN_COLUMN(double, To, Date2)
    ZORVIN_FLAG(HasTo, D2Flag)
};

ZORVIN_KIND_VIEW(AdoptiveFamilyLink)
