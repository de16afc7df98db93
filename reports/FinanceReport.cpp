#include "reports/FinanceReport.h"

#include "reports/ELSObject.h"
#include "reports/PrintMSG.h"
#include "shell/widgets/ListModel.h"
#include "store/DateSerial.h"
#include "store/DataBase.h"
#include "store/kinds/MoneyOperationView.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <memory>

using namespace Qt::StringLiterals;

namespace FinanceReport {

QString OperationName(qint64 code)
{
    switch (code) {
    case OperationCode::Income:
        return u"Приход"_s;
    case OperationCode::Expense:
        return u"Расход"_s;
    case OperationCode::Transfer:
        return u"Перевод"_s;
    case OperationCode::Exchange:
        return u"Обмен"_s;
    case OperationCode::Lent:
        return u"Выдал в долг"_s;
    case OperationCode::LentReturned:
        return u"Вернули долг"_s;
    case OperationCode::Borrowed:
        return u"Взял в долг"_s;
    case OperationCode::BorrowedReturned:
        return u"Возвратил долг"_s;
    default:
        return QString();
    }
}

namespace {

/// The columns of the operation the report writes, in place of every column of the operation row an operation
/// list's statement asks for: each row read costs a value per column.
QString ReportStatement(const QString& sql)
{
    static const QString everyColumn = u"select AllInfo.*,"_s;
    if (!sql.startsWith(everyColumn, Qt::CaseInsensitive))
        return sql;
    return u"select AllInfo.ObjId, AllInfo.Int1, AllInfo.Int2, AllInfo.Date1, AllInfo.Comments,"_s
        + sql.mid(everyColumn.size());
}

} // namespace

void WriteOperations(TELSObject& writer, TMyDataBase* db, const QString& sql)
{
    writer.SetText(u"b1"_s, u"Финансовый отчет"_s, TCellStyle::Title);
    const QStringList header {u"Тип операции"_s, u"Дата"_s, u"Счет"_s, u"Категория"_s, u"Подкатегория"_s,
        u"Сумма, валюта*100"_s, u"Валюта"_s, u"Контрагент"_s, u"Комментарий"_s};
    for (int i = 0; i < header.size(); ++i)
        writer.SetText(QChar(u'a' + i) + u"3"_s, header[i]);
    const std::unique_ptr<QSqlQuery> query = TMyDataBase::QueryOn(db, ReportStatement(sql));
    if (!query)
        return;
    // The columns are found once: a value asked for by name looks the name up in the whole row every time.
    const QSqlRecord fields = query->record();
    const int code = fields.indexOf(u"Int1"_s);
    const int date = fields.indexOf(u"Date1"_s);
    const int amount = fields.indexOf(u"Int2"_s);
    const int comments = fields.indexOf(u"Comments"_s);
    const int account = fields.indexOf(u"AccName"_s);
    const int category = fields.indexOf(u"GrpName"_s);
    const int fourth = fields.indexOf(u"SGrpName"_s);
    const int currency = fields.indexOf(u"ValName"_s);
    const int counterparty = fields.indexOf(u"KAName"_s);
    const auto value = [&query](int column) { return column >= 0 ? query->value(column) : QVariant(); };
    // The rows are walked one by one, as the constant-memory workbook takes them, until the user stops.
    // Operations come day by day: a day's text is made once.
    double day = 0;
    QString dayText = DateSerial::DateText(day);
    int line = 4;
    while (!writer.IsCancelled() && query->next()) {
        const QString n = QString::number(line++);
        writer.SetText(u"a"_s + n, OperationName(value(code).toLongLong()));
        if (const double serial = value(date).toDouble(); serial != day) {
            day = serial;
            dayText = DateSerial::DateText(day);
        }
        writer.SetText(u"b"_s + n, dayText);
        writer.SetText(u"c"_s + n, value(account).toString());
        writer.SetText(u"d"_s + n, value(category).toString());
        writer.SetText(u"e"_s + n, value(fourth).toString());
        writer.SetNumber(u"f"_s + n, static_cast<double>(value(amount).toLongLong()) / 100.0);
        writer.SetText(u"g"_s + n, value(currency).toString());
        writer.SetText(u"h"_s + n, value(counterparty).toString());
        writer.SetText(u"i"_s + n, value(comments).toString());
    }
}

QString Print(const TListModel& rows)
{
    TMyDataBase* db = rows.Database();
    const QString sql = rows.Statement();
    if (sql.isEmpty())
        return QString();
    return Reports::Run(u"Финансовый отчет"_s, true, [db, &sql](TELSObject& writer) { WriteOperations(writer, db, sql); });
}

} // namespace FinanceReport
