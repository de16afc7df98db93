// The contact screens in the real main window: F1 shows the people list on the open database, and the
// edit and pick dialogs of kind 1 get the person editor and the people list.
#include "contacts/ContactScreens.h"
#include "contacts/EditPeople.h"
#include "contacts/FindPeople.h"
#include "platform/ProgramPaths.h"
#include "shell/Main.h"
#include "shell/MainModalForm.h"
#include "shell/ScreenRegistry.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QLineEdit>
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

private:
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

void TestContactScreens::DialogsOfKindOneGetThePeopleScreens()
{
    std::unique_ptr<TBaseDBFrame> editor(Screens::CreateEditFrame(Kind::Person, nullptr));
    QVERIFY(dynamic_cast<TFEditPeople*>(editor.get()));
    std::unique_ptr<TBaseDBFrame> pick(Screens::CreatePickFrame(Kind::Person, nullptr));
    QVERIFY(dynamic_cast<TFindPeople*>(pick.get()));
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

QTEST_MAIN(TestContactScreens)
#include "tst_contactscreens.moc"
