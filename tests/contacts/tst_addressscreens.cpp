// The address screens in the real main window: F4 shows the address list, an address opens its card with its
// residents, a resident is added from the address card, and a person's address is entered from the person
// card through the completion lists and then lists the person on its own card.
#include "contacts/AddressFind.h"
#include "contacts/AddressObjFrame.h"
#include "contacts/AdrLinks.h"
#include "contacts/ContactScreens.h"
#include "contacts/EditAddress.h"
#include "contacts/FindPeople.h"
#include "contacts/LinkAdrFind.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/PtoALink.h"
#include "contacts/SosedyFind.h"
#include "contacts/StreetFind.h"
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
#include "shell/widgets/TimeEdit.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "tests/shell/DialogScript.h"
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
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

class TestAddressScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void AddressListOpensTheCardWithItsResidents();
    void NeighboursListTheStreetAndTheHouse();
    void FilterRowsFindByPartsAndPhone();
    void PersonAddressEnteredThroughTheCompletionLists();

private:
    QString StoreAddress(const QStringList& parts);
    QString StorePerson(const QString& surname, const QString& name);
    void StartMain(TMain& main);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestAddressScreens::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestAddressScreens::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
}

void TestAddressScreens::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestAddressScreens::StoreAddress(const QStringList& parts)
{
    TDBMainInfo row;
    row.ObjType = Kind::Address;
    const TAddressView address(row);
    address.SetCountry(parts.value(0));
    address.SetRegion(parts.value(1));
    address.SetDistrict(parts.value(2));
    address.SetSettlement(parts.value(3));
    address.SetStreet(parts.value(4));
    address.SetHouse(parts.value(5));
    address.SetFlat(parts.value(6));
    address.SetPostalIndex(parts.value(7));
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString TestAddressScreens::StorePerson(const QString& surname, const QString& name)
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = surname;
    person.Str2 = name;
    return person.Save() == SaveResult::Done ? person.Obj.Text() : QString();
}

void TestAddressScreens::StartMain(TMain& main)
{
    // The settings file names the fixture's own database, a file or a server database.
    QFile ini(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(m_fixture->SettingsLine().toUtf8() + "\r\n");
    ini.close();
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

void TestAddressScreens::AddressListOpensTheCardWithItsResidents()
{
    const QString tver = StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Тверь"_s, u"Советская"_s, u"7"_s});
    StoreAddress({u"Беларусь"_s, u"Минская"_s, QString(), u"Борисов"_s, u"Гагарина"_s, u"5"_s});
    const QString petrov = StorePerson(u"Петров"_s, u"Иван"_s);
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F4);
    auto* addresses = qobject_cast<TAddressFind*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(addresses);
    QCOMPARE(addresses->objectName(), u"FindAddress"_s);
    QTRY_COMPARE(addresses->ListGrid()->Model()->RecordCount(), 2);

    // The quick find takes country, region, district and settlement word by word.
    TypeText(addresses->eFindEdit()->lineEdit(), u"россия твер"_s);
    QTRY_COMPARE(addresses->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(addresses->CurObjId(), tver);
    QCOMPARE(addresses->ListGrid()->Model()->Row(0).DisplayText(u"Str1"_s),
        u"Россия, Тверская обл., Тверь, Советская, 7"_s);
    QTest::keyClick(addresses->eFindEdit()->lineEdit(), Qt::Key_Return);
    auto* card = qobject_cast<TAddressObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    auto* editor = dynamic_cast<TEditAddress*>(card->EditFrame());
    QVERIFY(editor);
    QCOMPARE(editor->cbCity()->currentText(), u"Тверь"_s);
    QCOMPARE(QApplication::focusWidget(), editor->cbCountry());
    QCOMPARE(card->SectionCodes(), (QList<int>{12, 9, 3, 4}));
    QCOMPARE(main.WinList()->CellText(main.WinList()->FindCard(tver), 3), u"Россия, Тверская обл., Тверь, Советская, 7"_s);

    // The residents: none yet; a person picked from "Человека" and saved in the residence dialog is listed.
    QVERIFY(card->ShowSection(AddressSection::Residents));
    auto* residents = qobject_cast<TSosedyFind*>(card->SectionFrame());
    QVERIFY(residents);
    QCOMPARE(residents->findChild<QLabel*>(u"FindCaption"_s)->text(), u"Жильцы"_s);
    QTRY_VERIFY(residents->ListGrid()->Model()->IsOpen());
    QCOMPARE(residents->ListGrid()->Model()->RecordCount(), 0);
    WhenDialogShown<TFindModalForm>([](TFindModalForm& dialog) {
        auto* people = dynamic_cast<TFindPeople*>(dialog.Frame());
        QVERIFY(people);
        QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
        people->ListGrid()->setFocus();
        QTest::keyClick(people->ListGrid(), Qt::Key_Return);
    });
    WhenDialogShown<TMainModalForm>([](TMainModalForm& dialog) {
        auto* residence = dynamic_cast<TPtoALink*>(dialog.Frame());
        QVERIFY(residence);
        QVERIFY(residence->cbFlag()->isChecked());
        dialog.AOkExecute();
    });
    residents->NewMenu()->findChild<QAction*>(u"miNewPerson"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(residents->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(residents->CurObjId(), petrov);
    QCOMPARE(residents->ListGrid()->Model()->Row(0).DisplayText(u"Str1"_s), u"Петров\nИван\n"_s);

    // An ended residence leaves "Проживают" and is listed under "Проживали".
    TDBMainInfo residence;
    QVERIFY(residence.SetObj(residents->CurLinkId()));
    ResidenceView(residence).SetHasTo(true);
    ResidenceView(residence).SetTo(ResidenceView(residence).From() + 1);
    ResidenceView(residence).SetCurrent(false);
    QVERIFY(residence.Save() == SaveResult::Done);
    residents->tbHow()->click();
    QVERIFY(!residents->tbHow()->isChecked());
    QCOMPARE(residents->ListGrid()->Model()->RecordCount(), 1);
    residents->tbHistory()->click();
    QVERIFY(!residents->tbHow()->isChecked());
    QCOMPARE(residents->ListGrid()->Model()->RecordCount(), 1);
    residents->tbHow()->click();
    QVERIFY(!residents->tbHistory()->isChecked());
    QCOMPARE(residents->ListGrid()->Model()->RecordCount(), 0);
}

void TestAddressScreens::NeighboursListTheStreetAndTheHouse()
{
    const QString flat12
        = StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Тверь"_s, u"Советская"_s, u"7"_s, u"12"_s, u"170000"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Тверь"_s, u"Советская"_s, u"7"_s, u"14"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Тверь"_s, u"Советская"_s, u"9"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Тверь"_s, u"Трёхсвятская"_s, u"2"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Торжок"_s, u"Советская"_s, u"7"_s});
    TMain main;
    StartMain(main);
    TDBMainInfo address;
    QVERIFY(address.SetObj(flat12));
    main.Request(TMainMessage::WM_OPENOBJECT, address);
    auto* card = qobject_cast<TAddressObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    QVERIFY(card->ShowSection(AddressSection::Neighbours));
    auto* neighbours = qobject_cast<TAdrLinks*>(card->SectionFrame());
    QVERIFY(neighbours);
    QVERIFY(!neighbours->AddressTable()->isVisible());
    TStreetFind* street = neighbours->StreetTable();
    QTRY_VERIFY(street->ListGrid()->Model()->IsOpen());
    // Neither button down: the whole settlement, the address itself among them.
    QCOMPARE(street->ListGrid()->Model()->RecordCount(), 4);
    street->tbStreet()->click();
    QCOMPARE(street->ListGrid()->Model()->RecordCount(), 3);
    street->tbHouse()->click();
    QVERIFY(!street->tbStreet()->isChecked());
    QCOMPARE(street->ListGrid()->Model()->RecordCount(), 2);

    // A new address made here starts as this one: its parts down to the house, and its index.
    WhenDialogShown<TMainModalForm>([](TMainModalForm& dialog) {
        auto* editor = dynamic_cast<TEditAddress*>(dialog.Frame());
        QVERIFY(editor);
        QCOMPARE(editor->cbCity()->currentText(), u"Тверь"_s);
        QCOMPARE(editor->eStreet()->currentText(), u"Советская"_s);
        QCOMPARE(editor->eH_A()->currentText(), u"7"_s);
        QCOMPARE(editor->ePIndex()->currentText(), u"170000"_s);
        QCOMPARE(editor->eApp()->text(), QString());
        editor->eApp()->setFocus();
        TypeText(editor->eApp(), u"15"_s);
        dialog.AOkExecute();
    });
    street->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(street->ListGrid()->Model()->RecordCount(), 3);
}

void TestAddressScreens::FilterRowsFindByPartsAndPhone()
{
    const QString flat12
        = StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Тверь"_s, u"Советская"_s, u"17"_s, u"12"_s, u"170000"_s});
    const QString house7 = StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Тверь"_s, u"Советская"_s, u"7"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Торжок"_s, u"Ленина"_s, u"1"_s, QString(), u"172000"_s});
    TDBMainInfo phone;
    phone.ObjType = Kind::Phone;
    PhoneView(phone).SetOwner(house7);
    PhoneView(phone).SetOwnerKind(Kind::Address);
    PhoneView(phone).SetNumber(u"4822 55-12-34"_s);
    QVERIFY(phone.Save() == SaveResult::Done);

    TAddressFind list;
    TDBMainInfo master;
    master.ObjType = Kind::Address;
    list.SetMasterDBInfo(&master);
    list.SetFullFindMode(true);
    QCOMPARE(list.Options()->RowCount(), TAddressFind::FilterRows().size());
    const auto found = [&list]() {
        list.RunQuery(QString());
        QStringList ids;
        for (int i = 0; i < list.ListGrid()->Model()->RecordCount(); ++i)
            ids << list.ListGrid()->Model()->Row(i).Text(u"ObjId"_s);
        return ids;
    };
    list.Options()->SetValues(u"Город"_s, u"тве"_s);
    QCOMPARE(found().size(), 2);
    // The house, the flat and the index are found by their beginning, like the names.
    list.Options()->SetValues(u"Дом"_s, u"1"_s);
    QCOMPARE(found(), QStringList{flat12});
    list.Options()->SetValues(u"Дом"_s, QString());
    list.Options()->SetValues(u"Почтовый индекс"_s, u"170"_s);
    QCOMPARE(found(), QStringList{flat12});
    list.Options()->SetValues(u"Почтовый индекс"_s, QString());
    // A phone kept at the address, by any part of its number; a quote in it is a character like any other.
    list.Options()->SetValues(u"Телефон"_s, u"55-12"_s);
    QCOMPARE(found(), QStringList{house7});
    list.Options()->SetValues(u"Телефон"_s, u"55\"12"_s);
    QCOMPARE(found(), QStringList());
}

void TestAddressScreens::PersonAddressEnteredThroughTheCompletionLists()
{
    StoreAddress({u"Россия"_s, u"Тверская"_s, u"Калининский"_s, u"Тверь"_s, u"Советская"_s, u"7"_s, QString(),
        u"170000"_s});
    StoreAddress({u"Россия"_s, u"Московская"_s, QString(), u"Москва"_s, u"Тверская"_s, u"1"_s});
    const QString sidorov = StorePerson(u"Сидоров"_s, u"Пётр"_s);
    TMain main;
    StartMain(main);

    // F1, the person, Enter: the person's card; its "Соседи" section in the family group.
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(people);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
    QTest::keyClick(people->eFindEdit()->lineEdit(), Qt::Key_Return);
    auto* cards = main.findChild<QStackedWidget*>(u"ObjCards"_s);
    auto* card = qobject_cast<TPeopleObjFrame*>(cards->currentWidget());
    QVERIFY(card);
    card->tbBuchClick(TBaseObjFrame::FamilyGroup);
    QVERIFY(card->ShowSection(PersonSection::Neighbours));
    auto* neighbours = qobject_cast<TAdrLinks*>(card->SectionFrame());
    QVERIFY(neighbours);
    TLinkAdrFind* addresses = neighbours->AddressTable();
    QTRY_VERIFY(addresses->ListGrid()->Model()->IsOpen());
    QCOMPARE(addresses->ListGrid()->Model()->RecordCount(), 0);
    QVERIFY(!neighbours->StreetPanel()->isVisible());

    // The address table's "new": the pick dialog "Поиск адреса", and in it a new address typed down the
    // completion lists; the residence dialog then ties the person to it.
    QString newAddress;
    WhenDialogShown<TFindModalForm>([&newAddress](TFindModalForm& pick) {
        QCOMPARE(pick.windowTitle(), u"Поиск адреса"_s);
        auto* list = dynamic_cast<TAddressFind*>(pick.Frame());
        QVERIFY(list);
        WhenDialogShown<TMainModalForm>([&newAddress](TMainModalForm& dialog) {
            QCOMPARE(dialog.windowTitle(), u"Новый адрес"_s);
            auto* editor = dynamic_cast<TEditAddress*>(dialog.Frame());
            QVERIFY(editor);
            editor->cbCountry()->setFocus();
            TypeText(editor->cbCountry()->lineEdit(), u"россия"_s);
            Press(Qt::Key_Tab);
            QCOMPARE(TEditAddress::Items(editor->cbRegion()), (QStringList{u"Московская"_s, u"Тверская"_s}));
            TypeText(editor->cbRegion()->lineEdit(), u"Тверская"_s);
            Press(Qt::Key_Tab);
            QCOMPARE(TEditAddress::Items(editor->cbRajon()), QStringList{u"Калининский"_s});
            TypeText(editor->cbRajon()->lineEdit(), u"Калининский"_s);
            Press(Qt::Key_Tab);
            QCOMPARE(TEditAddress::Items(editor->cbCity()), QStringList{u"Тверь"_s});
            TypeText(editor->cbCity()->lineEdit(), u"Тверь"_s);
            Press(Qt::Key_Tab);
            QCOMPARE(TEditAddress::Items(editor->eStreet()), QStringList{u"Советская"_s});
            TypeText(editor->eStreet()->lineEdit(), u"Советская"_s);
            Press(Qt::Key_Tab);
            QCOMPARE(TEditAddress::Items(editor->eH_A()), QStringList{u"7"_s});
            TypeText(editor->eH_A()->lineEdit(), u"9"_s);
            Press(Qt::Key_Tab);
            TypeText(editor->eApp(), u"3"_s);
            Press(Qt::Key_Tab);
            QCOMPARE(TEditAddress::Items(editor->ePIndex()), QStringList{u"170000"_s});
            TypeText(editor->ePIndex()->lineEdit(), u"170000"_s);
            Press(Qt::Key_Tab);
            WhenDialogShown<TMainModalForm>([](TMainModalForm& link) {
                QCOMPARE(link.windowTitle(), u"Адрес жительства"_s);
                auto* residence = dynamic_cast<TPtoALink*>(link.Frame());
                QVERIFY(residence);
                QCOMPARE(residence->mAdr()->toPlainText(),
                    u"170000, Россия, Тверская обл., Калининский р-н, Тверь, Советская, 9, 3"_s);
                residence->dtStart()->eDT()->setFocus();
                QTest::keyClick(residence->dtStart()->eDT(), Qt::Key_Home);
                TypeText(residence->dtStart()->eDT(), u"01092015"_s);
                link.AOkExecute();
            });
            dialog.AOkExecute();
            newAddress = dialog.DBMain()->Obj.Text();
        });
        list->findChild<QAction*>(u"aNew"_s)->trigger();
    });
    addresses->findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList());
    QVERIFY(!newAddress.isEmpty());
    QTRY_COMPARE(addresses->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(addresses->CurObjId(), newAddress);
    QVERIFY(addresses->ListGrid()->Model()->Row(0).Bool(u"Flag"_s));
    QCOMPARE(addresses->ListGrid()->Model()->Row(0).DisplayText(u"Date1"_s), u"01.09.2015"_s);
    // The address chosen, the street list and its residents show under it.
    QVERIFY(neighbours->StreetPanel()->isVisible());
    QTRY_COMPARE(neighbours->SosedyFind1()->ListGrid()->Model()->RecordCount(), 1);

    // Enter on the address offers the address and the residence; the first opens the address's card, which
    // lists the person among its residents.
    addresses->ListGrid()->setFocus();
    QTest::keyClick(addresses->ListGrid(), Qt::Key_Return);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QCOMPARE(menu->actions().first()->text(), u"Открыть адрес"_s);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    auto* addressCard = qobject_cast<TAddressObjFrame*>(cards->currentWidget());
    QVERIFY(addressCard);
    QCOMPARE(addressCard->MasterDBInfo()->Obj.Text(), newAddress);
    QCOMPARE(addressCard->CurrentSection(), int(AddressSection::Residents));
    auto* residents = qobject_cast<TSosedyFind*>(addressCard->SectionFrame());
    QVERIFY(residents);
    QTRY_COMPARE(residents->ListGrid()->Model()->RecordCount(), 1);
    QCOMPARE(residents->CurObjId(), sidorov);
    QCOMPARE(residents->ListGrid()->Model()->Row(0).DisplayText(u"PDate1"_s), u"01.09.2015"_s);
}

QTEST_MAIN(TestAddressScreens)
#include "tst_addressscreens.moc"
