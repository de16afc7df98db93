// The family screens: the editor's partner order, the family list's filter, a person's marriages, and the
// whole way from a person card to a married couple with an adopted child in the real main window.
#include "contacts/ContactScreens.h"
#include "contacts/EditFamily.h"
#include "contacts/FamilyObjFrame.h"
#include "contacts/FindFamily.h"
#include "contacts/FindPeople.h"
#include "contacts/FP2FamilyFrame.h"
#include "contacts/People2Family.h"
#include "contacts/PeopleFamilyFind.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/PeoplePrev.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/FindModalForm.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/mainwindow/WinListForm.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString SavePerson(const QString& surname, const QString& name, bool female)
{
    TDBMainInfo row;
    row.ObjType = Kind::Person;
    const TPersonView person(row);
    person.SetSurname(surname);
    person.SetFirstName(name);
    person.SetIsFemale(female);
    return row.Save().Ok() ? row.Obj.Text() : QString();
}

QString SaveFamily(const QString& link1, const QString& link2, int status, double start = 0)
{
    TDBMainInfo row;
    row.ObjType = Kind::Family;
    const TFamilyView family(row);
    family.SetHusband(link1);
    family.SetWife(link2);
    family.SetStatus(status);
    family.SetStart(start);
    family.SetStartComplete(start > 0);
    return row.Save().Ok() ? row.Obj.Text() : QString();
}

QStringList Column(TMyDBGrid* grid, const QString& field)
{
    QStringList values;
    TListModel* model = grid->Model();
    for (int row = 0; row < model->RecordCount(); ++row)
        values << model->Row(row).Text(field);
    return values;
}

} // namespace

class TestFamilies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();

    void editorPutsTheWomanOnTheWifeSide();
    void newFamilyDefaultsAndRefusals();
    void familyFilterByStatusAndPartner();
    void marriagesOfAManAndSameSexRefusal();
    void marriageAndAdoptionFromThePersonCard();

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    QString m_ivan;
    QString m_anna;
    QString m_olga;
    QString m_petr;
};

void TestFamilies::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
    m_ivan = SavePerson(u"Иванов"_s, u"Иван"_s, false);
    m_anna = SavePerson(u"Иванова"_s, u"Анна"_s, true);
    m_olga = SavePerson(u"Смирнова"_s, u"Ольга"_s, true);
    m_petr = SavePerson(u"Петров"_s, u"Пётр"_s, false);
    QVERIFY(!m_petr.isEmpty());
}

void TestFamilies::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestFamilies::editorPutsTheWomanOnTheWifeSide()
{
    // Stored by a marriages list in the woman's order: Link1 is the wife.
    const QString id = SaveFamily(m_anna, m_ivan, FamilyStatus::Divorced);
    TDBMainInfo family;
    QVERIFY(family.SetObj(id));
    TEditFamily editor;
    editor.SetLinkMode(1);
    editor.SetMasterDBInfo(&family);
    QCOMPARE(editor.Partner(TEditFamily::HusbandSide).Obj.Text(), m_ivan);
    QCOMPARE(editor.Partner(TEditFamily::WifeSide).Obj.Text(), m_anna);
    QCOMPARE(editor.p1()->lStr1()->text(), u"Иванов"_s);
    QCOMPARE(editor.p2()->lStr2()->text(), u"Анна"_s);
    QCOMPARE(editor.cbStatus()->currentText(), u"Развелись"_s);
    QVERIFY(family.Save().Ok());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(id));
    const TFamilyView view(stored);
    QCOMPARE(view.Husband().Text(), m_ivan);
    QCOMPARE(view.Wife().Text(), m_anna);
    QCOMPARE(view.HusbandName(), u"Иванов Иван"_s);
    QCOMPARE(view.WifeName(), u"Иванова Анна"_s);
    QCOMPARE(view.Status(), qint64(FamilyStatus::Divorced));

    // A woman alone on the husband's side is stored as the wife; removing her leaves no partner.
    const QString alone = SaveFamily(m_olga, Ids::None, FamilyStatus::Widow);
    TDBMainInfo widow;
    QVERIFY(widow.SetObj(alone));
    editor.SetMasterDBInfo(&widow);
    QCOMPARE(editor.Partner(TEditFamily::WifeSide).Obj.Text(), m_olga);
    QVERIFY(IsEmptyId(editor.Partner(TEditFamily::HusbandSide).Obj));
    QVERIFY(widow.Save().Ok());
    QVERIFY(stored.SetObj(alone));
    QCOMPARE(stored.Link1.Text(), Ids::None);
    QCOMPARE(stored.Link2.Text(), m_olga);
    QVERIFY(editor.miDel2()->isEnabled());
    editor.miDel2()->click();
    QVERIFY(!editor.miDel2()->isEnabled());
    QCOMPARE(editor.ApplyData(), 1);
    QCOMPARE(editor.ErrorText(), u"Укажите хотя бы одного члена семьи!"_s);
    editor.SetMasterDBInfo(nullptr);
}

void TestFamilies::newFamilyDefaultsAndRefusals()
{
    TScriptedBroker broker;
    TMainModalForm dialog;
    TDBMainInfo fresh;
    fresh.ObjType = Kind::Family;
    dialog.DBMain()->Assign(&fresh);
    auto* editor = dynamic_cast<TEditFamily*>(dialog.Frame());
    QVERIFY(editor);
    QCOMPARE(dialog.windowTitle(), u"Новая семья"_s);
    QCOMPARE(editor->cbStatus()->currentText(), u"Живут в браке"_s);
    QCOMPARE(editor->cbStatus()->count(), 7);
    QVERIFY(!editor->miEdit1()->isVisible() || !editor->miEdit1()->isEnabled());
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList{u"Укажите хотя бы одного члена семьи!"_s});
    QVERIFY(dialog.result() != int(QDialog::Accepted));

    // The husband's pick asks for a man; a cancelled pick leaves the side as it was.
    broker.Queue(TScriptedBroker::TRequest::Pick, RequestAnswer::Done, [this](TDBMainInfo& record) {
        record.SetObj(m_petr);
    });
    editor->miAdd1()->click();
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(broker.Calls().first().Kind, int(Kind::Person));
    QCOMPARE(broker.Calls().first().Record.Int1, qint64(1));
    QCOMPARE(editor->Partner(TEditFamily::HusbandSide).Obj.Text(), m_petr);
    editor->ToolButton5()->click();
    QCOMPARE(broker.Calls().last().Record.Int1, qint64(2));
    QVERIFY(IsEmptyId(editor->Partner(TEditFamily::WifeSide).Obj));
    m_messages->ClearShown();
    TypeText(editor->mComments(), u"Свадьба в мае"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(dialog.DBMain()->Obj));
    QCOMPARE(stored.Link1.Text(), m_petr);
    QCOMPARE(stored.Link2.Text(), Ids::None);
    QCOMPARE(stored.Str1, u"Петров Пётр"_s);
    QCOMPARE(stored.Comments, u"Свадьба в мае"_s);
    QCOMPARE(stored.Int1, qint64(FamilyStatus::Married));
}

void TestFamilies::familyFilterByStatusAndPartner()
{
    const QString married = SaveFamily(m_ivan, m_anna, FamilyStatus::Married);
    const QString divorced = SaveFamily(m_petr, m_olga, FamilyStatus::Divorced);
    TFindFamily list;
    TDBMainInfo master;
    master.ObjType = Kind::Family;
    list.SetMasterDBInfo(&master);
    list.ToolButton3Click();
    list.Options()->SetValues(u"Статус"_s, u"Развелись"_s);
    list.RunQuery(QString());
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{divorced});
    list.Options()->SetValues(u"Статус"_s, QString());
    list.Options()->SetValues(u"Супруга: Фамилия"_s, u"иван"_s);
    list.RunQuery(QString());
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{married});
    // A quote in a name is searched for as typed.
    list.Options()->SetValues(u"Супруга: Фамилия"_s, u"\" or \"\"=\""_s);
    list.RunQuery(QString());
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);
}

void TestFamilies::marriagesOfAManAndSameSexRefusal()
{
    const QString first = SaveFamily(m_ivan, m_olga, FamilyStatus::Divorced, 30000);
    const QString second = SaveFamily(m_ivan, m_anna, FamilyStatus::Married, 40000);
    SaveFamily(m_petr, m_anna, FamilyStatus::Married, 35000);
    TDBMainInfo ivan;
    QVERIFY(ivan.SetObj(m_ivan));
    TScriptedBroker broker;
    TPeopleFamilyFind list;
    list.SetMasterDBInfo(&ivan);
    QCOMPARE(list.Title()->text(), u"Жены"_s);
    list.RunQuery(QString());
    // His families, newest first, each with the partner.
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList({second, first}));
    QCOMPARE(Column(list.ListGrid(), u"LinkId"_s), QStringList({m_anna, m_olga}));

    // A new marriage picks a woman; a man picked is refused and nothing is written.
    const QString before = m_fixture->Dump();
    broker.Queue(TScriptedBroker::TRequest::Pick, RequestAnswer::Done, [this](TDBMainInfo& record) {
        record.SetObj(m_petr);
    });
    list.findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(broker.Calls().first().Record.Int1, qint64(2));
    QCOMPARE(m_messages->Shown(), QStringList{TPeopleFamilyFind::SameSexRefusal});
    QCOMPARE(m_fixture->Dump(), before);

    // A woman picked: the family dialog gets her and him.
    broker.Queue(TScriptedBroker::TRequest::Pick, RequestAnswer::Done, [this](TDBMainInfo& record) {
        record.SetObj(m_olga);
    });
    broker.Queue(TScriptedBroker::TRequest::Edit, RequestAnswer::NotDone);
    list.findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(broker.Calls().size(), 3);
    const auto& edit = broker.Calls().last();
    QCOMPARE(edit.Kind, int(Kind::Family));
    QCOMPARE(edit.Record.Link1.Text(), m_olga);
    QCOMPARE(edit.Record.Link2.Text(), m_ivan);

    TDBMainInfo anna;
    QVERIFY(anna.SetObj(m_anna));
    TPeopleFamilyFind hers;
    hers.SetMasterDBInfo(&anna);
    QCOMPARE(hers.Title()->text(), u"Мужья"_s);
    hers.RunQuery(QString());
    QCOMPARE(Column(hers.ListGrid(), u"LinkId"_s), QStringList({m_ivan, m_petr}));
}

void TestFamilies::marriageAndAdoptionFromThePersonCard()
{
    const QString child = SavePerson(u"Иванов"_s, u"Миша"_s, false);
    QVERIFY(m_fixture->WriteSettingsFile());
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    // Ivan's card, its family group, the marriages section.
    TDBMainInfo ivan;
    QVERIFY(ivan.SetObj(m_ivan));
    QCOMPARE(SendRequest(TMainMessage::WM_OPENOBJECT, ivan), 0);
    auto* cards = main.findChild<QStackedWidget*>(u"ObjCards"_s);
    auto* card = qobject_cast<TPeopleObjFrame*>(cards->currentWidget());
    QVERIFY(card);
    card->tbFamily()->click();
    QVERIFY(card->ShowSection(PersonSection::Families));
    auto* section = qobject_cast<TFP2FamilyFrame*>(card->SectionFrame());
    QVERIFY(section);
    auto* marriages = qobject_cast<TPeopleFamilyFind*>(section->TopList());
    QVERIFY(marriages);
    QCOMPARE(marriages->Title()->text(), u"Жены"_s);

    // New: the pick dialog offers women only; Anna is chosen with Enter; the family dialog is saved.
    WhenDialogShown<TFindModalForm>([this](TFindModalForm& pick) {
        auto* people = dynamic_cast<TFindPeople*>(pick.Frame());
        QVERIFY(people);
        QCOMPARE(people->Options()->Values(u"Пол"_s), u"женский"_s);
        QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 2);
        const int row = people->ListGrid()->Model()->Locate(u"ObjId"_s, m_anna);
        QVERIFY(row >= 0);
        people->ListGrid()->SetCurrentRecord(row);
        people->ListGrid()->setFocus();
        WhenDialogShown<TMainModalForm>([this](TMainModalForm& dialog) {
            auto* editor = dynamic_cast<TEditFamily*>(dialog.Frame());
            QVERIFY(editor);
            QCOMPARE(editor->Partner(TEditFamily::HusbandSide).Obj.Text(), m_ivan);
            QCOMPARE(editor->Partner(TEditFamily::WifeSide).Obj.Text(), m_anna);
            editor->mComments()->setFocus();
            TypeText(editor->mComments(), u"Венчание"_s);
            QTest::keyClick(&dialog, Qt::Key_Return, Qt::ControlModifier);
            if (dialog.isVisible())
                dialog.AOkExecute();
        });
        QTest::keyClick(people->ListGrid(), Qt::Key_Return);
    });
    marriages->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(marriages->ListGrid()->Model()->RecordCount(), 1);
    const QString familyId = marriages->ListGrid()->Model()->Row(0).Text(u"ObjId"_s);
    TDBMainInfo family;
    QVERIFY(family.SetObj(familyId));
    QCOMPARE(family.Link1.Text(), m_ivan);
    QCOMPARE(family.Link2.Text(), m_anna);
    QCOMPARE(family.Comments, u"Венчание"_s);

    // The child is adopted into the family through the adoption dialog of the main window.
    WhenDialogShown<TMainModalForm>([](TMainModalForm& dialog) {
        auto* editor = dynamic_cast<TPeople2Family*>(dialog.Frame());
        QVERIFY(editor);
        QCOMPARE(dialog.windowTitle(), u"Приемная семья"_s);
        QCOMPARE(editor->gbFamily()->title(), u"Был усыновлен"_s);
        QCOMPARE(editor->People()->lStr2()->text(), u"Миша"_s);
        editor->mComments()->setFocus();
        TypeText(editor->mComments(), u"С года"_s);
        dialog.AOkExecute();
    });
    QVERIFY(AddAdoptiveFamily(family, child, [](TDBMainInfo& adoption) {
        return SendRequest(TMainMessage::WM_EDITOBJECT, adoption) == RequestAnswer::Done;
    }));
    QVERIFY(IsAdoptedBy(familyId, child, nullptr));

    // F2, the family list, Enter: the family card with both partners.
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F2);
    auto* families = qobject_cast<TFindFamily*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(families);
    QCOMPARE(families->objectName(), u"FindFamily"_s);
    QTRY_COMPARE(families->ListGrid()->Model()->RecordCount(), 1);
    families->ListGrid()->setFocus();
    QTest::keyClick(families->ListGrid(), Qt::Key_Return);
    auto* familyCard = qobject_cast<TFamilyObjFrame*>(cards->currentWidget());
    QVERIFY(familyCard);
    auto* editor = dynamic_cast<TEditFamily*>(familyCard->EditFrame());
    QVERIFY(editor);
    QCOMPARE(editor->p1()->lStr2()->text(), u"Иван"_s);
    QCOMPARE(editor->p2()->lStr2()->text(), u"Анна"_s);
    QCOMPARE(editor->mComments()->toPlainText(), u"Венчание"_s);
    QCOMPARE(QApplication::focusWidget(), editor->mComments());
    const int row = main.WinList()->FindCard(familyId);
    QVERIFY(row >= 0);
    QCOMPARE(main.WinList()->CellText(row, 3), u"Иванов Иван\rИванова Анна"_s);
}

QTEST_MAIN(TestFamilies)
#include "tst_families.moc"
