#include "shell/mainwindow/FirstStart.h"

#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/ProgramPaths.h"
#include "store/DataBase.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FirstStart {

const QString Question = QStringLiteral("Файл настроек Zorvin.ini не найден.\r"
                                        "Да - создать новую пустую базу данных\r"
                                        "Нет - открыть существующий файл базы данных\r"
                                        "Отмена - выйти из программы");

namespace {

bool WriteSettings(const TSettings& settings)
{
    const QString path = ProgramPaths::SettingsFile();
    QString error;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !SettingsFile::Write(path, settings, &error)) {
        Messages().ShowMessage(QStringLiteral("Не удалось записать файл настроек:\r") + QDir::toNativeSeparators(path)
                               + (error.isEmpty() ? QString() : QStringLiteral("\r") + error));
        return false;
    }
    return true;
}

// The user's own database: made empty unless a file is there already, which is kept as it is.
bool CreateDatabase()
{
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    const QString path = TMyDataBase::DatabaseFileFor(settings.Mode, QString());
    if (!QFileInfo::exists(path)) {
        TNewDatabase options;
        options.Description = QStringLiteral("Рабочая база данных");
        options.Prefix = Schema::RandomPrefix();
        QString error;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !Schema::CreateDatabaseFile(path, options, &error)) {
            Messages().ShowMessage(QStringLiteral("Не удалось создать базу данных:\r") + QDir::toNativeSeparators(path)
                                   + (error.isEmpty() ? QString() : QStringLiteral("\r") + error));
            return false;
        }
        // A personal database is its owner's alone; its journal files take the same permissions.
        const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
        QFile::setPermissions(QFileInfo(path).absolutePath(), ownerOnly | QFile::ExeOwner);
        QFile::setPermissions(path, ownerOnly);
    }
    return WriteSettings(settings);
}

} // namespace

bool IsFirstStart()
{
    return ProgramPaths::IsInstalled() && !QFileInfo::exists(ProgramPaths::SettingsFile());
}

bool Offer()
{
    for (;;) {
        switch (Messages().AskYesNoCancel(Question)) {
        case TAnswer::Yes:
            return CreateDatabase();
        case TAnswer::No: {
            const QString path = FileDialogs().OpenFileName(QStringLiteral("Открыть базу данных"), QDir::homePath(),
                                                            QStringLiteral("Базы данных (*.zdb)"));
            // Choosing nothing goes back to the question.
            if (path.isEmpty())
                continue;
            TSettings settings;
            settings.Mode = InstallMode::FilePath;
            settings.Path = QFileInfo(path).absoluteFilePath();
            return WriteSettings(settings);
        }
        case TAnswer::Cancel:
            return false;
        }
    }
}

} // namespace FirstStart
