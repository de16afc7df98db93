#pragma once

#include "store/kinds/KindView.h"

/// An organization or one of its branches (kind 6).
template <typename TRow> class TOrganizationViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, Name, Str1)
    /// The form of ownership of an independent organization, the parent's name for a branch.
    ZORVIN_COLUMN(QString, FormOrParent, Str2)
    /// OrganizationDisplayName.
    ZORVIN_COLUMN(QString, DisplayName, Str5)
    /// The parent organization of a branch; the none id for an independent organization.
    ZORVIN_COLUMN(TGID, Parent, Link1)
    ZORVIN_COLUMN(double, Founded, Date1)
    ZORVIN_FLAG(FoundedComplete, D1Flag)
    /// Remind of the anniversary every year.
    ZORVIN_FLAG(RemindFounded, D1Fixed)
    ZORVIN_COLUMN(double, Closed, Date2)
    ZORVIN_FLAG(IsClosed, D2Flag)
    ZORVIN_COLUMN(QByteArray, Logo, Foto)
};

ZORVIN_KIND_VIEW(Organization)

/// The parent's display name + ", " + the name for a branch (\a parentName not empty); otherwise the form of
/// ownership + ", " + the name, or the name alone.
inline QString OrganizationDisplayName(const QString& parentName, const QString& form, const QString& name)
{
    if (!parentName.isEmpty())
        return parentName + u", " + name;
    return form.isEmpty() ? name : form + u", " + name;
}

/// The refusals of the organization rules, as the user reads them.
namespace OrganizationTexts {
/// The hierarchy has two levels: a branch has no branches, and an organization with branches is no branch.
inline const QString BranchOfBranch = QStringLiteral("Подразделение не может иметь подразделений!");
} // namespace OrganizationTexts
