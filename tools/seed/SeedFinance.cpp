// Accounts, years of money operations and their links to objects.

#include "tools/seed/SeedPlan.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/OperationLinkView.h"

#include <cmath>

namespace SeedPlan {

int TSeedPlan::AddAccount(const QString& name, int type, const QString& currency, int bank)
{
    TAccount a;
    a.Name = name;
    a.Type = type;
    a.Currency = currency;
    a.Bank = type > 0 ? bank : -1;
    a.Opened = type > 0 ? RandomDay(YearsAfter(Today, -P.Years) - 365, YearsAfter(Today, -P.Years)) : 0;
    Accounts.push_back(a);
    return static_cast<int>(Accounts.size()) - 1;
}

int TSeedPlan::Op(int code, int account, qint64 amount, int day)
{
    TOperation o;
    o.Code = code;
    o.Account = account;
    o.Amount = amount;
    o.Date = day;
    o.Created = Clamp(SecsOf(day, R.Between(19 * 3600, 23 * 3600 + 3599)));
    o.Modified = o.Created;
    Operations.push_back(o);
    Accounts[account].Balance += amount;
    return static_cast<int>(Operations.size()) - 1;
}

int TSeedPlan::Income(int account, qint64 amount, int day, int category, int sub, TRef payer)
{
    int o = Op(OperationCode::Income, account, amount, day);
    Operations[o].Category = Ref(BGroup, IncomeCategory[category]);
    if (sub >= 0 && sub < static_cast<int>(IncomeSub[category].size()))
        Operations[o].Subcategory = Ref(BGroup, IncomeSub[category][sub]);
    Operations[o].Counterparty = payer;
    return o;
}

int TSeedPlan::Expense(int account, qint64 amount, int day, int category, int sub, TRef recipient)
{
    int o = Op(OperationCode::Expense, account, -amount, day);
    Operations[o].Category = Ref(BGroup, ExpenseCategory[category]);
    if (sub >= 0 && sub < static_cast<int>(ExpenseSub[category].size()))
        Operations[o].Subcategory = Ref(BGroup, ExpenseSub[category][sub]);
    Operations[o].Counterparty = recipient;
    if (R.Percent(12))
        Operations[o].Comment = R.Pick(OperationComments());
    return o;
}

void TSeedPlan::Pair(int code, int from, qint64 taken, int to, qint64 received, int day)
{
    int o = Op(code, from, -taken, day);
    Operations[o].Account2 = to;
    Operations[o].Amount2 = received;
    Accounts[to].Balance += received;
}

int TSeedPlan::Category(const QString& name, bool income) const
{
    const QList<TCategory>& list = income ? IncomeCategories() : ExpenseCategories();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).Name == name)
            return i;
    }
    return 0;
}

void TSeedPlan::PlanFinance()
{
    const bool full = P.Accounts >= 10;
    const int bank0 = BankIndex.empty() ? -1 : BankIndex[0];
    const int bank1 = BankIndex.size() > 1 ? BankIndex[1] : bank0;
    const int bank2 = BankIndex.size() > 2 ? BankIndex[2] : bank0;
    AddAccount(u"Кошелёк"_s, 0, u"руб."_s, -1);
    AddAccount(u"Зарплатная карта"_s, 2, u"руб."_s, bank0);
    AddAccount(u"Сберегательный счёт"_s, 1, u"руб."_s, bank0);
    AddAccount(u"Валютный счёт"_s, 1, u"$"_s, bank1);
    AddAccount(u"Наличные доллары"_s, 0, u"$"_s, -1);
    if (full) {
        AddAccount(u"Кредитная карта"_s, 6, u"руб."_s, bank1);
        AddAccount(u"Вклад «Пополняемый»"_s, 4, u"руб."_s, bank2);
        AddAccount(u"Электронный кошелёк"_s, 3, u"руб."_s, -1);
        AddAccount(u"Брокерский счёт"_s, 5, u"руб."_s, bank2);
        AddAccount(u"Наличные евро"_s, 0, u"€"_s, -1);
    }
    Accounts[Cash].Comment = u"Наличные в кошельке"_s;
    Accounts[Dollars].Comment = u"Валютный вклад до востребования"_s;

    const int employer = OrgsBySort[OrgCompany].empty() ? 0 : OrgsBySort[OrgCompany][0];
    const int utilities = RandomOrg(OrgCompany);
    const int firstDay = YearsAfter(Today, -P.Years) + 1;
    const int days = Today - firstDay + 1;
    const double fixedPerDay = (full ? 280.0 : 210.0) / 365.0;
    const double rate = std::max(0.3, static_cast<double>(P.Operations) / days - fixedPerDay);
    const int whole = static_cast<int>(rate);
    const int fraction = static_cast<int>((rate - whole) * 1000);
    const std::vector<int> weights = {40, 15, 0, 0, 7, 6, 10, 3, 4, full ? 6 : 0, 5, 0};
    std::vector<int> friends;
    for (int attempt = 0; attempt < 30; ++attempt)
        friends.push_back(RandomAdult());

    struct TDebt
    {
        int Code;
        int Due;
        qint64 Amount;
        int Person;
        int Account;
    };
    std::vector<TDebt> debts;
    for (int day = firstDay; day <= Today; ++day) {
        const QDate date = DateOf(day);
        const double years = static_cast<double>(day - firstDay) / 365.0;
        // A monthly salary growing by about 8 % a year, to 150 000 roubles on the reference day.
        const qint64 salary = std::llround(15000000.0 * std::pow(1.08, years - P.Years) / 100.0) * 100;
        const double dollarRate = 30.0 + 65.0 * (day - firstDay + 365.0 * (20 - P.Years)) / (365.0 * 20);
        auto bank = [&](int account) { return Ref(BOrg, Accounts[account].Bank); };

        if (date.day() == 5)
            Income(Card, salary * 4 / 10, day, 0, 0, Ref(BOrg, employer));
        if (date.day() == 20)
            Income(Card, salary - salary * 4 / 10, day, 0, 1, Ref(BOrg, employer));
        if (date.month() == 12 && date.day() == 25 && full)
            Income(Card, salary / 2, day, 1, 1, Ref(BOrg, employer));
        if (date.day() == date.daysInMonth()) {
            if (Accounts[Savings].Balance > 0)
                Income(Savings, std::max<qint64>(1, Accounts[Savings].Balance * 3 / 1000), day, 2, -1, bank(Savings));
            if (full && Accounts[Deposit].Balance > 0)
                Income(Deposit, std::max<qint64>(1, Accounts[Deposit].Balance * 6 / 1000), day, 2, -1, bank(Deposit));
        }
        if (date.day() == 10) {
            const qint64 bill = salary * R.Between(3, 9) / 100;
            Expense(Payer(Card, bill), bill, day, Category(u"Жильё"_s, false), 0, Ref(BOrg, utilities));
        }
        if (date.day() == 15)
            Expense(Card, Round(salary / 200, 100), day, Category(u"Связь"_s, false), 0, TRef());
        if (date.day() == 16) {
            const qint64 bill = Round(salary / 180, 100);
            Expense(Payer(full ? int(Wallet) : int(Card), bill), bill, day, Category(u"Связь"_s, false), 1, TRef());
        }
        if (full && date.day() == 3 && Accounts[Wallet].Balance < salary / 50)
            Pair(OperationCode::Transfer, Card, Round(salary / 50, 10000), Wallet, Round(salary / 50, 10000), day);
        if (date.dayOfWeek() == 6 && Accounts[Cash].Balance < salary / 6 && Accounts[Card].Balance > salary / 5) {
            const qint64 cash = Round(salary * R.Between(10, 20) / 100, 100000);
            Pair(OperationCode::Transfer, Card, cash, Cash, cash, day);
        }
        if (date.day() == 21 && Accounts[Card].Balance > salary * 6 / 10) {
            const qint64 spare = Round(Accounts[Card].Balance - salary * 4 / 10, 100000);
            Pair(OperationCode::Transfer, Card, spare, Savings, spare, day);
        }
        if (full && date.day() == 25 && Accounts[Credit].Balance < 0
            && Accounts[Card].Balance > -Accounts[Credit].Balance) {
            const qint64 debt = -Accounts[Credit].Balance;
            Pair(OperationCode::Transfer, Card, debt, Credit, debt, day);
        }
        if (full && date.day() == 1 && date.month() % 3 == 1 && Accounts[Savings].Balance > salary * 2) {
            const qint64 amount = Round(Accounts[Savings].Balance / 5, 100000);
            Pair(OperationCode::Transfer, Savings, amount, Deposit, amount, day);
        }
        // A deposit that has grown large is partly taken back, and then spent like other savings.
        if (full && date.day() == 10 && date.month() == 1 && Accounts[Deposit].Balance > salary * 40) {
            const qint64 amount = Round(Accounts[Deposit].Balance / 2, 100000);
            Pair(OperationCode::Transfer, Deposit, amount, Savings, amount, day);
        }
        if (full && date.day() == 2 && date.month() == 2 && Accounts[Savings].Balance > salary * 2) {
            const qint64 amount = Round(Accounts[Savings].Balance / 10, 100000);
            Pair(OperationCode::Transfer, Savings, amount, Broker, amount, day);
        }
        if (full && date.day() == 28 && date.month() % 3 == 0 && Accounts[Broker].Balance > 0)
            Income(Broker, Accounts[Broker].Balance / 100, day, Category(u"Инвестиции"_s, true), 0, bank(Broker));
        // Currency bought a few times a year, spent on holidays.
        if (date.day() == 12 && date.month() % 3 == 2 && Accounts[Savings].Balance > salary) {
            const qint64 roubles = Round(Accounts[Savings].Balance / 10, 100000);
            Pair(OperationCode::Exchange, Savings, roubles, Dollars, std::llround(roubles / dollarRate), day);
        }
        if (date.month() == 6 && date.day() == 20 && Accounts[Dollars].Balance > 10000) {
            const qint64 dollars = Round(Accounts[Dollars].Balance * 3 / 10, 1000);
            Pair(OperationCode::Transfer, Dollars, dollars, DollarCash, dollars, day);
        }
        if (full && date.month() == 5 && date.day() == 15 && Accounts[Savings].Balance > salary) {
            const qint64 roubles = Round(Accounts[Savings].Balance / 20, 100000);
            Pair(OperationCode::Exchange, Savings, roubles, EuroCash, std::llround(roubles / (dollarRate * 1.1)), day);
        }
        const int travel = Category(u"Отдых"_s, false);
        if (date.month() == 7 && date.day() >= 10 && date.day() <= 20 && R.Percent(40)
            && Accounts[DollarCash].Balance > 2000)
            Expense(DollarCash, std::max<qint64>(100, Accounts[DollarCash].Balance / R.Between(4, 8)), day, travel,
                R.Percent(50) ? 0 : 2, TRef());
        if (full && date.month() == 8 && date.day() >= 1 && date.day() <= 10 && R.Percent(40)
            && Accounts[EuroCash].Balance > 2000)
            Expense(EuroCash, std::max<qint64>(100, Accounts[EuroCash].Balance / R.Between(4, 8)), day, travel,
                R.Percent(50) ? 0 : 2, TRef());
        // A large purchase when the savings have grown: filed under a project when one is running.
        if (Accounts[Savings].Balance > salary * 30) {
            const int o = Op(OperationCode::Expense, Savings, -Round(Accounts[Savings].Balance / 2, 100000), day);
            TRef project = ProjectAt(day);
            Operations[o].Category
                = project.Valid() ? project : Ref(BGroup, ExpenseCategory[Category(u"Жильё"_s, false)]);
            if (!project.Valid())
                Operations[o].Subcategory = Ref(BGroup, ExpenseSub[Category(u"Жильё"_s, false)][1]);
        }
        // Money lent and borrowed, and given back.
        if (R.Permille(25) && Accounts[Cash].Balance > salary / 10) {
            const int person = R.Pick(friends);
            const qint64 amount = Round(Accounts[Cash].Balance / R.Between(3, 8), 50000);
            int o = Op(OperationCode::Lent, Cash, -amount, day);
            Operations[o].Counterparty = Ref(BPerson, person);
            Operations[o].Subcategory = Ref(BPerson, person);
            debts.push_back({32, day + R.Between(7, 90), amount, person, Cash});
        }
        if (R.Permille(8)) {
            const int person = R.Pick(friends);
            const qint64 amount = Round(salary * R.Between(5, 20) / 100, 100000);
            int o = Op(OperationCode::Borrowed, Card, amount, day);
            Operations[o].Counterparty = Ref(BPerson, person);
            Operations[o].Subcategory = Ref(BPerson, person);
            debts.push_back({128, day + R.Between(14, 120), amount, person, Card});
        }
        for (size_t k = 0; k < debts.size();) {
            TDebt& debt = debts[k];
            if (debt.Due > day
                || (debt.Code == OperationCode::BorrowedReturned && Accounts[debt.Account].Balance < debt.Amount)) {
                ++k;
                continue;
            }
            int o = Op(
                debt.Code, debt.Account, debt.Code == OperationCode::LentReturned ? debt.Amount : -debt.Amount, day);
            Operations[o].Counterparty = Ref(BPerson, debt.Person);
            Operations[o].Subcategory = Ref(BPerson, debt.Person);
            debts[k] = debts.back();
            debts.pop_back();
        }
        if (R.Permille(5))
            Income(Cash, Round(salary / R.Between(5, 20), 50000), day, Category(u"Подарки"_s, true), -1,
                Ref(BPerson, R.Pick(friends)));
        // Everyday spending, as many rows a day as the data set asks for.
        const int count = whole + (R.Permille(fraction) ? 1 : 0);
        const qint64 mean = std::max<qint64>(500, static_cast<qint64>(salary * 0.5 / (rate * 30.4)));
        for (int k = 0; k < count; ++k) {
            const int category = R.Weighted(weights);
            qint64 amount = mean * R.Between(30, 170) / 100;
            if (category != 0)
                amount = Round(amount, 100);
            int account = R.Percent(30) ? Cash : Card;
            if (full && R.Percent(10))
                account = Credit;
            account = Payer(account, amount);
            if (Available(account) < amount) {
                amount = Accounts[account].Balance * 9 / 10;
                if (amount < 500)
                    continue;
            }
            const int subs = static_cast<int>(ExpenseSub[category].size());
            const int sub = subs > 0 && R.Percent(85) ? R.Below(subs) : -1;
            TRef recipient;
            if (R.Percent(40)) {
                const int sort = category == 4 ? OrgInstitution : category == 0 || category == 5 ? OrgShop : OrgCompany;
                recipient = Ref(BOrg, RandomOrg(sort));
            }
            const int o = Expense(account, amount, day, category, sub, recipient);
            TRef project = R.Percent(5) ? ProjectAt(day) : TRef();
            if (project.Valid()) {
                Operations[o].Category = project;
                Operations[o].Subcategory = TRef();
            }
        }
    }
    PlanOperationLinks();
}

void TSeedPlan::PlanOperationLinks()
{
    const int n = static_cast<int>(Operations.size());
    const int wanted = n / 20;
    const int gifts = Category(u"Подарки"_s, false);
    for (int k = 0; k < wanted; ++k) {
        const int o = R.Below(n);
        TOperation& op = Operations[o];
        const int links = R.Percent(10) ? 2 : 1;
        for (int j = 0; j < links; ++j) {
            TOpLink l;
            l.Operation = o;
            l.Category = op.Category;
            const bool gift = op.Category.Valid() && op.Category.Index == ExpenseCategory[gifts];
            l.Object = gift ? Ref(BPerson, R.Below(People.size())) : RandomObject();
            l.Role = R.Pick(OperationLinkRoles());
            if (R.Percent(10))
                l.Comment = R.Pick(OperationComments());
            l.Created = Shortly(op.Created);
            l.Date = DateSerial::FromDateTime(QDateTime::fromSecsSinceEpoch(l.Created, Qt::UTC));
            OpLinks.push_back(l);
            ++op.Links;
        }
    }
}

void TSeedPlan::FillAccount(TObjectRow& r, qint32 index) const
{
    const TAccount& a = Accounts[index];
    Prepare(r, Kind::Account, Id(Ref(BAccount, index)));
    const TAccountView account(r);
    account.SetName(a.Name);
    account.SetCurrency(a.Currency);
    account.SetDisplayName(AccountDisplayName(a.Name, a.Currency));
    account.SetAccountKind(a.Type);
    account.SetBalance(a.Balance);
    account.SetInstitution(Id(Ref(BOrg, a.Bank)));
    account.SetOpened(Serial(a.Opened));
    account.SetHasOpened(a.Opened > 0);
    account.SetComments(a.Comment);
}

void TSeedPlan::FillOperation(TObjectRow& r, qint32 index, int part) const
{
    const TOperation& o = Operations[index];
    const TRef self = Ref(BOperation, index);
    const bool pair = o.Account2 >= 0;
    const QString first = Id(Ref(BAccount, o.Account));
    const QString second = pair ? Id(Ref(BAccount, o.Account2)) : Ids::None;
    Prepare(r, Kind::MoneyOperation, Id(self, part));
    const TMoneyOperationView op(r);
    op.SetCode(o.Code);
    op.SetCounterparty(Id(o.Counterparty));
    op.SetDate(Serial(o.Date));
    op.SetHasDate(true);
    if (part == 0) {
        op.SetAmount(o.Amount);
        op.SetLinkCount(o.Links);
        op.SetAccount(first);
        op.SetCategory(Id(o.Category));
        op.SetFourth(o.Code == OperationCode::Transfer ? second
                : o.Code == OperationCode::Exchange    ? QString(Ids::None)
                                                       : Id(o.Subcategory));
        op.SetPairedRow(pair ? Id(self, 1) : Ids::None);
        op.SetComments(o.Comment);
    } else {
        op.SetAmount(o.Amount2);
        op.SetHalf(TMoneyOperationView::SecondHalf);
        op.SetAccount(second);
        op.SetFourth(o.Code == OperationCode::Transfer ? first : Ids::None);
        op.SetPairedRow(Id(self, 0));
    }
}

void TSeedPlan::FillOperationLink(TObjectRow& r, qint32 index) const
{
    const TOpLink& l = OpLinks[index];
    Prepare(r, Kind::OperationLink, Id(Ref(BOpLink, index)));
    const TOperationLinkView link(r);
    link.SetOperation(Id(Ref(BOperation, l.Operation)));
    link.SetObject(Id(l.Object));
    link.SetCategory(Id(l.Category));
    link.SetRole(l.Role);
    link.SetComments(l.Comment);
    link.SetLinked(l.Date);
    link.SetHasLinked(true);
}

} // namespace SeedPlan
