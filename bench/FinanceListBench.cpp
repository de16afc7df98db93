// The main window's finance list ("Финансы") on 320 000 money operations: its first screen after its query,
// beside SQLite reading the same statement's first screen of rows, and the finance report of all its rows
// (time and the growth of the peak resident memory), beside SQLite reading the statement to its end.
// The report's memory is also measured in a process of its own (the program run again with --report-child).
// Usage: zorvin-bench-buchlist [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled with the
//   finance set of zorvin-bench-buchsum, so it can be kept for the next run.
#include "bench/AcceptingDesktop.h"
#include "bench/BenchTable.h"
#include "bench/FinanceData.h"
#include "bench/ProcessMemory.h"
#include "bench/RawSqlite.h"
#include "finance/FindBuchBrief.h"
#include "platform/Desktop.h"
#include "reports/FinanceReport.h"
#include "reports/ReportFile.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int ListRuns = 9;
/// The argument after the file that makes the program the process of one report.
const QString ReportChild = QStringLiteral("--report-child");
constexpr int ReportRuns = 3;

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir folder;
    const QString path = args.size() > 1 ? args[1] : folder.filePath(u"finance.zdb"_s);
    TMyDataBase db;
    if (!FinanceData::Open(db, path, out))
        return 1;
    SetCurrentDatabase(&db);
    TAcceptingDesktop desktop;
    SetDesktopService(&desktop);
    ReportFile::SetFolder(folder.filePath(u"reports"_s));
    TRawSqlite raw(path);

    TBuchList list;
    list.resize(1000, 700);
    list.show();
    app.processEvents();
    TMyDBGrid* grid = list.ListGrid();
    TListModel* rows = grid->Model();
    list.RunQuery(QString());
    if (args.value(2) == ReportChild) {
        // A process of its own that shows the list and writes its report once: its peak resident size is
        // the program's with the report, nothing of the bench's own runs in it.
        while (!rows->IsCountKnown())
            app.processEvents();
        const double before = ProcessMemoryMb("VmRSS:");
        FinanceReport::Print(*rows);
        out << ReportChild << ' ' << before << ' ' << ProcessMemoryMb("VmHWM:") << Qt::endl;
        SetDesktopService(nullptr);
        SetCurrentDatabase(nullptr);
        return 0;
    }
    const QString sql = rows->Statement();
    const QString engineSql = db.Translate(sql);
    const int screen = grid->viewport()->height() / (grid->DefaultRowHeight() + TMyDBGrid::RowMargin) + 1;

    // The list's query: its statement, its first screen painted; and the whole requery, the totals under it
    // included. SQLite alone reads the statement's first screen of rows.
    std::vector<double> rawScreen, listScreen, requery;
    for (int run = 0; run < ListRuns; ++run) {
        rawScreen.push_back(Time([&]() { raw.Read(engineSql, screen); }));
        listScreen.push_back(Time([&]() {
            rows->Open(&db, sql);
            grid->SetCurrentRecord(0);
            grid->viewport()->repaint();
        }));
        while (!rows->IsCountKnown())
            app.processEvents();
        requery.push_back(Time([&]() {
            list.RunQuery(QString());
            grid->viewport()->repaint();
        }));
        while (!rows->IsCountKnown())
            app.processEvents();
    }
    const int count = rows->RecordCount();

    // The report of every row, written as the list's print action writes it.
    std::vector<double> rawAll, rawAllCpu, reportMs, reportCpu;
    double peakMb = -1;
    double peakTotal = -1;
    qint64 bytes = 0;
    for (int run = 0; run < ReportRuns; ++run) {
        const std::clock_t cpu = std::clock();
        rawAll.push_back(Time([&]() { raw.Read(engineSql); }));
        rawAllCpu.push_back(CpuMsSince(cpu));
    }
    for (int run = 0; run < ReportRuns; ++run) {
        const double before = ProcessMemoryMb("VmRSS:");
        ResetPeakMemory();
        QString file;
        const std::clock_t cpu = std::clock();
        reportMs.push_back(Time([&]() { file = FinanceReport::Print(*rows); }));
        reportCpu.push_back(CpuMsSince(cpu));
        peakMb = std::max(peakMb, ProcessMemoryMb("VmHWM:") - before);
        peakTotal = std::max(peakTotal, ProcessMemoryMb("VmHWM:"));
        bytes = QFileInfo(file).size();
        QFile::remove(file);
    }

    // The same list and report in a new process: its resident size before the report and its peak.
    double childBefore = -1;
    double childPeak = -1;
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {path, ReportChild});
        child.waitForFinished(-1);
        const QStringList words = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n').filter(ReportChild).value(0).split(u' ');
        if (words.size() == 3) {
            childBefore = words[1].toDouble();
            childPeak = words[2].toDouble();
        }
    }

    QList<TBenchRow> table;
    TBenchRow first;
    first.Operation = u"Список «Финансы»: запрос и первый экран (%1 строк из %2)"_s.arg(screen).arg(count);
    first.Median = Median(listScreen);
    first.Baseline = Median(rawScreen);
    first.Unit = u"мс"_s;
    first.Limit = 50;
    first.Runs = ListRuns;
    first.Note = u"база: первый экран того же запроса в SQLite"_s;
    table << first;
    TBenchRow whole = first;
    whole.Operation = u"  то же с итогами под списком (весь перезапрос)"_s;
    whole.Median = Median(requery);
    whole.Limit = -1;
    whole.Note.clear();
    table << whole;
    TBenchRow report;
    report.Operation = u"Финансовый отчет по %1 операциям"_s.arg(count);
    report.Median = Median(reportMs) / 1000;
    report.Baseline = Median(rawAll) / 1000;
    report.Unit = u"с"_s;
    report.Limit = 5;
    report.Runs = ReportRuns;
    report.Note = u"база: запрос списка в SQLite до последней строки; файл %1 КБ"_s.arg(bytes / 1024);
    table << report;
    // On a machine busy with other work the wall clock grows with the load; the processor time does not.
    TBenchRow reportCpuRow = report;
    reportCpuRow.Operation = u"  то же, процессорное время"_s;
    reportCpuRow.Median = Median(reportCpu) / 1000;
    reportCpuRow.Baseline = Median(rawAllCpu) / 1000;
    reportCpuRow.Note.clear();
    table << reportCpuRow;
    TBenchRow memory;
    memory.Operation = u"Память финансового отчета (пик сверх начала)"_s;
    memory.Median = peakMb;
    memory.Unit = u"МБ"_s;
    memory.Limit = 100;
    memory.Runs = ReportRuns;
    memory.Note = u"пик всего процесса бенчмарка %1 МБ"_s.arg(peakTotal, 0, 'f', 1);
    table << memory;
    TBenchRow process;
    process.Operation = u"Пик памяти процесса со списком и отчетом"_s;
    process.Median = childPeak;
    process.Unit = u"МБ"_s;
    process.Limit = 100;
    process.Runs = 1;
    process.Note = u"отдельный процесс: список, его первый экран и счет строк, затем отчет; до отчета %1 МБ"_s.arg(
        childBefore, 0, 'f', 1);
    table << process;
    PrintTable(table, out);

    SetDesktopService(nullptr);
    SetCurrentDatabase(nullptr);
    bool missed = false;
    for (const TBenchRow& line : table)
        missed = missed || line.Missed();
    return missed ? 2 : 0;
}
