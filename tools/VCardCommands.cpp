#include "tools/VCardCommands.h"

#include "contacts/VCardStore.h"
#include "store/DataBase.h"
#include "store/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace AdminCommands {

namespace {

constexpr int kFailure = 1;
constexpr int kBadArguments = 2;

// The positional words, and the values of the options named in \a valued; false with \a error set for an
// unknown option or one without its value.
bool Split(const QStringList& args, const QStringList& valued, QStringList& positional, QMap<QString, QString>& options,
    QString& error)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(u"--"_s)) {
            positional << a;
        } else if (!valued.contains(a)) {
            error = u"Неизвестный параметр "_s + a;
            return false;
        } else if (i + 1 >= args.size()) {
            error = u"Для параметра "_s + a + u" не указано значение"_s;
            return false;
        } else {
            options.insert(a, args.at(++i));
        }
    }
    return true;
}

bool OpenFile(TMyDataBase& db, const QString& path, QTextStream& err)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(file).isFile()) {
        err << "Файл по указанному пути не существует: " << file << Qt::endl;
        return false;
    }
    const int status = db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file);
    if (status != DbStatus::Ok) {
        err << DbStatus::Text(status) << (db.ErrorText().isEmpty() ? QString() : u": "_s + db.ErrorText()) << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int ImportVCard(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QMap<QString, QString> options;
    QString error;
    if (!Split(args, {u"--duplicates"_s}, positional, options, error)) {
        err << error << Qt::endl;
        return kBadArguments;
    }
    if (positional.size() != 2) {
        err << "Укажите базу данных и файл vCard: import-vcard DB FILE" << Qt::endl;
        return kBadArguments;
    }
    const QString mode = options.value(u"--duplicates"_s, u"skip"_s);
    VCardStore::TDuplicates duplicates = VCardStore::TDuplicates::Skip;
    if (mode == u"update"_s)
        duplicates = VCardStore::TDuplicates::Update;
    else if (mode == u"add"_s)
        duplicates = VCardStore::TDuplicates::Add;
    else if (mode != u"skip"_s) {
        err << "--duplicates: skip, update или add" << Qt::endl;
        return kBadArguments;
    }
    QFile file(positional.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "Не удалось прочитать файл " << positional.at(1) << Qt::endl;
        return kFailure;
    }
    const VCardStore::TPrepared prepared = VCardStore::Read(file.readAll());
    TMyDataBase db(u"VCardImport"_s);
    if (!OpenFile(db, positional.at(0), err))
        return kFailure;
    const VCardStore::TReport report = VCardStore::Import(&db, prepared, duplicates);
    for (const QString& line : VCardStore::ReportLines(report))
        (report.Written() ? out : err) << line << Qt::endl;
    return report.Written() ? 0 : kFailure;
}

int ExportVCard(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QMap<QString, QString> options;
    QString error;
    if (!Split(args, {u"--filter"_s, u"--version"_s}, positional, options, error)) {
        err << error << Qt::endl;
        return kBadArguments;
    }
    if (positional.size() != 2) {
        err << "Укажите базу данных и файл vCard: export-vcard DB FILE" << Qt::endl;
        return kBadArguments;
    }
    const QString version = options.value(u"--version"_s, u"3.0"_s);
    if (version != u"3.0"_s && version != u"4.0"_s) {
        err << "--version: 3.0 или 4.0" << Qt::endl;
        return kBadArguments;
    }
    TMyDataBase db(u"VCardExport"_s);
    if (!OpenFile(db, positional.at(0), err))
        return kFailure;
    const QStringList ids = VCardStore::PeopleIds(&db, options.value(u"--filter"_s));
    const QByteArray data = VCardStore::Export(&db, ids, version);
    QSaveFile file(positional.at(1));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        err << "Не удалось записать файл " << positional.at(1) << Qt::endl;
        return kFailure;
    }
    out << "Выгружено людей: " << ids.size() << Qt::endl;
    return 0;
}

} // namespace AdminCommands
