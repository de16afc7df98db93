// zorvin-test-saver LINE COUNT: a client of its own for the concurrency suite. Opens the database the
// settings-file line LINE selects, prints "ready", waits for one line on standard input (so that several
// clients start saving together), saves COUNT new notes and prints the id of each. Exit code 0 when every
// save succeeded, 1 otherwise.
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    bool countOk = false;
    const int count = args.value(1).toInt(&countOk);
    const TSettings settings = SettingsFile::ParseLine(args.value(0));
    if (args.size() != 2 || !countOk || count < 0 || !settings.IsValid()) {
        err << "usage: zorvin-test-saver SETTINGS-LINE COUNT" << Qt::endl;
        return 2;
    }
    TMyDataBase db;
    if (settings.Mode == InstallMode::Server)
        db.Open(ConnectionType::Server, settings.Mode, settings.Catalog, settings.EncodedPassword, settings.EncodedUser,
            settings.Server);
    else
        db.Open(ConnectionType::File, settings.Mode, QString(), QString(), QString(), settings.Path);
    if (db.StatusCode() != DbStatus::Ok) {
        err << "cannot open the database: " << db.StatusText() << " " << db.ErrorText() << Qt::endl;
        return 1;
    }
    SetCurrentDatabase(&db);
    out << "ready" << Qt::endl;
    char go[16];
    if (!std::fgets(go, sizeof go, stdin))
        return 1;

    const QString pid = QString::number(QCoreApplication::applicationPid());
    for (int i = 1; i <= count; ++i) {
        TDBMainInfo note;
        note.ObjType = Kind::Note;
        note.Str1 = QStringLiteral("Запись %1 клиента %2").arg(i).arg(pid);
        const TStoreResult saved = note.Save();
        const int result = saved.Code;
        if (result != SaveResult::Done) {
            err << "save " << i << " failed with " << result << ": " << saved.Text << Qt::endl;
            return 1;
        }
        out << note.Obj.Text() << '\n';
    }
    out.flush();
    return 0;
}
