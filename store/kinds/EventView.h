#pragma once

#include <QStringList>

#include "store/kinds/KindView.h"

/// The type of an event (Int1), in the order of the editor's list.
namespace EventType {
enum : int {
    Meeting = 1,
    PhoneCall = 2,
    InternetTalk = 3,
    Email = 4,
    Letter = 5,
    CourierLetter = 6,
    Sms = 7,
    InternetDiscussion = 8,
    Fax = 9,
    Parcel = 10,
    Other = 11,
};

/// The captions of the types Meeting..Other, in the order of the editor's list.
const QStringList& Captions();
/// The caption of \a type; empty for a value that is no type.
QString Caption(qint64 type);
}

/// The direction of an event other than a meeting (Int3).
namespace EventDirection {
enum : int { None = 0, Outgoing = 1, Incoming = 2 };
}

/// An event (kind 8): a meeting, a call, a letter, a parcel ...
template <typename TRow> class TEventViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, Name, Str1)
    ZORVIN_COLUMN(QString, Aim, Str2)
    ZORVIN_COLUMN(QString, Result, Str3)
    /// The place as free text (when HasFreePlace).
    ZORVIN_COLUMN(QString, FreePlace, Str4)
    /// EventDisplayName.
    ZORVIN_COLUMN(QString, DisplayName, Str5)
    /// EventType.
    ZORVIN_COLUMN(qint64, EventKind, Int1)
    /// The importance or status.
    ZORVIN_COLUMN(qint64, Importance, Int2)
    /// EventDirection.
    ZORVIN_COLUMN(qint64, Direction, Int3)
    ZORVIN_COLUMN(TGID, Project, Link1)
    /// Unused: the editor stores the none id.
    ZORVIN_COLUMN(TGID, SpareLink, Link2)
    /// The host of a meeting.
    ZORVIN_COLUMN(TGID, Host, Link3)
    /// The address of a meeting.
    ZORVIN_COLUMN(TGID, MeetingAddress, Link4)
    /// The place is the free text, not the host and the address.
    ZORVIN_FLAG(HasFreePlace, Flag)
    /// The start, with the time of day.
    ZORVIN_COLUMN(double, Start, Date1)
    ZORVIN_FLAG(HasStart, D1Flag)
    /// The end, with the time of day.
    ZORVIN_COLUMN(double, End, Date2)
    ZORVIN_FLAG(HasEnd, D2Flag)
};

ZORVIN_KIND_VIEW(Event)

/// "[" + the start as dd.mm.yyyy + "] " + the name, or "[Дата не определена] " + the name without a start.
QString EventDisplayName(double start, const QString& name);
