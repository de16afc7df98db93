// Roles and links: the second side a new link derives (the far group used most, an event's period and
// project, a link with itself made one-sided), what each side of the link dialog shows by the kinds it
// joins, the pair written whole (a fault at every write statement leaves nothing, through the dialog too),
// the rating and period filters and row texts of the links list, the participants of a project, and a
// person linked to an organization by dragging it onto the person's card in the real main window.
#include "activities/EditRoles.h"
#include "activities/EventScreens.h"
#include "activities/GroupScreens.h"
#include "activities/NoteScreens.h"
#include "activities/RoleFind.h"
#include "activities/RoleRules.h"
#include "activities/RoleScreens.h"
#include "contacts/ContactScreens.h"
#include "contacts/FindFirma.h"
#include "contacts/FirmaSections.h"
#include "contacts/PersonSections.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/BaseObjFrame.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "shell/widgets/TimeEdit.h"
#include "store/CascadeDelete.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/RoleView.h"
#include "tests/shell/DialogScript.h"
#include "tests/shell/Screenshots.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/WriteFault.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

double At(int month, int day, int hour = 0)
{
    return DateSerial::FromDateTime(QDate(2024, month, day), QTime(hour, 0));
}

// The template a list hands the link dialog.
void Template(TDBMainInfo& work, const QString& holder, int holderKind, const QString& other, int otherKind,
    const QString& group = QString())
{
    work.Clear();
    work.ObjType = Kind::Role;
    const TRoleView role(work);
    role.SetHolder(holder);
    role.SetGroup(other);
    role.SetThird(group);
    role.SetHolderKind(holderKind);
    role.SetOtherKind(otherKind);
}

int RoleRows(const TTempDatabase& fixture)
{
    return fixture.Scalar(u"select count(*) from AllInfo where ObjType = 20"_s).toInt();
}

QStringList Texts(TMyDBGrid* grid, const QString& field = u"Str1"_s)
{
    QStringList texts;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        texts << grid->Model()->Row(i).DisplayText(field);
    return texts;
}

struct TWeb
{
    TObjectWeb Web;

    QString Id(const QString& key) const { return Web.Id(key); }

    QString Group(const QString& key, int type, const QString& owner = QString())
    {
        return Web.Add(key, Kind::Group, [&](TDBMainInfo& r) {
            const TGroupView group(r);
            group.SetName(key);
            group.SetGroupKind(type);
            r.Link1 = owner.isEmpty() ? QString(Ids::None) : owner;
        });
    }

    QString Person(const QString& key, const QString& surname, const QString& name, bool female)
    {
        return Web.Add(key, Kind::Person, [&](TDBMainInfo& r) {
            const TPersonView person(r);
            person.SetSurname(surname);
            person.SetFirstName(name);
            person.SetIsFemale(female);
        });
    }

    QString Firm(const QString& key)
    {
        return Web.Add(key, Kind::Organization, [&](TDBMainInfo& r) { r.Str1 = key; });
    }

    QString Event(const QString& key, const QString& project, double start, double end)
    {
        return Web.Add(key, Kind::Event, [&](TDBMainInfo& r) {
            const TEventView event(r);
            event.SetName(key);
            event.SetEventKind(1);
            event.SetProject(project.isEmpty() ? QString(Ids::None) : project);
            event.SetStart(start);
            event.SetHasStart(true);
            event.SetEnd(end);
            event.SetHasEnd(end != 0);
        });
    }

    // One side of a link (paired later) or a one-sided role.
    QString Side(const QString& key, const QString& holder, int holderKind, int otherKind, const QString& name,
        const QString& group = QString(), qint64 rating = 0, double from = 0, double to = 0)
    {
        return Web.Add(key, Kind::Role, [&](TDBMainInfo& r) {
            const TRoleView role(r);
            role.SetHolder(Id(holder));
            role.SetGroup(group.isEmpty() ? QString(Ids::None) : group);
            role.SetThird(Ids::None);
            role.SetOppositeSide(Ids::None);
            role.SetHolderKind(holderKind);
            role.SetOtherKind(otherKind);
            role.SetName(name);
            role.SetRating(rating);
            role.SetFrom(from);
            role.SetHasFrom(from != 0);
            role.SetTo(to);
            role.SetHasEnded(to != 0);
        });
    }
};

} // namespace

class TestRoles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();
    void secondSideIsDerived();
    void sidesShowWhatTheirKindsJoin_data();
    void sidesShowWhatTheirKindsJoin();
    void pairIsWrittenWholeOrNotAtAll_data();
    void pairIsWrittenWholeOrNotAtAll();
    void dialogKeepsAFailedPairOpenAndWritesTheSides();
    void linksListFiltersAndTexts();
    void participantsOfAProject();
    void newRolesStartFromTheirTemplates();
    void personLinkedToAnOrganizationByDragInTheMainWindow();

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestRoles::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
    RegisterGroupScreens();
    RegisterEventScreens();
    RegisterNoteScreens();
    RegisterRoleScreens();
}

void TestRoles::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestRoles::secondSideIsDerived()
{
    TWeb web;
    web.Person(u"ivanov"_s, u"Иванов"_s, u"Иван"_s, false);
    web.Person(u"petrov"_s, u"Петров"_s, u"Петр"_s, false);
    web.Firm(u"Ромашка"_s);
    web.Firm(u"Лютик"_s);
    const QString staff = web.Group(u"Сотрудники"_s, GroupType::PeopleRoles);
    const QString clients = web.Group(u"Клиенты"_s, GroupType::OrganizationRoles);
    const QString partners = web.Group(u"Партнеры"_s, GroupType::OrganizationRoles);
    const QString project = web.Group(u"Дача"_s, GroupType::Project);
    web.Event(u"Встреча"_s, project, At(5, 3, 10), At(5, 3, 12));
    // People filed under "Сотрудники" put their organizations under "Клиенты" twice, "Партнеры" once; under
    // another group of people their organizations are "Партнеры".
    const auto pair = [&web](const QString& key, const QString& person, const QString& firm, const QString& mine,
                          const QString& far) {
        web.Side(key + u"a"_s, person, Kind::Person, Kind::Organization, u"Директор"_s, mine);
        web.Side(key + u"b"_s, firm, Kind::Organization, Kind::Person, QString(), far);
        web.Web.Pair(key + u"a"_s, key + u"b"_s);
    };
    pair(u"p1"_s, u"ivanov"_s, u"Ромашка"_s, staff, clients);
    pair(u"p2"_s, u"petrov"_s, u"Ромашка"_s, staff, clients);
    pair(u"p3"_s, u"petrov"_s, u"Лютик"_s, staff, partners);
    pair(u"p4"_s, u"ivanov"_s, u"Лютик"_s, QString(), partners);
    pair(u"p5"_s, u"petrov"_s, u"Лютик"_s, QString(), partners);
    QVERIFY(web.Web.IsComplete());
    QCOMPARE(RoleRules::MostFrequentFarGroup(nullptr, Kind::Person, Kind::Organization, staff), clients);
    QCOMPARE(RoleRules::MostFrequentFarGroup(nullptr, Kind::Person, Kind::Organization, QString()), partners);
    QCOMPARE(RoleRules::MostFrequentFarGroup(nullptr, Kind::Organization, Kind::Person, clients), staff);
    QCOMPARE(RoleRules::MostFrequentFarGroup(nullptr, Kind::Organization, Kind::Organization, clients), QString());

    TDBMainInfo work;
    TDBMainInfo a;
    TDBMainInfo b;
    Template(work, web.Id(u"ivanov"_s), Kind::Person, web.Id(u"Лютик"_s), Kind::Organization, staff);
    RoleRules::DeriveSides(work, a, b);
    QVERIFY(RoleRules::IsTwoSided(b));
    QCOMPARE(a.Link1.Text(), web.Id(u"ivanov"_s));
    QCOMPARE(a.Link2.Text(), staff);
    QVERIFY(IsEmptyId(a.Link3));
    QCOMPARE(TConstRoleView(a).FarObject(), web.Id(u"Лютик"_s));
    QCOMPARE(b.ObjType, int(Kind::Role));
    QCOMPARE(b.Link1.Text(), web.Id(u"Лютик"_s));
    QCOMPARE(b.Link2.Text(), clients);
    QCOMPARE(b.Int1, qint64(Kind::Organization));
    QCOMPARE(b.Int2, qint64(Kind::Person));
    QCOMPARE(TConstRoleView(b).FarObject(), web.Id(u"ivanov"_s));
    QVERIFY(!a.D1Flag);

    // A person taking part in an event: the event's period (with its time), and the person's side is filed
    // under the event's project, whichever side the link starts from.
    Template(work, web.Id(u"ivanov"_s), Kind::Person, web.Id(u"Встреча"_s), Kind::Event);
    RoleRules::DeriveSides(work, a, b);
    QCOMPARE(a.Date1, At(5, 3, 10));
    QCOMPARE(a.Date2, At(5, 3, 12));
    QVERIFY(a.D1Flag && a.D2Flag);
    QCOMPARE(a.Link2.Text(), project);
    QVERIFY(IsEmptyId(b.Link2));
    Template(work, web.Id(u"Встреча"_s), Kind::Event, web.Id(u"ivanov"_s), Kind::Person);
    RoleRules::DeriveSides(work, a, b);
    QCOMPARE(a.Date1, At(5, 3, 10));
    QCOMPARE(b.Link2.Text(), project);
    QCOMPARE(b.Int2, qint64(Kind::Event));

    // An object linked with itself, and a characteristic, are one-sided.
    Template(work, web.Id(u"ivanov"_s), Kind::Person, web.Id(u"ivanov"_s), Kind::Person, staff);
    RoleRules::DeriveSides(work, a, b);
    QVERIFY(!RoleRules::IsTwoSided(b));
    QCOMPARE(a.Link2.Text(), staff);
    QVERIFY(RoleRules::WritePair(a, b).Ok());
    QCOMPARE(a.Int2, qint64(0));
    QCOMPARE(a.Link5.Text(), QString(Ids::None));

    // A stored side opens with its partner.
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(web.Id(u"p3b"_s)));
    RoleRules::DeriveSides(stored, a, b);
    QCOMPARE(a.Obj.Text(), web.Id(u"p3b"_s));
    QCOMPARE(b.Obj.Text(), web.Id(u"p3a"_s));
    QCOMPARE(b.Str1, u"Директор"_s);
}

void TestRoles::sidesShowWhatTheirKindsJoin_data()
{
    QTest::addColumn<int>("holder");
    QTest::addColumn<int>("other");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("role"); // the role caption, empty when no role is asked
    QTest::addColumn<bool>("link");
    QTest::addColumn<QString>("tel");
    QTest::addColumn<bool>("group");
    const QString firmTel = u"С человеком можно связаться по тел. фирмы"_s;
    const QString lives = u"Проживает в настоящий момент"_s;
    const QString role = u"Роль"_s;
    QTest::newRow("person alone") << 1 << 0 << u"Роль человека"_s << role << false << QString() << true;
    QTest::newRow("person-person") << 1 << 1 << u"Роль человека"_s << role << false << QString() << true;
    QTest::newRow("person-address") << 1 << 3 << u"Роль человека"_s << role << false << lives << true;
    QTest::newRow("person-firm") << 1 << 6 << u"Роль человека"_s << role << false << firmTel << true;
    QTest::newRow("person-event") << 1 << 8 << u"Роль человека"_s << role << true << QString() << false;
    QTest::newRow("address-person") << 3 << 1 << u"Роль адреса"_s << role << false << QString() << true;
    QTest::newRow("firm alone") << 6 << 0 << u"Роль организации"_s << role << false << QString() << true;
    QTest::newRow("firm-person") << 6 << 1 << u"Роль организации"_s << QString() << false << QString() << true;
    QTest::newRow("firm-firm") << 6 << 6 << u"Роль организации"_s << role << false << QString() << true;
    QTest::newRow("firm-event") << 6 << 8 << u"Роль организации"_s << role << true << QString() << false;
    QTest::newRow("event-person") << 8 << 1 << u"Событие"_s << u"Результат"_s << false << QString() << true;
    QTest::newRow("event-firm") << 8 << 6 << u"Событие"_s << u"Результат"_s << false << QString() << true;
    QTest::newRow("event-event") << 8 << 8 << u"Событие"_s << QString() << false << QString() << false;
}

void TestRoles::sidesShowWhatTheirKindsJoin()
{
    QFETCH(int, holder);
    QFETCH(int, other);
    QFETCH(QString, title);
    QFETCH(QString, role);
    QFETCH(bool, link);
    QFETCH(QString, tel);
    QFETCH(bool, group);
    const RoleRules::TSideLayout layout = RoleRules::SideLayout(holder, other);
    QCOMPARE(layout.Title, title);
    QCOMPARE(layout.Role, !role.isEmpty());
    if (layout.Role)
        QCOMPARE(layout.RoleCaption, role);
    QCOMPARE(layout.Link, link);
    QCOMPARE(layout.LinkTel, !tel.isEmpty());
    QCOMPARE(layout.LinkTelCaption, tel);
    QCOMPARE(layout.GroupEnabled, group);
    QCOMPARE(layout.GroupCaption, other == 0 ? u"Группа ролей"_s : u"Связанный объект поместить в группу"_s);

    // The side frame shows what the layout says, for a holder of that kind.
    TWeb web;
    const auto object = [&web](int kind) {
        switch (kind) {
        case Kind::Person:
            return web.Person(u"p"_s + QString::number(web.Web.Keys().size()), u"Орлов"_s, u"Олег"_s, false);
        case Kind::Address:
            return web.Web.Add(u"a"_s, Kind::Address, [](TDBMainInfo& r) { r.Str4 = u"Тверь"_s; });
        case Kind::Organization:
            return web.Firm(u"f"_s + QString::number(web.Web.Keys().size()));
        default:
            return web.Event(u"e"_s + QString::number(web.Web.Keys().size()), QString(), At(6, 1), 0);
        }
    };
    const QString first = object(holder);
    const QString second = other == 0 ? QString() : object(other);
    QVERIFY(web.Web.IsComplete());
    TDBMainInfo work;
    Template(work, first, holder, second, other);
    TFRoles frame;
    frame.SetLinkMode(1);
    frame.SetMasterDBInfo(&work);
    TFObjRole* side = frame.FObj1();
    QCOMPARE(frame.FObj2() != nullptr, other != 0);
    QCOMPARE(side->GroupBox1()->title(), title);
    QCOMPARE(side->pRole()->isVisibleTo(side), !role.isEmpty());
    QCOMPARE(side->pLink()->isVisibleTo(side), link);
    QCOMPARE(side->pLinkTel()->isVisibleTo(side), !tel.isEmpty());
    QCOMPARE(side->cbLinkTel()->text(), tel);
    QCOMPARE(side->gbGrp()->isVisibleTo(side), group);
    QCOMPARE(side->cbGroup()->itemText(0), u"Группа не указана"_s);
    QVERIFY(side->Preview() != nullptr);
    QCOMPARE(frame.dtStart()->TimeMode(), holder == Kind::Event || other == Kind::Event);
}

void TestRoles::pairIsWrittenWholeOrNotAtAll_data()
{
    QTest::addColumn<bool>("stored");
    QTest::newRow("new link") << false;
    QTest::newRow("link edited from its second side") << true;
}

void TestRoles::pairIsWrittenWholeOrNotAtAll()
{
    QFETCH(bool, stored);
    TWeb web;
    const QString client = web.Firm(u"Заказчик"_s);
    const QString supplier = web.Firm(u"Поставщик"_s);
    QVERIFY(web.Web.IsComplete());
    TDBMainInfo work;
    Template(work, client, Kind::Organization, supplier, Kind::Organization);
    TDBMainInfo a;
    TDBMainInfo b;
    RoleRules::DeriveSides(work, a, b);
    a.Str1 = u"Клиент"_s;
    b.Str1 = u"Поставщик"_s;
    a.Date1 = At(3, 1);
    a.D1Flag = true;
    if (stored) {
        QVERIFY(RoleRules::WritePair(a, b).Ok());
        // Opened from the supplier's side: its period changes, and both sides follow.
        TDBMainInfo row;
        QVERIFY(row.SetObj(b.Obj));
        RoleRules::DeriveSides(row, a, b);
        QCOMPARE(b.Str1, u"Клиент"_s);
        a.Date1 = At(4, 1);
        a.Date2 = At(4, 30);
        a.D2Flag = true;
        a.Int4 = 7;
    }
    QVERIFY(InstallWriteFault(*m_fixture));
    const QString before = m_fixture->Dump();
    const TObjectRow originalA = a;
    const TObjectRow originalB = b;
    int failures = 0;
    for (int n = 1;; ++n) {
        QVERIFY(n < 20);
        QVERIFY(m_fixture->Run(u"update zfault set n = "_s + QString::number(n)));
        const TStoreResult result = RoleRules::WritePair(a, b);
        if (result.Ok()) {
            // The fault was never reached: every write statement has been failed once before.
            QVERIFY(m_fixture->Scalar(u"select n from zfault"_s).toInt() > 0);
            break;
        }
        ++failures;
        QVERIFY(!result.Text.isEmpty());
        QCOMPARE(m_fixture->Dump(), before);
        QCOMPARE(a.Obj.Text(), originalA.Obj.Text());
        QCOMPARE(a.Link5.Text(), originalA.Link5.Text());
        QCOMPARE(b.Obj.Text(), originalB.Obj.Text());
        QCOMPARE(b.Link5.Text(), originalB.Link5.Text());
    }
    // A new link: the counter and insert of A, of B, then A's link to B. An edit: B, then A.
    QVERIFY2(failures >= (stored ? 2 : 5), qPrintable(QString::number(failures)));
    QCOMPARE(RoleRows(*m_fixture), 2);
    TDBMainInfo one;
    TDBMainInfo two;
    QVERIFY(one.SetObj(a.Obj));
    QVERIFY(two.SetObj(one.Link5));
    QCOMPARE(two.Link5.Text(), one.Obj.Text());
    QCOMPARE(one.Date1, two.Date1);
    QCOMPARE(one.Date2, two.Date2);
    QCOMPARE(one.D2Flag, two.D2Flag);
    QCOMPARE(one.Date1, stored ? At(4, 1) : At(3, 1));
    QCOMPARE(QSet<QString>({one.Str1, two.Str1}), QSet<QString>({u"Клиент"_s, u"Поставщик"_s}));
    QCOMPARE(one.Int1, two.Int2);
    QCOMPARE(one.Int2, two.Int1);

    // Deleting either side deletes its partner.
    TDBMainInfo victim;
    QVERIFY(victim.SetObj(stored ? one.Obj : two.Obj));
    QVERIFY(CascadeDelete::DeleteObject(victim));
    QCOMPARE(RoleRows(*m_fixture), 0);
}

void TestRoles::dialogKeepsAFailedPairOpenAndWritesTheSides()
{
    TWeb web;
    const QString person = web.Person(u"ivanov"_s, u"Иванов"_s, u"Иван"_s, false);
    const QString firm = web.Firm(u"Ромашка"_s);
    QVERIFY(web.Web.IsComplete());
    QVERIFY(InstallWriteFault(*m_fixture));
    const QString before = m_fixture->Dump();
    TDBMainInfo record;
    Template(record, person, Kind::Person, firm, Kind::Organization);
    TFRoles frame;
    frame.SetLinkMode(1);
    frame.SetMasterDBInfo(&record);
    frame.show();
    TFObjRole* side = frame.FObj1();
    side->eRole()->setFocus();
    TypeText(side->eRole()->lineEdit(), u"  директор "_s);
    side->cbLinkTel()->setChecked(true);
    side->cbRating()->setCurrentIndex(4);
    QVERIFY(!frame.FObj2()->pRole()->isVisibleTo(frame.FObj2()));

    // The second statement fails: the save is refused with the store's words, nothing is written.
    QVERIFY(m_fixture->Run(u"update zfault set n = 2"_s));
    const TStoreResult refused = record.Save();
    QCOMPARE(refused.Code, int(SaveResult::FrameRefused));
    QVERIFY(!refused.Text.isEmpty());
    QCOMPARE(record.ObjType, int(Kind::Role));
    QCOMPARE(m_fixture->Dump(), before);

    // Again, without the fault: both sides written, the record left to write nothing of its own.
    QVERIFY(m_fixture->Run(u"update zfault set n = 0"_s));
    const TStoreResult written = record.Save();
    QVERIFY2(written.Ok(), qPrintable(written.Text));
    QCOMPARE(record.ObjType, 0);
    TDBMainInfo mine;
    QVERIFY(mine.SetObj(record.Obj));
    QCOMPARE(mine.Str1, u"Директор"_s);
    QCOMPARE(mine.Int4, qint64(4));
    QVERIFY(mine.Flag);
    QCOMPARE(mine.Link3.Text(), QString(Ids::None));
    TDBMainInfo theirs;
    QVERIFY(theirs.SetObj(mine.Link5));
    QCOMPARE(theirs.Link1.Text(), firm);
    QCOMPARE(theirs.Link5.Text(), mine.Obj.Text());
    // The organization's side of a link with a person has no role of its own.
    QCOMPARE(theirs.Str1, QString());
    QCOMPARE(theirs.Int4, qint64(0));
    QVERIFY(!theirs.Flag);
    QCOMPARE(theirs.Link2.Text(), QString(Ids::None));
    QVERIFY(theirs.Str4.isEmpty() && mine.Str4.isEmpty());
}

void TestRoles::linksListFiltersAndTexts()
{
    TWeb web;
    const QString ivanov = web.Person(u"ivanov"_s, u"Иванов"_s, u"Иван"_s, false);
    web.Person(u"petrova"_s, u"Петрова"_s, u"Анна"_s, true);
    web.Firm(u"Ромашка"_s);
    web.Firm(u"Лютик"_s);
    const QString staff = web.Group(u"Сотрудники"_s, GroupType::PeopleRoles);
    const QString project = web.Group(u"Дача"_s, GroupType::Project);
    web.Event(u"Совет"_s, project, At(9, 1, 18), At(9, 1, 20));
    const auto link
        = [&web](const QString& key, const QString& holder, int holderKind, const QString& other, int otherKind,
              const QString& mine, const QString& far, qint64 rating, double from, const QString& group = QString()) {
              web.Side(key + u"a"_s, holder, holderKind, otherKind, mine, group, rating, from);
              web.Side(key + u"b"_s, other, otherKind, holderKind, far, QString(), 0, from);
              web.Web.Pair(key + u"a"_s, key + u"b"_s);
          };
    link(u"w"_s, u"ivanov"_s, Kind::Person, u"Ромашка"_s, Kind::Organization, u"Директор"_s, QString(), 3, At(5, 1),
        staff);
    link(u"c"_s, u"ivanov"_s, Kind::Person, u"Лютик"_s, Kind::Organization, u"Клиент"_s, QString(), 8, At(9, 1, 18));
    link(u"s"_s, u"ivanov"_s, Kind::Person, u"petrova"_s, Kind::Person, u"-"_s, u"Сестра"_s, 0, At(9, 2));
    link(u"e"_s, u"Совет"_s, Kind::Event, u"petrova"_s, Kind::Person, u"Принято"_s, u"Докладчик"_s, 6, At(9, 1, 18));
    web.Side(u"alone"_s, u"ivanov"_s, Kind::Person, 0, u"Рыбак"_s, staff, 9, At(1, 1));
    QVERIFY(web.Web.IsComplete());

    TDBMainInfo master;
    QVERIFY(master.SetObj(ivanov));
    TRoleFind list;
    list.SetMasterDBInfo(&master);
    list.resize(500, 700);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.Title(), u"Связи"_s);
    list.RunQuery(QString());
    // Newest first; the one-sided role is not a link.
    QCOMPARE(Texts(list.ListGrid()),
        (QStringList {u"[Группа не указана]\rПетрова А.\rРоль: Сестра"_s,
            u"[Группа не указана]\rЛютик\rРоль: [8] Клиент"_s, u"[Сотрудники]\rРомашка\rРоль: [3] Директор"_s}));
    QCOMPARE(Texts(list.ListGrid(), u"Date1"_s).first(), u"02.09.2024"_s);

    // Rating from 3 to 7, typed into the filter row.
    TOptionList* options = list.Options();
    options->setCurrentCell(options->FindRow(u"Оценка"_s), 1);
    auto* rating = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(rating);
    TypeText(rating, u"307"_s);
    QCOMPARE(options->Values(u"Оценка"_s).mid(4, 1), u"3"_s);
    list.RunQuery(QString());
    QCOMPARE(Texts(list.ListGrid()), QStringList {u"[Сотрудники]\rРомашка\rРоль: [3] Директор"_s});
    QString where;
    RoleRules::RatingConditions(where, u"от:    до: 7 "_s);
    QCOMPARE(where, u"AllInfo.Int4 <= 7"_s);
    options->SetValues(u"Оценка"_s, QString());

    // The period takes in its last day whatever the time: the link copied from an evening event is in.
    options->setCurrentCell(options->FindRow(u"Период"_s), 1);
    auto* period = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(period);
    TypeText(period, u"0105202401092024"_s);
    list.RunQuery(QString());
    QCOMPARE(Texts(list.ListGrid()).size(), 2);
    QVERIFY(Texts(list.ListGrid()).first().contains(u"Лютик"_s));
    options->SetValues(u"Период"_s, QString());
    // The group list of the quick-find bar, read anew as it drops down.
    QVERIFY(list.Groups()->findText(u"Соседи"_s) < 0);
    web.Group(u"Соседи"_s, GroupType::PeopleRoles);
    list.Groups()->setFocus();
    QTest::keyClick(list.Groups(), Qt::Key_F4);
    QVERIFY(list.Groups()->findText(u"Соседи"_s) > 1);
    list.Groups()->hidePopup();
    const int staffIndex = list.Groups()->findText(u"Сотрудники"_s);
    QVERIFY(staffIndex > 1);
    QCOMPARE(list.Groups()->itemText(1), u"Группа не указана"_s);
    list.Groups()->setCurrentIndex(staffIndex);
    list.RunQuery(QString());
    QCOMPARE(Texts(list.ListGrid()).size(), 1);
    list.Groups()->setCurrentIndex(0);
    options->SetValues(u"Тип связи"_s, TRoleListBase::PeopleLinks);
    list.RunQuery(QString());
    QCOMPARE(Texts(list.ListGrid()).size(), 1);
    QCOMPARE(list.CurLinkId(), web.Id(u"petrova"_s));

    // An organization's row shows the person's role in it; an event lists its participants with their
    // roles, its own result in place of the group.
    TDBMainInfo firm;
    QVERIFY(firm.SetObj(web.Id(u"Ромашка"_s)));
    TRoleFind firmLinks;
    firmLinks.SetMasterDBInfo(&firm);
    firmLinks.RunQuery(QString());
    QCOMPARE(Texts(firmLinks.ListGrid()), QStringList {u"[Группа не указана]\rИванов И.\rРоль: [3] Директор"_s});
    TDBMainInfo event;
    QVERIFY(event.SetObj(web.Id(u"Совет"_s)));
    TRoleFind participants;
    participants.SetMasterDBInfo(&event);
    QCOMPARE(participants.Title(), u"Участники, роли"_s);
    QVERIFY(participants.cbAddLink()->parentWidget()->isVisibleTo(&participants));
    participants.RunQuery(QString());
    QCOMPARE(Texts(participants.ListGrid()), QStringList {u"[Принято]\rПетрова А.\rРоль: Докладчик"_s});
    QString reason;
    TDBMainInfo eventRow;
    QVERIFY(eventRow.SetObj(web.Id(u"Совет"_s)));
    QVERIFY(!participants.CanLinkObject(eventRow, reason));
    QCOMPARE(reason, TRoleFind::WrongKind);
    QVERIFY(list.CanLinkObject(eventRow, reason));

    // The characteristics of the person: the one-sided role alone.
    TFind1Role roles;
    roles.SetMasterDBInfo(&master);
    roles.RunQuery(QString());
    QCOMPARE(Texts(roles.ListGrid()), QStringList {u"Рыбак"_s});
    QCOMPARE(Texts(roles.ListGrid(), u"Grp"_s), QStringList {u"Сотрудники"_s});
    QVERIFY(!roles.CanLinkObject(eventRow, reason));
}

void TestRoles::participantsOfAProject()
{
    TWeb web;
    web.Person(u"orlov"_s, u"Орлов"_s, u"Олег"_s, false);
    web.Person(u"zimin"_s, u"Зимин"_s, u"Кирилл"_s, false);
    web.Person(u"other"_s, u"Белов"_s, u"Борис"_s, false);
    web.Firm(u"Стройка"_s);
    const QString project = web.Group(u"Дача"_s, GroupType::Project);
    const QString otherProject = web.Group(u"Ремонт"_s, GroupType::Project);
    web.Event(u"Планерка"_s, project, At(3, 1, 9), 0);
    web.Side(u"r1"_s, u"orlov"_s, Kind::Person, Kind::Event, u"Прораб"_s, project, 5, At(3, 1, 9));
    web.Side(u"r1e"_s, u"Планерка"_s, Kind::Event, Kind::Person, u"Готово"_s, project, 0, At(3, 1, 9));
    web.Web.Pair(u"r1"_s, u"r1e"_s);
    web.Side(u"r2"_s, u"Стройка"_s, Kind::Organization, 0, u"Подрядчик"_s, project, 8, At(4, 1));
    web.Side(u"r3"_s, u"zimin"_s, Kind::Person, 0, u"Прораб"_s, project, 2, At(6, 30, 23));
    web.Side(u"r4"_s, u"other"_s, Kind::Person, 0, u"Прораб"_s, otherProject, 9, At(3, 1));
    QVERIFY(web.Web.IsComplete());

    TDBMainInfo master;
    QVERIFY(master.SetObj(project));
    TFindRoleProject list;
    list.SetMasterDBInfo(&master);
    list.RunQuery(QString());
    // People first, then organizations; the event's own side is no participant.
    QCOMPARE(Texts(list.ListGrid()), (QStringList {u"Зимин Кирилл"_s, u"Орлов Олег"_s, u"Стройка"_s}));
    TOptionList* options = list.Options();
    QCOMPARE(options->PickListOf(options->FindRow(u"Роль"_s)), (QStringList {QString(), u"Подрядчик"_s, u"Прораб"_s}));
    options->SetValues(u"Тип связи"_s, TRoleListBase::FirmaLinks);
    list.RunQuery(QString());
    QCOMPARE(Texts(list.ListGrid()), QStringList {u"Стройка"_s});
    options->SetValues(u"Тип связи"_s, QString());
    options->SetValues(u"Роль"_s, u"Про"_s);
    options->SetValues(u"Оценка"_s, u"от: 3  до: 10"_s);
    list.RunQuery(QString());
    QCOMPARE(Texts(list.ListGrid()), QStringList {u"Орлов Олег"_s});
    options->SetValues(u"Оценка"_s, QString());
    // The last day of the period is in, whatever the time of the role's start.
    options->SetValues(u"Период"_s, u"с: 01.04.2024 по: 30.06.2024"_s);
    list.RunQuery(QString());
    QCOMPARE(Texts(list.ListGrid()), QStringList {u"Зимин Кирилл"_s});
}

// Writes the link dialog's record as the user would: the two-sided frame, a role typed on side A, saved.
static void SaveInFrame(TDBMainInfo& record, const QString& role)
{
    TFRoles frame;
    frame.SetLinkMode(1);
    frame.SetMasterDBInfo(&record);
    frame.show();
    frame.FObj1()->eRole()->setFocus();
    TypeText(frame.FObj1()->eRole()->lineEdit(), role);
    QVERIFY(record.Save().Ok());
}

void TestRoles::newRolesStartFromTheirTemplates()
{
    TScriptedBroker broker;
    TWeb web;
    const QString person = web.Person(u"orlov"_s, u"Орлов"_s, u"Олег"_s, false);
    const QString firm = web.Firm(u"Стройка"_s);
    const QString hobby = web.Group(u"Увлечения"_s, GroupType::PeopleRoles);
    const QString staff = web.Group(u"Сотрудники"_s, GroupType::PeopleRoles);
    web.Side(u"work"_s, u"orlov"_s, Kind::Person, Kind::Organization, u"Прораб"_s, staff);
    web.Side(u"workb"_s, u"Стройка"_s, Kind::Organization, Kind::Person, QString());
    web.Web.Pair(u"work"_s, u"workb"_s);
    QVERIFY(web.Web.IsComplete());
    TDBMainInfo master;
    QVERIFY(master.SetObj(person));

    // A characteristic: one-sided, filed under the group chosen in the list's group list.
    TFind1Role roles;
    roles.SetMasterDBInfo(&master);
    roles.Groups()->setCurrentIndex(roles.Groups()->findText(u"Увлечения"_s));
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [&](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::Role));
        QCOMPARE(record.Link1.Text(), person);
        QVERIFY(IsEmptyId(record.Link2));
        QCOMPARE(record.Link3.Text(), hobby);
        QCOMPARE(record.Int2, qint64(0));
        SaveInFrame(record, u"рыбалка"_s);
    });
    roles.findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(Texts(roles.ListGrid()), QStringList {u"Рыбалка"_s});
    QCOMPARE(Texts(roles.ListGrid(), u"Grp"_s), QStringList {u"Увлечения"_s});
    TDBMainInfo characteristic;
    QVERIFY(characteristic.SetObj(roles.CurObjId()));
    QCOMPARE(characteristic.Link5.Text(), QString(Ids::None));

    // Another link of the same holder under a role (the master a role row): the holder's side is filed
    // under the role's group (its Link2), the organization picked from the new-link menu.
    TDBMainInfo work;
    QVERIFY(work.SetObj(web.Id(u"work"_s)));
    TRoleFind sameRole;
    sameRole.SetMasterDBInfo(&work);
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, [&](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::Organization));
        record.SetObj(firm);
    });
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [&](TDBMainInfo& record) {
        QCOMPARE(record.Link1.Text(), person);
        QCOMPARE(record.Link2.Text(), firm);
        QCOMPARE(record.Link3.Text(), staff);
        QCOMPARE(record.Int1, qint64(Kind::Person));
        QCOMPARE(record.Int2, qint64(Kind::Organization));
        SaveInFrame(record, u"Прораб"_s);
    });
    sameRole.findChild<QAction*>(u"miNewFirma"_s)->trigger();
    QCOMPARE(Texts(sameRole.ListGrid()).size(), 2);
    QVERIFY(Texts(sameRole.ListGrid()).contains(u"[Сотрудники]\rСтройка\rРоль: Прораб"_s));

    // Deleting a link from the list deletes both of its rows.
    TDBMainInfo firmMaster;
    QVERIFY(firmMaster.SetObj(firm));
    TRoleFind firmLinks;
    firmLinks.SetMasterDBInfo(&firmMaster);
    firmLinks.RunQuery(QString());
    QCOMPARE(Texts(firmLinks.ListGrid()).size(), 2);
    broker.Queue(TScriptedBroker::TRequest::Delete, 1, [](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::Role));
        QVERIFY(CascadeDelete::DeleteObject(record));
    });
    firmLinks.findChild<QAction*>(u"miDelRole"_s)->trigger();
    QCOMPARE(Texts(firmLinks.ListGrid()).size(), 1);
    QCOMPARE(RoleRows(*m_fixture), 3);
}

void TestRoles::personLinkedToAnOrganizationByDragInTheMainWindow()
{
    TWeb web;
    const QString person = web.Person(u"sidorov"_s, u"Сидоров"_s, u"Петр"_s, false);
    const QString firm = web.Firm(u"Ромашка"_s);
    const QString staff = web.Group(u"Руководство"_s, GroupType::OrganizationRoles);
    QVERIFY(web.Web.IsComplete());
    QVERIFY(InstallWriteFault(*m_fixture));
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));

    TDBMainInfo record;
    QVERIFY(record.SetObj(person));
    main.Request(TMainMessage::WM_OPENOBJECT, record);
    auto* cards = main.findChild<QStackedWidget*>(u"ObjCards"_s);
    auto* personCard = qobject_cast<TBaseObjFrame*>(cards->currentWidget());
    QVERIFY(personCard);
    QVERIFY(personCard->ShowSection(PersonSection::Links));
    auto* section = dynamic_cast<TRoleFind*>(personCard->SectionFrame());
    QVERIFY(section);
    QTRY_VERIFY(section->ListGrid()->Model()->IsOpen());
    QCOMPARE(section->ListGrid()->Model()->RecordCount(), 0);

    // The organization dragged from the organizations list onto the section.
    TDBMainInfo firms;
    firms.ObjType = Kind::Organization;
    TFindFirma firmList;
    firmList.SetMasterDBInfo(&firms);
    firmList.RunQuery(firm);
    QCOMPARE(firmList.CurObjId(), firm);
    const auto fillDialog = [&](TMainModalForm& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Взаимосвязь, определение ролей"_s);
        auto* roles = dynamic_cast<TFRoles*>(dialog.Frame());
        QVERIFY(roles);
        QVERIFY(roles->FObj2());
        TFObjRole* mine = roles->FObj1();
        TFObjRole* theirs = roles->FObj2();
        QCOMPARE(mine->GroupBox1()->title(), u"Роль человека"_s);
        QCOMPARE(theirs->GroupBox1()->title(), u"Роль организации"_s);
        mine->eRole()->setFocus();
        mine->eRole()->lineEdit()->selectAll();
        TypeText(mine->eRole()->lineEdit(), u"директор"_s);
        theirs->cbGroup()->setFocus();
        theirs->cbGroup()->setCurrentIndex(theirs->cbGroup()->findText(u"Руководство"_s));
        roles->dtStart()->eDT()->setFocus();
        roles->dtStart()->eDT()->home(false);
        TypeText(roles->dtStart()->eDT(), u"01022024"_s);
    };
    // A first try meets a failing database: the dialog says so and stays open; closed, the drop reports
    // that nothing was linked.
    QVERIFY(m_fixture->Run(u"update zfault set n = 2"_s));
    bool stayedOpen = false;
    WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
        fillDialog(dialog);
        dialog.AOkExecute();
        stayedOpen = dialog.isVisible();
        QCOMPARE(m_messages->Shown().size(), 1);
        m_messages->QueueAnswer(TAnswer::No);
        dialog.ACloseExecute();
    });
    QVERIFY(section->GridDragOver(firmList.ListGrid()));
    QVERIFY(!section->LinkObject());
    QVERIFY(stayedOpen);
    QCOMPARE(RoleRows(*m_fixture), 0);

    // Dropped again: written.
    QVERIFY(m_fixture->Run(u"update zfault set n = 0"_s));
    m_messages->ClearShown();
    WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
        fillDialog(dialog);
        QVERIFY(SaveScreenshot(dialog, u"roles-editor.png"_s));
        dialog.AOkExecute();
    });
    QVERIFY(section->GridDragOver(firmList.ListGrid()));
    firmList.GridEndDrag(section->ListGrid()->viewport());
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(RoleRows(*m_fixture), 2);
    QTRY_COMPARE(Texts(section->ListGrid()), QStringList {u"[Группа не указана]\rРомашка\rРоль: Директор"_s});
    QCOMPARE(Texts(section->ListGrid(), u"Date1"_s), QStringList {u"01.02.2024"_s});
    QCOMPARE(section->CurLinkId(), firm);
    QVERIFY(SaveScreenshot(main, u"roles-section.png"_s));

    // The organization's card shows the same link from its side: filed under its group, the person's role.
    TDBMainInfo firmRecord;
    QVERIFY(firmRecord.SetObj(firm));
    main.Request(TMainMessage::WM_OPENOBJECT, firmRecord);
    auto* firmCard = qobject_cast<TBaseObjFrame*>(cards->currentWidget());
    QVERIFY(firmCard && firmCard != personCard);
    QVERIFY(firmCard->ShowSection(FirmaSection::Links));
    auto* firmSection = dynamic_cast<TRoleFind*>(firmCard->SectionFrame());
    QVERIFY(firmSection);
    QTRY_COMPARE(Texts(firmSection->ListGrid()), QStringList {u"[Руководство]\rСидоров П.\rРоль: Директор"_s});
    QCOMPARE(Texts(firmSection->ListGrid(), u"Date1"_s), QStringList {u"01.02.2024"_s});
    QCOMPARE(firmSection->CurLinkId(), person);
    Q_UNUSED(staff);
}

QTEST_MAIN(TestRoles)
#include "tst_roles.moc"
