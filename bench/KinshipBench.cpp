// How two people are related, on a generated family of 100 000 people over 30 generations:
// zorvin-bench-kinship [DATABASE_FILE]. The path between a person and a descendant 12 generations down,
// against the plainest statement reading the 13 people of that path; the relation tree of a person with
// about 190 relatives; and the tree of a person of the 100 000, which spans nearly all of them: how soon its
// first nodes show, and how long the window is kept from its events at most while the rest is built.
#include "bench/BenchTable.h"
#include "contacts/RelationTree.h"
#include "store/Gid.h"
#include "store/ObjectRecord.h"
#include "store/DataBase.h"
#include "store/KinshipPath.h"
#include "store/ObjectKinds.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"

#include <QApplication>
#include <QElapsedTimer>
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

/// A clan apart from the 100 000: five generations under one couple, five children in each family, of whom
/// the first two marry someone from outside and have five children in turn: 187 people. Returns a child of
/// the last generation.
QString FillClan(TMyDataBase& db)
{
    QSqlDatabase connection = db.Connection();
    QSqlQuery insert(connection);
    if (!connection.transaction())
        return QString();
    insert.prepare(u"insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Flag, Str1, Str2) "
                   u"values (?, ?, ?, ?, ?, ?, ?, ?)"_s);
    quint32 counter = 400000;
    const auto add = [&](int kind, const QString& link1, const QString& link2, bool female, const QString& str1,
                         const QString& str2) {
        const QString id = MakeId(++counter, kind == Kind::Family ? 6 : 5);
        for (const QVariant& value : {QVariant(id), QVariant(kind), QVariant(link1), QVariant(link2),
                 QVariant(Ids::None), QVariant(female), QVariant(str1), QVariant(str2)})
            insert.addBindValue(value);
        return insert.exec() ? id : QString();
    };
    const QString husband = add(Kind::Person, Ids::None, Ids::None, false, u"Клан"_s, u"Глава"_s);
    const QString wife = add(Kind::Person, Ids::None, Ids::None, true, u"Клан"_s, u"Жена"_s);
    QStringList families{add(Kind::Family, husband, wife, false, u"Клан Глава"_s, u"Клан Жена"_s)};
    QString last;
    for (int g = 1; g <= 5; ++g) {
        QStringList next;
        for (const QString& family : std::as_const(families)) {
            for (int c = 0; c < 5; ++c) {
                last = add(Kind::Person, family, Ids::None, false, u"Клан"_s, u"Сын%1-%2"_s.arg(g).arg(c));
                if (c < 2 && g < 5) {
                    const QString spouse = add(Kind::Person, Ids::None, Ids::None, true, u"Клан"_s, u"Невестка"_s);
                    next << add(Kind::Family, last, spouse, false, u"Клан"_s, u"Клан"_s);
                }
            }
        }
        families = next;
    }
    return connection.commit() ? last : QString();
}

/// The tree of \a id built in \a tree; the time of its first nodes (the build's start), in ms.
double ShowTree(TRelationTree& tree, TDBMainInfo& person, TMyDataBase& db, const QString& id)
{
    person.SetDatabase(&db);
    person.SetObj(id);
    return Time([&] { tree.SetMasterDBInfo(&person); });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    QString clanChild;
    const double fill = Time([&] { filled = fresh && Fill(db, nativeOf) && !(clanChild = FillClan(db)).isEmpty(); });
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

    // The tree of a person with about 190 relatives: built at once.
    std::vector<double> clanTimes;
    int clanNodes = 0;
    for (int run = 0; run < Runs; ++run) {
        TRelationTree tree;
        TDBMainInfo person;
        clanTimes.push_back(ShowTree(tree, person, db, clanChild));
        clanNodes = tree.IsBuilding() ? -1 : tree.NodeCount();
    }
    TBenchRow clan;
    clan.Operation = u"Генеалогическое древо человека с 190 родственниками"_s;
    clan.Median = Median(clanTimes);
    clan.Unit = u"мс"_s;
    clan.Limit = 200;
    clan.Runs = Runs;
    clan.Note = u"%1 узлов"_s.arg(clanNodes);

    // The tree of a person of the 100 000: its first nodes at once, the rest in slices between events.
    TRelationTree big;
    TDBMainInfo bigPerson;
    const double first = ShowTree(big, bigPerson, db, line.last());
    const int firstNodes = big.NodeCount();
    double longest = 0;
    QElapsedTimer whole;
    whole.start();
    constexpr int BuildSeconds = 20;
    while (big.IsBuilding() && whole.elapsed() < BuildSeconds * 1000) {
        longest = std::max(longest, Time([] { QCoreApplication::processEvents(); }));
    }
    const bool ended = !big.IsBuilding();
    big.StopBuilding();
    TBenchRow bigFirst;
    bigFirst.Operation = u"Древо в семье 100 000 человек: первые узлы"_s;
    bigFirst.Median = first;
    bigFirst.Unit = u"мс"_s;
    bigFirst.Limit = 200;
    bigFirst.Runs = 1;
    bigFirst.Note = u"%1 узлов сразу; затем %2 узлов за %3 с%4"_s.arg(firstNodes)
                        .arg(big.NodeCount())
                        .arg(double(whole.elapsed()) / 1000, 0, 'f', 1)
                        .arg(ended ? u", построено целиком"_s : u", затем остановлено кнопкой «Стоп»"_s);
    TBenchRow bigSlice;
    bigSlice.Operation = u"Древо в семье 100 000 человек: самая долгая пауза окна"_s;
    bigSlice.Median = longest;
    bigSlice.Unit = u"мс"_s;
    bigSlice.Limit = 100;
    bigSlice.Runs = 1;
    bigSlice.Note = u"построение частями между событиями окна"_s;
    PrintTable({row, clan, bigFirst, bigSlice}, out);
    return 0;
}
