#pragma once

#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/GroupView.h"
#include "tests/support/ObjectWeb.h"

/// The finance suites' little world: three accounts (two in roubles, one in dollars), a person and an
/// organization to pay, a project, and income and expense categories with a subcategory.
struct TFinanceBook
{
    TObjectWeb Web;
    QString Rub, Card, Dollars, Person, Firm, Project, Salary, Bonus, Food;

    bool Build()
    {
        auto account = [this](const QString& key, const QString& currency) {
            return Web.Add(key, Kind::Account, [&](TDBMainInfo& r) {
                const TAccountView a(r);
                a.SetName(key);
                a.SetCurrency(currency);
                a.SetDisplayName(AccountDisplayName(key, currency));
            });
        };
        auto group = [this](const QString& key, int type, const QString& owner = QString()) {
            return Web.Add(key, Kind::Group, [&](TDBMainInfo& r) {
                r.Str1 = key;
                r.Int1 = type;
                r.Link1 = owner;
            });
        };
        Rub = account(QStringLiteral("Кошелек"), QStringLiteral("руб"));
        Card = account(QStringLiteral("Карта"), QStringLiteral("руб"));
        Dollars = account(QStringLiteral("Доллары"), QStringLiteral("$"));
        Person = Web.Add(QStringLiteral("Иванов"), Kind::Person, [](TDBMainInfo& r) { r.Str1 = QStringLiteral("Иванов"); });
        Firm = Web.Add(QStringLiteral("Банк"), Kind::Organization, [](TDBMainInfo& r) { r.Str1 = QStringLiteral("Банк"); });
        Project = group(QStringLiteral("Дача"), GroupType::Project);
        Salary = group(QStringLiteral("Зарплата"), GroupType::IncomeCategory);
        Bonus = group(QStringLiteral("Премия"), GroupType::IncomeSubcategory, Salary);
        Food = group(QStringLiteral("Еда"), GroupType::ExpenseCategory);
        return Web.IsComplete();
    }
};
