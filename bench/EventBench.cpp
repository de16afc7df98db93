// The events list and the event card on a database of 100 000 events: the list's statement read by the
// engine (its first page, the rows of the first screen) beside the list opened and its first screen
// painted, and the statements an event card sends beside the card opened and painted.
// Usage: zorvin-bench-events [DATABASE_FILE]
//   A file that does not exist yet (or, without a file, one in a temporary folder) is made and filled with
//   100 000 events in 60 projects, so it can be kept for the next run.
#include "activities/EventObjFrame.h"
#include "activities/FindEvent.h"
#include "bench/BenchTable.h"
#include "bench/RawSqlite.h"
#include "platform/Clock.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"
#include "store/kinds/EventLists.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupLists.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Events = 100000;
constexpr int Projects = 60;
constexpr int Runs = 9;

const QDate Reference(2026, 3, 29);

class TReferenceDay final : public TClock
{
public:
    QDateTime Now() const override { return QDateTime(Reference, QTime(12, 0)); }
};

// 100 000 events over ten years up to the reference day and a month after it, in one transaction.
bool Fill(const QString& path, QTextStream& out)
{
    QString error;
    if (!Schema::CreateDatabaseFile(path, TNewDatabase{}, &error)) {
        out << "cannot make " << path << ": " << error << Qt::endl;
        return false;
    }
    TRawSqlite raw(path);
    if (!raw.IsOpen() || !raw.Exec(u"begin"_s))
        return false;
    QRandomGenerator random(7);
    QStringList projects;
    for (int i = 0; i < Projects; ++i) {
        projects << MakeId(static_cast<quint32>(100 + i), 5);
        raw.Run(u"insert into AllInfo (ObjId, ObjType, Int1, Str1, Str5) values (?, 21, 9, ?, ?)"_s,
            {projects.last(), u"Проект %1"_s.arg(i), u"Проект %1"_s.arg(i)});
    }
    const double last = DateSerial::FromDate(Reference.addMonths(1));
    const QStringList names{u"Звонок"_s, u"Встреча"_s, u"Письмо"_s, u"Совещание"_s, u"Отчёт"_s, u"Обед"_s};
    for (int i = 0; i < Events; ++i) {
        const double start = last - random.bounded(3650.0);
        const double rounded = std::floor(start * 96) / 96;
        const QString name = names[i % names.size()] + u' ' + QString::number(i % 997);
        raw.Run(u"insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Link4, Int1, Int2, Int3, Str1, Str3, "
                "Str5, Date1, D1Flag, Date2, D2Flag) values (?, 8, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, -1, ?, -1)"_s,
            {MakeId(static_cast<quint32>(1000 + i), 5), projects[i % Projects], Ids::None, Ids::None, Ids::None,
                QString::number(1 + i % 10), QString::number(1 + i % 3), QString::number(i % 3), name,
                i % 5 == 0 ? u"сделано"_s : QString(), EventDisplayName(rounded, name), QString::number(rounded, 'f', 8),
                QString::number(rounded + 1.0 / 24, 'f', 8)});
    }
    return raw.Exec(u"commit"_s);
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
    const QString path = args.size() > 1 ? args[1] : folder.filePath(u"events.zdb"_s);
    if (!QFile::exists(path)) {
        const double ms = Time([&]() { Fill(path, out); });
        out << Events << " events made in " << ms / 1000 << " s" << Qt::endl;
    }
    TMyDataBase db;
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path) != DbStatus::Ok) {
        out << "cannot open " << path << ": " << db.StatusText() << Qt::endl;
        return 1;
    }
    SetCurrentDatabase(&db);
    TReferenceDay day;
    SetClock(&day);
    TRawSqlite raw(path);

    // The list: its statement's first page read by the engine, then the list opened and painted.
    TFindEvent list;
    list.resize(520, 800);
    TDBMainInfo master;
    master.ObjType = Kind::Event;
    list.SetMasterDBInfo(&master);
    list.show();
    app.processEvents();
    const QString listSql = db.Translate(list.GetSelectSQL());
    std::vector<double> rawList, listRuns;
    for (int run = 0; run < Runs; ++run) {
        rawList.push_back(Time([&]() { raw.Read(listSql, TListModel::PageSize); }));
        listRuns.push_back(Time([&]() {
            list.RunQuery(QString());
            list.ListGrid()->viewport()->repaint();
        }));
    }
    const QString current = list.CurObjId();

    // The card of the event the list stands on: the statements it sends, then the card opened and painted.
    TDBMainInfo event;
    event.SetObj(current);
    const QStringList cardStatements{
        u"select * from AllInfo where ObjId = "_s + SqlDialect::Quote(current),
        GroupLists::ProjectListStatement(),
    };
    // The suggestions of the name and result boxes are read when their lists are first opened.
    out << "suggestions read when a list is opened:" << Qt::endl;
    for (const QString& sql : {DistinctValuesStatement(u"Str1"_s, event.Link1, 0, 0, Kind::Event),
             DistinctValuesStatement(u"Str3"_s, QString(), 0, 0, Kind::Event)})
        out << "  " << Time([&]() { raw.Read(db.Translate(sql)); }) << " ms: " << sql << Qt::endl;
    std::vector<double> rawCard, cardRuns;
    for (int run = 0; run < Runs; ++run) {
        rawCard.push_back(Time([&]() {
            for (const QString& sql : cardStatements)
                raw.Read(db.Translate(sql));
        }));
        cardRuns.push_back(Time([&]() {
            TEventObjFrame card;
            card.resize(1000, 700);
            card.SetMasterId(current);
            card.show();
            card.repaint();
        }));
    }
    QList<TBenchRow> rows;
    TBenchRow listRow;
    listRow.Operation = u"Список событий: запрос и первый экран"_s;
    listRow.Median = Median(listRuns);
    listRow.Baseline = Median(rawList);
    listRow.Unit = u"мс"_s;
    listRow.Limit = 50;
    listRow.Runs = Runs;
    listRow.Note = u"база: первая страница (%1 строк) того же запроса в SQLite"_s.arg(TListModel::PageSize);
    rows << listRow;
    TBenchRow cardRow;
    cardRow.Operation = u"Карточка события: открытие и отрисовка"_s;
    cardRow.Median = Median(cardRuns);
    cardRow.Baseline = Median(rawCard);
    cardRow.Unit = u"мс"_s;
    cardRow.Limit = 100;
    cardRow.Runs = Runs;
    cardRow.Note = u"база: %1 запросов карточки в SQLite"_s.arg(cardStatements.size());
    rows << cardRow;
    out << list.ListGrid()->Model()->RecordCount() << " events listed" << Qt::endl;
    PrintTable(rows, out);
    SetClock(nullptr);
    SetCurrentDatabase(nullptr);
    for (const TBenchRow& row : rows)
        if (row.Missed())
            return 2;
    return 0;
}
