// The balances on 10 accounts with 320 000 money operations: a whole recomputation by the balance worker
// beside the same sums read by SQLite, the longest pause of the user-interface thread while it runs, the
// save of an operation, and the time from a save until the new balance is stored and announced.
// Usage: zorvin-bench-balances [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled, so it
//   can be kept for the next run.
#include "bench/BenchTable.h"
#include "bench/RawSqlite.h"
#include "finance/AccRestThread.h"
#include "finance/OperationStore.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/kinds/MoneyOperationView.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Accounts = 10;
constexpr int Operations = 320000;
constexpr int Runs = 9;

// The accounts and their operations (a tenth of them halves of transfers), in one transaction.
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
    for (int i = 0; i < Accounts; ++i)
        raw.Run(u"insert into AllInfo (ObjId, ObjType, Str1, Str4, Str5) values (?, 23, ?, 'руб', ?)"_s,
            {MakeId(static_cast<quint32>(100 + i), 5), u"Счет %1"_s.arg(i), u"Счет %1, руб"_s.arg(i)});
    const QString last = QString::number(Operations - 1);
    const QString accounts = QString::number(Accounts);
    const bool filled = raw.Exec(u"with recursive g(n) as (select 0 union all select n + 1 from g where n < "_s + last
        + u") insert into AllInfo (ObjId, ObjType, Int1, Int2, Link1, Link2, Link3, Link4, Link5, Date1, D1Flag) "
          "select printf('%08X%08X', 5, 1000 + n), 24, case when n % 10 = 0 then 4 else 1 + n % 2 end, "
          "(n % 9973) - 4000, printf('%08X%08X', 5, 100 + n % "_s
        + accounts
        + u"), '0000000200000001', '0000000200000001', '0000000200000001', '0000000200000001', 40000 + n / 100, -1 "
          "from g"_s);
    if (!filled)
        out << "cannot fill " << path << Qt::endl;
    return filled && raw.Exec(u"commit"_s);
}

// Runs the event loop until \a done (at most a minute), noting the longest time between two of its turns;
// -1 when \a done never came.
template <typename F> double LongestPause(F&& done)
{
    QElapsedTimer turn;
    turn.start();
    QElapsedTimer overall;
    overall.start();
    double longest = 0;
    while (!done()) {
        if (overall.elapsed() > 60000)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        longest = std::max(longest, static_cast<double>(turn.nsecsElapsed()) / 1e6);
        turn.restart();
    }
    return longest;
}

TBenchRow Row(
    const QString& operation, const std::vector<double>& samples, double baseline, double limit, const QString& note)
{
    TBenchRow row;
    row.Operation = operation;
    row.Median = Median(samples);
    row.Baseline = baseline;
    row.Unit = u"мс"_s;
    row.Limit = limit;
    row.Runs = static_cast<int>(samples.size());
    row.Note = note;
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir folder;
    const QString path = args.size() > 1 ? args[1] : folder.filePath(u"balances.zdb"_s);
    if (!QFile::exists(path)) {
        bool filled = false;
        const double ms = Time([&]() { filled = Fill(path, out); });
        if (!filled) {
            QFile::remove(path);
            return 1;
        }
        out << Operations << " operations on " << Accounts << " accounts made in " << ms / 1000 << " s" << Qt::endl;
    }
    TRawSqlite raw(path);
    TMyDataBase db;
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path) != DbStatus::Ok) {
        out << "cannot open " << path << ": " << db.StatusText() << Qt::endl;
        return 1;
    }
    SetCurrentDatabase(&db);
    TAccRestThread worker(&db);
    int updates = 0;
    QObject::connect(&worker, &TAccRestThread::Updated, &app, [&updates] { ++updates; });

    // The sums themselves, read by SQLite: one grouped statement.
    std::vector<double> rawSums;
    for (int run = 0; run < Runs; ++run)
        rawSums.push_back(
            Time([&]() { raw.Read(u"select Link1, sum(Int2) from AllInfo where ObjType = 24 group by Link1"_s); }));

    // A whole recomputation with every balance stale, and the longest pause of this thread meanwhile.
    std::vector<double> runs, pauses;
    for (int run = 0; run < Runs; ++run) {
        raw.Exec(u"update AllInfo set Int5 = 0 where ObjType = 23"_s);
        double pause = 0;
        runs.push_back(Time([&]() {
            worker.Request();
            pause = LongestPause([&] { return worker.IsIdle(); });
        }));
        if (pause < 0) {
            out << "the recomputation never ended" << Qt::endl;
            return 1;
        }
        pauses.push_back(pause);
    }
    const qint64 stale = raw.Number(
        u"select count(*) from AllInfo as A where A.ObjType = 23 and A.Int5 <> (select coalesce(sum(Int2), 0) "
        "from AllInfo where ObjType = 24 and Link1 = A.ObjId)"_s);

    // An expense saved, and the time until its account's new balance is stored and announced.
    std::vector<double> saves, shown;
    const double today = DateSerial::FromDate(QDate(2026, 12, 10));
    for (int run = 0; run < 3 * Runs; ++run) {
        TOperationEntry entry;
        entry.Code = OperationCode::Expense;
        entry.Date = today;
        entry.Account = MakeId(static_cast<quint32>(100 + run % Accounts), 5);
        entry.Amount = 100 + run;
        TDBMainInfo operation;
        const int before = updates;
        QElapsedTimer timer;
        timer.start();
        if (!OperationStore::Store(operation, entry).Ok()) {
            out << "an operation could not be saved" << Qt::endl;
            return 1;
        }
        saves.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        worker.Request();
        if (LongestPause([&] { return updates > before; }) < 0) {
            out << "the new balance was never announced" << Qt::endl;
            return 1;
        }
        shown.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    // The same row written by SQLite alone: one insert in its own write transaction, committed as the store
    // commits (the same journal and synchronous settings).
    // Their ids use a prefix of their own and counters past the number of rows, which only grows.
    std::vector<double> rawSaves;
    const auto firstRaw = static_cast<quint32>(raw.Number(u"select count(*) from AllInfo"_s));
    for (int run = 0; run < 3 * Runs; ++run) {
        const QString id = MakeId(firstRaw + static_cast<quint32>(run), 98);
        const QString account = MakeId(static_cast<quint32>(100 + run % Accounts), 5);
        rawSaves.push_back(Time([&]() {
            raw.Exec(u"begin immediate"_s);
            raw.Run(u"insert into AllInfo (ObjId, ObjType, Int1, Int2, Link1, Date1, D1Flag) "
                    "values (?, 24, 2, -100, ?, 46366, -1)"_s, {id, account});
            raw.Exec(u"commit"_s);
        }));
    }
    // A transfer: both halves naming each other, written in one transaction.
    std::vector<double> transfers;
    for (int run = 0; run < 3 * Runs; ++run) {
        TOperationEntry entry;
        entry.Code = OperationCode::Transfer;
        entry.Date = today;
        entry.Account = MakeId(static_cast<quint32>(100 + run % Accounts), 5);
        entry.SecondAccount = MakeId(static_cast<quint32>(100 + (run + 1) % Accounts), 5);
        entry.Amount = 100 + run;
        TDBMainInfo operation;
        QElapsedTimer timer;
        timer.start();
        if (!OperationStore::Store(operation, entry).Ok()) {
            out << "a transfer could not be saved" << Qt::endl;
            return 1;
        }
        transfers.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    worker.Stop();

    const double rawMedian = Median(rawSums);
    QList<TBenchRow> rows;
    rows << Row(u"Пересчет балансов: %1 счетов, %2 операций"_s.arg(Accounts).arg(Operations), runs, rawMedian, 300,
        u"база: те же суммы одним запросом SQLite (group by)"_s);
    rows << Row(u"Самая долгая пауза потока интерфейса при пересчете"_s, pauses, -1, 50, QString());
    rows << Row(u"Запись операции (расход)"_s, saves, Median(rawSaves), 5,
        u"база: та же строка одним insert в своей транзакции SQLite"_s);
    rows << Row(u"Запись перевода (две строки)"_s, transfers, -1, 5, u"одна транзакция записи"_s);
    rows << Row(u"От записи операции до нового баланса"_s, shown, rawMedian, 500,
        u"запись, пересчет и сигнал в поток интерфейса"_s);
    out << "accounts with a balance other than the sum after the runs: " << stale << Qt::endl;
    PrintTable(rows, out);
    SetCurrentDatabase(nullptr);
    for (const TBenchRow& row : rows)
        if (row.Missed())
            return 2;
    return stale == 0 ? 0 : 3;
}
