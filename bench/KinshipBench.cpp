// How two people are related, on a generated family of 100 000 people over 30 generations:
// zorvin-bench-kinship [DATABASE_FILE]. The path between a person and a descendant 12 generations down,
// against the plainest statement reading the 13 people of that path.
#include "bench/BenchTable.h"
#include "store/DataBase.h"
#include "store/KinshipPath.h"
#include "store/ObjectKinds.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int Generations = 30;
constexpr int PerGeneration = 3334; ///< 30 generations of it make 100 020 people
constexpr int Runs = 7;

QString PersonId(int generation, int index)
{
    return MakeId(quint32(generation * PerGeneration + index + 1), 5);
}

QString FamilyId(int generation, int index)
{
    return MakeId(quint32(generation * PerGeneration + index + 1), 6);
}

/// Each generation pairs its people at random into couples; every child of the next generation is born into
/// one of them at random. Returns, for each generation after the first, the native family of each person.
bool Fill(TMyDataBase& db, std::vector<std::vector<int>>& nativeOf)
{
    QRandomGenerator random(1234);
    QSqlDatabase connection = db.Connection();
    QSqlQuery insert(connection);
    if (!connection.transaction())
        qWarning("no transaction: %s", qPrintable(connection.lastError().text()));
    insert.prepare(u"insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Flag, Str1, Str2) "
                   u"values (?, ?, ?, ?, ?, ?, ?, ?)"_s);
    nativeOf.assign(Generations, {});
    std::vector<int> husbandOf;
    std::vector<int> wifeOf;
    for (int g = 0; g < Generations; ++g) {
        std::vector<int> order(PerGeneration);
        for (int i = 0; i < PerGeneration; ++i)
            order[size_t(i)] = i;
        std::shuffle(order.begin(), order.end(), std::mt19937(1000 + g));
        std::vector<int> placeOf(PerGeneration);
        for (int i = 0; i < PerGeneration; ++i)
            placeOf[size_t(order[size_t(i)])] = i;
        nativeOf[size_t(g)].assign(PerGeneration, -1);
        for (int i = 0; i < PerGeneration; ++i) {
            // A man has an even place in the shuffled order, a woman an odd one; couples are neighbours.
            const int place = placeOf[size_t(i)];
            const int native = g > 0 ? int(random.bounded(PerGeneration / 2)) : -1;
            nativeOf[size_t(g)][size_t(i)] = native;
            insert.addBindValue(PersonId(g, i));
            insert.addBindValue(int(Kind::Person));
            insert.addBindValue(native >= 0 ? FamilyId(g - 1, native) : Ids::None);
            insert.addBindValue(Ids::None);
            insert.addBindValue(Ids::None);
            insert.addBindValue(place % 2 == 1);
            insert.addBindValue(u"Род%1"_s.arg(g));
            insert.addBindValue(u"Человек%1"_s.arg(i));
            if (!insert.exec()) {
                qWarning("%s", qPrintable(insert.lastError().text()));
                return false;
            }
        }
        for (int f = 0; f < PerGeneration / 2; ++f) {
            insert.addBindValue(FamilyId(g, f));
            insert.addBindValue(int(Kind::Family));
            insert.addBindValue(PersonId(g, order[size_t(2 * f)]));
            insert.addBindValue(PersonId(g, order[size_t(2 * f + 1)]));
            insert.addBindValue(Ids::None);
            insert.addBindValue(false);
            insert.addBindValue(u"Род%1"_s.arg(g));
            insert.addBindValue(u"Род%1"_s.arg(g));
            if (!insert.exec()) {
                qWarning("%s", qPrintable(insert.lastError().text()));
                return false;
            }
        }
    }
    if (!connection.commit()) {
        qWarning("no commit: %s", qPrintable(connection.lastError().text()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(u"kinship.db"_s);
    const bool fresh = !QFile::exists(file);
    QString error;
    if (fresh && !Schema::CreateDatabaseFile(file, TNewDatabase{}, &error)) {
        out << "cannot create " << file << ": " << error << Qt::endl;
        return 1;
    }
    TMyDataBase db;
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file) != DbStatus::Ok) {
        out << "cannot open " << file << ": " << db.StatusText() << Qt::endl;
        return 1;
    }
    SetCurrentDatabase(&db);
    std::vector<std::vector<int>> nativeOf;
    bool filled = false;
    const double fill = Time([&] { filled = fresh && Fill(db, nativeOf); });
    if (!filled) {
        out << "the family must be generated by this program into a new file" << Qt::endl;
        return 1;
    }
    out << "family: " << Generations * PerGeneration << " people in " << fill / 1000 << " s" << Qt::endl;

    // A descendant 12 generations down the father's or the mother's line: walk down from generation 17.
    const int bottom = 17;
    int index = 0;
    QStringList line{PersonId(bottom, index)};
    for (int g = bottom; g > bottom - 12; --g) {
        const int family = nativeOf[size_t(g)][size_t(index)];
        QSqlQuery parent(db.Connection());
        parent.exec(u"select Link1 from AllInfo where ObjId = '%1'"_s.arg(FamilyId(g - 1, family)));
        parent.next();
        const QString id = parent.value(0).toString();
        index = int(id.right(8).toUInt(nullptr, 16)) - (g - 1) * PerGeneration - 1;
        line.prepend(id);
    }
    std::vector<double> samples;
    std::vector<double> raw;
    TKinshipPath path;
    for (int run = 0; run < Runs; ++run) {
        samples.push_back(Time([&] { path = FindKinshipPath(&db, line.first(), line.last()); }));
        raw.push_back(Time([&] {
            QSqlQuery query(db.Connection());
            QStringList quoted;
            for (const QString& id : std::as_const(line))
                quoted << SqlDialect::Quote(id);
            query.exec(u"select ObjId, Str1, Str2, Str3, Flag, Link1 from AllInfo where ObjId in (%1)"_s.arg(quoted.join(u',')));
            while (query.next()) {
            }
        }));
    }
    TBenchRow row;
    row.Operation = u"Путь родства через 12 поколений (100 000 человек)"_s;
    row.Median = Median(samples);
    row.Baseline = Median(raw);
    row.Unit = u"мс"_s;
    row.Limit = 50;
    row.Runs = Runs;
    row.Note = u"%1 шагов: %2"_s.arg(path.Length()).arg(path.Word);
    PrintTable({row}, out);
    return 0;
}
