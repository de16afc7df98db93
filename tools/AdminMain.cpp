#include "tools/AdminCommands.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
void PrintUsage(QTextStream& stream)
{
    stream << "zorvin-admin: администрирование баз данных Zorvin" << Qt::endl << "Команды:" << Qt::endl;
    for (const AdminCommands::TCommand& command : AdminCommands::All())
        stream << "  zorvin-admin " << command.Usage << Qt::endl;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QStringLiteral("--help") || args.first() == QStringLiteral("help")) {
        PrintUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const AdminCommands::TCommand& command : AdminCommands::All()) {
        if (name == QLatin1String(command.Name))
            return command.Run(args, out, err);
    }
    err << "Неизвестная команда " << name << Qt::endl;
    PrintUsage(err);
    return 2;
}
