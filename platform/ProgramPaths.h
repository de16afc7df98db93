#pragma once

#include <QString>

/**
 * \brief The places the system keeps its files.
 *
 * The program's folder is the folder of its executable (Zorvin.ini, Data/, Doc/, Help/ lie there); the
 * shared data folder holds the database shared by every user of the machine. Tests point both elsewhere.
 * Set them before any database is opened, from the user-interface thread.
 */
namespace ProgramPaths {

/// The program's folder (no trailing separator).
QString ProgramFolder();
/// The folder shared by all users of the machine: /var/lib/zorvin unless overridden.
QString SharedFolder();
/// Overrides the program's folder; an empty text restores the executable's folder.
void SetProgramFolder(const QString& folder);
/// Overrides the shared folder; an empty text restores the default.
void SetSharedFolder(const QString& folder);

} // namespace ProgramPaths
