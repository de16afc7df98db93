// The relation tree of a person card and its family panel: the shapes of the tree (two marriages, the
// mother's line, an adoption, a person alone), looping data, and the panel's six actions with scripted
// answers, each followed by the rebuilt tree.
#include "contacts/ContactScreens.h"
#include "contacts/FamilyView.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/PeoplePrev.h"
#include "contacts/PersonSections.h"
#include "contacts/RelationTree.h"
#include "shell/frames/ListRowDrag.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/FindModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"
#include "tests/shell/DialogScript.h"
#include "tests/shell/Screenshots.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSqlQuery>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

/// The tree as text: one line per node, indented by its depth, with "*" for the adopted mark and "!" for a
/// loop; the current node is prefixed ">".
QStringList Dump(const TRelationTree& tree)
{
    QStringList lines;
    const std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        const TLinkRecord* record = tree.NodeRecord(item);
        QString line = QString(depth * 2, u' ') + item->text(0);
        if (record && record->Adopted)
            line += u" *"_s;
        if (record && record->Cycle)
            line += u" !"_s;
        if (item == tree.TV()->currentItem())
            line.prepend(u'>');
        lines << line;
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.TV()->topLevelItemCount(); ++i)
        walk(tree.TV()->topLevelItem(i), 0);
    return lines;
}

TObjectRow Stored(const QString& id)
{
    TDBMainInfo row;
    row.SetObj(id);
    return row;
}

} // namespace

class TestRelationTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();

    void twoMarriagesTheMothersLineAndAChildsFamily();
    void adoptedOnlyAndAlone();
    void loopingDataEndsWithAMark();
    void familyPanelActions();
    void largeTreeIsBuiltInSlicesAndStops();
    void aPersonDroppedOnTheTreeIsNamed();
    void treeAndKinshipInThePersonCard();

private:
    /// A line of \a generations families, one under the other, each with \a others more children without a
    /// family, and a last child under the last one: written in one transaction. The last child's id.
    QString InsertLine(int generations, int others);
    QString Person(const QString& key, const QString& name, bool female, const QString& native = {});
    QString Family(const QString& key, const QString& husband, const QString& wife, double start = 0);
    /// Shows the tree of the person \a key.
    void Show(TRelationTree& tree, const QString& key);
    void Select(TRelationTree& tree, const QString& caption);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TObjectWeb> m_web;
    TDBMainInfo m_master;
};

void TestRelationTree::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    m_web = std::make_unique<TObjectWeb>();
    RegisterContactScreens();
    // Grandparents on both sides, the parents, the person with a sister, two marriages and a married son.
    Person(u"gf"_s, u"Орлов Иван"_s, false);
    Person(u"gm"_s, u"Орлова Анна"_s, true);
    Family(u"FG"_s, u"gf"_s, u"gm"_s);
    Person(u"mgf"_s, u"Белов Семён"_s, false);
    Person(u"mgm"_s, u"Белова Вера"_s, true);
    Family(u"FM"_s, u"mgf"_s, u"mgm"_s);
    Person(u"father"_s, u"Орлов Пётр"_s, false, u"FG"_s);
    Person(u"mother"_s, u"Орлова Мария"_s, true, u"FM"_s);
    Family(u"FP"_s, u"father"_s, u"mother"_s);
    Person(u"root"_s, u"Орлов Алексей"_s, false, u"FP"_s);
    Person(u"sister"_s, u"Орлова Юлия"_s, true, u"FP"_s);
    Person(u"w1"_s, u"Орлова Ирина"_s, true);
    Person(u"w2"_s, u"Орлова Дарья"_s, true);
    Family(u"R1"_s, u"root"_s, u"w1"_s, 36000);
    Family(u"R2"_s, u"root"_s, u"w2"_s, 42000);
    Person(u"son"_s, u"Орлов Глеб"_s, false, u"R1"_s);
    Person(u"sonwife"_s, u"Орлова Ольга"_s, true);
    Family(u"S1"_s, u"son"_s, u"sonwife"_s);
    QVERIFY(m_web->IsComplete());
}

void TestRelationTree::cleanup()
{
    m_web.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestRelationTree::Person(const QString& key, const QString& name, bool female, const QString& native)
{
    return m_web->Add(key, Kind::Person, [&](TDBMainInfo& row) {
        const TPersonView person(row);
        person.SetSurname(name.section(u' ', 0, 0));
        person.SetFirstName(name.section(u' ', 1, 1));
        person.SetIsFemale(female);
        person.SetNativeFamily(native.isEmpty() ? Ids::None : m_web->Id(native));
    });
}

QString TestRelationTree::Family(const QString& key, const QString& husband, const QString& wife, double start)
{
    return m_web->Add(key, Kind::Family, [&](TDBMainInfo& row) {
        const TFamilyView family(row);
        family.SetHusband(husband.isEmpty() ? Ids::None : m_web->Id(husband));
        family.SetWife(wife.isEmpty() ? Ids::None : m_web->Id(wife));
        const auto name = [this](const QString& who) {
            const TObjectRow person = Stored(m_web->Id(who));
            return QString(person.Str1 + u' ' + person.Str2).trimmed();
        };
        family.SetHusbandName(husband.isEmpty() ? QString() : name(husband));
        family.SetWifeName(wife.isEmpty() ? QString() : name(wife));
        family.SetStatus(FamilyStatus::Married);
        family.SetStart(start);
    });
}

void TestRelationTree::Show(TRelationTree& tree, const QString& key)
{
    m_master.SetDatabase(m_fixture->Db());
    QVERIFY(m_master.SetObj(m_web->Id(key)));
    tree.SetMasterDBInfo(&m_master);
}

void TestRelationTree::Select(TRelationTree& tree, const QString& caption)
{
    const QList<QTreeWidgetItem*> found = tree.TV()->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!found.isEmpty(), qPrintable(caption));
    tree.TV()->setCurrentItem(found.first());
}

void TestRelationTree::twoMarriagesTheMothersLineAndAChildsFamily()
{
    TRelationTree tree;
    Show(tree, u"root"_s);
    QCOMPARE(Dump(tree), (QStringList{
        u"Семья: Орлов Иван и Орлова Анна"_s,
        u"  Семья: Орлов Пётр и Орлова Мария"_s,
        u">    Семья: Орлов Алексей и Орлова Дарья"_s,
        u"    Семья: Орлов Алексей и Орлова Ирина"_s,
        u"      Семья: Орлов Глеб и Орлова Ольга"_s,
        u"    Орлова Юлия"_s,
        u"Семья: Белов Семён и Белова Вера"_s,
        u"  Семья: Орлова Мария и Орлов Пётр"_s,
    }));
    QVERIFY(tree.PBuilding()->isHidden());
    QCOMPARE(tree.PBuilding()->text(), u" Построение древа...."_s);
    QVERIFY(!tree.IsBuilding());
    // The panel shows the selected node's person first: the mother's node swaps the partners.
    QCOMPARE(tree.ObjView()->P1()->MasterId(), m_web->Id(u"root"_s));
    QCOMPARE(tree.ObjView()->P2()->MasterId(), m_web->Id(u"w2"_s));
    Select(tree, u"Семья: Орлова Мария и Орлов Пётр"_s);
    QCOMPARE(tree.ObjView()->P1()->MasterId(), m_web->Id(u"mother"_s));
    QCOMPARE(tree.ObjView()->P2()->MasterId(), m_web->Id(u"father"_s));
    QVERIFY(tree.ObjView()->TbDelFamily()->isEnabled());
    QVERIFY(tree.ObjView()->TbDelParent1()->isEnabled());
    QVERIFY(!tree.ObjView()->TbAddParent1()->isEnabled());
}

void TestRelationTree::adoptedOnlyAndAlone()
{
    Person(u"adopted"_s, u"Орлов Кирилл"_s, false);
    m_web->Add(u"adoption"_s, Kind::AdoptiveFamilyLink, [&](TDBMainInfo& r) {
        AdoptiveFamilyLinkView(r).SetFamily(m_web->Id(u"FP"_s));
        AdoptiveFamilyLinkView(r).SetPerson(m_web->Id(u"adopted"_s));
    });
    Person(u"alone"_s, u"Ким Тамара"_s, true);
    QVERIFY(m_web->IsComplete());
    TRelationTree tree;
    Show(tree, u"adopted"_s);
    const QStringList lines = Dump(tree);
    QCOMPARE(lines.mid(0, 3), (QStringList{u"Семья: Орлов Иван и Орлова Анна"_s,
        u"  Семья: Орлов Пётр и Орлова Мария"_s, u">    Орлов Кирилл *"_s}));
    QVERIFY(lines.contains(u"  Семья: Орлова Мария и Орлов Пётр"_s));
    QVERIFY(lines.contains(u"    Семья: Орлов Алексей и Орлова Ирина"_s));

    Show(tree, u"alone"_s);
    QCOMPARE(Dump(tree), QStringList{u">Ким Тамара"_s});
    QVERIFY(tree.ObjView()->TbNewFamily()->isEnabled());
    QVERIFY(tree.ObjView()->TbAddParent1()->isEnabled());
    QVERIFY(!tree.ObjView()->TbDelFamily()->isEnabled());
    QVERIFY(!tree.ObjView()->TbAddChildren()->isEnabled());
}

void TestRelationTree::loopingDataEndsWithAMark()
{
    // A family that is its husband's own native family.
    const QString loop = Person(u"loop"_s, u"Петлин Яков"_s, false);
    const QString family = Family(u"LF"_s, u"loop"_s, QString());
    TDBMainInfo row;
    QVERIFY(row.SetObj(loop));
    PersonView(row).SetNativeFamily(family);
    QVERIFY(row.Save().Ok());
    TRelationTree tree;
    Show(tree, u"loop"_s);
    QCOMPARE(Dump(tree), QStringList{u">Семья: Петлин Яков !"_s});

    // A man who is his own grandfather: his son is his father.
    TDBMainInfo gf;
    QVERIFY(gf.SetObj(m_web->Id(u"gf"_s)));
    PersonView(gf).SetNativeFamily(m_web->Id(u"S1"_s));
    QVERIFY(gf.Save().Ok());
    Show(tree, u"root"_s);
    const QStringList lines = Dump(tree);
    QVERIFY(lines.size() < 20);
    QVERIFY2(lines.join(u'\n').contains(u'!'), qPrintable(lines.join(u'\n')));
    QCOMPARE(lines.filter(u"Семья: Орлов Алексей и Орлова Ирина"_s).size(), 1);
}

void TestRelationTree::familyPanelActions()
{
    TScriptedBroker broker;
    TRelationTree tree;
    tree.resize(700, 500);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    Show(tree, u"root"_s);
    Kinship::TFamilyView* panel = tree.ObjView();
    const QString w1Family = u"    Семья: Орлов Алексей и Орлова Ирина"_s;

    // Add children: the pick dialog gets half the father's surname; the new child appears, the node stays.
    const QString child = Person(u"child"_s, u"Орлова Нина"_s, true);
    Select(tree, w1Family.trimmed());
    broker.Queue(TScriptedBroker::TRequest::Pick, RequestAnswer::Done, [&](TDBMainInfo& r) {
        QCOMPARE(r.ObjType, int(Kind::Person));
        QCOMPARE(r.Str1, u"Ор"_s);
        r.SetObj(child);
    });
    QTest::mouseClick(panel->TbAddChildren(), Qt::LeftButton);
    QCOMPARE(Stored(child).Link1.Text(), m_web->Id(u"R1"_s));
    QVERIFY(Dump(tree).contains(u"      Орлова Нина"_s));
    QVERIFY(Dump(tree).contains(u'>' + w1Family));

    // Remove the parents of the person: asked, answered Yes; the ancestors go.
    Select(tree, w1Family.trimmed());
    m_messages->QueueAnswer(TAnswer::Yes);
    QTest::mouseClick(panel->TbDelParent1(), Qt::LeftButton);
    QVERIFY(m_messages->Shown().contains(FamilyRuleTexts::RemoveParentsQuestion));
    QVERIFY(IsEmptyId(Stored(m_web->Id(u"root"_s)).Link1));
    QCOMPARE(Dump(tree).first(), u"Семья: Орлов Алексей и Орлова Дарья"_s);

    // Add the parents back by picking their family.
    QVERIFY(panel->TbAddParent1()->isEnabled());
    broker.Queue(TScriptedBroker::TRequest::Pick, RequestAnswer::Done,
        [&](TDBMainInfo& r) { r.SetObj(m_web->Id(u"FP"_s)); });
    QTest::mouseClick(panel->TbAddParent1(), Qt::LeftButton);
    QCOMPARE(Stored(m_web->Id(u"root"_s)).Link1.Text(), m_web->Id(u"FP"_s));
    QCOMPARE(Dump(tree).first(), u"Семья: Орлов Иван и Орлова Анна"_s);

    // A new family of the person: the family dialog saves it with a third wife.
    const QString w3 = Person(u"w3"_s, u"Лунина Вера"_s, true);
    broker.Queue(TScriptedBroker::TRequest::Edit, RequestAnswer::Done, [&](TDBMainInfo& r) {
        QCOMPARE(r.Link1.Text(), m_web->Id(u"root"_s));
        FamilyView(r).SetWife(w3);
        FamilyView(r).SetWifeName(u"Лунина Вера"_s);
        FamilyView(r).SetHusbandName(u"Орлов Алексей"_s);
        QVERIFY(r.Save().Ok());
    });
    QTest::mouseClick(panel->TbNewFamily(), Qt::LeftButton);
    QVERIFY(Dump(tree).join(u'\n').contains(u"Семья: Орлов Алексей и Лунина Вера"_s));

    // Edit opens the family's card; delete goes through the main window and the node goes.
    Select(tree, w1Family.trimmed());
    QTest::mouseClick(panel->TbEditFamily(), Qt::LeftButton);
    QCOMPARE(broker.Calls().last().Request, TScriptedBroker::TRequest::Open);
    QCOMPARE(broker.Calls().last().Id, m_web->Id(u"R1"_s));
    broker.Queue(TScriptedBroker::TRequest::Delete, RequestAnswer::Done, [](TDBMainInfo& r) {
        QCOMPARE(TMyDataBase::ExecuteOn(nullptr, u"delete from AllInfo where ObjId = "_s + SqlDialect::Quote(r.Obj)), 0);
    });
    QTest::mouseClick(panel->TbDelFamily(), Qt::LeftButton);
    QCOMPARE(broker.Calls().last().Request, TScriptedBroker::TRequest::Delete);
    QVERIFY(!Dump(tree).join(u'\n').contains(u"Орлова Ирина"_s));
}

/// Picks \a id in the next people pick dialog, with Enter on its row; \a surname gets the surname of its template.
void ChooseInPickDialog(const QString& id, QString* surname = nullptr)
{
    WhenDialogShown<TFindModalForm>([id, surname](TFindModalForm& pick) {
        auto* people = dynamic_cast<TFindPeople*>(pick.Frame());
        QVERIFY(people);
        if (surname)
            *surname = people->MasterDBInfo() ? people->MasterDBInfo()->Str1 : QString();
        QTRY_VERIFY(people->ListGrid()->Model()->RecordCount() > 0);
        const int row = people->ListGrid()->Model()->Locate(u"ObjId"_s, id);
        QVERIFY(row >= 0);
        people->ListGrid()->SetCurrentRecord(row);
        people->ListGrid()->setFocus();
        QTest::keyClick(people->ListGrid(), Qt::Key_Return);
    });
}

QString TestRelationTree::InsertLine(int generations, int others)
{
    QSqlDatabase connection = m_fixture->Db()->Connection();
    QSqlQuery insert(connection);
    if (!connection.transaction())
        return QString();
    insert.prepare(u"insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Flag, Str1, Str2) "
                   u"values (?, ?, ?, ?, ?, ?, ?, ?)"_s);
    quint32 counter = 0x00100000;
    // A person's Str1 and Str2 are the surname and first name, a family's the husband's and wife's names.
    const auto add = [&](int kind, const QString& link1, const QString& link2, bool female, const QString& str1,
                         const QString& str2) {
        const QString id = MakeId(++counter, 7);
        for (const QVariant& value : {QVariant(id), QVariant(kind), QVariant(link1), QVariant(link2),
                 QVariant(Ids::None), QVariant(female ? -1 : 0), QVariant(str1), QVariant(str2)})
            insert.addBindValue(value);
        return insert.exec() ? id : QString();
    };
    QString native = Ids::None;
    QString husband;
    for (int g = 0; g < generations; ++g) {
        husband = add(Kind::Person, native, Ids::None, false, u"Род"_s, u"Муж%1"_s.arg(g));
        const QString wife = add(Kind::Person, Ids::None, Ids::None, true, u"Род"_s, u"Жена%1"_s.arg(g));
        native = add(Kind::Family, husband, wife, false, u"Род Муж%1"_s.arg(g), u"Род Жена%1"_s.arg(g));
        for (int i = 0; i < others; ++i)
            add(Kind::Person, native, Ids::None, i % 2 == 1, u"Род"_s, u"Ребёнок%1-%2"_s.arg(g).arg(i));
    }
    const QString last = add(Kind::Person, native, Ids::None, false, u"Род"_s, u"Последний"_s);
    return connection.commit() && !last.isEmpty() ? last : QString();
}

void TestRelationTree::largeTreeIsBuiltInSlicesAndStops()
{
    // 40 generations of a father's line, 5,000 people: the tree of the last child has a node for each
    // family and for each of the others (the line's sons stand in their own families), the child's own node
    // and the node of his mother's line.
    constexpr int Generations = 40;
    constexpr int Others = 123;
    const QString last = InsertLine(Generations, Others);
    QVERIFY(!last.isEmpty());
    const int nodes = Generations * (1 + Others) + 2;
    TRelationTree tree;
    tree.show();
    m_master.SetDatabase(m_fixture->Db());
    QVERIFY(m_master.SetObj(last));
    tree.SetMasterDBInfo(&m_master);
    // The first nodes come at once, the rest between events, with the building panel and its Stop.
    QVERIFY(tree.IsBuilding());
    QVERIFY(tree.BStop()->isVisible());
    QVERIFY(tree.PBuilding()->isVisible());
    QVERIFY(tree.TV()->isHidden());
    QVERIFY(tree.NodeCount() >= TRelationTree::FirstNodes);
    QVERIFY(tree.NodeCount() < nodes);
    QTRY_VERIFY_WITH_TIMEOUT(!tree.IsBuilding(), 120000);
    QVERIFY(!tree.WasStopped());
    QCOMPARE(tree.NodeCount(), nodes);
    QVERIFY(!tree.BStop()->isVisible());
    QVERIFY(tree.TV()->isVisible());
    QCOMPARE(tree.TV()->topLevelItemCount(), 2);
    QCOMPARE(tree.TV()->topLevelItem(0)->text(0), u"Семья: Род Муж0 и Род Жена0"_s);
    const TLinkRecord* current = tree.NodeRecord(tree.TV()->currentItem());
    QVERIFY(current);
    QVERIFY(SameId(current->PersonId, last));
    int depth = 0;
    for (QTreeWidgetItem* up = tree.TV()->currentItem(); up->parent(); up = up->parent())
        ++depth;
    QCOMPARE(depth, Generations);

    // Stop keeps what was built and builds no more.
    tree.LoadData();
    QVERIFY(tree.IsBuilding());
    QTest::mouseClick(tree.BStop(), Qt::LeftButton);
    QVERIFY(!tree.IsBuilding());
    QVERIFY(tree.WasStopped());
    const int built = tree.NodeCount();
    QVERIFY(built >= TRelationTree::FirstNodes);
    QVERIFY(built < nodes);
    QVERIFY(!tree.BStop()->isVisible());
    QVERIFY(tree.TV()->isVisible());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(tree.NodeCount(), built);
}

void TestRelationTree::aPersonDroppedOnTheTreeIsNamed()
{
    TRelationTree tree;
    tree.show();
    Show(tree, u"root"_s);
    // A row dragged out of a list, dropped on the tree: true when the tree took it.
    const auto drop = [&tree](const QString& id) {
        QMimeData data;
        data.setData(ListRowDrag::MimeType, id.toUtf8());
        QWidget* viewport = tree.TV()->viewport();
        const QPoint at = viewport->rect().center();
        QDragEnterEvent enter(at, Qt::LinkAction | Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(at), Qt::LinkAction | Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &dropped);
        return dropped.isAccepted();
    };
    QVERIFY(drop(m_web->Id(u"mgf"_s)));
    QCOMPARE(tree.LKinship()->text(), u"Белов Семён — дедушка"_s);
    QCOMPARE(tree.KinshipPath()->topLevelItemCount(), 3);
    // Neither the person himself nor a family is taken, and what was shown stays.
    QVERIFY(!drop(m_web->Id(u"root"_s)));
    QVERIFY(!drop(m_web->Id(u"FP"_s)));
    QVERIFY(!drop(QString()));
    QCOMPARE(tree.LKinship()->text(), u"Белов Семён — дедушка"_s);
}

void TestRelationTree::treeAndKinshipInThePersonCard()
{
    // An aunt with a son: the person's cousin.
    Person(u"aunt"_s, u"Зимина Ольга"_s, true, u"FG"_s);
    Person(u"uncle"_s, u"Зимин Николай"_s, false);
    Family(u"FA"_s, u"uncle"_s, u"aunt"_s);
    const QString cousin = Person(u"cousin"_s, u"Зимин Кирилл"_s, false, u"FA"_s);
    const QString child = Person(u"child"_s, u"Орлова Нина"_s, true);
    QVERIFY(m_web->IsComplete());
    QVERIFY(m_fixture->WriteSettingsFile());
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.resize(1100, 760);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    TDBMainInfo record;
    QVERIFY(record.SetObj(m_web->Id(u"root"_s)));
    QCOMPARE(SendRequest(TMainMessage::WM_OPENOBJECT, record), 0);
    auto* cards = main.findChild<QStackedWidget*>(u"ObjCards"_s);
    auto* card = qobject_cast<TPeopleObjFrame*>(cards->currentWidget());
    QVERIFY(card);
    card->tbFamily()->click();
    QVERIFY(card->ShowSection(PersonSection::RelationTree));
    auto* tree = qobject_cast<TRelationTree*>(card->SectionFrame());
    QVERIFY(tree);
    QTRY_VERIFY(Dump(*tree).contains(u">    Семья: Орлов Алексей и Орлова Дарья"_s));
    QVERIFY(Dump(*tree).contains(u"  Семья: Зимина Ольга и Зимин Николай"_s));

    // A child is added to the first marriage through the family panel and the real pick dialog.
    const QString firstMarriage = u"Семья: Орлов Алексей и Орлова Ирина"_s;
    Select(*tree, firstMarriage);
    tree->ObjView()->TbAddChildren()->setFocus();
    QString surname;
    ChooseInPickDialog(child, &surname);
    QTest::keyClick(tree->ObjView()->TbAddChildren(), Qt::Key_Space);
    QCOMPARE(surname, u"Ор"_s);
    QCOMPARE(Stored(child).Link1.Text(), m_web->Id(u"R1"_s));
    QTRY_VERIFY(Dump(*tree).contains(u"      Орлова Нина"_s));
    QVERIFY(Dump(*tree).contains(u">    "_s + firstMarriage));
    QVERIFY(SaveScreenshot(main, u"relation-tree.png"_s));

    // How the cousin is related, picked in the people pick dialog.
    tree->TbKinship()->setFocus();
    ChooseInPickDialog(cousin);
    QTest::keyClick(tree->TbKinship(), Qt::Key_Space);
    QCOMPARE(tree->LKinship()->text(), u"Зимин Кирилл — двоюродный брат"_s);
    QTRY_VERIFY(tree->KinshipPath()->isVisible());
    QCOMPARE(tree->KinshipPath()->topLevelItemCount(), 4);
    QCOMPARE(tree->KinshipPath()->topLevelItem(2)->text(1), u"сестра"_s);
    QVERIFY(SaveScreenshot(main, u"kinship-path.png"_s));
}

QTEST_MAIN(TestRelationTree)
#include "tst_relationtree.moc"
