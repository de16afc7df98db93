// The reports on the large data set (20 000 people): the people-list report of the whole people list as the
// list shows it, beside the list's own statement read to its end, and the dossier of the person with the most
// links. Each report is written to a workbook file in a temporary folder, as the program writes it.
// Usage: zorvin-bench-report [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled with
//   the large data set, so it can be kept for the next run.
#include "bench/BenchData.h"
#include "bench/AcceptingDesktop.h"
#include "bench/BenchTable.h"
#include "bench/ProcessMemory.h"
#include "contacts/FindPeople.h"
#include "platform/Desktop.h"
#include "reports/PersonReport.h"
#include "reports/ReportFile.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int ListRuns = 5;
constexpr int DossierRuns = 9;

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir folder;
    const QString path = args.size() > 1 ? args[1] : folder.filePath(u"report.zdb"_s);
    TMyDataBase db;
    if (!OpenLargeDataSet(db, path, out))
        return 1;
    TAcceptingDesktop desktop;
    SetDesktopService(&desktop);
    ReportFile::SetFolder(folder.filePath(u"reports"_s));

    // The people list as the program shows it, every person of the data set.
    TFindPeople list;
    TDBMainInfo master;
    master.ObjType = 1;
    list.SetMasterDBInfo(&master);
    list.RunQuery(QString());
    const TListModel& rows = *list.ListGrid()->Model();
    const int people = rows.RecordCount();
    const QString sql = rows.Statement();

    std::vector<double> raw;
    std::vector<double> rawCpu;
    for (int run = 0; run < ListRuns; ++run) {
        const std::clock_t cpu = std::clock();
        raw.push_back(Time([&]() {
            QSqlQuery query(db.Connection());
            query.setForwardOnly(true);
            query.exec(db.Translate(sql));
            while (query.next())
                query.value(0);
        }));
        rawCpu.push_back(CpuMsSince(cpu));
    }
    std::vector<double> listMs;
    std::vector<double> listCpuMs;
    double peakMb = -1;
    qint64 bytes = 0;
    for (int run = 0; run < ListRuns; ++run) {
        const double before = ProcessMemoryMb("VmRSS:");
        ResetPeakMemory();
        QString file;
        const std::clock_t cpu = std::clock();
        listMs.push_back(Time([&]() { file = PersonReport::PrintPeopleList(rows); }));
        listCpuMs.push_back(CpuMsSince(cpu));
        peakMb = std::max(peakMb, ProcessMemoryMb("VmHWM:") - before);
        bytes = QFileInfo(file).size();
        QFile::remove(file);
    }

    // The dossier of the person holding the most roles.
    QSqlQuery busiest(db.Connection());
    busiest.exec(db.Translate(u"select top 1 Link1, count(*) from AllInfo where ObjType = 20 and Int1 = 1 group by Link1 "
                              "order by count(*) desc"_s));
    const QString person = busiest.next() ? busiest.value(0).toString() : QString();
    const int roles = busiest.isValid() ? busiest.value(1).toInt() : 0;
    std::vector<double> dossierMs;
    for (int run = 0; run < DossierRuns; ++run) {
        QString file;
        dossierMs.push_back(Time([&]() { file = PersonReport::PrintDossier(&db, person); }));
        QFile::remove(file);
    }

    QList<TBenchRow> table;
    TBenchRow list20k;
    list20k.Operation = u"Отчет по списку из %1 человек"_s.arg(people);
    list20k.Median = Median(listMs) / 1000;
    list20k.Baseline = Median(raw) / 1000;
    list20k.Unit = u"с"_s;
    list20k.Limit = 2;
    list20k.Runs = ListRuns;
    list20k.Note = u"база: запрос списка до последней строки; файл %1 КБ"_s.arg(bytes / 1024);
    table << list20k;
    // On a machine busy with other work the wall-clock figure grows with the load; the processor time the
    // report itself takes does not.
    TBenchRow cpu20k = list20k;
    cpu20k.Operation = u"  то же, процессорное время"_s;
    cpu20k.Median = Median(listCpuMs) / 1000;
    cpu20k.Baseline = Median(rawCpu) / 1000;
    cpu20k.Note.clear();
    table << cpu20k;
    TBenchRow memory;
    memory.Operation = u"Память отчета по списку (пик сверх начала)"_s;
    memory.Median = peakMb;
    memory.Unit = u"МБ"_s;
    memory.Limit = 100;
    memory.Runs = ListRuns;
    table << memory;
    TBenchRow dossier;
    dossier.Operation = u"Досье человека с %1 ролями"_s.arg(roles);
    dossier.Median = Median(dossierMs);
    dossier.Unit = u"мс"_s;
    dossier.Limit = 1000;
    dossier.Runs = DossierRuns;
    table << dossier;
    PrintTable(table, out);

    SetDesktopService(nullptr);
    SetCurrentDatabase(nullptr);
    bool missed = false;
    for (const TBenchRow& row : table)
        missed = missed || row.Missed();
    return missed ? 2 : 0;
}
