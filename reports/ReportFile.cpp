#include "reports/ReportFile.h"

#include "store/DateSerial.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString& FolderOverride()
{
    static QString folder;
    return folder;
}

/// \a title as a file name: no folder separators, control characters or leading dots, at most 120 characters.
QString FileTitle(const QString& title)
{
    QString name;
    for (const QChar c : title.simplified())
        name += (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) ? u'_' : c;
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    name.truncate(120);
    return name.trimmed().isEmpty() ? u"Отчет"_s : name.trimmed();
}

} // namespace

namespace ReportFile {

QString Folder()
{
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(u"Zorvin"_s);
}

void SetFolder(const QString& folder)
{
    FolderOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString NewPath(const QString& title)
{
    const QDir folder(Folder());
    const QString stem = FileTitle(title) + u' ' + DateSerial::ToDateTime(DateSerial::Now()).toString(u"yyyy-MM-dd hh-mm"_s);
    QString path = folder.filePath(stem + u".xlsx"_s);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(stem + u" (%1).xlsx"_s.arg(n));
    return path;
}

} // namespace ReportFile
