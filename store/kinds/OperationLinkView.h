#pragma once

#include "store/kinds/KindView.h"

/// A money operation's link to an object it concerns (kind 82).
template <typename TRow> class TOperationLinkViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(TGID, Operation, Link1)
    ZORVIN_COLUMN(TGID, Object, Link2)
    ZORVIN_COLUMN(TGID, Category, Link3)
    ZORVIN_COLUMN(QString, Role, Str1)
    /// When linked.
    ZORVIN_COLUMN(double, Linked, Date1)
    ZORVIN_FLAG(HasLinked, D1Flag)
};

ZORVIN_KIND_VIEW(OperationLink)
