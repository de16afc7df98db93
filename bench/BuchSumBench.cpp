// The totals under the finance list with 320 000 money operations on 10 accounts of two currencies: one
// recomputation of the panel (the currency list and the sums of the month and of the filter, as after every
// query of the list), beside the same sums read by SQLite with the same statements, and the query plans of
// the sums.
// Usage: zorvin-bench-buchsum [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled, so it
//   can be kept for the next run.
#include "bench/BenchTable.h"
#include "bench/RawSqlite.h"
#include "finance/BuchSumInfo.h"
#include "platform/Clock.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/Gid.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Accounts = 10;
constexpr int Operations = 320000;
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

// The accounts (the odd ones in dollars) and their operations over about nine years, in one transaction.
bool Fill(const QString& path, QTextStream& out)
{
    QString error;
    if (!Schema::CreateDatabaseFile(path, TNewDatabase {}, &error)) {
        out << "cannot make " << path << ": " << error << Qt::endl;
        return false;
    }
    TRawSqlite raw(path);
    if (!raw.IsOpen() || !raw.Exec(u"begin"_s))
        return false;
    for (int i = 0; i < Accounts; ++i) {
        const QString currency = i % 2 ? u"$"_s : u"руб"_s;
        raw.Run(u"insert into AllInfo (ObjId, ObjType, Str1, Str4, Str5) values (?, 23, ?, ?, ?)"_s,
            {MakeId(static_cast<quint32>(100 + i), 5), u"Счет %1"_s.arg(i), currency,
                u"Счет %1, %2"_s.arg(i).arg(currency)});
    }
    const bool filled = raw.Exec(u"with recursive g(n) as (select 0 union all select n + 1 from g where n < "_s
        + QString::number(Operations - 1)
        + u") insert into AllInfo (ObjId, ObjType, Int1, Int2, Link1, Link2, Link3, Link4, Link5, Date1, D1Flag) "
          "select printf('%08X%08X', 5, 1000 + n), 24, 1 + n % 2, (n % 9973) - 4000, printf('%08X%08X', 5, 100 + n % "_s
        + QString::number(Accounts)
        + u"), '0000000200000001', '0000000200000001', '0000000200000001', '0000000200000001', 43000 + n / 100, -1 "
          "from g"_s);
    return filled && raw.Exec(u"commit"_s);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir folder;
    const QString path = args.size() > 1 ? args[1] : folder.filePath(u"totals.zdb"_s);
    if (!QFile::exists(path) && !Fill(path, out)) {
        QFile::remove(path);
        return 1;
    }
    TMyDataBase db;
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path) != DbStatus::Ok) {
        out << "cannot open " << path << ": " << db.StatusText() << Qt::endl;
        return 1;
    }
    SetCurrentDatabase(&db);
    TRawSqlite raw(path);

    // The last month of the set, with a filter of its own over the last year.
    const QDate today = DateSerial::ToDate(43000 + (Operations - 1) / 100);
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

    // SQLite alone: the currency list and the four sums of the panel.
    const QString accounts = u"(exists (select Acc.ObjId from AllInfo as Acc where Acc.ObjId = AllInfo.Link1 and "
                             "Acc.ObjType = 23 and Acc.Str4 = '$'))"_s;
    const auto rawSums = [&](double from, double before) {
        for (const QString& sign : {u"> 0"_s, u"< 0"_s})
            raw.Read(u"select sum(Int2) from AllInfo where ObjType = 24 and "_s + accounts + u" and AllInfo.Date1 >= "_s
                + QString::number(from) + u" and AllInfo.Date1 < "_s + QString::number(before)
                + u" and (AllInfo.Int2 "_s + sign + u')');
    };
    std::vector<double> rawRuns, panelRuns;
    for (int run = 0; run < Runs; ++run) {
        rawRuns.push_back(Time([&]() {
            raw.Read(u"select ObjId, Str4 from AllInfo where ObjType = 23"_s);
            raw.Read(u"select AllInfo.Link1, count(*) from AllInfo where AllInfo.ObjType = 24 group by AllInfo.Link1"_s);
            rawSums(monthStart, monthEnd);
            rawSums(yearStart, options.Date2);
        }));
    }
    for (int run = 0; run < Runs; ++run)
        panelRuns.push_back(Time([&]() { sums.SetMasterDBInfo(&options); }));
    out << "currency " << sums.Currency() << ", filter: " << sums.CellText(0, TFBuchSumInfo::ColFilter) << " / "
        << sums.CellText(1, TFBuchSumInfo::ColFilter) << Qt::endl;
    // The filter without a period: every operation of the currency is summed.
    std::vector<double> rawAll, panelAll;
    TDBMainInfo all;
    all.ObjType = 24;
    all.SetDatabase(&db);
    for (int run = 0; run < Runs; ++run) {
        rawAll.push_back(Time([&]() {
            raw.Read(u"select ObjId, Str4 from AllInfo where ObjType = 23"_s);
            raw.Read(u"select AllInfo.Link1, count(*) from AllInfo where AllInfo.ObjType = 24 group by AllInfo.Link1"_s);
            rawSums(monthStart, monthEnd);
            rawSums(0, 1e9);
        }));
        panelAll.push_back(Time([&]() { sums.SetMasterDBInfo(&all); }));
    }

    const auto row = [](const QString& operation, const std::vector<double>& panel, const std::vector<double>& base) {
        TBenchRow line;
        line.Operation = operation;
        line.Median = Median(panel);
        line.Baseline = Median(base);
        line.Unit = u"мс"_s;
        line.Limit = 100;
        line.Runs = Runs;
        line.Note = u"база: те же запросы в SQLite"_s;
        return line;
    };
    const QList<TBenchRow> rows {
        row(u"Итоги (месяц, фильтр за год), %1 операций"_s.arg(Operations), panelRuns, rawRuns),
        row(u"Итоги (месяц, фильтр без периода), %1 операций"_s.arg(Operations), panelAll, rawAll),
    };
    PrintTable(rows, out);
    SetClock(systemClock);
    SetCurrentDatabase(nullptr);
    return rows.first().Missed() || rows.last().Missed() ? 2 : 0;
}
