// The date editor: reading partly typed dates by position, the required check, storing into the record,
// the reminder button, the time list and the calendar pop-up.
#include "shell/widgets/TimeEdit.h"
#include "shell/widgets/ValutaList.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

namespace {

double Serial(int year, int month, int day, int hour = 0, int minute = 0)
{
    return DateSerial::FromDateTime(QDate(year, month, day), QTime(hour, minute));
}

// An event starting on 1 June 2024 at 08:05.
void StartOfEvent(TDBMainInfo& event)
{
    event.ObjType = Kind::Event;
    event.Date1 = Serial(2024, 6, 1, 8, 5);
    event.D1Flag = true;
}

} // namespace

class TestTimeEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ParsesTextsByPosition_data();
    void ParsesTextsByPosition();
    void TimeListHoldsTheFixedTimes();
    void PopupHeightRule_data();
    void PopupHeightRule();
    void RequiredEditorRefusesAnEmptyDate();
    void PartialDateIsStoredIncomplete();
    void TypedDigitsKeepTheirPositions();
    void SavesWithTheHostRecord();
    void LoadsStoredDateAndReminder();
    void NewBirthDatePushesTheReminder();
    void StoredDateWithoutReminderLoadsWithTheButtonUp();
    void TimeModeOffersTheTimeList();
    void ImpossibleTimeIsNotStored();
    void CalendarPlacement_data();
    void CalendarPlacement();
    void CalendarShowsTypedDateOrToday();
};

void TestTimeEdit::ParsesTextsByPosition_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("timeMode");
    QTest::addColumn<bool>("alarmDown");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("alarm");
    QTest::addColumn<bool>("timeValid");

    const QString noTime = QStringLiteral("  :  ");
    QTest::newRow("full date") << QStringLiteral("14.03.1975") << noTime << false << false << Serial(1975, 3, 14)
                               << true << false << true;
    QTest::newRow("full date with reminder") << QStringLiteral("14.03.1975") << noTime << false << true
                                             << Serial(1975, 3, 14) << true << true << true;
    QTest::newRow("only the year") << QStringLiteral("  .  .1975") << noTime << false << false << Serial(1975, 1, 1)
                                   << false << false << true;
    QTest::newRow("day and year, no month") << QStringLiteral("15.  .1975") << noTime << false << false
                                            << Serial(1975, 1, 15) << false << false << true;
    QTest::newRow("empty mask") << QStringLiteral("  .  .    ") << noTime << false << true << 0.0 << false << false
                                << true;
    QTest::newRow("day and month without year") << QStringLiteral("15.03.    ") << noTime << false << false << 0.0
                                                << false << false << true;
    QTest::newRow("no such day") << QStringLiteral("31.02.2000") << noTime << false << true << 0.0 << false << false
                                 << true;
    QTest::newRow("one-digit day") << QStringLiteral("5 .03.1975") << noTime << false << false << Serial(1975, 3, 5)
                                   << true << false << true;
    QTest::newRow("time of day") << QStringLiteral("14.03.1975") << QStringLiteral("09:05") << true << false
                                 << Serial(1975, 3, 14, 9, 5) << true << false << true;
    QTest::newRow("time mode never reminds") << QStringLiteral("14.03.1975") << QStringLiteral("23:59") << true << true
                                             << Serial(1975, 3, 14, 23, 59) << true << false << true;
    QTest::newRow("hours only") << QStringLiteral("14.03.1975") << QStringLiteral("7 :  ") << true << false
                                << Serial(1975, 3, 14, 7, 0) << true << false << true;
    QTest::newRow("impossible time") << QStringLiteral("14.03.1975") << QStringLiteral("25:70") << true << false
                                     << Serial(1975, 3, 14) << true << false << false;
    QTest::newRow("minutes out of range") << QStringLiteral("14.03.1975") << QStringLiteral("12:60") << true << false
                                          << Serial(1975, 3, 14) << true << false << false;
}

void TestTimeEdit::ParsesTextsByPosition()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(bool, timeMode);
    QFETCH(bool, alarmDown);
    QFETCH(double, value);
    QFETCH(bool, complete);
    QFETCH(bool, alarm);
    QFETCH(bool, timeValid);

    const TDateEditState state = ParseDateEdits(date, time, timeMode, alarmDown);
    QCOMPARE(state.Value, value);
    QCOMPARE(state.Complete, complete);
    QCOMPARE(state.Alarm, alarm);
    QCOMPARE(state.TimeValid, timeValid);
}

void TestTimeEdit::TimeListHoldsTheFixedTimes()
{
    const QStringList times = TimeListEntries();
    QCOMPARE(times.size(), 168);
    QCOMPARE(times.first(), QStringLiteral("00:00"));
    QCOMPARE(times.last(), QStringLiteral("23:30"));
    QCOMPARE(times.indexOf(QStringLiteral("07:30")) + 1, times.indexOf(QStringLiteral("08:00")));
    QCOMPARE(times.indexOf(QStringLiteral("08:00")) + 1, times.indexOf(QStringLiteral("08:05")));
    QCOMPARE(times.indexOf(QStringLiteral("19:55")) + 1, times.indexOf(QStringLiteral("20:00")));
    QCOMPARE(times.indexOf(QStringLiteral("07:45")), -1);
    QCOMPARE(times.indexOf(QStringLiteral("20:05")), -1);

    TdbTimeEdit editor;
    QCOMPARE(editor.TimeList()->lbValuta()->count(), 168);
}

void TestTimeEdit::PopupHeightRule_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("alwaysTall");
    QTest::addColumn<int>("height");
    QTest::newRow("three lines") << 3 << false << 3 * (16 + 4) + 2;
    QTest::newRow("four lines") << 4 << false << 3 * 16 + 14;
    QTest::newRow("one line") << 1 << false << 16 + 4 + 2;
    QTest::newRow("period list with one line") << 1 << true << 3 * 16 + 14;
}

void TestTimeEdit::PopupHeightRule()
{
    QFETCH(int, lines);
    QFETCH(bool, alwaysTall);
    QFETCH(int, height);
    QCOMPARE(TpuValutaList::PopupHeight(lines, 16, alwaysTall), height);
}

void TestTimeEdit::RequiredEditorRefusesAnEmptyDate()
{
    TScriptedMessages messages;
    TDBMainInfo record;
    record.ObjType = Kind::MoneyOperation;
    TdbTimeEdit editor;
    editor.SetRequred(true);
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.SetMasterDBInfo(&record);
    QCOMPARE(editor.eDT()->displayText(), TdbTimeEdit::EmptyDateText);

    QVERIFY(!record.ApplyFrames(true));
    QCOMPARE(messages.Shown(), QStringList{QStringLiteral("Укажите дату")});
    QCOMPARE(editor.ErrorText(), QStringLiteral("Укажите дату"));
    QCOMPARE(QApplication::focusWidget(), editor.eDT());

    editor.SetRequred(false);
    QVERIFY(record.ApplyFrames(true));
    QCOMPARE(record.Date1, 0.0);
}

void TestTimeEdit::PartialDateIsStoredIncomplete()
{
    TScriptedMessages messages;
    TDBMainInfo record;
    record.Date2 = Serial(2000, 5, 5);
    record.D2Flag = true;
    TdbTimeEdit editor;
    editor.SetdbField(Tdb_dtFields::db_Date2);
    editor.SetRequred(true);
    editor.SetMasterDBInfo(&record);
    editor.eDT()->setText(QStringLiteral("  .  .1975"));

    QVERIFY(!editor.IsComplete());
    QVERIFY(record.ApplyFrames(true));
    QVERIFY(messages.Shown().isEmpty());
    QCOMPARE(record.Date2, Serial(1975, 1, 1));
    QCOMPARE(record.D2Flag, false);
    QCOMPARE(record.Date1, 0.0);
}

void TestTimeEdit::TypedDigitsKeepTheirPositions()
{
    TdbTimeEdit editor;
    editor.show();
    QLineEdit* edit = editor.eDT();
    edit->setFocus();
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("15"));
    edit->setCursorPosition(6);
    QTest::keyClicks(edit, QStringLiteral("1975"));
    QCOMPARE(edit->displayText(), QStringLiteral("15.  .1975"));

    const TDateEditState& state = editor.Parse();
    QCOMPARE(state.Value, Serial(1975, 1, 15));
    QCOMPARE(state.Complete, false);
}

void TestTimeEdit::SavesWithTheHostRecord()
{
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TScriptedMessages messages;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = QStringLiteral("Иванов");
    TdbTimeEdit birth;
    birth.SetMasterDBInfo(&person);
    birth.eDT()->setText(QStringLiteral("14.03.1975"));

    QCOMPARE(person.Save(), 0);
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(person.Obj));
    QCOMPARE(stored.Date1, Serial(1975, 3, 14));
    QCOMPARE(stored.D1Flag, true);
    QCOMPARE(stored.D1Fixed, false);
}

void TestTimeEdit::LoadsStoredDateAndReminder()
{
    TDBMainInfo record;
    record.Date1 = Serial(1975, 3, 14, 9, 5);
    record.D1Flag = false;
    TdbTimeEdit editor;
    editor.SetTimeMode(true);
    editor.SetMasterDBInfo(&record);

    // The date is always shown in full, also when it was stored incomplete.
    QCOMPARE(editor.eDT()->displayText(), QStringLiteral("14.03.1975"));
    QCOMPARE(editor.t1edit()->displayText(), QStringLiteral("09:05"));
    QVERIFY(editor.tbAlarm()->isEnabled());

    TDBMainInfo empty;
    editor.SetMasterDBInfo(&empty);
    QCOMPARE(editor.eDT()->displayText(), TdbTimeEdit::EmptyDateText);
    QCOMPARE(editor.t1edit()->displayText(), TdbTimeEdit::EmptyTimeText);
    QVERIFY(!editor.tbAlarm()->isEnabled());
}

void TestTimeEdit::NewBirthDatePushesTheReminder()
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    TdbTimeEdit birth;
    birth.SetToolBarVisible(true);
    birth.SetAlarm(true);
    int validDates = 0;
    birth.OnValidDate = [&validDates](TdbTimeEdit&) { ++validDates; };
    birth.show();
    birth.SetMasterDBInfo(&person);
    QTRY_COMPARE(validDates, 1);
    QVERIFY(!birth.tbAlarm()->isEnabled());
    QVERIFY(!birth.tbAlarm()->isChecked());

    QLineEdit* edit = birth.eDT();
    edit->setFocus();
    edit->setCursorPosition(0);
    validDates = 0;
    QTest::keyClicks(edit, QStringLiteral("14031975"));
    // One run after the last keystroke, not one per keystroke.
    QTRY_VERIFY(birth.tbAlarm()->isChecked());
    QCOMPARE(validDates, 1);
    QVERIFY(birth.tbAlarm()->isEnabled());

    QVERIFY(person.ApplyFrames(false));
    QCOMPARE(person.D1Fixed, true);
    QCOMPARE(person.D1Flag, true);
}

void TestTimeEdit::StoredDateWithoutReminderLoadsWithTheButtonUp()
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Date1 = Serial(1975, 3, 14);
    person.D1Flag = true;
    person.D1Fixed = false;
    TdbTimeEdit birth;
    birth.SetToolBarVisible(true);
    birth.SetAlarm(true);
    int validDates = 0;
    birth.OnValidDate = [&validDates](TdbTimeEdit&) { ++validDates; };
    birth.SetMasterDBInfo(&person);
    QTRY_COMPARE(validDates, 1);

    QVERIFY(birth.tbAlarm()->isEnabled());
    QVERIFY(!birth.tbAlarm()->isChecked());
    QCOMPARE(birth.Alarm(), false);
}

void TestTimeEdit::TimeModeOffersTheTimeList()
{
    TDBMainInfo event;
    StartOfEvent(event);
    TdbTimeEdit start;
    start.SetTimeMode(true);
    start.show();
    start.SetMasterDBInfo(&event);
    QVERIFY(start.pTime()->isVisible());
    QVERIFY(!start.tbAlarm()->isCheckable());

    QTest::mouseClick(start.tbAlarm(), Qt::LeftButton);
    TpuValutaList* list = start.TimeList();
    QVERIFY(list->isVisible());
    QCOMPARE(list->SelectedText(), QStringLiteral("08:05"));

    list->SelectText(QStringLiteral("10:30"));
    QTest::keyClick(list->lbValuta(), Qt::Key_Return);
    QVERIFY(!list->isVisible());
    QCOMPARE(start.t1edit()->displayText(), QStringLiteral("10:30"));
    QVERIFY(event.ApplyFrames(false));
    QCOMPARE(event.Date1, Serial(2024, 6, 1, 10, 30));
    QCOMPARE(event.D1Fixed, false);

    // A time typed that is not in the list selects nothing.
    start.t1edit()->setText(QStringLiteral("10:31"));
    start.ShowTimeList();
    QCOMPARE(list->SelectedText(), QString());
    list->hide();

    start.SetTimeMode(false);
    QVERIFY(!start.pTime()->isVisible());
    QVERIFY(start.tbAlarm()->isCheckable());
}

void TestTimeEdit::ImpossibleTimeIsNotStored()
{
    TScriptedMessages messages;
    TDBMainInfo event;
    StartOfEvent(event);
    TdbTimeEdit start;
    start.SetTimeMode(true);
    start.show();
    QVERIFY(QTest::qWaitForWindowActive(&start));
    start.SetMasterDBInfo(&event);
    start.t1edit()->setText(QStringLiteral("25:70"));

    QVERIFY(!event.ApplyFrames(true));
    QCOMPARE(messages.Shown(), QStringList{QStringLiteral("Укажите время от 00:00 до 23:59")});
    QCOMPARE(event.Date1, Serial(2024, 6, 1, 8, 5));
    QCOMPARE(QApplication::focusWidget(), start.t1edit());
}

void TestTimeEdit::CalendarPlacement_data()
{
    QTest::addColumn<QRect>("edit");
    QTest::addColumn<QPoint>("position");
    const QSize popup(200, 150);
    Q_UNUSED(popup);
    QTest::newRow("room below: under the edit, right edges aligned") << QRect(300, 100, 120, 20) << QPoint(220, 120);
    QTest::newRow("no room below: above the edit") << QRect(300, 700, 120, 20) << QPoint(220, 550);
    QTest::newRow("exactly fits below") << QRect(300, 630, 120, 20) << QPoint(220, 650);
}

void TestTimeEdit::CalendarPlacement()
{
    QFETCH(QRect, edit);
    QFETCH(QPoint, position);
    QCOMPARE(TpuCalendar::PopupPosition(edit, QSize(200, 150), QRect(0, 0, 1024, 800)), position);
}

void TestTimeEdit::CalendarShowsTypedDateOrToday()
{
    TFixedClock clock(QDateTime(QDate(2024, 2, 29), QTime(12, 0)));
    TdbTimeEdit editor;
    editor.show();
    editor.ShowCalendar();
    QVERIFY(editor.Calendar()->isVisible());
    QCOMPARE(editor.Calendar()->mc()->selectedDate(), QDate(2024, 2, 29));
    editor.Calendar()->hide();

    editor.eDT()->setText(QStringLiteral("14.03.1975"));
    editor.ShowCalendar();
    QCOMPARE(editor.Calendar()->mc()->selectedDate(), QDate(1975, 3, 14));

    editor.Calendar()->mc()->setSelectedDate(QDate(1976, 4, 1));
    editor.Calendar()->Accept();
    QVERIFY(!editor.Calendar()->isVisible());
    QCOMPARE(editor.eDT()->displayText(), QStringLiteral("01.04.1976"));
    QCOMPARE(editor.Parse().Value, Serial(1976, 4, 1));
}

QTEST_MAIN(TestTimeEdit)
#include "tst_timeedit.moc"
