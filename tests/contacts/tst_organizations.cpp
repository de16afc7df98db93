// Organizations and their branches: the display names (a parent's name with double quotes, renamed in the
// save's own transaction), the two-level rule wherever a branch is made, detaching a branch, the list's
// filter rows as statements on a fixture, and the whole way in the real main window.
#include "contacts/ContactScreens.h"
#include "contacts/EditFirma.h"
#include "contacts/FiliaFind.h"
#include "contacts/Filias.h"
#include "contacts/FindFirma.h"
#include "contacts/FindFirmaRole.h"
#include "contacts/FindPeople.h"
#include "contacts/FirmaObjFrame.h"
#include "contacts/FirmaPrev.h"
#include "contacts/InetFind.h"
#include "contacts/TelFind.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/FindModalForm.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/SelectClientFrame.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;
using TRequest = TScriptedBroker::TRequest;

class TestOrganizations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void RenameRewritesBranchesInTheSameTransaction();
    void EditorKeepsTwoLevels();
    void BranchListLinksAndDetaches();
    void FilterRowsAsStatements_data();
    void FilterRowsAsStatements();
    void TextPreviewCutsLines();
    void RoleHoldersListedAndOffered();
    void FromStartToEndInTheMainWindow();

private:
    QString Store(int kind, const std::function<void(TDBMainInfo&)>& fill);
    QString StoreFirm(const QString& name, const QString& form, const QString& parent = QString());
    QString DisplayName(const QString& id) const;
    QString Parent(const QString& id) const;
    /// Runs the organization editor on \a id (empty: a new organization) in its dialog, \a edit driving it,
    /// then presses OK; the messages shown.
    QStringList EditInDialog(const QString& id, const std::function<void(TEditFirma&)>& edit, QString* saved = nullptr);
    static QStringList Names(TMyDBGrid* grid, const QString& field = u"Str1"_s);
    void StartMain(TMain& main);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestOrganizations::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestOrganizations::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
}

void TestOrganizations::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestOrganizations::Store(int kind, const std::function<void(TDBMainInfo&)>& fill)
{
    TDBMainInfo row;
    row.ObjType = kind;
    fill(row);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString TestOrganizations::StoreFirm(const QString& name, const QString& form, const QString& parent)
{
    return Store(Kind::Organization, [&](TDBMainInfo& r) {
        const TOrganizationView firm(r);
        firm.SetName(name);
        firm.SetFormOrParent(form);
        // Stored as the editor stores it: the none id for an independent organization.
        firm.SetParent(parent.isEmpty() ? QString(Ids::None) : parent);
        firm.SetDisplayName(OrganizationDisplayName(parent.isEmpty() ? QString() : DisplayName(parent), form, name));
    });
}

QString TestOrganizations::DisplayName(const QString& id) const
{
    return m_fixture->Scalar(u"select Str5 from AllInfo where ObjId = '"_s + id + u"'"_s).toString();
}

QString TestOrganizations::Parent(const QString& id) const
{
    return m_fixture->Scalar(u"select Link1 from AllInfo where ObjId = '"_s + id + u"'"_s).toString();
}

QStringList TestOrganizations::Names(TMyDBGrid* grid, const QString& field)
{
    QStringList names;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        names << grid->Model()->Row(i).Text(field);
    return names;
}

QStringList TestOrganizations::EditInDialog(
    const QString& id, const std::function<void(TEditFirma&)>& edit, QString* saved)
{
    TDBMainInfo record;
    record.ObjType = Kind::Organization;
    if (!id.isEmpty())
        record.SetObj(id);
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&record);
    auto* editor = dynamic_cast<TEditFirma*>(dialog.Frame());
    if (!editor)
        return {u"no editor"_s};
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    if (!QTest::qWaitForWindowActive(&dialog))
        return {u"not shown"_s};
    edit(*editor);
    m_messages->ClearShown();
    dialog.AOkExecute();
    if (saved)
        *saved = dialog.DBMain()->Obj.Text();
    const QStringList shown = m_messages->Shown();
    if (dialog.isVisible())
        dialog.reject();
    return shown;
}

void TestOrganizations::RenameRewritesBranchesInTheSameTransaction()
{
    const QString parent = StoreFirm(u"\"Ромашка\""_s, u"ООО"_s);
    const QString store = StoreFirm(u"Склад"_s, QString(), parent);
    const QString office = StoreFirm(u"Офис \"Север\""_s, QString(), parent);
    QCOMPARE(DisplayName(parent), u"ООО, \"Ромашка\""_s);
    QCOMPARE(DisplayName(store), u"ООО, \"Ромашка\", Склад"_s);

    // Renamed in its editor, the parent renames both branches; the quotes stay as typed on both engines.
    QCOMPARE(EditInDialog(parent,
                 [](TEditFirma& editor) {
                     editor.eName()->setFocus();
                     editor.eName()->selectAll();
                     TypeText(editor.eName(), u"\"Ромашка-М\""_s);
                     QVERIFY(!editor.cbLinkObj()->isEnabled());
                 }),
        QStringList());
    QCOMPARE(DisplayName(parent), u"ООО, \"Ромашка-М\""_s);
    QCOMPARE(DisplayName(store), u"ООО, \"Ромашка-М\", Склад"_s);
    QCOMPARE(DisplayName(office), u"ООО, \"Ромашка-М\", Офис \"Север\""_s);

    // When a branch cannot be renamed, the parent's save is rolled back whole and the user is told.
    QVERIFY(m_fixture->RefuseRows(u"Str5"_s, u"АО, \"Ромашка-М\", Склад"_s));
    const QStringList shown = EditInDialog(parent, [](TEditFirma& editor) {
        editor.eFS()->setFocus();
        editor.eFS()->selectAll();
        TypeText(editor.eFS(), u"АО"_s);
    });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(DisplayName(parent), u"ООО, \"Ромашка-М\""_s);
    QCOMPARE(DisplayName(office), u"ООО, \"Ромашка-М\", Офис \"Север\""_s);
}

void TestOrganizations::EditorKeepsTwoLevels()
{
    TScriptedBroker broker;
    const QString parent = StoreFirm(u"Ромашка"_s, u"ООО"_s);
    const QString branch = StoreFirm(u"Склад"_s, QString(), parent);
    const QString lone = StoreFirm(u"Лютик"_s, u"ЗАО"_s);
    const auto pick = [&broker](const QString& id) {
        broker.Queue(TRequest::Pick, 1, [id](TDBMainInfo& record) { record.SetObj(id); });
    };
    const auto makeBranchOf = [&pick](const QString& id) {
        return [&pick, id](TEditFirma& editor) {
            QTest::mouseClick(editor.cbLinkObj(), Qt::LeftButton);
            QVERIFY(editor.LinkObj()->isVisibleTo(&editor));
            QVERIFY(!editor.pPS()->isVisibleTo(&editor));
            pick(id);
            QTest::mouseClick(editor.LinkObj()->tbFind(), Qt::LeftButton);
        };
    };

    // A blank name; an organization as its own branch; a branch of a branch.
    QCOMPARE(EditInDialog(QString(), [](TEditFirma&) {}), QStringList {u"Укажите название организации!"_s});
    QCOMPARE(EditInDialog(lone, makeBranchOf(lone)), QStringList {u"Фирма не может быть сама себе подразделением!"_s});
    QCOMPARE(EditInDialog(lone, makeBranchOf(branch)), QStringList {OrganizationTexts::BranchOfBranch});
    QCOMPARE(Parent(lone), QString(Ids::None));

    // An organization that has branches cannot be made a branch: the box is off on load, and a branch that
    // came meanwhile refuses the choice made before it.
    QCOMPARE(
        EditInDialog(parent, [](TEditFirma& editor) { QVERIFY(!editor.cbLinkObj()->isEnabled()); }), QStringList());
    QCOMPARE(EditInDialog(lone,
                 [&](TEditFirma& editor) {
                     QVERIFY(editor.cbLinkObj()->isEnabled());
                     makeBranchOf(parent)(editor);
                     StoreFirm(u"Цех"_s, QString(), lone);
                 }),
        QStringList {OrganizationTexts::BranchOfBranch});
    QCOMPARE(Parent(lone), QString(Ids::None));

    // Nothing else stores a broken hierarchy either.
    TDBMainInfo record;
    QVERIFY(record.SetObj(lone));
    OrganizationView(record).SetParent(parent);
    const TStoreResult result = record.Save();
    QCOMPARE(result.Code, int(SaveResult::Failed));
    QCOMPARE(result.Text, OrganizationTexts::BranchOfBranch);

    // A new organization made a branch of an independent one is named after it.
    QString saved;
    QCOMPARE(EditInDialog(
                 QString(),
                 [&](TEditFirma& editor) {
                     editor.eName()->setFocus();
                     TypeText(editor.eName(), u" Офис "_s);
                     makeBranchOf(parent)(editor);
                 },
                 &saved),
        QStringList());
    QCOMPARE(DisplayName(saved), u"ООО, Ромашка, Офис"_s);
    QCOMPARE(Parent(saved), parent);

    // Rows stored before as a branch with branches of their own are made independent by the next save.
    QVERIFY(m_fixture->Run(u"update AllInfo set Link1 = '"_s + parent + u"' where ObjId = '"_s + lone + u"'"_s));
    QCOMPARE(EditInDialog(lone,
                 [](TEditFirma& editor) {
                     QVERIFY(editor.cbLinkObj()->isChecked());
                     QVERIFY(!editor.cbLinkObj()->isEnabled());
                 }),
        QStringList());
    QCOMPARE(Parent(lone), QString(Ids::None));
    QCOMPARE(DisplayName(lone), u"ЗАО, Лютик"_s);
}

void TestOrganizations::BranchListLinksAndDetaches()
{
    TScriptedBroker broker;
    const QString parent = StoreFirm(u"Ромашка"_s, u"ООО"_s);
    const QString branch = StoreFirm(u"Склад"_s, QString(), parent);
    const QString lone = StoreFirm(u"Лютик"_s, u"ЗАО"_s);
    const QString holding = StoreFirm(u"Холдинг"_s, QString());
    StoreFirm(u"Завод"_s, QString(), holding);
    const QString person = Store(Kind::Person, [](TDBMainInfo& r) { r.Str1 = u"Петров"_s; });

    TFiliaFind list;
    list.SetMasterId(parent);
    list.show();
    QTRY_COMPARE(Names(list.ListGrid()), QStringList {u"Склад"_s});

    // Picked by the new action: refused with its reason, or made a branch at once.
    const auto pickAndLink = [&](TFiliaFind& target, const QString& id) {
        m_messages->ClearShown();
        broker.Queue(TRequest::Pick, 1, [id](TDBMainInfo& record) { record.SetObj(id); });
        target.findChild<QAction*>(u"aNew"_s)->trigger();
        return m_messages->Shown();
    };
    QCOMPARE(pickAndLink(list, parent), QStringList {u"Циклическая ссылка"_s});
    QCOMPARE(
        pickAndLink(list, holding), QStringList {u"Фирма содержащая подразделения не может быть подразделением!"_s});
    QCOMPARE(Parent(holding), QString(Ids::None));
    QCOMPARE(pickAndLink(list, lone), QStringList());
    QCOMPARE(Parent(lone), parent);
    QCOMPARE(DisplayName(lone), u"ООО, Ромашка, Лютик"_s);
    QTRY_COMPARE(Names(list.ListGrid()), (QStringList {u"Склад"_s, u"Лютик"_s}));

    // A branch's own list takes no branches.
    TFiliaFind branchList;
    branchList.SetMasterId(branch);
    const QString other = StoreFirm(u"Василёк"_s, QString());
    QCOMPARE(pickAndLink(branchList, other), QStringList {OrganizationTexts::BranchOfBranch});
    QCOMPARE(Parent(other), QString(Ids::None));
    m_messages->ClearShown();

    // Dropped from the organization list: an organization is taken, a person is not.
    TFindFirma firms;
    firms.show();
    QTRY_VERIFY(firms.ListGrid()->Model()->IsOpen());
    firms.RunQuery(other);
    QCOMPARE(firms.CurObjId(), other);
    QVERIFY(list.GridDragOver(firms.ListGrid()));
    QVERIFY(list.LinkObject());
    QCOMPARE(Parent(other), parent);
    TFindPeople people;
    people.show();
    QTRY_VERIFY(people.ListGrid()->Model()->IsOpen());
    people.RunQuery(person);
    QCOMPARE(people.CurObjId(), person);
    QVERIFY(!list.GridDragOver(people.ListGrid()));

    // Detaching from the delete menu keeps the organization, independent under its own name.
    list.RunQuery(lone);
    QCOMPARE(list.CurObjId(), lone);
    list.ListGrid()->setFocus();
    QTest::keyClick(list.ListGrid(), Qt::Key_Delete);
    auto* menu = list.findChild<QAction*>(u"miDelRole"_s)->parent();
    QVERIFY(menu);
    QTRY_VERIFY(qobject_cast<QMenu*>(menu)->isVisible());
    QCOMPARE(list.findChild<QAction*>(u"miDelEvent"_s)->text(), u"Удалить организацию"_s);
    QTest::keyClick(qobject_cast<QMenu*>(menu), Qt::Key_Down);
    QTest::keyClick(qobject_cast<QMenu*>(menu), Qt::Key_Return);
    QTRY_COMPARE(Parent(lone), QString(Ids::None));
    QCOMPARE(DisplayName(lone), u"ЗАО, Лютик"_s);
    QTRY_COMPARE(Names(list.ListGrid()), (QStringList {u"Склад"_s, u"Василёк"_s}));
    QCOMPARE(m_messages->Shown(), QStringList());
}

void TestOrganizations::FilterRowsAsStatements_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("found");
    const QStringList all {u"Лютик"_s, u"Ромашка"_s, u"Склад"_s};
    QTest::newRow("nothing") << QStringList() << QStringList() << all;
    QTest::newRow("name") << QStringList {u"Название"_s} << QStringList {u"ро"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("form") << QStringList {u"Форма собствен."_s} << QStringList {u"за"_s} << QStringList {u"Лютик"_s};
    QTest::newRow("parent companies") << QStringList {u"Тип организации"_s} << QStringList {FirmaTexts::ParentCompany}
                                      << QStringList {u"Лютик"_s, u"Ромашка"_s};
    QTest::newRow("branches") << QStringList {u"Тип организации"_s} << QStringList {FirmaTexts::Branches}
                              << QStringList {u"Склад"_s};
    QTest::newRow("phone") << QStringList {u"Телефон"_s} << QStringList {u"4822"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("internet") << QStringList {u"Internet ресурс"_s} << QStringList {u"shka"_s}
                              << QStringList {u"Ромашка"_s};
    QTest::newRow("comment") << QStringList {u"Комментарий"_s} << QStringList {u"мол"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("group") << QStringList {u"Группа"_s} << QStringList {u"Поставщики"_s}
                           << QStringList {u"Ромашка"_s, u"Склад"_s};
    QTest::newRow("no group named") << QStringList {u"Группа"_s} << QStringList {u"Группа не указана"_s}
                                    << QStringList {u"Ромашка"_s};
    QTest::newRow("role") << QStringList {u"Роль"_s} << QStringList {u"пост"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("rating alone") << QStringList {u"Оценка"_s} << QStringList {u"от: 5  до: 10"_s} << all;
    QTest::newRow("group and rating") << QStringList {u"Группа"_s, u"Оценка"_s}
                                      << QStringList {u"Поставщики"_s, u"от: 5  до: 10"_s}
                                      << QStringList {u"Ромашка"_s};
    QTest::newRow("group and left") << QStringList {u"Группа"_s, u"Состояние"_s}
                                    << QStringList {u"Поставщики"_s, FirmaTexts::StateWas} << QStringList {u"Склад"_s};
    QTest::newRow("group and now") << QStringList {u"Группа"_s, u"Состояние"_s}
                                   << QStringList {u"Поставщики"_s, u"Сейчас в группе"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("country") << QStringList {u"Страна"_s} << QStringList {u"рос"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("region") << QStringList {u"Область"_s} << QStringList {u"твер"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("district") << QStringList {u"Район"_s} << QStringList {u"калин"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("city") << QStringList {u"Город"_s} << QStringList {u"тверь"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("street") << QStringList {u"Улица"_s} << QStringList {u"сов"_s} << QStringList {u"Ромашка"_s};
    QTest::newRow("street elsewhere") << QStringList {u"Улица"_s} << QStringList {u"лес"_s} << QStringList();
    QTest::newRow("event") << QStringList {u"Связана с событием"_s} << QStringList {u"*"_s}
                           << QStringList {u"Ромашка"_s};
}

void TestOrganizations::FilterRowsAsStatements()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, values);
    QFETCH(QStringList, found);
    TScriptedBroker broker;
    // Ромашка (ООО, "молочная") with a phone, a site, a current role of supplier rated 7 in the group
    // Поставщики, an address and a meeting; its branch Склад, a client rated 3 who has left the group; Лютик.
    const QString romashka = Store(Kind::Organization, [](TDBMainInfo& r) {
        OrganizationView(r).SetParent(Ids::None);
        OrganizationView(r).SetName(u"Ромашка"_s);
        OrganizationView(r).SetFormOrParent(u"ООО"_s);
        r.Comments = u"молочная"_s;
    });
    const QString store = StoreFirm(u"Склад"_s, QString(), romashka);
    StoreFirm(u"Лютик"_s, u"ЗАО"_s);
    Store(Kind::Phone, [&](TDBMainInfo& r) {
        PhoneView(r).SetOwner(romashka);
        PhoneView(r).SetOwnerKind(Kind::Organization);
        PhoneView(r).SetNumber(u"8 (4822) 11-22-33"_s);
    });
    Store(Kind::InternetContact, [&](TDBMainInfo& r) {
        InternetContactView(r).SetOwner(romashka);
        InternetContactView(r).SetAddress(u"www.romashka.ru"_s);
    });
    const QString group = Store(Kind::Group, [](TDBMainInfo& r) {
        GroupView(r).SetName(u"Поставщики"_s);
        GroupView(r).SetGroupKind(GroupType::OrganizationRoles);
    });
    const auto role = [&](const QString& holder, const QString& name, int rating, bool left) {
        return Store(Kind::Role, [&](TDBMainInfo& r) {
            const TRoleView view(r);
            view.SetHolder(holder);
            view.SetHolderKind(Kind::Organization);
            view.SetGroup(group);
            view.SetName(name);
            view.SetRating(rating);
            view.SetHasEnded(left);
        });
    };
    role(romashka, u"поставщик"_s, 7, false);
    role(store, u"клиент"_s, 3, true);
    const QString address = Store(Kind::Address, [](TDBMainInfo& r) {
        AddressView(r).SetCountry(u"Россия"_s);
        AddressView(r).SetRegion(u"Тверская"_s);
        AddressView(r).SetDistrict(u"Калининский"_s);
        AddressView(r).SetSettlement(u"Тверь"_s);
        AddressView(r).SetStreet(u"Советская"_s);
    });
    Store(Kind::Residence, [&](TDBMainInfo& r) {
        ResidenceView(r).SetAddress(address);
        ResidenceView(r).SetResident(romashka);
        ResidenceView(r).SetCurrent(true);
    });
    const QString meeting = Store(Kind::Event, [](TDBMainInfo& r) {
        EventView(r).SetName(u"Переговоры"_s);
        EventView(r).SetDisplayName(u"Переговоры"_s);
    });
    const QString eventSide = Store(Kind::Role, [&](TDBMainInfo& r) {
        RoleView(r).SetHolder(meeting);
        RoleView(r).SetHolderKind(Kind::Event);
    });
    Store(Kind::Role, [&](TDBMainInfo& r) {
        RoleView(r).SetHolder(romashka);
        RoleView(r).SetHolderKind(Kind::Organization);
        RoleView(r).SetGroup(Ids::None);
        RoleView(r).SetOppositeSide(eventSide);
    });

    TFindFirma list;
    list.SetFullFindMode(true);
    list.show();
    TOptionList* options = list.Options();
    for (int i = 0; i < rows.size(); ++i) {
        const int row = options->FindRow(rows[i]);
        QVERIFY(row >= 0);
        if (rows[i] == u"Связана с событием"_s) {
            broker.Queue(TRequest::Pick, 1, [meeting](TDBMainInfo& record) { record.SetObj(meeting); });
            options->EditButtonClick(row);
            QCOMPARE(options->Values(rows[i]), DisplayName(meeting));
            continue;
        }
        QStringList offered;
        list.OptionListGetPickList(rows[i], offered);
        if (rows[i] == u"Группа"_s)
            QCOMPARE(offered, (QStringList {QString(), u"Группа не указана"_s, u"Поставщики"_s}));
        options->SetValues(rows[i], values[i]);
    }
    list.RunQuery(QString());
    QTRY_VERIFY(list.ListGrid()->Model()->IsOpen());
    QCOMPARE(Names(list.ListGrid()), found);
}

void TestOrganizations::TextPreviewCutsLines()
{
    const QString parent = StoreFirm(u"Ромашка"_s, u"ООО"_s);
    const QString branch = StoreFirm(u"Склад номер один на Заречной улице у реки"_s, QString(), parent);
    TDBMainInfo record;
    QVERIFY(record.SetObj(branch));
    TFFirmaPrev preview;
    preview.resize(200, 60);
    preview.show();
    preview.SetMasterDBInfo(&record);
    const QString text = DisplayName(branch);
    const int n = (preview.lStr1()->width() - 2) / (preview.lStr1()->fontMetrics().horizontalAdvance(u'a') + 3);
    QVERIFY(n > 0 && 2 * n < text.size());
    QCOMPARE(preview.lStr1()->text(), text.left(n));
    QCOMPARE(preview.lStr2()->text(), text.mid(n, n));
    QCOMPARE(preview.lStr3()->text(), text.mid(2 * n));
    preview.SetMasterDBInfo(nullptr);
}

void TestOrganizations::RoleHoldersListedAndOffered()
{
    TScriptedBroker broker;
    const QString group = Store(Kind::Group, [](TDBMainInfo& r) {
        GroupView(r).SetName(u"Поставщики"_s);
        GroupView(r).SetGroupKind(GroupType::OrganizationRoles);
    });
    const auto role = [&](const QString& holder, const QString& name, int rating, bool left) {
        return Store(Kind::Role, [&](TDBMainInfo& r) {
            const TRoleView view(r);
            view.SetHolder(holder);
            view.SetHolderKind(Kind::Organization);
            view.SetGroup(group);
            view.SetName(name);
            view.SetRating(rating);
            view.SetHasEnded(left);
        });
    };
    const QString romashka = StoreFirm(u"Ромашка"_s, u"ООО"_s);
    const QString supplier = role(romashka, u"поставщик"_s, 7, false);
    role(StoreFirm(u"Лютик"_s, QString()), u"поставщик"_s, 4, true);
    role(StoreFirm(u"Василёк"_s, QString()), u"клиент"_s, 5, false);
    const QString newcomer = StoreFirm(u"Одуванчик"_s, QString());

    TFindFirmaRole list;
    list.SetMasterId(supplier);
    list.show();
    QTRY_VERIFY(list.ListGrid()->Model()->IsOpen());
    QCOMPARE(Names(list.ListGrid(), u"Str5"_s), QStringList {u"ООО, Ромашка"_s});
    QCOMPARE(list.ListGrid()->Model()->Row(0).Int(u"RoleRating"_s), 7);
    // A picked organization is offered the same role in the group, in the link dialog.
    broker.Queue(TRequest::Pick, 1, [newcomer](TDBMainInfo& record) { record.SetObj(newcomer); });
    broker.Queue(TRequest::Edit, 2);
    list.findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(broker.Calls().size(), 2);
    const TObjectRow& offered = broker.Calls().last().Record;
    QCOMPARE(broker.Calls().last().Kind, int(Kind::Role));
    QCOMPARE(offered.Link1.Text(), newcomer);
    QCOMPARE(offered.Link3.Text(), group);
    QCOMPARE(offered.Int1, qint64(Kind::Organization));
    QCOMPARE(offered.Str1, u"поставщик"_s);
}

void TestOrganizations::StartMain(TMain& main)
{
    QFile ini(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(m_fixture->SettingsLine().toUtf8() + "\r\n");
    ini.close();
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

void TestOrganizations::FromStartToEndInTheMainWindow()
{
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F3);
    auto* firms = qobject_cast<TFindFirma*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(firms);
    QCOMPARE(firms->objectName(), u"FindFirms"_s);
    TMyDBGrid* grid = firms->ListGrid();
    QTRY_VERIFY(grid->Model()->IsOpen());

    // Three organizations made from the list: Ромашка (ООО), and Склад and Офис, to become its branches.
    const auto create = [&](const QString& name, const QString& form) {
        WhenDialogShown<TMainModalForm>([name, form](TMainModalForm& dialog) {
            QCOMPARE(dialog.windowTitle(), u"Новая организация"_s);
            auto* editor = dynamic_cast<TEditFirma*>(dialog.Frame());
            QVERIFY(editor);
            editor->eName()->setFocus();
            TypeText(editor->eName(), name);
            if (!form.isEmpty()) {
                editor->eFS()->setFocus();
                TypeText(editor->eFS(), form);
            }
            dialog.AOkExecute();
        });
        firms->findChild<QAction*>(u"aNew"_s)->trigger();
        // A new organization opens in its card.
        auto* card = qobject_cast<TFirmaObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
        return card ? card->MasterId() : QString();
    };
    const QString store = create(u"Склад"_s, QString());
    const QString office = create(u"Офис"_s, QString());
    const QString parent = create(u"Ромашка"_s, u"ООО"_s);
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(Names(grid, u"Str5"_s), (QStringList {u"Офис"_s, u"ООО, Ромашка"_s, u"Склад"_s}));

    // On the parent's card the branch section picks both, through the organization search.
    auto* card = qobject_cast<TFirmaObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QCOMPARE(card->MasterId(), parent);
    QVERIFY(card->ShowSection(FirmaSection::Filias));
    auto* section = qobject_cast<TFilias*>(card->SectionFrame());
    QVERIFY(section);
    TFiliaFind* branches = section->FiliaFind1();
    QTRY_VERIFY(branches->ListGrid()->Model()->IsOpen());
    QVERIFY(!section->TelFind1()->isVisible());
    for (const QString& name : {u"Склад"_s, u"Офис"_s}) {
        WhenDialogShown<TFindModalForm>([name](TFindModalForm& dialog) {
            QCOMPARE(dialog.windowTitle(), u"Поиск организации"_s);
            auto* search = dynamic_cast<TFindFirma*>(dialog.Frame());
            QVERIFY(search);
            QTRY_VERIFY(search->ListGrid()->Model()->IsOpen());
            TOptionList* options = search->Options();
            options->setFocus();
            options->setCurrentCell(options->FindRow(u"Название"_s), 1);
            auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(edit);
            TypeText(edit, name);
            QTRY_COMPARE(search->ListGrid()->Model()->RecordCount(), 1);
            Press(Qt::Key_Return);
        });
        branches->findChild<QAction*>(u"aNew"_s)->trigger();
    }
    QTRY_COMPARE(Names(branches->ListGrid()), (QStringList {u"Склад"_s, u"Офис"_s}));
    QCOMPARE(DisplayName(store), u"ООО, Ромашка, Склад"_s);
    // A branch selected shows its contact lists.
    QTRY_VERIFY(section->TelFind1()->isVisible());
    QCOMPARE(section->TelFind1()->MasterId(), branches->CurObjId());

    // The parent renamed on its card renames its branches. (Without a window manager nothing activates the
    // main window again once the dialogs have closed.)
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    auto* editor = card->findChild<TEditFirma*>();
    QVERIFY(editor);
    QVERIFY(!editor->cbLinkObj()->isEnabled());
    editor->eName()->setFocus();
    editor->eName()->selectAll();
    TypeText(editor->eName(), u"Ромашка-М"_s);
    QTest::keyClick(editor->eName(), Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(DisplayName(parent), u"ООО, Ромашка-М"_s);
    QCOMPARE(DisplayName(store), u"ООО, Ромашка-М, Склад"_s);
    QCOMPARE(DisplayName(office), u"ООО, Ромашка-М, Офис"_s);
    QTRY_COMPARE(Names(grid, u"Str5"_s),
        (QStringList {u"ООО, Ромашка-М, Офис"_s, u"ООО, Ромашка-М"_s, u"ООО, Ромашка-М, Склад"_s}));

    // Офис detached from the branch list (the save showed the card's group anew, from its first section).
    QVERIFY(card->ShowSection(FirmaSection::Filias));
    section = qobject_cast<TFilias*>(card->SectionFrame());
    QVERIFY(section);
    branches = section->FiliaFind1();
    QTRY_VERIFY(branches->ListGrid()->Model()->IsOpen());
    branches->RunQuery(office);
    QCOMPARE(branches->CurObjId(), office);
    branches->ListGrid()->setFocus();
    QTest::keyClick(branches->ListGrid(), Qt::Key_Delete);
    auto* menu = qobject_cast<QMenu*>(branches->findChild<QAction*>(u"miDelRole"_s)->parent());
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_COMPARE(Names(branches->ListGrid()), QStringList {u"Склад"_s});
    QTRY_COMPARE(Names(grid, u"Str5"_s), (QStringList {u"Офис"_s, u"ООО, Ромашка-М"_s, u"ООО, Ромашка-М, Склад"_s}));

    // The cards: Склад a branch of the renamed parent, with no branch section; Офис independent again.
    // Their cards opened while they were made are open still: a new card of each is opened ("Нет").
    TDBMainInfo record;
    QVERIFY(record.SetObj(store));
    m_messages->QueueAnswer(TAnswer::No);
    main.Request(TMainMessage::WM_OPENOBJECT, record);
    auto* storeCard = qobject_cast<TFirmaObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(storeCard);
    QCOMPARE(storeCard->MasterId(), store);
    QVERIFY(!storeCard->SectionCodes().contains(FirmaSection::Filias));
    auto* storeEditor = storeCard->findChild<TEditFirma*>();
    QVERIFY(storeEditor->cbLinkObj()->isChecked());
    QCOMPARE(storeEditor->LinkObj()->ObjectId(), parent);
    auto* parentPreview = qobject_cast<TFFirmaPrev*>(storeEditor->LinkObj()->Preview());
    QVERIFY(parentPreview);
    QCOMPARE(parentPreview->lStr1()->text() + parentPreview->lStr2()->text() + parentPreview->lStr3()->text(),
        u"ООО, Ромашка-М"_s);
    QVERIFY(record.SetObj(office));
    m_messages->QueueAnswer(TAnswer::No);
    main.Request(TMainMessage::WM_OPENOBJECT, record);
    auto* officeCard = qobject_cast<TFirmaObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QCOMPARE(officeCard->MasterId(), office);
    QVERIFY(officeCard->SectionCodes().contains(FirmaSection::Filias));
    QVERIFY(!officeCard->findChild<TEditFirma*>()->cbLinkObj()->isChecked());
    QCOMPARE(m_messages->Shown().size(), 2);
}

QTEST_MAIN(TestOrganizations)
#include "tst_organizations.moc"
