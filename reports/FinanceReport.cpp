#include "reports/FinanceReport.h"

#include "reports/ELSObject.h"
#include "reports/PrintMSG.h"
#include "reports/ReportRows.h"
#include "shell/widgets/ListModel.h"
#include "store/DateSerial.h"
#include "store/ObjectRecord.h"
#include "store/kinds/MoneyOperationView.h"

#include <QSqlQuery>
#include <QVariant>

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

void WriteOperations(TELSObject& writer, TMyDataBase* db, const QString& sql)
{
    writer.SetText(u"b1"_s, u"Финансовый отчет"_s, TCellStyle::Title);
    const QStringList header {u"Тип операции"_s, u"Дата"_s, u"Счет"_s, u"Категория"_s, u"Подкатегория"_s,
        u"Сумма, валюта*100"_s, u"Валюта"_s, u"Контрагент"_s, u"Комментарий"_s};
    for (int i = 0; i < header.size(); ++i)
        writer.SetText(QChar(u'a' + i) + u"3"_s, header[i]);
    int line = 4;
    ReportRows::ForEach(db, sql, [&writer, &line](const TObjectRow& row, const QSqlQuery& query) {
        if (writer.IsCancelled())
            return;
        const QString n = QString::number(line++);
        writer.SetText(u"a"_s + n, OperationName(row.Int1));
        writer.SetText(u"b"_s + n, DateSerial::DateText(row.Date1));
        writer.SetText(u"c"_s + n, query.value(u"AccName"_s).toString());
        writer.SetText(u"d"_s + n, query.value(u"GrpName"_s).toString());
        writer.SetText(u"e"_s + n, query.value(u"SGrpName"_s).toString());
        writer.SetNumber(u"f"_s + n, static_cast<double>(row.Int2) / 100.0);
        writer.SetText(u"g"_s + n, query.value(u"ValName"_s).toString());
        writer.SetText(u"h"_s + n, query.value(u"KAName"_s).toString());
        writer.SetText(u"i"_s + n, row.Comments);
    });
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
