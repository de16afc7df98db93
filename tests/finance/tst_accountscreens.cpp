// The account screens: the account editor (its refusal, cash without institution or period, the currency
// fixed once stored), the accounts list (filters, balances shown in hundredths, largest first), and accounts
// kept from start to end in the real main window, where the side panel's balances follow every save.
#include "finance/AccRestThread.h"
#include "finance/EditAccount.h"
#include "finance/FinanceScreens.h"
#include "finance/FindAccount.h"
#include "finance/OperationStore.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/MoneyOperationView.h"
#include "tests/finance/OperationEntries.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// "name balance currency" of every row of \a grid, "|"-joined.
QString Rows(TMyDBGrid* grid)
{
    QStringList rows;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i) {
        const TListRow row = grid->Model()->Row(i);
        rows << row.Text(u"Str1"_s) + u' ' + row.DisplayText(u"Int5"_s) + u' ' + row.Text(u"Str4"_s);
    }
    return rows.join(u'|');
}

QString Account(TObjectWeb& web, const QString& name, int type, const QString& currency, qint64 balance, bool closed)
{
    return web.Add(name, Kind::Account, [&](TDBMainInfo& r) {
        const TAccountView a(r);
        a.SetName(name);
        a.SetAccountKind(type);
        a.SetCurrency(currency);
        a.SetBalance(balance);
        a.SetIsClosed(closed);
    });
}

// Types a new account into the editor of the dialog on show and presses OK.
void FillAccountDialog(const QString& name, const QString& currency, int type)
{
    WhenDialogShown<TMainModalForm>([name, currency, type](TMainModalForm& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Определение счета"_s);
        auto* editor = dynamic_cast<TEditAccount*>(dialog.Frame());
        QVERIFY(editor);
        editor->eName()->setFocus();
        TypeText(editor->eName(), name);
        editor->cbValuta()->setFocus();
        TypeText(editor->cbValuta(), currency);
        editor->cbLinkType()->setFocus();
        for (int i = 0; i < type; ++i)
            QTest::keyClick(editor->cbLinkType(), Qt::Key_Down);
        dialog.AOkExecute();
    });
}

} // namespace

class TestAccountScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ZORVIN_REQUIRE_TEST_ENGINE();
        // As the program shows amounts: with the decimal comma.
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    void init();
    void cleanup();
    void editorStoresWhatTheTypeAllows();
    void listFiltersAndShowsBalances();
    void accountsFromStartToEndInTheMainWindow();

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestAccountScreens::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterFinanceScreens();
}

void TestAccountScreens::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestAccountScreens::editorStoresWhatTheTypeAllows()
{
    TObjectWeb web;
    const QString bank = web.Add(u"bank"_s, Kind::Organization, [](TDBMainInfo& r) {
        r.Str1 = u"Надежный"_s;
        r.Str2 = u"АО"_s;
    });
    Account(web, u"Старый"_s, 0, u"грн"_s, 0, false);
    QVERIFY(web.IsComplete());

    TDBMainInfo record;
    record.ObjType = Kind::Account;
    TEditAccount editor;
    editor.SetLinkMode(1);
    editor.SetMasterDBInfo(&record);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    // A new account: cash, the currencies in use offered, any currency typed.
    QCOMPARE(editor.cbLinkType()->currentIndex(), 0);
    QVERIFY(editor.gbFirma()->isHidden());
    QVERIFY(editor.gbDT()->isHidden());
    QVERIFY(editor.cbValuta()->isEnabled());
    QCOMPARE(editor.cbValuta()->count(), 1);
    QCOMPARE(editor.cbValuta()->itemText(0), u"грн"_s);
    QCOMPARE(record.Save().Text, u"Укажите название счета"_s);
    QVERIFY(IsNewId(record.Obj));

    // A card at a bank, active from a date.
    editor.eName()->setFocus();
    TypeText(editor.eName(), u"  Зарплатная  "_s);
    editor.cbValuta()->setFocus();
    TypeText(editor.cbValuta(), u"руб"_s);
    editor.cbLinkType()->setCurrentIndex(2);
    QVERIFY(editor.gbFirma()->isVisible());
    QVERIFY(editor.gbDT()->isVisible());
    editor.dtStart()->eDT()->setFocus();
    TypeText(editor.dtStart()->eDT(), u"01022025"_s);
    QVERIFY(record.Save().Ok());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(record.Obj));
    const TConstAccountView account(stored);
    QCOMPARE(account.Name(), u"Зарплатная"_s);
    QCOMPARE(account.Currency(), u"руб"_s);
    QCOMPARE(account.DisplayName(), u"Зарплатная, руб"_s);
    QCOMPARE(account.AccountKind(), qint64(2));
    QCOMPARE(account.Opened(), DateSerial::FromDate(QDate(2025, 2, 1)));
    QVERIFY(account.HasOpened());
    QCOMPARE(account.Balance(), qint64(0));

    // Stored with an institution and a period, then made cash: both go.
    QVERIFY(
        m_fixture->Run(u"update AllInfo set Link1 = '"_s + bank + u"' where ObjId = '"_s + record.Obj.Text() + u"'"_s));
    QVERIFY(record.SetObj(record.Obj));
    QCOMPARE(editor.mMainFirma()->toPlainText(), u"АО, Надежный"_s);
    QVERIFY(!editor.cbValuta()->isEnabled());
    QCOMPARE(editor.cbValuta()->currentText(), u"руб"_s);
    editor.cbLinkType()->setCurrentIndex(0);
    QCOMPARE(editor.mMainFirma()->toPlainText(), QString());
    QVERIFY(record.Save().Ok());
    QVERIFY(stored.SetObj(record.Obj));
    QCOMPARE(account.AccountKind(), qint64(0));
    QCOMPARE(account.Institution().Text(), QString());
    QCOMPARE(account.Opened(), 0.0);
    QVERIFY(!account.HasOpened());
    QVERIFY(!account.IsClosed());
    editor.SetMasterDBInfo(nullptr);
}

void TestAccountScreens::listFiltersAndShowsBalances()
{
    TObjectWeb web;
    Account(web, u"Кошелек"_s, 0, u"руб"_s, -1234, false);
    Account(web, u"Вклад"_s, 4, u"руб"_s, 3000000000LL, false);
    Account(web, u"Старая карта"_s, 2, u"$"_s, 0, true);
    Account(web, u"Разное"_s, 7, u"$"_s, 5, false);
    QVERIFY(web.IsComplete());
    TFindAccount list;
    list.show();
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.RunQuery(QString());
    QCOMPARE(Rows(list.ListGrid()), u"Вклад 30000000,00 руб|Разное 0,05 $|Старая карта 0,00 $|Кошелек -12,34 руб"_s);
    TOptionList* options = list.Options();
    QCOMPARE(list.OptionListGetPickList(u"Валюта"_s), (QStringList {u"$"_s, u"руб"_s}));
    QCOMPARE(list.OptionListGetPickList(u"Тип"_s).size(), 9);
    const struct
    {
        QString key;
        QString value;
        QString rows;
    } filters[] = {
        {u"Тип"_s, u"Наличные"_s, u"Кошелек -12,34 руб"_s},
        {u"Тип"_s, u"Прочие средства"_s, u"Разное 0,05 $"_s},
        {u"Статус"_s, TFindAccount::Closed, u"Старая карта 0,00 $"_s},
        {u"Статус"_s, TFindAccount::Active, u"Вклад 30000000,00 руб|Разное 0,05 $|Кошелек -12,34 руб"_s},
        {u"Валюта"_s, u"$"_s, u"Разное 0,05 $|Старая карта 0,00 $"_s},
        {u"Название"_s, u"ст"_s, u"Старая карта 0,00 $"_s},
    };
    for (const auto& filter : filters) {
        options->SetValues(filter.key, filter.value);
        list.RunQuery(QString());
        QCOMPARE(Rows(list.ListGrid()), filter.rows);
        options->SetValues(filter.key, QString());
    }
}

void TestAccountScreens::accountsFromStartToEndInTheMainWindow()
{
    TMain main;
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    // The balances were recomputed once as the program started.
    TAccRestThread* worker = TAccRestThread::Of(CurrentDatabase());
    QTRY_COMPARE(worker->Runs(), 1);

    main.findChild<QToolButton*>(u"tbBuchRest"_s)->click();
    auto* accounts = qobject_cast<TFindAccount*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(accounts);
    QCOMPARE(accounts->objectName(), u"MyBuchRest"_s);
    TMyDBGrid* grid = accounts->ListGrid();
    QTRY_VERIFY(grid->Model()->IsOpen());
    QCOMPARE(grid->Model()->RecordCount(), 0);

    // Two accounts opened from the side panel.
    FillAccountDialog(u"Кошелек"_s, u"руб"_s, 0);
    accounts->findChild<QAction*>(u"aNew"_s)->trigger();
    FillAccountDialog(u"Карта"_s, u"руб"_s, 2);
    accounts->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    // Equal balances keep the order they were made in.
    QTRY_COMPARE(Rows(grid), u"Кошелек 0,00 руб|Карта 0,00 руб"_s);
    const QString wallet = grid->Model()->Row(0).Text(u"ObjId"_s);
    const QString card = grid->Model()->Row(1).Text(u"ObjId"_s);

    // An income, an expense and a transfer to the card: the side panel follows each by itself.
    TDBMainInfo income;
    QVERIFY(OperationStore::Store(income, Entry(OperationCode::Income, wallet, 500000)).Ok());
    QTRY_COMPARE(Rows(grid), u"Кошелек 5000,00 руб|Карта 0,00 руб"_s);
    TDBMainInfo expense;
    QVERIFY(OperationStore::Store(expense, Entry(OperationCode::Expense, wallet, 123456)).Ok());
    TDBMainInfo transfer;
    QVERIFY(OperationStore::Store(transfer, Entry(OperationCode::Transfer, wallet, 100000, card)).Ok());
    QTRY_COMPARE(Rows(grid), u"Кошелек 2765,44 руб|Карта 1000,00 руб"_s);

    // The expense deleted from the main window: the balance goes back up.
    m_messages->QueueAnswer(TAnswer::Yes);
    QCOMPARE(main.Request(TMainMessage::WM_DELETEOBJECT, expense), 1);
    QTRY_COMPARE(Rows(grid), u"Кошелек 4000,00 руб|Карта 1000,00 руб"_s);

    // The card deleted from the list with its transfer: the question names its operations.
    m_messages->ClearShown();
    m_messages->QueueAnswer(TAnswer::Yes);
    grid->setFocus();
    grid->SetCurrentRecord(grid->Model()->Locate(u"ObjId"_s, card));
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(
        m_messages->Shown(), QStringList {u"Вы действительно хотите удалить счет\nи все операции связанные с ним?"_s});
    QTRY_COMPARE(Rows(grid), u"Кошелек 5000,00 руб"_s);
}

QTEST_MAIN(TestAccountScreens)
#include "tst_accountscreens.moc"
