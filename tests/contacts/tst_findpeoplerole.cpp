// The members of one role: who is listed (same role name, group and holder kind, not ended), with the
// rating and comment of their role rows, and the new role row a picked person is offered.
#include "contacts/FindPeopleRole.h"
#include "shell/widgets/OptionList.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString Save(TDBMainInfo& row)
{
    return row.Save() == 0 ? row.Obj.Text() : QString();
}

QString Person(const QString& surname)
{
    TDBMainInfo p;
    p.ObjType = Kind::Person;
    p.Str1 = surname;
    return Save(p);
}

QString Role(const QString& holder, const QString& name, const QString& group, int rating, bool ended,
    const QString& comment = QString())
{
    TDBMainInfo r;
    r.ObjType = Kind::Role;
    r.Link1 = holder;
    r.Int1 = Kind::Person;
    r.Str1 = name;
    r.Link2 = group;
    r.Int4 = rating;
    r.D2Flag = ended;
    r.Comments = comment;
    return Save(r);
}

} // namespace

class TestFindPeopleRole : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void ListsCurrentHoldersOfTheRole();
    void PickedPersonIsOfferedTheRole();

private:
    std::unique_ptr<TTempDatabase> m_db;
    std::unique_ptr<TScriptedMessages> m_messages;
    QString m_group;
    QString m_role;
    QString m_newcomer;
};

void TestFindPeopleRole::init()
{
    m_db = std::make_unique<TTempDatabase>();
    QVERIFY(m_db->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    TDBMainInfo group;
    group.ObjType = 21;
    group.Str1 = u"Друзья"_s;
    m_group = Save(group);
    TDBMainInfo other;
    other.ObjType = 21;
    other.Str1 = u"Работа"_s;
    const QString otherGroup = Save(other);
    m_role = Role(Person(u"Петров"_s), u"Друг"_s, m_group, 5, false, u"со школы"_s);
    Role(Person(u"Анисимова"_s), u"Друг"_s, m_group, 3, false);
    Role(Person(u"Бывший"_s), u"Друг"_s, m_group, 4, true);
    Role(Person(u"Сослуживец"_s), u"Друг"_s, otherGroup, 4, false);
    Role(Person(u"Коллега"_s), u"Коллега"_s, m_group, 4, false);
    m_newcomer = Person(u"Новиков"_s);
}

void TestFindPeopleRole::cleanup()
{
    m_messages.reset();
    m_db.reset();
}

void TestFindPeopleRole::ListsCurrentHoldersOfTheRole()
{
    TDBMainInfo role;
    QVERIFY(role.SetObj(m_role));
    TFindPeopleRole list;
    list.SetMasterDBInfo(&role);
    list.RunQuery(QString());
    TListModel* model = list.ListGrid()->Model();
    QCOMPARE(model->RecordCount(), 2);
    QCOMPARE(model->Row(0).Text(u"Str1"_s), u"Анисимова"_s);
    QCOMPARE(model->Row(0).Int(u"RoleRating"_s), qint64(3));
    QCOMPARE(model->Row(1).Text(u"Str1"_s), u"Петров"_s);
    QCOMPARE(model->Row(1).Text(u"RComments"_s), u"со школы"_s);
    QCOMPARE(model->Row(1).Text(u"LinkId"_s), m_role);

    // The people filter narrows the members as it narrows the people list.
    list.SetFullFindMode(true);
    list.Options()->SetValues(u"Фамилия"_s, u"Пет"_s);
    list.RunQuery(QString());
    QCOMPARE(model->RecordCount(), 1);
    QCOMPARE(model->Row(0).Text(u"Str1"_s), u"Петров"_s);
}

void TestFindPeopleRole::PickedPersonIsOfferedTheRole()
{
    TDBMainInfo role;
    QVERIFY(role.SetObj(m_role));
    TFindPeopleRole list;
    list.SetMasterDBInfo(&role);
    TScriptedBroker broker;
    const QString newcomer = m_newcomer;
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, [newcomer](TDBMainInfo& record) { record.SetObj(newcomer); });
    broker.Queue(TScriptedBroker::TRequest::Edit, 1);
    auto* aNew = list.findChild<QAction*>(u"aNew"_s);
    QVERIFY(aNew);
    list.aNewExecute(aNew);

    QCOMPARE(broker.Calls().size(), 2);
    QCOMPARE(broker.Calls()[0].Kind, int(Kind::Person));
    const TObjectRow& offered = broker.Calls()[1].Record;
    QCOMPARE(offered.ObjType, int(Kind::Role));
    QCOMPARE(offered.Link1.Text(), m_newcomer);
    QCOMPARE(offered.Link2.Text(), QString());
    QCOMPARE(offered.Link3.Text(), m_group);
    QCOMPARE(offered.Int1, qint64(Kind::Person));
    QCOMPARE(offered.Int2, qint64(0));
    QCOMPARE(offered.Str1, u"Друг"_s);
}

QTEST_MAIN(TestFindPeopleRole)
#include "tst_findpeoplerole.moc"
