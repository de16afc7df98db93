#pragma once

/// The sections of the family card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::Family, FamilySection::Notes, ...)).
namespace FamilySection {
enum : int {
    Notes = 4,
    Children = 6,
    Finance = 10,
};
} // namespace FamilySection
