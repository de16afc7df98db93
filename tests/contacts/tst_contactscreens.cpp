// The contact screens in the real main window: F1 shows the people list on the open database, and the
// edit and pick dialogs of kind 1 get the person editor and the people list.
#include "contacts/ContactScreens.h"
#include "contacts/EditPeople.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "platform/ProgramPaths.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/mainwindow/Main.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/WinListForm.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Records the kinds the save notification names.
class TSavedKinds final : public TObjectEvents
{
public:
    TSavedKinds() : m_previous(SetObjectEvents(this)) {}
    ~TSavedKinds() override { SetObjectEvents(m_previous); }
    TSavedKinds(const TSavedKinds&) = delete;
    TSavedKinds& operator=(const TSavedKinds&) = delete;
    void ObjectSaved(int kind) override { Kinds.append(kind); }
    QList<int> Kinds;

private:
    TObjectEvents* m_previous;
};

} // namespace

class TestContactScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void DialogsOfKindOneGetThePeopleScreens();
    void F1ShowsThePeopleList();
    void NewPersonDialogSavesAndAnnounces();
    void PeopleListOpensCardsAndCreatesPeople();

private:
    QString StorePerson(const QString& surname, const QString& name);
    void StartMain(TMain& main);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestContactScreens::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
}

void TestContactScreens::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestContactScreens::StorePerson(const QString& surname, const QString& name)
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = surname;
    person.Str2 = name;
    return person.Save() == SaveResult::Done ? person.Obj.Text() : QString();
}

void TestContactScreens::StartMain(TMain& main)
{
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

void TestContactScreens::DialogsOfKindOneGetThePeopleScreens()
{
    std::unique_ptr<TBaseDBFrame> editor(Screens::CreateEditFrame(Kind::Person, nullptr));
    QVERIFY(dynamic_cast<TFEditPeople*>(editor.get()));
    std::unique_ptr<TBaseDBFrame> pick(Screens::CreatePickFrame(Kind::Person, nullptr));
    QVERIFY(dynamic_cast<TFindPeople*>(pick.get()));
    std::unique_ptr<TBaseDBFrame> card(Screens::CreateCard(Kind::Person, nullptr));
    QVERIFY(dynamic_cast<TPeopleObjFrame*>(card.get()));
}

void TestContactScreens::F1ShowsThePeopleList()
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = u"Петров"_s;
    QCOMPARE(person.Save(), 0);
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F1);
    auto* lists = main.findChild<QStackedWidget*>(u"SideLists"_s);
    QVERIFY(lists);
    auto* people = qobject_cast<TFindPeople*>(lists->currentWidget());
    QVERIFY(people);
    QCOMPARE(people->objectName(), u"FindPeoples"_s);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(people->ListGrid()->Model()->Row(0).Text(u"Str1"_s), u"Петров"_s);
}

void TestContactScreens::NewPersonDialogSavesAndAnnounces()
{
    TSavedKinds saved;
    TDBMainInfo hint;
    hint.ObjType = Kind::Person;
    hint.Int1 = 2;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&hint);
    auto* editor = dynamic_cast<TFEditPeople*>(dialog.Frame());
    QVERIFY(editor);
    QCOMPARE(dialog.windowTitle(), u"Новый человек"_s);
    QCOMPARE(editor->Sex(), 2);
    editor->eFamily()->setText(u"сидорова"_s);
    editor->eName()->setText(u"Мария"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(saved.Kinds, QList<int>{Kind::Person});
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(dialog.DBMain()->Obj));
    QCOMPARE(stored.Str5, u"Сидорова М."_s);
    QCOMPARE(stored.Flag, true);
}

void TestContactScreens::PeopleListOpensCardsAndCreatesPeople()
{
    StorePerson(u"Петров"_s, u"Иван"_s);
    const QString sidorov = StorePerson(u"Сидоров"_s, u"Пётр"_s);
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(people);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 2);

    // F1, a surname typed into the quick find, Enter: the person's card.
    QLineEdit* find = people->eFindEdit()->lineEdit();
    QCOMPARE(QApplication::focusWidget(), people->eFindEdit());
    TypeText(find, u"сид"_s);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(people->CurObjId(), sidorov);
    QTest::keyClick(find, Qt::Key_Return);
    auto* cards = main.findChild<QStackedWidget*>(u"ObjCards"_s);
    auto* card = qobject_cast<TPeopleObjFrame*>(cards->currentWidget());
    QVERIFY(card);
    QCOMPARE(card->MasterDBInfo()->Obj.Text(), sidorov);
    auto* editor = dynamic_cast<TFEditPeople*>(card->EditFrame());
    QVERIFY(editor);
    QCOMPARE(editor->eFamily()->text(), u"Сидоров"_s);
    QCOMPARE(QApplication::focusWidget(), editor->eFamily());
    const int row = main.WinList()->FindCard(sidorov);
    QVERIFY(row >= 0);
    QCOMPARE(main.WinList()->CellText(row, 3), u"Сидоров Пётр"_s);

    // Renamed on the card and saved with Ctrl+S: the list and the window list show the new name.
    editor->eFamily()->setText(u"Сидоренко"_s);
    QTest::keyClick(editor->eFamily(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(main.WinList()->CellText(row, 3), u"Сидоренко Пётр"_s);
    find->clear();
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 2);
    QCOMPARE(people->ListGrid()->Model()->Row(1).Text(u"Str1"_s), u"Сидоренко"_s);

    // A new person made from the list: the edit dialog saves, the new person's card opens and the list
    // stands on the new row.
    WhenDialogShown<TMainModalForm>([](TMainModalForm& dialog) {
        auto* newEditor = dynamic_cast<TFEditPeople*>(dialog.Frame());
        QVERIFY(newEditor);
        newEditor->eFamily()->setText(u"Козлов"_s);
        newEditor->eName()->setText(u"Олег"_s);
        newEditor->SexButton(0)->click();
        dialog.AOkExecute();
    });
    people->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    const QString kozlov = people->CurObjId();
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(kozlov));
    QCOMPARE(stored.Str5, u"Козлов О."_s);
    QCOMPARE(people->ListGrid()->Model()->RecordCount(), 3);
    const int current = people->ListGrid()->currentIndex().row();
    QCOMPARE(people->ListGrid()->Model()->Row(current).Text(u"ObjId"_s), kozlov);
    card = qobject_cast<TPeopleObjFrame*>(cards->currentWidget());
    QVERIFY(card);
    QCOMPARE(card->MasterDBInfo()->Obj.Text(), kozlov);
    QVERIFY(main.WinList()->FindCard(kozlov) >= 0);
    QCOMPARE(main.WinList()->FindCard(sidorov), row);

    // Deleted from the list with Delete and a yes: the row and the person's card are gone, the other card
    // stays.
    m_messages->QueueAnswer(TAnswer::Yes);
    people->ListGrid()->setFocus();
    QTest::keyClick(people->ListGrid(), Qt::Key_Delete);
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().first().startsWith(u"Вы действительно хотите удалить"_s));
    QVERIFY(!stored.SetObj(kozlov) || IsEmptyId(stored.Obj));
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 2);
    QCOMPARE(main.WinList()->FindCard(kozlov), -1);
    QVERIFY(main.WinList()->FindCard(sidorov) >= 0);
    QCOMPARE(cards->currentWidget(), main.WinList()->CardAt(main.WinList()->FindCard(sidorov)));
}

QTEST_MAIN(TestContactScreens)
#include "tst_contactscreens.moc"
