// The list frame: statements and their condition tails, quick and extended find with the query timer, row
// state, opening, creating, deleting and linking through the scripted main window, drag and drop, failing
// statements, and every operation a list overrides, through a small list made for the tests.
#include "shell/frames/BaseFind.h"
#include "shell/frames/FindModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using TRequest = TScriptedBroker::TRequest;

namespace {

// A list that overrides every operation a list may override and logs each call. Its extended find has
// one row per kind of filter: a text, a link, two numbers, a comment and a raw condition.
class TTestFind final : public TBaseFind
{
public:
    explicit TTestFind(QWidget* parent = nullptr)
        : TBaseFind(parent)
    {
        FindCaption->setText(QStringLiteral("Проверка"));
        OptionList->SetStrings({QStringLiteral("Фамилия="), QStringLiteral("Связь="), QStringLiteral("Тип="),
                                QStringLiteral("Признак="), QStringLiteral("Заметка="), QStringLiteral("Только женщины=")});
        TItemProp pick;
        pick.EditStyle = TEditStyle::esPickList;
        pick.PickList = {QStringLiteral("Да"), QStringLiteral("Нет")};
        OptionList->SetItemProps(QStringLiteral("Только женщины"), pick);
        Bind(miOpenLinkObject, &TBaseFind::miOpenLinkObjectClick);
        Bind(miDelRole, &TBaseFind::miDelLinkClick);
    }

    // How many statements the list has run (each rerun once), and how often it read its current row's object.
    int QueryCount() const { return m_queries; }
    int CurObjInfoLoads() const { return m_loads; }
    void QueryStarted() override { ++m_queries; }
    void CurObjInfoLoaded() override { ++m_loads; }
    int m_queries = 0;
    int m_loads = 0;

    // Extension points
    void aDelExecute() override { Log << QStringLiteral("aDelExecute"); TBaseFind::aDelExecute(); }
    bool SelectInDialog() override { Log << QStringLiteral("SelectInDialog"); return TBaseFind::SelectInDialog(); }
    void QueryAfterOpen() override
    {
        Log << QStringLiteral("QueryAfterOpen");
        Grid->Model()->SetFieldTextHandler(QStringLiteral("Str2"), [](const TListRow& row, const QVariant& value) -> QString {
            return row.Text(QStringLiteral("Str1")) + QLatin1Char(' ') + value.toString();
        });
        TBaseFind::QueryAfterOpen();
    }
    void EnableActions() override { Log << QStringLiteral("EnableActions"); TBaseFind::EnableActions(); }
    bool DeleteObject(const QString& id) override { Log << QStringLiteral("DeleteObject"); return TBaseFind::DeleteObject(id); }
    bool IsDirectDelete() override { Log << QStringLiteral("IsDirectDelete"); return TBaseFind::IsDirectDelete(); }
    QString GetSelectSQL() override
    {
        Log << QStringLiteral("GetSelectSQL");
        return Statement.isEmpty() ? TBaseFind::GetSelectSQL() : Statement;
    }
    void SetFindField(int index, const QString& text) override
    {
        Log << QStringLiteral("SetFindField");
        TBaseFind::SetFindField(index, text);
    }
    QString GetWhereSQL() override { Log << QStringLiteral("GetWhereSQL"); return TBaseFind::GetWhereSQL(); }
    void ParseBriefFind() override { Log << QStringLiteral("ParseBriefFind"); TBaseFind::ParseBriefFind(); }
    void ParseOptionList() override
    {
        Log << QStringLiteral("ParseOptionList");
        SetFindField(1, OptionList->Values(QStringLiteral("Фамилия")));
        SetFindField(7, OptionList->Values(QStringLiteral("Связь")));
        SetFindField(11, OptionList->Values(QStringLiteral("Тип")));
        SetFindField(12, OptionList->Values(QStringLiteral("Признак")));
        SetFindField(16, OptionList->Values(QStringLiteral("Заметка")));
        if (OptionList->Values(QStringLiteral("Только женщины")) == QStringLiteral("Да"))
            m_whereExt = QStringLiteral("(AllInfo.Flag = True)");
    }
    void VisiblePrevPanelChanged() override { Log << QStringLiteral("VisiblePrevPanelChanged"); }
    bool LinkObject() override
    {
        Log << QStringLiteral("LinkObject");
        Linked << DropObj().Id;
        if (!LinkAnswer)
            return false;
        WorkInfo()->SetObj(DropObj().Id);
        return true;
    }
    void InitFindMode() override
    {
        Log << QStringLiteral("InitFindMode");
        TBaseFind::InitFindMode();
    }
    TDBMainInfo* GetCurrentObjInfo() override { Log << QStringLiteral("GetCurrentObjInfo"); return TBaseFind::GetCurrentObjInfo(); }
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override
    {
        Log << QStringLiteral("CanLinkObject");
        if (info.ObjType == Kind::Person)
            return true;
        reason = QStringLiteral("Неверный тип");
        return false;
    }
    void PrepareOpenMenu() override
    {
        Log << QStringLiteral("PrepareOpenMenu");
        miOpenLinkObject->setText(QStringLiteral("Открыть организацию"));
        m_linkObjId = ThirdObject;
    }
    void RunQuery(const QString& id) override
    {
        Log << QStringLiteral("RunQuery:") + id;
        TBaseFind::RunQuery(id);
    }
    void aCopyExecute() override { Log << QStringLiteral("aCopyExecute"); }
    void aPrintExecute() override { Log << QStringLiteral("aPrintExecute"); }

    // The components the tests drive
    TMyDBGrid* TheGrid() const { return Grid; }
    QComboBox* Find() const { return eFind; }
    TOptionList* Options() const { return OptionList; }
    QAction* Action(const QString& name) const { return findChild<QAction*>(name); }
    QMenu* Menu(const QString& name) const { return findChild<QMenu*>(name); }
    QMenu* NewMenu() const { return pmNew; }
    QString FoundText() const { return hFindResultCount->text(); }
    void UseLinkColumn(const QString& name) { SetLinkFieldName(name); }
    void ShowPreview(bool visible) { SetVisiblePrevPanel(visible); }

    QStringList Log;
    QStringList Linked;
    bool LinkAnswer = true;
    QString Statement;
    QString ThirdObject;
};

// Types \a text as key presses (any alphabet).
} // namespace

class TestBaseFind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void QuickFindSplitsWords_data();
    void QuickFindSplitsWords();
    void EmptyQuickFindListsEveryObjectOfTheKind();
    void LongListIsCountedAfterItsFirstScreen();
    void BurstOfKeysRunsOneQuery();
    void StatementWithFiltersOfEveryType();
    void DefaultOrderAndCustomOrder();
    void NamesakesKeepTheirPlacesFromEndToEnd();
    void ExtendedModeSwitchesPanels();
    void RowStateFollowsTheCursor();
    void FieldsMatchIgnoringCase();
    void LinksActionRule_data();
    void LinksActionRule();
    void OpeningByKind_data();
    void OpeningByKind();
    void OpeningWithoutRowCreates();
    void OpeningALinkedRowOffersTheMenu();
    void CreatingOnAFreeStandingList();
    void CreatingInACardSectionPicksAndLinks();
    void CreatingAPhoneInACardSection();
    void FilterMinusOneNeverReachesTheNewObject();
    void CancelledEditLeavesTheList();
    void DeletingReruns_data();
    void DeletingReruns();
    void DeletingALinkedRowOffersTheMenu();
    void KeysOpenAndDelete();
    void DragStartsOnlyFromFreeStandingLists();
    void DropIsAcceptedOnlyByCardSections();
    void DropLinksAndReruns();
    void DraggedObjectIsReadOnce();
    void FailingStatementLeavesTheListEmpty();
    void NewDatabaseNeverShowsOldRows();
    void ColumnFittingGivesTheRestToTheResizeColumn();
    void EveryExtensionPointIsCalled();
    void OptionListEditors();
    void PickDialogSelectsTheRow();
    void PickDialogEndsWithANewObject();
    void LinksWindowIsAskedForOnce();
    void EveryVisibleActionIsReachable();
    void ListFromTheKeyboard();
    void ListFollowsSavesMadeElsewhere();
    void SavedHandlersCanBeRemoved();

private:
    TTestFind* MakeList(int kind, const QString& masterId = QString());
    void BindFreeList(TTestFind& list, int kind);
    TTestFind* MakePickDialog(TFindModalForm& dialog, int kind);
    void Seed();

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TObjectWeb> m_web;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedBroker> m_broker;
    std::unique_ptr<TDBMainInfo> m_master;
    std::unique_ptr<TTestFind> m_list;
};

void TestBaseFind::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestBaseFind::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    m_broker = std::make_unique<TScriptedBroker>();
    // Phones and accounts are edited in their dialog: their screens describe them so, and the list asks the
    // descriptor.
    for (int code : {int(Kind::Phone), int(Kind::Account)}) {
        TShellKind edited;
        edited.Code = code;
        edited.EditedInDialog = true;
        ShellKinds::Register(edited);
    }
    Seed();
}

void TestBaseFind::cleanup()
{
    Screens::Clear();
    m_list.reset();
    m_master.reset();
    m_broker.reset();
    m_messages.reset();
    m_web.reset();
    m_fixture.reset();
}

// Three people, two of them women, an organization, a phone, an account and two money operations.
void TestBaseFind::Seed()
{
    m_web = std::make_unique<TObjectWeb>(m_fixture->Db());
    auto person = [](const QString& surname, const QString& name, bool woman, int status) {
        return [=](TDBMainInfo& r) {
            r.Str1 = surname;
            r.Str2 = name;
            r.Flag = woman;
            r.Int1 = status;
        };
    };
    m_web->Add(QStringLiteral("ivanov"), Kind::Person, person(QStringLiteral("Иванов"), QStringLiteral("Иван"), false, 0));
    m_web->Add(QStringLiteral("ivanova"), Kind::Person, person(QStringLiteral("Иванова"), QStringLiteral("Мария"), true, 2));
    m_web->Add(QStringLiteral("petrova"), Kind::Person, person(QStringLiteral("Петрова"), QStringLiteral("Анна"), true, 0));
    m_web->Add(QStringLiteral("firm"), Kind::Organization, [](TDBMainInfo& r) { r.Str1 = QStringLiteral("Ромашка"); });
    m_web->Add(QStringLiteral("phone"), Kind::Phone, [](TDBMainInfo& r) { r.Str1 = QStringLiteral("123-45-67"); });
    m_web->Add(QStringLiteral("account"), Kind::Account, [](TDBMainInfo& r) { r.Str1 = QStringLiteral("Кошелёк"); });
    m_web->Add(QStringLiteral("transfer"), Kind::MoneyOperation, [](TDBMainInfo& r) { r.Int1 = 4; });
    m_web->Add(QStringLiteral("income"), Kind::MoneyOperation, [](TDBMainInfo& r) { r.Int1 = 1; });
    QVERIFY(m_web->IsComplete());
}

TTestFind* TestBaseFind::MakeList(int kind, const QString& masterId)
{
    m_master = std::make_unique<TDBMainInfo>();
    m_master->SetDatabase(m_fixture->Db());
    if (!masterId.isEmpty())
        m_master->SetObj(masterId);
    else
        m_master->ObjType = kind;
    m_list = std::make_unique<TTestFind>();
    m_list->resize(600, 400);
    m_list->SetMasterDBInfo(m_master.get());
    m_list->RunQuery(QString());
    m_list->Log.clear();
    return m_list.get();
}

// A free-standing list of \a kind on the fixture's database (the list copies its master).
void TestBaseFind::BindFreeList(TTestFind& list, int kind)
{
    TDBMainInfo master;
    master.SetDatabase(m_fixture->Db());
    master.ObjType = kind;
    list.SetMasterDBInfo(&master);
}

void TestBaseFind::QuickFindSplitsWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("five words: the fifth is ignored")
        << QStringLiteral("Иванов Иван Иванович Москва лишнее")
        << QStringList{QStringLiteral("Иванов"), QStringLiteral("Иван"), QStringLiteral("Иванович"), QStringLiteral("Москва")};
    QTest::newRow("two words set two fields")
        << QStringLiteral("Иванов Иван") << QStringList{QStringLiteral("Иванов"), QStringLiteral("Иван"), QString(), QString()};
    QTest::newRow("two blanks leave a field empty")
        << QStringLiteral("Иванов  Иванович") << QStringList{QStringLiteral("Иванов"), QString(), QStringLiteral("Иванович"), QString()};
    QTest::newRow("empty text") << QString() << QStringList{QString(), QString(), QString(), QString()};
}

void TestBaseFind::QuickFindSplitsWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    TTestFind* list = MakeList(Kind::Person);
    list->Find()->setEditText(text);
    const QString tail = list->GetWhereSQL();
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(list->FindOptions()->Str(i), fields[i - 1]);
    QCOMPARE(list->FindOptions()->Str(5), QString());
    QString expected;
    for (int i = 1; i <= 4; ++i)
        if (!fields[i - 1].isEmpty())
            expected += QStringLiteral(" and (AllInfo.Str%1 like \"%2%\" )").arg(i).arg(fields[i - 1]);
    QCOMPARE(tail, expected);
}

void TestBaseFind::EmptyQuickFindListsEveryObjectOfTheKind()
{
    TTestFind* list = MakeList(Kind::Person);
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 3);
    QCOMPARE(list->FoundText(), QStringLiteral("3"));

    list->Find()->setEditText(QStringLiteral("иванов"));
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 2);
    QCOMPARE(list->FoundText(), QStringLiteral("2"));
    list->Find()->setEditText(QStringLiteral("Иванова Ма"));
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 1);
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("ivanova")));
}

void TestBaseFind::LongListIsCountedAfterItsFirstScreen()
{
    for (int i = 0; i < 300; ++i)
        m_web->Add(QStringLiteral("many%1").arg(i), Kind::Note, [i](TDBMainInfo& r) { r.Str1 = QString::number(i); });
    TTestFind* list = MakeList(Kind::Note);
    QTRY_COMPARE(list->FoundText(), QStringLiteral("300"));
    QCOMPARE(list->TheGrid()->model()->rowCount(), 300);

    // Rerunning on a row beyond the first ones finds it.
    list->RunQuery(m_web->Id(QStringLiteral("many250")));
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("many250")));
    QCOMPARE(list->FoundText(), QStringLiteral("300"));
}

void TestBaseFind::BurstOfKeysRunsOneQuery()
{
    TTestFind* list = MakeList(Kind::Person);
    list->show();
    const int before = list->QueryCount();
    list->Find()->setFocus();
    TypeText(list->Find(), QStringLiteral("Петр"));
    QCOMPARE(list->Find()->currentText(), QStringLiteral("Петр"));
    QCOMPARE(list->QueryCount(), before);
    QTRY_COMPARE(list->QueryCount(), before + 1);
    QTest::qWait(2 * TBaseFind::QueryDelayMs);
    QCOMPARE(list->QueryCount(), before + 1);
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 1);

    // Changing a filter row restarts the timer the same way.
    list->SetFullFindMode(true);
    QTRY_COMPARE(list->QueryCount(), before + 2);
    list->Options()->SetValues(QStringLiteral("Фамилия"), QStringLiteral("Ив"));
    list->Options()->SetValues(QStringLiteral("Фамилия"), QStringLiteral("Ива"));
    QTRY_COMPARE(list->QueryCount(), before + 3);
    QTest::qWait(2 * TBaseFind::QueryDelayMs);
    QCOMPARE(list->QueryCount(), before + 3);
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 2);
}

void TestBaseFind::StatementWithFiltersOfEveryType()
{
    TTestFind* list = MakeList(Kind::Person);
    list->SetFullFindMode(true);
    TOptionList* options = list->Options();
    options->SetValues(QStringLiteral("Фамилия"), QStringLiteral(" Ив "));
    options->SetValues(QStringLiteral("Связь"), QStringLiteral("0000000300000010"));
    options->SetValues(QStringLiteral("Тип"), QStringLiteral("-1"));
    options->SetValues(QStringLiteral("Признак"), QStringLiteral("0"));
    options->SetValues(QStringLiteral("Заметка"), QStringLiteral("друг"));
    options->SetValues(QStringLiteral("Только женщины"), QStringLiteral("Да"));

    QCOMPARE(list->GetSelectSQL(),
             QStringLiteral("select AllInfo.* from AllInfo where AllInfo.ObjType = 1"
                            " and (AllInfo.Link2 = \"0000000300000010\") and (AllInfo.Str1 like \"Ив%\" )"
                            " and (AllInfo.Comments like \"друг%\" ) and (AllInfo.Int1 = 0)"
                            " and (AllInfo.Flag = True) order by Str1, Str2, Str3, AllInfo.ObjId"));
    QCOMPARE(list->WhereExt(), QStringLiteral("(AllInfo.Flag = True)"));

    // The statement runs: no one has that link; without it the women named Ив... with status 0 remain.
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 0);
    options->SetValues(QStringLiteral("Связь"), QString());
    options->SetValues(QStringLiteral("Заметка"), QString());
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 0);
    options->SetValues(QStringLiteral("Тип"), QStringLiteral("2"));
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 1);
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("ivanova")));

    // The none id is no link filter; a value holding a double quote is searched for as typed.
    options->SetValues(QStringLiteral("Связь"), Ids::None);
    options->SetValues(QStringLiteral("Фамилия"), QStringLiteral("Ив\"ан"));
    QCOMPARE(list->GetWhereSQL(),
             QStringLiteral(" and (AllInfo.Str1 like \"Ив\"\"ан%\" ) and (AllInfo.Int1 = 2) and (AllInfo.Flag = True)"));
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 0);
    QVERIFY(m_messages->Shown().isEmpty());
}

void TestBaseFind::DefaultOrderAndCustomOrder()
{
    TTestFind* list = MakeList(Kind::Person);
    QCOMPARE(list->sqlOrder(), TBaseFind::DefaultOrder);
    // Every order ends with the id, so that rows sharing the other values keep one place.
    QVERIFY(list->GetSelectSQL().endsWith(QStringLiteral(" order by Str1, Str2, Str3, AllInfo.ObjId")));
    list->SetsqlOrder(QStringLiteral("Str2 desc"));
    QCOMPARE(list->GetSelectSQL(),
        QStringLiteral("select AllInfo.* from AllInfo where AllInfo.ObjType = 1 order by Str2 desc, AllInfo.ObjId"));
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->Row(0).Text(QStringLiteral("Str2")), QStringLiteral("Мария"));
    list->SetsqlOrder(QStringLiteral("Str2, AllInfo.ObjId"));
    QVERIFY(list->GetSelectSQL().endsWith(QStringLiteral(" order by Str2, AllInfo.ObjId")));
    list->SetsqlOrder(QStringLiteral(" "));
    QCOMPARE(list->GetSelectSQL(),
        QStringLiteral("select AllInfo.* from AllInfo where AllInfo.ObjType = 1 order by AllInfo.ObjId"));
}

// 500 people of one name behind a thousand others: scrolled from the end to the top and back down, every
// one of them shows exactly once, in the order of their ids, and a relocated namesake is the one asked for.
void TestBaseFind::NamesakesKeepTheirPlacesFromEndToEnd()
{
    QSqlDatabase connection = m_fixture->Db()->Connection();
    QSqlQuery insert(connection);
    QVERIFY(connection.transaction());
    QVERIFY(insert.prepare(
        QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1, Str2, Str3) values (?, 1, ?, ?, ?)")));
    QStringList namesakes;
    for (int i = 0; i < 1500; ++i) {
        // Ids out of step with the insertion order, so the engine's own order of ties is not the ids' order.
        const int number = (i * 7919) % 1500;
        const bool namesake = number % 3 == 0;
        const QString id = MakeId(static_cast<quint32>(5000 + number), 3);
        insert.bindValue(0, id);
        insert.bindValue(
            1, namesake ? QStringLiteral("Тёзкин") : QStringLiteral("Аа%1").arg(number, 4, 10, QLatin1Char('0')));
        insert.bindValue(2, QStringLiteral("Иван"));
        insert.bindValue(3, QStringLiteral("Петрович"));
        QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        if (namesake)
            namesakes << id;
    }
    QVERIFY(connection.commit());
    QCOMPARE(namesakes.size(), 500);
    std::sort(namesakes.begin(), namesakes.end());

    TTestFind* list = MakeList(Kind::Person);
    TListModel* rows = list->TheGrid()->Model();
    const int count = rows->RecordCount();
    QCOMPARE(count, 1503);
    const auto idAt = [rows](int row) { return rows->FieldValue(row, QStringLiteral("ObjId")).toString(); };
    QStringList upwards;
    for (int row = count - 1; row >= 0; --row)
        upwards.prepend(idAt(row));
    QCOMPARE(upwards.mid(count - 500), namesakes);
    QCOMPARE(QSet<QString>(upwards.begin(), upwards.end()).size(), count);

    list->RunQuery(QString());
    QCOMPARE(rows->RecordCount(), count);
    QStringList downwards;
    for (int row = 0; row < count; ++row)
        downwards << idAt(row);
    QCOMPARE(downwards, upwards);

    // Two namesakes next to each other: each is found as itself.
    for (const QString& id : {namesakes[250], namesakes[251], namesakes[499]}) {
        list->RunQuery(id);
        QCOMPARE(list->CurObjId(), id);
        QCOMPARE(idAt(list->TheGrid()->CurrentRecord()), id);
    }
}

void TestBaseFind::ExtendedModeSwitchesPanels()
{
    TTestFind* list = MakeList(Kind::Person);
    list->show();
    auto* brief = list->findChild<QWidget*>(QStringLiteral("BriefFind"));
    auto* full = list->findChild<QWidget*>(QStringLiteral("FullFind"));
    auto* quickButton = list->findChild<QToolButton*>(QStringLiteral("tbBrief"));
    auto* fullButton = list->findChild<QToolButton*>(QStringLiteral("ToolButton3"));
    QVERIFY(brief->isVisible());
    QVERIFY(!full->isVisible());
    QVERIFY(quickButton->isChecked());

    QTest::mouseClick(fullButton, Qt::LeftButton);
    QVERIFY(list->FullFindMode());
    QVERIFY(!brief->isVisible());
    QVERIFY(full->isVisible());
    QVERIFY(fullButton->isChecked());
    QVERIFY(!quickButton->isChecked());

    // Extended mode reads the filter rows, not the quick-find text.
    list->Find()->setEditText(QStringLiteral("Петрова"));
    list->GetWhereSQL();
    QCOMPARE(list->FindOptions()->Str1, QString());
    QCOMPARE(list->Log.count(QStringLiteral("ParseOptionList")), 1);
    QCOMPARE(list->Log.count(QStringLiteral("ParseBriefFind")), 0);

    QTest::mouseClick(quickButton, Qt::LeftButton);
    QVERIFY(!list->FullFindMode());
    list->GetWhereSQL();
    QCOMPARE(list->FindOptions()->Str1, QStringLiteral("Петрова"));
}

void TestBaseFind::RowStateFollowsTheCursor()
{
    TTestFind* list = MakeList(Kind::Person);
    QStringList changes;
    list->DSChange = [&changes](const TListRow& row) { changes << row.Text(QStringLiteral("Str1")); };
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("ivanov")));
    QVERIFY(list->Action(QStringLiteral("aOpen"))->isEnabled());
    QVERIFY(list->Action(QStringLiteral("aDel"))->isEnabled());

    list->TheGrid()->SetCurrentRecord(2);
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("petrova")));
    QCOMPARE(changes.last(), QStringLiteral("Петрова"));
    QCOMPARE(list->CurLinkId(), QString());

    // Rerunning on an id puts the cursor on its row, ignoring letter case.
    list->RunQuery(m_web->Id(QStringLiteral("ivanova")).toLower());
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("ivanova")));
    QCOMPARE(list->TheGrid()->CurrentRecord(), 1);
    list->RunQuery(QStringLiteral("00000003FFFFFFFF"));
    QCOMPARE(list->TheGrid()->CurrentRecord(), 0);

    // A statement without ObjId gives no current object and disables the row actions.
    list->Statement = QStringLiteral("select Str1 from AllInfo where ObjType = 1");
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 3);
    QCOMPARE(list->CurObjId(), QString());
    for (const QString& name : {QStringLiteral("aOpen"), QStringLiteral("aDel"), QStringLiteral("aPrint"), QStringLiteral("aCopy")})
        QVERIFY2(!list->Action(name)->isEnabled(), qPrintable(name));
}

void TestBaseFind::FieldsMatchIgnoringCase()
{
    TTestFind* list = MakeList(Kind::Person);
    list->Statement = QStringLiteral("select objid as OBJID, str1 as sTR1, ObjId as lkobjid from AllInfo where ObjType = 1 order by str1");
    list->UseLinkColumn(QStringLiteral("lkObjId"));
    list->RunQuery(QString());
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("ivanov")));
    QCOMPARE(list->CurLinkId(), m_web->Id(QStringLiteral("ivanov")));
    QCOMPARE(list->TheGrid()->CurrentRow().Text(QStringLiteral("Str1")), QStringLiteral("Иванов"));
}

void TestBaseFind::LinksActionRule_data()
{
    QTest::addColumn<bool>("linkRow");
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("row with a link id") << true << 0 << true;
    QTest::newRow("no link id, tag 0") << false << 0 << false;
    QTest::newRow("no link id, tag 6") << false << 6 << false;
    QTest::newRow("no link id, tag 7") << false << 7 << true;
    QTest::newRow("no link id, tag 8") << false << 8 << false;
    QTest::newRow("no link id, tag 30") << false << 30 << true;
    QTest::newRow("no link id, tag 35") << false << 35 << true;
    QTest::newRow("no link id, tag 36") << false << 36 << false;
}

void TestBaseFind::LinksActionRule()
{
    QFETCH(bool, linkRow);
    QFETCH(int, tag);
    QFETCH(bool, enabled);
    TTestFind* list = MakeList(Kind::Person);
    list->Statement = linkRow ? QStringLiteral("select AllInfo.*, ObjId as LinkId from AllInfo where ObjType = 1")
                              : QStringLiteral("select AllInfo.* from AllInfo where ObjType = 1");
    list->Action(QStringLiteral("aLinks"))->setVisible(true);
    list->Action(QStringLiteral("aLinks"))->setData(tag);
    list->RunQuery(QString());
    QCOMPARE(list->Action(QStringLiteral("aLinks"))->isEnabled(), enabled);
}

void TestBaseFind::OpeningByKind_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("edited");
    QTest::newRow("person opens its card") << QStringLiteral("ivanov") << int(Kind::Person) << false;
    QTest::newRow("organization opens its card") << QStringLiteral("firm") << int(Kind::Organization) << false;
    QTest::newRow("phone is edited in the dialog") << QStringLiteral("phone") << int(Kind::Phone) << true;
    QTest::newRow("account is edited in the dialog") << QStringLiteral("account") << int(Kind::Account) << true;
    QTest::newRow("transfer is edited in the dialog") << QStringLiteral("transfer") << int(Kind::MoneyOperation) << true;
    QTest::newRow("income opens its card") << QStringLiteral("income") << int(Kind::MoneyOperation) << false;
}

void TestBaseFind::OpeningByKind()
{
    QFETCH(QString, object);
    QFETCH(int, kind);
    QFETCH(bool, edited);
    TTestFind* list = MakeList(kind);
    list->RunQuery(m_web->Id(object));
    QCOMPARE(list->CurObjId(), m_web->Id(object));
    list->Log.clear();
    m_broker->Queue(TRequest::Edit, 1);
    list->aOpenExecute();

    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, edited ? TRequest::Edit : TRequest::Open);
    QCOMPARE(m_broker->Calls()[0].Id, m_web->Id(object));
    QCOMPARE(m_broker->Calls()[0].Kind, kind);
    // A saved edit reruns the list on the object.
    QCOMPARE(list->Log.contains(QStringLiteral("RunQuery:") + m_web->Id(object)), edited);
}

void TestBaseFind::OpeningWithoutRowCreates()
{
    TTestFind* list = MakeList(Kind::Family);
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 0);
    QVERIFY(!list->Action(QStringLiteral("aOpen"))->isEnabled());
    list->Action(QStringLiteral("aNew"))->setData(int(Kind::Family));
    list->aOpenExecute();
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Edit);
    QCOMPARE(m_broker->Calls()[0].Kind, int(Kind::Family));

    // A double click on the empty list does the same.
    list->show();
    QTest::mouseDClick(list->TheGrid()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QCOMPARE(m_broker->Calls().size(), 2);
    QCOMPARE(m_broker->Calls()[1].Request, TRequest::Edit);
    QCOMPARE(m_broker->Calls()[1].Kind, int(Kind::Family));
}

void TestBaseFind::OpeningALinkedRowOffersTheMenu()
{
    TTestFind* list = MakeList(Kind::Person);
    list->ThirdObject = m_web->Id(QStringLiteral("firm"));
    list->Statement = QStringLiteral("select AllInfo.*, \"") + m_web->Id(QStringLiteral("phone"))
        + QStringLiteral("\" as LinkId from AllInfo where ObjType = 1 order by Str1");
    list->RunQuery(QString());
    list->show();
    list->aOpen_Execute();
    QVERIFY(list->Log.contains(QStringLiteral("PrepareOpenMenu")));
    QMenu* menu = list->Menu(QStringLiteral("pmOpen"));
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Открыть организацию"));
    QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Открыть связь между объектами"));
    menu->hide();
    QVERIFY(m_broker->Calls().isEmpty());

    // The link row is a phone: edited in the dialog.
    menu->actions()[1]->trigger();
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Edit);
    QCOMPARE(m_broker->Calls()[0].Id, m_web->Id(QStringLiteral("phone")));
    // The third object is an organization: opened as a card.
    menu->actions()[0]->trigger();
    QCOMPARE(m_broker->Calls().size(), 2);
    QCOMPARE(m_broker->Calls()[1].Request, TRequest::Open);
    QCOMPARE(m_broker->Calls()[1].Id, m_web->Id(QStringLiteral("firm")));
}

void TestBaseFind::CreatingOnAFreeStandingList()
{
    TTestFind* list = MakeList(Kind::Person);
    list->Find()->setEditText(QStringLiteral("Сидоров Пётр"));
    list->RunQuery(QString());
    QString newId;
    m_broker->Queue(TRequest::Edit, 1, [&newId](TDBMainInfo& record) {
        QCOMPARE(record.Save(), 0);
        newId = record.Obj;
    });
    list->Action(QStringLiteral("aNew"))->setData(int(Kind::Person));
    list->Action(QStringLiteral("aNew"))->trigger();

    QCOMPARE(m_broker->Calls().size(), 2);
    const TScriptedBroker::TCall& edit = m_broker->Calls()[0];
    QCOMPARE(edit.Request, TRequest::Edit);
    QCOMPARE(edit.Kind, int(Kind::Person));
    // What was typed into the search prefills the new object.
    QCOMPARE(edit.Record.Str1, QStringLiteral("Сидоров"));
    QCOMPARE(edit.Record.Str2, QStringLiteral("Пётр"));
    QCOMPARE(m_broker->Calls()[1].Request, TRequest::Open);
    QCOMPARE(m_broker->Calls()[1].Id, newId);
    QVERIFY(list->Log.contains(QStringLiteral("RunQuery:") + newId));
    QCOMPARE(list->CurObjId(), newId);
}

void TestBaseFind::CreatingInACardSectionPicksAndLinks()
{
    TTestFind* list = MakeList(Kind::Person, m_web->Id(QStringLiteral("firm")));
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 1);
    m_broker->Queue(TRequest::Pick, 1, [this](TDBMainInfo& record) { record.SetObj(m_web->Id(QStringLiteral("petrova"))); });
    QAction* item = list->NewMenu()->addAction(QStringLiteral("Человек"));
    item->setData(int(Kind::Person));
    list->aNewExecute(item);

    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Pick);
    QCOMPARE(m_broker->Calls()[0].Kind, int(Kind::Person));
    QCOMPARE(list->Linked, QStringList{m_web->Id(QStringLiteral("petrova"))});
    QCOMPARE(list->DropObj().Kind, int(Kind::Person));
    QCOMPARE(list->DropObj().Database.data(), m_fixture->Db());
    QVERIFY(list->Log.contains(QStringLiteral("RunQuery:") + m_web->Id(QStringLiteral("petrova"))));

    // A refused link does not rerun; a cancelled pick does not link.
    list->LinkAnswer = false;
    list->Log.clear();
    m_broker->Queue(TRequest::Pick, 1, [this](TDBMainInfo& record) { record.SetObj(m_web->Id(QStringLiteral("ivanov"))); });
    list->aNewExecute(item);
    QCOMPARE(list->Log.filter(QStringLiteral("RunQuery:")).size(), 0);
    list->Log.clear();
    list->aNewExecute(item);
    QCOMPARE(list->Linked.size(), 2);
    QVERIFY(!list->Log.contains(QStringLiteral("LinkObject")));
}

void TestBaseFind::CreatingAPhoneInACardSection()
{
    TTestFind* list = MakeList(Kind::Phone, m_web->Id(QStringLiteral("firm")));
    QAction* item = list->NewMenu()->addAction(QStringLiteral("Телефон"));
    item->setData(int(Kind::Phone));
    m_broker->Queue(TRequest::Edit, 2);
    list->aNewExecute(item);
    QCOMPARE(m_broker->Calls().size(), 1);
    const TScriptedBroker::TCall& edit = m_broker->Calls()[0];
    QCOMPARE(edit.Request, TRequest::Edit);
    QCOMPARE(edit.Kind, int(Kind::Phone));
    QCOMPARE(edit.Record.Link1.Text(), m_web->Id(QStringLiteral("firm")));
    QCOMPARE(edit.Record.Int2, qint64(Kind::Organization));

    // Income and expense groups become groups with their category kind in Int1.
    m_broker->ClearCalls();
    item->setData(26);
    list->aNewExecute(item);
    QCOMPARE(m_broker->Calls()[0].Kind, int(Kind::Group));
    QCOMPARE(m_broker->Calls()[0].Record.Int1, qint64(26));
}

// Only what filters the list prefills a new object: -1 ("equals 0") and other negative numbers, which
// filter nothing, give the new object 0, as does the none id for a link.
void TestBaseFind::FilterMinusOneNeverReachesTheNewObject()
{
    TTestFind* list = MakeList(Kind::Person);
    list->SetFullFindMode(true);
    list->show();
    QVERIFY(QTest::qWaitForWindowActive(list));
    TOptionList* options = list->Options();
    const auto typeInto = [options](const QString& key, const QString& text) {
        const QModelIndex value = options->model()->index(options->FindRow(key), 1);
        options->setCurrentIndex(value);
        options->edit(value);
        QWidget* editor
            = options->indexWidget(value) ? options->indexWidget(value) : options->viewport()->focusWidget();
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line && editor)
            line = editor->findChild<QLineEdit*>();
        QVERIFY(line);
        TypeText(line, text);
    };
    typeInto(QStringLiteral("Тип"), QStringLiteral("-2"));
    typeInto(QStringLiteral("Признак"), QStringLiteral("3"));
    options->SetValues(QStringLiteral("Связь"), Ids::None);
    QCOMPARE(options->Values(QStringLiteral("Тип")), QStringLiteral("-2"));
    list->RunQuery(QString());
    QCOMPARE(list->FindOptions()->Int1, qint64(-2));
    QVERIFY(!list->GetWhereSQL().contains(QStringLiteral("Int1")));
    list->Action(QStringLiteral("aNew"))->setData(int(Kind::Person));
    list->Action(QStringLiteral("aNew"))->trigger();
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Record.Int1, qint64(0));
    QCOMPARE(m_broker->Calls()[0].Record.Int2, qint64(3));
    QVERIFY(m_broker->Calls()[0].Record.Link2.Text() != Ids::None);

    options->SetValues(QStringLiteral("Тип"), QStringLiteral("-1"));
    list->RunQuery(QString());
    list->Action(QStringLiteral("aNew"))->trigger();
    QCOMPARE(m_broker->Calls().size(), 2);
    QCOMPARE(m_broker->Calls()[1].Record.Int1, qint64(0));
}

void TestBaseFind::CancelledEditLeavesTheList()
{
    TTestFind* list = MakeList(Kind::Person);
    list->Action(QStringLiteral("aNew"))->setData(int(Kind::Person));
    list->Action(QStringLiteral("aNew"))->trigger();
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(list->Log.filter(QStringLiteral("RunQuery:")).size(), 0);

    // A tag of 0 creates nothing.
    list->Action(QStringLiteral("aNew"))->setData(0);
    list->Action(QStringLiteral("aNew"))->trigger();
    QCOMPARE(m_broker->Calls().size(), 1);
}

void TestBaseFind::DeletingReruns_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("rerunOn");
    QTest::newRow("first row: the next one") << 0 << 1 << QStringLiteral("ivanova");
    QTest::newRow("last row: the one before") << 2 << 1 << QStringLiteral("ivanova");
    QTest::newRow("not deleted: no rerun") << 1 << 2 << QString();
}

void TestBaseFind::DeletingReruns()
{
    QFETCH(int, row);
    QFETCH(int, answer);
    QFETCH(QString, rerunOn);
    TTestFind* list = MakeList(Kind::Person);
    list->TheGrid()->SetCurrentRecord(row);
    const QString victim = list->CurObjId();
    m_broker->Queue(TRequest::Delete, answer, [answer, this](TDBMainInfo& record) {
        if (answer == 1)
            QVERIFY(m_fixture->Run(QStringLiteral("delete from AllInfo where ObjId = '") + record.Obj.Text() + QStringLiteral("'")));
    });
    list->Action(QStringLiteral("aDel"))->trigger();
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Delete);
    QCOMPARE(m_broker->Calls()[0].Id, victim);
    if (rerunOn.isEmpty()) {
        QCOMPARE(list->Log.filter(QStringLiteral("RunQuery:")).size(), 0);
        QCOMPARE(list->CurObjId(), victim);
    } else {
        QVERIFY(list->Log.contains(QStringLiteral("RunQuery:") + m_web->Id(rerunOn)));
        QCOMPARE(list->CurObjId(), m_web->Id(rerunOn));
        QCOMPARE(list->TheGrid()->Model()->RecordCount(), 2);
    }
}

void TestBaseFind::DeletingALinkedRowOffersTheMenu()
{
    TTestFind* list = MakeList(Kind::Person);
    list->Statement = QStringLiteral("select AllInfo.*, \"") + m_web->Id(QStringLiteral("phone"))
        + QStringLiteral("\" as LinkId from AllInfo where ObjType = 1 order by Str1");
    list->RunQuery(QString());
    list->show();
    QVERIFY(!list->IsDirectDelete());
    list->aDel_Execute();
    QMenu* menu = list->Menu(QStringLiteral("pmDel"));
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Удалить связь между объектами"));
    QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Удалить объект"));
    menu->hide();
    QVERIFY(m_broker->Calls().isEmpty());

    menu->actions()[0]->trigger();
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Id, m_web->Id(QStringLiteral("phone")));
    menu->actions()[1]->trigger();
    QCOMPARE(m_broker->Calls().size(), 2);
    QCOMPARE(m_broker->Calls()[1].Id, m_web->Id(QStringLiteral("ivanov")));
}

void TestBaseFind::KeysOpenAndDelete()
{
    TTestFind* list = MakeList(Kind::Person);
    list->show();
    QTest::keyClick(list->TheGrid(), Qt::Key_Return);
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Open);
    QTest::keyClick(list->TheGrid(), Qt::Key_Delete);
    QCOMPARE(m_broker->Calls().size(), 2);
    QCOMPARE(m_broker->Calls()[1].Request, TRequest::Delete);
    QTest::keyClick(list->Find(), Qt::Key_Return);
    QCOMPARE(m_broker->Calls().size(), 3);
    QCOMPARE(m_broker->Calls()[2].Request, TRequest::Open);

    // Enter on an empty list does nothing.
    list->Find()->setEditText(QStringLiteral("Никто"));
    list->RunQuery(QString());
    QTest::keyClick(list->TheGrid(), Qt::Key_Return);
    QTest::keyClick(list->TheGrid(), Qt::Key_Delete);
    QCOMPARE(m_broker->Calls().size(), 3);
}

void TestBaseFind::DragStartsOnlyFromFreeStandingLists()
{
    TTestFind* list = MakeList(Kind::Person);
    QVERIFY(!list->DragAllowed(Qt::LeftButton, Qt::NoModifier));
    list->SetGridDraged(true);
    QVERIFY(list->DragAllowed(Qt::LeftButton, Qt::NoModifier));
    QVERIFY(!list->DragAllowed(Qt::RightButton, Qt::NoModifier));
    QVERIFY(!list->DragAllowed(Qt::LeftButton | Qt::RightButton, Qt::NoModifier));
    QVERIFY(!list->DragAllowed(Qt::LeftButton, Qt::ShiftModifier));

    TTestFind* section = MakeList(Kind::Person, m_web->Id(QStringLiteral("firm")));
    section->SetGridDraged(true);
    QVERIFY(!section->DragAllowed(Qt::LeftButton, Qt::NoModifier));
}

void TestBaseFind::DropIsAcceptedOnlyByCardSections()
{
    TTestFind source;
    BindFreeList(source, Kind::Person);
    source.RunQuery(QString());
    QCOMPARE(source.CurObjId(), m_web->Id(QStringLiteral("ivanov")));

    TTestFind* freeList = MakeList(Kind::Person);
    QVERIFY(!freeList->GridDragOver(source.TheGrid()));
    QVERIFY(freeList->DropObj().IsEmpty());

    TTestFind* section = MakeList(Kind::Person, m_web->Id(QStringLiteral("firm")));
    QVERIFY(section->GridDragOver(source.TheGrid()->viewport()));
    QCOMPARE(section->DropObj().Id, m_web->Id(QStringLiteral("ivanov")));
    QCOMPARE(section->DropObj().Kind, int(Kind::Person));
    QVERIFY(section->Log.contains(QStringLiteral("CanLinkObject")));

    // Something that is no list's grid, and a refused kind, are refused and clear the remembered object.
    QLabel stranger;
    QVERIFY(!section->GridDragOver(&stranger));
    QVERIFY(section->DropObj().IsEmpty());
    source.RunQuery(QString());
    source.Statement = QStringLiteral("select AllInfo.* from AllInfo where ObjType = 6");
    source.RunQuery(QString());
    QVERIFY(!section->GridDragOver(source.TheGrid()));
    QVERIFY(section->DropObj().IsEmpty());
}

void TestBaseFind::DropLinksAndReruns()
{
    TTestFind source;
    BindFreeList(source, Kind::Person);
    source.RunQuery(m_web->Id(QStringLiteral("petrova")));

    TTestFind* section = MakeList(Kind::Person, m_web->Id(QStringLiteral("firm")));
    QVERIFY(section->GridDragOver(source.TheGrid()));
    source.GridEndDrag(section->TheGrid()->viewport());
    QCOMPARE(section->Linked, QStringList{m_web->Id(QStringLiteral("petrova"))});
    QVERIFY(section->Log.contains(QStringLiteral("RunQuery:") + m_web->Id(QStringLiteral("petrova"))));

    // A drag that ends anywhere else links nothing.
    QLabel stranger;
    source.GridEndDrag(&stranger);
    QCOMPARE(section->Linked.size(), 1);
}

void TestBaseFind::DraggedObjectIsReadOnce()
{
    TTestFind source;
    BindFreeList(source, Kind::Person);
    source.RunQuery(QString());
    TTestFind* section = MakeList(Kind::Person, m_web->Id(QStringLiteral("firm")));
    for (int i = 0; i < 5; ++i)
        QVERIFY(section->GridDragOver(source.TheGrid()));
    QCOMPARE(source.CurObjInfoLoads(), 1);
    QCOMPARE(source.GetCurrentObjInfo()->Str1, QStringLiteral("Иванов"));
    source.TheGrid()->SetCurrentRecord(1);
    QVERIFY(section->GridDragOver(source.TheGrid()));
    QCOMPARE(source.CurObjInfoLoads(), 2);
    QCOMPARE(section->DropObj().Id, m_web->Id(QStringLiteral("ivanova")));
}

void TestBaseFind::FailingStatementLeavesTheListEmpty()
{
    TTestFind* list = MakeList(Kind::Person);
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 3);
    list->Statement = QStringLiteral("select AllInfo.* from AllInfo where NoSuchColumn = 1");
    list->RunQuery(m_web->Id(QStringLiteral("ivanov")));
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 0);
    QCOMPARE(list->FoundText(), QStringLiteral("0"));
    QCOMPARE(list->CurObjId(), QString());
    QVERIFY(!list->Action(QStringLiteral("aOpen"))->isEnabled());
    QVERIFY(!list->Log.contains(QStringLiteral("QueryAfterOpen")));
    // A database file says nothing; a server tells why it refused the statement.
    if (TTempDatabase::OnServer()) {
        QCOMPARE(m_messages->Shown().size(), 1);
        QVERIFY2(m_messages->Shown().first().contains(QStringLiteral("nosuchcolumn"), Qt::CaseInsensitive),
                 qPrintable(m_messages->Shown().first()));
    } else {
        QVERIFY(m_messages->Shown().isEmpty());
    }
}

void TestBaseFind::NewDatabaseNeverShowsOldRows()
{
    TTestFind* list = MakeList(Kind::Person);
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 3);

    // Another database whose statement fails: the rows of the first one are gone at once.
    TTempDatabase other;
    QVERIFY(other.IsOpen());
    QVERIFY(other.Run(QStringLiteral("drop table AllInfo")));
    TDBMainInfo elsewhere;
    elsewhere.SetDatabase(other.Db());
    elsewhere.ObjType = Kind::Person;
    list->SetMasterDBInfo(&elsewhere);
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 0);
    QCOMPARE(list->CurObjId(), QString());
    list->RunQuery(QString());
    QCOMPARE(list->QueryDatabase(), other.Db());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 0);
    QCOMPARE(m_messages->Shown().isEmpty(), !TTempDatabase::OnServer());

    // Back on the first database its rows show again.
    list->SetMasterDBInfo(m_master.get());
    list->RunQuery(QString());
    QCOMPARE(list->TheGrid()->Model()->RecordCount(), 3);
    m_list.reset();
}

void TestBaseFind::ColumnFittingGivesTheRestToTheResizeColumn()
{
    TTestFind* list = MakeList(Kind::Person);
    list->show();
    TMyDBGrid* grid = list->TheGrid();
    grid->SetColumns({{QStringLiteral("Str1"), QStringLiteral("Фамилия"), 100, true, Qt::AlignLeft},
                      {QStringLiteral("Str2"), QStringLiteral("Имя"), 80, true, Qt::AlignLeft},
                      {QStringLiteral("Str3"), QStringLiteral("Отчество"), 70, false, Qt::AlignLeft},
                      {QStringLiteral("Comments"), QStringLiteral("Заметка"), 60, true, Qt::AlignLeft}});
    list->RunQuery(QString());
    const int rest = grid->width() - 4 - 18;
    QVERIFY(rest > 300);
    // No resize column named: the last one takes the rest.
    QCOMPARE(grid->columnWidth(3), rest - 100 - 80);
    QVERIFY(!grid->IsColumnVisible(2));

    grid->SetResizeColNum(1);
    list->FrameResize();
    QCOMPARE(grid->columnWidth(0), rest - 80 - grid->columnWidth(3));
    // Narrowing another column by hand gives the difference to the resize column.
    const int before = grid->columnWidth(0);
    grid->setColumnWidth(1, 50);
    QCOMPARE(grid->columnWidth(0), before + 30);

    // A hidden resize column is none: the last column fits instead.
    grid->SetResizeColNum(3);
    list->FrameResize();
    QCOMPARE(grid->columnWidth(3), rest - grid->columnWidth(0) - 50);
    QCOMPARE(grid->Column(0).Title, QStringLiteral("Фамилия"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Имя"));
}

void TestBaseFind::EveryExtensionPointIsCalled()
{
    TTestFind* list = MakeList(Kind::Person);
    list->RunQuery(QString());
    for (const QString& step : {QStringLiteral("GetSelectSQL"), QStringLiteral("GetWhereSQL"), QStringLiteral("ParseBriefFind"),
                                QStringLiteral("SetFindField"), QStringLiteral("QueryAfterOpen"), QStringLiteral("EnableActions")})
        QVERIFY2(list->Log.contains(step), qPrintable(step));
    QVERIFY(list->Log.indexOf(QStringLiteral("GetSelectSQL")) < list->Log.indexOf(QStringLiteral("QueryAfterOpen")));
    // The display handler attached after the open shows.
    QCOMPARE(list->TheGrid()->Model()->Row(0).DisplayText(QStringLiteral("Str2")), QStringLiteral("Иванов Иван"));

    list->ShowPreview(true);
    QVERIFY(list->VisiblePrevPanel());
    QVERIFY(list->Log.contains(QStringLiteral("VisiblePrevPanelChanged")));
    list->Action(QStringLiteral("aCopy"))->trigger();
    list->Action(QStringLiteral("aPrint"))->trigger();
    QVERIFY(list->Log.contains(QStringLiteral("aCopyExecute")));
    QVERIFY(list->Log.contains(QStringLiteral("aPrintExecute")));

    // Binding a new master reruns the mode set-up and starts the timer for the first query.
    list->Log.clear();
    const int before = list->QueryCount();
    list->SetMasterDBInfo(m_master.get());
    QVERIFY(list->Log.contains(QStringLiteral("InitFindMode")));
    QTRY_COMPARE(list->QueryCount(), before + 1);

    m_broker->Queue(TRequest::Delete, 2);
    list->aDel_Execute();
    QVERIFY(list->Log.contains(QStringLiteral("IsDirectDelete")));
    QVERIFY(list->Log.contains(QStringLiteral("aDelExecute")));
    QVERIFY(list->Log.contains(QStringLiteral("DeleteObject")));
    list->aOpenExecute();
    QVERIFY(list->Log.contains(QStringLiteral("SelectInDialog")));

    // The pick list of a filter row comes from its properties, or from the list's event.
    TOptionList* options = list->Options();
    const int women = options->FindRow(QStringLiteral("Только женщины"));
    QCOMPARE(options->PickListOf(women), (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
    options->OnGetPickList = [](TOptionList&, const QString& key, QStringList& values) {
        values = QStringList{key + QStringLiteral(": все")};
    };
    QCOMPARE(options->PickListOf(women), QStringList{QStringLiteral("Только женщины: все")});
    int buttonRow = -1;
    options->OnEditButtonClick = [&buttonRow](TOptionList&, int row) { buttonRow = row; };
    TItemProp ellipsis;
    ellipsis.EditStyle = TEditStyle::esEllipsis;
    ellipsis.ReadOnly = true;
    options->SetItemProps(QStringLiteral("Связь"), ellipsis);
    options->EditButtonClick(options->FindRow(QStringLiteral("Связь")));
    QCOMPARE(buttonRow, options->FindRow(QStringLiteral("Связь")));
}

void TestBaseFind::OptionListEditors()
{
    TTestFind* list = MakeList(Kind::Person);
    list->SetFullFindMode(true);
    list->show();
    QVERIFY(QTest::qWaitForWindowActive(list));
    TOptionList* options = list->Options();
    QCOMPARE(options->TitleCaptions(), (QStringList{QStringLiteral("Поле поиска"), QStringLiteral("Значение")}));
    QCOMPARE(options->Strings().first(), QStringLiteral("Фамилия="));

    TItemProp masked;
    masked.EditMask = QStringLiteral("00.00.0000; ");
    options->SetItemProps(QStringLiteral("Заметка"), masked);
    TItemProp readOnly;
    readOnly.ReadOnly = true;
    options->SetItemProps(QStringLiteral("Признак"), readOnly);
    TItemProp ellipsis;
    ellipsis.EditStyle = TEditStyle::esEllipsis;
    ellipsis.ReadOnly = true;
    options->SetItemProps(QStringLiteral("Связь"), ellipsis);
    int pressed = -1;
    options->OnEditButtonClick = [&pressed](TOptionList&, int row) { pressed = row; };

    const auto editorOf = [options](const QString& key) {
        const QModelIndex value = options->model()->index(options->FindRow(key), 1);
        options->setCurrentIndex(value);
        options->edit(value);
        return options->indexWidget(value) ? options->indexWidget(value) : options->viewport()->focusWidget();
    };

    // A masked row edits through its mask.
    QWidget* editor = editorOf(QStringLiteral("Заметка"));
    auto* line = editor ? editor->findChild<QLineEdit*>() : nullptr;
    if (!line)
        line = qobject_cast<QLineEdit*>(editor);
    QVERIFY(line);
    QCOMPARE(line->inputMask(), QStringLiteral("00.00.0000"));
    QCOMPARE(line->displayText(), QStringLiteral("  .  .    "));

    // A pick-list row offers its list.
    editor = editorOf(QStringLiteral("Только женщины"));
    auto* combo = qobject_cast<QComboBox*>(editor);
    QVERIFY(combo);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("Да"));

    // A read-only row opens no editor; one with an ellipsis has its button.
    const int readOnlyRow = options->FindRow(QStringLiteral("Признак"));
    QVERIFY(!(options->model()->flags(options->model()->index(readOnlyRow, 1)) & Qt::ItemIsEditable));
    editor = editorOf(QStringLiteral("Связь"));
    QVERIFY(editor);
    auto* button = editor->findChild<QToolButton*>(QStringLiteral("EllipsisButton"));
    QVERIFY(button);
    QVERIFY(editor->findChild<QLineEdit*>()->isReadOnly());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(pressed, options->FindRow(QStringLiteral("Связь")));

    // Values apply as they are typed; Enter in a row's editor opens the current object.
    editor = editorOf(QStringLiteral("Фамилия"));
    line = qobject_cast<QLineEdit*>(editor);
    QVERIFY(line);
    int changes = 0;
    connect(options, &TOptionList::StringsChanged, this, [&changes]() { ++changes; });
    TypeText(line, QStringLiteral("Пет"));
    QCOMPARE(options->Values(QStringLiteral("Фамилия")), QStringLiteral("Пет"));
    QCOMPARE(changes, 3);
    list->RunQuery(QString());
    QCOMPARE(list->CurObjId(), m_web->Id(QStringLiteral("petrova")));
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Open);
    QCOMPARE(m_broker->Calls()[0].Id, m_web->Id(QStringLiteral("petrova")));
}

TTestFind* TestBaseFind::MakePickDialog(TFindModalForm& dialog, int kind)
{
    // A slot takes one registration: a dialog made after another starts from a fresh registry (a dialog
    // keeps the frame it made).
    Screens::Clear();
    Screens::RegisterPickFrame(kind, [](QWidget* parent) -> TBaseDBFrame* { return new TTestFind(parent); });
    dialog.DBMain()->SetDatabase(m_fixture->Db());
    TDBMainInfo request;
    request.SetDatabase(m_fixture->Db());
    request.ObjType = kind;
    dialog.DBMain()->Assign(&request);
    auto* list = dynamic_cast<TTestFind*>(dialog.Frame());
    if (!list)
        return nullptr;
    dialog.show();
    list->RunQuery(QString());
    return list;
}

void TestBaseFind::PickDialogSelectsTheRow()
{
    TFindModalForm dialog;
    TTestFind* list = MakePickDialog(dialog, Kind::Person);
    QVERIFY(list);
    // In the pick dialog the list searches with its filter rows and has no mode bar.
    QVERIFY(list->FullFindMode());
    QVERIFY(!list->findChild<QWidget*>(QStringLiteral("Panel2"))->isVisible());

    // Enter on an empty list does nothing.
    list->Statement = QStringLiteral("select AllInfo.* from AllInfo where ObjType = 1 and Str1 = \"Никто\"");
    list->RunQuery(QString());
    QTest::keyClick(list->TheGrid(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    // Enter on a row closes the dialog with that object; nothing is opened.
    list->Statement.clear();
    list->RunQuery(m_web->Id(QStringLiteral("petrova")));
    QTest::keyClick(list->TheGrid(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.DBMain()->Obj.Text(), m_web->Id(QStringLiteral("petrova")));
    QCOMPARE(dialog.DBMain()->Str1, QStringLiteral("Петрова"));
    QVERIFY(m_broker->Calls().isEmpty());

    // A double click does the same; and so does the dialog's own OK on the current row.
    TFindModalForm second;
    TTestFind* other = MakePickDialog(second, Kind::Person);
    other->TheGrid()->SetCurrentRecord(1);
    other->GridDblClick();
    QCOMPARE(second.result(), int(QDialog::Accepted));
    QCOMPARE(second.DBMain()->Obj.Text(), m_web->Id(QStringLiteral("ivanova")));
    Screens::Clear();
}

void TestBaseFind::PickDialogEndsWithANewObject()
{
    TFindModalForm dialog;
    TTestFind* list = MakePickDialog(dialog, Kind::Person);
    QVERIFY(list);
    QString newId;
    m_broker->Queue(TRequest::Edit, 1, [&newId](TDBMainInfo& record) {
        record.Str1 = QStringLiteral("Новиков");
        QCOMPARE(record.Save(), 0);
        newId = record.Obj;
    });
    list->Action(QStringLiteral("aNew"))->setData(int(Kind::Person));
    list->Action(QStringLiteral("aNew"))->trigger();
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Edit);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.DBMain()->Obj.Text(), newId);
    QCOMPARE(dialog.DBMain()->Str1, QStringLiteral("Новиков"));
    Screens::Clear();
}

namespace {

class TFakeLinksWindow final : public TLinksWindow
{
public:
    void SetOwnerList(QWidget* list, std::function<void()> rerun) override
    {
        Owner = list;
        Rerun = std::move(rerun);
    }
    bool Fill(TMyDataBase*, const QString& masterId, int tag, const QString& linkId, const QString& objId) override
    {
        Fills << QStringList{masterId, QString::number(tag), linkId, objId}.join(QLatin1Char('|'));
        return HasSomething;
    }
    QWidget* Window() override { return &Widget; }

    QWidget Widget;
    QWidget* Owner = nullptr;
    std::function<void()> Rerun;
    QStringList Fills;
    bool HasSomething = true;
};

} // namespace

void TestBaseFind::LinksWindowIsAskedForOnce()
{
    TFakeLinksWindow window;
    m_broker->SetLinksWindow(&window);
    TTestFind* list = MakeList(Kind::Person, m_web->Id(QStringLiteral("firm")));
    list->show();
    list->Action(QStringLiteral("aLinks"))->setVisible(true);
    list->Action(QStringLiteral("aLinks"))->setData(7);
    list->aLinksExecute();
    list->aLinksExecute();
    QCOMPARE(m_broker->LinksWindowRequests(), 1);
    QCOMPARE(window.Owner, list);
    QCOMPARE(window.Fills.size(), 2);
    QCOMPARE(window.Fills[0], m_web->Id(QStringLiteral("firm")) + QStringLiteral("|7||") + list->CurObjId());
    QVERIFY(window.Widget.isVisible());
    QVERIFY(m_broker->Calls().isEmpty());
    window.Rerun();
    QVERIFY(list->Log.contains(QStringLiteral("RunQuery:") + list->CurObjId()));

    // Nothing to show: the link row itself is opened.
    window.HasSomething = false;
    window.Widget.hide();
    list->aLinksExecute();
    QVERIFY(!window.Widget.isVisible());
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls()[0].Request, TRequest::Open);

    // A list that goes away lets go of the window.
    m_list.reset();
    QCOMPARE(window.Owner, nullptr);
}

// Every visible action is on the tool bar, in its overflow menu once the bar is too narrow, and in the
// list's menu, which the menu key and Shift+F10 open under the current row.
void TestBaseFind::EveryVisibleActionIsReachable()
{
    TTestFind* list = MakeList(Kind::Person);
    list->Action(QStringLiteral("aPrint"))->setVisible(true);
    list->show();
    QApplication::setActiveWindow(list);
    QVERIFY(QTest::qWaitForWindowActive(list));
    QList<QAction*> visible;
    for (const char* name : {"aNew", "aOpen", "aDel", "aCopy", "aPrint", "aRefresh", "aLinks"}) {
        QAction* action = list->Action(QLatin1String(name));
        if (action->isVisible())
            visible << action;
    }
    QCOMPARE(visible.size(), 5);
    auto* bar = list->findChild<QToolBar*>(QStringLiteral("tbMain"));
    for (QAction* action : visible)
        QVERIFY2(bar->actions().contains(action), qPrintable(action->objectName()));
    auto* printButton = list->findChild<QToolButton*>(QStringLiteral("tbPrint"));
    QVERIFY(printButton && printButton->isVisible());
    QVERIFY(!list->findChild<QToolButton*>(QStringLiteral("tbCopy"))->isVisible());

    list->resize(120, 400);
    auto* overflow = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY(overflow);
    QTRY_VERIFY(overflow->isVisible());
    QVERIFY(overflow->menu());
    QTRY_VERIFY(!printButton->isVisible());
    QVERIFY(overflow->menu()->actions().contains(list->Action(QStringLiteral("aPrint"))));
    QVERIFY(overflow->menu()->actions().contains(list->Action(QStringLiteral("aRefresh"))));
    list->Action(QStringLiteral("aPrint"))->trigger();
    QVERIFY(list->Log.contains(QStringLiteral("aPrintExecute")));

    QMenu* menu = list->Menu(QStringLiteral("ppMenu"));
    for (QAction* action : visible)
        QVERIFY(menu->actions().contains(action));
    list->TheGrid()->setFocus();
    QTest::keyClick(list->TheGrid(), Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(menu->isVisible());
    menu->hide();
    list->Find()->setFocus();
    QTest::keyClick(list->Find(), Qt::Key_Menu);
    QVERIFY(menu->isVisible());
    menu->hide();
}

// The list used from the keyboard alone: the arrows and page keys move the rows under the quick-find
// edit, Tab goes to the grid, and the grid marks its current row while it has the focus.
void TestBaseFind::ListFromTheKeyboard()
{
    for (int i = 0; i < 12; ++i)
        m_web->Add(QStringLiteral("extra%1").arg(i), Kind::Person,
            [i](TDBMainInfo& r) { r.Str1 = QStringLiteral("Яковлев%1").arg(i, 2, 10, QLatin1Char('0')); });
    TTestFind* list = MakeList(Kind::Person);
    list->resize(600, 300);
    list->show();
    QApplication::setActiveWindow(list);
    QVERIFY(QTest::qWaitForWindowActive(list));
    TMyDBGrid* grid = list->TheGrid();
    list->Find()->setFocus();
    QCOMPARE(grid->CurrentRecord(), 0);
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    QCOMPARE(grid->CurrentRecord(), 2);
    QCOMPARE(list->CurObjId(), grid->Model()->Row(2).Text(QStringLiteral("ObjId")));
    Press(Qt::Key_Up);
    QCOMPARE(grid->CurrentRecord(), 1);
    const int perScreen = grid->viewport()->height() / grid->rowHeight(0);
    QVERIFY(perScreen > 1 && perScreen < 14);
    Press(Qt::Key_PageDown);
    const int down = grid->CurrentRecord();
    QVERIFY(down >= perScreen - 1);
    Press(Qt::Key_PageUp);
    QVERIFY(grid->CurrentRecord() < down - 1);
    Press(Qt::Key_PageUp);
    QCOMPARE(grid->CurrentRecord(), 0);
    QCOMPARE(QApplication::focusWidget(), list->Find());

    const QRect row = grid->visualRect(grid->currentIndex());
    const QPoint edge(row.left() + 40, row.top() + 1);
    const QImage unfocused = grid->viewport()->grab().toImage();
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), grid);
    const QImage focused = grid->viewport()->grab().toImage();
    QCOMPARE(focused.pixelColor(edge), TMyDBGrid::FocusMarkColor());
    QVERIFY(unfocused.pixelColor(edge) != TMyDBGrid::FocusMarkColor());
}

// A save or deletion of the listed kind made anywhere reruns the list on its current row, leaving the
// focus where it is; other kinds and lists that are gone are left alone.
void TestBaseFind::ListFollowsSavesMadeElsewhere()
{
    TTestFind* list = MakeList(Kind::Person);
    QLineEdit elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    elsewhere.setFocus();
    list->TheGrid()->SetCurrentRecord(2);
    const QString current = list->CurObjId();
    TDBMainInfo renamed;
    renamed.SetDatabase(m_fixture->Db());
    QVERIFY(renamed.SetObj(m_web->Id(QStringLiteral("ivanov"))));
    renamed.Str1 = QStringLiteral("Аксёнов");
    QCOMPARE(renamed.Save(), 0);
    const int before = list->QueryCount();

    Screens::ObjectSaved(Kind::Organization);
    QCOMPARE(list->QueryCount(), before);
    Screens::ObjectSaved(Kind::Person);
    QCOMPARE(list->QueryCount(), before + 1);
    QCOMPARE(list->TheGrid()->Model()->Row(0).Text(QStringLiteral("Str1")), QStringLiteral("Аксёнов"));
    QCOMPARE(list->CurObjId(), current);
    QCOMPARE(list->TheGrid()->CurrentRecord(), 2);
    QCOMPARE(QApplication::focusWidget(), &elsewhere);

    m_list.reset();
    Screens::ObjectSaved(Kind::Person);
}

void TestBaseFind::SavedHandlersCanBeRemoved()
{
    QStringList heard;
    const int kept = Screens::RegisterObjectSaved(Kind::Event, [&heard](int) { heard << QStringLiteral("kept"); });
    const int removed
        = Screens::RegisterObjectSaved(Kind::Event, [&heard](int) { heard << QStringLiteral("removed"); });
    auto* owner = new QObject;
    Screens::RegisterObjectSaved(
        Kind::Event, [&heard](int) { heard << QStringLiteral("owned"); }, owner);
    // A handler that destroys the owner of one yet to run: that one does not run.
    auto* victimOwner = new QObject;
    QPointer<QObject> victim = victimOwner;
    Screens::RegisterObjectSaved(Kind::Event, [&heard, victim](int) {
        heard << QStringLiteral("destroyer");
        delete victim.data();
    });
    Screens::RegisterObjectSaved(
        Kind::Event, [&heard](int) { heard << QStringLiteral("victim"); }, victimOwner);
    Screens::UnregisterObjectSaved(removed);
    Screens::ObjectSaved(Kind::Event);
    QCOMPARE(heard, (QStringList {QStringLiteral("kept"), QStringLiteral("owned"), QStringLiteral("destroyer")}));
    heard.clear();
    delete owner;
    Screens::UnregisterObjectSaved(kept);
    Screens::ObjectSaved(Kind::Event);
    QCOMPARE(heard, QStringList {QStringLiteral("destroyer")});
    Screens::Clear();
}

QTEST_MAIN(TestBaseFind)
#include "tst_basefind.moc"
