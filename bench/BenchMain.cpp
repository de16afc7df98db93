// zorvin-bench: measures the store on the large data set (and the 300 000-row list on the huge one), each
// figure the median of repeated runs beside a baseline measured in the same run, and prints the table.
#include "bench/AddressBench.h"
#include "bench/BenchTable.h"
#include "bench/ProcessMemory.h"
#include "bench/RawSqlite.h"
#include "bench/StoreBench.h"
#include "store/DataBase.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"
#include "store/TextCollation.h"
#include "tools/seed/Seed.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QThread>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

volatile quint64 g_sink = 0;

// The peak resident size of this process so far, in kilobytes.
qint64 PeakResidentKb()
{
    return static_cast<qint64>(ProcessMemoryMb("VmHWM:") * 1024);
}

struct TDataSet
{
    QString File;
    double SeedSeconds = -1;
    bool BuiltNow = false;
    QString Error;
};

// The data set of \a size, made once and kept: a half-made one never takes the name of a finished one.
TDataSet EnsureDataSet(const QString& folder, TSeedSize size, const QString& name, QTextStream& out)
{
    TDataSet set;
    set.File = QDir(folder).filePath(name + u"-seed1-v%1.zdb"_s.arg(Seed::DataSetVersion()));
    const QString seconds = set.File + u".seconds"_s;
    if (QFileInfo::exists(set.File) && QFileInfo::exists(seconds)) {
        QFile f(seconds);
        if (f.open(QIODevice::ReadOnly))
            set.SeedSeconds = f.readAll().trimmed().toDouble();
        return set;
    }
    const QString partial = set.File + u".partial"_s;
    for (const QString& p : QStringList {set.File, partial, partial + u"-wal"_s, partial + u"-shm"_s})
        QFile::remove(p);
    out << u"Создаётся набор данных "_s << name << u" (один раз): "_s << set.File << Qt::endl;
    Seed::TOptions options;
    options.Size = size;
    QElapsedTimer timer;
    timer.start();
    const Seed::TResult result = Seed::FillFile(partial, options);
    set.SeedSeconds = timer.elapsed() / 1000.0;
    if (!result.Ok || !QFile::rename(partial, set.File)) {
        set.Error = result.Ok ? u"не удалось переименовать "_s + partial : result.Error;
        return set;
    }
    QFile f(seconds);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray::number(set.SeedSeconds, 'f', 2));
    set.BuiltNow = true;
    return set;
}

TBenchRow SeedRow(const QString& name, const TDataSet& set, double limit)
{
    TBenchRow row;
    row.Operation = u"Наполнение набора "_s + name;
    row.Unit = u"с"_s;
    row.Median = set.Error.isEmpty() ? set.SeedSeconds : -1;
    row.Limit = limit;
    row.Runs = set.SeedSeconds >= 0 ? 1 : 0;
    row.Note = !set.Error.isEmpty() ? set.Error
        : set.BuiltNow ? u"измерено сейчас, один прогон, массовая вставка"_s
                       : u"измерено, когда набор создавался (кэш: "_s + set.File + u")"_s;
    return row;
}

// The list probe: a process of its own opens the list's statement and reads its first screen, so that
// its peak resident size is that of the list opening alone.
int ProbeList(const QString& file, bool raw)
{
    QTextStream out(stdout);
    const QString statement = StoreBench::FinanceListStatement();
    double ms = -1;
    qint64 rows = 0;
    if (raw) {
        TRawSqlite db(file);
        const QString sql = SqlDialect::Translate(statement, TSqlEngine::SQLite);
        QElapsedTimer timer;
        timer.start();
        rows = db.Read(sql, 50);
        ms = timer.nsecsElapsed() / 1e6;
    } else {
        TMyDataBase db;
        if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file) != 0)
            return 1;
        QElapsedTimer timer;
        timer.start();
        // Until the grid's list model is wired in, the first screen is what the list hands to it: the
        // statement opened forward-only and its first 50 rows read. The model replaces this block.
        auto q = db.CreateQuery(statement, true);
        const int columns = q ? q->record().count() : 0;
        while (q && rows < 50 && q->next()) {
            ++rows;
            for (int i = 0; i < columns; ++i)
                g_sink = g_sink + static_cast<quint64>(q->value(i).userType());
        }
        ms = timer.nsecsElapsed() / 1e6;
    }
    out << "RESULT " << ms << ' ' << PeakResidentKb() << ' ' << rows << Qt::endl;
    return rows == 50 ? 0 : 1;
}

struct TProbe
{
    double Ms = -1;
    double Mb = -1;
};

TProbe RunProbe(const QString& file, bool raw)
{
    QProcess p;
    QStringList args {u"--probe-list"_s, file};
    if (raw)
        args << u"--raw"_s;
    p.start(QCoreApplication::applicationFilePath(), args);
    TProbe probe;
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return probe;
    const QString line = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    const QStringList parts = line.split(u' ');
    if (parts.size() >= 3 && parts.at(0) == u"RESULT"_s) {
        probe.Ms = parts.at(1).toDouble();
        probe.Mb = parts.at(2).toDouble() / 1024.0;
    }
    return probe;
}

QList<TBenchRow> ListRows(const TDataSet& huge, int scale)
{
    TBenchRow time;
    time.Operation = u"Список 300 000 строк: первый экран"_s;
    time.Unit = u"мс"_s;
    time.Limit = 50;
    TBenchRow memory;
    memory.Operation = u"Список 300 000 строк: пиковая память процесса"_s;
    memory.Unit = u"МБ"_s;
    memory.Limit = 100;
    if (!huge.Error.isEmpty() || huge.File.isEmpty()) {
        time.Note = memory.Note = huge.Error.isEmpty() ? u"набор huge не создавался (--no-huge)"_s : huge.Error;
        return {time, memory};
    }
    std::vector<double> ours, raw, oursMb, rawMb;
    const int runs = 7 * scale;
    RunProbe(huge.File, false); // the first run only brings the file into the page cache
    for (int i = 0; i < runs; ++i) {
        const TProbe a = RunProbe(huge.File, false);
        const TProbe b = RunProbe(huge.File, true);
        if (a.Ms >= 0) {
            ours.push_back(a.Ms);
            oursMb.push_back(a.Mb);
        }
        if (b.Ms >= 0) {
            raw.push_back(b.Ms);
            rawMb.push_back(b.Mb);
        }
    }
    time.Median = Median(ours);
    time.Baseline = Median(raw);
    time.Runs = static_cast<int>(ours.size());
    time.Note = u"основной список финансов (набор huge, все операции со счетом, статьями и контрагентом, новые "
                u"первыми); пока без модели таблицы: запрос вперёд и первые 50 строк"_s;
    memory.Median = Median(oursMb);
    memory.Baseline = Median(rawMb);
    memory.Runs = time.Runs;
    memory.Note = u"VmHWM отдельного процесса, открывшего список; база: процесс на SQLite C API"_s;
    return {time, memory};
}

// The quick find on the huge set; it only reads, so it works on the kept file itself.
TBenchRow HugeQuickFind(const QString& file, int scale)
{
    TMyDataBase db(u"Server_1"_s);
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file) != 0) {
        TBenchRow row;
        row.Operation = u"Быстрый поиск людей «Ив», набор huge"_s;
        row.Note = db.StatusText();
        return row;
    }
    TRawSqlite raw(file);
    const StoreBench::TContext context {&db, &raw, scale};
    return StoreBench::QuickFind(context, u"huge"_s, 15);
}

// Opening a working file whose indexes were built under other text rules: the open reindexes it.
TBenchRow ReindexOnOpen(const QString& work)
{
    TBenchRow row;
    row.Operation = u"Открытие файла со старыми правилами текста (переиндексация), набор large"_s;
    row.Unit = u"мс"_s;
    std::vector<double> samples;
    for (int i = 0; i < 3; ++i) {
        if (!TRawSqlite(work).Exec(u"PRAGMA user_version = 0"_s)) {
            row.Note = u"не удалось пометить файл старыми правилами"_s;
            return row;
        }
        QElapsedTimer timer;
        timer.start();
        TMyDataBase db(u"Server_1"_s);
        const int status = db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), work);
        samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (status != 0 || TRawSqlite(work).Number(u"PRAGMA user_version"_s) != TextCollation::RulesStamp()) {
            row.Note = u"файл не переиндексирован: "_s + db.StatusText();
            return row;
        }
    }
    row.Median = Median(samples);
    row.Runs = static_cast<int>(samples.size());
    row.Note = u"REINDEX UNOCASE и новая отметка правил в одной транзакции"_s;
    return row;
}

qint64 RowsOf(const QString& file)
{
    TRawSqlite db(file);
    return db.Number(u"select count(*) from AllInfo"_s);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.value(0) == u"--probe-list"_s)
        return ProbeList(args.value(1), args.contains(u"--raw"_s));

    QTextStream out(stdout);
    QString folder = QDir(QCoreApplication::applicationDirPath()).filePath(u"../bench-data"_s);
    int scale = 1;
    bool huge = true;
    bool analyze = false;
    bool quickFindOnly = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--data"_s && i + 1 < args.size())
            folder = args.at(++i);
        else if (args.at(i) == u"--runs-scale"_s && i + 1 < args.size())
            scale = std::max(1, args.at(++i).toInt());
        else if (args.at(i) == u"--no-huge"_s)
            huge = false;
        else if (args.at(i) == u"--analyze"_s)
            analyze = true;
        else if (args.at(i) == u"--quick-find"_s)
            quickFindOnly = true;
        else {
            QTextStream(stderr) << "zorvin-bench [--data DIR] [--runs-scale N] [--no-huge] [--analyze] [--quick-find]"
                                << Qt::endl;
            return 2;
        }
    }
    folder = QDir(folder).absolutePath();
    QDir().mkpath(folder);
    TextCollation::RegisterSqliteTextRules();

    const TDataSet large = EnsureDataSet(folder, TSeedSize::Large, u"large"_s, out);
    const TDataSet hugeSet = huge ? EnsureDataSet(folder, TSeedSize::Huge, u"huge"_s, out) : TDataSet {};
    if (!large.Error.isEmpty()) {
        QTextStream(stderr) << "Не удалось создать набор large: " << large.Error << Qt::endl;
        return 1;
    }
    // The measurements change the data (saves, deletions): they work on a fresh copy every run.
    const QString work = QDir(folder).filePath(u"work-large.zdb"_s);
    for (const QString& p : QStringList {work, work + u"-wal"_s, work + u"-shm"_s})
        QFile::remove(p);
    if (!QFile::copy(large.File, work)) {
        QTextStream(stderr) << "Не удалось скопировать " << large.File << Qt::endl;
        return 1;
    }

    // What planner statistics would change: the program itself never gathers them.
    if (analyze && !TRawSqlite(work).Exec(u"ANALYZE"_s)) {
        QTextStream(stderr) << "ANALYZE не выполнен на " << work << Qt::endl;
        return 1;
    }
    out << u"Zorvin: замеры. Ядер: "_s << QThread::idealThreadCount() << u", SQLite "_s << sqlite3_libversion()
        << u", набор large: "_s << RowsOf(work) << u" строк"_s;
    if (huge && hugeSet.Error.isEmpty())
        out << u", набор huge: "_s << RowsOf(hugeSet.File) << u" строк"_s;
    if (analyze)
        out << u", рабочая копия large со статистикой планировщика (ANALYZE)"_s;
    out << Qt::endl << Qt::endl;

    QList<TBenchRow> rows;
    {
        TMyDataBase db(u"Server_1"_s);
        if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), work) != 0) {
            QTextStream(stderr) << "Не удалось открыть " << work << ": " << db.StatusText() << Qt::endl;
            return 1;
        }
        SetCurrentDatabase(&db);
        TRawSqlite raw(work);
        const StoreBench::TContext context {&db, &raw, scale};
        rows << StoreBench::QuickFind(context, u"large"_s, 30);
        if (quickFindOnly) {
            SetCurrentDatabase(nullptr);
            if (huge && hugeSet.Error.isEmpty())
                rows << HugeQuickFind(hugeSet.File, scale);
            PrintTable(rows, out);
            return 0;
        }
        rows << StoreBench::LoadRecord(context)
             << StoreBench::SaveNewRecord(context) << StoreBench::SaveExistingRecord(context)
             << StoreBench::CascadeDeletion(context);
        rows << AddressBench::CompletionSteps(context);
        SetCurrentDatabase(nullptr);
    }
    if (huge && hugeSet.Error.isEmpty())
        rows << HugeQuickFind(hugeSet.File, scale);
    rows << ReindexOnOpen(work);
    rows << ListRows(hugeSet, scale);
    // Rows of later parts (the person's card, balances, period totals, analyses, reports) go here.
    rows << SeedRow(u"large"_s, large, 60);
    if (huge)
        rows << SeedRow(u"huge"_s, hugeSet, 300);
    PrintTable(rows, out);
    return 0;
}
