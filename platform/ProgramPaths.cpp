#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString g_programFolder;
QString g_sharedFolder;
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

} // namespace ProgramPaths
