#include "bench/BenchData.h"

#include "store/DataBase.h"
#include "store/SettingsFile.h"
#include "tools/seed/Seed.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

bool OpenLargeDataSet(TMyDataBase& db, const QString& path, QTextStream& out)
{
    if (!QFile::exists(path)) {
        Seed::TOptions options;
        options.Size = TSeedSize::Large;
        QElapsedTimer fill;
        fill.start();
        const Seed::TResult made = Seed::FillFile(path, options);
        if (!made.Ok) {
            out << "cannot make the data set: " << made.Error << Qt::endl;
            return false;
        }
        out << "large data set: " << made.Rows << " rows in " << static_cast<double>(fill.elapsed()) / 1000 << " s"
            << Qt::endl;
    }
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path) != DbStatus::Ok) {
        out << "cannot open " << path << ": " << db.StatusText() << Qt::endl;
        return false;
    }
    SetCurrentDatabase(&db);
    return true;
}
