#include "bench/AddressBench.h"

#include "bench/RawSqlite.h"
#include "contacts/EditAddress.h"
#include "store/DataBase.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"

#include <QElapsedTimer>
#include <QSqlQuery>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The values of \a columns shared by the most addresses (none of them blank): the list a user meets at its longest.
QStringList Busiest(TMyDataBase* db, const QStringList& columns)
{
    QString sql = u"select "_s + columns.join(u", "_s) + u", count(*) from AllInfo where ObjType = 3"_s;
    for (const QString& column : columns)
        sql += u" and "_s + column + u" <> \"\""_s;
    sql += u" group by "_s + columns.join(u", "_s) + u" order by count(*) desc"_s;
    QStringList values;
    auto q = db->CreateQuery(sql);
    if (q && q->next())
        for (int i = 0; i < columns.size(); ++i)
            values << q->value(i).toString();
    return values;
}

TBenchRow Step(const StoreBench::TContext& c, const QString& name, const QString& dialect,
    const std::function<qint64()>& ours)
{
    const QString translated = c.Db->Translate(dialect);
    std::vector<double> a;
    std::vector<double> b;
    qint64 found = 0;
    const int runs = 51 * c.Scale;
    for (int i = -2; i < runs; ++i) {
        const double x = Time([&] { found = ours(); });
        const double y = Time([&] { c.Raw->Read(translated); });
        if (i >= 0) {
            a.push_back(x);
            b.push_back(y);
        }
    }
    TBenchRow row;
    row.Operation = name;
    row.Unit = u"мс"_s;
    row.Median = Median(a);
    row.Baseline = Median(b);
    row.Limit = 30;
    row.Runs = runs;
    row.Note = u"%1 строк; список редактора адреса через TMyDataBase и переводчик диалекта против того же "
               u"запроса в SQLite C API"_s.arg(found);
    return row;
}

} // namespace

namespace AddressBench {

QList<TBenchRow> CompletionSteps(const StoreBench::TContext& c)
{
    struct TList
    {
        QString Name;
        QStringList By; ///< the columns whose values the list is read for: the key (when two), then the value
        int Mode;
    };
    const QList<TList> lists{
        {u"Адрес: страны"_s, {}, 0},
        {u"Адрес: области страны"_s, {u"Str1"_s}, 1},
        {u"Адрес: районы области"_s, {u"Str2"_s}, 2},
        {u"Адрес: пункты района"_s, {u"Str3"_s}, 3},
        {u"Адрес: пункты области (район пуст)"_s, {u"Str2"_s}, 7},
        {u"Адрес: улицы пункта"_s, {u"Str4"_s}, 4},
        {u"Адрес: дома улицы"_s, {u"Str4"_s, u"Str5"_s}, 5},
        {u"Адрес: индексы пункта"_s, {u"Str1"_s, u"Str4"_s}, 6},
    };
    QList<TBenchRow> rows;
    for (const TList& list : lists) {
        const QStringList values = Busiest(c.Db, list.By);
        if (values.size() != list.By.size()) {
            TBenchRow none;
            none.Operation = list.Name;
            none.Note = u"в наборе данных нет таких адресов"_s;
            rows << none;
            continue;
        }
        const QString key = values.size() == 2 ? values.at(0) : QString();
        const QString value = values.isEmpty() ? QString() : values.last();
        const QString sql = DistinctValuesStatement(key, value, 0, list.Mode, Kind::Address);
        rows << Step(c, list.Name, sql, [&] {
            TValueList found;
            DistinctValues(c.Db, key, value, found, 0, list.Mode, Kind::Address);
            return static_cast<qint64>(found.size());
        });
    }
    const QStringList index = Busiest(c.Db, {u"Link5"_s, u"Str1"_s});
    if (index.size() == 2) {
        const QString lookup = TEditAddress::IndexLookupStatement(index.at(0), index.at(1));
        rows << Step(c, u"Адрес: область, район и пункт по индексу"_s, lookup, [&] {
            auto q = c.Db->CreateQuery(lookup);
            qint64 n = 0;
            while (q && q->next())
                ++n;
            return n;
        });
    }
    return rows;
}

} // namespace AddressBench
