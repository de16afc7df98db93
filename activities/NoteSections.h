#pragma once

/// The sections of the note card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::Note, NoteSection::Finance, ...)); the card shows them in its groups.
/// The linked objects are the note-links list the main window hands out.
namespace NoteSection {
enum : int {
    Finance = 10, ///< "Финансовые операции"
    Links = 13, ///< "Связанные объекты"
};
} // namespace NoteSection
