// The person editor: refusals and where the focus goes, the stored names and short name, the sex guess
// from the first name, and the death flag as the check box leaves it.
#include "contacts/EditPeople.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
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

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
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

// Shows \a widget as an active window, so that keys reach it.
void ShowActive(QWidget& widget)
{
    widget.show();
    QApplication::setActiveWindow(&widget);
    QVERIFY(QTest::qWaitForWindowActive(&widget));
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
    void initTestCase();
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
    void CommentKeepsItsLengthAndText();
    void BirthReminderNeedsDayAndMonth_data();
    void BirthReminderNeedsDayAndMonth();
    void NewPersonDialogFromTheKeyboard();
};

void TestEditPeople::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

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

// The comment holds 200 characters: keys past them are refused and a paste is cut, the text typed before
// and the caret stay as they were, and the stored comment is what the memo shows.
void TestEditPeople::CommentKeepsItsLengthAndText()
{
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TFEditPeople editor;
    Link(editor, person);
    ShowActive(editor);
    QPlainTextEdit* memo = editor.mComments();
    memo->setFocus();
    const QString full = QString(199, u'a') + u'b';
    TypeText(memo, full);
    QCOMPARE(memo->toPlainText(), full);
    TypeText(memo, u"XYZ"_s);
    QCOMPARE(memo->toPlainText(), full);
    QCOMPARE(memo->textCursor().position(), 200);

    // In the middle: refused too, the caret stays put.
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Right);
    QTest::keyClick(memo, Qt::Key_Right);
    TypeText(memo, u"Q"_s);
    QCOMPARE(memo->toPlainText(), full);
    QCOMPARE(memo->textCursor().position(), 2);

    // A selection gives its room back; a paste over it is cut to that room.
    QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
    QApplication::clipboard()->setText(u"1234567890"_s);
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    const QString pasted = u"aa123"_s + QString(194, u'a') + u'b';
    QCOMPARE(memo->toPlainText(), pasted);
    QCOMPARE(memo->textCursor().position(), 5);

    // 250 characters typed into an empty memo keep their first 200.
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    QString long250;
    for (int i = 0; i < 250; ++i)
        long250 += QChar(u'а' + i % 32);
    TypeText(memo, long250);
    QCOMPARE(memo->toPlainText(), long250.left(200));
    TypeText(editor.eFamily(), u"Петров"_s);
    editor.SexButton(0)->click();
    QCOMPARE(person.Save(), 0);
    QCOMPARE(fixture.Scalar(u"select Comments from AllInfo where ObjType = 1"_s).toString(), long250.left(200));
}

void TestEditPeople::BirthReminderNeedsDayAndMonth_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("reminder");
    QTest::addColumn<double>("search");
    QTest::newRow("day, month and year") << u"14031975"_s << 0 << u"14.03.1975"_s << true << Serial(2000, 3, 14);
    QTest::newRow("year only") << u"1980"_s << 4 << u"  .  .1980"_s << false << 0.0;
    QTest::newRow("month and year") << u"051980"_s << 2 << u"  .05.1980"_s << false << 0.0;
    QTest::newRow("day and year") << u"15  1980"_s << 0 << u"15.  .1980"_s << false << 0.0;
}

// The birth date typed into the editor: only a date with its day and month reminds of the birthday.
void TestEditPeople::BirthReminderNeedsDayAndMonth()
{
    QFETCH(QString, keys);
    QFETCH(int, skip);
    QFETCH(QString, shown);
    QFETCH(bool, reminder);
    QFETCH(double, search);
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TFEditPeople editor;
    Link(editor, person);
    ShowActive(editor);
    TypeText(editor.eFamily(), u"Петров"_s);
    editor.SexButton(0)->click();
    auto* date = editor.dbdtEdit_BDay()->findChild<QLineEdit*>(u"eDT"_s);
    QVERIFY(date);
    bool changed = false;
    editor.dbdtEdit_BDay()->OnValidDate = [&changed](TdbTimeEdit&) { changed = true; };
    date->setFocus();
    QTest::keyClick(date, Qt::Key_Home);
    for (int i = 0; i < skip; ++i)
        QTest::keyClick(date, Qt::Key_Right);
    // A blank in the keys steps over a position, as the arrow key does.
    for (const QChar c : keys) {
        if (c == u' ')
            QTest::keyClick(date, Qt::Key_Right);
        else
            TypeText(date, QString(c));
    }
    QCOMPARE(date->displayText(), shown);
    // The editor decides on the reminder once the typing has paused.
    QTRY_VERIFY(changed);
    auto* alarm = editor.dbdtEdit_BDay()->findChild<QToolButton*>(u"tbAlarm"_s);
    QCOMPARE(alarm->isChecked(), reminder);
    QCOMPARE(person.Save(), 0);
    QCOMPARE(fixture.Scalar(u"select D1Fixed from AllInfo where ObjType = 1"_s).toBool(), reminder);
    QCOMPARE(fixture.Scalar(u"select D1Search from AllInfo where ObjType = 1"_s).toDouble(), search);
    QVERIFY(fixture.Scalar(u"select Date1 from AllInfo where ObjType = 1"_s).toDouble() > 0);
}

// "Новый человек" used from the keyboard: Tab follows the screen down to the buttons; Esc in the
// patronymic's completion list closes the list alone; the next Esc asks before the typed names go.
void TestEditPeople::NewPersonDialogFromTheKeyboard()
{
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TScriptedMessages messages;
    TDBMainInfo known;
    known.ObjType = Kind::Person;
    known.Str1 = u"Сидоров"_s;
    known.Str2 = u"Иван"_s;
    known.Str3 = u"Сергеевич"_s;
    QCOMPARE(known.Save(), 0);
    Screens::RegisterEditFrame(Kind::Person, [](QWidget* parent) { return new TFEditPeople(parent); });
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&person);
    auto* editor = dynamic_cast<TFEditPeople*>(dialog.Frame());
    QVERIFY(editor);
    QStringList order;
    bool popupShown = false;
    bool onlyPopupClosed = false;
    messages.QueueAnswer(TAnswer::No);
    WhenShown(dialog, [&]() {
        editor->eFamily()->setFocus();
        for (int i = 0; i < 12; ++i) {
            QWidget* focus = QApplication::focusWidget();
            order << (focus ? focus->objectName() : QString());
            Press(Qt::Key_Tab);
        }
        editor->eFamily()->setFocus();
        TypeText(editor->eFamily(), u"Петров"_s);
        Press(Qt::Key_Tab);
        TypeText(editor->eName(), u"Иван"_s);
        Press(Qt::Key_Tab);
        TypeText(editor->eParent(), u"Серг"_s);
        QAbstractItemView* popup = editor->eParent()->completer()->popup();
        popupShown = popup->isVisible();
        Press(Qt::Key_Escape);
        onlyPopupClosed = !popup->isVisible() && dialog.isVisible() && messages.Shown().isEmpty();
        Press(Qt::Key_Escape);
    });
    QCOMPARE(dialog.ShowModal(), int(QDialog::Rejected));
    Screens::Clear();
    order.removeDuplicates();
    // The sex buttons carry no names; the birth date's own edit is eDT (its reminder button waits for a
    // date, the death date for "Умер").
    QCOMPARE(order.mid(0, 4), (QStringList{u"eFamily"_s, u"eName"_s, u"eParent"_s, QString()}));
    QCOMPARE(order.mid(4, 5), (QStringList{u"tbBDTab"_s, u"eDT"_s, u"tbDeadTab"_s, u"mComments"_s, u"tbSave"_s}));
    QVERIFY(popupShown);
    QVERIFY(onlyPopupClosed);
    QCOMPARE(messages.Shown(), QStringList{TModalForm::ChangedQuestion});
    QCOMPARE(fixture.Scalar(u"select count(*) from AllInfo where ObjType = 1"_s).toInt(), 1);
}

QTEST_MAIN(TestEditPeople)
#include "tst_editpeople.moc"
