#pragma once

/// The sections of the organization card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::Organization, FirmaSection::Notes, ...)); the card shows them in its groups.
namespace FirmaSection {
enum : int {
    HowConnect = 1,
    Links = 2,
    Events = 3,
    Notes = 4,
    Neighbours = 9,
    Finance = 10,
    Filias = 11,
    Roles = 20,
};
} // namespace FirmaSection
