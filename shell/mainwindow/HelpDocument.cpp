#include "shell/mainwindow/HelpDocument.h"

#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

namespace HelpDocument {

QString Path()
{
    return QDir(ProgramPaths::ResourceFolder()).filePath(QStringLiteral("Help/Help_Zorvin_Base_1_0.pdf"));
}

bool Open()
{
    const QString path = Path();
    if (!QFileInfo(path).isFile()) {
        Messages().ShowMessage(QStringLiteral("Не найден файл справки:\r") + QDir::toNativeSeparators(path));
        return false;
    }
    if (!Desktop::OpenPath(path)) {
        Messages().ShowMessage(QStringLiteral("Не удалось открыть файл справки:\r") + QDir::toNativeSeparators(path)
                               + QStringLiteral("\rУстановите программу для просмотра файлов PDF."));
        return false;
    }
    return true;
}

} // namespace HelpDocument
