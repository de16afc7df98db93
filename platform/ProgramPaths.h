#pragma once

#include <QString>

/**
 * \brief The places the system keeps its files.
 *
 * The program's folder is the folder of its executable. Run from where it was built (or copied with its
 * files), the program keeps everything there: Zorvin.ini, Data/, Doc/, Help/. Installed (in /usr/bin), it
 * cannot write beside itself: the settings file then lives in the user's configuration folder
 * ($XDG_CONFIG_HOME/zorvin), its own database in the user's data folder ($XDG_DATA_HOME/zorvin/Data) and
 * the files it only reads (Help/, Doc/) in the installed share folder (/usr/share/zorvin). The shared data
 * folder holds the database shared by every user of the machine. Tests point these elsewhere.
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

/// The folder of an installed program's read-only files: share/zorvin beside the program's bin folder.
QString InstalledShareFolder();
/// The user's configuration folder of the program: $XDG_CONFIG_HOME/zorvin (~/.config/zorvin).
QString UserConfigFolder();
/// The user's data folder of the program: $XDG_DATA_HOME/zorvin (~/.local/share/zorvin).
QString UserDataFolder();

/// Whether the program runs installed: its folder holds no Zorvin.ini, and it either cannot be written
/// or is the bin folder of an installed program (InstalledShareFolder() exists).
bool IsInstalled();
/// The folder that holds Zorvin.ini: the program's folder, or the user's configuration folder when
/// installed.
QString SettingsFolder();
/// The settings file, "Zorvin.ini" in SettingsFolder().
QString SettingsFile();
/// The folder whose Data/ holds the database of the FLASH mode and of an empty FILEPATH: the program's
/// folder, or the user's data folder when installed.
QString DataFolder();
/// The folder holding Help/ and Doc/: the program's folder when it holds Help/, else the installed share
/// folder when there is one, else the program's folder.
QString ResourceFolder();

} // namespace ProgramPaths
