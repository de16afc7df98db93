#pragma once

#include "store/kinds/KindView.h"

/// What a group row (Int1) is: a role group, a project, a note group or a finance category.
namespace GroupType {
enum : int {
    PeopleRoles = 1,
    OrganizationRoles = 6,
    EventRoles = 8,
    Project = 9,
    NoteGroups = 10,
    IncomeCategory = 25,
    ExpenseCategory = 26,
    IncomeSubcategory = 27,
    ExpenseSubcategory = 28,
};
}

/// A group, category or project (kind 21); its display name is its name.
template <typename TRow> class TGroupViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, Name, Str1)
    ZORVIN_COLUMN(QString, DisplayName, Str5)
    /// GroupType.
    ZORVIN_COLUMN(qint64, GroupKind, Int1)
    /// The owner object, or the parent category of a subcategory.
    ZORVIN_COLUMN(TGID, Owner, Link1)
    /// The project of an event group.
    ZORVIN_COLUMN(TGID, Project, Link2)
    /// The group serves its owner only.
    ZORVIN_FLAG(ScopedToOwner, Flag)
    /// The start of a project.
    ZORVIN_COLUMN(double, From, Date1)
    ZORVIN_FLAG(HasFrom, D1Flag)
    /// The end of a project.
    ZORVIN_COLUMN(double, To, Date2)
    ZORVIN_FLAG(HasTo, D2Flag)
};

ZORVIN_KIND_VIEW(Group)
