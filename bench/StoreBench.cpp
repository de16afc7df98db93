#include "bench/StoreBench.h"

#include "bench/RawSqlite.h"
#include "shell/widgets/ListModel.h"
#include "store/CascadeDelete.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

volatile quint64 g_sink = 0;

QStringList IdsOf(TMyDataBase* db, const QString& sql)
{
    QStringList ids;
    auto q = db->CreateQuery(sql);
    while (q && q->next())
        ids << q->value(0).toString();
    return ids;
}

// Every step-th id of \a all, at most \a count of them.
QStringList Spread(const QStringList& all, int count)
{
    QStringList picked;
    const int step = std::max(1, static_cast<int>(all.size()) / std::max(1, count));
    for (int i = 0; i < all.size() && picked.size() < count; i += step)
        picked << all.at(i);
    return picked;
}

void FillPerson(TObjectRow& r, int n)
{
    r.ObjType = Kind::Person;
    r.Str1 = u"Испытателев"_s;
    r.Str2 = n % 2 ? u"Пётр"_s : u"Павел"_s;
    r.Str3 = u"Сергеевич"_s;
    r.Str5 = u"Испытателев П. С."_s;
    r.Date1 = DateSerial::FromDate(QDate(1970 + n % 40, 1 + n % 12, 1 + n % 28));
    r.D1Flag = true;
    r.D1Fixed = true;
    r.Comments = u"Запись для замеров"_s;
}

// Saves a new row the program's way and gives its identifier (empty when the save failed).
QString SaveNew(TMyDataBase* db, const std::function<void(TDBMainInfo&)>& fill)
{
    TDBMainInfo record;
    record.SetDatabase(db);
    fill(record);
    return record.Save() == SaveResult::Done ? record.Obj.Text() : QString();
}

const QString kNone = Ids::None;

} // namespace

namespace StoreBench {

QString FinanceListStatement()
{
    return u"select AllInfo.*, AllInfo.ObjId as LinkId, Acc.Str1 as AccName,  Grp.Str5 as GrpName, SGrp.Str5 as "
           u"SGrpName, Acc.Str4 as ValName, PInfo.Str5 as KAName from AllInfo, AllInfo as Acc, AllInfo as Grp, "
           u"AllInfo as SGrp, AllInfo as PInfo where AllInfo.ObjType = 24 and Acc.ObjId   = AllInfo.Link1 and "
           u"PInfo.ObjId = AllInfo.Link2 and Grp.ObjId   = AllInfo.Link3 and SGrp.ObjId  = AllInfo.Link4  order by "
           u"AllInfo.Date1 desc"_s;
}

TBenchRow QuickFind(const TContext& c, const QString& setName, double limit)
{
    // The people list's own statement for the quick find "Ив", as the list frame builds it.
    const QString dialect = u"select AllInfo.* from AllInfo where AllInfo.ObjType = 1 and (AllInfo.Str1 like "
                            u"\"Ив%\" ) order by Str1, Str2, Str3"_s;
    // The translator reads the prefix as an index range: the fastest statement that gives the same rows.
    const QString range = c.Db->Translate(dialect);
    // The same search as a like() alone, which reads every person: what the search cost before.
    const QString scan = u"select AllInfo.* from AllInfo where AllInfo.ObjType = 1 and (AllInfo.Str1 like 'Ив%' ) "
                         u"order by Str1, Str2, Str3"_s;
    std::vector<double> ours;
    std::vector<double> raw;
    std::vector<double> scanned;
    qint64 found = 0;
    qint64 scanFound = 0;
    const int runs = 31 * c.Scale;
    for (int i = -2; i < runs; ++i) {
        // Through the grid's model: the statement opened, its count known and every value of every row
        // read, as the raw baseline reads them.
        const double a = Time([&] {
            TListModel model;
            if (!model.Open(c.Db, dialect)) {
                found = -1;
                return;
            }
            found = model.RecordCount();
            const int fields = static_cast<int>(model.FieldNames().size());
            for (int r = 0; r < found; ++r) {
                for (int f = 0; f < fields; ++f)
                    g_sink = g_sink + static_cast<quint64>(model.FieldValue(r, f).userType());
            }
        });
        const double b = Time([&] { c.Raw->Read(range); });
        const double d = Time([&] { scanFound = c.Raw->Read(scan); });
        if (i >= 0) {
            ours.push_back(a);
            raw.push_back(b);
            scanned.push_back(d);
        }
    }
    TBenchRow row;
    row.Operation = u"Быстрый поиск людей «Ив», набор %1"_s.arg(setName);
    row.Unit = u"мс"_s;
    row.Median = Median(ours);
    row.Baseline = Median(raw);
    row.Limit = limit;
    row.RatioLimit = 1.5;
    row.Runs = runs;
    row.Note = u"%1 строк; модель таблицы списка над TMyDataBase и переводчиком диалекта против диапазона индекса "
               u"в SQLite C API; просмотр всех людей с like() без диапазона: %2 мс (%3 строк)"_s.arg(found)
                   .arg(Median(scanned), 0, 'f', 2)
                   .arg(scanFound);
    return row;
}

TBenchRow LoadRecord(const TContext& c)
{
    const QStringList ids
        = Spread(IdsOf(c.Db, u"select ObjId from AllInfo where ObjType = 1 order by ObjId"_s), 301 * c.Scale);
    std::vector<double> ours;
    std::vector<double> raw;
    TDBMainInfo record;
    record.SetDatabase(c.Db);
    for (const QString& id : ids) {
        ours.push_back(Time([&] { record.SetObj(id); }));
        const QString sql = u"select * from AllInfo where ObjId = '"_s + id + u"'"_s;
        raw.push_back(Time([&] { c.Raw->Read(sql); }));
    }
    TBenchRow row;
    row.Operation = u"Загрузка записи (SetObj)"_s;
    row.Unit = u"мс"_s;
    row.Median = Median(ours);
    row.Baseline = Median(raw);
    row.Limit = 1;
    row.Runs = static_cast<int>(ids.size());
    return row;
}

TBenchRow SaveNewRecord(const TContext& c)
{
    std::vector<double> ours;
    std::vector<double> raw;
    const int runs = 201 * c.Scale;
    const QString identity = c.Db->IdentityRowId();
    for (int i = 0; i < runs; ++i) {
        TDBMainInfo record;
        record.SetDatabase(c.Db);
        FillPerson(record, i);
        TStoreResult result;
        ours.push_back(Time([&] { result = record.Save(); }));
        if (result != SaveResult::Done)
            return TBenchRow {u"Запись нового объекта"_s, -1, -1, u"мс"_s, 5, -1, 0, u"запись не удалась"_s};
        raw.push_back(Time([&] {
            // The same steps without the record: counter, new id, one insert, in one transaction.
            c.Raw->Exec(u"BEGIN IMMEDIATE"_s);
            c.Raw->Exec(u"update AllInfo set Int1 = Int1 + 1 where ObjId = '"_s + identity + u"'"_s);
            const qint64 counter = c.Raw->Number(u"select Int1 from AllInfo where ObjId = '"_s + identity + u"'"_s);
            const qint64 prefix = c.Raw->Number(u"select Int2 from AllInfo where ObjId = '"_s + identity + u"'"_s);
            const QString id = MakeId(static_cast<quint32>(counter), static_cast<quint32>(prefix));
            c.Raw->Run(u"insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Link4, Link5, Str1, Str2, Str3, "
                       u"Str5, Comments, Date1, D1Flag, D1Fixed, DCreate, DModify) values (?, 1, ?, ?, ?, ?, ?, ?, ?, "
                       u"?, ?, ?, 26000, -1, -1, 46000, 46000)"_s,
                {id, kNone, kNone, kNone, kNone, kNone, record.Str1, record.Str2, record.Str3, record.Str5,
                    record.Comments});
            c.Raw->Exec(u"COMMIT"_s);
        }));
    }
    TBenchRow row;
    row.Operation = u"Запись нового объекта (Save)"_s;
    row.Unit = u"мс"_s;
    row.Median = Median(ours);
    row.Baseline = Median(raw);
    row.Limit = 5;
    row.Runs = runs;
    return row;
}

TBenchRow SaveExistingRecord(const TContext& c)
{
    const QStringList ids
        = Spread(IdsOf(c.Db, u"select ObjId from AllInfo where ObjType = 1 order by ObjId"_s), 201 * c.Scale);
    std::vector<double> ours;
    std::vector<double> raw;
    TDBMainInfo record;
    record.SetDatabase(c.Db);
    int n = 0;
    for (const QString& id : ids) {
        if (!record.SetObj(id))
            continue;
        record.Comments = u"Изменено при замере %1"_s.arg(++n);
        TStoreResult result;
        ours.push_back(Time([&] { result = record.Save(); }));
        if (result != SaveResult::Done)
            return TBenchRow {u"Запись изменённого объекта"_s, -1, -1, u"мс"_s, -1, -1, 0, u"запись не удалась"_s};
        raw.push_back(Time([&] {
            c.Raw->Exec(u"BEGIN IMMEDIATE"_s);
            c.Raw->Run(u"update AllInfo set Comments = ?, DModify = 46000.5 where ObjId = ?"_s,
                {record.Comments + u"."_s, id});
            c.Raw->Exec(u"COMMIT"_s);
        }));
    }
    TBenchRow row;
    row.Operation = u"Запись изменённого объекта (Save)"_s;
    row.Unit = u"мс"_s;
    row.Median = Median(ours);
    row.Baseline = Median(raw);
    row.Runs = static_cast<int>(ours.size());
    row.Note = u"у задачи нет цели для этой операции; для сравнения с записью нового объекта"_s;
    return row;
}

TBenchRow CascadeDeletion(const TContext& c)
{
    TBenchRow row;
    row.Operation = u"Каскадное удаление человека с 50 связями"_s;
    row.Unit = u"мс"_s;
    row.Limit = 50;
    const QStringList events
        = Spread(IdsOf(c.Db, u"select ObjId from AllInfo where ObjType = 8 order by ObjId"_s), 400);
    const QStringList addresses
        = Spread(IdsOf(c.Db, u"select ObjId from AllInfo where ObjType = 3 order by ObjId"_s), 200);
    const QStringList notes
        = Spread(IdsOf(c.Db, u"select ObjId from AllInfo where ObjType = 10 order by ObjId"_s), 100);
    const QStringList operations = Spread(IdsOf(c.Db,
                                              u"select ObjId from AllInfo where ObjType = 24 and Int4 = 0 "
                                              u"order by ObjId"_s),
        100);
    if (events.isEmpty() || addresses.isEmpty() || notes.isEmpty() || operations.isEmpty()) {
        row.Note = u"в наборе данных нет событий, адресов, заметок или операций"_s;
        return row;
    }
    // Each person gets 50 links the way the program makes them: 20 participations in events (two role
    // rows each), 8 residences, 8 phones, 6 internet contacts, 4 attached notes, 4 linked operations.
    struct TVictim
    {
        QString Id;
        QStringList Rows;
    };
    const int people = 15 * c.Scale;
    std::vector<TVictim> victims;
    {
        TWriteTransaction transaction(c.Db);
        for (int p = 0; p < 2 * people; ++p) {
            TVictim v;
            v.Id = SaveNew(c.Db, [&](TDBMainInfo& r) { FillPerson(r, p); });
            auto add = [&](const std::function<void(TDBMainInfo&)>& fill) {
                const QString id = SaveNew(c.Db, fill);
                if (!id.isEmpty())
                    v.Rows << id;
                return id;
            };
            for (int k = 0; k < 20; ++k) {
                const QString event = events.at((p * 20 + k) % events.size());
                const QString side = add([&](TDBMainInfo& r) {
                    r.ObjType = Kind::Role;
                    r.Link1 = v.Id;
                    r.Int1 = Kind::Person;
                    r.Int2 = Kind::Event;
                    r.Str1 = u"Участник"_s;
                });
                const QString other = add([&](TDBMainInfo& r) {
                    r.ObjType = Kind::Role;
                    r.Link1 = event;
                    r.Link5 = side;
                    r.Int1 = Kind::Event;
                    r.Int2 = Kind::Person;
                    r.Str1 = u"-"_s;
                });
                TDBMainInfo first;
                first.SetDatabase(c.Db);
                first.SetObj(side);
                first.Link5 = other;
                first.Save();
            }
            for (int k = 0; k < 8; ++k)
                add([&](TDBMainInfo& r) {
                    r.ObjType = Kind::Residence;
                    r.Link1 = addresses.at((p * 8 + k) % addresses.size());
                    r.Link2 = v.Id;
                    r.Flag = k == 0;
                });
            for (int k = 0; k < 8; ++k)
                add([&](TDBMainInfo& r) {
                    r.ObjType = Kind::Phone;
                    r.Link1 = v.Id;
                    r.Int2 = Kind::Person;
                    r.Int1 = 3;
                    r.Str1 = u"7 916%1"_s.arg(1000000 + p * 10 + k);
                });
            for (int k = 0; k < 6; ++k)
                add([&](TDBMainInfo& r) {
                    r.ObjType = Kind::InternetContact;
                    r.Link1 = v.Id;
                    r.Int1 = 1;
                    r.Int2 = 82;
                    r.Str1 = u"test%1.%2@mail.ru"_s.arg(p).arg(k);
                });
            for (int k = 0; k < 4; ++k)
                add([&](TDBMainInfo& r) {
                    r.ObjType = Kind::NoteLink;
                    r.Link1 = notes.at((p * 4 + k) % notes.size());
                    r.Link2 = v.Id;
                });
            for (int k = 0; k < 4; ++k)
                add([&](TDBMainInfo& r) {
                    r.ObjType = Kind::OperationLink;
                    r.Link1 = operations.at((p * 4 + k) % operations.size());
                    r.Link2 = v.Id;
                    r.Str1 = u"Подарок"_s;
                });
            victims.push_back(v);
        }
        if (!transaction.Commit()) {
            row.Note = u"не удалось подготовить людей со связями"_s;
            return row;
        }
    }
    std::vector<double> ours;
    std::vector<double> raw;
    int left = 0;
    for (int p = 0; p < people; ++p) {
        const TVictim& mine = victims[2 * p];
        TDBMainInfo person;
        person.SetDatabase(c.Db);
        person.SetObj(mine.Id);
        bool deleted = false;
        ours.push_back(Time([&] { deleted = CascadeDelete::DeleteObject(person); }));
        if (!deleted) {
            row.Note = u"удаление отказало"_s;
            return row;
        }
        left += static_cast<int>(c.Raw->Number(u"select count(*) from AllInfo where Link1 = '%1' or Link2 = '%1' or "
                                               u"ObjId = '%1'"_s.arg(mine.Id)));
        const TVictim& plain = victims[2 * p + 1];
        const QString list = u"'"_s + (plain.Rows + QStringList {plain.Id}).join(u"', '"_s) + u"'"_s;
        raw.push_back(Time([&] {
            c.Raw->Exec(u"BEGIN IMMEDIATE"_s);
            c.Raw->Exec(u"delete from AllInfo where ObjId in ("_s + list + u")"_s);
            c.Raw->Exec(u"COMMIT"_s);
        }));
    }
    row.Median = Median(ours);
    row.Baseline = Median(raw);
    row.Runs = people;
    row.Note = u"%1 строк на человека; база: удаление тех же строк по ObjId одним оператором%2"_s
                   .arg(victims.front().Rows.size() + 1)
                   .arg(left ? u"; ОСТАЛИСЬ ССЫЛКИ: %1"_s.arg(left) : QString());
    return row;
}

} // namespace StoreBench
