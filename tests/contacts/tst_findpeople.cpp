// The people list: the rows its filters and quick find leave, the texts of its cells, the template a pick
// dialog hands it and the group pick list.
#include "contacts/FindPeople.h"
#include "shell/widgets/CellText.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/OptionList.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QHeaderView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void StorePerson(const QString& surname, const QString& name, const QString& patronymic, bool female,
    const QDate& birth, bool dead = false)
{
    TDBMainInfo p;
    p.ObjType = Kind::Person;
    p.Str1 = surname;
    p.Str2 = name;
    p.Str3 = patronymic;
    p.Flag = female;
    if (birth.isValid()) {
        p.Date1 = DateSerial::FromDate(birth);
        p.D1Flag = true;
    }
    p.D2Flag = dead;
    QCOMPARE(p.Save(), 0);
}

QStringList Surnames(TFindPeople& list)
{
    QStringList names;
    TListModel* model = list.ListGrid()->Model();
    for (int i = 0; i < model->RecordCount(); ++i)
        names << model->Row(i).Text(u"Str1"_s);
    return names;
}

} // namespace

class TestFindPeople : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void FilterRowsNarrowTheList();
    void MaskedRowsAreTypedKeyByKey();
    void QuickFindBySurnameAndName();
    void CellTexts();
    void CommentColumnTakesTheWidth();
    void TemplateFillsAndFixesRows();
    void GroupPickList();

private:
    std::unique_ptr<TTempDatabase> m_db;
    std::unique_ptr<TFixedClock> m_clock;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestFindPeople::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestFindPeople::init()
{
    m_db = std::make_unique<TTempDatabase>();
    QVERIFY(m_db->IsOpen());
    m_clock = std::make_unique<TFixedClock>(QDateTime(QDate(2024, 6, 15), QTime(12, 0)));
    m_messages = std::make_unique<TScriptedMessages>();
    StorePerson(u"Петров"_s, u"Иван"_s, u"Сергеевич"_s, false, QDate(1990, 5, 10));
    StorePerson(u"Петрова"_s, u"Анна"_s, QString(), true, QDate(2010, 1, 1));
    StorePerson(u"Петровский"_s, u"Иван"_s, QString(), false, QDate(1940, 3, 3), true);
    StorePerson(u"Сидорова"_s, u"Мария"_s, QString(), true, QDate());
}

void TestFindPeople::cleanup()
{
    m_messages.reset();
    m_clock.reset();
    m_db.reset();
}

void TestFindPeople::FilterRowsNarrowTheList()
{
    TFindPeople list;
    list.SetFullFindMode(true);
    QCOMPARE(list.Options()->RowCount(), TFindPeople::FilterRows().size());
    list.Options()->SetValues(u"Фамилия"_s, u"Петров"_s);
    list.Options()->SetValues(u"Статус"_s, u"Живые"_s);
    list.RunQuery(QString());
    QCOMPARE(Surnames(list), (QStringList{u"Петров"_s, u"Петрова"_s}));
    list.Options()->SetValues(u"Возраст"_s, u"от: 18  до:   "_s);
    list.RunQuery(QString());
    QCOMPARE(Surnames(list), QStringList{u"Петров"_s});
    list.Options()->SetValues(u"Возраст"_s, QString());
    list.Options()->SetValues(u"Пол"_s, u"женский"_s);
    list.RunQuery(QString());
    QCOMPARE(Surnames(list), QStringList{u"Петрова"_s});
}

// The masked rows of the extended search take a value typed digit after digit, the caret moving through
// the mask, with Backspace, Delete, Home and End; the list follows what was typed.
void TestFindPeople::MaskedRowsAreTypedKeyByKey()
{
    TFindPeople list;
    list.resize(500, 700);
    list.show();
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.SetFullFindMode(true);
    TOptionList* options = list.Options();
    const auto edit = [&](const QString& key) -> QLineEdit* {
        options->setCurrentCell(options->FindRow(key), 1);
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    };

    QLineEdit* birth = edit(u"Дата рождения"_s);
    QVERIFY(birth);
    TypeText(birth, u"15051980"_s);
    QCOMPARE(options->Values(u"Дата рождения"_s), u"15.05.1980"_s);
    QTest::keyClick(birth, Qt::Key_End);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(birth, Qt::Key_Backspace);
    QCOMPARE(options->Values(u"Дата рождения"_s), u"15.05.    "_s);
    TypeText(birth, u"1990"_s);
    QTest::keyClick(birth, Qt::Key_Home);
    QTest::keyClick(birth, Qt::Key_Delete);
    QCOMPARE(options->Values(u"Дата рождения"_s), u" 5.05.1990"_s);
    TypeText(birth, u"10"_s);
    QCOMPARE(options->Values(u"Дата рождения"_s), u"10.05.1990"_s);
    list.RunQuery(QString());
    QCOMPARE(Surnames(list), QStringList {u"Петров"_s});

    // "от: 30  до: 40": the people aged 30 to 40 on 15 June 2024.
    QLineEdit* age = edit(u"Возраст"_s);
    QVERIFY(age && age != birth);
    TypeText(age, u"3040"_s);
    QCOMPARE(options->Values(u"Возраст"_s), u"от: 30  до: 40"_s);
    options->SetValues(u"Дата рождения"_s, QString());
    list.RunQuery(QString());
    QCOMPARE(Surnames(list), QStringList {u"Петров"_s});

    QLineEdit* rating = edit(u"Оценка"_s);
    QVERIFY(rating);
    TypeText(rating, u"310"_s);
    QCOMPARE(options->Values(u"Оценка"_s), u"от: 3  до: 10"_s);
}

void TestFindPeople::QuickFindBySurnameAndName()
{
    TFindPeople list;
    QVERIFY(!list.FullFindMode());
    list.eFindEdit()->setEditText(u"Петров Ив"_s);
    list.RunQuery(QString());
    QCOMPARE(Surnames(list), (QStringList{u"Петров"_s, u"Петровский"_s}));
}

void TestFindPeople::CellTexts()
{
    TFindPeople list;
    list.RunQuery(QString());
    TListModel* model = list.ListGrid()->Model();
    QCOMPARE(model->RecordCount(), 4);
    QCOMPARE(model->Row(0).DisplayText(u"Str1"_s), u"Петров\nИван\nСергеевич"_s);
    QCOMPARE(model->Row(0).DisplayText(u"Date1"_s), u"34\n\nм"_s);
    QCOMPARE(model->Row(1).DisplayText(u"Date1"_s), u"14\n\nж"_s);
    QCOMPARE(model->Row(2).DisplayText(u"Date1"_s), u"-\n\nм"_s);
    QCOMPARE(model->Row(3).DisplayText(u"Date1"_s), u"-\n\nж"_s);
    QCOMPARE(model->Row(3).DisplayText(u"Flag"_s), u"ж"_s);
}

void TestFindPeople::CommentColumnTakesTheWidth()
{
    TFindPeople list;
    list.resize(500, 400);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.RunQuery(QString());
    TMyDBGrid* grid = list.ListGrid();
    const int comment = grid->columnWidth(3);
    list.resize(700, 400);
    QCOMPARE(grid->columnWidth(2), 40);
    QCOMPARE(grid->columnWidth(1), 180);
    QCOMPARE(grid->columnWidth(3), comment + 200);
    // The titles keep the cells' size, whatever size the grid's own font takes for its tall rows.
    QCOMPARE(grid->horizontalHeader()->font().pointSize(), CellFont().pointSize());
}

void TestFindPeople::TemplateFillsAndFixesRows()
{
    TDBMainInfo pattern;
    pattern.ObjType = Kind::Person;
    pattern.Str1 = u"Петров"_s;
    pattern.Int1 = 2;
    TFindPeople list;
    list.SetMasterDBInfo(&pattern);
    list.InitFindMode();
    QCOMPARE(list.Options()->Values(u"Фамилия"_s), u"Петров"_s);
    QCOMPARE(list.Options()->Values(u"Имя"_s), QString());
    QCOMPARE(list.Options()->Values(u"Пол"_s), u"женский"_s);
    const TItemProp sex = list.Options()->ItemProps(list.Options()->FindRow(u"Пол"_s));
    QVERIFY(sex.ReadOnly);
    QCOMPARE(sex.PickList, QStringList());
}

void TestFindPeople::GroupPickList()
{
    TDBMainInfo group;
    group.ObjType = 21;
    group.Str1 = u"Друзья"_s;
    group.Int1 = Kind::Person;
    QCOMPARE(group.Save(), 0);
    TFindPeople list;
    QStringList values;
    list.OptionListGetPickList(u"Группа"_s, values);
    QCOMPARE(values.mid(0, 2), (QStringList{QString(), u"Группа не указана"_s}));
    QCOMPARE(list.GroupList().at(1).Id.Text(), Ids::None);
    list.OptionListGetPickList(u"Состояние"_s, values);
    QCOMPARE(values, QStringList());
    list.Options()->SetValues(u"Группа"_s, u"Группа не указана"_s);
    list.OptionListGetPickList(u"Состояние"_s, values);
    QCOMPARE(values, (QStringList{QString(), u"Сейчас в группе"_s, u"Был в группе"_s}));
}

QTEST_MAIN(TestFindPeople)
#include "tst_findpeople.moc"
