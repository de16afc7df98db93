#pragma once

#include "store/kinds/KindView.h"

/// A note's attachment to an object (kind 34).
template <typename TRow> class TNoteLinkViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    /// The note, or the object the link starts from.
    ZORVIN_COLUMN(TGID, Note, Link1)
    /// The attached object.
    ZORVIN_COLUMN(TGID, Object, Link2)
    ZORVIN_COLUMN(QString, Role, Str1)
    /// When linked.
    ZORVIN_COLUMN(double, Linked, Date1)
    ZORVIN_FLAG(HasLinked, D1Flag)
};

ZORVIN_KIND_VIEW(NoteLink)
