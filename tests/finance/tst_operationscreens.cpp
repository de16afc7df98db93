// The operation screens: each operation code stored through the editor as the user types it (pairs from
// either half), the presets in the order of recent use, the counterparty kept only for a person or an
// organization, the refusals of what is no amount, and operations recorded from the finance list of the real
// main window until the side panel shows the balances.
#include "finance/BuchInOutFrame.h"
#include "finance/EditAccount.h"
#include "finance/EditBuchInOut.h"
#include "finance/FinanceScreens.h"
#include "finance/FindAccount.h"
#include "finance/FindBuchBrief.h"
#include "finance/OperationStore.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/SelectClientFrame.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/Money.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/MoneyOperationView.h"
#include "tests/finance/FinanceBook.h"
#include "tests/finance/OperationEntries.h"
#include "tests/shell/DialogScript.h"
#include "tests/shell/Screenshots.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QDate Today(2026, 12, 10);

// A new operation of \a code as the lists prepare one: dated, with the code, nothing else.
void NewOperation(TDBMainInfo& record, int code, const QString& counterparty = QString())
{
    record.Clear();
    record.ObjType = Kind::MoneyOperation;
    const TMoneyOperationView operation(record);
    operation.SetCode(code);
    operation.SetDate(DateSerial::FromDate(Today));
    operation.SetHasDate(true);
    operation.SetCounterparty(counterparty);
}

// The editor linked to a record, shown, as the dialog and the card host it.
struct TEditing
{
    TEditBuchInOut Editor;
    explicit TEditing(TDBMainInfo& record)
    {
        Editor.SetLinkMode(1);
        Editor.SetMasterDBInfo(&record);
        Editor.show();
    }
    ~TEditing() { Editor.SetMasterDBInfo(nullptr); }
};

// Selects all of \a edit's text with the keyboard and types \a text over it.
void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    TypeText(edit, text);
}

void Choose(QComboBox* box, const QString& text)
{
    const int at = box->findText(text);
    QVERIFY2(at >= 0, qPrintable(text));
    box->setCurrentIndex(at);
}

QStringList Items(QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QString Column(TMyDBGrid* grid, const QString& field)
{
    QStringList cells;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        cells << grid->Model()->Row(i).DisplayText(field).replace(u'\n', u'/');
    return cells.join(u'|');
}


} // namespace

class TestOperationScreens : public QObject
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
    void eachCodeStoredThroughTheEditor();
    void presetsFollowRecentUse();
    void counterpartyOnlyAPersonOrAnOrganization();
    void refusalsOfWhatIsTyped();
    void operationsFromStartToEndInTheMainWindow();

private:
    qint64 Count(const QString& where = QString()) const
    {
        return m_fixture
            ->Scalar(u"select count(*) from AllInfo where ObjType = 24"_s
                + (where.isEmpty() ? QString() : u" and "_s + where))
            .toLongLong();
    }

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TFixedClock> m_clock;
};

void TestOperationScreens::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    m_clock = std::make_unique<TFixedClock>(QDateTime(Today, QTime(12, 30)));
    RegisterFinanceScreens();
}

void TestOperationScreens::cleanup()
{
    m_clock.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestOperationScreens::eachCodeStoredThroughTheEditor()
{
    TFinanceBook book;
    QVERIFY(book.Build());
    const struct
    {
        int code;
        QString caption;
        QString account;
        QString typed;
        qint64 stored;
    } codes[] = {
        {OperationCode::Income, u"Карточка доходов"_s, u"Кошелек, руб"_s, u"1 234,5"_s, 123450},
        {OperationCode::Expense, u"Карточка расходов"_s, u"Карта, руб"_s, u"12.34"_s, -1234},
        {OperationCode::Lent, u"Выдал в долг"_s, u"Кошелек, руб"_s, u"0,125"_s, -12},
        {OperationCode::LentReturned, u"Вернули долг"_s, u"Кошелек, руб"_s, u"2.675"_s, 268},
        {OperationCode::Borrowed, u"Взял в долг"_s, u"Доллары, $"_s, u"30 000 000,00"_s, 3000000000LL},
        {OperationCode::BorrowedReturned, u"Вернул долг"_s, u"Доллары, $"_s, u"7"_s, -700},
    };
    for (const auto& c : codes) {
        TDBMainInfo record;
        NewOperation(record, c.code);
        TEditing editing(record);
        TEditBuchInOut& editor = editing.Editor;
        QCOMPARE(TEditBuchInOut::DialogCaption(c.code), c.caption);
        const bool debt = c.code >= OperationCode::Lent;
        QCOMPARE(editor.pIn()->isVisibleTo(&editor), !debt);
        QVERIFY(!editor.pAcc2()->isVisibleTo(&editor));
        Choose(editor.cbAllAcc(), c.account);
        Retype(editor.eVolume(), c.typed);
        if (c.code == OperationCode::Income) {
            Choose(editor.cbCategory(), u"Зарплата"_s);
            QCOMPARE(Items(editor.cbSubCategory()), (QStringList {u"Подгруппа не указана"_s, u"Премия"_s}));
            Choose(editor.cbSubCategory(), u"Премия"_s);
        }
        if (debt)
            editor.gbMainFirma()->SetObjectId(c.code <= OperationCode::LentReturned ? book.Person : book.Firm);
        editor.mComments()->setFocus();
        TypeText(editor.mComments(), u"  за декабрь "_s);
        const TStoreResult saved = record.Save();
        QVERIFY2(saved.Ok(), qPrintable(saved.Text));

        TDBMainInfo stored;
        QVERIFY(stored.SetObj(record.Obj));
        const TConstMoneyOperationView row(stored);
        QCOMPARE(row.Code(), qint64(c.code));
        QCOMPARE(row.Amount(), c.stored);
        QCOMPARE(row.Date(), DateSerial::FromDate(Today));
        QCOMPARE(row.Half(), qint64(0));
        QCOMPARE(row.PairedRow().Text(), Ids::None);
        QCOMPARE(row.Comments(), u"за декабрь"_s);
        QCOMPARE(book.Web.Key(row.Account().Text()), c.account.section(u',', 0, 0));
        if (c.code == OperationCode::Income) {
            QCOMPARE(row.Category().Text(), book.Salary);
            QCOMPARE(row.Fourth().Text(), book.Bonus);
            QCOMPARE(row.Counterparty().Text(), Ids::None);
        } else if (c.code == OperationCode::Expense) {
            // Nothing chosen: the none ids, which the lists join to the placeholder row.
            QCOMPARE(row.Category().Text(), Ids::None);
            QCOMPARE(row.Fourth().Text(), Ids::None);
        } else {
            QCOMPARE(row.Category().Text(), Ids::None);
            QCOMPARE(row.Fourth().Text(), row.Counterparty().Text());
            QCOMPARE(row.Counterparty().Text(), c.code <= OperationCode::LentReturned ? book.Person : book.Firm);
        }
        // Opened again, it shows what the user typed, without the sign.
        TDBMainInfo again;
        QVERIFY(again.SetObj(record.Obj));
        TEditing reopened(again);
        QCOMPARE(reopened.Editor.eVolume()->text(), Money::Text(qAbs(c.stored)));
        QCOMPARE(reopened.Editor.cbAllAcc()->currentText(), c.account);
    }

    // A transfer of 100,00 and an exchange of 100 $ into 2700,00 руб: two rows each, naming each other.
    TDBMainInfo transfer;
    NewOperation(transfer, OperationCode::Transfer, book.Firm);
    {
        TEditing editing(transfer);
        TEditBuchInOut& editor = editing.Editor;
        QVERIFY(!editor.pSum1()->isVisibleTo(&editor));
        QVERIFY(!editor.gbIn()->isVisibleTo(&editor));
        Choose(editor.cbAllAcc(), u"Кошелек, руб"_s);
        QCOMPARE(Items(editor.cbAcc2()), QStringList {u"Карта, руб"_s});
        QCOMPARE(editor.vAcc2()->text(), u"руб"_s);
        Retype(editor.eVolume2(), u"100"_s);
        QVERIFY(transfer.Save().Ok());
    }
    QCOMPARE(Count(u"Int1 = 4"_s), 2);
    TDBMainInfo half;
    QVERIFY(half.SetObj(transfer.Link5));
    QCOMPARE(half.Int2, 10000);
    QCOMPARE(half.Int4, 2);
    QCOMPARE(half.Link1.Text(), book.Card);
    QCOMPARE(half.Link4.Text(), book.Rub);
    QCOMPARE(half.Link2.Text(), book.Firm);
    QCOMPARE(half.Link5.Text(), transfer.Obj.Text());
    QCOMPARE(transfer.Int2, -10000);
    QCOMPARE(transfer.Link4.Text(), book.Card);
    {
        // Opened from the receiving half, the pair shows from the paying side; an edit rewrites both rows.
        TEditing editing(half);
        TEditBuchInOut& editor = editing.Editor;
        QCOMPARE(editor.lMainAcc()->text(), u"Со счета"_s);
        QCOMPARE(editor.cbAllAcc()->currentText(), u"Кошелек, руб"_s);
        QCOMPARE(editor.cbAcc2()->currentText(), u"Карта, руб"_s);
        QCOMPARE(editor.eVolume2()->text(), u"100,00"_s);
        Retype(editor.eVolume2(), u"150"_s);
        QVERIFY(half.Save().Ok());
        QCOMPARE(half.Obj.Text(), transfer.Obj.Text());
    }
    QCOMPARE(Count(u"Int1 = 4"_s), 2);
    QCOMPARE(
        m_fixture->Scalar(u"select Int2 from AllInfo where ObjId = '"_s + transfer.Link5.Text() + u"'"_s).toLongLong(),
        15000);

    TDBMainInfo exchange;
    NewOperation(exchange, OperationCode::Exchange);
    {
        TEditing editing(exchange);
        TEditBuchInOut& editor = editing.Editor;
        QVERIFY(editor.pSum1()->isVisibleTo(&editor));
        Choose(editor.cbAllAcc(), u"Доллары, $"_s);
        // Another currency only.
        QCOMPARE(Items(editor.cbAcc2()), (QStringList {u"Карта, руб"_s, u"Кошелек, руб"_s}));
        Choose(editor.cbAcc2(), u"Кошелек, руб"_s);
        QCOMPARE(editor.vAcc1()->text(), u"$"_s);
        QCOMPARE(editor.vAcc2()->text(), u"руб"_s);
        Retype(editor.eVolume(), u"100"_s);
        Retype(editor.eVolume2(), u"2700"_s);
        QVERIFY(exchange.Save().Ok());
    }
    QCOMPARE(exchange.Int2, -10000);
    QCOMPARE(exchange.Link4.Text(), Ids::None);
    QVERIFY(half.SetObj(exchange.Link5));
    QCOMPARE(half.Int2, 270000);
    QCOMPARE(half.Link1.Text(), book.Rub);
    QCOMPARE(half.Link4.Text(), Ids::None);
    QCOMPARE(half.Link5.Text(), exchange.Obj.Text());
    QCOMPARE(m_messages->Shown(), QStringList());
}

void TestOperationScreens::presetsFollowRecentUse()
{
    TFinanceBook book;
    QVERIFY(book.Build());
    const auto store
        = [](int code, const QString& account, const QString& category, QDate date, const QString& second = QString()) {
              TOperationEntry entry = Entry(code, account, 100, second);
              entry.Category = category;
              entry.Date = DateSerial::FromDate(date);
              TDBMainInfo row;
              QVERIFY(OperationStore::Store(row, entry).Ok());
          };
    // The card and food are used most in the last two months; the dollars more, but long ago; an expense of
    // the day after tomorrow is out of the window as well.
    store(OperationCode::Expense, book.Card, book.Food, Today.addDays(-50));
    store(OperationCode::Expense, book.Card, book.Food, Today.addDays(1));
    store(OperationCode::Expense, book.Rub, QString(), Today);
    for (int i = 0; i < 3; ++i) {
        store(OperationCode::Expense, book.Dollars, QString(), Today.addMonths(-3));
        store(OperationCode::Expense, book.Dollars, QString(), Today.addDays(2));
    }
    // Incomes count for incomes alone.
    for (int i = 0; i < 3; ++i)
        store(OperationCode::Income, book.Rub, book.Salary, Today);

    TDBMainInfo expense;
    NewOperation(expense, OperationCode::Expense);
    {
        TEditing editing(expense);
        QCOMPARE(Items(editing.Editor.cbAllAcc()), (QStringList {u"Карта, руб"_s, u"Кошелек, руб"_s, u"Доллары, $"_s}));
        QCOMPARE(Items(editing.Editor.cbCategory()), (QStringList {u"Еда"_s, u"Группа не указана"_s, u"Дача"_s}));
        QCOMPARE(editing.Editor.cbCategory()->currentText(), u"Еда"_s);
    }
    TDBMainInfo income;
    NewOperation(income, OperationCode::Income);
    {
        TEditing editing(income);
        QCOMPARE(editing.Editor.cbAllAcc()->currentText(), u"Кошелек, руб"_s);
        QCOMPARE(editing.Editor.cbCategory()->currentText(), u"Зарплата"_s);
    }
    // A stored expense without a category shows none, whatever is used most.
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(
        m_fixture
            ->Scalar(u"select ObjId from AllInfo where ObjType = 24 and Int1 = 2 and Link1 = '"_s + book.Rub + u"'"_s)
            .toString()));
    {
        TEditing editing(stored);
        QCOMPARE(editing.Editor.cbAllAcc()->currentText(), u"Кошелек, руб"_s);
        QCOMPARE(editing.Editor.cbCategory()->currentText(), u"Группа не указана"_s);
    }

    // Transfers from the wallet went to the card most: it is the preset receiving account.
    book.Web.Add(u"Копилка"_s, Kind::Account, [](TDBMainInfo& r) { r.Str1 = u"Копилка"_s; });
    const QString savings = book.Web.Add(u"Сбережения"_s, Kind::Account, [](TDBMainInfo& r) {
        r.Str1 = u"Сбережения"_s;
        r.Str4 = u"руб"_s;
    });
    store(OperationCode::Transfer, book.Rub, QString(), Today, savings);
    store(OperationCode::Transfer, book.Rub, QString(), Today, savings);
    store(OperationCode::Transfer, book.Rub, QString(), Today, book.Card);
    TDBMainInfo transfer;
    NewOperation(transfer, OperationCode::Transfer);
    TEditing editing(transfer);
    QCOMPARE(editing.Editor.cbAllAcc()->currentText(), u"Кошелек, руб"_s);
    QCOMPARE(Items(editing.Editor.cbAcc2()), (QStringList {u"Сбережения, руб"_s, u"Карта, руб"_s}));
    // An account without a currency may send to any other; choosing it builds the list anew.
    Choose(editing.Editor.cbAllAcc(), u"Копилка, "_s);
    QCOMPARE(Items(editing.Editor.cbAcc2()),
        (QStringList {u"Доллары, $"_s, u"Карта, руб"_s, u"Кошелек, руб"_s, u"Сбережения, руб"_s}));
    QCOMPARE(editing.Editor.cbAcc2()->currentIndex(), 0);
}

void TestOperationScreens::counterpartyOnlyAPersonOrAnOrganization()
{
    TFinanceBook book;
    QVERIFY(book.Build());
    // Made from a project's card, the project comes as the host: it is no counterparty.
    for (const QString& host : {book.Project, book.Person}) {
        TDBMainInfo income;
        NewOperation(income, OperationCode::Income, host);
        TEditing editing(income);
        const bool person = host == book.Person;
        QCOMPARE(editing.Editor.gbMainFirma()->HasObject(), person);
        Retype(editing.Editor.eVolume(), u"10"_s);
        QVERIFY(income.Save().Ok());
        QCOMPARE(income.Link2.Text(), person ? book.Person : Ids::None);
    }
}

void TestOperationScreens::refusalsOfWhatIsTyped()
{
    TFinanceBook book;
    QVERIFY(book.Build());
    TDBMainInfo expense;
    NewOperation(expense, OperationCode::Expense);
    TEditing editing(expense);
    TEditBuchInOut& editor = editing.Editor;
    const struct
    {
        QString typed;
        QString refusal;
    } refusals[] = {
        {QString(), u"Укажите сумму"_s},
        {u"двадцать"_s, u"Укажите сумму"_s},
        {u","_s, u"Укажите сумму"_s},
        {u"12,3,4"_s, u"Укажите сумму"_s},
        {u"-5"_s, u"Сумма не может быть отрицательной"_s},
        {u"100 000 000 000,01"_s, u"Сумма слишком велика"_s},
    };
    for (const auto& r : refusals) {
        Retype(editor.eVolume(), r.typed);
        QCOMPARE(expense.Save().Text, r.refusal);
        QCOMPARE(editor.focusWidget(), editor.eVolume());
    }
    QVERIFY(IsNewId(expense.Obj));
    QCOMPARE(Count(), 0);
    // "-0" and blanks around an amount are an amount.
    Retype(editor.eVolume(), u" -0 "_s);
    QVERIFY(expense.Save().Ok());
    QCOMPARE(expense.Int2, 0);

    // A debt names its debtor or creditor: the choice of one pops up.
    for (int code : {int(OperationCode::Lent), int(OperationCode::Borrowed)}) {
        TDBMainInfo debt;
        NewOperation(debt, code);
        TEditing debtEditing(debt);
        Retype(debtEditing.Editor.eVolume(), u"5"_s);
        QCOMPARE(debt.Save().Text, code == OperationCode::Lent ? u"Укажите должника"_s : u"Укажите кредитора"_s);
        QMenu* choice = debtEditing.Editor.gbMainFirma()->pmPlat();
        QTRY_VERIFY(choice->isVisible());
        choice->hide();
    }
    // No account of the same currency to move dollars to.
    TDBMainInfo transfer;
    NewOperation(transfer, OperationCode::Transfer);
    TEditing transferEditing(transfer);
    Choose(transferEditing.Editor.cbAllAcc(), u"Доллары, $"_s);
    QCOMPARE(transferEditing.Editor.cbAcc2()->count(), 0);
    Retype(transferEditing.Editor.eVolume2(), u"5"_s);
    QCOMPARE(transfer.Save().Text, u"Укажите второй счет"_s);
    Choose(transferEditing.Editor.cbAllAcc(), u"Кошелек, руб"_s);
    Retype(transferEditing.Editor.eVolume2(), u"abc"_s);
    QCOMPARE(transfer.Save().Text, u"Укажите сумму"_s);
    QCOMPARE(Count(), 1);
}

void TestOperationScreens::operationsFromStartToEndInTheMainWindow()
{
    TMain main;
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    QTRY_VERIFY(main.IsStarted());
    main.resize(1100, 640);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    auto* side = main.findChild<QStackedWidget*>(u"SideLists"_s);

    // Two accounts opened from the side panel.
    main.findChild<QToolButton*>(u"tbBuchRest"_s)->click();
    auto* accounts = qobject_cast<TFindAccount*>(side->currentWidget());
    QVERIFY(accounts);
    for (const QString& name : {u"Кошелек"_s, u"Карта"_s}) {
        WhenDialogShown<TMainModalForm>([name](TMainModalForm& dialog) {
            auto* editor = dynamic_cast<TEditAccount*>(dialog.Frame());
            QVERIFY(editor);
            editor->eName()->setFocus();
            TypeText(editor->eName(), name);
            editor->cbValuta()->setFocus();
            TypeText(editor->cbValuta(), u"руб"_s);
            dialog.AOkExecute();
        });
        accounts->findChild<QAction*>(u"aNew"_s)->trigger();
    }
    QTRY_COMPARE(accounts->ListGrid()->Model()->RecordCount(), 2);

    // The finance list (F8): an income, an expense and a transfer to the card, each by its shortcut.
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F8);
    auto* list = qobject_cast<TBuchList*>(side->currentWidget());
    QVERIFY(list);
    QCOMPARE(list->objectName(), u"Buchaltery"_s);
    TMyDBGrid* grid = list->ListGrid();
    QTRY_VERIFY(grid->Model()->IsOpen());
    const auto record = [&](Qt::Key key, const QString& caption, const QString& first, const QString& second,
                            const QString& amount, bool screenshot) {
        WhenDialogShown<TMainModalForm>([=](TMainModalForm& dialog) {
            QCOMPARE(dialog.windowTitle(), caption);
            auto* editor = dynamic_cast<TEditBuchInOut*>(dialog.Frame());
            QVERIFY(editor);
            Choose(editor->cbAllAcc(), first);
            if (!second.isEmpty())
                Choose(editor->cbAcc2(), second);
            Retype(second.isEmpty() ? editor->eVolume() : editor->eVolume2(), amount);
            if (screenshot)
                QVERIFY(SaveScreenshot(dialog, u"operation-editor.png"_s));
            dialog.AOkExecute();
        });
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        const qint64 before = Count();
        QTest::keyClick(grid, key, Qt::ControlModifier);
        QVERIFY(Count() > before);
    };
    record(Qt::Key_F1, u"Карточка доходов"_s, u"Кошелек, руб"_s, QString(), u"5000"_s, false);
    // A new income or expense opens in its card.
    auto* card = main.findChild<TBuchInOutFrame*>();
    QVERIFY(card);
    QCOMPARE(card->Editor()->eVolume()->text(), u"5000,00"_s);
    QCOMPARE(card->SectionCaption(OperationSection::LinkedObjects), u"Объекты, связанные с платежом"_s);
    QVERIFY(!card->tbBuch()->defaultAction()->isVisible());
    record(Qt::Key_F2, u"Карточка расходов"_s, u"Кошелек, руб"_s, QString(), u"1 234,56"_s, true);
    record(Qt::Key_F3, u"Перенос средств между счетами"_s, u"Кошелек, руб"_s, u"Карта, руб"_s, u"1000"_s, false);
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(Column(grid, u"Int2"_s), u"1000,00 руб|-1000,00 руб|-1234,56 руб|5000,00 руб"_s);
    QCOMPARE(Column(grid, u"GrpName"_s), u"Перенос на счет/Кошелек, руб|Перенос со счета/Карта, руб|/|/"_s);
    QVERIFY(SaveScreenshot(main, u"operation-card.png"_s));
    // The income corrected on its card: "Записать" writes the same row.
    Retype(card->Editor()->eVolume(), u"6000"_s);
    card->aSave()->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(Count(), 4);

    // The side panel shows both balances once the recomputation has run.
    main.findChild<QToolButton*>(u"tbBuchRest"_s)->click();
    QCOMPARE(side->currentWidget(), accounts);
    QTRY_COMPARE(Column(accounts->ListGrid(), u"Int5"_s), u"3765,44|1000,00"_s);
    QCOMPARE(Column(accounts->ListGrid(), u"Str1"_s), u"Кошелек|Карта"_s);
    QVERIFY(SaveScreenshot(main, u"finance-accounts.png"_s));
}

QTEST_MAIN(TestOperationScreens)
#include "tst_operationscreens.moc"
