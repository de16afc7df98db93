#pragma once

#include "store/kinds/KindView.h"

/// The sort of an internet contact (Int1); 0 when none was chosen.
namespace InternetType {
enum : int { None = 0, Email = 1, Site = 2, SocialNetwork = 3, Messenger = 4, Skype = 5, Other = 6 };
}

/// An internet contact (kind 5) of a person or an organization: an e-mail address, a site, an account.
template <typename TRow> class TInternetContactViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(TGID, Owner, Link1)
    /// InternetType.
    ZORVIN_COLUMN(qint64, ContactType, Int1)
    /// The picture number of the contact's type.
    ZORVIN_COLUMN(qint64, Picture, Int2)
    /// The e-mail address, URL or account.
    ZORVIN_COLUMN(QString, Address, Str1)
    /// A name, for social networks, messengers and other links.
    ZORVIN_COLUMN(QString, Name, Str2)
};

ZORVIN_KIND_VIEW(InternetContact)
