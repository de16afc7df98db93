#include "bench/FinanceData.h"

#include "bench/RawSqlite.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"

#include <QFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace FinanceData {

namespace {

constexpr int FirstDay = 43000;
constexpr int Categories = 12;
constexpr int Counterparties = 200;

} // namespace

bool Open(TMyDataBase& db, const QString& path, QTextStream& out)
{
    if (!QFile::exists(path) && !Fill(path, out)) {
        QFile::remove(path);
        return false;
    }
    if (db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), path) != DbStatus::Ok) {
        out << "cannot open " << path << ": " << db.StatusText() << Qt::endl;
        return false;
    }
    return true;
}

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
    for (int i = 0; i < Accounts; ++i) {
        const QString currency = i % 2 ? u"$"_s : u"руб"_s;
        raw.Run(u"insert into AllInfo (ObjId, ObjType, Str1, Str4, Str5) values (?, 23, ?, ?, ?)"_s,
            {MakeId(static_cast<quint32>(100 + i), 5), u"Счет %1"_s.arg(i), currency,
                u"Счет %1, %2"_s.arg(i).arg(currency)});
    }
    // The categories (groups of incomes and of expenses) and the counterparties the operations name.
    for (int i = 0; i < Categories; ++i) {
        raw.Run(u"insert into AllInfo (ObjId, ObjType, Int1, Str1, Str5) values (?, 21, ?, ?, ?)"_s,
            {MakeId(static_cast<quint32>(200 + i), 5), QString::number(i % 2 ? 2 : 1), u"Категория %1"_s.arg(i),
                u"Категория %1"_s.arg(i)});
    }
    for (int i = 0; i < Counterparties; ++i) {
        raw.Run(u"insert into AllInfo (ObjId, ObjType, Str1, Str2, Str5) values (?, 1, ?, ?, ?)"_s,
            {MakeId(static_cast<quint32>(300 + i), 5), u"Контрагентов%1"_s.arg(i), u"Иван"_s,
                u"Контрагентов%1 Иван"_s.arg(i)});
    }
    const bool filled = raw.Exec(u"with recursive g(n) as (select 0 union all select n + 1 from g where n < "_s
        + QString::number(Operations - 1)
        + u") insert into AllInfo (ObjId, ObjType, Int1, Int2, Link1, Link2, Link3, Link4, Link5, Date1, D1Flag, "
          "Comments) select printf('%08X%08X', 5, 1000 + n), 24, 1 + n % 2, (n % 9973) - 4000, "
          "printf('%08X%08X', 5, 100 + n % "_s
        + QString::number(Accounts) + u"), printf('%08X%08X', 5, 300 + n % "_s + QString::number(Counterparties)
        + u"), printf('%08X%08X', 5, 200 + n % "_s + QString::number(Categories)
        + u"), '0000000200000001', '0000000200000001', "_s + QString::number(FirstDay)
        + u" + n / 100, -1, 'Операция номер ' || n from g"_s);
    return filled && raw.Exec(u"commit"_s);
}

QString Counterparty(int i)
{
    return MakeId(static_cast<quint32>(300 + i), 5);
}

QDate LastDay()
{
    return DateSerial::ToDate(FirstDay + (Operations - 1) / 100);
}

} // namespace FinanceData
