#include "platform/gui/QtDesktop.h"

#include <QDesktopServices>
#include <QProcess>

bool TQtDesktop::OpenUrl(const QUrl& url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool TQtDesktop::StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}
