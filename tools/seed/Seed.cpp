#include "tools/seed/Seed.h"

#include "platform/Clock.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

// The clock the record's save reads while the seed writes: it stands at each row's own moment, so that
// the stamps are those of the data set and not of the day it was written.
class TSeedClock final : public TClock
{
public:
    TSeedClock()
        : m_previous(SetClock(this))
    {
    }
    ~TSeedClock() override { SetClock(m_previous); }
    TSeedClock(const TSeedClock&) = delete;
    TSeedClock& operator=(const TSeedClock&) = delete;

    void Set(const QDateTime& moment) { m_now = moment; }
    QDateTime Now() const override { return m_now; }

private:
    QDateTime m_now;
    const TClock* m_previous;
};

Seed::TResult Failure(const QString& error)
{
    Seed::TResult result;
    result.Error = error;
    return result;
}

// Text columns are NOT NULL, flags are -1 and 0, an empty photo is NULL: the values the record's save binds.
QVariant Text(const QString& value)
{
    return value.isNull() ? QVariant(u""_s) : QVariant(value);
}

QVariant FlagValue(bool value)
{
    return QVariant(value ? -1 : 0);
}

// Binds one row to the bulk insert, column by column in the order of Schema::Columns().
class TRowBinder
{
public:
    TRowBinder()
    {
        for (const TColumn& c : Schema::Columns())
            m_columns << c.Name;
    }

    QString InsertStatement() const
    {
        QStringList marks;
        for (const QString& c : m_columns)
            marks << u":"_s + c;
        return u"insert into AllInfo ("_s + m_columns.join(u", "_s) + u") values("_s + marks.join(u", "_s) + u")"_s;
    }

    void Bind(QSqlQuery& q, const TObjectRow& r) const
    {
        for (int i = 0; i < m_columns.size(); ++i)
            q.bindValue(i, Value(m_columns.at(i), r));
    }

private:
    static QVariant Value(const QString& column, const TObjectRow& r)
    {
        const QChar last = column.back();
        const int n = last.isDigit() ? last.digitValue() : 0;
        if (column == u"ObjId"_s)
            return Text(r.Obj);
        if (column == u"ObjType"_s)
            return r.ObjType;
        if (n > 0 && column.startsWith(u"Link"_s))
            return Text(r.Link(n));
        if (n > 0 && column.startsWith(u"Int"_s))
            return r.Int(n);
        if (n > 0 && column.startsWith(u"Str"_s))
            return Text(r.Str(n));
        if (column == u"Flag"_s)
            return FlagValue(r.Flag);
        if (column == u"Date1"_s)
            return r.Date1;
        if (column == u"D1Flag"_s)
            return FlagValue(r.D1Flag);
        if (column == u"D1Fixed"_s)
            return FlagValue(r.D1Fixed);
        if (column == u"Date2"_s)
            return r.Date2;
        if (column == u"D2Flag"_s)
            return FlagValue(r.D2Flag);
        if (column == u"D2Fixed"_s)
            return FlagValue(r.D2Fixed);
        if (column == u"Comments"_s)
            return Text(r.Comments);
        if (column == u"DCreate"_s)
            return r.DCreate;
        if (column == u"DModify"_s)
            return r.DModify;
        if (column == u"Foto"_s)
            return r.Foto.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(r.Foto);
        if (column == u"D1Search"_s)
            return r.D1Search;
        if (column == u"D2Search"_s)
            return r.D2Search;
        if (column == u"Creator"_s)
            return Text(r.Creator);
        if (column == u"Modifier"_s)
            return Text(r.Modifier);
        if (column == u"ExternalFlag"_s)
            return FlagValue(r.ExternalFlag);
        if (column == u"PublishedFlag"_s)
            return FlagValue(r.PublishedFlag);
        return FlagValue(r.Archived);
    }

    QStringList m_columns;
};

// Reports the share written whenever it grows by a whole percent.
class TProgress
{
public:
    TProgress(const std::function<void(int)>& report, qint64 total)
        : m_report(report)
        , m_total(std::max<qint64>(1, total))
    {
    }
    void Step()
    {
        ++m_done;
        const int percent = static_cast<int>(m_done * 100 / m_total);
        if (percent != m_last && m_report) {
            m_last = percent;
            m_report(percent);
        }
    }

private:
    const std::function<void(int)>& m_report;
    qint64 m_total;
    qint64 m_done = 0;
    int m_last = -1;
};

// Money is a signed 32-bit number of hundredths; a data set that left that range would be refused whole.
bool MoneyFits(const TObjectRow& r)
{
    auto fits = [](qint64 v) { return v >= -2147483647LL - 1 && v <= 2147483647LL; };
    return fits(r.Int2) && fits(r.Int5);
}

QString MoneyError(const TObjectRow& r)
{
    return u"Сумма объекта %1 не помещается в 32-разрядное число"_s.arg(r.Obj.Text());
}

bool WriteThroughRecords(TMyDataBase& db, const TSeedGenerator& generator, TProgress& progress, QString* error)
{
    TSeedClock clock;
    TDBMainInfo record;
    record.SetDatabase(&db);
    return generator.Emit([&](const TSeedRow& row) {
        if (!MoneyFits(row.Row)) {
            *error = MoneyError(row.Row);
            return false;
        }
        static_cast<TObjectRow&>(record) = row.Row;
        record.SetId(Ids::Null);
        clock.Set(row.Created);
        if (const TStoreResult saved = record.Save(); !saved.Ok()) {
            *error = u"Не удалось записать объект %1: %2"_s.arg(row.Row.Obj.Text(), saved.Text);
            return false;
        }
        if (!SameId(record.Obj, row.Row.Obj)) {
            *error
                = u"Объект получил идентификатор %1 вместо %2: счётчик идентификаторов изменился во время записи"_s.arg(
                    record.Obj.Text(), row.Row.Obj.Text());
            return false;
        }
        // A row changed after it was made is saved a second time, as its editor would have done.
        if (row.Modified != row.Created) {
            clock.Set(row.Modified);
            if (const TStoreResult saved = record.Save(); !saved.Ok()) {
                *error = u"Не удалось записать объект %1: %2"_s.arg(row.Row.Obj.Text(), saved.Text);
                return false;
            }
        }
        progress.Step();
        return true;
    });
}

bool WriteInBulk(TMyDataBase& db, const TSeedGenerator& generator, TProgress& progress, QString* error)
{
    const TRowBinder binder;
    auto command = db.CreateCommand();
    if (!command || !command->prepare(db.Translate(binder.InsertStatement()))) {
        *error
            = u"Не удалось подготовить запись строк: %1"_s.arg(command ? command->lastError().text() : db.ErrorText());
        return false;
    }
    const bool written = generator.Emit([&](const TSeedRow& row) {
        if (!MoneyFits(row.Row)) {
            *error = MoneyError(row.Row);
            return false;
        }
        binder.Bind(*command, row.Row);
        if (!command->exec()) {
            *error = u"Не удалось записать объект %1: %2"_s.arg(row.Row.Obj.Text(), command->lastError().text());
            return false;
        }
        progress.Step();
        return true;
    });
    command.reset();
    if (!written)
        return false;
    // The counter moves past every identifier written, so that the program's next object gets a fresh one.
    if (db.Execute(u"update AllInfo set Int1 = "_s + QString::number(generator.LastCounter()) + u" where ObjId = "_s
            + SqlDialect::Quote(db.IdentityRowId()))
            != DbStatus::Ok
        || db.RowsAffected() != 1) {
        *error = u"Не удалось обновить счётчик идентификаторов: %1"_s.arg(db.ErrorText());
        return false;
    }
    return true;
}

} // namespace

namespace Seed {

int DataSetVersion()
{
    return 4;
}

QDate DefaultToday()
{
    return QDate(2026, 12, 1);
}

quint32 FilePrefix()
{
    return 0x5EED;
}

bool ParseSize(const QString& text, TSeedSize* size)
{
    const QString t = text.trimmed().toLower();
    if (t == u"demo"_s)
        *size = TSeedSize::Demo;
    else if (t == u"large"_s)
        *size = TSeedSize::Large;
    else if (t == u"huge"_s)
        *size = TSeedSize::Huge;
    else
        return false;
    return true;
}

TResult FillDatabase(TMyDataBase& db, const TOptions& options)
{
    if (!db.IsConnected())
        return Failure(DbStatus::Text(DbStatus::ConnectFailed));
    if (db.WriteMode() == 0)
        return Failure(u"Попытка записи в базу констант!"_s);
    if (!db.IsWritable())
        return Failure(u"Нет разрешения на данную операцию!"_s);
    if (db.IdentityRowId().isEmpty())
        return Failure(u"В базе данных нет действующей строки счётчика идентификаторов"_s);
    const QDate today = options.Today.isValid() ? options.Today : DefaultToday();

    quint32 prefix = 0;
    quint32 counter = 0;
    {
        auto objects = db.CreateQuery(u"select count(*) from AllInfo where ObjType not in (29, 897, 898, 899)"_s);
        if (!objects || !objects->next())
            return Failure(u"Не удалось прочитать базу данных: %1"_s.arg(db.ErrorText()));
        const qint64 count = objects->value(0).toLongLong();
        if (count > 0 && !options.Force)
            return Failure(u"База данных уже содержит объекты (%1). Укажите --force, чтобы добавить к ним "
                           u"демонстрационные данные"_s.arg(count));
        auto identity = db.CreateQuery(
            u"select Int1, Int2 from AllInfo where ObjId = "_s + SqlDialect::Quote(db.IdentityRowId()));
        if (!identity || !identity->next())
            return Failure(u"Не удалось прочитать счётчик идентификаторов: %1"_s.arg(db.ErrorText()));
        counter = static_cast<quint32>(identity->value(0).toLongLong());
        prefix = static_cast<quint32>(identity->value(1).toLongLong());
    }

    const TSeedGenerator generator(TSeedProfile::For(options.Size), options.Seed, today, prefix, counter);
    if (static_cast<quint64>(counter) + static_cast<quint64>(generator.RowCount()) > 0xFFFFFFFFULL)
        return Failure(u"Счётчик идентификаторов этой базы данных исчерпан"_s);
    // A large page cache keeps the indexes in memory while a million rows go in.
    db.Execute(u"PRAGMA cache_size = -262144"_s);

    QString error;
    TProgress progress(options.Progress, generator.RowCount());
    TWriteTransaction transaction(&db);
    if (!transaction.IsActive())
        return Failure(u"Не удалось начать запись: %1"_s.arg(db.ErrorText()));
    const bool written = options.ThroughRecords ? WriteThroughRecords(db, generator, progress, &error)
                                                : WriteInBulk(db, generator, progress, &error);
    if (!written)
        return Failure(error);
    if (!transaction.Commit())
        return Failure(u"Не удалось завершить запись: %1"_s.arg(db.ErrorText()));

    TResult result;
    result.Ok = true;
    result.Rows = generator.RowCount();
    result.FirstId = MakeId(counter + 1, prefix);
    result.LastId = MakeId(generator.LastCounter(), prefix);
    return result;
}

TResult FillFile(const QString& path, const TOptions& options)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    bool created = false;
    if (!QFileInfo::exists(file)) {
        if (!QDir().mkpath(QFileInfo(file).absolutePath()))
            return Failure(u"Не удалось создать папку %1"_s.arg(QFileInfo(file).absolutePath()));
        TNewDatabase fresh;
        fresh.Description = u"Демонстрационная база"_s;
        fresh.Prefix = FilePrefix();
        QString error;
        if (!Schema::CreateDatabaseFile(file, fresh, &error))
            return Failure(error);
        created = true;
    }
    TResult result;
    {
        TMyDataBase db(u"Seed"_s);
        const int status = db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), file);
        if (status != DbStatus::Ok)
            result
                = Failure(DbStatus::Text(status) + (db.ErrorText().isEmpty() ? QString() : u": "_s + db.ErrorText()));
        else
            result = FillDatabase(db, options);
    }
    if (!result.Ok && created) {
        for (const QString& p : QStringList {file, file + u"-wal"_s, file + u"-shm"_s})
            QFile::remove(p);
    }
    result.CreatedFile = created && result.Ok;
    return result;
}

} // namespace Seed
