// The group and project screens: the group editor's refusals and the subcategory move, the group tables'
// deletions, the category editor, the project card's first save, and projects and categories kept from
// start to end through the real main window.
#include "activities/EditGroup.h"
#include "activities/FindProject.h"
#include "activities/GroupScreens.h"
#include "activities/GroupeTable.h"
#include "activities/GrpSgrpFrame.h"
#include "activities/ProjectObjFrame.h"
#include "contacts/ContactScreens.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/BaseFind.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/mainwindow/WinListForm.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/RoleView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Types \a name (and \a comment) into the group editor of the dialog on show and presses OK.
void FillGroupDialog(const QString& name, const QString& comment = QString())
{
    WhenDialogShown<TMainModalForm>([name, comment](TMainModalForm& dialog) {
        auto* editor = dynamic_cast<TFEditGroup*>(dialog.Frame());
        QVERIFY(editor);
        editor->eName()->setFocus();
        TypeText(editor->eName(), name);
        if (!comment.isEmpty())
            TypeText(editor->mComments(), comment);
        dialog.AOkExecute();
    });
}

// The Str1 of every row of \a grid, "|"-joined.
QString Names(TMyDBGrid* grid)
{
    QStringList names;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        names << grid->Model()->Row(i).Text(u"Str1"_s);
    return names.join(u'|');
}

int RowOf(TMyDBGrid* grid, const QString& id)
{
    return grid->Model()->Locate(u"ObjId"_s, id);
}

} // namespace

class TestGroupScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();
    void editorRefusesBadNames();
    void subcategoryMovesWithItsOperations();
    void objectGroupTableListsAndDeletes();
    void projectCardFirstSaveRebuildsSections();
    void projectsListFindsByPeriodAndDescription();
    void projectsFromStartToEndInTheMainWindow();
    void categoriesFromStartToEndInTheMainWindow();

private:
    void StartMain(TMain& main);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestGroupScreens::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
    RegisterGroupScreens();
}

void TestGroupScreens::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestGroupScreens::StartMain(TMain& main)
{
    // The settings file names the fixture's own database, a file or a server database.
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

void TestGroupScreens::editorRefusesBadNames()
{
    TObjectWeb web;
    QVERIFY(web.Build());
    struct TCase
    {
        int type;
        QString name;
        QString message;
    };
    const QList<TCase> cases{
        {GroupType::PeopleRoles, u"   "_s, u"Укажите название"_s},
        {GroupType::Project, u"Дом \"Ромашка\""_s, u"Название не может содержать символ \""_s},
        {GroupType::PeopleRoles, u"дача"_s, u"Группа или проект с таким названием уже существует в базе данных"_s},
        {GroupType::IncomeSubcategory, u"Аванс"_s, u"Укажите категорию"_s},
    };
    for (const TCase& c : cases) {
        TDBMainInfo group;
        group.ObjType = Kind::Group;
        group.Int1 = c.type;
        TMainModalForm dialog;
        dialog.DBMain()->Assign(&group);
        auto* editor = dynamic_cast<TFEditGroup*>(dialog.Frame());
        QVERIFY(editor);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(editor->gbDT()->isVisible(), c.type == GroupType::Project);
        QCOMPARE(editor->pIn()->isVisible(), c.type == GroupType::IncomeSubcategory);
        if (c.type == GroupType::IncomeSubcategory) {
            // The categories of income and the projects; none chosen for a new subcategory.
            QCOMPARE(editor->cbCategory()->count(), 2);
            QCOMPARE(editor->cbCategory()->currentIndex(), -1);
        }
        editor->eName()->setFocus();
        TypeText(editor->eName(), c.name);
        m_messages->ClearShown();
        dialog.AOkExecute();
        QCOMPARE(m_messages->Shown(), QStringList{c.message});
        QVERIFY(dialog.isVisible());
        QVERIFY(IsNewId(dialog.DBMain()->Obj));
        QCOMPARE(QApplication::focusWidget(),
            c.type == GroupType::IncomeSubcategory ? static_cast<QWidget*>(editor->cbCategory())
                                                   : static_cast<QWidget*>(editor->eName()));
        dialog.reject();
    }
}

void TestGroupScreens::subcategoryMovesWithItsOperations()
{
    TObjectWeb web;
    QVERIFY(web.Build());
    const QString other = web.Add(u"category2"_s, Kind::Group, [](TDBMainInfo& r) {
        r.Str1 = u"Аренда"_s;
        r.Int1 = GroupType::IncomeCategory;
    });
    TDBMainInfo subcategory;
    QVERIFY(subcategory.SetObj(web.Id(u"subcategory"_s)));
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&subcategory);
    auto* editor = dynamic_cast<TFEditGroup*>(dialog.Frame());
    QVERIFY(editor);
    QCOMPARE(dialog.windowTitle(), u"Определение подгруппы доходов"_s);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    // Аренда, Дача, Зарплата: the current category is the third; two keys up choose Аренда.
    QCOMPARE(editor->cbCategory()->currentText(), u"Зарплата"_s);
    editor->cbCategory()->setFocus();
    QTest::keyClick(editor->cbCategory(), Qt::Key_Up);
    QTest::keyClick(editor->cbCategory(), Qt::Key_Up);
    QCOMPARE(editor->cbCategory()->currentText(), u"Аренда"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(subcategory.Obj));
    QCOMPARE(QString(GroupView(stored).Owner()), other);
    for (const QString& key : {u"income"_s, u"projectExpense"_s}) {
        QVERIFY(stored.SetObj(web.Id(key)));
        QCOMPARE(QString(MoneyOperationView(stored).Category()), other);
        QCOMPARE(QString(MoneyOperationView(stored).Fourth()), subcategory.Obj.Text());
    }
}

void TestGroupScreens::objectGroupTableListsAndDeletes()
{
    TObjectWeb web;
    QVERIFY(web.Build());
    const QString openGroup = web.Add(u"openGroup"_s, Kind::Group, [](TDBMainInfo& r) {
        r.Str1 = u"Клиенты"_s;
        r.Int1 = GroupType::OrganizationRoles;
    });
    TDBMainInfo role;
    QVERIFY(role.SetObj(web.Id(u"firmRole"_s)));
    RoleView(role).SetGroup(openGroup);
    QCOMPARE(role.Save(), 0);

    TDBMainInfo request;
    request.ObjType = 125;
    request.Link1 = web.Id(u"firm"_s);
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&request);
    auto* table = dynamic_cast<TFGroupeTable*>(dialog.Frame());
    QVERIFY(table);
    QCOMPARE(dialog.windowTitle(), u"Настройка групп"_s);
    QCOMPARE(table->GrpType(), TGroupTableType::gtObjGrp);
    QCOMPARE(table->DBObjInfo().Obj.Text(), web.Id(u"firm"_s));
    TMyDBGrid* grid = table->ListGrid();
    QTRY_COMPARE(Names(grid), u"Дача|Клиенты|Поставщики"_s);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    // A project is not deleted from here.
    grid->setFocus();
    grid->SetCurrentRecord(RowOf(grid, web.Id(u"project"_s)));
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(m_messages->Shown(),
        QStringList{u"С данного окна проект удалить нельзя.\nПроект можно удалить толко с окна поиска \"Проекты\""_s});
    // A "No" keeps the group; a "Yes" deletes it and clears the roles filed under it.
    grid->SetCurrentRecord(RowOf(grid, openGroup));
    m_messages->ClearShown();
    m_messages->QueueAnswer(TAnswer::No);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().first().startsWith(u"Вы действительно хотите удалить:\n- группу"_s));
    QCOMPARE(Names(grid), u"Дача|Клиенты|Поставщики"_s);
    grid->SetCurrentRecord(RowOf(grid, openGroup));
    m_messages->QueueAnswer(TAnswer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete);
    QTRY_COMPARE(Names(grid), u"Дача|Поставщики"_s);
    QVERIFY(role.SetObj(role.Obj));
    QCOMPARE(QString(RoleView(role).Group()), Ids::None);
    dialog.reject();
}

void TestGroupScreens::projectCardFirstSaveRebuildsSections()
{
    // Stand-ins for the sections of later subsystems: a participants list and an events list.
    Screens::RegisterSection(Kind::Group, ProjectSection::Participants, [](QWidget* parent) {
        auto* frame = new TBaseDBFrame(parent);
        frame->setObjectName(u"Participants"_s);
        return frame;
    });
    Screens::RegisterSection(Kind::Group, ProjectSection::Events, [](QWidget* parent) { return new TBaseFind(parent); });
    TDBMainInfo project;
    project.ObjType = Kind::Group;
    project.Int1 = GroupType::Project;
    TProjectObjFrame card;
    card.SetMasterDBInfo(&project);
    card.resize(900, 600);
    card.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card));
    auto* editor = dynamic_cast<TFEditGroup*>(card.EditFrame());
    QVERIFY(editor);
    QCOMPARE(card.FocusControl(), editor->eName());
    QVERIFY(editor->gbDT()->isVisible());
    QCOMPARE(card.SectionCodes(), (QList<int>{ProjectSection::Participants, ProjectSection::Events, ProjectSection::Notes}));
    QVERIFY(card.SectionFrame());
    // Unsaved: the section has the card's own record.
    QVERIFY(IsNewId(card.SectionFrame()->MasterDBInfo()->Obj));
    QCOMPARE(card.SectionFrame()->MasterDBInfo()->Int1, qint64(GroupType::Project));
    editor->eName()->setFocus();
    TypeText(editor->eName(), u"Дача"_s);
    card.aSaveExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    const QString id = card.MasterDBInfo()->Obj;
    QVERIFY(!IsNewId(id));
    QVERIFY(card.SectionFrame());
    QCOMPARE(card.SectionFrame()->MasterId(), id);
    QCOMPARE(card.SectionFrame()->MasterDBInfo()->Str1, u"Дача"_s);
    // The events of a project are not deleted from its card.
    QVERIFY(card.ShowSection(ProjectSection::Events));
    auto* del = card.SectionFrame()->findChild<QAction*>(u"aDel"_s);
    QVERIFY(del);
    QVERIFY(!del->isVisible());
    card.tbBuchClick(TBaseObjFrame::BuchGroup);
    QCOMPARE(card.SectionCodes(), (QList<int>{ProjectSection::FinanceLinks, ProjectSection::Finance}));
}

void TestGroupScreens::projectsListFindsByPeriodAndDescription()
{
    const auto project = [](const QString& name, const QDate& from, const QString& description) {
        TDBMainInfo row;
        row.ObjType = Kind::Group;
        const TGroupView group(row);
        group.SetGroupKind(GroupType::Project);
        group.SetName(name);
        group.SetFrom(DateSerial::FromDate(from));
        group.SetComments(description);
        QCOMPARE(row.Save(), 0);
    };
    project(u"Дача"_s, QDate(2024, 5, 1), u"летний дом"_s);
    project(u"Ремонт"_s, QDate(2024, 9, 1), u"кухня и ванная"_s);
    project(u"Свадьба"_s, QDate(2025, 6, 1), QString());
    TFindProject list;
    list.resize(500, 600);
    list.show();
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.SetFullFindMode(true);
    TOptionList* options = list.Options();
    const auto edit = [&](const QString& key) -> QLineEdit* {
        options->setCurrentCell(options->FindRow(key), 1);
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    };
    list.RunQuery(QString());
    QCOMPARE(Names(list.ListGrid()), u"Дача|Ремонт|Свадьба"_s);
    // From the first date on, before the second.
    QLineEdit* period = edit(u"Период"_s);
    QVERIFY(period);
    TypeText(period, u"0105202401092024"_s);
    QCOMPARE(options->Values(u"Период"_s), u"с: 01.05.2024 по: 01.09.2024"_s);
    list.RunQuery(QString());
    QCOMPARE(Names(list.ListGrid()), u"Дача"_s);
    QTest::keyClick(period, Qt::Key_End);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(period, Qt::Key_Backspace);
    list.RunQuery(QString());
    QCOMPARE(Names(list.ListGrid()), u"Дача|Ремонт|Свадьба"_s);
    // The description by its beginning, in any letter case.
    QLineEdit* description = edit(u"Описание"_s);
    QVERIFY(description && description != period);
    TypeText(description, u"КУХ"_s);
    list.RunQuery(QString());
    QCOMPARE(Names(list.ListGrid()), u"Ремонт"_s);
}

void TestGroupScreens::projectsFromStartToEndInTheMainWindow()
{
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F7);
    auto* projects = qobject_cast<TFindProject*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(projects);
    QCOMPARE(projects->objectName(), u"FindProjects"_s);
    TMyDBGrid* grid = projects->ListGrid();
    QTRY_VERIFY(grid->Model()->IsOpen());
    QCOMPARE(grid->Model()->RecordCount(), 0);

    // Two projects made from the list, the second with a description.
    FillGroupDialog(u"Ремонт"_s);
    projects->findChild<QAction*>(u"aNew"_s)->trigger();
    FillGroupDialog(u"Дача"_s, u"летний дом"_s);
    projects->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(Names(grid), u"Дача|Ремонт"_s);
    QCOMPARE(grid->Model()->Row(0).DisplayText(u"Str1"_s), u"Дача\r\n[летний дом]"_s);
    // A third with a taken name is refused and cancelled.
    WhenDialogShown<TMainModalForm>([this](TMainModalForm& dialog) {
        auto* editor = dynamic_cast<TFEditGroup*>(dialog.Frame());
        QVERIFY(editor);
        editor->eName()->setFocus();
        TypeText(editor->eName(), u"ДАЧА"_s);
        dialog.AOkExecute();
        QCOMPARE(m_messages->Shown(), QStringList{u"Группа или проект с таким названием уже существует в базе данных"_s});
        dialog.reject();
    });
    projects->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(grid->Model()->RecordCount(), 2);

    // Enter on a row opens the project's card, its name in the editor.
    grid->setFocus();
    grid->SetCurrentRecord(0);
    const QString dacha = projects->CurObjId();
    QTest::keyClick(grid, Qt::Key_Return);
    auto* card = qobject_cast<TProjectObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    QCOMPARE(card->MasterDBInfo()->Obj.Text(), dacha);
    auto* editor = dynamic_cast<TFEditGroup*>(card->EditFrame());
    QCOMPARE(editor->eName()->text(), u"Дача"_s);
    QVERIFY(main.WinList()->FindCard(dacha) >= 0);

    // Deleted from the list with a yes: the row and the card go.
    m_messages->ClearShown();
    m_messages->QueueAnswer(TAnswer::Yes);
    grid->setFocus();
    grid->SetCurrentRecord(RowOf(grid, dacha));
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(m_messages->Shown(), QStringList{u"Вы действительно хотите удалить все данные о проекте?"_s});
    QTRY_COMPARE(Names(grid), u"Ремонт"_s);
    QCOMPARE(main.WinList()->FindCard(dacha), -1);
}

void TestGroupScreens::categoriesFromStartToEndInTheMainWindow()
{
    TMain main;
    StartMain(main);
    TDBMainInfo request;
    request.ObjType = 123;
    request.Int1 = 1;
    int answer = 0;
    WhenDialogShown<TMainModalForm>([this, &answer](TMainModalForm& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Настройка статей доходов"_s);
        auto* frame = dynamic_cast<TFGrp_SgrpFrame*>(dialog.Frame());
        QVERIFY(frame);
        TFGroupeTable* categories = frame->GrpTable();
        TFGroupeTable* subcategories = frame->SGrpTable();
        QCOMPARE(categories->GrpType(), TGroupTableType::gtIncome);
        QCOMPARE(subcategories->GrpType(), TGroupTableType::sgtIncome);
        // A category, then a subcategory of it.
        FillGroupDialog(u"Зарплата"_s);
        categories->miNewGroup()->trigger();
        QTRY_COMPARE(Names(categories->ListGrid()), u"Зарплата"_s);
        QTRY_VERIFY(subcategories->MasterDBInfo()->Str1 == u"Зарплата"_s);
        FillGroupDialog(u"Премия"_s);
        subcategories->findChild<QAction*>(u"aNew"_s)->trigger();
        QTRY_COMPARE(Names(subcategories->ListGrid()), u"Премия"_s);
        TDBMainInfo stored;
        QVERIFY(stored.SetObj(subcategories->ListGrid()->Model()->Row(0).Text(u"ObjId"_s)));
        QCOMPARE(stored.Int1, qint64(GroupType::IncomeSubcategory));
        QCOMPARE(stored.Link1.Text(), categories->CurObjId());
        // The category deleted with a yes takes its subcategory with it.
        m_messages->QueueAnswer(TAnswer::Yes);
        categories->ListGrid()->setFocus();
        QTest::keyClick(categories->ListGrid(), Qt::Key_Delete);
        QTRY_COMPARE(Names(categories->ListGrid()), QString());
        QTRY_COMPARE(Names(subcategories->ListGrid()), QString());
        QVERIFY(!stored.SetObj(stored.Obj) || stored.Str1.isEmpty());
        answer = 1;
        dialog.AOkExecute();
    });
    QCOMPARE(main.Request(TMainMessage::WM_EDITOBJECT, request), 1);
    QCOMPARE(answer, 1);
}

QTEST_MAIN(TestGroupScreens)
#include "tst_groupscreens.moc"
