// The totals panel as an operation list reloads it again and again: the first load (which counts the
// operations of each currency and sums the list's whole filter in the same pass) and every later load (which
// keeps the chosen currency while it still has operations) give the same sums as adding the amounts up; the
// currency list stays that of the operations as they are now; a currency that has lost its operations is
// dropped.
#include "finance/BuchSumInfo.h"
#include "finance/OperationStore.h"
#include "store/DateSerial.h"
#include "store/Money.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/MoneyOperationView.h"
#include "tests/finance/FinanceBook.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TempDatabase.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

/// One operation of the fixture: its account, signed amount (income above zero, expense below), day and
/// counterparty.
struct TPlanned
{
    QString Account;
    qint64 Amount = 0;
    QDate Day;
    QString Counterparty;
};

/// "in/out/difference" of a column as the panel shows it.
QString Totals(const TFBuchSumInfo& sums, int column)
{
    return sums.CellText(0, column) + u'/' + sums.CellText(1, column) + u'/' + sums.CellText(2, column);
}

/// "in/out/difference" of hundredths as the panel writes them.
QString Line(qint64 in, qint64 out)
{
    return Money::Text(in) + u'/' + Money::Text(out) + u'/' + Money::Text(in - out);
}

/// The same, added up from the plan: the operations of \a accounts (and of \a counterparty when set).
QString Expected(const QList<TPlanned>& plan, const QStringList& accounts, const QString& counterparty = QString())
{
    qint64 in = 0;
    qint64 out = 0;
    for (const TPlanned& p : plan) {
        if (!accounts.contains(p.Account) || (!counterparty.isEmpty() && p.Counterparty != counterparty))
            continue;
        (p.Amount > 0 ? in : out) += p.Amount;
    }
    return Line(in, -out);
}

} // namespace

class TestPeriodTotals : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TFixedClock> m_clock;
    std::unique_ptr<TFinanceBook> m_book;
    QString m_bare;
    QList<TPlanned> m_plan;

    bool Record(const TPlanned& planned)
    {
        TDBMainInfo record;
        TOperationEntry entry;
        entry.Code = planned.Amount > 0 ? OperationCode::Income : OperationCode::Expense;
        entry.Date = DateSerial::FromDate(planned.Day);
        entry.Account = planned.Account;
        entry.Amount = planned.Amount > 0 ? planned.Amount : -planned.Amount;
        entry.Counterparty = planned.Counterparty;
        if (!OperationStore::Store(record, entry).Ok())
            return false;
        m_plan << planned;
        return true;
    }

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void init()
    {
        m_fixture = std::make_unique<TTempDatabase>();
        QVERIFY(m_fixture->IsOpen());
        m_clock = std::make_unique<TFixedClock>(QDateTime(QDate(2024, 2, 28), QTime(12, 30)));
        m_book = std::make_unique<TFinanceBook>();
        m_plan.clear();
        QVERIFY(m_book->Build());
        m_bare = m_book->Web.Add(u"Копилка"_s, Kind::Account, [](TDBMainInfo& r) {
            const TAccountView a(r);
            a.SetName(u"Копилка"_s);
            a.SetDisplayName(AccountDisplayName(u"Копилка"_s, QString()));
        });
        QVERIFY(!m_bare.isEmpty());
        // Roubles on two accounts, the most operations; dollars, some paid by the person; an account without a
        // currency. Years apart, so that only a filter without a period sums them all.
        const QList<TPlanned> plan {
            {m_book->Rub, 150000, QDate(2016, 5, 3), {}},
            {m_book->Rub, -2550, QDate(2024, 2, 27), {}},
            {m_book->Card, 99, QDate(2024, 2, 1), m_book->Firm},
            {m_book->Card, -120001, QDate(2019, 12, 31), {}},
            {m_book->Rub, 7, QDate(2024, 2, 28), {}},
            {m_book->Dollars, 5000, QDate(2020, 7, 1), m_book->Person},
            {m_book->Dollars, -1250, QDate(2024, 2, 5), m_book->Person},
            {m_book->Dollars, -300, QDate(2024, 2, 6), {}},
            {m_bare, 40000, QDate(2023, 1, 1), {}},
        };
        for (const TPlanned& p : plan)
            QVERIFY(Record(p));
    }

    void cleanup()
    {
        m_book.reset();
        m_clock.reset();
        m_fixture.reset();
    }

    // The list's filter without a period sums every operation of the currency: on the first load from the
    // count's pass, later from its own statement, the same figures; so do the other currencies and a month.
    void wholeFilterOnFirstAndLaterLoads()
    {
        TDBMainInfo options;
        options.ObjType = Kind::MoneyOperation;
        const QStringList roubles {m_book->Rub, m_book->Card};
        for (int load = 0; load < 2; ++load) {
            TFBuchSumInfo sums;
            sums.SetVisibleSection(TFBuchSumInfo::vsMounth);
            sums.resize(900, 90);
            sums.show();
            sums.SetMasterDBInfo(&options);
            QCOMPARE(sums.Currency(), u"руб"_s);
            QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Expected(m_plan, roubles));
            QCOMPARE(Totals(sums, TFBuchSumInfo::ColMonth), Line(106, 2550));
            // The panel reloaded after the list's next query keeps its currency and its figures.
            sums.SetMasterDBInfo(&options);
            QCOMPARE(sums.Currency(), u"руб"_s);
            QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Expected(m_plan, roubles));
            QCOMPARE(sums.Currencies(), (QStringList {u"руб"_s, u"$"_s, TFBuchSumInfo::NoCurrency}));
            sums.ChooseCurrency(u"$"_s);
            QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Expected(m_plan, {m_book->Dollars}));
            sums.ChooseCurrency(TFBuchSumInfo::NoCurrency);
            QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Expected(m_plan, {m_bare}));
            QCOMPARE(sums.CellText(0, TFBuchSumInfo::ColCurrency), TFBuchSumInfo::NoCurrency);
            // A second round on a database with one more rouble operation: the first load adds it too.
            if (load == 0)
                QVERIFY(Record({m_book->Card, 1, QDate(2010, 1, 1), {}}));
        }
    }

    // A chosen currency stays while its operations do; the list offered is always that of the operations now,
    // most used first; a host whose operations are in another currency alone drops it.
    void currencyFollowsTheOperations()
    {
        TFBuchSumInfo sums;
        sums.SetModeLink2(1);
        sums.resize(900, 90);
        sums.show();
        TDBMainInfo options;
        options.ObjType = Kind::MoneyOperation;
        sums.SetMasterDBInfo(&options);
        sums.ChooseCurrency(u"$"_s);
        for (int i = 0; i < 4; ++i)
            QVERIFY(Record({m_book->Dollars, 100 + i, QDate(2024, 2, 10), {}}));
        sums.SetMasterDBInfo(&options);
        QCOMPARE(sums.Currency(), u"$"_s);
        QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Expected(m_plan, {m_book->Dollars}));
        QCOMPARE(sums.Currencies(), (QStringList {u"$"_s, u"руб"_s, TFBuchSumInfo::NoCurrency}));

        // The firm paid in roubles alone: the dollars are dropped for the most used currency of its operations.
        options.ObjType = Kind::Organization;
        options.Link2 = m_book->Firm;
        sums.SetMasterDBInfo(&options);
        QCOMPARE(sums.Currencies(), QStringList {u"руб"_s});
        QCOMPARE(sums.Currency(), u"руб"_s);
        QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Expected(m_plan, {m_book->Rub, m_book->Card}, m_book->Firm));
        // The person paid in dollars: chosen again, on the first load of that host, with the person's sums.
        options.ObjType = Kind::Person;
        options.Link2 = m_book->Person;
        sums.SetMasterDBInfo(&options);
        QCOMPARE(sums.Currency(), u"$"_s);
        QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Expected(m_plan, {m_book->Dollars}, m_book->Person));
        // A period of the list's own is summed by its statement.
        options.Date1 = DateSerial::FromDate(QDate(2024, 1, 1));
        sums.SetMasterDBInfo(&options);
        QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), Line(0, 1250));
    }
};

QTEST_MAIN(TestPeriodTotals)
#include "tst_periodtotals.moc"
