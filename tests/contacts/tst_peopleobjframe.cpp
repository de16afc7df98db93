// The person card: the person editor on the left, the sections of its three groups, the sections the other
// screens register, printing, and saving an edited person.
#include "contacts/EditPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A section that remembers which person it loaded.
class TPersonSection final : public TBaseDBFrame
{
public:
    using TBaseDBFrame::TBaseDBFrame;
    void LoadData() override { LoadedSurname = MasterDBInfo()->Str1; }
    QString LoadedSurname;
};

} // namespace

class TestPeopleObjFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void CardShowsThePersonEditor();
    void SectionsOfEachGroup_data();
    void SectionsOfEachGroup();
    void RegisteredSectionsShowThePerson();
    void PrintHandsThePersonToTheReport();
    void SavingAnEditedPersonWritesTheEditor();

private:
    QString StorePerson(const QString& surname, const QString& name, bool female);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedBroker> m_broker;
};

void TestPeopleObjFrame::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestPeopleObjFrame::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    m_broker = std::make_unique<TScriptedBroker>();
}

void TestPeopleObjFrame::cleanup()
{
    Screens::Clear();
    m_broker.reset();
    m_messages.reset();
    m_fixture.reset();
}

QString TestPeopleObjFrame::StorePerson(const QString& surname, const QString& name, bool female)
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = surname;
    person.Str2 = name;
    person.Flag = female;
    return person.Save() == SaveResult::Done ? person.Obj.Text() : QString();
}

void TestPeopleObjFrame::CardShowsThePersonEditor()
{
    const QString id = StorePerson(u"Петрова"_s, u"Анна"_s, true);
    TDBMainInfo person;
    QVERIFY(person.SetObj(id));
    TPeopleObjFrame card;
    card.SetMasterDBInfo(&person);
    auto* editor = dynamic_cast<TFEditPeople*>(card.EditFrame());
    QVERIFY(editor);
    QCOMPARE(editor->MasterDBInfo(), card.MasterDBInfo());
    QCOMPARE(editor->eFamily()->text(), u"Петрова"_s);
    QCOMPARE(editor->Sex(), 2);
    QCOMPARE(card.FocusControl(), editor->eFamily());
    QVERIFY(!card.ExtraList());
    QVERIFY(card.aPrint()->isVisible());
    card.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card));
    QVERIFY(card.tbFamily()->isVisible());
    QVERIFY(card.tbBuch()->isVisible());
}

void TestPeopleObjFrame::SectionsOfEachGroup_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("additional data") << 0 << u"Дополнительные данные"_s << QList<int>{1, 20, 2, 3, 4}
                                     << QStringList{u"Как связаться с человеком"_s, u"Роли, Характеристики"_s,
                                                    u"Связи с людьми и организациями"_s, u"Связи с событиями"_s,
                                                    u"Заметки"_s};
    QTest::newRow("family") << 1 << u"Семья и родственники, соседи"_s << QList<int>{5, 6, 7, 8, 9}
                            << QStringList{u"Родители, братья и сестры"_s, u"Семьи, дети"_s,
                                           u"Генеалогическое древо"_s, u"Крестные и крестники"_s, u"Соседи"_s};
    QTest::newRow("finance") << 2 << u"Финансовые операции"_s << QList<int>{10}
                             << QStringList{u"Фин. операции с этим человеком"_s};
}

void TestPeopleObjFrame::SectionsOfEachGroup()
{
    QFETCH(int, group);
    QFETCH(QString, header);
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, captions);
    TDBMainInfo person;
    QVERIFY(person.SetObj(StorePerson(u"Петров"_s, u"Иван"_s, false)));
    TPeopleObjFrame card;
    card.SetMasterDBInfo(&person);
    card.tbBuchClick(group);
    QCOMPARE(card.HeaderText(), header);
    QCOMPARE(card.SectionCodes(), codes);
    QStringList shown;
    for (int code : codes)
        shown.append(card.SectionCaption(code));
    QCOMPARE(shown, captions);
    QCOMPARE(card.CurrentSection(), codes.first());
    // Nothing is registered for the person card here, so no section shows a frame.
    QVERIFY(!card.SectionFrame());
}

void TestPeopleObjFrame::RegisteredSectionsShowThePerson()
{
    QList<int> made;
    Screens::RegisterSection(Kind::Person, TPeopleObjFrame::Roles, [&made](QWidget* parent) {
        made.append(TPeopleObjFrame::Roles);
        return new TPersonSection(parent);
    });
    Screens::RegisterSection(Kind::Organization, TPeopleObjFrame::HowConnect, [&made](QWidget* parent) {
        made.append(-1);
        return new TPersonSection(parent);
    });
    TDBMainInfo person;
    QVERIFY(person.SetObj(StorePerson(u"Петров"_s, u"Иван"_s, false)));
    TPeopleObjFrame card;
    card.SetMasterDBInfo(&person);
    // The first section is registered for organization cards only.
    QVERIFY(!card.SectionFrame());
    QVERIFY(card.ShowSection(TPeopleObjFrame::Roles));
    auto* section = dynamic_cast<TPersonSection*>(card.SectionFrame());
    QVERIFY(section);
    QCOMPARE(section->LoadedSurname, u"Петров"_s);
    QCOMPARE(section->MasterId(), person.Obj.Text());
    QCOMPARE(made, QList<int>{TPeopleObjFrame::Roles});
    QVERIFY(!card.ShowSection(TPeopleObjFrame::Finance));
}

void TestPeopleObjFrame::PrintHandsThePersonToTheReport()
{
    const QString id = StorePerson(u"Петров"_s, u"Иван"_s, false);
    TDBMainInfo person;
    QVERIFY(person.SetObj(id));
    {
        TPeopleObjFrame card;
        card.SetMasterDBInfo(&person);
        QVERIFY(!card.aPrint()->isEnabled());
    }
    QStringList printed;
    Screens::RegisterObjectReport(Kind::Person,
                                  [&printed](const TDBMainInfo& object) { printed.append(object.Obj.Text()); });
    TPeopleObjFrame card;
    card.SetMasterDBInfo(&person);
    card.show();
    card.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&card));
    QVERIFY(card.aPrint()->isEnabled());
    auto* editor = dynamic_cast<TFEditPeople*>(card.EditFrame());
    editor->eFamily()->setFocus();
    QTest::keyClick(editor->eFamily(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(printed, QStringList{id});
}

void TestPeopleObjFrame::SavingAnEditedPersonWritesTheEditor()
{
    const QString id = StorePerson(u"Петров"_s, u"Иван"_s, false);
    TDBMainInfo person;
    QVERIFY(person.SetObj(id));
    TPeopleObjFrame card;
    card.SetMasterDBInfo(&person);
    auto* editor = dynamic_cast<TFEditPeople*>(card.EditFrame());
    editor->eFamily()->setText(u"  петров-водкин"_s);
    editor->eParent()->setText(u"Сергеевич"_s);
    const int updates = static_cast<int>(m_broker->WinListUpdates().size());
    card.aSave()->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(id));
    QCOMPARE(stored.Str1, u"Петров-водкин"_s);
    QCOMPARE(stored.Str5, u"Петров-водкин И. С."_s);
    QCOMPARE(card.MasterDBInfo()->Str5, u"Петров-водкин И. С."_s);
    QCOMPARE(m_broker->WinListUpdates().size(), updates + 1);

    // A person left without any name is refused, and nothing changes in the database.
    const QString dump = m_fixture->Dump();
    editor->eFamily()->clear();
    editor->eName()->clear();
    editor->eParent()->clear();
    card.aSave()->trigger();
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().first().startsWith(u"Укажите одно из обязательных полей"_s));
    QCOMPARE(m_fixture->Dump(), dump);
}

QTEST_MAIN(TestPeopleObjFrame)
#include "tst_peopleobjframe.moc"
