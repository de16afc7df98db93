#pragma once

/// The sections of the project card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::Group, ProjectSection::Events, ...)); the card shows them in its groups.
namespace ProjectSection {
enum : int {
    Participants = 2, ///< "Участники, роли": the people and organizations holding a role in the project
    Events = 3, ///< "События": the project's events, without delete
    Notes = 4, ///< "Заметки": the project's notes, without delete
    Finance = 10, ///< "Фин. операции по проекту"
    FinanceLinks = 11, ///< "Финансово связанны с проектом"
};
} // namespace ProjectSection
