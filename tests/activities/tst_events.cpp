// The event screens: the list's colours, fonts and date texts against a fixed clock in a time zone with
// daylight saving, every filter row on a fixture, the statements of the list and the editor on the engine,
// the editor's defaults, name look-up, end time and refusals, copying, the place of a meeting, the preview
// and the card, and an event made and opened from start to end in the real main window.
#include "activities/EditEvent.h"
#include "activities/EventObjFrame.h"
#include "activities/EventPrev.h"
#include "activities/EventScreens.h"
#include "activities/EventSetting.h"
#include "activities/FindEvent.h"
#include "activities/GroupScreens.h"
#include "contacts/ContactScreens.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/mainwindow/WinListForm.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/kinds/EventLists.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <QSqlQuery>
#include <QTextEdit>
#include <QToolButton>

#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Daylight saving begins in this zone at 02:00 on 29 March 2026; the clock stands at noon of that day.
const QDate Today(2026, 3, 29);

double At(const QDate& date, int hour = 0, int minute = 0)
{
    return DateSerial::FromDateTime(date, QTime(hour, minute));
}

QString AddProject(const QString& name)
{
    TDBMainInfo row;
    row.ObjType = Kind::Group;
    const TGroupView project(row);
    project.SetGroupKind(GroupType::Project);
    project.SetName(name);
    return row.Save() == 0 ? row.Obj.Text() : QString();
}

struct TEventData
{
    TEventData(const QString& name, double start = 0, double end = 0, qint64 type = EventType::Meeting,
        qint64 importance = 2, qint64 direction = 0, const QString& project = Ids::None,
        const QString& result = QString(), const QString& comment = QString(), const QString& host = Ids::None,
        const QString& address = Ids::None)
        : Name(name)
        , Start(start)
        , End(end)
        , Type(type)
        , Importance(importance)
        , Direction(direction)
        , Project(project)
        , Result(result)
        , Comment(comment)
        , Host(host)
        , Address(address)
    {
    }

    QString Name;
    double Start;
    double End;
    qint64 Type;
    qint64 Importance;
    qint64 Direction;
    QString Project;
    QString Result;
    QString Comment;
    QString Host;
    QString Address;
};

QString AddEvent(const TEventData& d)
{
    TDBMainInfo row;
    row.ObjType = Kind::Event;
    const TEventView event(row);
    event.SetName(d.Name);
    event.SetStart(d.Start);
    event.SetHasStart(d.Start != 0);
    event.SetEnd(d.End);
    event.SetHasEnd(d.End != 0);
    event.SetEventKind(d.Type);
    event.SetImportance(d.Importance);
    event.SetDirection(d.Direction);
    event.SetProject(d.Project);
    event.SetSpareLink(Ids::None);
    event.SetHost(d.Host);
    event.SetMeetingAddress(d.Address);
    event.SetResult(d.Result);
    event.SetDisplayName(EventDisplayName(d.Start, d.Name));
    row.Comments = d.Comment;
    return row.Save() == 0 ? row.Obj.Text() : QString();
}

// An address in \a city, \a street where \a resident lives now; its id.
QString AddHome(const QString& resident, const QString& city, const QString& street = QString())
{
    TDBMainInfo address;
    address.ObjType = Kind::Address;
    address.Str4 = city;
    address.Str5 = street;
    if (address.Save() != 0)
        return QString();
    TDBMainInfo residence;
    residence.ObjType = Kind::Residence;
    residence.Link1 = address.Obj;
    residence.Link2 = resident;
    residence.Flag = true;
    return residence.Save() == 0 ? address.Obj.Text() : QString();
}

// The names of the rows of \a grid in order, "|"-joined.
QString Names(TMyDBGrid* grid)
{
    QStringList names;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        names << grid->Model()->Row(i).Text(u"Str1"_s);
    return names.join(u'|');
}

// The line editor of the filter row \a key, opened as a click on its value opens it.
QLineEdit* RowEditor(TOptionList* options, const QString& key)
{
    options->setCurrentCell(options->FindRow(key), 1);
    QWidget* focus = QApplication::focusWidget();
    if (!qobject_cast<QLineEdit*>(focus) && !qobject_cast<QComboBox*>(focus)) {
        options->editItem(options->currentItem());
        focus = QApplication::focusWidget();
    }
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(focus);
}

// Chooses the item at \a index of a drop-down list with the keyboard.
void ChooseItem(QComboBox* combo, int index)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

void TypeDate(TdbTimeEdit* edit, const QString& date, const QString& time)
{
    edit->eDT()->setFocus();
    QTest::keyClick(edit->eDT(), Qt::Key_Home);
    TypeText(edit->eDT(), date);
    edit->t1edit()->setFocus();
    QTest::keyClick(edit->t1edit(), Qt::Key_Home);
    TypeText(edit->t1edit(), time);
}

void ShowActive(QWidget& widget)
{
    widget.show();
    QApplication::setActiveWindow(&widget);
    QVERIFY(QTest::qWaitForWindowActive(&widget));
}

} // namespace

class TestEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void listShowsPastRunningAndComingEvents();
    void filterRowsNarrowTheList();
    void statementsRunOnTheEngine();
    void newEventStartsOnRecentUse();
    void editorRefusesInOrder();
    void nameTakesSpellingTypeAndImportance();
    void startGivesEndOneHourLater();
    void copyKeepsAllButTheStart();
    void placeTakesHostAddressOrFreeText();
    void previewAndCard();
    void eventFromStartToEndInTheMainWindow();

private:
    void StartMain(TMain& main);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TFixedClock> m_clock;
};

void TestEvents::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
    // Every time of day is the program's local time: the tests run in a zone that changes to summer time.
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void TestEvents::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    m_clock = std::make_unique<TFixedClock>(QDateTime(Today, QTime(12, 0)));
    RegisterContactScreens();
    RegisterGroupScreens();
    RegisterEventScreens();
}

void TestEvents::cleanup()
{
    m_clock.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestEvents::StartMain(TMain& main)
{
    // The settings file names the fixture's own database, a file or a server database.
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    QTRY_VERIFY(main.IsStarted());
    ShowActive(main);
}

void TestEvents::listShowsPastRunningAndComingEvents()
{
    const QDate yesterday = Today.addDays(-1);
    const QDate tomorrow = Today.addDays(1);
    struct TCase
    {
        TEventData Event;
        QString DateText;
        QColor Colour;
    };
    const QColor grey(128, 128, 128), navy(0, 0, 128), red(255, 0, 0), blue(0, 0, 255);
    const QList<TCase> cases{
        {{u"ended yesterday"_s, At(yesterday, 10), At(yesterday, 11)}, u"28.03.2026\r10:00"_s, grey},
        {{u"ended this morning"_s, At(Today, 9), At(Today, 10)}, u"09:00"_s, grey},
        {{u"running since yesterday"_s, At(yesterday, 18), At(tomorrow, 9)}, u"28.03.2026\r18:00"_s, red},
        {{u"running today"_s, At(Today, 11, 30), At(Today, 13)}, u"11:30"_s, red},
        {{u"begins now"_s, At(Today, 12), 0}, u"12:00"_s, blue},
        {{u"later today"_s, At(Today, 15), At(Today, 16)}, u"15:00"_s, navy},
        {{u"tomorrow"_s, At(tomorrow, 9), 0}, u"30.03.2026\r09:00"_s, navy},
        {{u"today untimed"_s, At(Today), 0}, u"29.03.2026\r"_s, grey},
        {{u"no end"_s, At(yesterday, 8), 0}, u"28.03.2026\r08:00"_s, grey},
        {{u"no date"_s, 0, 0}, QString(), grey},
    };
    for (const TCase& c : cases)
        QVERIFY(!AddEvent(c.Event).isEmpty());
    AddEvent({u"low"_s, At(tomorrow.addDays(1), 9), 0, EventType::Meeting, 1});
    AddEvent({u"high"_s, At(tomorrow.addDays(2), 9), 0, EventType::Meeting, 3});

    TFindEvent list;
    list.resize(600, 700);
    ShowActive(list);
    list.RunQuery(QString());
    TMyDBGrid* grid = list.ListGrid();
    QCOMPARE(grid->Model()->RecordCount(), cases.size() + 2);
    // Newest first, the cursor on the latest event that has begun.
    QCOMPARE(grid->CurrentRow().Text(u"Str1"_s), u"begins now"_s);
    QCOMPARE(list.CurObjId(), grid->CurrentRow().Text(u"ObjId"_s));
    const auto look = [grid](int row, QColor& colour, TFontStyles& style) {
        colour = Qt::black;
        style = {};
        grid->OnGetFontColor(*grid, grid->Model()->Row(row), grid->Column(1), colour, style);
    };
    for (const TCase& c : cases) {
        const int row = grid->Model()->Locate(u"Str1"_s, c.Event.Name);
        QVERIFY2(row >= 0, qPrintable(c.Event.Name));
        QCOMPARE(grid->Model()->Row(row).DisplayText(u"Date1"_s), c.DateText);
        QColor colour;
        TFontStyles style;
        look(row, colour, style);
        QVERIFY2(colour == c.Colour, qPrintable(c.Event.Name + u": "_s + colour.name()));
        QCOMPARE(style, TFontStyles());
        // A row without a project shows its name on the second line.
        QCOMPARE(grid->Model()->Row(row).DisplayText(u"Str1"_s), u'\r' + c.Event.Name);
    }
    QColor colour;
    TFontStyles style;
    look(grid->Model()->Locate(u"Str1"_s, u"low"_s), colour, style);
    QCOMPARE(style, TFontStyles(TFontStyle::Italic));
    look(grid->Model()->Locate(u"Str1"_s, u"high"_s), colour, style);
    QCOMPARE(style, TFontStyles(TFontStyle::Bold));

    // Before the change to summer time the same rows keep their hours: a day serial has no zone.
    m_clock->Set(QDateTime(Today.addDays(-1), QTime(23, 30)));
    list.RunQuery(QString());
    const int running = grid->Model()->Locate(u"Str1"_s, u"running today"_s);
    QCOMPARE(grid->Model()->Row(running).DisplayText(u"Date1"_s), u"29.03.2026\r11:30"_s);
    look(running, colour, style);
    QCOMPARE(colour, navy);
}

void TestEvents::filterRowsNarrowTheList()
{
    const QString house = AddProject(u"Дом"_s);
    const QString work = AddProject(u"Работа"_s);
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = u"Петров"_s;
    person.Str2 = u"Пётр"_s;
    person.Str5 = u"Петров Пётр"_s;
    QCOMPARE(person.Save(), 0);
    TDBMainInfo address;
    address.ObjType = Kind::Address;
    address.Str1 = u"Россия"_s;
    address.Str2 = u"Тверская"_s;
    address.Str4 = u"Тверь"_s;
    address.Str5 = u"Советская"_s;
    QCOMPARE(address.Save(), 0);
    AddEvent({u"Встреча с Петровым"_s, At(Today, 10), 0, EventType::Meeting, 3, 0, house, u"Договорились"_s,
        u"на даче"_s, person.Obj, address.Obj});
    AddEvent({u"Звонок"_s, At(Today.addDays(3), 9), 0, EventType::PhoneCall, 1, 1, work});
    AddEvent({u"Письмо"_s, At(Today.addDays(20), 9), 0, EventType::Letter, 2, 2});
    AddEvent({u"Старое"_s, At(QDate(2025, 6, 1), 9), 0, EventType::Fax, 2, 0, house, u"договор подписан"_s});

    TFindEvent list;
    list.resize(600, 700);
    ShowActive(list);
    TOptionList* options = list.Options();
    QCOMPARE(options->Strings().size(), TFindEvent::FilterRows().size());
    list.RunQuery(QString());
    TMyDBGrid* grid = list.ListGrid();
    QCOMPARE(Names(grid), u"Письмо|Звонок|Встреча с Петровым|Старое"_s);
    struct TCase
    {
        QString Row;
        QString Value;
        QString Names;
    };
    const QList<TCase> cases{
        {u"Название"_s, u"зво"_s, u"Звонок"_s},
        {u"Период"_s, u"Сегодня"_s, u"Встреча с Петровым"_s},
        {u"Период"_s, u"На неделю вперед"_s, u"Звонок|Встреча с Петровым"_s},
        {u"Проект"_s, u"Дом"_s, u"Встреча с Петровым|Старое"_s},
        {u"Проект"_s, TFindEvent::NoProject, u"Письмо"_s},
        {u"Тип"_s, u"Телефонный звонок"_s, u"Звонок"_s},
        {u"Результат события"_s, u"ДОГОВОР"_s, u"Встреча с Петровым|Старое"_s},
        {u"Статус"_s, u"Завершено"_s, u"Встреча с Петровым"_s},
        {u"Где (у кого)"_s, u"петров"_s, u"Встреча с Петровым"_s},
        {u"Комментарий"_s, u"на дач"_s, u"Встреча с Петровым"_s},
        {u"Страна"_s, u"росс"_s, u"Встреча с Петровым"_s},
        {u"Область"_s, u"Твер"_s, u"Встреча с Петровым"_s},
        {u"Город"_s, u"Тверь"_s, u"Встреча с Петровым"_s},
        {u"Улица"_s, u"Сов"_s, u"Встреча с Петровым"_s},
        {u"Район"_s, u"Нет"_s, QString()},
    };
    for (const TCase& c : cases) {
        QLineEdit* edit = RowEditor(options, c.Row);
        QVERIFY2(edit, qPrintable(c.Row));
        TypeText(edit, c.Value);
        QCOMPARE(options->Values(c.Row), c.Value);
        list.RunQuery(QString());
        QVERIFY2(Names(grid) == c.Names, qPrintable(c.Row + u": "_s + Names(grid)));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(options->Values(c.Row), QString());
    }
    // The drop-down lists: the hosts once each, the results, the projects with the row for none.
    QCOMPARE(list.PickListOf(u"Где (у кого)"_s), (QStringList{QString(), person.Str5}));
    QCOMPARE(list.PickListOf(u"Результат события"_s), (QStringList{QString(), u"договор подписан"_s, u"Договорились"_s}));
    QCOMPARE(list.PickListOf(u"Проект"_s), (QStringList{QString(), TFindEvent::NoProject, u"Дом"_s, u"Работа"_s}));

    // "Произвольно" turns the period into a range typed through its mask.
    QLineEdit* period = RowEditor(options, u"Период"_s);
    TypeText(period, u"Произвольно"_s);
    list.RunQuery(QString());
    QCOMPARE(Names(grid), u"Письмо|Звонок|Встреча с Петровым|Старое"_s);
    options->setCurrentCell(options->FindRow(u"Название"_s), 1);
    period = RowEditor(options, u"Период"_s);
    QVERIFY(period && !period->inputMask().isEmpty());
    QTest::keyClick(period, Qt::Key_Home);
    TypeText(period, u"0103202602042026"_s);
    QCOMPARE(options->Values(u"Период"_s), u"с: 01.03.2026 по: 02.04.2026"_s);
    list.RunQuery(QString());
    QCOMPARE(Names(grid), u"Звонок|Встреча с Петровым"_s);
}

void TestEvents::statementsRunOnTheEngine()
{
    // Every statement the events send, through the translator on this run's engine, with the rows it is for.
    const QString house = AddProject(u"Дом"_s);
    TDBMainInfo ivanov;
    ivanov.ObjType = Kind::Person;
    ivanov.Str1 = u"Иванов"_s;
    ivanov.Str5 = u"Иванов Иван"_s;
    QCOMPARE(ivanov.Save(), 0);
    TDBMainInfo firm;
    firm.ObjType = Kind::Organization;
    firm.Str1 = u"Альфа"_s;
    firm.Str5 = u"Ромашка \"Альфа\""_s;
    QCOMPARE(firm.Save(), 0);
    const QString address = AddHome(ivanov.Obj, u"Тверь"_s);
    QVERIFY(!address.isEmpty());
    for (int i = 0; i < 3; ++i)
        AddEvent({u"Звонок"_s, At(Today.addDays(-i), 9), 0, EventType::PhoneCall, 3, 1, house, {}, {}, ivanov.Obj});
    AddEvent({u"Звонок"_s, At(Today.addDays(-5), 9), 0, EventType::Email, 1, 2, house, {}, {}, firm.Obj});
    AddEvent({u"Встреча"_s, At(Today.addMonths(-3), 9), 0, EventType::Meeting, 2, 0, Ids::None, {}, {}, firm.Obj});

    TMyDataBase* db = CurrentDatabase();
    QVERIFY(db);
    const double today = DateSerial::Today();
    QStringList projects;
    QVERIFY(EventLists::RecentProjects(db, today, projects));
    QCOMPARE(projects, QStringList{house});
    qint64 type = 0, direction = 0, importance = 0;
    QVERIFY(EventLists::DefaultType(db, today, type, direction));
    QCOMPARE(type, qint64(EventType::PhoneCall));
    QCOMPARE(direction, qint64(EventDirection::Outgoing));
    QVERIFY(EventLists::NameType(db, house, u"Звонок"_s, type, importance));
    QCOMPARE(type, qint64(EventType::PhoneCall));
    QCOMPARE(importance, qint64(3));
    QVERIFY(!EventLists::NameType(db, house, u"Никто"_s, type, importance));
    QCOMPARE(EventLists::StoredName(db, house, u"ЗВОНОК"_s), u"Звонок"_s);
    QCOMPARE(EventLists::StoredName(db, house, u"Встреча"_s), QString());
    QCOMPARE(EventLists::StoredName(db, Ids::None, u"встреча"_s), u"Встреча"_s);
    TValueList hosts;
    QVERIFY(EventLists::HostNames(db, hosts));
    QCOMPARE(ValueTexts(hosts), (QStringList{firm.Str5, ivanov.Str5}));
    QCOMPARE(EventLists::HostAddress(db, ivanov.Obj).toUpper(), address.toUpper());
    QCOMPARE(EventLists::HostAddress(db, firm.Obj), QString());

    const auto count = [db](const QString& where) {
        auto q = TMyDataBase::QueryOn(db, EventLists::ListStatement(where, u"AllInfo.Date1 desc, AllInfo.ObjId"_s));
        int rows = -1;
        if (q)
            for (rows = 0; q->next();)
                ++rows;
        return rows;
    };
    QCOMPARE(count(QString()), 5);
    QCOMPARE(count(u" and "_s + EventLists::HostCondition(u"Ромашка \"А"_s)), 2);
    QCOMPARE(count(u" and "_s + EventLists::HostCondition(u"иван"_s)), 3);
    QCOMPARE(count(u" and "_s + EventLists::PeriodCondition(today - 1, today + 1)), 2);
    QCOMPARE(count(u" and "_s + EventLists::AddressCondition({}, {}, {}, u"тве"_s, {})), 0);
}

void TestEvents::newEventStartsOnRecentUse()
{
    // With no event of the last two months: no type, "Обычная", "Проект не указан"; no type is refused.
    const QString house = AddProject(u"Дом"_s);
    const QString work = AddProject(u"Работа"_s);
    AddEvent({u"Давнее"_s, At(Today.addMonths(-3), 9), 0, EventType::Fax, 1, 1, work});
    {
        TDBMainInfo event;
        event.ObjType = Kind::Event;
        TMainModalForm dialog;
        dialog.DBMain()->Assign(&event);
        auto* editor = dynamic_cast<TFEditEvent*>(dialog.Frame());
        QVERIFY(editor);
        QCOMPARE(dialog.windowTitle(), u"Новое событие"_s);
        ShowActive(dialog);
        QCOMPARE(editor->cbLinkType()->currentIndex(), -1);
        QCOMPARE(editor->cbStatus()->currentText(), u"Обычная"_s);
        QCOMPARE(editor->cbProject()->currentText(), TFindEvent::NoProject);
        QCOMPARE(editor->cbDirection()->currentIndex(), -1);
        QVERIFY(!editor->pDirection()->isVisible());
        QVERIFY(!editor->gbAddress()->isVisible());
        TypeDate(editor->dtStart(), u"29032026"_s, u"1000"_s);
        editor->eName()->setFocus();
        TypeText(editor->eName(), u"Новое"_s);
        dialog.AOkExecute();
        QCOMPARE(m_messages->Shown(), QStringList{u"Укажите тип события!"_s});
        dialog.reject();
    }
    // Work twice, the house once in the window: work comes first, the house second; calls out are most usual.
    AddEvent({u"Звонок"_s, At(Today.addDays(-10), 9), 0, EventType::PhoneCall, 2, 1, work});
    AddEvent({u"Звонок"_s, At(Today.addDays(1), 9), 0, EventType::PhoneCall, 2, 1, work});
    AddEvent({u"Письмо"_s, At(Today.addDays(-1), 9), 0, EventType::Letter, 2, 2, house});
    AddEvent({u"Далеко"_s, At(Today.addDays(2), 9), 0, EventType::Letter, 2, 2, house});
    TDBMainInfo event;
    event.ObjType = Kind::Event;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&event);
    auto* editor = dynamic_cast<TFEditEvent*>(dialog.Frame());
    ShowActive(dialog);
    QCOMPARE(ValueTexts(editor->Projects()), (QStringList{u"Работа"_s, u"Дом"_s, TFindEvent::NoProject}));
    QCOMPARE(editor->cbProject()->currentText(), u"Работа"_s);
    QCOMPARE(editor->cbLinkType()->currentText(), u"Телефонный звонок"_s);
    QCOMPARE(editor->cbDirection()->currentText(), u"исходящ."_s);
    QVERIFY(editor->pDirection()->isVisible());
    // The names offered are those of the chosen project's events.
    QCOMPARE(editor->NameSuggestions(), (QStringList{u"Давнее"_s, u"Звонок"_s}));
    ChooseItem(editor->cbProject(), 1);
    QCOMPARE(editor->cbProject()->currentText(), u"Дом"_s);
    QCOMPARE(editor->NameSuggestions(), (QStringList{u"Далеко"_s, u"Письмо"_s}));
    QCOMPARE(editor->ResultSuggestions(), QStringList());
    dialog.reject();
}

void TestEvents::editorRefusesInOrder()
{
    const QString house = AddProject(u"Дом"_s);
    TDBMainInfo event;
    event.ObjType = Kind::Event;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&event);
    auto* editor = dynamic_cast<TFEditEvent*>(dialog.Frame());
    ShowActive(dialog);
    const auto refused = [&](const QString& message, QWidget* focus) {
        m_messages->ClearShown();
        dialog.AOkExecute();
        QCOMPARE(m_messages->Shown(), QStringList{message});
        QVERIFY(dialog.isVisible());
        QVERIFY(IsNewId(dialog.DBMain()->Obj));
        QVERIFY(focus->hasFocus() || focus->isAncestorOf(QApplication::focusWidget()));
    };
    refused(u"Укажите тип события!"_s, editor->cbLinkType());
    ChooseItem(editor->cbLinkType(), 0);
    QVERIFY(editor->gbAddress()->isVisible());
    QVERIFY(!editor->pDirection()->isVisible());
    // "Проект не указан" is a project: the refusal needs a list without any, as a failed read leaves it.
    editor->cbProject()->clear();
    refused(u"Укажите проект!"_s, editor->cbProject());
    // The table of projects, cancelled here, and the list read anew.
    TScriptedBroker broker;
    editor->ToolButton1Click();
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(broker.Calls().first().Kind, TFEditEvent::ProjectsDialog);
    QCOMPARE(editor->cbProject()->currentText(), TFindEvent::NoProject);
    refused(u"Укажите название события!"_s, editor->eName());
    editor->eName()->setFocus();
    TypeText(editor->eName(), u"  Встреча  "_s);
    ChooseItem(editor->cbDirection(), 1);
    editor->cbStatus()->setCurrentIndex(-1);
    refused(u"Укажите статус события!"_s, editor->cbStatus());
    ChooseItem(editor->cbStatus(), 2);
    // The start is required by its own editor, which is asked after this one.
    refused(u"Укажите дату"_s, editor->dtStart()->eDT());
    TypeDate(editor->dtStart(), u"29032026"_s, u"1000"_s);
    QTRY_COMPARE(editor->dtEnd()->t1edit()->text(), u"11:00"_s);
    TypeDate(editor->dtEnd(), u"29032026"_s, u"0900"_s);
    refused(u"Дата окончания события \rне может быть меньше даты начала"_s, editor->dtEnd()->eDT());
    TypeDate(editor->dtEnd(), u"29032026"_s, u"1030"_s);
    ChooseItem(editor->cbProject(), 1);
    m_messages->ClearShown();
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(dialog.DBMain()->Obj));
    const TConstEventView saved(stored);
    QCOMPARE(saved.Name(), u"Встреча"_s);
    QCOMPARE(saved.DisplayName(), u"[29.03.2026] Встреча"_s);
    QCOMPARE(saved.Project().Text().toUpper(), house.toUpper());
    QCOMPARE(saved.SpareLink().Text(), Ids::None);
    QCOMPARE(saved.EventKind(), qint64(EventType::Meeting));
    QCOMPARE(saved.Importance(), qint64(3));
    // A meeting has no direction, whatever the box shows.
    QCOMPARE(saved.Direction(), qint64(0));
    QCOMPARE(DateSerial::ToTime(saved.Start()), QTime(10, 0));
    QCOMPARE(DateSerial::ToTime(saved.End()), QTime(10, 30));
    QCOMPARE(DateSerial::ToDate(saved.Start()), Today);
    QCOMPARE(saved.Host().Text(), Ids::None);
    QCOMPARE(saved.MeetingAddress().Text(), Ids::None);
}

void TestEvents::nameTakesSpellingTypeAndImportance()
{
    const QString house = AddProject(u"Дом"_s);
    AddEvent({u"Совет Жильцов"_s, At(QDate(2025, 1, 1), 9), 0, EventType::Meeting, 1, 0, house});
    AddEvent({u"Совет Жильцов"_s, At(QDate(2025, 2, 1), 9), 0, EventType::Email, 3, 0, house});
    AddEvent({u"Совет Жильцов"_s, At(QDate(2025, 3, 1), 9), 0, EventType::Email, 3, 0, house});
    TDBMainInfo event;
    event.ObjType = Kind::Event;
    event.Link1 = house;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&event);
    auto* editor = dynamic_cast<TFEditEvent*>(dialog.Frame());
    ShowActive(dialog);
    QCOMPARE(editor->cbProject()->currentText(), u"Дом"_s);
    editor->eName()->setFocus();
    TypeText(editor->eName(), u"совет жильцов"_s);
    QTest::keyClick(editor->eName(), Qt::Key_Tab);
    QCOMPARE(editor->eName()->currentText(), u"Совет Жильцов"_s);
    QCOMPARE(editor->cbLinkType()->currentText(), u"E-mail"_s);
    QCOMPARE(editor->cbStatus()->currentText(), u"Высокая"_s);
    QVERIFY(editor->pDirection()->isVisible());
    dialog.reject();
}

void TestEvents::startGivesEndOneHourLater()
{
    TDBMainInfo event;
    event.ObjType = Kind::Event;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&event);
    auto* editor = dynamic_cast<TFEditEvent*>(dialog.Frame());
    ShowActive(dialog);
    // The night the clocks go forward: the hour after 01:30 is 02:30 on the wall, not 03:30.
    TypeDate(editor->dtStart(), u"29032026"_s, u"0130"_s);
    QTRY_COMPARE(editor->dtEnd()->t1edit()->text(), u"02:30"_s);
    QCOMPARE(editor->dtEnd()->eDT()->text(), u"29.03.2026"_s);
    // An end after the start stays; moving the start past it moves it to an hour after the new start.
    TypeDate(editor->dtEnd(), u"29032026"_s, u"1800"_s);
    TypeDate(editor->dtStart(), u"29032026"_s, u"1000"_s);
    QTRY_COMPARE(editor->dtStart()->Parse().Value, At(Today, 10));
    QCOMPARE(editor->dtEnd()->t1edit()->text(), u"18:00"_s);
    TypeDate(editor->dtStart(), u"29032026"_s, u"2330"_s);
    QTRY_COMPARE(editor->dtEnd()->eDT()->text(), u"30.03.2026"_s);
    QCOMPARE(editor->dtEnd()->t1edit()->text(), u"00:30"_s);
    dialog.reject();
}

void TestEvents::copyKeepsAllButTheStart()
{
    const QString house = AddProject(u"Дом"_s);
    const QString original = AddEvent(
        {u"Планёрка"_s, At(Today, 9), At(Today, 10), EventType::PhoneCall, 3, 2, house, u"решено"_s, u"по пятницам"_s});
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F5);
    auto* list = qobject_cast<TFindEvent*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(list);
    QTRY_VERIFY(list->ListGrid()->Model()->IsOpen());
    QCOMPARE(list->CurObjId(), original);
    double shownStart = -1;
    WhenDialogShown<TMainModalForm>([&shownStart](TMainModalForm& dialog) {
        auto* editor = dynamic_cast<TFEditEvent*>(dialog.Frame());
        QVERIFY(editor);
        shownStart = editor->dtStart()->Parse().Value;
        // A copy keeps its type and importance: they are not a new event's defaults.
        QCOMPARE(editor->cbLinkType()->currentText(), u"Телефонный звонок"_s);
        QCOMPARE(editor->cbStatus()->currentText(), u"Высокая"_s);
        QCOMPARE(editor->eName()->currentText(), u"Планёрка"_s);
        TypeDate(editor->dtStart(), u"05042026"_s, u"0900"_s);
        QTRY_COMPARE(editor->dtEnd()->eDT()->text(), u"05.04.2026"_s);
        dialog.AOkExecute();
        if (dialog.isVisible())
            dialog.reject();
    });
    list->findChild<QAction*>(u"aCopy"_s)->trigger();
    QCOMPARE(shownStart, 0.0);
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(list->ListGrid()->Model()->RecordCount(), 2);
    QVERIFY(!SameId(list->CurObjId(), original));
    TDBMainInfo copy;
    QVERIFY(copy.SetObj(list->CurObjId()));
    const TConstEventView event(copy);
    QCOMPARE(event.Name(), u"Планёрка"_s);
    QCOMPARE(event.Result(), u"решено"_s);
    QCOMPARE(copy.Comments, u"по пятницам"_s);
    QCOMPARE(event.Direction(), qint64(EventDirection::Incoming));
    QCOMPARE(event.Importance(), qint64(3));
    QCOMPARE(event.DisplayName(), u"[05.04.2026] Планёрка"_s);
    QCOMPARE(DateSerial::ToDate(event.Start()), QDate(2026, 4, 5));
}

void TestEvents::placeTakesHostAddressOrFreeText()
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = u"Петров"_s;
    person.Str2 = u"Пётр"_s;
    person.Str3 = u"Петрович"_s;
    QCOMPARE(person.Save(), 0);
    const QString address = AddHome(person.Obj, u"Тверь"_s, u"Советская"_s);
    QVERIFY(!address.isEmpty());

    TScriptedBroker broker;
    TDBMainInfo event;
    event.ObjType = Kind::Event;
    TEventSetting place;
    place.SetMasterDBInfo(&event);
    ShowActive(place);
    QVERIFY(!place.tbFindAddr()->isEnabled());
    // A person picked: the one address they live at comes with them.
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, [&person](TDBMainInfo& r) { r.SetObj(person.Obj); });
    place.pmWho()->actions().at(0)->trigger();
    QCOMPARE(broker.Calls().last().Kind, int(Kind::Person));
    QVERIFY(SameId(place.HostId(), person.Obj));
    QVERIFY(SameId(place.AddressId(), address));
    QVERIFY(place.tbFindAddr()->isEnabled());
    QVERIFY(place.mMainFirma()->toPlainText().contains(u"Петров Пётр Петрович"_s));
    QVERIFY(place.mMainFirma()->toPlainText().contains(u"Тверь"_s));
    // The address pick names the host; an organization pick that is cancelled changes nothing.
    broker.Queue(TScriptedBroker::TRequest::Pick, 2);
    place.tbFindAddr()->click();
    QCOMPARE(broker.Calls().last().Kind, int(Kind::Address));
    QVERIFY(SameId(broker.Calls().last().Record.Link5, person.Obj));
    place.PickHost(Kind::Organization);
    QVERIFY(SameId(place.HostId(), person.Obj));
    place.StoreData();
    QVERIFY(SameId(event.Link3, person.Obj));
    QVERIFY(SameId(event.Link4, address));
    QVERIFY(!event.Flag);
    // Cleared address: the none id is stored.
    place.pmDel()->actions().at(1)->trigger();
    place.StoreData();
    QCOMPARE(event.Link4.Text(), Ids::None);
    // Free text: the bars go, the box is typed into; host and address are stored as none.
    place.cbFlag()->click();
    QVERIFY(!place.tbFindWho()->isVisible());
    place.mMainFirma()->setFocus();
    TypeText(place.mMainFirma(), u" кафе у реки "_s);
    place.StoreData();
    QVERIFY(event.Flag);
    QCOMPARE(event.Str4, u"кафе у реки"_s);
    QCOMPARE(event.Link3.Text(), Ids::None);
    // Loaded again, the free text shows; unchecked, the bars come back and the box is read-only again.
    place.LoadData();
    QCOMPARE(place.mMainFirma()->toPlainText(), u"кафе у реки"_s);
    place.cbFlag()->click();
    QVERIFY(place.tbFindWho()->isVisible());
    QVERIFY(place.mMainFirma()->isReadOnly());
    place.SetMasterDBInfo(nullptr);

    // The texts of an organization and of a branch.
    TDBMainInfo firm;
    firm.ObjType = Kind::Organization;
    firm.Str1 = u"Ромашка"_s;
    firm.Str2 = u"ООО"_s;
    firm.Link1 = Ids::Null;
    QCOMPARE(TEventSetting::HostText(firm), u"ООО (Ромашка)"_s);
    firm.Link1 = u"0000000100000001"_s;
    firm.Str2 = u"склад"_s;
    QCOMPARE(TEventSetting::HostText(firm), u"Ромашка, склад"_s);
}

void TestEvents::previewAndCard()
{
    const QString house = AddProject(u"Дом"_s);
    const QString id = AddEvent({u"Звонок"_s, At(Today, 9, 15), 0, EventType::PhoneCall, 2, 1, house});
    TDBMainInfo event;
    QVERIFY(event.SetObj(id));
    TFEventPrev preview;
    preview.SetMasterDBInfo(&event);
    QCOMPARE(preview.lDirect()->text(), u"исх."_s);
    QCOMPARE(preview.lStr1()->text(), u"[Дом]"_s);
    QCOMPARE(preview.lStr2()->text(), u"Звонок"_s);
    QCOMPARE(preview.lStr3()->text(), u"29.03.2026 "_s);
    QVERIFY(!preview.ImageStatus()->pixmap().isNull());
    preview.SetMasterDBInfo(nullptr);

    TScriptedBroker broker;
    TEventObjFrame card;
    card.resize(900, 600);
    card.SetMasterId(id);
    ShowActive(card);
    auto* editor = dynamic_cast<TFEditEvent*>(card.EditFrame());
    QVERIFY(editor);
    QCOMPARE(card.FocusControl(), editor->eName());
    QCOMPARE(editor->eName()->currentText(), u"Звонок"_s);
    QVERIFY(card.aPrint()->isVisible());
    QVERIFY(!card.aPrint()->isEnabled());
    QCOMPARE(card.SectionCodes(),
        (QList<int>{EventSection::Links, EventSection::LinkedEvents, EventSection::Notes}));
    QCOMPARE(card.SectionCaption(EventSection::Links), u"Роли, Связи с людьми и организациями"_s);
    card.tbBuchClick(TBaseObjFrame::BuchGroup);
    QCOMPARE(card.SectionCodes(), QList<int>{EventSection::Finance});
    QVERIFY(!card.tbFamily()->isVisible());
    // Saved from the card with Ctrl+S: the changed name is written.
    editor->eName()->setFocus();
    editor->eName()->lineEdit()->selectAll();
    TypeText(editor->eName(), u"Звонок маме"_s);
    QTest::keyClick(editor->eName(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_messages->Shown(), QStringList());
    QVERIFY(event.SetObj(id));
    QCOMPARE(event.Str1, u"Звонок маме"_s);
    QCOMPARE(event.Str5, u"[29.03.2026] Звонок маме"_s);
}

void TestEvents::eventFromStartToEndInTheMainWindow()
{
    AddProject(u"Дом"_s);
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F5);
    auto* events = qobject_cast<TFindEvent*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(events);
    QCOMPARE(events->objectName(), u"FindEvents"_s);
    TMyDBGrid* grid = events->ListGrid();
    QTRY_VERIFY(grid->Model()->IsOpen());
    QCOMPARE(grid->Model()->RecordCount(), 0);

    // A meeting later today, made from the list.
    WhenDialogShown<TMainModalForm>([](TMainModalForm& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Новое событие"_s);
        auto* editor = dynamic_cast<TFEditEvent*>(dialog.Frame());
        QVERIFY(editor);
        ChooseItem(editor->cbProject(), 1);
        editor->eName()->setFocus();
        TypeText(editor->eName(), u"Обед с друзьями"_s);
        ChooseItem(editor->cbLinkType(), 0);
        TypeDate(editor->dtStart(), u"29032026"_s, u"1400"_s);
        QTRY_COMPARE(editor->dtEnd()->t1edit()->text(), u"15:00"_s);
        dialog.AOkExecute();
        if (dialog.isVisible())
            dialog.reject();
    });
    events->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(Names(grid), u"Обед с друзьями"_s);
    const TListRow row = grid->CurrentRow();
    QCOMPARE(row.DisplayText(u"Date1"_s), u"14:00"_s);
    QCOMPARE(row.DisplayText(u"Str1"_s), u"[Дом]\rОбед с друзьями"_s);
    QColor colour = Qt::black;
    TFontStyles style;
    grid->OnGetFontColor(*grid, row, grid->Column(3), colour, style);
    QCOMPARE(colour, QColor(0, 0, 128));

    // Enter opens its card, the event in its editor.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    auto* card = qobject_cast<TEventObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    QVERIFY(SameId(card->MasterDBInfo()->Obj, events->CurObjId()));
    auto* editor = dynamic_cast<TFEditEvent*>(card->EditFrame());
    QCOMPARE(editor->eName()->currentText(), u"Обед с друзьями"_s);
    QCOMPARE(editor->cbProject()->currentText(), u"Дом"_s);
    QVERIFY(editor->gbAddress()->isVisible());
    QVERIFY(main.WinList()->FindCard(events->CurObjId()) >= 0);
}

QTEST_MAIN(TestEvents)
#include "tst_events.moc"
