// Opening and scrolling a list of 300,000 objects of one kind, beside the raw engine time of the same
// statement. Usage: zorvin-bench-list [DATABASE_FILE] [ROWS]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled with
//   ROWS people (300000), so it can be kept for the next run. An existing file is used as it is; its
//   people are listed.
#include "bench/ProcessMemory.h"
#include "contacts/PeopleObjFrame.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

// The people list's statement, its order ending with the id as every list's does.
const QString ListSql = QStringLiteral(
    "select AllInfo.* from AllInfo where AllInfo.ObjType = 1 order by Str1, Str2, Str3, AllInfo.ObjId");

bool Fill(TMyDataBase& db, int rows)
{
    static const QStringList surnames = {QStringLiteral("Иванов"), QStringLiteral("Петров"), QStringLiteral("Сидоров"),
                                         QStringLiteral("Кузнецов"), QStringLiteral("Смирнов"), QStringLiteral("Попов")};
    QSqlDatabase connection = db.Connection();
    QSqlQuery insert(connection);
    if (!connection.transaction()
        || !insert.prepare(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1, Str2, Str3, Comments, Int1, Flag) "
                                          "values (?, 1, ?, ?, ?, ?, ?, ?)")))
        return false;
    for (int i = 0; i < rows; ++i) {
        insert.bindValue(0, MakeId(static_cast<quint32>(i + 1000), 3));
        insert.bindValue(1, QString(surnames[i % surnames.size()] + QString::number(i % 1999)));
        insert.bindValue(2, QStringLiteral("Имя%1").arg(i % 61));
        insert.bindValue(3, QStringLiteral("Отчество%1").arg(i % 37));
        insert.bindValue(4, QStringLiteral("Заметка о человеке номер %1").arg(i));
        insert.bindValue(5, i % 9);
        insert.bindValue(6, i % 2 ? -1 : 0);
        if (!insert.exec())
            return false;
    }
    return connection.commit();
}

constexpr int Runs = 7;

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.empty() ? -1 : samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

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
    const int rows = args.size() > 2 ? args[2].toInt() : 300000;

    QTemporaryDir folder;
    QString path = args.size() > 1 ? args[1] : QString();
    if (path.isEmpty())
        path = folder.filePath(QStringLiteral("bench.zdb"));
    const bool make = !QFile::exists(path);
    if (make) {
        QString error;
        if (!Schema::CreateDatabaseFile(path, TNewDatabase(), &error)) {
            out << "cannot make the database: " << error << Qt::endl;
            return 1;
        }
    }
    TMyDataBase db;
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path) != DbStatus::Ok) {
        out << "cannot open " << path << ": " << db.StatusText() << Qt::endl;
        return 1;
    }
    SetCurrentDatabase(&db);
    if (make) {
        QElapsedTimer fill;
        fill.start();
        if (!Fill(db, rows)) {
            out << "cannot fill the database" << Qt::endl;
            return 1;
        }
        out << "filled " << rows << " people in " << Ms(fill) << " ms" << Qt::endl;
    }

    TMyDBGrid grid;
    grid.resize(800, 600);
    grid.SetColumns({{QStringLiteral("Str1"), QStringLiteral("Фамилия"), 200, true, Qt::AlignLeft},
                     {QStringLiteral("Str2"), QStringLiteral("Имя"), 150, true, Qt::AlignLeft},
                     {QStringLiteral("Str3"), QStringLiteral("Отчество"), 150, true, Qt::AlignLeft},
                     {QStringLiteral("Comments"), QStringLiteral("Заметка"), 280, true, Qt::AlignLeft}});
    grid.show();
    app.processEvents();
    const double baseRss = ProcessMemoryMb("VmRSS:");

    // The engine alone: the same statement and its first screen of rows (the median of several runs), then
    // every row once.
    const int screen = grid.viewport()->height() / (grid.DefaultRowHeight() + TMyDBGrid::RowMargin) + 1;
    const QString engineSql = db.Translate(ListSql);
    const auto rawRead = [&db, &engineSql](int limit) {
        QSqlQuery raw(db.Connection());
        raw.setForwardOnly(true);
        raw.exec(engineSql);
        int read = 0;
        while (read < limit && raw.next()) {
            raw.value(1);
            ++read;
        }
        return read;
    };
    QElapsedTimer timer;
    std::vector<double> rawFirstRuns;
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        rawRead(screen);
        rawFirstRuns.push_back(Ms(timer));
    }
    const double rawFirst = Median(rawFirstRuns);
    timer.start();
    const int rawRows = rawRead(1 << 30);
    const double rawAll = Ms(timer);
    // The engine alone on the statement read backwards, as the list reads its last rows: the last screen,
    // and a screen 20,000 rows up from the end.
    const QString reversedSql = db.Translate(TListModel::ReversedStatement(ListSql));
    const auto rawBackwards = [&db, &reversedSql](int offset, int limit) {
        QSqlQuery raw(db.Connection());
        raw.setForwardOnly(true);
        raw.exec(QStringLiteral("select * from (") + reversedSql + QStringLiteral(") as W limit ")
                 + QString::number(limit) + QStringLiteral(" offset ") + QString::number(offset));
        int read = 0;
        while (raw.next()) {
            raw.value(1);
            ++read;
        }
        return read;
    };
    std::vector<double> rawLastRuns, rawUpRuns;
    for (int run = 0; run < Runs; ++run) {
        timer.restart();
        rawBackwards(0, screen);
        rawLastRuns.push_back(Ms(timer));
        timer.restart();
        rawBackwards(20000, screen);
        rawUpRuns.push_back(Ms(timer));
    }
    const double rawLast = Median(rawLastRuns);
    const double rawUp = Median(rawUpRuns);

    // The list: the statement and the first screen painted, then the count that follows it (medians of
    // several openings).
    TListModel* model = grid.Model();
    std::vector<double> firstRuns, openRuns, countRuns;
    for (int run = 0; run < Runs; ++run) {
        timer.restart();
        model->Open(&db, ListSql);
        openRuns.push_back(Ms(timer));
        grid.SetCurrentRecord(0);
        grid.viewport()->repaint();
        firstRuns.push_back(Ms(timer));
        while (!model->IsCountKnown())
            app.processEvents();
        countRuns.push_back(Ms(timer));
    }
    const double listFirst = Median(firstRuns);
    const double listOpened = Median(openRuns);
    const double listCounted = Median(countRuns);
    timer.restart();
    grid.viewport()->repaint();
    const double repaint = Ms(timer);
    const int count = model->RecordCount();
    const double openRss = ProcessMemoryMb("VmRSS:");

    // Straight to the end, as Ctrl+End or the scroll bar dragged down does.
    timer.restart();
    grid.scrollToBottom();
    grid.viewport()->repaint();
    const double toEnd = Ms(timer);
    const int cachedAtEnd = model->CachedRows();
    const double endRss = ProcessMemoryMb("VmRSS:");

    // Page by page back up for a stretch, then down from the top through the whole list.
    QScrollBar* bar = grid.verticalScrollBar();
    timer.restart();
    int pagesUp = 0;
    for (int value = bar->maximum(); value > bar->maximum() - 20000 && value > 0; value -= bar->pageStep(), ++pagesUp) {
        bar->setValue(value);
        grid.viewport()->repaint();
    }
    const double upPerPage = pagesUp ? Ms(timer) / pagesUp : 0;
    timer.restart();
    int pagesDown = 0;
    int maxCached = 0;
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep(), ++pagesDown) {
        bar->setValue(value);
        grid.viewport()->repaint();
        maxCached = std::max(maxCached, model->CachedRows());
    }
    const double downAll = Ms(timer);
    const double peakRss = ProcessMemoryMb("VmHWM:");

    out << Qt::endl << "List opening on " << count << " rows of one kind (" << screen << " rows a screen)" << Qt::endl;
    out << "  raw engine, first screen of the statement      " << rawFirst << " ms (median of " << Runs << ")"
        << Qt::endl;
    out << "  raw engine, every row of the statement         " << rawAll << " ms (" << rawRows << " rows)" << Qt::endl;
    out << "  list, statement + first screen painted         " << listFirst << " ms (median of " << Runs << ", x"
        << (rawFirst > 0 ? listFirst / rawFirst : 0) << " raw first screen)" << Qt::endl;
    out << "    of which the statement and its first rows    " << listOpened << " ms; a repaint of the screen "
        << repaint << " ms" << Qt::endl;
    out << "  list, the count in the footer                  " << listCounted << " ms after the statement" << Qt::endl;
    out << "  raw engine, last screen read backwards          " << rawLast << " ms; a screen 20000 rows up "
        << rawUp << " ms (medians of " << Runs << ")" << Qt::endl;
    out << "  list, jump to the last row painted             " << toEnd << " ms  (x"
        << (rawLast > 0 ? toEnd / rawLast : 0) << " raw last screen backwards, x" << (rawAll > 0 ? toEnd / rawAll : 0)
        << " raw every row)" << Qt::endl;
    out << "  list, one page up from the end                 " << upPerPage << " ms on average over " << pagesUp
        << " pages (x" << (rawUp > 0 ? upPerPage / rawUp : 0) << " raw screen 20000 rows up)" << Qt::endl;
    out << "  list, the whole list page by page from the top " << downAll << " ms for " << pagesDown << " pages ("
        << (pagesDown ? downAll / pagesDown : 0) << " ms a page)" << Qt::endl;
    out << "  rows held in memory: after the jump " << cachedAtEnd << ", at most " << maxCached << " of " << count
        << Qt::endl;
    out << "  memory: before " << baseRss << " MB, open " << openRss << " MB, at the end " << endRss << " MB, peak "
        << peakRss << " MB" << Qt::endl;
    const bool firstOk = listFirst <= 50;
    const bool memoryOk = peakRss < 100;
    const bool windowOk = maxCached < count;
    out << "  first screen within 50 ms: " << (firstOk ? "yes" : "NO") << "; memory under 100 MB: "
        << (memoryOk ? "yes" : "NO") << "; never the whole result in memory: " << (windowOk ? "yes" : "NO") << Qt::endl;
    out << "  last row within 100 ms: " << (toEnd <= 100 ? "yes" : "NO") << "; a page up from the end within 15 ms: "
        << (upPerPage <= 15 ? "yes" : "NO") << Qt::endl;

    // A person's card opened on this many people, as Enter on a row opens it: the edit frame with its
    // completion lists, the sections of the first group.
    {
        const QString id = model->FieldValue(0, QStringLiteral("ObjId")).toString();
        std::vector<double> loadRuns, cardRuns;
        for (int run = 0; run < Runs; ++run) {
            TDBMainInfo person;
            timer.restart();
            person.SetObj(id);
            loadRuns.push_back(Ms(timer));
            timer.restart();
            TPeopleObjFrame card;
            card.resize(936, 780);
            card.SetMasterDBInfo(&person);
            card.show();
            card.repaint();
            cardRuns.push_back(Ms(timer));
        }
        const double load = Median(loadRuns);
        const double card = Median(cardRuns);
        out << "  person card opened and painted                 " << card << " ms (median of " << Runs << ", x"
            << (load > 0 ? card / load : 0) << " loading its record, " << load << " ms)" << Qt::endl;
    }
    SetCurrentDatabase(nullptr);
    return 0;
}
