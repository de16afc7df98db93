#include "tools/SeedCommand.h"

#include "tools/seed/Seed.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace AdminCommands {

namespace {
constexpr int kFailure = 1;
constexpr int kBadArguments = 2;
} // namespace

int Seed(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString path;
    QString size;
    ::Seed::TOptions options;
    bool progress = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool valued = a == u"--size"_s || a == u"--seed"_s || a == u"--today"_s;
        if (valued && i + 1 >= args.size()) {
            err << "Для параметра " << a << " не указано значение" << Qt::endl;
            return kBadArguments;
        }
        if (a == u"--size"_s) {
            size = args.at(++i);
        } else if (a == u"--seed"_s) {
            bool ok = false;
            options.Seed = args.at(++i).toULongLong(&ok);
            if (!ok) {
                err << "Зерно должно быть целым неотрицательным числом: " << args.at(i) << Qt::endl;
                return kBadArguments;
            }
        } else if (a == u"--today"_s) {
            options.Today = QDate::fromString(args.at(++i), u"dd.MM.yyyy"_s);
            if (!options.Today.isValid()) {
                err << "Дата должна быть указана как ДД.ММ.ГГГГ: " << args.at(i) << Qt::endl;
                return kBadArguments;
            }
        } else if (a == u"--records"_s) {
            options.ThroughRecords = true;
        } else if (a == u"--force"_s) {
            options.Force = true;
        } else if (a == u"--progress"_s) {
            progress = true;
        } else if (a.startsWith(u"--"_s)) {
            err << "Неизвестный параметр " << a << Qt::endl;
            return kBadArguments;
        } else if (path.isEmpty()) {
            path = a;
        } else {
            err << "Лишний параметр " << a << Qt::endl;
            return kBadArguments;
        }
    }
    if (path.isEmpty()) {
        err << "Укажите путь к файлу базы данных: seed PATH --size demo|large|huge" << Qt::endl;
        return kBadArguments;
    }
    if (!::Seed::ParseSize(size, &options.Size)) {
        err << "Укажите размер набора данных: --size demo, large или huge" << Qt::endl;
        return kBadArguments;
    }
    if (progress) {
        options.Progress = [&out](int percent) {
            if (percent % 10 == 0)
                out << percent << "%" << Qt::endl;
        };
    }
    QElapsedTimer timer;
    timer.start();
    const ::Seed::TResult result = ::Seed::FillFile(path, options);
    if (!result.Ok) {
        err << result.Error << Qt::endl;
        return kFailure;
    }
    const QString file = QFileInfo(path).absoluteFilePath();
    out << (result.CreatedFile ? "Создана и заполнена база данных " : "Заполнена база данных ") << file << ": набор "
        << size.toLower() << ", зерно " << options.Seed << ", " << result.Rows << " строк (" << result.FirstId << " .. "
        << result.LastId << ") за " << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " с" << Qt::endl;
    return 0;
}

} // namespace AdminCommands
