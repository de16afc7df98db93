#include "finance/OperationChoices.h"

#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/MoneyOperationView.h"

#include <QDate>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

QString Number(qint64 n)
{
    return QString::number(n);
}

// " and (field >= from) and (field < to)": two months back, two days ahead.
QString Window(const QString& field, double today)
{
    QString window;
    DateCondition(window, field, DateOp::From, DateSerial::FromDate(DateSerial::ToDate(today).addMonths(-2)));
    DateCondition(window, field, DateOp::Before, DateSerial::FromDate(DateSerial::ToDate(today).addDays(2)));
    return window.isEmpty() ? QString() : u" and "_s + window;
}

QString FirstHalves(int code)
{
    return u"ObjType = "_s + Number(Kind::MoneyOperation) + u" and Int1 = "_s + Number(code) + u" and Int4 = 0"_s;
}

} // namespace

namespace OperationChoices {

TAccountChoices Accounts(TMyDataBase* db)
{
    TAccountChoices accounts;
    auto q = TMyDataBase::QueryOn(db,
        u"select ObjId, Str1, Str4, Int1 from AllInfo where ObjType = "_s + Number(Kind::Account)
            + u" order by Str1, ObjId"_s);
    if (!q)
        return accounts;
    while (q->next()) {
        TAccountChoice account;
        account.Id = q->value(0).toString();
        account.Currency = q->value(2).toString();
        account.Text = q->value(1).toString() + u", "_s + account.Currency;
        account.Picture = AccountTypePicture(q->value(3).toInt(), -1);
        accounts.append(account);
    }
    return accounts;
}

TAccountChoices SecondAccounts(const TAccountChoices& all, int code, const QString& first, const QString& currency)
{
    TAccountChoices second;
    const QString own = currency.trimmed();
    for (const TAccountChoice& account : all) {
        if (SameId(account.Id, first))
            continue;
        if (!own.isEmpty()) {
            const bool same = account.Currency.trimmed() == own;
            if (same != (code == OperationCode::Transfer))
                continue;
        }
        second.append(account);
    }
    return second;
}

TValueList Categories(TMyDataBase* db, int code)
{
    TValueList list;
    GroupLists::GroupList(
        db, code == OperationCode::Income ? GroupType::IncomeCategory : GroupType::ExpenseCategory, QString(), list);
    list.prepend(TValueItem {u"Группа не указана"_s, TGID(Ids::Null)});
    return list;
}

TValueList Subcategories(TMyDataBase* db, int code, const QString& category)
{
    TValueList list;
    if (!IsEmptyId(category)) {
        GroupLists::GroupList(db,
            code == OperationCode::Income ? GroupType::IncomeSubcategory : GroupType::ExpenseSubcategory, category,
            list);
    }
    list.prepend(TValueItem {u"Подгруппа не указана"_s, TGID(Ids::Null)});
    return list;
}

QString AccountUsageStatement(int code, double today)
{
    return u"select Link1, count(*) from AllInfo where "_s + FirstHalves(code) + Window(u"Date1"_s, today)
        + u" group by Link1 order by count(*) desc, Link1"_s;
}

QString SecondAccountUsageStatement(int code, const QString& first, double today)
{
    return u"select AllInfo.Link1, count(*) from AllInfo, AllInfo as o1 where AllInfo.ObjType = "_s
        + Number(Kind::MoneyOperation) + u" and AllInfo.Int1 = "_s + Number(code)
        + u" and AllInfo.ObjId = o1.Link5 and o1.Link1 = "_s + SqlDialect::Quote(first) + u" and AllInfo.Int4 = "_s
        + Number(TMoneyOperationView::SecondHalf) + Window(u"AllInfo.Date1"_s, today)
        + u" group by AllInfo.Link1 order by count(*) desc, AllInfo.Link1"_s;
}

QString CategoryUsageStatement(int code, double today)
{
    return u"select Link3, count(*) from AllInfo where "_s + FirstHalves(code) + Window(u"Date1"_s, today)
        + u" group by Link3 order by count(*) desc, Link3"_s;
}

QString SubcategoryUsageStatement(int code, const QString& category, double today)
{
    return u"select Link4, count(*) from AllInfo where "_s + FirstHalves(code) + u" and Link3 = "_s
        + SqlDialect::Quote(category) + Window(u"Date1"_s, today) + u" group by Link4 order by count(*) desc, Link4"_s;
}

QStringList UsedIds(TMyDataBase* db, const QString& sql)
{
    QStringList ids;
    auto q = TMyDataBase::QueryOn(db, sql);
    if (!q)
        return ids;
    while (q->next())
        ids.append(q->value(0).toString());
    return ids;
}

QList<int> UsageOrder(const QStringList& ids, const QStringList& used)
{
    QList<int> order;
    order.reserve(ids.size());
    for (int i = 0; i < ids.size(); ++i)
        order.append(i);
    for (int i = 0; i < used.size() && i < order.size(); ++i) {
        int at = -1;
        for (int j = 0; j < order.size(); ++j) {
            const QString& id = ids[order[j]];
            // "Группа не указана" stands for the operations stored without one.
            if (SameId(id, used[i]) || (IsEmptyId(id) && IsEmptyId(used[i]))) {
                at = j;
                break;
            }
        }
        // An object gone since, or one the list does not offer: the rest keeps its order.
        if (at < 0)
            break;
        order.swapItemsAt(i, at);
    }
    return order;
}

} // namespace OperationChoices
