// The operation lists and their totals: the sums of each calendar period around a fixed today (a Wednesday,
// Sundays, the first and last day of a year, 29 February, the quarter boundaries), one currency at a time,
// the signs of the debts, the popups of the period and the currency, every filter row as the user types or
// picks it, what a card's finance section lists for its host and the presets of the operations made there,
// the links of operations with the objects they concern (made, opened, dropped, deleted, counted), and the
// flow from the finance list of the real main window to a person's card.
#include "activities/EventSections.h"
#include "contacts/ContactScreens.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/PeoplePrev.h"
#include "contacts/PersonSections.h"
#include "finance/BuchInOutFrame.h"
#include "finance/BuchObjLinks.h"
#include "finance/BuchSumInfo.h"
#include "finance/EditBuchInOut.h"
#include "finance/FinanceScreens.h"
#include "finance/FindBuchBrief.h"
#include "finance/OperationStore.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "shell/widgets/ValutaList.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/CascadeDelete.h"
#include "store/SettingsFile.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/DataBase.h"
#include "store/kinds/EventView.h"
#include "store/kinds/OperationLinkView.h"
#include "store/kinds/RoleView.h"
#include "tests/shell/DialogScript.h"
#include "tests/shell/Screenshots.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QSqlQuery>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct TLedger
{
    TObjectWeb Web;
    QString Rub, Dollars, Bare, Ivanov, Firm, Family, Event, Project, Salary, Bonus, Food;

    QString Account(const QString& key, const QString& currency)
    {
        return Web.Add(key, Kind::Account, [&](TDBMainInfo& r) {
            const TAccountView a(r);
            a.SetName(key);
            a.SetCurrency(currency);
            a.SetDisplayName(AccountDisplayName(key, currency));
        });
    }
    QString Group(const QString& key, int type, const QString& owner = QString())
    {
        return Web.Add(key, Kind::Group, [&](TDBMainInfo& r) {
            r.Str1 = key;
            r.Int1 = type;
            r.Link1 = owner;
        });
    }
    QString Operation(int code, const QDate& day, const QString& account, qint64 amount,
        const QString& counterparty = QString(), const QString& category = QString(),
        const QString& subcategory = QString(), const QString& comment = QString())
    {
        TDBMainInfo record;
        TOperationEntry entry;
        entry.Code = code;
        entry.Date = DateSerial::FromDate(day);
        entry.Account = account;
        entry.Amount = amount;
        entry.Counterparty = counterparty;
        entry.Category = category;
        entry.Subcategory = subcategory;
        entry.Comments = comment;
        if (!OperationStore::Store(record, entry).Ok())
            return QString();
        return record.Obj;
    }
    bool Link(const QString& key, const QString& operation, const QString& object)
    {
        return !Web.Add(key, Kind::OperationLink, [&](TDBMainInfo& r) {
                       const TOperationLinkView link(r);
                       link.SetOperation(operation);
                       link.SetObject(object);
                       link.SetCategory(Ids::None);
                       link.SetRole(u"Оплата"_s);
                   }).isEmpty();
    }

    /// A link of \a event with \a party, both sides, as the role dialog writes it.
    bool RolePair(const QString& key, const QString& event, const QString& party, int partyKind)
    {
        const QString a = Web.Add(key + u"-event"_s, Kind::Role, [&](TDBMainInfo& r) {
            const TRoleView role(r);
            role.SetHolder(event);
            role.SetHolderKind(Kind::Event);
            role.SetOtherKind(partyKind);
        });
        const QString b = Web.Add(key + u"-party"_s, Kind::Role, [&](TDBMainInfo& r) {
            const TRoleView role(r);
            role.SetHolder(party);
            role.SetHolderKind(partyKind);
            role.SetOtherKind(Kind::Event);
            role.SetOppositeSide(a);
            role.SetName(u"Плательщик"_s);
        });
        TDBMainInfo side;
        if (a.isEmpty() || b.isEmpty() || !side.SetObj(a))
            return false;
        TRoleView(side).SetOppositeSide(b);
        return side.Save().Ok();
    }

    bool Build()
    {
        Rub = Account(u"Кошелек"_s, u"руб"_s);
        Dollars = Account(u"Доллары"_s, u"$"_s);
        Bare = Account(u"Копилка"_s, QString());
        Ivanov = Web.Add(u"Иванов"_s, Kind::Person, [](TDBMainInfo& r) { r.Str1 = u"Иванов"_s; });
        Firm = Web.Add(u"Банк"_s, Kind::Organization, [](TDBMainInfo& r) { r.Str1 = u"Банк"_s; });
        Family = Web.Add(u"Семья"_s, Kind::Family, [](TDBMainInfo& r) { r.Str1 = u"Семья"_s; });
        Event = Web.Add(u"Ремонт"_s, Kind::Event, [](TDBMainInfo& r) { r.Str1 = u"Ремонт"_s; });
        Project = Group(u"Дача"_s, GroupType::Project);
        Salary = Group(u"Зарплата"_s, GroupType::IncomeCategory);
        Bonus = Group(u"Премия"_s, GroupType::IncomeSubcategory, Salary);
        Food = Group(u"Еда"_s, GroupType::ExpenseCategory);
        return Web.IsComplete();
    }

    /// Incomes and expenses on the rouble account around the year's end and the first quarter of 2024, with
    /// amounts in other currencies on the same days.
    bool BuildCalendar()
    {
        const struct
        {
            QDate day;
            int code;
            qint64 amount;
        } rows[] = {
            {QDate(2023, 12, 31), OperationCode::Income, 10000}, // a Sunday
            {QDate(2024, 1, 1), OperationCode::Expense, 2000},
            {QDate(2024, 2, 25), OperationCode::Income, 500}, // a Sunday
            {QDate(2024, 2, 26), OperationCode::Income, 100},
            {QDate(2024, 2, 28), OperationCode::Expense, 250}, // a Wednesday
            {QDate(2024, 2, 29), OperationCode::Income, 1000},
            {QDate(2024, 3, 3), OperationCode::Income, 700}, // a Sunday
            {QDate(2024, 3, 31), OperationCode::Income, 1}, // a Sunday
            {QDate(2024, 4, 1), OperationCode::Expense, 300},
        };
        for (const auto& row : rows)
            if (Operation(row.code, row.day, Rub, row.amount).isEmpty())
                return false;
        return !Operation(OperationCode::Income, QDate(2024, 2, 28), Dollars, 99900).isEmpty()
            && !Operation(OperationCode::Income, QDate(2024, 2, 28), Bare, 400).isEmpty();
    }
};

QString Column(TMyDBGrid* grid, const QString& field)
{
    QStringList cells;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        cells << grid->Model()->Row(i).DisplayText(field).replace(u'\n', u'/');
    return cells.join(u'|');
}

/// The in, out and difference of one column, "in/out/difference".
QString Totals(const TFBuchSumInfo& sums, int column)
{
    return sums.CellText(0, column) + u'/' + sums.CellText(1, column) + u'/' + sums.CellText(2, column);
}

QLineEdit* RowEditor(TOptionList* options, const QString& key)
{
    options->setCurrentCell(options->FindRow(key), 1);
    QWidget* focus = QApplication::focusWidget();
    if (!qobject_cast<QLineEdit*>(focus) && !qobject_cast<QComboBox*>(focus)) {
        options->editItem(options->currentItem());
        focus = QApplication::focusWidget();
    }
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(focus);
}

/// Types \a text, one of the drop-down's choices, over the value of the filter row \a key (a completed tail
/// is deleted, as the user does).
void Pick(TFFindBuchBrief& list, const QString& key, const QString& text)
{
    QVERIFY2(list.OptionListGetPickList(key).contains(text), qPrintable(key + u": "_s + text));
    TOptionList* options = list.Options();
    QLineEdit* edit = RowEditor(options, key);
    QVERIFY2(edit, qPrintable(key));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    TypeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(options->Values(key), text);
}

/// Each operation's count of links as stored in it and as the links are, "stored:real", joined by "|".
QString LinkCounts(const QStringList& operations)
{
    QStringList counts;
    for (const QString& operation : operations) {
        TDBMainInfo row;
        auto q = TMyDataBase::QueryOn(nullptr,
            u"select count(*) from AllInfo where ObjType = 82 and Link1 = '"_s + operation + u"'"_s);
        const qint64 real = q && q->next() ? q->value(0).toLongLong() : -1;
        counts << (row.SetObj(operation) ? QString::number(TConstMoneyOperationView(row).LinkCount()) : u"?"_s)
                + u':' + QString::number(real);
    }
    return counts.join(u'|');
}

/// The current row of \a source dropped on the rows of \a target as the drag of the window does it: the drag
/// passes over the target's rows, which take the row of that list, and ends there. False when the target
/// refused the row.
bool DropRow(TBaseFind& source, TMyDBGrid* sourceGrid, TBaseFind& target, TMyDBGrid* targetGrid)
{
    if (!target.GridDragOver(sourceGrid))
        return false;
    source.GridEndDrag(targetGrid->viewport());
    return true;
}

/// Makes the row of \a id current.
bool StandOn(TMyDBGrid* grid, const QString& id)
{
    for (int i = 0; i < grid->Model()->RecordCount(); ++i) {
        if (grid->Model()->Row(i).Text(u"ObjId"_s) == id) {
            grid->SetCurrentRecord(i);
            return true;
        }
    }
    return false;
}

void Clear(TOptionList* options, const QString& key)
{
    QLineEdit* edit = RowEditor(options, key);
    QVERIFY2(edit, qPrintable(key));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(options->Values(key), QString());
}


} // namespace

class TestOperationLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ZORVIN_REQUIRE_TEST_ENGINE();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    void init();
    void cleanup();
    void totalsOfEachPeriodAroundToday();
    void totalsInOneCurrencyWithTheirPopups();
    void eachFilterRowOfTheFinanceList();
    void cardSectionsListWhatConcernsTheirHost();
    void linkEditedWithItsRoleAndCount();
    void linkCountFollowsEveryChange();
    void eventLinksOfferTheCounterpartysRole();
    void payersAndRecipientsOfAProject();
    void financeListWithTotalsInTheMainWindow();

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TFixedClock> m_clock;
};

void TestOperationLists::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    m_clock = std::make_unique<TFixedClock>(QDateTime(QDate(2024, 2, 28), QTime(12, 30)));
    RegisterFinanceScreens();
    RegisterContactScreens();
}

void TestOperationLists::cleanup()
{
    m_clock.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestOperationLists::totalsOfEachPeriodAroundToday()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    QVERIFY(ledger.BuildCalendar());
    TFBuchSumInfo sums;
    sums.resize(900, 90);
    sums.show();
    TDBMainInfo options;
    options.ObjType = Kind::MoneyOperation;
    options.Link1 = ledger.Rub;
    // Each today with its columns: today, week, month, quarter, year.
    const struct
    {
        QDate today;
        QStringList columns;
    } cases[] = {
        // A Wednesday: the week is Monday 26 February to Sunday 3 March; February of a leap year.
        {QDate(2024, 2, 28),
            {u"0,00/2,50/-2,50"_s, u"18,00/2,50/15,50"_s, u"16,00/2,50/13,50"_s, u"23,01/22,50/0,51"_s,
                u"23,01/25,50/-2,49"_s}},
        // A Sunday belongs to the week that began the Monday before, itself included.
        {QDate(2024, 3, 3),
            {u"7,00/0,00/7,00"_s, u"18,00/2,50/15,50"_s, u"7,01/0,00/7,01"_s, u"23,01/22,50/0,51"_s,
                u"23,01/25,50/-2,49"_s}},
        {QDate(2024, 2, 25),
            {u"5,00/0,00/5,00"_s, u"5,00/0,00/5,00"_s, u"16,00/2,50/13,50"_s, u"23,01/22,50/0,51"_s,
                u"23,01/25,50/-2,49"_s}},
        {QDate(2024, 2, 29),
            {u"10,00/0,00/10,00"_s, u"18,00/2,50/15,50"_s, u"16,00/2,50/13,50"_s, u"23,01/22,50/0,51"_s,
                u"23,01/25,50/-2,49"_s}},
        // The last day of a year, a Sunday, in the fourth quarter; the first day of the next, a Monday.
        {QDate(2023, 12, 31),
            {u"100,00/0,00/100,00"_s, u"100,00/0,00/100,00"_s, u"100,00/0,00/100,00"_s, u"100,00/0,00/100,00"_s,
                u"100,00/0,00/100,00"_s}},
        {QDate(2024, 1, 1),
            {u"0,00/20,00/-20,00"_s, u"0,00/20,00/-20,00"_s, u"0,00/20,00/-20,00"_s, u"23,01/22,50/0,51"_s,
                u"23,01/25,50/-2,49"_s}},
        // The quarter's last day and the next quarter's first.
        {QDate(2024, 3, 31),
            {u"0,01/0,00/0,01"_s, u"0,01/0,00/0,01"_s, u"7,01/0,00/7,01"_s, u"23,01/22,50/0,51"_s,
                u"23,01/25,50/-2,49"_s}},
        {QDate(2024, 4, 1),
            {u"0,00/3,00/-3,00"_s, u"0,00/3,00/-3,00"_s, u"0,00/3,00/-3,00"_s, u"0,00/3,00/-3,00"_s,
                u"23,01/25,50/-2,49"_s}},
    };
    sums.SetVisibleSection(TFBuchSumInfo::vsAll);
    for (const auto& c : cases) {
        m_clock->Set(QDateTime(c.today, QTime(23, 59)));
        sums.SetMasterDBInfo(&options);
        QCOMPARE(sums.Currencies(), QStringList {u"руб"_s});
        for (int i = 0; i < c.columns.size(); ++i)
            QVERIFY2(Totals(sums, TFBuchSumInfo::ColToday + i) == c.columns[i],
                qPrintable(c.today.toString(Qt::ISODate) + u" column "_s + QString::number(i + 1) + u": "_s
                    + Totals(sums, TFBuchSumInfo::ColToday + i)));
        QCOMPARE(sums.CellText(0, TFBuchSumInfo::ColCurrency), u"руб"_s);
    }
    // The list's own period across the year's end, its last day included.
    options.Date1 = DateSerial::FromDate(QDate(2023, 12, 30));
    options.Date2 = DateSerial::FromDate(QDate(2024, 1, 2));
    sums.SetMasterDBInfo(&options);
    QCOMPARE(Totals(sums, TFBuchSumInfo::ColFilter), u"100,00/20,00/80,00"_s);
    QCOMPARE(sums.CellText(0, TFBuchSumInfo::ColLabel), u"Доход"_s);
}

void TestOperationLists::totalsInOneCurrencyWithTheirPopups()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    QVERIFY(ledger.BuildCalendar());
    TFBuchSumInfo sums;
    sums.resize(900, 90);
    sums.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sums));
    TDBMainInfo options;
    options.ObjType = Kind::MoneyOperation;
    sums.SetMasterDBInfo(&options);
    // Without an account: the currencies of the operations, most used first, and the accounts without one.
    QCOMPARE(sums.Currencies().value(0), u"руб"_s);
    QCOMPARE(sums.Currencies().size(), 3);
    QVERIFY(sums.Currencies().contains(TFBuchSumInfo::NoCurrency));
    QCOMPARE(sums.Currency(), u"руб"_s);
    QCOMPARE(Totals(sums, TFBuchSumInfo::ColMonth), u"16,00/2,50/13,50"_s);

    // The currency popup under "Валюта ^": each currency sums its own accounts alone.
    const auto chooseCurrency = [&](const QString& currency) {
        sums.HeaderClick(TFBuchSumInfo::ColCurrency);
        TpuValutaList* popup = sums.Popup();
        QTRY_VERIFY(popup->isVisible());
        QListWidget* lines = popup->lbValuta();
        QCOMPARE(lines->count(), 3);
        QTest::keyClick(lines, Qt::Key_Home);
        while (lines->currentItem()->text() != currency)
            QTest::keyClick(lines, Qt::Key_Down);
        QTest::keyClick(lines, Qt::Key_Return);
        QVERIFY(!popup->isVisible());
        QCOMPARE(sums.Currency(), currency);
    };
    chooseCurrency(u"$"_s);
    QCOMPARE(Totals(sums, TFBuchSumInfo::ColMonth), u"999,00/0,00/999,00"_s);
    QCOMPARE(sums.CellText(2, TFBuchSumInfo::ColCurrency), u"$"_s);
    chooseCurrency(TFBuchSumInfo::NoCurrency);
    QCOMPARE(Totals(sums, TFBuchSumInfo::ColMonth), u"4,00/0,00/4,00"_s);

    // The period popup: "Год" leaves the year and the list's own period.
    sums.HeaderClick(TFBuchSumInfo::ColMonth);
    QTRY_VERIFY(sums.Popup()->isVisible());
    QListWidget* periods = sums.Popup()->lbValuta();
    QCOMPARE(periods->currentItem()->text(), u"Месяц"_s);
    QTest::keyClick(periods, Qt::Key_Down);
    QTest::keyClick(periods, Qt::Key_Down);
    QTest::keyClick(periods, Qt::Key_Return);
    QCOMPARE(sums.VisibleSection(), int(TFBuchSumInfo::vsYear));
    QHeaderView* header = sums.Grid()->horizontalHeader();
    for (int column = TFBuchSumInfo::ColToday; column <= TFBuchSumInfo::ColQuarter; ++column)
        QCOMPARE(header->sectionSize(column), 0);
    QVERIFY(header->sectionSize(TFBuchSumInfo::ColYear) > 0);
    QCOMPARE(header->sectionSize(TFBuchSumInfo::ColYear), header->sectionSize(TFBuchSumInfo::ColFilter));
    QCOMPARE(Totals(sums, TFBuchSumInfo::ColYear), u"4,00/0,00/4,00"_s);
    QCOMPARE(sums.CellText(0, TFBuchSumInfo::ColMonth), QString());

    // "Должники": 100.00 lent and 30.00 returned.
    QVERIFY(!ledger.Operation(OperationCode::Lent, QDate(2024, 2, 27), ledger.Rub, 10000, ledger.Ivanov).isEmpty());
    QVERIFY(
        !ledger.Operation(OperationCode::LentReturned, QDate(2024, 2, 28), ledger.Rub, 3000, ledger.Ivanov).isEmpty());
    options.Int1 = TFFindBuchBrief::Debtors;
    options.Str3 = u"AllInfo.Int1 in (16, 32)"_s;
    options.Link1 = ledger.Rub;
    sums.SetMasterDBInfo(&options);
    QCOMPARE(sums.CellText(0, TFBuchSumInfo::ColLabel), u"Вернули"_s);
    QCOMPARE(sums.CellText(1, TFBuchSumInfo::ColLabel), u"Выдал в долг"_s);
    QCOMPARE(sums.CellText(2, TFBuchSumInfo::ColLabel), u"Должны"_s);
    QCOMPARE(Totals(sums, TFBuchSumInfo::ColYear), u"30,00/100,00/-70,00"_s);
    options.Int1 = TFFindBuchBrief::Creditors;
    sums.SetMasterDBInfo(&options);
    QCOMPARE(sums.CellText(2, TFBuchSumInfo::ColLabel), u"Должен"_s);
}

void TestOperationLists::eachFilterRowOfTheFinanceList()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    const QString salary = ledger.Operation(OperationCode::Income, QDate(2024, 3, 1), ledger.Rub, 500000, ledger.Firm,
        ledger.Salary, ledger.Bonus, u"премия"_s);
    QVERIFY(!salary.isEmpty());
    QVERIFY(!ledger.Operation(OperationCode::Expense, QDate(2024, 3, 31), ledger.Rub, 12000, QString(), ledger.Food)
                 .isEmpty());
    QVERIFY(!ledger.Operation(OperationCode::Expense, QDate(2024, 4, 1), ledger.Rub, 3000, QString(), ledger.Project)
                 .isEmpty());
    QVERIFY(!ledger.Operation(OperationCode::Lent, QDate(2024, 3, 5), ledger.Rub, 10000, ledger.Ivanov).isEmpty());
    TDBMainInfo transfer;
    TOperationEntry move;
    move.Code = OperationCode::Exchange;
    move.Date = DateSerial::FromDate(QDate(2024, 3, 10));
    move.Account = ledger.Rub;
    move.Amount = 9000;
    move.SecondAccount = ledger.Dollars;
    move.SecondAmount = 100;
    QVERIFY(OperationStore::Store(transfer, move).Ok());

    TBuchList list;
    list.resize(1000, 700);
    list.show();
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    TOptionList* options = list.Options();
    QCOMPARE(options->Strings(), (QStringList {u"Счет="_s, u"Период="_s, u"Операция="_s, u"Группа="_s,
                                     u"Подгруппа="_s, u"Контрагент="_s, u"Комментарий="_s}));
    TMyDBGrid* grid = list.ListGrid();
    const auto run = [&] {
        list.RunQuery(QString());
        return Column(grid, u"Int2"_s);
    };
    QCOMPARE(run(), u"-30,00 руб|-120,00 руб|1,00 $|-90,00 руб|-100,00 руб|5000,00 руб"_s);

    // "Период": typed through its mask, the "по" day included; "Сегодня" is the fixed clock's day.
    QLineEdit* period = RowEditor(options, u"Период"_s);
    QVERIFY(period);
    TypeText(period, u"Произвольно"_s);
    list.RunQuery(QString());
    options->setCurrentCell(0, 1);
    period = RowEditor(options, u"Период"_s);
    QVERIFY(period && !period->inputMask().isEmpty());
    QTest::keyClick(period, Qt::Key_Home);
    TypeText(period, u"0103202431032024"_s);
    QCOMPARE(options->Values(u"Период"_s), u"с: 01.03.2024 по: 31.03.2024"_s);
    QCOMPARE(run(), u"-120,00 руб|1,00 $|-90,00 руб|-100,00 руб|5000,00 руб"_s);
    // The totals follow: the rouble accounts of the same period, the exchange's rouble half included.
    QCOMPARE(list.SumInfo()->Currency(), u"руб"_s);
    QCOMPARE(Totals(*list.SumInfo(), TFBuchSumInfo::ColFilter), u"5000,00/310,00/4690,00"_s);
    // Erased, the range loses its mask: "Сегодня" is typed in its place.
    period = RowEditor(options, u"Период"_s);
    period->selectAll();
    QTest::keyClick(period, Qt::Key_Backspace);
    list.RunQuery(QString());
    QCOMPARE(Column(grid, u"Int2"_s).count(u'|'), 5);
    options->setCurrentCell(0, 1);
    m_clock->Set(QDateTime(QDate(2024, 4, 1), QTime(9, 0)));
    Pick(list, u"Период"_s, u"Сегодня"_s);
    QCOMPARE(run(), u"-30,00 руб"_s);
    Clear(options, u"Период"_s);

    // "Операция": the sets of codes and the single ones.
    Pick(list, u"Операция"_s, u"Доходы | Расходы"_s);
    QCOMPARE(run(), u"-30,00 руб|-120,00 руб|1,00 $|-90,00 руб|5000,00 руб"_s);
    Pick(list, u"Операция"_s, u"Должники"_s);
    QCOMPARE(run(), u"-100,00 руб"_s);
    QCOMPARE(list.SumInfo()->CellText(1, TFBuchSumInfo::ColLabel), u"Выдал в долг"_s);
    Pick(list, u"Операция"_s, u"Перевод с обменом"_s);
    QCOMPARE(run(), u"1,00 $|-90,00 руб"_s);
    Pick(list, u"Операция"_s, u"Расход"_s);
    QCOMPARE(run(), u"-30,00 руб|-120,00 руб"_s);

    // "Группа" offers the expense groups and the projects; "Подгруппа" the chosen group's subgroups.
    Pick(list, u"Группа"_s, u"Дача"_s);
    QCOMPARE(run(), u"-30,00 руб"_s);
    QCOMPARE(list.CurrentCategory(), ledger.Project);
    Pick(list, u"Операция"_s, u"Доход"_s);
    Pick(list, u"Группа"_s, u"Зарплата"_s);
    Pick(list, u"Подгруппа"_s, u"Премия"_s);
    QCOMPARE(run(), u"5000,00 руб"_s);
    Pick(list, u"Подгруппа"_s, TFFindBuchBrief::NoSubcategory);
    QCOMPARE(run(), QString());
    Clear(options, u"Подгруппа"_s);
    Clear(options, u"Группа"_s);
    Clear(options, u"Операция"_s);

    // "Счет", "Контрагент" and "Комментарий".
    Pick(list, u"Счет"_s, u"Доллары, $"_s);
    QCOMPARE(run(), u"1,00 $"_s);
    QCOMPARE(list.SumInfo()->Currencies(), QStringList {u"$"_s});
    Clear(options, u"Счет"_s);
    QLineEdit* counterparty = RowEditor(options, u"Контрагент"_s);
    QVERIFY(counterparty);
    TypeText(counterparty, u"Бан"_s);
    QCOMPARE(run(), u"5000,00 руб"_s);
    Clear(options, u"Контрагент"_s);
    QLineEdit* comment = RowEditor(options, u"Комментарий"_s);
    QVERIFY(comment);
    TypeText(comment, u"прем"_s);
    QCOMPARE(run(), u"5000,00 руб"_s);
}

void TestOperationLists::cardSectionsListWhatConcernsTheirHost()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    // Ivanov pays his salary directly; a firm's payment is linked to him and to the family; the project's
    // expense is linked to the event.
    const QString own = ledger.Operation(OperationCode::Income, QDate(2024, 2, 1), ledger.Rub, 1000, ledger.Ivanov);
    const QString linked = ledger.Operation(OperationCode::Income, QDate(2024, 2, 2), ledger.Rub, 2000, ledger.Firm);
    const QString project
        = ledger.Operation(OperationCode::Expense, QDate(2024, 2, 3), ledger.Rub, 4000, QString(), ledger.Project);
    QVERIFY(!own.isEmpty() && !linked.isEmpty() && !project.isEmpty());
    QVERIFY(ledger.Link(u"l1"_s, linked, ledger.Ivanov));
    QVERIFY(ledger.Link(u"l2"_s, linked, ledger.Family));
    QVERIFY(ledger.Link(u"l3"_s, project, ledger.Event));

    const struct
    {
        QString host;
        int kind;
        QString amounts;
        QString marks;
        QString month;
        QStringList actions;
    } cases[] = {
        {ledger.Ivanov, Kind::Person, u"20,00 руб|10,00 руб"_s, u"110|-1"_s, u"30,00"_s,
            {u"aONewIncome"_s, u"aONewOut"_s, u"aONewDal"_s, u"aONewVernuli"_s, u"aONewVzyal"_s, u"aONewVernul"_s}},
        // The firm's own operation has links to others: marked, and deleted through the menu only.
        {ledger.Firm, Kind::Organization, u"20,00 руб"_s, u"110"_s, u"20,00"_s,
            {u"aONewIncome"_s, u"aONewOut"_s, u"aONewDal"_s, u"aONewVernuli"_s, u"aONewVzyal"_s, u"aONewVernul"_s}},
        {ledger.Family, Kind::Family, u"20,00 руб"_s, u"110"_s, u"20,00"_s, {}},
        {ledger.Event, Kind::Event, u"-40,00 руб"_s, u"110"_s, u"-40,00"_s, {}},
        {ledger.Project, Kind::Group, u"-40,00 руб"_s, u"110"_s, u"-40,00"_s, {u"aONewIncome"_s, u"aONewOut"_s}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<TBaseDBFrame> frame(Screens::CreateSection(c.kind, 10, nullptr));
        auto* list = dynamic_cast<TFFindBuchBrief*>(frame.get());
        QVERIFY(list);
        list->resize(900, 600);
        list->show();
        list->SetMasterId(c.host);
        list->RunQuery(QString());
        TMyDBGrid* grid = list->ListGrid();
        QVERIFY2(Column(grid, u"Int2"_s) == c.amounts, qPrintable(Column(grid, u"Int2"_s)));
        QStringList marks;
        for (int i = 0; i < grid->Model()->RecordCount(); ++i) {
            int image = -1;
            grid->OnStatusColumnGetImage(*grid, grid->Model()->Row(i), TGridColumn {u"Int5"_s, u" "_s, 20}, image);
            marks << QString::number(image);
        }
        QCOMPARE(marks.join(u'|'), c.marks);
        QStringList shown;
        for (int code : TFFindBuchBrief::OperationCodes())
            if (QAction* action = list->OperationAction(code); action->isVisible())
                shown << action->objectName();
        QCOMPARE(shown, c.actions);
        // The totals sum what the section lists.
        QVERIFY(list->SumInfo()->isVisible());
        QCOMPARE(list->SumInfo()->CellText(2, TFBuchSumInfo::ColMonth), c.month);
    }

    // The dialogs: "Движение средств" of incomes and expenses, and "Список операций" of the operations named.
    QVERIFY(!ledger.Operation(OperationCode::Lent, QDate(2024, 2, 4), ledger.Rub, 500, ledger.Ivanov).isEmpty());
    const struct
    {
        int kind;
        QString names;
        QString amounts;
    } dialogs[] = {
        {TFFindBuchBrief::PickAnyOperation, QString(), u"-5,00 руб|-40,00 руб|20,00 руб|10,00 руб"_s},
        {TFFindBuchBrief::PickIncomeExpense, QString(), u"-40,00 руб|20,00 руб|10,00 руб"_s},
        {TFFindBuchBrief::OperationsDialog, u"\""_s + own + u"\", \""_s + project + u"\""_s,
            u"-40,00 руб|10,00 руб"_s},
        {TFFindBuchBrief::OperationsDialog, QString(), QString()},
    };
    for (const auto& d : dialogs) {
        TDBMainInfo host;
        host.ObjType = d.kind;
        host.Str5 = d.names;
        // The frames the dialogs of these kinds show.
        std::unique_ptr<TBaseDBFrame> frame(d.kind == TFFindBuchBrief::OperationsDialog
                ? Screens::CreateEditFrame(d.kind, nullptr)
                : Screens::CreatePickFrame(d.kind, nullptr));
        auto* list = dynamic_cast<TFFindBuchBrief*>(frame.get());
        QVERIFY(list);
        list->resize(900, 600);
        list->show();
        list->SetMasterDBInfo(&host);
        list->RunQuery(QString());
        QCOMPARE(Column(list->ListGrid(), u"Int2"_s), d.amounts);
        QCOMPARE(list->SumInfo()->isVisible(), d.kind != TFFindBuchBrief::OperationsDialog);
        QCOMPARE(list->Options()->FindRow(u"Контрагент"_s) == 0, d.kind == TFFindBuchBrief::PickAnyOperation);
    }

    // "Контрагент" of "Движение средств", typed: the counterparties whose name begins so.
    TDBMainInfo pick;
    pick.ObjType = TFFindBuchBrief::PickAnyOperation;
    TFFindBuchBrief operations;
    operations.resize(900, 600);
    operations.show();
    QApplication::setActiveWindow(&operations);
    QVERIFY(QTest::qWaitForWindowActive(&operations));
    operations.SetMasterDBInfo(&pick);
    QLineEdit* counterparty = RowEditor(operations.Options(), u"Контрагент"_s);
    QVERIFY(counterparty);
    TypeText(counterparty, u"бан"_s);
    operations.RunQuery(QString());
    QCOMPARE(Column(operations.ListGrid(), u"Int2"_s), u"20,00 руб"_s);

    // "Участник" of an event's list: the people and organizations that take part in it, each listing the
    // operations it is the counterparty of.
    const QString paid = ledger.Operation(OperationCode::Expense, QDate(2024, 2, 5), ledger.Rub, 700, ledger.Ivanov);
    QVERIFY(!paid.isEmpty() && ledger.Link(u"l4"_s, paid, ledger.Event));
    QVERIFY(ledger.RolePair(u"participant"_s, ledger.Event, ledger.Ivanov, Kind::Person));
    std::unique_ptr<TBaseDBFrame> frame(Screens::CreateSection(Kind::Event, EventSection::Finance, nullptr));
    auto* event = dynamic_cast<TFFindBuchBrief*>(frame.get());
    QVERIFY(event);
    event->resize(900, 600);
    event->show();
    QApplication::setActiveWindow(event);
    QVERIFY(QTest::qWaitForWindowActive(event));
    event->SetMasterId(ledger.Event);
    event->RunQuery(QString());
    QCOMPARE(Column(event->ListGrid(), u"Int2"_s), u"-7,00 руб|-40,00 руб"_s);
    QCOMPARE(event->Options()->FindRow(u"Участник"_s), 0);
    QCOMPARE(event->OptionListGetPickList(u"Участник"_s), (QStringList {QString(), u"Иванов"_s}));
    Pick(*event, u"Участник"_s, u"Иванов"_s);
    event->RunQuery(QString());
    QCOMPARE(Column(event->ListGrid(), u"Int2"_s), u"-7,00 руб"_s);
}

void TestOperationLists::linkEditedWithItsRoleAndCount()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    const QString income = ledger.Operation(OperationCode::Income, QDate(2024, 2, 2), ledger.Rub, 2000, ledger.Firm);
    QVERIFY(!income.isEmpty());
    QVERIFY(ledger.Link(u"family"_s, income, ledger.Family));

    // A new link to Ivanov, as the editor of kind 82 shows it.
    TDBMainInfo link;
    link.ObjType = Kind::OperationLink;
    const TOperationLinkView view(link);
    view.SetOperation(income);
    view.SetObject(ledger.Ivanov);
    view.SetCategory(Ids::None);
    std::unique_ptr<TBaseDBFrame> frame(Screens::CreateEditFrame(Kind::OperationLink, nullptr));
    auto* editor = dynamic_cast<TFLinkBuchToObj*>(frame.get());
    QVERIFY(editor);
    editor->SetLinkMode(1);
    editor->SetMasterDBInfo(&link);
    editor->show();
    // The person linked is shown beside the role.
    auto* preview = qobject_cast<TPeoplePrev*>(editor->Preview());
    QVERIFY(preview);
    QCOMPARE(QString(preview->MasterDBInfo()->Obj), ledger.Ivanov);
    QCOMPARE(editor->eRole()->count(), 1);
    QCOMPARE(editor->eRole()->itemText(0), u"Оплата"_s);
    editor->eRole()->setFocus();
    TypeText(editor->eRole()->lineEdit(), u"  Получатель "_s);
    editor->mComments()->setFocus();
    TypeText(editor->mComments(), u" за март "_s);
    QVERIFY(link.Save().Ok());
    editor->SetMasterDBInfo(nullptr);

    TDBMainInfo stored;
    QVERIFY(stored.SetObj(link.Obj));
    QCOMPARE(TConstOperationLinkView(stored).Role(), u"Получатель"_s);
    QCOMPARE(stored.Comments, u"за март"_s);
    // Both links are counted once the editor has written one.
    TDBMainInfo operation;
    QVERIFY(operation.SetObj(income));
    QCOMPARE(TConstMoneyOperationView(operation).LinkCount(), qint64(2));

    // The operation card's section lists the objects with their roles.
    std::unique_ptr<TBaseDBFrame> section(
        Screens::CreateSection(Kind::MoneyOperation, OperationSection::LinkedObjects, nullptr));
    auto* objects = dynamic_cast<TBuchObjLinkFind*>(section.get());
    QVERIFY(objects);
    objects->show();
    objects->SetMasterId(income);
    objects->RunQuery(QString());
    QCOMPARE(Column(objects->ListGrid(), u"Str1"_s), u"Иванов/[Получатель]|Семья//[Оплата]"_s);

    // The firm's own operation is marked as linked now.
    TFFindBuchBrief firm;
    firm.show();
    firm.SetMasterId(ledger.Firm);
    firm.RunQuery(QString());
    TMyDBGrid* grid = firm.ListGrid();
    QCOMPARE(grid->Model()->RecordCount(), 1);
    int image = -1;
    grid->OnStatusColumnGetImage(*grid, grid->Model()->Row(0), TGridColumn {u"Int5"_s, u" "_s, 20}, image);
    QCOMPARE(image, 110);
    QVERIFY(firm.IsDirectDelete() == false);

    // From Ivanov's card the link is deleted, not the operation: its count goes down by one.
    TScriptedBroker broker;
    TFFindBuchBrief ivanov;
    ivanov.show();
    ivanov.SetMasterId(ledger.Ivanov);
    ivanov.RunQuery(QString());
    QCOMPARE(ivanov.ListGrid()->Model()->RecordCount(), 1);
    QVERIFY(!ivanov.IsDirectDelete());
    auto* deleteOperation = ivanov.findChild<QAction*>(u"miDelEvent"_s);
    QCOMPARE(deleteOperation->text(), u"Удалить операцию"_s);
    broker.Queue(TScriptedBroker::TRequest::Delete, 1, [&link](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::OperationLink));
        QCOMPARE(record.Obj, link.Obj);
        QVERIFY(CascadeDelete::DeleteObject(record));
    });
    ivanov.findChild<QAction*>(u"miDelRole"_s)->trigger();
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(ivanov.ListGrid()->Model()->RecordCount(), 0);
    QVERIFY(operation.SetObj(income));
    QCOMPARE(TConstMoneyOperationView(operation).LinkCount(), qint64(1));

    // "Добавить ссылку на операцию": the operation picked in "Движение средств", the new link edited.
    QAction* addLink = ivanov.findChild<QAction*>(u"aOLinks"_s);
    QVERIFY(addLink && addLink->isVisible());
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, [&income](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(TFFindBuchBrief::PickAnyOperation));
        QVERIFY(record.SetObj(income));
    });
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [&](TDBMainInfo& record) {
        const TConstOperationLinkView added(record);
        QCOMPARE(record.ObjType, int(Kind::OperationLink));
        QCOMPARE(QString(added.Operation()), income);
        QCOMPARE(QString(added.Object()), ledger.Ivanov);
        QVERIFY(added.HasLinked());
        QCOMPARE(record.Save(), 0);
    });
    addLink->trigger();
    QCOMPARE(ivanov.ListGrid()->Model()->RecordCount(), 1);
    QVERIFY(operation.SetObj(income));
    QCOMPARE(TConstMoneyOperationView(operation).LinkCount(), qint64(2));
}

void TestOperationLists::linkCountFollowsEveryChange()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    const QString income = ledger.Operation(OperationCode::Income, QDate(2024, 2, 2), ledger.Rub, 2000, ledger.Firm);
    const QString expense = ledger.Operation(OperationCode::Expense, QDate(2024, 2, 3), ledger.Rub, 500);
    QVERIFY(!income.isEmpty() && !expense.isEmpty());
    const QStringList both {income, expense};
    QCOMPARE(LinkCounts(both), u"0:0|0:0"_s);

    // Links written by whoever saves them.
    QVERIFY(ledger.Link(u"ivanov"_s, income, ledger.Ivanov));
    QVERIFY(ledger.Link(u"family"_s, income, ledger.Family));
    QCOMPARE(LinkCounts(both), u"2:2|0:0"_s);
    // A link edited in place, and one moved over to another operation: both operations are counted.
    TDBMainInfo link;
    QVERIFY(link.SetObj(ledger.Web.Id(u"ivanov"_s)));
    TOperationLinkView(link).SetRole(u"Получатель"_s);
    QVERIFY(link.Save().Ok());
    QCOMPARE(LinkCounts(both), u"2:2|0:0"_s);
    QVERIFY(link.SetObj(ledger.Web.Id(u"family"_s)));
    TOperationLinkView(link).SetOperation(expense);
    QVERIFY(link.Save().Ok());
    QCOMPARE(LinkCounts(both), u"1:1|1:1"_s);
    // A link deleted, and an object deleted with its links.
    QVERIFY(link.SetObj(ledger.Web.Id(u"ivanov"_s)));
    QVERIFY(CascadeDelete::DeleteObject(link));
    QCOMPARE(LinkCounts(both), u"0:0|1:1"_s);
    TDBMainInfo family;
    QVERIFY(family.SetObj(ledger.Family));
    QVERIFY(CascadeDelete::DeleteObject(family));
    QCOMPARE(LinkCounts(both), u"0:0|0:0"_s);
}

void TestOperationLists::eventLinksOfferTheCounterpartysRole()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    const QString meeting = ledger.Web.Add(u"Сбор"_s, Kind::Event, [&ledger](TDBMainInfo& r) {
        r.Str1 = u"Сбор"_s;
        TEventView(r).SetProject(ledger.Project);
    });
    const QString paid = ledger.Operation(OperationCode::Expense, QDate(2024, 2, 5), ledger.Rub, 700, ledger.Ivanov);
    QVERIFY(!meeting.isEmpty() && !paid.isEmpty());
    TScriptedBroker broker;
    TFFindBuchBrief list;
    list.resize(900, 600);
    list.show();
    list.SetMasterId(meeting);
    list.RunQuery(QString());
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);

    // "Добавить ссылку на операцию": the operation picked, its link saved; Ivanov, who pays, takes no part in
    // the event yet: on Yes his role is edited, filed under the event's project.
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, [&paid](TDBMainInfo& record) { QVERIFY(record.SetObj(paid)); });
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [](TDBMainInfo& record) { QVERIFY(record.Save().Ok()); });
    m_messages->QueueAnswer(TAnswer::Yes);
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [&](TDBMainInfo& record) {
        const TConstRoleView role(record);
        QCOMPARE(record.ObjType, int(Kind::Role));
        QCOMPARE(QString(role.Holder()), meeting);
        QCOMPARE(QString(role.Group()), ledger.Ivanov);
        QCOMPARE(QString(role.Third()), ledger.Project);
        QCOMPARE(role.HolderKind(), qint64(Kind::Event));
        QCOMPARE(role.OtherKind(), qint64(Kind::Person));
        // What the role dialog writes.
        QVERIFY(ledger.RolePair(u"payer"_s, meeting, ledger.Ivanov, Kind::Person));
    });
    list.findChild<QAction*>(u"aOLinks"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList {OperationLinks::AddRoleQuestion});
    QCOMPARE(broker.Calls().size(), 3);
    QCOMPARE(Column(list.ListGrid(), u"Int2"_s), u"-7,00 руб"_s);
    QCOMPARE(LinkCounts({paid}), u"1:1"_s);
    const QString link = OperationLinks::Find(nullptr, paid, meeting);
    QVERIFY(!link.isEmpty());

    // Dropped from the finance list once more, the operation opens its link as it is; the counterparty has
    // his role now, and nothing is asked.
    TBuchList finance;
    finance.resize(900, 600);
    finance.show();
    finance.RunQuery(paid);
    QCOMPARE(finance.CurObjId(), paid);
    broker.ClearCalls();
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [&link](TDBMainInfo& record) {
        QCOMPARE(record.Obj.Text(), link);
        QVERIFY(record.Save().Ok());
    });
    QVERIFY(DropRow(finance, finance.ListGrid(), list, list.ListGrid()));
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(m_messages->Shown().size(), 1);
    QCOMPARE(list.CurObjId(), paid);
    QCOMPARE(LinkCounts({paid}), u"1:1"_s);
    // A card's list takes operations only, the finance list none.
    QString reason;
    TDBMainInfo person;
    QVERIFY(person.SetObj(ledger.Ivanov));
    QVERIFY(!list.CanLinkObject(person, reason));
    QVERIFY(!finance.GridDragOver(list.ListGrid()));

    // The operation with a link opens through pmOpen: the operation, or its link with the event.
    broker.ClearCalls();
    auto* menu = list.findChild<QMenu*>(u"pmOpen"_s);
    list.findChild<QAction*>(u"aOpen"_s)->trigger();
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    QVERIFY(broker.Calls().isEmpty());
    auto* openLink = list.findChild<QAction*>(u"miOpenLinks"_s);
    QVERIFY(openLink->isEnabled());
    broker.Queue(TScriptedBroker::TRequest::Edit, 2);
    openLink->trigger();
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(broker.Calls().first().Id, link);

    // From the operation's side: an event picked through "Создать", linked; Ivanov has no role in this one,
    // and "No" adds none.
    const QString party = ledger.Web.Add(u"Банкет"_s, Kind::Event, [](TDBMainInfo& r) { r.Str1 = u"Банкет"_s; });
    std::unique_ptr<TBaseDBFrame> section(
        Screens::CreateSection(Kind::MoneyOperation, OperationSection::LinkedObjects, nullptr));
    auto* objects = dynamic_cast<TBuchObjLinkFind*>(section.get());
    QVERIFY(objects);
    objects->show();
    objects->SetMasterId(paid);
    objects->RunQuery(QString());
    QCOMPARE(objects->ListGrid()->Model()->RecordCount(), 1);
    broker.ClearCalls();
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, [&party](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::Event));
        QVERIFY(record.SetObj(party));
    });
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::OperationLink));
        QVERIFY(record.Save().Ok());
    });
    m_messages->QueueAnswer(TAnswer::No);
    objects->findChild<QAction*>(u"miNewEvent"_s)->trigger();
    QCOMPARE(broker.Calls().size(), 2);
    QCOMPARE(m_messages->Shown().size(), 2);
    QCOMPARE(objects->ListGrid()->Model()->RecordCount(), 2);
    QCOMPARE(objects->CurObjId(), party);
    QCOMPARE(LinkCounts({paid}), u"2:2"_s);

    // "Копировать" in the finance list: a new operation dated now, on the same account, without links.
    broker.ClearCalls();
    QString copy;
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [&](TDBMainInfo& record) {
        const TConstMoneyOperationView operation(record);
        QVERIFY(IsEmptyId(record.Obj));
        QCOMPARE(operation.Date(), DateSerial::Now());
        QCOMPARE(QString(operation.Account()), ledger.Rub);
        TOperationEntry entry;
        entry.Code = static_cast<int>(operation.Code());
        entry.Date = operation.Date();
        entry.Account = operation.Account().Text();
        entry.Amount = -operation.Amount();
        entry.Counterparty = operation.Counterparty().Text();
        QVERIFY(OperationStore::Store(record, entry).Ok());
        copy = record.Obj;
    });
    broker.Queue(TScriptedBroker::TRequest::Open, 1);
    finance.findChild<QAction*>(u"aCopy"_s)->trigger();
    QCOMPARE(broker.Calls().size(), 2);
    QVERIFY(!copy.isEmpty() && copy != paid);
    QCOMPARE(finance.CurObjId(), copy);
    QCOMPARE(LinkCounts({copy, paid}), u"0:0|2:2"_s);
}

void TestOperationLists::payersAndRecipientsOfAProject()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    QVERIFY(!ledger.Operation(OperationCode::Income, QDate(2024, 2, 5), ledger.Rub, 1000, ledger.Firm, ledger.Project)
                 .isEmpty());
    QVERIFY(!ledger.Operation(OperationCode::Expense, QDate(2024, 2, 6), ledger.Rub, 500, ledger.Ivanov, ledger.Project)
                 .isEmpty());
    // Without a counterparty, and on another category: nobody to list.
    QVERIFY(!ledger.Operation(OperationCode::Expense, QDate(2024, 2, 6), ledger.Rub, 700, QString(), ledger.Project)
                 .isEmpty());
    QVERIFY(!ledger.Operation(OperationCode::Income, QDate(2024, 2, 6), ledger.Rub, 900, ledger.Family, ledger.Salary)
                 .isEmpty());

    std::unique_ptr<TBaseDBFrame> frame(Screens::CreateSection(Kind::Group, 11, nullptr));
    auto* list = dynamic_cast<TFindBuchProjectLinkObj*>(frame.get());
    QVERIFY(list);
    list->resize(700, 500);
    list->show();
    QApplication::setActiveWindow(list);
    QVERIFY(QTest::qWaitForWindowActive(list));
    list->SetMasterId(ledger.Project);
    const auto run = [list] {
        list->RunQuery(QString());
        return Column(list->ListGrid(), u"Str1"_s);
    };
    QCOMPARE(run(), u"Иванов|Банк"_s);
    TOptionList* options = list->Options();
    QLineEdit* role = RowEditor(options, u"Роль"_s);
    QVERIFY(role);
    TypeText(role, u"Плательщики"_s);
    QCOMPARE(run(), u"Банк"_s);
    role = RowEditor(options, u"Роль"_s);
    role->selectAll();
    TypeText(role, u"Получатели"_s);
    QCOMPARE(run(), u"Иванов"_s);
    role = RowEditor(options, u"Роль"_s);
    role->selectAll();
    QTest::keyClick(role, Qt::Key_Backspace);
    QLineEdit* period = RowEditor(options, u"Период"_s);
    QVERIFY(period && !period->inputMask().isEmpty());
    QTest::keyClick(period, Qt::Key_Home);
    TypeText(period, u"0502202405022024"_s);
    QCOMPARE(run(), u"Банк"_s);
}

void TestOperationLists::financeListWithTotalsInTheMainWindow()
{
    TLedger ledger;
    QVERIFY(ledger.Build());
    QVERIFY(!ledger.Account(u"Карта"_s, u"руб"_s).isEmpty());
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.resize(1100, 700);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    auto* side = main.findChild<QStackedWidget*>(u"SideLists"_s);

    // The finance list (F8): an income and a transfer, each by its shortcut.
    QTest::keyClick(&main, Qt::Key_F8);
    auto* list = qobject_cast<TBuchList*>(side->currentWidget());
    QVERIFY(list);
    TMyDBGrid* grid = list->ListGrid();
    QTRY_VERIFY(grid->Model()->IsOpen());
    const auto record = [&](Qt::Key key, const QString& first, const QString& second, const QString& amount) {
        WhenDialogShown<TMainModalForm>([=](TMainModalForm& dialog) {
            auto* editor = dynamic_cast<TEditBuchInOut*>(dialog.Frame());
            QVERIFY(editor);
            editor->cbAllAcc()->setCurrentIndex(editor->cbAllAcc()->findText(first));
            if (!second.isEmpty())
                editor->cbAcc2()->setCurrentIndex(editor->cbAcc2()->findText(second));
            QLineEdit* volume = second.isEmpty() ? editor->eVolume() : editor->eVolume2();
            volume->setFocus();
            QTest::keyClick(volume, Qt::Key_A, Qt::ControlModifier);
            TypeText(volume, amount);
            dialog.AOkExecute();
        });
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, key, Qt::ControlModifier);
    };
    record(Qt::Key_F1, u"Кошелек, руб"_s, QString(), u"5000"_s);
    record(Qt::Key_F3, u"Кошелек, руб"_s, u"Карта, руб"_s, u"1000"_s);
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(Column(grid, u"Int2"_s), u"1000,00 руб|-1000,00 руб|5000,00 руб"_s);
    // The totals of the month in roubles: the transfer is money in on one account and out on the other.
    TFBuchSumInfo* sums = list->SumInfo();
    QTRY_COMPARE(Totals(*sums, TFBuchSumInfo::ColMonth), u"6000,00/1000,00/5000,00"_s);
    QCOMPARE(Totals(*sums, TFBuchSumInfo::ColFilter), u"6000,00/1000,00/5000,00"_s);
    QVERIFY(SaveScreenshot(main, u"finance-list-totals.png"_s));

    // Ivanov's card, from the people list (F1, Enter), at its finance section: nothing concerns him yet.
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(side->currentWidget());
    QVERIFY(people);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
    QTest::keyClick(people->eFindEdit()->lineEdit(), Qt::Key_Return);
    auto* card = qobject_cast<TPeopleObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    QCOMPARE(card->MasterId(), ledger.Ivanov);
    card->tbBuchClick(TBaseObjFrame::BuchGroup);
    QVERIFY(card->ShowSection(PersonSection::Finance));
    auto* section = qobject_cast<TFFindBuchBrief*>(card->SectionFrame());
    QVERIFY(section);
    QTRY_VERIFY(section->ListGrid()->Model()->IsOpen());
    QCOMPARE(section->ListGrid()->Model()->RecordCount(), 0);

    // The income dragged from the finance list (F8 again) onto the section: the link editor shows Ivanov and
    // takes his role.
    QTest::keyClick(&main, Qt::Key_F8);
    QCOMPARE(side->currentWidget(), list);
    QString income;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        if (grid->Model()->Row(i).Int(u"Int1"_s) == OperationCode::Income)
            income = grid->Model()->Row(i).Text(u"ObjId"_s);
    QVERIFY(StandOn(grid, income));
    WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Отношение объект - платеж"_s);
        auto* editor = dynamic_cast<TFLinkBuchToObj*>(dialog.Frame());
        QVERIFY(editor);
        auto* preview = qobject_cast<TPeoplePrev*>(editor->Preview());
        QVERIFY(preview && preview->isVisible());
        editor->eRole()->setFocus();
        TypeText(editor->eRole()->lineEdit(), u"Плательщик"_s);
        dialog.AOkExecute();
    });
    QVERIFY(DropRow(*list, grid, *section, section->ListGrid()));
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(LinkCounts({income}), u"1:1"_s);
    TDBMainInfo link;
    QVERIFY(link.SetObj(OperationLinks::Find(nullptr, income, ledger.Ivanov)));
    QCOMPARE(TConstOperationLinkView(link).Role(), u"Плательщик"_s);

    // The finance list marks the income as linked now.
    const auto mark = [](TMyDBGrid* in, int row) {
        int image = -1;
        in->OnStatusColumnGetImage(*in, in->Model()->Row(row), TGridColumn {u"Int5"_s, u" "_s, 20}, image);
        return image;
    };
    QTRY_VERIFY(StandOn(grid, income) && mark(grid, grid->CurrentRecord()) == 110);

    // His card lists the income, marked as listed through a link, with the totals of the month.
    TMyDBGrid* rows = section->ListGrid();
    QTRY_COMPARE(Column(rows, u"Int2"_s), u"5000,00 руб"_s);
    QCOMPARE(mark(rows, 0), 110);
    QTRY_COMPARE(Totals(*section->SumInfo(), TFBuchSumInfo::ColMonth), u"5000,00/0,00/5000,00"_s);
    QCOMPARE(Totals(*section->SumInfo(), TFBuchSumInfo::ColFilter), u"5000,00/0,00/5000,00"_s);
    QVERIFY(SaveScreenshot(main, u"person-finance-section.png"_s));
}

QTEST_MAIN(TestOperationLists)
#include "tst_operationlists.moc"
