// The person editor: refusals and where the focus goes, the stored names and short name, the sex guess
// from the first name, and the death flag as the check box leaves it.
#include "contacts/EditPeople.h"
#include "shell/frames/StoreResults.h"
#include "store/kinds/PersonView.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringListModel>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

void StorePerson(const QString& surname, const QString& name, bool female)
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = surname;
    person.Str2 = name;
    person.Flag = female;
    QCOMPARE(person.Save(), 0);
}

// An editor linked to \a person, as the edit dialog links it.
void Link(TFEditPeople& editor, TDBMainInfo& person)
{
    editor.SetLinkMode(1);
    editor.SetMasterDBInfo(&person);
}

double Serial(int year, int month, int day)
{
    return DateSerial::FromDateTime(QDate(year, month, day), QTime());
}

} // namespace

class TestEditPeople : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ShortName_data();
    void ShortName();
    void RefusesWithMessageAndFocus_data();
    void RefusesWithMessageAndFocus();
    void StoresNormalisedNamesAndKeepsLinks();
    void GuessesSexFromFirstName_data();
    void GuessesSexFromFirstName();
    void GuessFailsQuietlyWithoutDatabase();
    void ChosenSexIsNotOverriddenByGuess();
    void PatronymicsFollowTheSex();
    void DeathFlagFollowsCheckBox_data();
    void DeathFlagFollowsCheckBox();
};

void TestEditPeople::ShortName_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("patronymic");
    QTest::addColumn<QString>("expected");
    QTest::newRow("full name") << u"Петров"_s << u"Иван"_s << u"Сергеевич"_s << u"Петров И. С."_s;
    QTest::newRow("surname and first name") << u"Петров"_s << u"Иван"_s << QString() << u"Петров И."_s;
    QTest::newRow("surname and patronymic") << u"Петров"_s << QString() << u"Сергеевич"_s << u"Петров С."_s;
    QTest::newRow("first name only") << QString() << u"Иван"_s << QString() << u"Иван"_s;
    QTest::newRow("first name and patronymic") << QString() << u"Иван"_s << u"Сергеевич"_s
                                               << u"Иван Сергеевич"_s;
}

void TestEditPeople::ShortName()
{
    QFETCH(QString, surname);
    QFETCH(QString, name);
    QFETCH(QString, patronymic);
    QFETCH(QString, expected);
    QCOMPARE(PersonDisplayName(surname, name, patronymic), expected);
}

void TestEditPeople::RefusesWithMessageAndFocus_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("sexButton");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("nothing typed") << QString() << QString() << 1 << u"Укажите одно из обязательных полей "
                                                                     u"\"Фамилия\", \"Имя\" или \"Отчество\""_s
                                   << u"eFamily"_s;
    QTest::newRow("blanks only") << u"   "_s << u"  "_s << -1 << u"Укажите одно из обязательных полей "
                                                                  u"\"Фамилия\", \"Имя\" или \"Отчество\""_s
                                 << u"eFamily"_s;
    QTest::newRow("name without sex") << u"Иван"_s << QString() << -1 << u"Укажите пол!"_s << u"male"_s;
    QTest::newRow("comment and sex") << QString() << u"сосед"_s << 0 << QString() << QString();
}

void TestEditPeople::RefusesWithMessageAndFocus()
{
    QFETCH(QString, name);
    QFETCH(QString, comment);
    QFETCH(int, sexButton);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TScriptedMessages messages;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TFEditPeople editor;
    Link(editor, person);
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.eName()->setText(name);
    editor.mComments()->setPlainText(comment);
    if (sexButton >= 0)
        editor.SexButton(sexButton)->click();
    editor.eName()->setFocus();

    const TStoreResult saved = person.Save();
    const int result = saved.Code;
    ShowStoreResult(saved);
    if (message.isEmpty()) {
        QCOMPARE(result, 0);
        QCOMPARE(messages.Shown(), QStringList());
        return;
    }
    QCOMPARE(result, int(SaveResult::FrameRefused));
    QCOMPARE(messages.Shown(), QStringList{message});
    QWidget* expected = focus == u"male"_s ? static_cast<QWidget*>(editor.SexButton(0)) : editor.eFamily();
    QCOMPARE(QApplication::focusWidget(), expected);
    QVERIFY(IsNewId(person.Obj));
}

void TestEditPeople::StoresNormalisedNamesAndKeepsLinks()
{
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TScriptedMessages messages;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Int1 = 1; // the dialog's hint: a man
    TFEditPeople editor;
    Link(editor, person);
    QVERIFY(editor.SexButton(0)->isChecked());
    editor.eFamily()->setText(u"  петров"_s);
    editor.eName()->setText(u"иван "_s);
    editor.eParent()->setText(u"сергеевич"_s);
    editor.mComments()->setPlainText(u"  друг детства \n"_s);
    QCOMPARE(person.Save(), 0);

    TDBMainInfo stored;
    QVERIFY(stored.SetObj(person.Obj));
    QCOMPARE(stored.Str1, u"Петров"_s);
    QCOMPARE(stored.Str2, u"Иван"_s);
    QCOMPARE(stored.Str3, u"Сергеевич"_s);
    QCOMPARE(stored.Str5, u"Петров И. С."_s);
    QCOMPARE(stored.Comments, u"друг детства"_s);
    QCOMPARE(stored.Flag, false);
    QCOMPARE(stored.Int1, qint64(0));

    // Links written elsewhere since the editor loaded stay as they are stored.
    const TGID link1 = stored.Link1;
    QCOMPARE(TMyDataBase::ExecuteOn(nullptr,
                 u"update AllInfo set Link1 = "_s + SqlDialect::Quote(Ids::SystemRow) + u" where ObjId = "_s
                     + SqlDialect::Quote(person.Obj)),
        0);
    editor.SexButton(1)->click();
    QCOMPARE(person.Save(), 0);
    QVERIFY(stored.SetObj(person.Obj));
    QCOMPARE(stored.Link1.Text(), Ids::SystemRow);
    QVERIFY(!(stored.Link1 == link1));
    QCOMPARE(stored.Flag, true);
}

void TestEditPeople::GuessesSexFromFirstName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("deathCaption");
    QTest::newRow("men only") << u"Иван"_s << 1 << u"Умер"_s;
    QTest::newRow("women only") << u"Мария"_s << 2 << u"Умерла"_s;
    QTest::newRow("both") << u"Саша"_s << 0 << u"Умер"_s;
    QTest::newRow("none") << u"Эрик"_s << 0 << u"Умер"_s;
    QTest::newRow("typed in lower case") << u"мария"_s << 2 << u"Умерла"_s;
}

void TestEditPeople::GuessesSexFromFirstName()
{
    QFETCH(QString, name);
    QFETCH(int, sex);
    QFETCH(QString, deathCaption);
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    StorePerson(u"Петров"_s, u"Иван"_s, false);
    StorePerson(u"Сидоров"_s, u"Иван"_s, false);
    StorePerson(u"Петрова"_s, u"Мария"_s, true);
    StorePerson(u"Орлов"_s, u"Саша"_s, false);
    StorePerson(u"Орлова"_s, u"Саша"_s, true);
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TFEditPeople editor;
    Link(editor, person);
    editor.eName()->setText(name);
    editor.eNameExit();
    QCOMPARE(editor.Sex(), sex);
    QCOMPARE(person.Int1, qint64(sex));
    QCOMPARE(editor.cbDead()->text(), deathCaption);
    QCOMPARE(editor.SexButton(0)->isChecked(), sex == 1);
    QCOMPARE(editor.SexButton(1)->isChecked(), sex == 2);
}

void TestEditPeople::GuessFailsQuietlyWithoutDatabase()
{
    TScriptedMessages messages;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TFEditPeople editor;
    Link(editor, person);
    editor.eName()->setText(u"Иван"_s);
    editor.eNameExit();
    QCOMPARE(editor.Sex(), 0);
    QCOMPARE(messages.Shown(), QStringList());
}

void TestEditPeople::ChosenSexIsNotOverriddenByGuess()
{
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    StorePerson(u"Петрова"_s, u"Мария"_s, true);
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TFEditPeople editor;
    Link(editor, person);
    editor.SexButton(0)->click();
    editor.eName()->setText(u"Мария"_s);
    editor.eNameExit();
    QCOMPARE(editor.Sex(), 1);
}

void TestEditPeople::PatronymicsFollowTheSex()
{
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    for (const auto& [surname, patronymic, female] : {std::tuple{u"Петров"_s, u"Сергеевич"_s, false},
             std::tuple{u"Петрова"_s, u"Сергеевна"_s, true}, std::tuple{u"Орлов"_s, QString(), false}}) {
        TDBMainInfo p;
        p.ObjType = Kind::Person;
        p.Str1 = surname;
        p.Str3 = patronymic;
        p.Flag = female;
        QCOMPARE(p.Save(), 0);
    }
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TFEditPeople editor;
    Link(editor, person);
    const auto held = [](QLineEdit* edit) {
        return qobject_cast<QStringListModel*>(edit->completer()->model())->stringList();
    };
    // Nothing is read until the user types: a card opens without reading every person's names.
    QCOMPARE(held(editor.eFamily()), QStringList());
    QCOMPARE(held(editor.eParent()), QStringList());
    QCOMPARE(editor.Offered(editor.eFamily()), (QStringList{u"Орлов"_s, u"Петров"_s, u"Петрова"_s}));
    QCOMPARE(editor.Offered(editor.eParent()), (QStringList{u"Сергеевич"_s, u"Сергеевна"_s}));
    editor.SexButton(1)->click();
    QCOMPARE(editor.Offered(editor.eParent()), QStringList{u"Сергеевна"_s});
    QCOMPARE(editor.tbBDTab()->text(), u"Родилась"_s);
    editor.SexButton(0)->click();
    QCOMPARE(editor.Offered(editor.eParent()), QStringList{u"Сергеевич"_s});

    // The first letter typed reads the list and the completer offers from it at once.
    QCOMPARE(held(editor.eName()), QStringList());
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.eFamily()->setFocus();
    TypeText(editor.eFamily(), u"П"_s);
    QCOMPARE(editor.eFamily()->completer()->completionCount(), 2);
}

void TestEditPeople::DeathFlagFollowsCheckBox_data()
{
    QTest::addColumn<bool>("storedDead");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("deathText");
    QTest::addColumn<double>("date2");
    QTest::addColumn<bool>("d2Flag");
    QTest::newRow("checked with a date") << false << true << u"09.05.2001"_s << Serial(2001, 5, 9) << true;
    QTest::newRow("checked without a date") << false << true << TdbTimeEdit::EmptyDateText << 0.0 << true;
    QTest::newRow("checked with an incomplete date") << false << true << u"  .  .2001"_s << 0.0 << true;
    QTest::newRow("unchecked, editor keeps a date") << true << false << u"09.05.2001"_s << 0.0 << false;
    QTest::newRow("never dead") << false << false << TdbTimeEdit::EmptyDateText << 0.0 << false;
}

void TestEditPeople::DeathFlagFollowsCheckBox()
{
    QFETCH(bool, storedDead);
    QFETCH(bool, checked);
    QFETCH(QString, deathText);
    QFETCH(double, date2);
    QFETCH(bool, d2Flag);
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TScriptedMessages messages;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = u"Петров"_s;
    person.D2Flag = storedDead;
    person.Date2 = storedDead ? Serial(1999, 1, 2) : 0;
    QCOMPARE(person.Save(), 0);
    QVERIFY(person.SetObj(person.Obj));

    TFEditPeople editor;
    Link(editor, person);
    QCOMPARE(editor.cbDead()->isChecked(), storedDead);
    QCOMPARE(editor.Sex(), 1);
    if (storedDead != checked)
        editor.cbDead()->click();
    QCOMPARE(editor.DBDead().D2Flag, checked);
    QCOMPARE(!editor.dbdtEdit_EDay()->isHidden(), checked);
    editor.dbdtEdit_EDay()->eDT()->setText(deathText);
    QCOMPARE(person.Save(), 0);

    TDBMainInfo stored;
    QVERIFY(stored.SetObj(person.Obj));
    QCOMPARE(stored.Date2, date2);
    QCOMPARE(stored.D2Flag, d2Flag);
}

QTEST_MAIN(TestEditPeople)
#include "tst_editpeople.moc"
