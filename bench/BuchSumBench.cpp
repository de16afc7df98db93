// The totals under the finance list with 320 000 money operations on 10 accounts of two currencies: one
// recomputation of the panel (the currency and the sums of the month and of the filter, as after every query
// of the list), beside the fastest statements SQLite answers the same sums with, and the panel's first load
// (it also counts the operations of each currency to choose one).
// Usage: zorvin-bench-buchsum [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled, so it
//   can be kept for the next run.
#include "bench/BenchTable.h"
#include "bench/FinanceData.h"
#include "bench/RawSqlite.h"
#include "finance/BuchSumInfo.h"
#include "platform/Clock.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectRecord.h"

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 9;

/// The panel's today: the last day of the set.
class TSetClock final : public TClock
{
public:
    explicit TSetClock(const QDate& day) : m_now(day, QTime(12, 0)) { }
    QDateTime Now() const override { return m_now; }

private:
    QDateTime m_now;
};

/// The milliseconds of processor time \a work takes (on a busy machine the wall clock counts the others too).

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir folder;
    const QString path = args.size() > 1 ? args[1] : folder.filePath(u"totals.zdb"_s);
    TMyDataBase db;
    if (!FinanceData::Open(db, path, out))
        return 1;
    SetCurrentDatabase(&db);
    TRawSqlite raw(path);

    // The last month of the set, with a filter of its own over the last year.
    const QDate today = FinanceData::LastDay();
    const double monthStart = DateSerial::FromDate(QDate(today.year(), today.month(), 1));
    const double monthEnd = DateSerial::FromDate(QDate(today.year(), today.month(), 1).addMonths(1));
    const double yearStart = DateSerial::FromDate(today.addYears(-1));
    TSetClock clock(today);
    const TClock* systemClock = SetClock(&clock);
    TFBuchSumInfo sums;
    sums.SetVisibleSection(TFBuchSumInfo::vsMounth);
    sums.SetModeLink2(1);
    sums.resize(800, 90);
    sums.show();
    TDBMainInfo options;
    options.ObjType = 24;
    options.SetDatabase(&db);
    options.Date1 = yearStart;
    options.Date2 = DateSerial::FromDate(today.addDays(1));
    TDBMainInfo all;
    all.ObjType = 24;
    all.SetDatabase(&db);

    // SQLite alone, the fastest way found: the accounts, whether the currency has operations, and each period's
    // money in and out in one pass over the index of the operations by account and date.
    const QString accounts = u"(AllInfo.Link1 in (select ObjId from AllInfo where ObjType = 23 and Str4 = '$'))"_s;
    const auto rawSums = [&](double from, double before) {
        QString sql = u"select sum(case when Int2 > 0 then Int2 else 0 end), sum(case when Int2 < 0 then Int2 else 0 end) "
                      "from AllInfo where ObjType = 24 and "_s
            + accounts;
        if (from > 0)
            sql += u" and AllInfo.Date1 >= "_s + QString::number(from) + u" and AllInfo.Date1 < "_s + QString::number(before);
        raw.Read(sql);
    };
    const auto rawPanel = [&](double from, double before) {
        raw.Read(u"select ObjId, Str4 from AllInfo where ObjType = 23"_s);
        raw.Read(u"select AllInfo.ObjId from AllInfo where AllInfo.ObjType = 24 and "_s + accounts + u" limit 1"_s);
        rawSums(monthStart, monthEnd);
        rawSums(from, before);
    };
    // The first load without a period: the count per account sums each account's money in and out as well.
    const auto rawFirst = [&]() {
        raw.Read(u"select ObjId, Str4 from AllInfo where ObjType = 23"_s);
        raw.Read(u"select AllInfo.Link1, count(*), sum(case when Int2 > 0 then Int2 else 0 end), sum(case when Int2 < 0 "
                 "then Int2 else 0 end) from AllInfo where AllInfo.ObjType = 24 group by AllInfo.Link1"_s);
        raw.Read(u"select ObjId from AllInfo where ObjType = 23 and Str4 = '$'"_s);
        rawSums(monthStart, monthEnd);
    };
    // The first load of a new panel on the list (it counts the operations of each currency and chooses the
    // first), then the panel recomputed after each query of the list.
    const auto firstLoad = [&](TDBMainInfo& record) {
        TFBuchSumInfo fresh;
        fresh.SetVisibleSection(TFBuchSumInfo::vsMounth);
        fresh.SetModeLink2(1);
        fresh.resize(800, 90);
        fresh.show();
        return Time([&]() { fresh.SetMasterDBInfo(&record); });
    };
    std::vector<double> rawYear, panelYear, cpuYear, rawAll, panelAll, cpuAll, rawFirstAll, panelFirstAll;
    sums.SetMasterDBInfo(&options);
    for (int run = 0; run < Runs; ++run) {
        rawYear.push_back(Time([&]() { rawPanel(yearStart, options.Date2); }));
        panelYear.push_back(Time([&]() { sums.SetMasterDBInfo(&options); }));
        cpuYear.push_back(CpuTime([&]() { sums.SetMasterDBInfo(&options); }));
    }
    out << "currency " << sums.Currency() << ", filter: " << sums.CellText(0, TFBuchSumInfo::ColFilter) << " / "
        << sums.CellText(1, TFBuchSumInfo::ColFilter) << Qt::endl;
    // The filter without a period: every operation of the currency is summed.
    for (int run = 0; run < Runs; ++run) {
        rawAll.push_back(Time([&]() { rawPanel(0, 0); }));
        panelAll.push_back(Time([&]() { sums.SetMasterDBInfo(&all); }));
        cpuAll.push_back(CpuTime([&]() { sums.SetMasterDBInfo(&all); }));
        rawFirstAll.push_back(Time([&]() { rawFirst(); }));
        panelFirstAll.push_back(firstLoad(all));
    }
    out << "currency " << sums.Currency() << ", filter: " << sums.CellText(0, TFBuchSumInfo::ColFilter) << " / "
        << sums.CellText(1, TFBuchSumInfo::ColFilter) << Qt::endl;
    // A person's card: the operations of one counterparty (1 600 of them), counted and summed through the
    // indexes of the host's links.
    TDBMainInfo person;
    person.ObjType = 1;
    const QString counterparty = FinanceData::Counterparty(0);
    person.Link2 = counterparty;
    person.SetDatabase(&db);
    const QString host = u"((AllInfo.ObjId in (select Link1 from AllInfo where ObjType = 82 and Link2 = '"_s
        + counterparty + u"')) or (AllInfo.Link2 = '"_s + counterparty + u"'))"_s;
    std::vector<double> rawCard, panelCard;
    for (int run = 0; run < Runs; ++run) {
        rawCard.push_back(Time([&]() {
            raw.Read(u"select ObjId, Str4 from AllInfo where ObjType = 23"_s);
            raw.Read(u"select AllInfo.Link1, count(*), sum(case when Int2 > 0 then Int2 else 0 end), sum(case when "
                     "Int2 < 0 then Int2 else 0 end) from AllInfo where AllInfo.ObjType = 24 and "_s
                + host + u" group by AllInfo.Link1"_s);
            raw.Read(u"select ObjId from AllInfo where ObjType = 23 and Str4 = 'руб'"_s);
            raw.Read(u"select sum(case when Int2 > 0 then Int2 else 0 end), sum(case when Int2 < 0 then Int2 else 0 end) "
                     "from AllInfo where ObjType = 24 and (AllInfo.Link1 in (select ObjId from AllInfo where ObjType = 23 "
                     "and Str4 = 'руб')) and "_s
                + host + u" and AllInfo.Date1 >= "_s + QString::number(monthStart) + u" and AllInfo.Date1 < "_s
                + QString::number(monthEnd));
        }));
        panelCard.push_back(Time([&]() { sums.SetMasterDBInfo(&person); }));
    }
    out << "card: currency " << sums.Currency() << ", filter: " << sums.CellText(0, TFBuchSumInfo::ColFilter) << " / "
        << sums.CellText(1, TFBuchSumInfo::ColFilter) << Qt::endl;

    const auto row = [](const QString& operation, const std::vector<double>& panel, const std::vector<double>& base) {
        TBenchRow line;
        line.Operation = operation;
        line.Median = Median(panel);
        line.Baseline = Median(base);
        line.Unit = u"мс"_s;
        line.Limit = 100;
        line.Runs = Runs;
        line.Note = u"база: те же суммы в SQLite"_s;
        return line;
    };
    const auto cpuRow = [](const std::vector<double>& cpu) {
        TBenchRow line;
        line.Operation = u"  то же, процессорное время"_s;
        line.Median = Median(cpu);
        line.Unit = u"мс"_s;
        line.Runs = Runs;
        return line;
    };
    const QList<TBenchRow> rows {
        row(u"Итоги (месяц, фильтр за год), %1 операций"_s.arg(FinanceData::Operations), panelYear, rawYear),
        cpuRow(cpuYear),
        row(u"Итоги (месяц, фильтр без периода), %1 операций"_s.arg(FinanceData::Operations), panelAll, rawAll),
        cpuRow(cpuAll),
        row(u"Первый расчет итогов с выбором валюты (фильтр без периода)"_s, panelFirstAll, rawFirstAll),
        row(u"Итоги в карточке человека (1600 его операций)"_s, panelCard, rawCard),
    };
    PrintTable(rows, out);
    SetClock(systemClock);
    SetCurrentDatabase(nullptr);
    bool missed = false;
    for (const TBenchRow& line : rows)
        missed = missed || line.Missed();
    return missed ? 2 : 0;
}
