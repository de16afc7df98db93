#pragma once

/// The sections of the event card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::Event, EventSection::Notes, ...)); the card shows them in its groups.
namespace EventSection {
enum : int {
    Links = 2, ///< "Роли, Связи с людьми и организациями"
    LinkedEvents = 3, ///< "Связанные события", without the search panel
    Notes = 4, ///< "Заметки"
    Finance = 10, ///< "Фин. операции по данному событию"
};
} // namespace EventSection
