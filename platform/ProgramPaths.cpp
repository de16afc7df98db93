#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_programFolder;
QString g_sharedFolder;

const QString kSettingsName = QStringLiteral("Zorvin.ini");

QString ProgramSubfolder(QStandardPaths::StandardLocation location)
{
    // The generic locations follow $XDG_CONFIG_HOME and $XDG_DATA_HOME (a relative value is ignored, as
    // the base directory rules say) with ~/.config and ~/.local/share when they are unset.
    return QDir(QStandardPaths::writableLocation(location)).filePath(QStringLiteral("zorvin"));
}
} // namespace

namespace ProgramPaths {

QString ProgramFolder()
{
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString SharedFolder()
{
    return g_sharedFolder.isEmpty() ? QStringLiteral("/var/lib/zorvin") : g_sharedFolder;
}

void SetProgramFolder(const QString& folder)
{
    g_programFolder = QDir::cleanPath(folder);
    if (folder.isEmpty())
        g_programFolder.clear();
}

void SetSharedFolder(const QString& folder)
{
    g_sharedFolder = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString InstalledShareFolder()
{
    return QDir::cleanPath(ProgramFolder() + QStringLiteral("/../share/zorvin"));
}

QString UserConfigFolder()
{
    return ProgramSubfolder(QStandardPaths::GenericConfigLocation);
}

QString UserDataFolder()
{
    return ProgramSubfolder(QStandardPaths::GenericDataLocation);
}

bool IsInstalled()
{
    const QString folder = ProgramFolder();
    if (QFileInfo::exists(QDir(folder).filePath(kSettingsName)))
        return false;
    // The bin folder of an installed program stays the package's even for a user who may write there.
    return !QFileInfo(folder).isWritable() || QFileInfo(InstalledShareFolder()).isDir();
}

QString SettingsFolder()
{
    return IsInstalled() ? UserConfigFolder() : ProgramFolder();
}

QString SettingsFile()
{
    return QDir(SettingsFolder()).filePath(kSettingsName);
}

QString DataFolder()
{
    return IsInstalled() ? UserDataFolder() : ProgramFolder();
}

QString ResourceFolder()
{
    const QString folder = ProgramFolder();
    if (QFileInfo(QDir(folder).filePath(QStringLiteral("Help"))).isDir())
        return folder;
    const QString share = InstalledShareFolder();
    return QFileInfo(share).isDir() ? share : folder;
}

} // namespace ProgramPaths
