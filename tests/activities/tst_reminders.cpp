// The memorable dates of the coming week and the recent changes, read by the real lists from a fresh
// database with an injected today.
#include "activities/FindAlarm.h"
#include "activities/FindLastModifyObj.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QComboBox>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QDateTime At(int year, int month, int day, int hour = 12)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0));
}

// A person born on \a birth with the birthday reminder on (unless \a remind is false).
QString SavePerson(const QString& surname, const QDate& birth, bool remind = true, bool dead = false)
{
    TDBMainInfo row;
    row.ObjType = Kind::Person;
    const TPersonView person(row);
    person.SetSurname(surname);
    person.SetFirstName(u"Имя"_s);
    person.SetBirthDate(DateSerial::FromDate(birth));
    person.SetBirthDateComplete(true);
    person.SetRemindBirthday(remind);
    person.SetIsDead(dead);
    return row.Save().Ok() ? row.Obj.Text() : QString();
}

QString SaveFamily(const QString& husband, const QString& wife, const QDate& start)
{
    TDBMainInfo row;
    row.ObjType = Kind::Family;
    const TFamilyView family(row);
    family.SetHusbandName(husband);
    family.SetWifeName(wife);
    family.SetStatus(FamilyStatus::Married);
    family.SetStart(DateSerial::FromDate(start));
    family.SetStartComplete(true);
    family.SetRemindStart(true);
    return row.Save().Ok() ? row.Obj.Text() : QString();
}

// The rows a list shows, as "name|date text" (the first line of the name).
QStringList Shown(TBaseFind& list, TMyDBGrid* grid, const QString& textField)
{
    list.RunQuery(QString());
    TListModel* model = grid->Model();
    QStringList rows;
    const int str1 = model->FieldIndex(u"Str1"_s);
    const int date = model->FieldIndex(textField);
    for (int row = 0; row < model->RecordCount(); ++row)
        rows << model->DisplayText(row, str1).section(u'\n', 0, 0).trimmed() + u'|' + model->DisplayText(row, date);
    return rows;
}

} // namespace

class TestReminders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();

    void weekFromAWednesdayWithAges();
    void weekFromASundayTakesTodayAllDay();
    void weekCrossesTheNewYear();
    void leapDayBirthdays_data();
    void leapDayBirthdays();
    void familyAnniversaryAndKindChoice();
    void statementUsesTheDaySearchIndex();
    void recentChangesByPeriodAndChange();

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TFixedClock> m_clock;
};

void TestReminders::init()
{
    m_clock = std::make_unique<TFixedClock>(At(2010, 3, 10));
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
}

void TestReminders::cleanup()
{
    m_messages.reset();
    m_fixture.reset();
    m_clock.reset();
}

void TestReminders::weekFromAWednesdayWithAges()
{
    // 10 March 2010 is a Wednesday: the week runs to 17 March.
    QVERIFY(!SavePerson(u"Мартов"_s, QDate(1975, 3, 14)).isEmpty());
    QVERIFY(!SavePerson(u"Последний"_s, QDate(1990, 3, 17)).isEmpty());
    QVERIFY(!SavePerson(u"Поздний"_s, QDate(1975, 3, 18)).isEmpty());
    QVERIFY(!SavePerson(u"Двадцатый"_s, QDate(1975, 3, 20)).isEmpty());
    QVERIFY(!SavePerson(u"Умерший"_s, QDate(1950, 3, 12), true, true).isEmpty());
    QVERIFY(!SavePerson(u"Забытый"_s, QDate(1950, 3, 12), false).isEmpty());
    QVERIFY(!SavePerson(u"Младенец"_s, QDate(2009, 3, 11)).isEmpty());
    TFindAlarm list;
    const QStringList rows = Shown(list, list.ListGrid(), u"Date1"_s);
    QCOMPARE(rows,
        QStringList({u"Младенец Имя|11.03.2009\n1 лет"_s, u"Мартов Имя|14.03.1975\n35 лет"_s,
            u"Последний Имя|17.03.1990\n20 лет"_s}));
}

void TestReminders::weekFromASundayTakesTodayAllDay()
{
    QVERIFY(!SavePerson(u"Мартов"_s, QDate(1975, 3, 14)).isEmpty());
    QVERIFY(!SavePerson(u"Вчерашний"_s, QDate(1975, 3, 13)).isEmpty());
    QVERIFY(!SavePerson(u"Воскресный"_s, QDate(1980, 3, 21)).isEmpty());
    QVERIFY(!SavePerson(u"Следующий"_s, QDate(1980, 3, 22)).isEmpty());
    TFindAlarm list;
    // 14 March 2010 is a Sunday: from its first minute to its last the birthday is today's, with the age 35.
    for (const QTime& time : {QTime(0, 0), QTime(23, 59)}) {
        m_clock->Set(QDateTime(QDate(2010, 3, 14), time));
        QCOMPARE(Shown(list, list.ListGrid(), u"Date1"_s),
            QStringList({u"Мартов Имя|14.03.1975\n35 лет"_s, u"Воскресный Имя|21.03.1980\n30 лет"_s}));
    }
}

void TestReminders::weekCrossesTheNewYear()
{
    QVERIFY(!SavePerson(u"Декабрьский"_s, QDate(1980, 12, 30)).isEmpty());
    QVERIFY(!SavePerson(u"Январский"_s, QDate(1980, 1, 2)).isEmpty());
    QVERIFY(!SavePerson(u"Крайний"_s, QDate(1980, 1, 4)).isEmpty());
    QVERIFY(!SavePerson(u"Ноябрьский"_s, QDate(1980, 11, 30)).isEmpty());
    QVERIFY(!SavePerson(u"Январский поздний"_s, QDate(1980, 1, 5)).isEmpty());
    m_clock->Set(At(2026, 12, 28));
    TFindAlarm list;
    // The week of 28 December 2026 ends on 4 January 2027, in the order of its days; the January
    // birthdays count the age of 2027.
    QCOMPARE(Shown(list, list.ListGrid(), u"Date1"_s),
        QStringList({u"Декабрьский Имя|30.12.1980\n46 лет"_s, u"Январский Имя|02.01.1980\n47 лет"_s,
            u"Крайний Имя|04.01.1980\n47 лет"_s}));
}

void TestReminders::leapDayBirthdays_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expected");
    // A common year: the birthday is kept on 1 March, so it is in the week of 22 February to 1 March, and
    // on 1 March itself; the age is the one reached that day.
    QTest::newRow("25 February of a common year") << QDate(2010, 2, 25) << u"Високосный Имя|29.02.1980\n30 лет"_s;
    QTest::newRow("1 March of a common year") << QDate(2010, 3, 1) << u"Високосный Имя|29.02.1980\n30 лет"_s;
    QTest::newRow("2 March of a common year") << QDate(2010, 3, 2) << QString();
    QTest::newRow("a week ending on 28 February") << QDate(2010, 2, 21) << QString();
    QTest::newRow("29 February of a leap year") << QDate(2012, 2, 29) << u"Високосный Имя|29.02.1980\n32 лет"_s;
    QTest::newRow("1 March of a leap year") << QDate(2012, 3, 1) << QString();
}

void TestReminders::leapDayBirthdays()
{
    QFETCH(QDate, today);
    QFETCH(QString, expected);
    QVERIFY(!SavePerson(u"Високосный"_s, QDate(1980, 2, 29)).isEmpty());
    m_clock->Set(QDateTime(today, QTime(9, 0)));
    TFindAlarm list;
    QCOMPARE(Shown(list, list.ListGrid(), u"Date1"_s), expected.isEmpty() ? QStringList() : QStringList{expected});
}

void TestReminders::familyAnniversaryAndKindChoice()
{
    QVERIFY(!SaveFamily(u"Иванов Иван"_s, u"Иванова Анна"_s, QDate(2000, 12, 30)).isEmpty());
    QVERIFY(!SaveFamily(u"Петров Пётр"_s, u"Петрова Ольга"_s, QDate(2000, 1, 2)).isEmpty());
    QVERIFY(!SavePerson(u"Декабрьский"_s, QDate(1980, 12, 29)).isEmpty());
    m_clock->Set(At(2009, 12, 27));
    TFindAlarm list;
    // The week of 27 December ends on 3 January: both anniversaries, the first of them the ninth.
    QCOMPARE(Shown(list, list.ListGrid(), u"Date1"_s),
        QStringList({u"Декабрьский Имя|29.12.1980\n29 лет"_s, u"Иванов Иван|30.12.2000\n9 лет"_s,
            u"Петров Пётр|02.01.2000\n10 лет"_s}));
    list.eFindBox()->setCurrentIndex(2); // "Семьи"
    QCOMPARE(Shown(list, list.ListGrid(), u"Date1"_s),
        QStringList({u"Иванов Иван|30.12.2000\n9 лет"_s, u"Петров Пётр|02.01.2000\n10 лет"_s}));
    list.eFindBox()->setCurrentIndex(1); // "Знакомые"
    QCOMPARE(Shown(list, list.ListGrid(), u"Date1"_s), QStringList({u"Декабрьский Имя|29.12.1980\n29 лет"_s}));
}

void TestReminders::statementUsesTheDaySearchIndex()
{
    if (TTempDatabase::OnServer())
        QSKIP("the plans checked are SQLite's");
    for (const QDate& today : {QDate(2010, 3, 10), QDate(2026, 12, 28), QDate(2010, 3, 1)}) {
        for (int kind : {0, int(Kind::Person)}) {
            QSqlQuery plan(m_fixture->Db()->Connection());
            QVERIFY(plan.exec(
                u"EXPLAIN QUERY PLAN "_s + m_fixture->Db()->Translate(MemorableDates::Statement(today, kind))));
            QStringList lines;
            while (plan.next())
                lines << plan.value(3).toString();
            QVERIFY2(lines.join(u' ').contains(u"INDEX AllInfo_D1Search"_s), qPrintable(lines.join(u"; "_s)));
        }
    }
}

void TestReminders::recentChangesByPeriodAndChange()
{
    // Created at different moments, and some changed today.
    m_clock->Set(At(2026, 11, 1));
    const QString old = SavePerson(u"Старый"_s, QDate(1970, 1, 1), false);
    m_clock->Set(At(2026, 11, 25));
    const QString monthAgo = SavePerson(u"Месячный"_s, QDate(1970, 1, 1), false);
    m_clock->Set(At(2026, 12, 5, 8));
    const QString weekAgo = SavePerson(u"Недельный"_s, QDate(1970, 1, 1), false);
    m_clock->Set(At(2026, 12, 9, 9));
    const QString today = SavePerson(u"Сегодняшний"_s, QDate(1970, 1, 1), false);
    m_clock->Set(At(2026, 12, 9, 10));
    const QString family = SaveFamily(u"Сидоров Семён"_s, u"Сидорова Вера"_s, QDate(2001, 5, 5));
    TDBMainInfo changed;
    QVERIFY(changed.SetObj(old));
    m_clock->Set(At(2026, 12, 9, 11));
    changed.Str2 = u"Другое"_s;
    QVERIFY(changed.Save().Ok());
    // A link row saved today is never listed.
    TDBMainInfo adoption;
    adoption.ObjType = Kind::AdoptiveFamilyLink;
    adoption.Link1 = family;
    adoption.Link2 = today;
    QVERIFY(adoption.Save().Ok());

    TFindLastModifyObj list;
    TOptionList* options = list.Options();
    const auto rows = [&list] {
        QStringList names;
        for (const QString& row : Shown(list, list.ListGrid(), u"DModify"_s))
            names << row.section(u'|', 0, 0);
        return names;
    };
    // Changed today, the latest first.
    QCOMPARE(rows(), QStringList({u"Старый Другое"_s, u"Сидоров Семён"_s, u"Сегодняшний Имя"_s}));
    options->SetValues(TFindLastModifyObj::KindRow, u"Семьи"_s);
    QCOMPARE(rows(), QStringList({u"Сидоров Семён"_s}));
    options->SetValues(TFindLastModifyObj::KindRow, QString());
    // Created in the last week, newest first: the changed old one was not created then.
    options->SetValues(TFindLastModifyObj::ChangeRow, TFindLastModifyObj::Created);
    options->SetValues(TFindLastModifyObj::PeriodRow, u"Неделя"_s);
    QCOMPARE(rows(), QStringList({u"Сидоров Семён"_s, u"Сегодняшний Имя"_s, u"Недельный Имя"_s}));
    options->SetValues(TFindLastModifyObj::PeriodRow, u"Месяц"_s);
    QCOMPARE(rows(),
        QStringList({u"Сидоров Семён"_s, u"Сегодняшний Имя"_s, u"Недельный Имя"_s, u"Месячный Имя"_s}));
    // The date shown is the day of the last change.
    options->SetValues(TFindLastModifyObj::ChangeRow, TFindLastModifyObj::Changed);
    const QStringList shown = Shown(list, list.ListGrid(), u"DModify"_s);
    QCOMPARE(shown.first(), u"Старый Другое|09.12.2026"_s);
    QVERIFY(!weekAgo.isEmpty() && !monthAgo.isEmpty());
}

QTEST_MAIN(TestReminders)
#include "tst_reminders.moc"
