// The kinship lists: parents native and adoptive, children and siblings with their marks, godparents and
// godchildren, residents of an address, and the whole family group of a person card in the real main window.
#include "contacts/ChildrenFind.h"
#include "contacts/ContactScreens.h"
#include "contacts/CrestnikyFind.h"
#include "contacts/CrestParentsFind.h"
#include "contacts/FamilyObjFrame.h"
#include "contacts/FamilySections.h"
#include "contacts/FindFamily.h"
#include "contacts/FindPeople.h"
#include "contacts/FP2CrestFrame.h"
#include "contacts/FP2FamilyFrame.h"
#include "contacts/KinshipLists.h"
#include "contacts/LinkAdrFind.h"
#include "contacts/ParentsFind.h"
#include "contacts/PeopleFamilyFind.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/SosedyFind.h"
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
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/ResidenceView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList Column(TMyDBGrid* grid, const QString& field, bool shown = false)
{
    QStringList values;
    TListModel* model = grid->Model();
    for (int row = 0; row < model->RecordCount(); ++row)
        values << (shown ? model->Row(row).DisplayText(field) : model->Row(row).Text(field));
    return values;
}

/// The picture a status column shows on \a row.
int StatusPicture(TMyDBGrid* grid, int row, const QString& field)
{
    int picture = -2;
    const TListRow listRow = grid->Model()->Row(row);
    grid->OnStatusColumnGetImage(*grid, listRow, TGridColumn{field, QString()}, picture);
    return picture;
}

TObjectRow Stored(const QString& id)
{
    TDBMainInfo row;
    row.SetObj(id);
    return row;
}

void Trigger(QWidget* list, const char* action)
{
    list->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

/// The next pick dialog of \a broker chooses \a id.
void QueuePick(TScriptedBroker& broker, const QString& id)
{
    broker.Queue(TScriptedBroker::TRequest::Pick, RequestAnswer::Done, [id](TDBMainInfo& r) { r.SetObj(id); });
}

/// \a list shows the rows of the object \a id, loaded into \a master.
void ShowFor(TBaseFind& list, TDBMainInfo& master, const QString& id)
{
    QVERIFY(master.SetObj(id));
    list.SetMasterDBInfo(&master);
    list.RunQuery(QString());
}

/// The adoption dialog saving what it was given.
void SaveAdoption(TDBMainInfo& adoption)
{
    QVERIFY(adoption.Save().Ok());
}

/// The main window's deletion, confirmed.
void DeleteRow(TDBMainInfo& row)
{
    QCOMPARE(TMyDataBase::ExecuteOn(nullptr, u"delete from AllInfo where ObjId = "_s + SqlDialect::Quote(row.Obj)), 0);
}

} // namespace

class TestKinship : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();

    void parentsAddedAsNativeOrAdoptiveAndRemoved();
    void childrenAndSiblingsWithTheirMarks();
    void childrenAddedAndRemoved();
    void godparentsRefusedReplacedAndRemoved();
    void godchildrenRefusedReplacedAndRemoved();
    void residentsOfAnAddress();
    void sectionsFollowTheirLists();
    void familyGroupOfAPersonCard();

private:
    QString Person(const QString& key, const QString& surname, const QString& name, bool female,
        const QString& native = QString(), double born = 0);
    QString Family(const QString& key, const QString& husband, const QString& wife);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TObjectWeb> m_web;
};

void TestKinship::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    m_web = std::make_unique<TObjectWeb>();
    RegisterContactScreens();
}

void TestKinship::cleanup()
{
    m_web.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestKinship::Person(const QString& key, const QString& surname, const QString& name, bool female,
    const QString& native, double born)
{
    return m_web->Add(key, Kind::Person, [&](TDBMainInfo& row) {
        const TPersonView person(row);
        person.SetSurname(surname);
        person.SetFirstName(name);
        person.SetIsFemale(female);
        person.SetNativeFamily(native);
        person.SetBirthDate(born);
    });
}

QString TestKinship::Family(const QString& key, const QString& husband, const QString& wife)
{
    return m_web->Add(key, Kind::Family, [&](TDBMainInfo& row) {
        const TFamilyView family(row);
        family.SetHusband(husband.isEmpty() ? Ids::None : husband);
        family.SetWife(wife.isEmpty() ? Ids::None : wife);
        family.SetHusbandName(Stored(husband).Str1);
        family.SetWifeName(Stored(wife).Str1);
        family.SetStatus(FamilyStatus::Married);
    });
}

void TestKinship::parentsAddedAsNativeOrAdoptiveAndRemoved()
{
    const QString father = Person(u"father"_s, u"Орлов"_s, u"Павел"_s, false);
    const QString mother = Person(u"mother"_s, u"Орлова"_s, u"Вера"_s, true);
    const QString stepmother = Person(u"stepmother"_s, u"Лисина"_s, u"Нина"_s, true);
    const QString parents = Family(u"parents"_s, father, mother);
    const QString second = Family(u"second"_s, father, stepmother);
    const QString son = Person(u"son"_s, u"Орлов"_s, u"Глеб"_s, false);
    QVERIFY(m_web->IsComplete());

    TScriptedBroker broker;
    TDBMainInfo master;
    TParentsFind list;
    ShowFor(list, master, son);
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);
    const auto pick = [&broker](const QString& id) { QueuePick(broker, id); };

    // No native family yet: Cancel adds nothing; No goes to the adoption dialog, cancelled there.
    const QString before = m_fixture->Dump();
    pick(parents);
    m_messages->QueueAnswer(TAnswer::Cancel);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList{TParentsFind::AddParentsQuestion});
    QCOMPARE(broker.Calls().last().Kind, int(Kind::Family));
    pick(parents);
    m_messages->QueueAnswer(TAnswer::No);
    Trigger(&list, "aNew");
    QCOMPARE(broker.Calls().last().Request, TScriptedBroker::TRequest::Edit);
    QCOMPARE(broker.Calls().last().Kind, int(Kind::AdoptiveFamilyLink));
    QCOMPARE(m_fixture->Dump(), before);

    // Meanwhile the card renames the person; Yes makes the family native writing only its column. The row
    // is the native family itself, with no mark.
    TDBMainInfo card;
    QVERIFY(card.SetObj(son));
    PersonView(card).SetFirstName(u"Глеб Павлович"_s);
    QVERIFY(card.Save().Ok());
    pick(parents);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&list, "aNew");
    QCOMPARE(Stored(son).Link1.Text(), parents);
    QCOMPARE(Stored(son).Str2, u"Глеб Павлович"_s);
    QCOMPARE(PersonView(*list.MasterDBInfo()).NativeFamily().Text(), parents);
    QCOMPARE(list.NativeFamily().Obj.Text(), parents);
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{parents});
    QCOMPARE(StatusPicture(list.ListGrid(), 0, u"Link1"_s), -1);

    // With a native family the next family is adoptive at once, through its dialog; it shares the father.
    m_messages->ClearShown();
    pick(second);
    broker.Queue(TScriptedBroker::TRequest::Edit, RequestAnswer::Done, SaveAdoption);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList());
    QVERIFY(IsAdoptedBy(second, son, nullptr));
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 2);
    const int adoptive = list.ListGrid()->Model()->Locate(u"ObjId"_s, second);
    QVERIFY(adoptive >= 0);
    const TListRow row = list.ListGrid()->Model()->Row(adoptive);
    QCOMPARE(row.Int(u"ObjType"_s), qint64(Kind::AdoptiveFamilyLink));
    QVERIFY(!IsEmptyId(row.Text(u"LFId"_s)));
    QCOMPARE(StatusPicture(list.ListGrid(), adoptive, u"Link1"_s), Kinship::MarkPicture(Kinship::TMark::SameFather));
    QCOMPARE(row.DisplayText(u"Str1"_s), u"Орлов\nЛисина"_s);
    // Picked again it is refused by the rules.
    pick(second);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList{FamilyRuleTexts::AlreadyAdoptive});

    // Removing the adoptive row deletes the adoption row through the main window.
    list.ListGrid()->SetCurrentRecord(adoptive);
    broker.Queue(TScriptedBroker::TRequest::Delete, RequestAnswer::Done, DeleteRow);
    Trigger(&list, "aDel");
    QCOMPARE(broker.Calls().last().Request, TScriptedBroker::TRequest::Delete);
    QCOMPARE(broker.Calls().last().Kind, int(Kind::AdoptiveFamilyLink));
    QVERIFY(!IsAdoptedBy(second, son, nullptr));
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{parents});

    // Removing the native family writes only its column too.
    m_messages->ClearShown();
    m_messages->QueueAnswer(TAnswer::No);
    Trigger(&list, "aDel");
    QCOMPARE(Stored(son).Link1.Text(), parents);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&list, "aDel");
    QCOMPARE(m_messages->Shown(), QStringList(2, FamilyRuleTexts::RemoveParentsQuestion));
    QCOMPARE(Stored(son).Link1.Text(), Ids::None);
    QCOMPARE(Stored(son).Str2, u"Глеб Павлович"_s);
    QVERIFY(IsEmptyId(PersonView(*list.MasterDBInfo()).NativeFamily()));
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);
    QVERIFY(list.NativeFamily().IsBlank);
}

void TestKinship::childrenAndSiblingsWithTheirMarks()
{
    const QString father = Person(u"father"_s, u"Зуев"_s, u"Олег"_s, false);
    const QString mother = Person(u"mother"_s, u"Зуева"_s, u"Ирина"_s, true);
    const QString other = Person(u"other"_s, u"Клим"_s, u"Антон"_s, false);
    const QString family = Family(u"family"_s, father, mother);
    const QString fathers = Family(u"fathers"_s, father, QString());
    const QString mothers = Family(u"mothers"_s, other, mother);
    const QString single = Family(u"single"_s, other, QString());
    const QString elder = Person(u"elder"_s, u"Зуев"_s, u"Пётр"_s, false, family, 30000);
    const QString younger = Person(u"younger"_s, u"Зуева"_s, u"Ася"_s, true, family, 40000);
    const QString halfBrother = Person(u"half"_s, u"Зуев"_s, u"Лев"_s, false, fathers, 35000);
    const QString halfSister = Person(u"halfSister"_s, u"Клим"_s, u"Ева"_s, true, mothers, 36000);
    QVERIFY(m_web->IsComplete());
    for (const QString& child : {halfBrother, halfSister}) {
        TDBMainInfo adoption;
        adoption.ObjType = Kind::AdoptiveFamilyLink;
        AdoptiveFamilyLinkView(adoption).SetFamily(family);
        AdoptiveFamilyLinkView(adoption).SetPerson(child);
        QVERIFY(adoption.Save().Ok());
    }

    // The children of the family, eldest first; the adopted ones show whom they are from and what they share.
    TDBMainInfo master;
    TChildrenFind children;
    ShowFor(children, master, family);
    TMyDBGrid* grid = children.ListGrid();
    QCOMPARE(children.Title()->text(), u"Дети"_s);
    QCOMPARE(Column(grid, u"ObjId"_s), QStringList({elder, halfBrother, halfSister, younger}));
    QCOMPARE(Column(grid, u"Flag"_s, true), QStringList({u"сын"_s, u"сын"_s, u"дочь"_s, u"дочь"_s}));
    QCOMPARE(Column(grid, u"Str4"_s, true), QStringList({QString(), u"Зуев\n"_s, u"Клим\nЗуева"_s, QString()}));
    QCOMPARE(StatusPicture(grid, 0, u"Link1"_s), -1);
    QCOMPARE(StatusPicture(grid, 1, u"Link1"_s), Kinship::MarkPicture(Kinship::TMark::SameFather));
    QCOMPARE(StatusPicture(grid, 2, u"Link1"_s), Kinship::MarkPicture(Kinship::TMark::SameMother));
    grid->SetCurrentRecord(1);
    QCOMPARE(children.ChildFamily().Obj.Text(), fathers);
    QVERIFY(!IsEmptyId(children.CurLinkId()));
    grid->SetCurrentRecord(0);
    QCOMPARE(children.ChildFamily().Obj.Text(), family);
    QVERIFY(IsEmptyId(children.CurLinkId()));

    // Two families that both lack a wife share no mother: a child of one adopted by the other is "other".
    const QString lone = Person(u"lone"_s, u"Клим"_s, u"Юрий"_s, false, single);
    TDBMainInfo adoption;
    adoption.ObjType = Kind::AdoptiveFamilyLink;
    AdoptiveFamilyLinkView(adoption).SetFamily(fathers);
    AdoptiveFamilyLinkView(adoption).SetPerson(lone);
    QVERIFY(adoption.Save().Ok());
    TDBMainInfo fathersFamily;
    QVERIFY(fathersFamily.SetObj(fathers));
    children.SetMasterDBInfo(&fathersFamily);
    children.RunQuery(QString());
    QCOMPARE(Column(grid, u"ObjId"_s), QStringList({lone, halfBrother}));
    QCOMPARE(StatusPicture(grid, 0, u"Link1"_s), Kinship::MarkPicture(Kinship::TMark::Other));
    QCOMPARE(Kinship::CoupleMark(father, Ids::None, father, Ids::None), Kinship::TMark::SameFather);
    QCOMPARE(Kinship::CoupleMark(father, mother, father, mother), Kinship::TMark::None);

    // The siblings of the younger daughter: the family from her parents list leaves her out.
    TDBMainInfo her;
    TParentsFind parents;
    ShowFor(parents, her, younger);
    QCOMPARE(parents.CurObjId(), family);
    TChildrenFind siblings;
    siblings.SetSiblings(true);
    siblings.SetMasterDBInfo(parents.GetCurrentObjInfo());
    siblings.RunQuery(QString());
    QCOMPARE(siblings.Title()->text(), u"Братья и сестры"_s);
    QCOMPARE(Column(siblings.ListGrid(), u"ObjId"_s), QStringList({elder, halfBrother, halfSister}));
    QCOMPARE(Column(siblings.ListGrid(), u"Flag"_s, true), QStringList({u"брат"_s, u"брат"_s, u"сестра"_s}));
}

void TestKinship::childrenAddedAndRemoved()
{
    const QString father = Person(u"father"_s, u"Гусев"_s, u"Иван"_s, false);
    const QString mother = Person(u"mother"_s, u"Гусева"_s, u"Лидия"_s, true);
    const QString family = Family(u"family"_s, father, mother);
    const QString elsewhere = Family(u"elsewhere"_s, Person(u"x"_s, u"Ким"_s, u"Ян"_s, false), QString());
    const QString foundling = Person(u"foundling"_s, u"Гусев"_s, u"Кирилл"_s, false);
    const QString ward = Person(u"ward"_s, u"Ким"_s, u"Ида"_s, true, elsewhere);
    QVERIFY(m_web->IsComplete());
    TScriptedBroker broker;
    TDBMainInfo master;
    TChildrenFind children;
    ShowFor(children, master, family);
    const auto pick = [&broker](const QString& id) { QueuePick(broker, id); };

    // A child with no native family: Cancel adds nothing, No the adoption dialog, Yes makes it native.
    const QString before = m_fixture->Dump();
    pick(foundling);
    m_messages->QueueAnswer(TAnswer::Cancel);
    Trigger(&children, "aNew");
    QCOMPARE(broker.Calls().last().Kind, int(Kind::Person));
    pick(foundling);
    m_messages->QueueAnswer(TAnswer::No);
    Trigger(&children, "aNew");
    QCOMPARE(broker.Calls().last().Kind, int(Kind::AdoptiveFamilyLink));
    QCOMPARE(broker.Calls().last().Record.Link1.Text(), family);
    QCOMPARE(broker.Calls().last().Record.Link2.Text(), foundling);
    QCOMPARE(m_fixture->Dump(), before);
    pick(foundling);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&children, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList(3, TChildrenFind::ChildQuestion));
    QCOMPARE(Stored(foundling).Link1.Text(), family);
    QCOMPARE(children.CurObjId(), foundling);
    // A partner of the family cannot be its child.
    m_messages->ClearShown();
    pick(father);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&children, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList({TChildrenFind::ChildQuestion, FamilyRuleTexts::OwnParent}));

    // A child born elsewhere is adopted at once through the dialog; the link button edits the adoption.
    m_messages->ClearShown();
    pick(ward);
    broker.Queue(TScriptedBroker::TRequest::Edit, RequestAnswer::Done, SaveAdoption);
    Trigger(&children, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(Column(children.ListGrid(), u"ObjId"_s), QStringList({foundling, ward}));
    QCOMPARE(children.CurObjId(), ward);
    const QString adoption = children.CurLinkId();
    QVERIFY(IsAdoptedBy(family, ward, nullptr));
    broker.Queue(TScriptedBroker::TRequest::Edit, RequestAnswer::NotDone);
    Trigger(&children, "aLinks");
    QCOMPARE(broker.Calls().last().Request, TScriptedBroker::TRequest::Edit);
    QCOMPARE(broker.Calls().last().Id, adoption);

    // Removing: the adoption row goes through the main window; a native child loses its family on Yes.
    broker.Queue(TScriptedBroker::TRequest::Delete, RequestAnswer::Done, DeleteRow);
    Trigger(&children, "aDel");
    QCOMPARE(broker.Calls().last().Id, adoption);
    QVERIFY(!IsAdoptedBy(family, ward, nullptr));
    QCOMPARE(Stored(ward).Link1.Text(), elsewhere);
    QCOMPARE(Column(children.ListGrid(), u"ObjId"_s), QStringList{foundling});
    m_messages->ClearShown();
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&children, "aDel");
    QCOMPARE(m_messages->Shown(), QStringList{FamilyRuleTexts::RemoveParentsQuestion});
    QCOMPARE(Stored(foundling).Link1.Text(), Ids::None);
    QCOMPARE(children.ListGrid()->Model()->RecordCount(), 0);
}

void TestKinship::godparentsRefusedReplacedAndRemoved()
{
    const QString father = Person(u"father"_s, u"Белов"_s, u"Роман"_s, false);
    const QString mother = Person(u"mother"_s, u"Белова"_s, u"Ада"_s, true);
    const QString family = Family(u"family"_s, father, mother);
    const QString child = Person(u"child"_s, u"Белов"_s, u"Саша"_s, false, family);
    const QString aunt = Person(u"aunt"_s, u"Сомова"_s, u"Тая"_s, true);
    const QString neighbour = Person(u"neighbour"_s, u"Жукова"_s, u"Инна"_s, true);
    const QString uncle = Person(u"uncle"_s, u"Сомов"_s, u"Юлий"_s, false);
    QVERIFY(m_web->IsComplete());
    TScriptedBroker broker;
    TDBMainInfo master;
    TCrestParentsFind list;
    ShowFor(list, master, child);
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);
    const auto pick = [&broker](const QString& id) { QueuePick(broker, id); };

    // The person and the person's parents are refused; nothing is written.
    const QString before = m_fixture->Dump();
    for (const QString& refused : {child, mother, father}) {
        pick(refused);
        Trigger(&list, "aNew");
    }
    QCOMPARE(m_messages->Shown(),
        QStringList({Kinship::SelfGodparent, Kinship::ParentGodparent, Kinship::ParentGodparent}));
    QCOMPARE(m_fixture->Dump(), before);

    // Meanwhile the card changes the surname: setting the godmother writes only her column.
    TDBMainInfo card;
    QVERIFY(card.SetObj(child));
    PersonView(card).SetSurname(u"Белов-Сомов"_s);
    QVERIFY(card.Save().Ok());
    m_messages->ClearShown();
    pick(aunt);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(Stored(child).Link3.Text(), aunt);
    QCOMPARE(Stored(child).Str1, u"Белов-Сомов"_s);
    QCOMPARE(PersonView(*list.MasterDBInfo()).Godmother().Text(), aunt);
    // The same godmother again changes nothing and asks nothing.
    const QString withAunt = m_fixture->Dump();
    pick(aunt);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(m_fixture->Dump(), withAunt);
    // Another godmother: asked; No keeps the first, Yes replaces her.
    pick(neighbour);
    m_messages->QueueAnswer(TAnswer::No);
    Trigger(&list, "aNew");
    QCOMPARE(Stored(child).Link3.Text(), aunt);
    pick(neighbour);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList(2, Kinship::ReplaceGodmother));
    QCOMPARE(Stored(child).Link3.Text(), neighbour);

    // A godfather joins; the godfather is listed first.
    m_messages->ClearShown();
    pick(uncle);
    Trigger(&list, "aNew");
    QCOMPARE(Stored(child).Link2.Text(), uncle);
    QCOMPARE(Stored(child).Link3.Text(), neighbour);
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList({uncle, neighbour}));
    QCOMPARE(Column(list.ListGrid(), u"Str4"_s, true), QStringList({u"Крестный"_s, u"Крестная"_s}));
    QCOMPARE(StatusPicture(list.ListGrid(), 1, u"Flag"_s), Kinship::WomanPicture);

    // Removing the godmother asks, and on Yes clears only her.
    list.ListGrid()->SetCurrentRecord(1);
    m_messages->QueueAnswer(TAnswer::No);
    Trigger(&list, "aDel");
    QCOMPARE(Stored(child).Link3.Text(), neighbour);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&list, "aDel");
    QCOMPARE(m_messages->Shown(), QStringList(2, u"Вы действительно хотите удалить связь с крестной?"_s));
    QCOMPARE(Stored(child).Link3.Text(), Ids::None);
    QCOMPARE(Stored(child).Link2.Text(), uncle);
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{uncle});
}

void TestKinship::godchildrenRefusedReplacedAndRemoved()
{
    const QString godmother = Person(u"godmother"_s, u"Фомина"_s, u"Зоя"_s, true);
    const QString other = Person(u"other"_s, u"Дымова"_s, u"Ия"_s, true);
    const QString kum = Person(u"kum"_s, u"Дымов"_s, u"Макс"_s, false);
    const QString ownFamily = Family(u"own"_s, QString(), godmother);
    const QString daughter = Person(u"daughter"_s, u"Фомина"_s, u"Ника"_s, true, ownFamily);
    const QString boy = Person(u"boy"_s, u"Дымов"_s, u"Ян"_s, false);
    QVERIFY(m_web->IsComplete());
    TDBMainInfo boyRow;
    QVERIFY(boyRow.SetObj(boy));
    PersonView(boyRow).SetGodmother(other);
    PersonView(boyRow).SetGodfather(kum);
    QVERIFY(boyRow.Save().Ok());

    TScriptedBroker broker;
    TDBMainInfo master;
    TCrestnikyFind list;
    ShowFor(list, master, godmother);
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);
    const auto pick = [&broker](const QString& id) { QueuePick(broker, id); };
    pick(godmother);
    Trigger(&list, "aNew");
    pick(daughter);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList({Kinship::SelfGodparent, Kinship::ParentGodparent}));

    // The boy has a godmother: asked before she is replaced.
    m_messages->ClearShown();
    pick(boy);
    m_messages->QueueAnswer(TAnswer::No);
    Trigger(&list, "aNew");
    QCOMPARE(Stored(boy).Link3.Text(), other);
    pick(boy);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&list, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList(2, Kinship::ReplaceGodmother));
    QCOMPARE(Stored(boy).Link3.Text(), godmother);
    QCOMPARE(Stored(boy).Link2.Text(), kum);
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{boy});
    QCOMPARE(Column(list.ListGrid(), u"LinkId"_s), QStringList{kum});
    QCOMPARE(Column(list.ListGrid(), u"CStr1"_s, true), QStringList{u"Дымов\nМакс\n"_s});
    QCOMPARE(list.findChild<QMenu*>(u"pmOpen"_s)->actions().at(1)->text(), u"Открыть с кем крестили"_s);

    // A godchild without the other godparent is still listed.
    TDBMainInfo noKum;
    QVERIFY(noKum.SetObj(boy));
    PersonView(noKum).SetGodfather(Ids::None);
    QVERIFY(noKum.Save().Ok());
    list.RunQuery(QString());
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{boy});

    m_messages->ClearShown();
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&list, "aDel");
    QCOMPARE(m_messages->Shown(), QStringList{u"Вы действительно хотите удалить связь с крестной?"_s});
    QCOMPARE(Stored(boy).Link3.Text(), Ids::None);
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);

    // A godmother chosen elsewhere while the list still shows the godchild stays when the row is removed.
    pick(boy);
    Trigger(&list, "aNew");
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{boy});
    TDBMainInfo elsewhere;
    QVERIFY(elsewhere.SetObj(boy));
    PersonView(elsewhere).SetGodmother(other);
    QVERIFY(elsewhere.Save().Ok());
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(&list, "aDel");
    QCOMPARE(Stored(boy).Link3.Text(), other);
    QCOMPARE(list.ListGrid()->Model()->RecordCount(), 0);
}

void TestKinship::residentsOfAnAddress()
{
    const QString address = m_web->Add(u"address"_s, Kind::Address, [](TDBMainInfo& row) { row.Str1 = u"Россия"_s; });
    const QString tenant = Person(u"tenant"_s, u"Седов"_s, u"Игорь"_s, false);
    const QString firm = m_web->Add(u"firm"_s, Kind::Organization, [](TDBMainInfo& row) {
        OrganizationView(row).SetName(u"Ромашка"_s);
        OrganizationView(row).SetDisplayName(u"ООО Ромашка"_s);
    });
    const QString before = m_web->Add(u"before"_s, Kind::Address, [](TDBMainInfo& row) { row.Str1 = u"Беларусь"_s; });
    const auto reside = [&](const QString& key, const QString& where, const QString& who, bool current, double from) {
        return m_web->Add(key, Kind::Residence, [&](TDBMainInfo& row) {
            const TResidenceView residence(row);
            residence.SetAddress(where);
            residence.SetResident(who);
            residence.SetCurrent(current);
            residence.SetHasTo(!current);
            residence.SetFrom(from);
        });
    };
    reside(u"lives"_s, address, tenant, true, 40000);
    reside(u"lived"_s, address, firm, false, 30000);
    reside(u"livedBefore"_s, before, tenant, false, 45000);
    QVERIFY(m_web->IsComplete());
    // The person's addresses: the current residence first, though the past one began later.
    TDBMainInfo person;
    TLinkAdrFind addresses;
    ShowFor(addresses, person, tenant);
    QCOMPARE(Column(addresses.ListGrid(), u"ObjId"_s), QStringList({address, before}));

    TDBMainInfo master;
    TSosedyFind list;
    ShowFor(list, master, address);
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{tenant});
    list.tbHistory()->click();
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList{firm});
    QCOMPARE(Column(list.ListGrid(), u"Str1"_s, true), QStringList{u"ООО Ромашка"_s});
    QCOMPARE(Column(list.ListGrid(), u"Date1"_s, true), QStringList{QString()});
    // Both up: everyone who lives or lived there.
    list.tbHistory()->click();
    QCOMPARE(Column(list.ListGrid(), u"ObjId"_s), QStringList({firm, tenant}));
    // Families are not residents: the item is hidden and a family is refused.
    QVERIFY(!list.NewMenu()->findChild<QAction*>(u"miNewFamily"_s)->isVisible());
    TDBMainInfo family;
    family.ObjType = Kind::Family;
    QString reason;
    QVERIFY(!list.CanLinkObject(family, reason));
    QCOMPARE(reason, u"Неверный тип"_s);
}

void TestKinship::sectionsFollowTheirLists()
{
    const QString father = Person(u"father"_s, u"Титов"_s, u"Марк"_s, false);
    const QString mother = Person(u"mother"_s, u"Титова"_s, u"Ульяна"_s, true);
    const QString godmother = Person(u"godmother"_s, u"Панова"_s, u"Ева"_s, true);
    const QString lonely = Person(u"lonely"_s, u"Шаров"_s, u"Кир"_s, false);
    const QString family = Family(u"family"_s, father, mother);
    const QString first = Person(u"first"_s, u"Титов"_s, u"Лука"_s, false, family, 30000);
    const QString second = Person(u"second"_s, u"Титова"_s, u"Мила"_s, true, family, 40000);
    QVERIFY(m_web->IsComplete());
    TDBMainInfo firstRow;
    QVERIFY(firstRow.SetObj(first));
    PersonView(firstRow).SetGodmother(godmother);
    QVERIFY(firstRow.Save().Ok());

    // The father's marriages: the children of the marriage chosen, the godparents of the child chosen.
    TDBMainInfo master;
    QVERIFY(master.SetObj(father));
    TFP2FamilyFrame families(TFP2FamilyFrame::FamiliesMode);
    families.SetMasterDBInfo(&master);
    QVERIFY(qobject_cast<TPeopleFamilyFind*>(families.TopList()));
    QTRY_COMPARE(families.TopList()->CurObjId(), family);
    QVERIFY(!families.Panel1()->isHidden());
    QCOMPARE(families.Childrens()->Title()->text(), u"Дети"_s);
    QTRY_COMPARE(Column(families.Childrens()->ListGrid(), u"ObjId"_s), QStringList({first, second}));
    QVERIFY(!families.CrestParentsFind1()->isHidden());
    QTRY_COMPARE(Column(families.CrestParentsFind1()->ListGrid(), u"ObjId"_s), QStringList{godmother});

    // A person without parents: the parents list alone fills the section.
    TDBMainInfo alone;
    QVERIFY(alone.SetObj(lonely));
    TFP2FamilyFrame parents(TFP2FamilyFrame::ParentsMode);
    parents.SetMasterDBInfo(&alone);
    QTRY_VERIFY(parents.TopList()->findChild<TMyDBGrid*>()->Model()->IsOpen());
    QVERIFY(parents.Panel1()->isHidden());
    QCOMPARE(parents.PMainFamily()->maximumHeight(), QWIDGETSIZE_MAX);

    // The godmother's section: her godchild, and under it the godchild's parents.
    TDBMainInfo her;
    QVERIFY(her.SetObj(godmother));
    TFP2CrestFrame crest;
    crest.SetMasterDBInfo(&her);
    QTRY_COMPARE(Column(crest.Crestnics()->ListGrid(), u"ObjId"_s), QStringList{first});
    QVERIFY(!crest.ParentsFind1()->isHidden());
    QTRY_COMPARE(Column(crest.ParentsFind1()->ListGrid(), u"ObjId"_s), QStringList{family});
    QTRY_VERIFY(crest.CrestParentsFind1()->ListGrid()->Model()->IsOpen());
    QCOMPARE(crest.CrestParentsFind1()->ListGrid()->Model()->RecordCount(), 0);
}

void TestKinship::familyGroupOfAPersonCard()
{
    const QString father = Person(u"father"_s, u"Волков"_s, u"Денис"_s, false);
    const QString mother = Person(u"mother"_s, u"Волкова"_s, u"Мария"_s, true);
    const QString family = Family(u"family"_s, father, mother);
    const QString sister = Person(u"sister"_s, u"Волкова"_s, u"Дина"_s, true, family, 38000);
    const QString person = Person(u"person"_s, u"Волков"_s, u"Егор"_s, false, QString(), 40000);
    const QString godmother = Person(u"godmother"_s, u"Лаптева"_s, u"Галина"_s, true);
    const QString second = Person(u"second"_s, u"Рябова"_s, u"Софья"_s, true);
    QVERIFY(m_web->IsComplete());
    QVERIFY(m_fixture->WriteSettingsFile());
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    TDBMainInfo record;
    QVERIFY(record.SetObj(person));
    QCOMPARE(SendRequest(TMainMessage::WM_OPENOBJECT, record), 0);
    auto* cards = main.findChild<QStackedWidget*>(u"ObjCards"_s);
    auto* card = qobject_cast<TPeopleObjFrame*>(cards->currentWidget());
    QVERIFY(card);
    card->tbFamily()->click();
    QVERIFY(card->ShowSection(PersonSection::Parents));
    auto* section = qobject_cast<TFP2FamilyFrame*>(card->SectionFrame());
    QVERIFY(section);
    auto* parents = qobject_cast<TParentsFind*>(section->TopList());
    QVERIFY(parents);
    QTRY_VERIFY(parents->ListGrid()->Model()->IsOpen());
    QVERIFY(!section->Panel1()->isVisible());

    // Parents: the family is picked in the family pick dialog with Enter and made native with Yes.
    m_messages->QueueAnswer(TAnswer::Yes);
    WhenDialogShown<TFindModalForm>([family](TFindModalForm& pick) {
        auto* families = dynamic_cast<TFindFamily*>(pick.Frame());
        QVERIFY(families);
        QTRY_COMPARE(families->ListGrid()->Model()->RecordCount(), 1);
        QCOMPARE(families->CurObjId(), family);
        families->ListGrid()->setFocus();
        QTest::keyClick(families->ListGrid(), Qt::Key_Return);
    });
    Trigger(parents, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList{TParentsFind::AddParentsQuestion});
    QCOMPARE(Stored(person).Link1.Text(), family);
    QCOMPARE(parents->CurObjId(), family);

    // The sister appears among the brothers and sisters through the shared family; the person does not.
    QVERIFY(section->Panel1()->isVisible());
    QCOMPARE(section->PMainFamily()->height(), TFP2FamilyFrame::TopListHeight);
    TChildrenFind* siblings = section->Childrens();
    QCOMPARE(siblings->Title()->text(), u"Братья и сестры"_s);
    QTRY_COMPARE(Column(siblings->ListGrid(), u"ObjId"_s), QStringList{sister});
    QCOMPARE(Column(siblings->ListGrid(), u"Flag"_s, true), QStringList{u"сестра"_s});
    QVERIFY(section->CrestParentsFind1()->isVisible());

    // Godparents: a godmother is chosen, then replaced after the question.
    QVERIFY(card->ShowSection(PersonSection::Godparents));
    auto* crest = qobject_cast<TFP2CrestFrame*>(card->SectionFrame());
    QVERIFY(crest);
    TCrestParentsFind* godparents = crest->CrestParentsFind1();
    QTRY_VERIFY(godparents->ListGrid()->Model()->IsOpen());
    const auto choose = [](const QString& id) {
        WhenDialogShown<TFindModalForm>([id](TFindModalForm& pick) {
            auto* people = dynamic_cast<TFindPeople*>(pick.Frame());
            QVERIFY(people);
            QTRY_VERIFY(people->ListGrid()->Model()->RecordCount() > 0);
            const int row = people->ListGrid()->Model()->Locate(u"ObjId"_s, id);
            QVERIFY(row >= 0);
            people->ListGrid()->SetCurrentRecord(row);
            people->ListGrid()->setFocus();
            QTest::keyClick(people->ListGrid(), Qt::Key_Return);
        });
    };
    m_messages->ClearShown();
    choose(godmother);
    Trigger(godparents, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(Stored(person).Link3.Text(), godmother);
    QCOMPARE(Column(godparents->ListGrid(), u"ObjId"_s), QStringList{godmother});
    choose(second);
    m_messages->QueueAnswer(TAnswer::Yes);
    Trigger(godparents, "aNew");
    QCOMPARE(m_messages->Shown(), QStringList{Kinship::ReplaceGodmother});
    QCOMPARE(Stored(person).Link3.Text(), second);
    QCOMPARE(Stored(person).Link1.Text(), family);
    QCOMPARE(Column(godparents->ListGrid(), u"ObjId"_s), QStringList{second});

    // The card's own save after all this keeps the kinship set from its sections.
    card->aSaveExecute();
    QCOMPARE(Stored(person).Link1.Text(), family);
    QCOMPARE(Stored(person).Link3.Text(), second);

    // The family card lists its children.
    TDBMainInfo familyRecord;
    QVERIFY(familyRecord.SetObj(family));
    QCOMPARE(SendRequest(TMainMessage::WM_OPENOBJECT, familyRecord), 0);
    auto* familyCard = qobject_cast<TFamilyObjFrame*>(cards->currentWidget());
    QVERIFY(familyCard);
    QVERIFY(familyCard->ShowSection(FamilySection::Children));
    auto* children = qobject_cast<TFP2FamilyFrame*>(familyCard->SectionFrame());
    QVERIFY(children);
    QVERIFY(!children->TopList());
    QCOMPARE(children->Childrens()->Title()->text(), u"Дети"_s);
    QTRY_COMPARE(Column(children->Childrens()->ListGrid(), u"ObjId"_s), QStringList({sister, person}));
}

QTEST_MAIN(TestKinship)
#include "tst_kinship.moc"
