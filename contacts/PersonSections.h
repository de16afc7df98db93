#pragma once

/// The sections of the person card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::Person, PersonSection::Events, ...)); the card shows them in its groups.
namespace PersonSection {
enum : int {
    HowConnect = 1,
    Links = 2,
    Events = 3,
    Notes = 4,
    Parents = 5,
    Families = 6,
    RelationTree = 7,
    Godparents = 8,
    Neighbours = 9,
    Finance = 10,
    Roles = 20,
};
} // namespace PersonSection
