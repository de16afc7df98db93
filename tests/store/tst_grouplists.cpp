// The group lists and their scopes, the group editor's name check over the same scopes, and the deletions
// of groups, categories and projects with their clean-ups, over a web of rows that point at them.
#include "store/CascadeDelete.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/NoteView.h"
#include "store/kinds/RoleView.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The keys of the list's items, in order, "|"-joined; an item that is not part of the web shows its text.
QString Keys(const TObjectWeb& web, const TValueList& list)
{
    QStringList keys;
    for (const TValueItem& item : list) {
        const QString key = web.Key(item.Id);
        keys << (key.isEmpty() ? item.Text : key);
    }
    return keys.join(u'|');
}

// How many rows name \a id in one of their link columns.
int RowsNaming(TMyDataBase* db, const QString& id)
{
    const QString v = SqlDialect::Quote(id);
    auto q = db->CreateQuery(u"select count(*) from AllInfo where Link1 = "_s + v + u" or Link2 = "_s + v
        + u" or Link3 = "_s + v + u" or Link4 = "_s + v + u" or Link5 = "_s + v);
    return q && q->next() ? q->value(0).toInt() : -1;
}

bool Exists(TMyDataBase* db, const QString& id)
{
    auto q = db->CreateQuery(u"select count(*) from AllInfo where ObjId = "_s + SqlDialect::Quote(id));
    return q && q->next() && q->value(0).toInt() > 0;
}

TDBMainInfo* Load(TDBMainInfo& record, const QString& id)
{
    record.SetObj(id);
    return &record;
}

// Files the role row \a role under \a group.
void FileRole(TDBMainInfo& role, const QString& id, const QString& group)
{
    QVERIFY(role.SetObj(id));
    RoleView(role).SetGroup(group);
    QCOMPARE(role.Save(), 0);
}

// Deletes \a id with its cascade: every row it removed is gone and named by no row; \a deleted receives them.
void DeleteLeavingNoTrace(TMyDataBase* db, const TObjectWeb& web, const QString& id, QStringList& deleted)
{
    TDBMainInfo record;
    QCOMPARE(CascadeDelete::Delete(*Load(record, id), &deleted), 0);
    QVERIFY(deleted.contains(id, Qt::CaseInsensitive));
    for (const QString& gone : std::as_const(deleted)) {
        QVERIFY2(!Exists(db, gone), qPrintable(web.Key(gone)));
        QCOMPARE(RowsNaming(db, gone), 0);
    }
}

// The group of the role row \a role as stored now.
QString StoredGroup(TDBMainInfo& role)
{
    return role.SetObj(role.Obj) ? QString(RoleView(role).Group()) : QString();
}

} // namespace

class TestGroupLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();
    void listsFollowTheirScopes();
    void nameCheckFollowsTheScopes();
    void deletingAPeopleGroupClearsItsRolesAndNotes();
    void deletingASubcategoryKeepsTheCategory();
    void deletingACategoryClearsItsOperationsAndSubcategories();
    void deletingAProjectLeavesNoPointerAtItOrItsGroups();
    void subcategoryMoveTakesItsOperations();

private:
    QString Group(const QString& key, const QString& name, int type, const QString& owner = QString(),
        bool scoped = false, const QString& project = QString());

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TObjectWeb> m_web;
};

QString TestGroupLists::Group(
    const QString& key, const QString& name, int type, const QString& owner, bool scoped, const QString& project)
{
    return m_web->Add(key, Kind::Group, [&](TDBMainInfo& r) {
        const TGroupView group(r);
        group.SetName(name);
        group.SetGroupKind(type);
        group.SetOwner(owner.isEmpty() ? Ids::None : m_web->Id(owner));
        group.SetProject(project.isEmpty() ? Ids::None : m_web->Id(project));
        group.SetScopedToOwner(scoped);
    });
}

void TestGroupLists::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_web = std::make_unique<TObjectWeb>();
    QVERIFY(m_web->Build());
    // Beside the web's own groups (firmGroup limited to firm, projectGroup, eventGroup of event, category
    // with subcategory, project "Дача"): groups open to all organizations, another organization's group,
    // people and note groups, a shared event group of the project, and a second project and category.
    m_web->Add(u"firm2"_s, Kind::Organization, [](TDBMainInfo& r) { r.Str1 = u"Вторая"_s; });
    Group(u"openFirmGroup"_s, u"Клиенты"_s, GroupType::OrganizationRoles, u"firm"_s);
    Group(u"otherFirmGroup"_s, u"Поставщики"_s, GroupType::OrganizationRoles, u"firm2"_s, true);
    Group(u"peopleGroup"_s, u"Друзья"_s, GroupType::PeopleRoles);
    Group(u"noteGroup"_s, u"Архив"_s, GroupType::NoteGroups);
    Group(u"sharedEventGroup"_s, u"Гости"_s, GroupType::EventRoles, u"event"_s, false, u"project"_s);
    Group(u"project2"_s, u"Ремонт"_s, GroupType::Project);
    Group(u"category2"_s, u"Подарки"_s, GroupType::IncomeCategory);
    Group(u"subcategory2"_s, u"Премия"_s, GroupType::IncomeSubcategory, u"category2"_s);
    QVERIFY(m_web->IsComplete());
}

void TestGroupLists::cleanup()
{
    m_web.reset();
    m_fixture.reset();
}

void TestGroupLists::listsFollowTheirScopes()
{
    TMyDataBase* db = m_fixture->Db();
    TValueList list;
    const auto groups = [&](int kind, const QString& object) {
        GroupLists::GroupList(db, kind, object.isEmpty() ? QString() : m_web->Id(object), list);
        return Keys(*m_web, list);
    };
    // By name: Дача, Клиенты, Поставщики, Ремонт.
    QCOMPARE(groups(Kind::Organization, u"firm"_s), u"project|openFirmGroup|firmGroup|project2"_s);
    QCOMPARE(groups(Kind::Organization, u"firm2"_s), u"project|openFirmGroup|otherFirmGroup|project2"_s);
    QCOMPARE(groups(Kind::Event, u"event"_s), u"sharedEventGroup|eventGroup"_s);
    QCOMPARE(groups(GroupType::IncomeSubcategory, u"category"_s), u"subcategory"_s);
    QCOMPARE(groups(GroupType::IncomeSubcategory, u"category2"_s), u"subcategory2"_s);
    QCOMPARE(groups(Kind::Person, QString()), u"project|peopleGroup|project2|projectGroup"_s);
    QCOMPARE(groups(GroupType::NoteGroups, QString()), u"noteGroup|project|project2"_s);
    QCOMPARE(groups(GroupType::IncomeCategory, QString()), u"project|category|category2|project2"_s);
    QVERIFY(GroupLists::ProjectList(db, list));
    QCOMPARE(Keys(*m_web, list), u"project|project2"_s);
    // The object lists of the pick lists are the same lists.
    ObjectList(Kind::Group, Kind::Organization, db, list, m_web->Id(u"firm"_s));
    QCOMPARE(Keys(*m_web, list), u"project|openFirmGroup|firmGroup|project2"_s);
}

void TestGroupLists::nameCheckFollowsTheScopes()
{
    TMyDataBase* db = m_fixture->Db();
    const auto taken = [&](int type, const QString& name, const QString& owner, bool scoped,
                           const QString& project = QString(), const QString& self = QString()) {
        TObjectRow group;
        group.ObjType = Kind::Group;
        group.Obj = self.isEmpty() ? Ids::Null : m_web->Id(self);
        group.Int1 = type;
        group.Link1 = owner.isEmpty() ? Ids::None : m_web->Id(owner);
        group.Link2 = project.isEmpty() ? Ids::None : m_web->Id(project);
        group.Flag = scoped;
        return GroupLists::NameTaken(db, group, name);
    };
    // Organizations: each may keep its own "Поставщики"; an open one or a project of that name is refused.
    QVERIFY(!taken(GroupType::OrganizationRoles, u"Поставщики"_s, u"husband"_s, true));
    QVERIFY(taken(GroupType::OrganizationRoles, u"поставщики"_s, u"firm"_s, false));
    QVERIFY(taken(GroupType::OrganizationRoles, u"ДАЧА"_s, u"firm2"_s, true));
    QVERIFY(!taken(GroupType::OrganizationRoles, u"Поставщики"_s, u"firm"_s, true, QString(), u"firmGroup"_s));
    // Events: a limited group meets its event's groups and the project's shared ones.
    QVERIFY(taken(GroupType::EventRoles, u"Участники"_s, u"event"_s, true, u"project"_s));
    QVERIFY(taken(GroupType::EventRoles, u"Гости"_s, u"husband"_s, true, u"project"_s));
    QVERIFY(!taken(GroupType::EventRoles, u"Участники"_s, u"husband"_s, true, u"project2"_s));
    QVERIFY(taken(GroupType::EventRoles, u"Участники"_s, u"husband"_s, false, u"project"_s));
    QVERIFY(!taken(GroupType::EventRoles, u"Участники"_s, u"husband"_s, false, u"project2"_s));
    // Subcategories: one name per category.
    QVERIFY(taken(GroupType::IncomeSubcategory, u"Премия"_s, u"category"_s, false));
    QVERIFY(!taken(GroupType::IncomeSubcategory, u"Аванс"_s, u"category"_s, false));
    QVERIFY(!taken(GroupType::IncomeSubcategory, u"Премия"_s, u"category"_s, false, QString(), u"subcategory"_s));
    QVERIFY(!taken(GroupType::ExpenseSubcategory, u"Премия"_s, u"category"_s, false));
    // Other groups meet their type and the projects; projects meet projects.
    QVERIFY(taken(GroupType::PeopleRoles, u"друзья"_s, QString(), false));
    QVERIFY(taken(GroupType::PeopleRoles, u"Ремонт"_s, QString(), false));
    QVERIFY(!taken(GroupType::NoteGroups, u"Друзья"_s, QString(), false));
    QVERIFY(taken(GroupType::Project, u"ремонт"_s, QString(), false));
    QVERIFY(!taken(GroupType::Project, u"Ремонт"_s, QString(), false, QString(), u"project2"_s));
    // A name with a double quote in it is looked up as typed, and a database that cannot answer refuses.
    QVERIFY(!taken(GroupType::PeopleRoles, u"Дом \"Ромашка\""_s, QString(), false));
    TObjectRow any;
    any.ObjType = Kind::Group;
    any.Int1 = GroupType::PeopleRoles;
    TMyDataBase closed;
    QVERIFY(GroupLists::NameTaken(&closed, any, u"Новая"_s));
}

void TestGroupLists::deletingAPeopleGroupClearsItsRolesAndNotes()
{
    TMyDataBase* db = m_fixture->Db();
    const QString group = m_web->Id(u"peopleGroup"_s);
    TDBMainInfo role;
    FileRole(role, m_web->Id(u"workRole"_s), group);
    TDBMainInfo note;
    QVERIFY(note.SetObj(m_web->Id(u"note"_s)));
    NoteView(note).SetGroup(group);
    QCOMPARE(note.Save(), 0);
    QStringList deleted;
    DeleteLeavingNoTrace(db, *m_web, group, deleted);
    QCOMPARE(StoredGroup(role), Ids::None);
    QVERIFY(note.SetObj(note.Obj));
    QCOMPARE(QString(NoteView(note).Group()), Ids::None);
}

void TestGroupLists::deletingASubcategoryKeepsTheCategory()
{
    TMyDataBase* db = m_fixture->Db();
    const QString subcategory = m_web->Id(u"subcategory"_s);
    QStringList deleted;
    DeleteLeavingNoTrace(db, *m_web, subcategory, deleted);
    TDBMainInfo income;
    QVERIFY(income.SetObj(m_web->Id(u"income"_s)));
    QCOMPARE(QString(MoneyOperationView(income).Category()), m_web->Id(u"category"_s));
    QCOMPARE(QString(MoneyOperationView(income).Fourth()), Ids::None);
    QVERIFY(Exists(db, m_web->Id(u"category"_s)));
}

void TestGroupLists::deletingACategoryClearsItsOperationsAndSubcategories()
{
    TMyDataBase* db = m_fixture->Db();
    const QString category = m_web->Id(u"category"_s);
    const QString subcategory = m_web->Id(u"subcategory"_s);
    // A role filed under the subcategory must not keep its id either.
    TDBMainInfo role;
    FileRole(role, m_web->Id(u"workRole"_s), subcategory);
    QStringList deleted;
    DeleteLeavingNoTrace(db, *m_web, category, deleted);
    QVERIFY(deleted.contains(subcategory, Qt::CaseInsensitive));
    QCOMPARE(StoredGroup(role), Ids::None);
    TDBMainInfo income;
    QVERIFY(income.SetObj(m_web->Id(u"income"_s)));
    QCOMPARE(QString(MoneyOperationView(income).Category()), Ids::None);
    QCOMPARE(QString(MoneyOperationView(income).Fourth()), Ids::None);
    // The other category and its subcategory of the same name stay.
    QVERIFY(Exists(db, m_web->Id(u"subcategory2"_s)));
    QVERIFY(Exists(db, m_web->Id(u"category2"_s)));
}

void TestGroupLists::deletingAProjectLeavesNoPointerAtItOrItsGroups()
{
    TMyDataBase* db = m_fixture->Db();
    const QString project = m_web->Id(u"project"_s);
    const QString kept = m_web->Id(u"projectGroup"_s);
    // A participant of the project, and a role filed under the group kept for the project.
    TDBMainInfo role;
    FileRole(role, m_web->Id(u"workRole"_s), project);
    TDBMainInfo guest;
    FileRole(guest, m_web->Id(u"guestRole"_s), kept);
    QStringList deleted;
    DeleteLeavingNoTrace(db, *m_web, project, deleted);
    QVERIFY(deleted.contains(kept, Qt::CaseInsensitive));
    TDBMainInfo expense;
    QVERIFY(expense.SetObj(m_web->Id(u"projectExpense"_s)));
    QCOMPARE(QString(MoneyOperationView(expense).Category()), Ids::None);
    QCOMPARE(QString(MoneyOperationView(expense).Fourth()), Ids::None);
    QCOMPARE(StoredGroup(role), Ids::None);
    QCOMPARE(StoredGroup(guest), Ids::None);
    // The event stays, without its project; the other project stays.
    QVERIFY(Exists(db, m_web->Id(u"event"_s)));
    QVERIFY(Exists(db, m_web->Id(u"project2"_s)));
}

void TestGroupLists::subcategoryMoveTakesItsOperations()
{
    TMyDataBase* db = m_fixture->Db();
    QVERIFY(GroupLists::MoveSubcategoryOperations(db, m_web->Id(u"subcategory"_s), m_web->Id(u"category2"_s)));
    for (const QString& key : {u"income"_s, u"projectExpense"_s}) {
        TDBMainInfo op;
        QVERIFY(op.SetObj(m_web->Id(key)));
        QCOMPARE(QString(MoneyOperationView(op).Category()), m_web->Id(u"category2"_s));
        QCOMPARE(QString(MoneyOperationView(op).Fourth()), m_web->Id(u"subcategory"_s));
    }
    TDBMainInfo transfer;
    QVERIFY(transfer.SetObj(m_web->Id(u"transferOut"_s)));
    QCOMPARE(QString(MoneyOperationView(transfer).Category()), Ids::None);
}

QTEST_GUILESS_MAIN(TestGroupLists)
#include "tst_grouplists.moc"
