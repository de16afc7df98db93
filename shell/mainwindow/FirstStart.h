#pragma once

#include <QString>

/**
 * \brief The very first start of an installed program, which finds no settings file anywhere.
 *
 * It offers to create an empty database in the user's data folder or to open an existing database file,
 * and writes the user's settings file for the choice. User-interface thread only.
 */
namespace FirstStart {

/// The question asked.
extern const QString Question;

/// Whether this start is a first one: the program is installed and its settings file does not exist.
bool IsFirstStart();
/// Asks, and makes the database and the settings file chosen. False when the user declined or something
/// could not be made (which was then shown).
bool Offer();

} // namespace FirstStart
