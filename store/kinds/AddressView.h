#pragma once

#include "store/kinds/KindView.h"

/// An address (kind 3): its parts from the country down to the street, and the postal index, house and flat
/// kept as plain text in link columns.
template <typename TRow> class TAddressViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, Country, Str1)
    ZORVIN_COLUMN(QString, Region, Str2)
    ZORVIN_COLUMN(QString, District, Str3)
    /// The city, town or village.
    ZORVIN_COLUMN(QString, Settlement, Str4)
    ZORVIN_COLUMN(QString, Street, Str5)
    ZORVIN_LINK_TEXT(PostalIndex, Link5)
    ZORVIN_LINK_TEXT(House, Link4)
    /// The flat or office.
    ZORVIN_LINK_TEXT(Flat, Link3)
};

ZORVIN_KIND_VIEW(Address)
