#pragma once

#include "store/LookupLists.h"

#include <QString>
#include <QStringList>

class TMyDataBase;

/// An account as the operation editor offers it: "name, currency" with the picture of its type.
struct TAccountChoice
{
    QString Id;
    QString Text;
    QString Currency;
    int Picture = -1;
};
using TAccountChoices = QList<TAccountChoice>;

/**
 * \brief The choices of the operation editor (accounts, categories, subcategories) in their fixed order,
 * and the order of recent use that the editor puts them in: the operations of the same code dated from two
 * months before today to two days after it, the most used first.
 *
 * Every statement swallows its failure: a list that cannot be read stays empty, a usage that cannot be
 * read leaves the fixed order.
 */
namespace OperationChoices {

/// Every account by name.
TAccountChoices Accounts(TMyDataBase* db);
/// The accounts a pair of \a code may move money to from an account of \a currency (a transfer: the same
/// currency, an exchange: another one; any when \a currency is blank), \a first itself left out.
TAccountChoices SecondAccounts(const TAccountChoices& all, int code, const QString& first, const QString& currency);
/// "Группа не указана" (the null id), then the income (code 1) or expense categories with the projects.
TValueList Categories(TMyDataBase* db, int code);
/// "Подгруппа не указана" (the null id), then the income (code 1) or expense subcategories of \a category.
TValueList Subcategories(TMyDataBase* db, int code, const QString& category);

/// The usage statements, the most used id first.
QString AccountUsageStatement(int code, double today);
QString SecondAccountUsageStatement(int code, const QString& first, double today);
QString CategoryUsageStatement(int code, double today);
QString SubcategoryUsageStatement(int code, const QString& category, double today);

/// The ids of \a sql's first column, in order; empty when it fails.
QStringList UsedIds(TMyDataBase* db, const QString& sql);

/// Reorders \a ids (the ids of a list, in its fixed order) by \a used: the i-th used id changes places with
/// the entry at position i. An id not in the list ends the reordering. Answers the new order as positions
/// into the fixed order.
QList<int> UsageOrder(const QStringList& ids, const QStringList& used);

} // namespace OperationChoices
