// The finance report from an operation list's print action: the title, the header and one row per operation
// shown, in the list's order, read back from the workbook; the empty list's report has the title and header.
#include "finance/FinanceScreens.h"
#include "finance/FindBuchBrief.h"
#include "finance/OperationStore.h"
#include "platform/ProgramPaths.h"
#include "reports/FinanceReport.h"
#include "reports/ReportFile.h"
#include "reports/ReportScreens.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/MoneyOperationView.h"
#include "tests/reports/XlsxReader.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestFinanceReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();
    void operationsOfTheListReadBack();

private:
    QStringList Reports() const { return QDir(ReportFile::Folder()).entryList(QDir::Files, QDir::Name); }

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedDesktop> m_desktop;
    std::unique_ptr<TFixedClock> m_clock;
};

void TestFinanceReport::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    ReportFile::SetFolder(QDir(m_fixture->Folder()).filePath(u"Документы/Zorvin"_s));
    m_messages = std::make_unique<TScriptedMessages>();
    m_desktop = std::make_unique<TScriptedDesktop>();
    m_clock = std::make_unique<TFixedClock>(QDateTime(QDate(2026, 12, 9), QTime(14, 5)));
    RegisterFinanceScreens();
    RegisterReportScreens();
}

void TestFinanceReport::cleanup()
{
    m_clock.reset();
    m_desktop.reset();
    m_messages.reset();
    ReportFile::SetFolder(QString());
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestFinanceReport::operationsOfTheListReadBack()
{
    TObjectWeb web;
    const auto account = [&web](const QString& name, const QString& currency) {
        return web.Add(name, Kind::Account, [&](TDBMainInfo& r) {
            const TAccountView a(r);
            a.SetName(name);
            a.SetCurrency(currency);
            a.SetDisplayName(AccountDisplayName(name, currency));
        });
    };
    const QString rub = account(u"Кошелек"_s, u"руб"_s);
    const QString card = account(u"Карта"_s, u"руб"_s);
    const QString firm = web.Add(u"Банк"_s, Kind::Organization, [](TDBMainInfo& r) { r.Str1 = u"Банк"_s; });
    const QString salary = web.Add(u"Зарплата"_s, Kind::Group, [](TDBMainInfo& r) {
        r.Str1 = u"Зарплата"_s;
        r.Int1 = GroupType::IncomeCategory;
    });
    QVERIFY(web.IsComplete());
    const auto store = [](int code, const QDate& day, const QString& from, qint64 amount, const QString& to,
                           const QString& counterparty, const QString& category, const QString& comment) {
        TDBMainInfo record;
        TOperationEntry entry;
        entry.Code = code;
        entry.Date = DateSerial::FromDate(day);
        entry.Account = from;
        entry.Amount = amount;
        entry.SecondAccount = to;
        entry.SecondAmount = amount;
        entry.Counterparty = counterparty;
        entry.Category = category;
        entry.Comments = comment;
        return OperationStore::Store(record, entry).Ok();
    };
    QVERIFY(store(OperationCode::Income, QDate(2026, 12, 1), rub, 123456, QString(), firm, salary, u"аванс"_s));
    QVERIFY(store(OperationCode::Transfer, QDate(2026, 12, 2), rub, 5000, card, QString(), QString(), QString()));

    TBuchList list;
    list.show();
    list.SetMasterDBInfo(nullptr);
    list.RunQuery(QString());
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 3);
    auto* print = list.findChild<QAction*>(u"aPrint"_s);
    QVERIFY(print && print->isVisible() && print->isEnabled());
    print->trigger();
    QCOMPARE(Reports().size(), 1);
    const TXlsxReader book(QDir(ReportFile::Folder()).filePath(Reports().first()));
    QVERIFY(book.IsValid());
    QCOMPARE(book.Text(u"b1"_s), u"Финансовый отчет"_s);
    QStringList header;
    for (char column = 'a'; column <= 'i'; ++column)
        header << book.Text(QChar::fromLatin1(column) + u"3"_s);
    QCOMPARE(header, (QStringList {u"Тип операции"_s, u"Дата"_s, u"Счет"_s, u"Категория"_s, u"Подкатегория"_s,
                         u"Сумма, валюта*100"_s, u"Валюта"_s, u"Контрагент"_s, u"Комментарий"_s}));
    const auto line = [&book](int row) {
        QStringList cells;
        for (char column = 'a'; column <= 'i'; ++column)
            cells << book.Text(QChar::fromLatin1(column) + QString::number(row));
        return cells.join(u'|');
    };
    // Newest first, as the list shows them: the transfer's two halves, then the income.
    QCOMPARE(line(4).section(u'|', 0, 2), u"Перевод|02.12.2026|Карта"_s);
    QCOMPARE(line(5).section(u'|', 0, 2), u"Перевод|02.12.2026|Кошелек"_s);
    QCOMPARE(line(6).section(u'|', 0, 4), u"Приход|01.12.2026|Кошелек|Зарплата|"_s);
    QCOMPARE(line(6).section(u'|', 6, 8), u"руб|Банк|аванс"_s);
    QVERIFY(!book.Cells().value(u"f6"_s).IsText());
    QCOMPARE(book.Text(u"f6"_s).toDouble(), 1234.56);
    QCOMPARE(book.Text(u"f5"_s).toDouble(), -50.0);
    QVERIFY(!book.Has(u"a7"_s));

    // An empty list: the title and the header alone.
    for (const QString& file : Reports())
        QVERIFY(QDir(ReportFile::Folder()).remove(file));
    m_clock->Set(QDateTime(QDate(2026, 12, 9), QTime(14, 6)));
    list.Options()->SetValues(u"Комментарий"_s, u"нет такого"_s);
    list.RunQuery(QString());
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);
    QVERIFY(print->isEnabled());
    print->trigger();
    QCOMPARE(Reports().size(), 1);
    const TXlsxReader empty(QDir(ReportFile::Folder()).filePath(Reports().first()));
    QVERIFY(empty.IsValid());
    QCOMPARE(empty.Text(u"b1"_s), u"Финансовый отчет"_s);
    QCOMPARE(empty.Text(u"i3"_s), u"Комментарий"_s);
    QVERIFY(!empty.Has(u"a4"_s));
}

QTEST_MAIN(TestFinanceReport)
#include "tst_financereport.moc"
