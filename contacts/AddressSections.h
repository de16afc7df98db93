#pragma once

/// The sections of the address card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::Address, AddressSection::Events, ...)); the card shows them in its groups.
/// Phones is the list of the address's phones the card shows under its editor.
namespace AddressSection {
enum : int {
    Phones = 1,
    Events = 3,
    Notes = 4,
    Neighbours = 9,
    Finance = 10,
    Residents = 12,
};
} // namespace AddressSection
