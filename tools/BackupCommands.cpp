#include "tools/BackupCommands.h"

#include "store/DatabaseBackup.h"
#include "store/DatabaseCheck.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace AdminCommands {

namespace {
constexpr int kFailure = 1;
constexpr int kBadArguments = 2;
} // namespace

int Backup(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2) {
        err << "Укажите файл базы данных и куда сохранить копию: backup DB DEST" << Qt::endl;
        return kBadArguments;
    }
    const QString source = QFileInfo(args.at(0)).absoluteFilePath();
    QString destination = QFileInfo(args.at(1)).absoluteFilePath();
    if (QFileInfo(destination).isDir())
        destination = QDir(destination).filePath(QFileInfo(source).completeBaseName() + QLatin1Char('-')
                                                 + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"))
                                                 + QStringLiteral(".zdb"));
    QString error;
    if (!DatabaseBackup::CopyFile(source, destination, &error)) {
        err << "Резервная копия не сделана: " << error << Qt::endl;
        return kFailure;
    }
    out << "Резервная копия записана: " << destination << Qt::endl;
    return 0;
}

int Restore(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2) {
        err << "Укажите копию и файл базы данных: restore BACKUP DB" << Qt::endl;
        return kBadArguments;
    }
    const QString backup = QFileInfo(args.at(0)).absoluteFilePath();
    const QString target = QFileInfo(args.at(1)).absoluteFilePath();
    const bool replacing = QFileInfo::exists(target);
    QString error;
    if (!DatabaseBackup::Restore(backup, target, &error)) {
        err << "База данных не восстановлена: " << error << Qt::endl;
        return kFailure;
    }
    out << "База данных " << target << " восстановлена из " << backup << Qt::endl;
    if (replacing)
        out << "Прежний файл сохранен как " << target << ".before-restore" << Qt::endl;
    return 0;
}

int Check(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1) {
        err << "Укажите файл базы данных: check DB" << Qt::endl;
        return kBadArguments;
    }
    const QString path = QFileInfo(args.at(0)).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        err << "Файл по указанному пути не существует: " << path << Qt::endl;
        return kFailure;
    }
    const QList<DatabaseCheck::TProblem> problems = DatabaseCheck::RunOnFile(path);
    for (const DatabaseCheck::TProblem& problem : problems)
        out << DatabaseCheck::Describe(problem) << Qt::endl;
    if (!problems.isEmpty()) {
        err << "Найдено ошибок: " << problems.size() << Qt::endl;
        return kFailure;
    }
    out << "Ошибок не найдено: " << path << Qt::endl;
    return 0;
}

} // namespace AdminCommands
