// The memorable dates list as the program shows it at start, on the large data set: the engine's time for
// its statement, the list's time to open and paint its first screen, and the plan's index.
// Usage: zorvin-bench-alarm [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled with
//   the large data set, so it can be kept for the next run. Today is the data set's reference day.
#include "activities/FindAlarm.h"
#include "bench/BenchData.h"
#include "bench/BenchTable.h"
#include "platform/Clock.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"
#include "tools/seed/Seed.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <vector>

namespace {

constexpr int Runs = 9;
constexpr double LimitMs = 50;

class TReferenceDay final : public TClock
{
public:
    QDateTime Now() const override { return QDateTime(Seed::DefaultToday(), QTime(9, 0)); }
};

double Ms(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir folder;
    const QString path = args.size() > 1 ? args[1] : folder.filePath(QStringLiteral("alarm.zdb"));
    TMyDataBase db;
    if (!OpenLargeDataSet(db, path, out))
        return 1;
    TReferenceDay day;
    SetClock(&day);

    const QString sql = MemorableDates::Statement(day.Now().date(), 0);
    QSqlQuery plan(db.Connection());
    QStringList planLines;
    if (plan.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + db.Translate(sql)))
        while (plan.next())
            planLines << plan.value(3).toString();
    const bool indexed = planLines.join(QLatin1Char(' ')).contains(QStringLiteral("INDEX AllInfo_D1Search"));

    QElapsedTimer timer;
    std::vector<double> rawRuns;
    int rawRows = 0;
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        QSqlQuery raw(db.Connection());
        raw.setForwardOnly(true);
        raw.exec(db.Translate(sql));
        rawRows = 0;
        while (raw.next())
            ++rawRows;
        rawRuns.push_back(Ms(timer));
    }

    TFindAlarm list;
    list.resize(420, 700);
    TDBMainInfo master;
    master.ObjType = 1;
    list.SetMasterDBInfo(&master);
    list.show();
    app.processEvents();
    std::vector<double> listRuns;
    for (int run = 0; run < Runs; ++run) {
        timer.restart();
        list.RunQuery(QString());
        list.ListGrid()->viewport()->repaint();
        listRuns.push_back(Ms(timer));
    }
    const double listMs = Median(listRuns);
    out << "memorable dates of " << day.Now().date().toString(QStringLiteral("dd.MM.yyyy")) << ": " << rawRows
        << " rows" << Qt::endl;
    out << "  engine, statement and every row: " << Median(rawRuns) << " ms" << Qt::endl;
    out << "  list opened and first screen painted: " << listMs << " ms (limit " << LimitMs << " ms)" << Qt::endl;
    out << "  plan: " << planLines.join(QStringLiteral("; ")) << Qt::endl;
    SetClock(nullptr);
    SetCurrentDatabase(nullptr);
    return listMs <= LimitMs && indexed ? 0 : 2;
}
