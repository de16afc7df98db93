#include "tools/AdminCommands.h"

#include "tools/BackupCommands.h"
#include "tools/SeedCommand.h"
#include "tools/PgInit.h"
#include "tools/VCardCommands.h"

#include "platform/ProgramPaths.h"
#include "store/DataBase.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace AdminCommands {

namespace {

constexpr int kFailure = 1;
constexpr int kBadArguments = 2;

// Splits "--name value" options from positional words. Options without a value are listed in \a flags.
struct TArguments
{
    QStringList Positional;
    QMap<QString, QString> Options;
    QString Error;
};

TArguments Parse(const QStringList& args, const QStringList& valued, const QStringList& flags)
{
    TArguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(QStringLiteral("--"))) {
            parsed.Positional << a;
            continue;
        }
        if (flags.contains(a)) {
            parsed.Options.insert(a, QString());
        } else if (valued.contains(a)) {
            if (i + 1 >= args.size()) {
                parsed.Error = QStringLiteral("Для параметра %1 не указано значение").arg(a);
                return parsed;
            }
            parsed.Options.insert(a, args.at(++i));
        } else {
            parsed.Error = QStringLiteral("Неизвестный параметр %1").arg(a);
            return parsed;
        }
    }
    return parsed;
}

bool RemoveExisting(const QString& path, QTextStream& err)
{
    for (const QString& p : QStringList{path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")}) {
        if (QFileInfo::exists(p) && !QFile::remove(p)) {
            err << "Не удалось удалить существующий файл " << p << Qt::endl;
            return false;
        }
    }
    return true;
}

} // namespace

const QList<TCommand>& All()
{
    static const QList<TCommand> commands = {
        {"create-db", "create-db PATH [--description TEXT] [--prefix N] [--reference] [--force]", &CreateDb},
        {"write-ini",
         "write-ini ALLUSERS|FLASH | FILEPATH [PATH] | SERVER SERVER USER PASSWORD CATALOG [--output FILE] [--force]",
         &WriteIni},
        {"decode-ini", "decode-ini [FILE]", &DecodeIni},
        {"seed", "seed PATH --size demo|large|huge [--seed N] [--today DD.MM.YYYY] [--records] [--force]", &Seed},
        {"pg-init",
         "pg-init --host SERVER [--port PORT] --user USER [--password PASSWORD] --database NAME [--create] "
         "[--description TEXT] [--prefix N] [--reference]",
         &PgInit},
        {"backup", "backup DB DEST", &Backup},
        {"restore", "restore BACKUP DB", &Restore},
        {"check", "check DB", &Check},
        {"import-vcard", "import-vcard DB FILE [--duplicates skip|update|add]", &ImportVCard},
        {"export-vcard", "export-vcard DB FILE [--filter TEXT] [--version 3.0|4.0]", &ExportVCard},
    };
    return commands;
}

int CreateDb(const QStringList& args, QTextStream& out, QTextStream& err)
{
    TArguments a = Parse(args, {QStringLiteral("--description"), QStringLiteral("--prefix")},
                         {QStringLiteral("--reference"), QStringLiteral("--force")});
    if (!a.Error.isEmpty()) {
        err << a.Error << Qt::endl;
        return kBadArguments;
    }
    if (a.Positional.size() != 1) {
        err << "Укажите путь к новому файлу базы данных: create-db PATH" << Qt::endl;
        return kBadArguments;
    }
    TNewDatabase options;
    options.Description = a.Options.value(QStringLiteral("--description"), QStringLiteral("Рабочая база данных"));
    options.Reference = a.Options.contains(QStringLiteral("--reference"));
    if (a.Options.contains(QStringLiteral("--prefix"))) {
        bool ok = false;
        qulonglong prefix = a.Options.value(QStringLiteral("--prefix")).toULongLong(&ok);
        if (!ok || prefix <= 2 || prefix > 0xFFFFFFFFULL) {
            err << "Префикс должен быть целым числом от 3 до 4294967295" << Qt::endl;
            return kBadArguments;
        }
        options.Prefix = static_cast<quint32>(prefix);
    } else {
        options.Prefix = Schema::RandomPrefix();
    }

    const QString path = QFileInfo(a.Positional.first()).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        if (!a.Options.contains(QStringLiteral("--force"))) {
            err << "Файл уже существует: " << path << " (--force перезапишет его)" << Qt::endl;
            return kFailure;
        }
        if (!RemoveExisting(path, err))
            return kFailure;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        err << "Не удалось создать папку " << QFileInfo(path).absolutePath() << Qt::endl;
        return kFailure;
    }
    QString error;
    if (!Schema::CreateDatabaseFile(path, options, &error)) {
        err << error << Qt::endl;
        return kFailure;
    }
    out << "Создана база данных " << path << " (префикс " << options.Prefix
        << (options.Reference ? ", база констант" : "") << ")" << Qt::endl;
    return 0;
}

int WriteIni(const QStringList& args, QTextStream& out, QTextStream& err)
{
    TArguments a = Parse(args, {QStringLiteral("--output")}, {QStringLiteral("--force")});
    if (!a.Error.isEmpty()) {
        err << a.Error << Qt::endl;
        return kBadArguments;
    }
    if (a.Positional.isEmpty()) {
        err << "Укажите режим установки: ALLUSERS, FILEPATH, FLASH или SERVER" << Qt::endl;
        return kBadArguments;
    }
    TSettings settings;
    settings.Mode = InstallMode::FromKeyword(a.Positional.first());
    const QStringList fields = a.Positional.mid(1);
    switch (settings.Mode) {
    case InstallMode::AllUsers:
    case InstallMode::Flash:
        if (!fields.isEmpty()) {
            err << "Режим " << InstallMode::Keyword(settings.Mode) << " не принимает полей" << Qt::endl;
            return kBadArguments;
        }
        break;
    case InstallMode::FilePath:
        if (fields.size() > 1) {
            err << "Режим FILEPATH принимает одно поле: путь к файлу базы данных" << Qt::endl;
            return kBadArguments;
        }
        settings.Path = fields.value(0);
        break;
    case InstallMode::Server:
        if (fields.size() != 4) {
            err << "Режим SERVER требует четыре поля: сервер, пользователь, пароль, база данных" << Qt::endl;
            return kBadArguments;
        }
        settings.Server = fields.at(0);
        settings.EncodedUser = SettingsFile::EncodeText(fields.at(1));
        settings.EncodedPassword = SettingsFile::EncodeText(fields.at(2));
        settings.Catalog = fields.at(3);
        break;
    default:
        err << "Неизвестный режим установки " << a.Positional.first()
            << " (допустимы ALLUSERS, FILEPATH, FLASH, SERVER)" << Qt::endl;
        return kBadArguments;
    }
    const QString path = QFileInfo(a.Options.value(QStringLiteral("--output"), QStringLiteral("Zorvin.ini"))).absoluteFilePath();
    if (QFileInfo::exists(path) && !a.Options.contains(QStringLiteral("--force"))) {
        err << "Файл уже существует: " << path << " (--force перезапишет его)" << Qt::endl;
        return kFailure;
    }
    QString error;
    if (!SettingsFile::Write(path, settings, &error)) {
        err << "Не удалось записать " << path << ": " << error << Qt::endl;
        return kFailure;
    }
    out << "Записан файл настроек " << path << ": " << InstallMode::DisplayName(settings.Mode) << Qt::endl;
    return 0;
}

int DecodeIni(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() > 1) {
        err << "decode-ini принимает один путь к файлу настроек" << Qt::endl;
        return kBadArguments;
    }
    const QString path = QFileInfo(args.value(0, QStringLiteral("Zorvin.ini"))).absoluteFilePath();
    if (!QFileInfo::exists(path)) {
        err << "Файл настроек не найден: " << path << Qt::endl;
        return kFailure;
    }
    TSettings settings = SettingsFile::Read(path);
    if (!settings.IsValid()) {
        err << "Некорректный формат файла Zorvin.ini: " << path << Qt::endl;
        return kFailure;
    }
    out << "Режим: " << InstallMode::Keyword(settings.Mode) << " (" << InstallMode::DisplayName(settings.Mode) << ")"
        << Qt::endl;
    if (settings.Mode == InstallMode::Server) {
        out << "Сервер: " << settings.Server << Qt::endl
            << "Пользователь: " << SettingsFile::DecodeText(settings.EncodedUser) << Qt::endl
            << "База данных: " << settings.Catalog << Qt::endl;
    } else {
        // A settings file beside a program places the database of modes 2 and 3 in that folder; the user's
        // own settings file places it in the user's data folder, as the installed program does.
        const QString folder = QFileInfo(path).absolutePath();
        if (folder != QFileInfo(ProgramPaths::UserConfigFolder()).absoluteFilePath())
            ProgramPaths::SetProgramFolder(folder);
        out << "Файл базы данных: " << TMyDataBase::DatabaseFileFor(settings.Mode, settings.Path) << Qt::endl;
    }
    return 0;
}

} // namespace AdminCommands
