// The phone screens in the real main window: a phone typed on a person card after its predicted prefix is
// listed among every way to reach the person and, typed on the card of the person's address, in that
// address's phone list; the delete menu hides or unlinks a phone reached through an address or organization;
// the people list finds a person by a phone picked in the phone search.
#include "contacts/AddressObjFrame.h"
#include "activities/RoleScreens.h"
#include "contacts/ContactScreens.h"
#include "contacts/EditTel.h"
#include "contacts/FindPeople.h"
#include "contacts/FindTelefone.h"
#include "contacts/HowConnect.h"
#include "contacts/InetFind.h"
#include "contacts/LinkAdrFind.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/TelFind.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/FindModalForm.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestPhoneScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void PhoneTypedOnThePersonCardAndOnTheAddressCard();
    void DeleteMenuHidesOrUnlinks();
    void PeopleFoundByAPickedPhone();

private:
    QString Store(int kind, const std::function<void(TDBMainInfo&)>& fill);
    QString StorePhone(const QString& owner, int ownerKind, const QString& number);
    void StartMain(TMain& main);
    /// Opens the card of \a person and its section "Как связаться с человеком"; its phone list.
    TTelFind* OpenContacts(TMain& main, const QString& person);
    /// Selects the row of \a id in \a list and presses Delete there: the delete menu, or the deletion.
    void PressDelete(TTelFind* list, const QString& id);
    int Count(const QString& sql) const;

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    QString m_person;
    QString m_home;
    QString m_firm;
    QString m_residence;
    QString m_role;
};

void TestPhoneScreens::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestPhoneScreens::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
    // A role is deleted from the main window, which asks about it in the role screens' words.
    RegisterRoleScreens();
    // Петров lives at Тверь, Советская, 7 and is the director of Ромашка, whose phones directors see.
    m_person = Store(Kind::Person, [](TDBMainInfo& r) {
        r.Str1 = u"Петров"_s;
        r.Str2 = u"Иван"_s;
    });
    m_home = Store(Kind::Address, [](TDBMainInfo& r) {
        AddressView(r).SetCountry(u"Россия"_s);
        AddressView(r).SetSettlement(u"Тверь"_s);
        AddressView(r).SetStreet(u"Советская"_s);
        AddressView(r).SetHouse(u"7"_s);
    });
    m_firm = Store(Kind::Organization, [](TDBMainInfo& r) {
        r.Str1 = u"Ромашка"_s;
        r.Str5 = u"ООО, Ромашка"_s;
    });
    m_residence = Store(Kind::Residence, [this](TDBMainInfo& r) {
        ResidenceView(r).SetAddress(m_home);
        ResidenceView(r).SetResident(m_person);
        ResidenceView(r).SetCurrent(true);
    });
    const QString firmSide = Store(Kind::Role, [this](TDBMainInfo& r) {
        RoleView(r).SetHolder(m_firm);
        RoleView(r).SetHolderKind(Kind::Organization);
        RoleView(r).SetOtherKind(Kind::Person);
        RoleView(r).SetName(u"директор"_s);
    });
    m_role = Store(Kind::Role, [this, firmSide](TDBMainInfo& r) {
        RoleView(r).SetHolder(m_person);
        RoleView(r).SetHolderKind(Kind::Person);
        RoleView(r).SetOtherKind(Kind::Organization);
        RoleView(r).SetName(u"директор"_s);
        RoleView(r).SetOppositeSide(firmSide);
        RoleView(r).SetMarked(true);
    });
    TDBMainInfo firmRole;
    QVERIFY(firmRole.SetObj(firmSide));
    RoleView(firmRole).SetOppositeSide(m_role);
    QVERIFY(firmRole.Save() == SaveResult::Done);
}

void TestPhoneScreens::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestPhoneScreens::Store(int kind, const std::function<void(TDBMainInfo&)>& fill)
{
    TDBMainInfo row;
    row.ObjType = kind;
    fill(row);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString TestPhoneScreens::StorePhone(const QString& owner, int ownerKind, const QString& number)
{
    return Store(Kind::Phone, [&](TDBMainInfo& r) {
        PhoneView(r).SetOwner(owner);
        PhoneView(r).SetOwnerKind(ownerKind);
        PhoneView(r).SetNumber(number);
    });
}

int TestPhoneScreens::Count(const QString& sql) const
{
    return m_fixture->Scalar(sql).toInt();
}

void TestPhoneScreens::StartMain(TMain& main)
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

TTelFind* TestPhoneScreens::OpenContacts(TMain& main, const QString& person)
{
    TDBMainInfo record;
    if (!record.SetObj(person))
        return nullptr;
    main.Request(TMainMessage::WM_OPENOBJECT, record);
    auto* card = qobject_cast<TPeopleObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    if (!card || !card->ShowSection(PersonSection::HowConnect))
        return nullptr;
    auto* contacts = qobject_cast<THowConnect*>(card->SectionFrame());
    return contacts ? contacts->TelFind1() : nullptr;
}

void TestPhoneScreens::PressDelete(TTelFind* list, const QString& id)
{
    list->RunQuery(id);
    QCOMPARE(list->CurObjId(), id);
    list->ListGrid()->setFocus();
    QTest::keyClick(list->ListGrid(), Qt::Key_Delete);
}

void TestPhoneScreens::PhoneTypedOnThePersonCardAndOnTheAddressCard()
{
    // Russian numbers: a one-digit country code, its second position left blank.
    const QString homePhone = StorePhone(m_home, Kind::Address, u"7 4822551234"_s);
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(people);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
    QTest::keyClick(people->eFindEdit()->lineEdit(), Qt::Key_Return);
    auto* card = qobject_cast<TPeopleObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    // The contact section is the card's first.
    QCOMPARE(card->CurrentSection(), int(PersonSection::HowConnect));
    auto* contacts = qobject_cast<THowConnect*>(card->SectionFrame());
    QVERIFY(contacts);
    TTelFind* phones = contacts->TelFind1();
    QTRY_COMPARE(phones->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(phones->CurObjId(), homePhone);
    QVERIFY(contacts->InetFind1()->isVisible());
    QVERIFY(contacts->LinkAdrFind1()->isVisible());

    // A new phone: the country code of the home's number is typed already, the caret after it.
    QString added;
    WhenDialogShown<TMainModalForm>([&added](TMainModalForm& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Данные о телефоне"_s);
        auto* editor = dynamic_cast<TEditTel*>(dialog.Frame());
        QVERIFY(editor);
        QCOMPARE(editor->eTel()->displayText(), u"+7 (   )    -  -  "_s);
        // The dialog opens on the number, the caret where it was put.
        QCOMPARE(QApplication::focusWidget(), editor->eTel());
        QCOMPARE(editor->eTel()->cursorPosition(), 4);
        TypeText(editor->eTel(), u"9161234567"_s);
        QCOMPARE(editor->eTel()->displayText(), u"+7 (916) 123-45-67"_s);
        Press(Qt::Key_Tab);
        Press(Qt::Key_Right);
        Press(Qt::Key_Right);
        Press(Qt::Key_Right);
        QCOMPARE(editor->rbType()->checkedId(), int(PhoneType::Mobile));
        dialog.AOkExecute();
        added = dialog.DBMain()->Obj.Text();
    });
    phones->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QVERIFY(!added.isEmpty());
    QCOMPARE(phones->ListGrid()->Model()->RecordCount(), 2);
    QCOMPARE(phones->CurObjId(), added);
    TListModel* rows = phones->ListGrid()->Model();
    QCOMPARE(rows->Row(0).DisplayText(u"Str1"_s), u"7 (916) 123-45-67"_s);
    QCOMPARE(rows->Row(0).DisplayText(u"Int1"_s), u"моб"_s);
    QCOMPARE(rows->Row(1).DisplayText(u"Comments"_s), u"Россия, Тверь, Советская, 7"_s);

    // Enter on the home's phone offers the phone, then its address; the address opens its card, under whose
    // editor the address's phones are listed.
    phones->RunQuery(homePhone);
    phones->ListGrid()->setFocus();
    QTest::keyClick(phones->ListGrid(), Qt::Key_Return);
    QTRY_VERIFY(QApplication::activePopupWidget() == phones->OpenMenu());
    const QList<QAction*> items = phones->OpenMenu()->actions();
    QCOMPARE(items.first()->text(), u"Открыть телефон"_s);
    QCOMPARE(items.at(1)->text(), u"Открыть адрес"_s);
    QTest::keyClick(phones->OpenMenu(), Qt::Key_Down);
    QTest::keyClick(phones->OpenMenu(), Qt::Key_Down);
    QTest::keyClick(phones->OpenMenu(), Qt::Key_Return);
    auto* addressCard
        = qobject_cast<TAddressObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(addressCard);
    auto* addressPhones = qobject_cast<TTelFind*>(addressCard->ExtraList());
    QVERIFY(addressPhones);
    QTRY_COMPARE(addressPhones->ListGrid()->Model()->RecordCount(), 1);

    // The address's own phones give five digits; the caret stands after the area code.
    WhenDialogShown<TMainModalForm>([](TMainModalForm& dialog) {
        auto* editor = dynamic_cast<TEditTel*>(dialog.Frame());
        QVERIFY(editor);
        QCOMPARE(editor->rbLink()->checkedId(), int(Kind::Address));
        QCOMPARE(QApplication::focusWidget(), editor->eTel());
        QCOMPARE(editor->eTel()->displayText(), u"+7 (482)    -  -  "_s);
        QCOMPARE(editor->eTel()->cursorPosition(), 9);
        TypeText(editor->eTel(), u"2555001"_s);
        dialog.AOkExecute();
    });
    addressPhones->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(addressPhones->ListGrid()->Model()->RecordCount(), 2);
    QCOMPARE(addressPhones->ListGrid()->CurrentRow().DisplayText(u"Str1"_s), u"7 (482) 255-50-01"_s);
    // The person's list follows: their own phone, then both of the home's.
    QTRY_COMPARE(phones->ListGrid()->Model()->RecordCount(), 3);
    QCOMPARE(Count(u"select count(*) from AllInfo where ObjType = 4 and Str1 = '7 4822555001'"_s), 1);
}

void TestPhoneScreens::DeleteMenuHidesOrUnlinks()
{
    const QString own = StorePhone(m_person, Kind::Person, u"791612345678"_s);
    const QString homePhone = StorePhone(m_home, Kind::Address, u"748225512345"_s);
    const QString firmPhone = StorePhone(m_firm, Kind::Organization, u"749500000001"_s);
    TMain main;
    StartMain(main);
    TTelFind* phones = OpenContacts(main, m_person);
    QVERIFY(phones);
    QTRY_COMPARE(phones->ListGrid()->Model()->RecordCount(), 3);

    // The home's phone: the menu offers the address link; clearing "lives there" hides the phone and keeps it.
    PressDelete(phones, homePhone);
    QTRY_VERIFY(QApplication::activePopupWidget() == phones->DeleteMenu());
    QVERIFY(phones->miDelAddressGrp()->isVisible());
    QVERIFY(!phones->miDelFirmaGrp()->isVisible());
    phones->DeleteMenu()->hide();
    phones->findChild<QAction*>(u"miDelAddressGrpClear"_s)->trigger();
    QCOMPARE(phones->ListGrid()->Model()->RecordCount(), 2);
    TDBMainInfo residence;
    QVERIFY(residence.SetObj(m_residence));
    QVERIFY(!ResidenceView(residence).Current());
    QCOMPARE(Count(u"select count(*) from AllInfo where ObjType = 4"_s), 3);

    // Back home: deleting the link removes the residence, asked first; the phone stays with the address.
    ResidenceView(residence).SetCurrent(true);
    QVERIFY(residence.Save() == SaveResult::Done);
    phones->aRefreshExecute();
    QCOMPARE(phones->ListGrid()->Model()->RecordCount(), 3);
    PressDelete(phones, homePhone);
    QTRY_VERIFY(QApplication::activePopupWidget() == phones->DeleteMenu());
    phones->DeleteMenu()->hide();
    m_messages->QueueAnswer(TAnswer::Yes);
    phones->findChild<QAction*>(u"miDelAddressGrpRemove"_s)->trigger();
    QCOMPARE(m_messages->Shown().size(), 1);
    QCOMPARE(Count(u"select count(*) from AllInfo where ObjType = 80"_s), 0);
    QCOMPARE(Count(u"select count(*) from AllInfo where ObjType = 4"_s), 3);
    QCOMPARE(phones->ListGrid()->Model()->RecordCount(), 2);

    // The organization's phone: clearing "show the phones" on the role hides it.
    PressDelete(phones, firmPhone);
    QTRY_VERIFY(QApplication::activePopupWidget() == phones->DeleteMenu());
    QVERIFY(phones->miDelFirmaGrp()->isVisible());
    QVERIFY(!phones->miDelAddressGrp()->isVisible());
    phones->DeleteMenu()->hide();
    phones->findChild<QAction*>(u"miDelFirmaGrpClear"_s)->trigger();
    QCOMPARE(phones->ListGrid()->Model()->RecordCount(), 1);
    TDBMainInfo role;
    QVERIFY(role.SetObj(m_role));
    QVERIFY(!RoleView(role).Marked());

    // Shown again, then the role deleted: the person no longer sees it, the organization keeps its phone.
    RoleView(role).SetMarked(true);
    QVERIFY(role.Save() == SaveResult::Done);
    phones->aRefreshExecute();
    PressDelete(phones, firmPhone);
    QTRY_VERIFY(QApplication::activePopupWidget() == phones->DeleteMenu());
    phones->DeleteMenu()->hide();
    m_messages->QueueAnswer(TAnswer::Yes);
    phones->findChild<QAction*>(u"miDelFirmaGrpRemove"_s)->trigger();
    QCOMPARE(Count(u"select count(*) from AllInfo where ObjType = 20 and Link1 = '"_s + m_person + u"'"_s), 0);
    QCOMPARE(Count(u"select count(*) from AllInfo where ObjType = 4 and Link1 = '"_s + m_firm + u"'"_s), 1);
    QCOMPARE(phones->ListGrid()->Model()->RecordCount(), 1);

    // The person's own phone is deleted at once, after the question.
    m_messages->ClearShown();
    m_messages->QueueAnswer(TAnswer::Yes);
    PressDelete(phones, own);
    QCOMPARE(m_messages->Shown(), QStringList{u"Вы действительно хотите удалить телефон?"_s});
    QCOMPARE(phones->ListGrid()->Model()->RecordCount(), 0);
    QCOMPARE(Count(u"select count(*) from AllInfo where ObjType = 4"_s), 2);
}

void TestPhoneScreens::PeopleFoundByAPickedPhone()
{
    StorePhone(m_home, Kind::Address, u"7 4822551234"_s);
    const QString other = Store(Kind::Person, [](TDBMainInfo& r) { r.Str1 = u"Сидоров"_s; });
    StorePhone(other, Kind::Person, u"791600000000"_s);
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(people);
    people->SetFullFindMode(true);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 2);

    // The phone row's button opens the phone search; the number typed there finds the home's phone.
    WhenDialogShown<TFindModalForm>([](TFindModalForm& dialog) {
        QCOMPARE(dialog.windowTitle(), u"Поиск телефона"_s);
        auto* search = dynamic_cast<TFindTelefone*>(dialog.Frame());
        QVERIFY(search);
        QTRY_COMPARE(search->ListGrid()->Model()->RecordCount(), 2);
        TOptionList* options = search->Options();
        options->setCurrentCell(options->FindRow(u"Номер телефона"_s), 1);
        auto* number = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(number);
        TypeText(number, u"822-55"_s);
        QTRY_COMPARE(search->ListGrid()->Model()->RecordCount(), 1);
        QCOMPARE(search->ListGrid()->CurrentRow().DisplayText(u"Str1"_s),
            u"[7 (482) 255-12-34]\nРоссия, Тверь, Советская, 7"_s);
        Press(Qt::Key_Return);
    });
    TOptionList* options = people->Options();
    options->EditButtonClick(options->FindRow(u"Телефон"_s));
    QCOMPARE(options->Values(u"Телефон"_s), u"7 4822551234"_s);
    // A phone of an address finds the people living there now.
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(people->CurObjId(), m_person);
}

QTEST_MAIN(TestPhoneScreens)
#include "tst_phonescreens.moc"
