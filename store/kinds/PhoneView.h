#pragma once

#include "store/kinds/KindView.h"

/// The sort of a phone (Int1).
namespace PhoneType {
enum : int { Phone = 0, Fax = 1, PhoneFax = 2, Mobile = 3 };
}

/// A phone (kind 4) of a person, an address or an organization.
template <typename TRow> class TPhoneViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(TGID, Owner, Link1)
    /// The owner's kind: Kind::Person, Kind::Address or Kind::Organization.
    ZORVIN_COLUMN(qint64, OwnerKind, Int2)
    /// The twelve digits of the number (country code 2, area code 3, then 3 + 2 + 2); unset positions are blanks.
    ZORVIN_COLUMN(QString, Number, Str1)
    /// PhoneType.
    ZORVIN_COLUMN(qint64, PhoneKind, Int1)
    /// The role of the phone of an organization.
    ZORVIN_COLUMN(QString, Role, Str2)
};

ZORVIN_KIND_VIEW(Phone)
