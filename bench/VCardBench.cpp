// vCard files on the large data set (20 000 people): the export of every person beside the statements that
// read the same rows, and the import of 10 000 of those cards into an empty database file beside one raw
// insert per row the import wrote, in one transaction as well; and the same number of rows written through the
// store's bulk writer, the path the import's rows take, beside those raw inserts.
// Usage: zorvin-bench-vcard [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled with
//   the large data set, so it can be kept for the next run.
#include "bench/BenchData.h"
#include "bench/BenchTable.h"
#include "contacts/VCardStore.h"
#include "store/BulkRecordWriter.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 3;
constexpr int ImportedCards = 10000;

// The statements the export reads, read to their ends.
const QStringList ExportStatements = {
    u"select * from AllInfo where ObjType = 1"_s,
    u"select Link1, Str1, Int1 from AllInfo where ObjType = 4 and Int2 = 1"_s,
    u"select Link1, Int1, Str1, Str2 from AllInfo where ObjType = 5"_s,
    u"select R.Link2, A.* from AllInfo as R, AllInfo as A where R.ObjType = 80 and A.ObjId = R.Link1"_s,
    u"select P.Link1, O.* from AllInfo as P, AllInfo as S, AllInfo as O where P.ObjType = 20 and P.Int1 = 1 and "
    u"P.Int2 = 6 and S.ObjId = P.Link5 and O.ObjId = S.Link1"_s,
    u"select R.Link1, G.Str1 from AllInfo as R, AllInfo as G where R.ObjType = 20 and R.Int1 = 1 and G.ObjId = R.Link2 "
    u"and G.ObjType = 21"_s,
};

bool OpenEmpty(TMyDataBase& db, const QString& path, QTextStream& out)
{
    QString error;
    if (!Schema::CreateDatabaseFile(path, TNewDatabase(), &error)) {
        out << "cannot make " << path << ": " << error << Qt::endl;
        return false;
    }
    return db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path) == DbStatus::Ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir folder;
    const QString path = args.size() > 1 ? args[1] : folder.filePath(u"vcard.zdb"_s);
    TMyDataBase db;
    if (!OpenLargeDataSet(db, path, out))
        return 1;

    const QStringList ids = VCardStore::PeopleIds(&db);
    QByteArray file;
    std::vector<double> exportMs;
    for (int run = 0; run < Runs; ++run)
        exportMs.push_back(Time([&]() { file = VCardStore::Export(&db, ids, u"3.0"_s); }));
    std::vector<double> readMs;
    for (int run = 0; run < Runs; ++run) {
        readMs.push_back(Time([&]() {
            for (const QString& sql : ExportStatements) {
                QSqlQuery query(db.Connection());
                query.setForwardOnly(true);
                query.exec(db.Translate(sql));
                while (query.next())
                    query.value(0);
            }
        }));
    }

    // The first 10 000 cards of that file.
    qsizetype end = 0;
    for (int card = 0; card < ImportedCards && end >= 0; ++card) {
        end = file.indexOf("END:VCARD\r\n", end);
        if (end >= 0)
            end += 11;
    }
    const QByteArray cards = end > 0 ? file.left(end) : file;
    std::vector<double> importMs;
    std::vector<double> importCpuMs;
    std::vector<double> rawMs;
    std::vector<double> writerMs;
    int people = 0;
    int cardsRead = 0;
    qint64 rows = 0;
    for (int run = 0; run < Runs; ++run) {
        TMyDataBase target(u"VCardTarget"_s);
        const QString targetPath = folder.filePath(u"import-%1.zdb"_s.arg(run));
        if (!OpenEmpty(target, targetPath, out))
            return 1;
        VCardStore::TReport report;
        const std::clock_t cpu = std::clock();
        importMs.push_back(Time([&]() {
            report = VCardStore::Import(&target, VCardStore::Read(cards), VCardStore::TDuplicates::Skip);
        }));
        importCpuMs.push_back(CpuMsSince(cpu));
        if (!report.Written()) {
            out << "the import failed: " << report.Error << Qt::endl;
            return 1;
        }
        people = report.Added;
        cardsRead = report.Added + report.Updated + report.Skipped;
        {
            QSqlQuery count(target.Connection());
            count.exec(u"select count(*) from AllInfo"_s);
            rows = count.next() ? count.value(0).toLongLong() - 3 : 0; // less the three fixed rows
        }
        target.Close();

        // The same number of rows, each one insert of its own, in one transaction.
        TMyDataBase raw(u"VCardRaw"_s);
        const QString rawPath = folder.filePath(u"raw-%1.zdb"_s.arg(run));
        if (!OpenEmpty(raw, rawPath, out))
            return 1;
        rawMs.push_back(Time([&]() {
            QSqlDatabase c = raw.Connection();
            c.transaction();
            QSqlQuery insert(c);
            insert.prepare(u"insert into AllInfo (ObjId, ObjType, Str1, Str2, Str3) values (?, ?, ?, ?, ?)"_s);
            for (qint64 i = 0; i < rows; ++i) {
                insert.addBindValue(u"%1"_s.arg(i + 0x30000000LL, 16, 16, QLatin1Char('0')).toUpper());
                insert.addBindValue(1);
                insert.addBindValue(u"Фамилия"_s);
                insert.addBindValue(u"Имя"_s);
                insert.addBindValue(u"Отчество"_s);
                insert.exec();
            }
            c.commit();
        }));
        raw.Close();

        // The same rows through the bulk writer: stamps, derived columns, identifiers from the counter.
        TMyDataBase bulk(u"VCardBulk"_s);
        if (!OpenEmpty(bulk, folder.filePath(u"bulk-%1.zdb"_s.arg(run)), out))
            return 1;
        bool written = true;
        writerMs.push_back(Time([&]() {
            TWriteTransaction transaction(&bulk);
            TBulkRecordWriter writer(&bulk);
            for (qint64 i = 0; i < rows && written; ++i) {
                TObjectRow row;
                row.ObjType = Kind::Person;
                row.Str1 = u"Фамилия"_s;
                row.Str2 = u"Имя"_s;
                row.Str3 = u"Отчество"_s;
                written = writer.Insert(row).Ok();
            }
            written = written && writer.Finish() && transaction.Commit();
        }));
        if (!written) {
            out << "the bulk writer failed: " << bulk.ErrorText() << Qt::endl;
            return 1;
        }
        bulk.Close();
    }

    QList<TBenchRow> table;
    TBenchRow exported;
    exported.Operation = u"Экспорт в vCard: %1 человек"_s.arg(ids.size());
    exported.Median = Median(exportMs) / 1000;
    exported.Baseline = Median(readMs) / 1000;
    exported.Unit = u"с"_s;
    exported.Limit = 5;
    exported.Runs = Runs;
    exported.Note = u"база: те же строки прямыми запросами; файл %1 КБ"_s.arg(file.size() / 1024);
    table << exported;
    TBenchRow imported;
    imported.Operation = u"Импорт из vCard: %1 карточек, %2 человек добавлено"_s.arg(cardsRead).arg(people);
    imported.Median = Median(importMs) / 1000;
    imported.Baseline = Median(rawMs) / 1000;
    imported.Unit = u"с"_s;
    imported.Limit = 10;
    imported.Runs = Runs;
    imported.Note = u"база: %1 строк прямой вставкой в одной транзакции"_s.arg(rows);
    table << imported;
    // On a machine busy with other work the wall-clock figure grows with the load; the processor time the
    // import itself takes does not.
    TBenchRow importCpu;
    importCpu.Operation = u"  то же, процессорное время"_s;
    importCpu.Median = Median(importCpuMs) / 1000;
    importCpu.Unit = u"с"_s;
    importCpu.Limit = 10;
    importCpu.Runs = Runs;
    table << importCpu;
    TBenchRow bulkRows;
    bulkRows.Operation = u"  запись тех же строк через TBulkRecordWriter"_s;
    bulkRows.Median = Median(writerMs) / 1000;
    bulkRows.Baseline = Median(rawMs) / 1000;
    bulkRows.Unit = u"с"_s;
    bulkRows.Runs = Runs;
    bulkRows.Note = u"база: %1 строк прямой вставкой в одной транзакции"_s.arg(rows);
    table << bulkRows;
    PrintTable(table, out);
    SetCurrentDatabase(nullptr);
    bool missed = false;
    for (const TBenchRow& row : table)
        missed = missed || row.Missed();
    return missed ? 2 : 0;
}
