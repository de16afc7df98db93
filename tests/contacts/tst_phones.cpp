// Phones and internet contacts: the prefix a new phone starts with, the phones of a person gathered from their
// addresses and organizations in one order on both engines, the phone and internet editors, and what opening
// an internet contact may hand to the desktop.
#include "contacts/ContactScreens.h"
#include "contacts/EditINet.h"
#include "contacts/EditTel.h"
#include "contacts/InetFind.h"
#include "contacts/PhoneNumber.h"
#include "contacts/PhonePrefix.h"
#include "contacts/TelFind.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestPhones : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void NumberTexts();
    void PrefixOfAPersonIsTheCountryCode();
    void PrefixTieGoesToTheSourceMetFirst();
    void PrefixOfAnAddressComesFromItsSettlement();
    void PrefixOfAnOrganizationHasFiveDigits();
    void PrefixFallsBackToTheLatestPhones();
    void NoSamplesGiveNoPrefix();
    void EachSourceGivesAtMostTenSamples();
    void PersonPhonesComeInSourceOrder();
    void TypedNumberIsStoredAsItsDigits();
    void StoredNumberKeepsItsBlanks();
    void InternetEditorOffersNamesOfItsType();
    void OpeningContacts_data();
    void OpeningContacts();

private:
    QString StoreAddress(const QString& country, const QString& settlement);
    QString StoreObject(int kind, const QString& name);
    QString StorePhone(const QString& owner, int ownerKind, const QString& number, const QString& role = QString(),
        qint64 type = PhoneType::Phone, const QString& comment = QString());
    QString StoreResidence(const QString& address, const QString& resident, bool current);
    QString StoreRole(const QString& person, const QString& organization, const QString& name, bool shown);
    /// A new phone's editor for \a owner of \a ownerKind, shown and focused on the number.
    std::unique_ptr<TEditTel> NewPhoneEditor(const QString& owner, int ownerKind);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestPhones::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestPhones::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
}

void TestPhones::cleanup()
{
    m_messages.reset();
    m_fixture.reset();
    Screens::Clear();
}

QString TestPhones::StoreAddress(const QString& country, const QString& settlement)
{
    TDBMainInfo row;
    row.ObjType = Kind::Address;
    AddressView(row).SetCountry(country);
    AddressView(row).SetSettlement(settlement);
    AddressView(row).SetStreet(u"Советская"_s);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString TestPhones::StoreObject(int kind, const QString& name)
{
    TDBMainInfo row;
    row.ObjType = kind;
    row.Str1 = name;
    row.Str5 = name;
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString TestPhones::StorePhone(
    const QString& owner, int ownerKind, const QString& number, const QString& role, qint64 type, const QString& comment)
{
    TDBMainInfo row;
    row.ObjType = Kind::Phone;
    const TPhoneView phone(row);
    phone.SetOwner(owner);
    phone.SetOwnerKind(ownerKind);
    phone.SetNumber(number);
    phone.SetRole(role);
    phone.SetPhoneKind(type);
    phone.SetComments(comment);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString TestPhones::StoreResidence(const QString& address, const QString& resident, bool current)
{
    TDBMainInfo row;
    row.ObjType = Kind::Residence;
    ResidenceView(row).SetAddress(address);
    ResidenceView(row).SetResident(resident);
    ResidenceView(row).SetCurrent(current);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

// A person's role in an organization: the person's side, paired with the organization's side.
QString TestPhones::StoreRole(const QString& person, const QString& organization, const QString& name, bool shown)
{
    TDBMainInfo firmSide;
    firmSide.ObjType = Kind::Role;
    RoleView(firmSide).SetHolder(organization);
    RoleView(firmSide).SetHolderKind(Kind::Organization);
    RoleView(firmSide).SetOtherKind(Kind::Person);
    RoleView(firmSide).SetName(name);
    if (firmSide.Save() != SaveResult::Done)
        return QString();
    TDBMainInfo personSide;
    personSide.ObjType = Kind::Role;
    RoleView(personSide).SetHolder(person);
    RoleView(personSide).SetHolderKind(Kind::Person);
    RoleView(personSide).SetOtherKind(Kind::Organization);
    RoleView(personSide).SetName(name);
    RoleView(personSide).SetOppositeSide(firmSide.Obj);
    RoleView(personSide).SetMarked(shown);
    if (personSide.Save() != SaveResult::Done)
        return QString();
    RoleView(firmSide).SetOppositeSide(personSide.Obj);
    return firmSide.Save() == SaveResult::Done ? personSide.Obj.Text() : QString();
}

std::unique_ptr<TEditTel> TestPhones::NewPhoneEditor(const QString& owner, int ownerKind)
{
    auto editor = std::make_unique<TEditTel>();
    TDBMainInfo phone;
    phone.ObjType = Kind::Phone;
    PhoneView(phone).SetOwner(owner);
    PhoneView(phone).SetOwnerKind(ownerKind);
    editor->SetMasterDBInfo(&phone);
    editor->show();
    editor->activateWindow();
    return editor;
}

void TestPhones::NumberTexts()
{
    QCOMPARE(PhoneNumber::Text(u"749512345678"_s), u"74(951) 234-56-78"_s);
    QCOMPARE(PhoneNumber::FromMasked(u"+74(822) 555-1 -34"_s), u"748225551 34"_s);
    QVERIFY(PhoneNumber::IsBlank(PhoneNumber::FromMasked(u"+  (   )    -  -  "_s)));
    QCOMPARE(PhoneNumber::FromMasked(u"+7\u0663(495) 123-45-67"_s), u"7 4951234567"_s); // an Arabic-Indic three
    QCOMPARE(PhoneNumber::MaskedPosition(2), 4);
    QCOMPARE(PhoneNumber::MaskedPosition(5), 9);
}

void TestPhones::PrefixOfAPersonIsTheCountryCode()
{
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    const QString home = StoreAddress(u"Россия"_s, u"Тверь"_s);
    const QString firm = StoreObject(Kind::Organization, u"Ромашка"_s);
    StoreResidence(home, person, true);
    StoreRole(person, firm, u"директор"_s, true);
    StorePhone(person, Kind::Person, u"791612345678"_s);
    StorePhone(home, Kind::Address, u"748225512345"_s);
    StorePhone(firm, Kind::Organization, u"748225500000"_s);
    StorePhone(firm, Kind::Organization, u"748225500001"_s);
    StorePhone(person, Kind::Person, u"790312345678"_s);
    StorePhone(person, Kind::Person, u"790512345678"_s);
    // Three of the person's own against one address and two organization phones: the country code only.
    QCOMPARE(PhonePrefix::Predict(m_fixture->Db(), person, Kind::Person), u"79"_s);
    auto editor = NewPhoneEditor(person, Kind::Person);
    QCOMPARE(editor->eTel()->displayText(), u"+79(   )    -  -  "_s);
    QCOMPARE(editor->eTel()->cursorPosition(), 4);
    QCOMPARE(editor->rbLink()->checkedId(), int(Kind::Person));
    QVERIFY(editor->pRole()->isHidden());
}

void TestPhones::PrefixTieGoesToTheSourceMetFirst()
{
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    const QString home = StoreAddress(u"Россия"_s, u"Тверь"_s);
    StoreResidence(home, person, true);
    // The address's phone is older, but the person's own phones are met first.
    StorePhone(home, Kind::Address, u"748225512345"_s);
    StorePhone(person, Kind::Person, u"380441234567"_s);
    QCOMPARE(PhonePrefix::Predict(m_fixture->Db(), person, Kind::Person), u"38"_s);
    QCOMPARE(PhonePrefix::MostFrequent({u"79111"_s, u"38222"_s, u"38333"_s, u"79444"_s}, 2), u"79"_s);
    // A one-digit country code is a prefix with its blank; a number whose beginning was not typed counts
    // for nothing.
    QCOMPARE(PhonePrefix::MostFrequent({u"  111"_s, u"  222"_s, u"38333"_s, u"7 444"_s, u"7 555"_s}, 2), u"7 "_s);
    QCOMPARE(PhonePrefix::MostFrequent({u"  111"_s}, 2), QString());
    QCOMPARE(PhonePrefix::MostFrequent({u"7 4"_s}, 5), QString());
}

void TestPhones::PrefixOfAnAddressComesFromItsSettlement()
{
    const QString address = StoreAddress(u"Россия"_s, u"Тверь"_s);
    StorePhone(StoreAddress(u"Россия"_s, u"Тверь"_s), Kind::Address, u"749510000000"_s);
    StorePhone(StoreAddress(u"Россия"_s, u"Тверь"_s), Kind::Address, u"748221111111"_s);
    StorePhone(StoreAddress(u"Россия"_s, u"Тверь"_s), Kind::Address, u"748222222222"_s);
    const QString moscow = StoreAddress(u"Россия"_s, u"Москва"_s);
    for (int i = 0; i < 3; ++i)
        StorePhone(moscow, Kind::Address, u"74959999999"_s + QString::number(i));
    QCOMPARE(PhonePrefix::Predict(m_fixture->Db(), address, Kind::Address), u"74822"_s);
    auto editor = NewPhoneEditor(address, Kind::Address);
    QCOMPARE(editor->eTel()->displayText(), u"+74(822)    -  -  "_s);
    QCOMPARE(editor->eTel()->cursorPosition(), 9);
    QCOMPARE(editor->rbLink()->checkedId(), int(Kind::Address));

    // A person living there with no phones of their own: the country code of the same phones.
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    StoreResidence(address, person, true);
    QCOMPARE(PhonePrefix::Predict(m_fixture->Db(), person, Kind::Person), u"74"_s);
}

void TestPhones::PrefixOfAnOrganizationHasFiveDigits()
{
    const QString firm = StoreObject(Kind::Organization, u"Ромашка"_s);
    StorePhone(firm, Kind::Organization, u"748221112233"_s);
    StorePhone(firm, Kind::Organization, u"749511112233"_s);
    StorePhone(firm, Kind::Organization, u"749511112234"_s);
    QCOMPARE(PhonePrefix::Predict(m_fixture->Db(), firm, Kind::Organization), u"74951"_s);
    auto editor = NewPhoneEditor(firm, Kind::Organization);
    QCOMPARE(editor->eTel()->cursorPosition(), 9);
    // An organization's phone may be kept for the holders of one role.
    QVERIFY(!editor->pRole()->isHidden());
}

void TestPhones::PrefixFallsBackToTheLatestPhones()
{
    // Nobody's place is known: the latest phones of the whole database stand in.
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    const QString other = StoreObject(Kind::Person, u"Сидоров"_s);
    StorePhone(other, Kind::Person, u"380441234567"_s);
    StorePhone(other, Kind::Person, u"375171234567"_s);
    StorePhone(other, Kind::Person, u"375291234567"_s);
    QCOMPARE(PhonePrefix::Predict(m_fixture->Db(), person, Kind::Person), u"37"_s);
    // An address in a country without a settlement: the phones of that country, by their country code.
    const QString address = StoreAddress(u"Беларусь"_s, QString());
    StorePhone(StoreAddress(u"Беларусь"_s, u"Минск"_s), Kind::Address, u"375171111111"_s);
    QCOMPARE(PhonePrefix::Predict(m_fixture->Db(), address, Kind::Address), u"37"_s);
}

void TestPhones::NoSamplesGiveNoPrefix()
{
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    auto editor = NewPhoneEditor(person, Kind::Person);
    QCOMPARE(editor->eTel()->displayText(), u"+  (   )    -  -  "_s);
    // Entering the empty number puts the caret past the "+" onto the first digit.
    editor->eTel()->setFocus();
    QTRY_VERIFY(editor->eTel()->hasFocus());
    QCOMPARE(editor->eTel()->selectionStart(), 1);
    QCOMPARE(editor->eTel()->selectedText().size(), 1);
    QVERIFY(!editor->ValidateData());
    QCOMPARE(editor->ErrorText(), u"Укажите № телефона!"_s);
}

void TestPhones::EachSourceGivesAtMostTenSamples()
{
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    const QString home = StoreAddress(u"Россия"_s, u"Тверь"_s);
    StoreResidence(home, person, true);
    for (int i = 0; i < 12; ++i)
        StorePhone(home, Kind::Address, u"7482255123"_s + QString::number(10 + i));
    for (int i = 0; i < 11; ++i)
        StorePhone(person, Kind::Person, u"7916123456"_s + QString::number(10 + i));
    auto q = TMyDataBase::QueryOn(m_fixture->Db(), PhonePrefix::SampleStatement(person, Kind::Person));
    QVERIFY(q);
    QList<int> sources;
    while (q->next())
        sources << q->value(u"SField"_s).toInt();
    // Each member has its own limit; the union's order names its output columns.
    QList<int> expected(10, 1);
    expected += QList<int>(10, 2);
    QCOMPARE(sources, expected);
}

void TestPhones::PersonPhonesComeInSourceOrder()
{
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    const QString home = StoreAddress(u"Россия"_s, u"Тверь"_s);
    const QString oldHome = StoreAddress(u"Россия"_s, u"Торжок"_s);
    const QString firm = StoreObject(Kind::Organization, u"Ромашка"_s);
    const QString hiddenFirm = StoreObject(Kind::Organization, u"Лютик"_s);
    StoreResidence(home, person, true);
    StoreResidence(oldHome, person, false);
    StoreRole(person, firm, u"директор"_s, true);
    StoreRole(person, hiddenFirm, u"директор"_s, false);
    // Made in the reverse of the order they are listed in.
    const QString firmPhone = StorePhone(firm, Kind::Organization, u"749500000001"_s);
    const QString rolePhone = StorePhone(firm, Kind::Organization, u"749500000002"_s, u"директор"_s);
    StorePhone(firm, Kind::Organization, u"749500000003"_s, u"бухгалтер"_s);
    StorePhone(hiddenFirm, Kind::Organization, u"749500000004"_s);
    StorePhone(oldHome, Kind::Address, u"748220000000"_s);
    const QString homePhone
        = StorePhone(home, Kind::Address, u"748225512345"_s, QString(), PhoneType::Phone, u"после 18; не раньше"_s);
    const QString own = StorePhone(person, Kind::Person, u"791612345678"_s, QString(), PhoneType::Mobile, u"звонить"_s);

    TTelFind list;
    TDBMainInfo master;
    QVERIFY(master.SetObj(person));
    list.SetMasterDBInfo(&master);
    list.RunQuery(QString());
    TListModel* rows = list.ListGrid()->Model();
    QStringList ids;
    for (int i = 0; i < rows->RecordCount(); ++i)
        ids << rows->Row(i).Text(u"ObjId"_s);
    QCOMPARE(ids, (QStringList{own, homePhone, firmPhone, rolePhone}));
    QCOMPARE(rows->Row(0).DisplayText(u"Str1"_s), u"79(161) 234-56-78"_s);
    QCOMPARE(rows->Row(0).DisplayText(u"Int1"_s), u"моб"_s);
    QCOMPARE(rows->Row(0).DisplayText(u"Comments"_s), u"звонить"_s);
    QCOMPARE(rows->Row(1).DisplayText(u"Comments"_s), u"Россия, Тверь, Советская"_s);
    QCOMPARE(rows->Row(2).DisplayText(u"Comments"_s), u"Ромашка"_s);
    QCOMPARE(rows->Row(2).DisplayText(u"Int1"_s), u"тел"_s);
    int picture = 0;
    list.GridStatusColumnGetImage(rows->Row(0), picture);
    QCOMPARE(picture, -1);
    list.GridStatusColumnGetImage(rows->Row(1), picture);
    QCOMPARE(picture, TTelFind::OwnerPicture(Kind::Address));
    list.GridStatusColumnGetImage(rows->Row(3), picture);
    QCOMPARE(picture, TTelFind::OwnerPicture(Kind::Organization));

    // On the address's own list the same phone shows its comment as it was written.
    TTelFind homeList;
    TDBMainInfo homeMaster;
    QVERIFY(homeMaster.SetObj(home));
    homeList.SetMasterDBInfo(&homeMaster);
    homeList.RunQuery(homePhone);
    QCOMPARE(homeList.ListGrid()->CurrentRow().DisplayText(u"Comments"_s), u"после 18; не раньше"_s);
    homeList.GridStatusColumnGetImage(homeList.ListGrid()->CurrentRow(), picture);
    QCOMPARE(picture, -1);

    // On the organization's own list a role phone shows its role over its comment.
    TTelFind firmList;
    TDBMainInfo firmMaster;
    QVERIFY(firmMaster.SetObj(firm));
    firmList.SetMasterDBInfo(&firmMaster);
    firmList.RunQuery(rolePhone);
    QCOMPARE(firmList.ListGrid()->Model()->RecordCount(), 3);
    QCOMPARE(firmList.ListGrid()->CurrentRow().DisplayText(u"Comments"_s), u"[директор]"_s);
}

void TestPhones::TypedNumberIsStoredAsItsDigits()
{
    const QString firm = StoreObject(Kind::Organization, u"Ромашка"_s);
    StoreRole(StoreObject(Kind::Person, u"Петров"_s), firm, u"директор"_s, true);
    auto editor = NewPhoneEditor(firm, Kind::Organization);
    QCOMPARE(editor->cbRole()->count(), 1);
    editor->eTel()->setFocus();
    QTRY_VERIFY(editor->eTel()->hasFocus());
    // The caret is past the "+": the digits go into their places, over the literals of the mask.
    TypeText(editor->eTel(), u"7495123456"_s);
    QCOMPARE(editor->eTel()->displayText(), u"+74(951) 234-56-  "_s);
    editor->rbType()->button(PhoneType::Fax)->click();
    editor->cbRole()->setFocus();
    TypeText(editor->cbRole()->lineEdit(), u"секретарь "_s);
    editor->mComments()->setFocus();
    TypeText(editor->mComments(), u"  приемная "_s);
    QVERIFY(editor->ApplyData() == 0);
    const TDBMainInfo& phone = *editor->MasterDBInfo();
    QCOMPARE(PhoneView(phone).Number(), u"7495123456  "_s);
    QCOMPARE(PhoneView(phone).PhoneKind(), qint64(PhoneType::Fax));
    QCOMPARE(PhoneView(phone).Role(), u"секретарь"_s);
    QCOMPARE(phone.Comments, u"приемная"_s);
}

void TestPhones::StoredNumberKeepsItsBlanks()
{
    // A one-digit country code and a digit left out stay where they were, loaded and stored again.
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    TDBMainInfo phone;
    QVERIFY(phone.SetObj(StorePhone(person, Kind::Person, u"7 49512345 7"_s)));
    TEditTel editor;
    editor.SetMasterDBInfo(&phone);
    QCOMPARE(editor.eTel()->displayText(), u"+7 (495) 123-45- 7"_s);
    QCOMPARE(editor.ApplyData(), 0);
    QCOMPARE(PhoneView(*editor.MasterDBInfo()).Number(), u"7 49512345 7"_s);
}

void TestPhones::InternetEditorOffersNamesOfItsType()
{
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    for (const auto& [type, name] : {std::pair{int(InternetType::SocialNetwork), u"ВКонтакте"_s},
             std::pair{int(InternetType::Messenger), u"Telegram"_s}}) {
        TDBMainInfo row;
        row.ObjType = Kind::InternetContact;
        InternetContactView(row).SetOwner(person);
        InternetContactView(row).SetContactType(type);
        InternetContactView(row).SetName(name);
        InternetContactView(row).SetAddress(u"petrov"_s);
        QVERIFY(row.Save() == SaveResult::Done);
    }
    TEditINet editor;
    TDBMainInfo contact;
    contact.ObjType = Kind::InternetContact;
    InternetContactView(contact).SetOwner(person);
    editor.SetMasterDBInfo(&contact);
    // A new contact is an e-mail address, which has no name.
    QCOMPARE(editor.cbLinkType()->currentText(), u"Электронная почта"_s);
    QVERIFY(!editor.eName()->isEnabled());
    editor.cbLinkType()->setCurrentIndex(InternetType::SocialNetwork - 1);
    QVERIFY(editor.eName()->isEnabled());
    QCOMPARE(editor.eName()->count(), 1);
    QCOMPARE(editor.eName()->itemText(0), u"ВКонтакте"_s);
    editor.eName()->setEditText(u"ВКонтакте"_s);
    // Another type clears the name and offers that type's names.
    editor.cbLinkType()->setCurrentIndex(InternetType::Messenger - 1);
    QCOMPARE(editor.eName()->currentText(), QString());
    QCOMPARE(editor.eName()->itemText(0), u"Telegram"_s);
    QVERIFY(!editor.ValidateData());
    QCOMPARE(editor.ErrorText(), u"Укажите интернет адрес!"_s);
    editor.show();
    editor.eAddress()->setFocus();
    TypeText(editor.eAddress(), u" @petrov "_s);
    QCOMPARE(editor.ApplyData(), 0);
    const TConstInternetContactView stored(*editor.MasterDBInfo());
    QCOMPARE(stored.ContactType(), qint64(InternetType::Messenger));
    QCOMPARE(stored.Picture(), qint64(TEditINet::TypePicture(InternetType::Messenger)));
    QCOMPARE(stored.Address(), u"@petrov"_s);
}

void TestPhones::OpeningContacts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("message");
    QTest::newRow("mail") << int(InternetType::Email) << u"ivan.petrov@example.ru"_s
                          << u"mailto:ivan.petrov@example.ru"_s << QString();
    QTest::newRow("mail with a query is not an address")
        << int(InternetType::Email) << u"ivan@example.ru?attach=/etc/passwd"_s << QString() << TInetFind::MailRefusal();
    QTest::newRow("site without a scheme") << int(InternetType::Site) << u"www.example.ru"_s
                                           << u"http://www.example.ru"_s << QString();
    QTest::newRow("social page over https") << int(InternetType::SocialNetwork) << u"https://vk.com/id1"_s
                                            << u"https://vk.com/id1"_s << QString();
    QTest::newRow("file") << int(InternetType::Site) << u"file:///etc/passwd"_s << QString() << TInetFind::WebRefusal();
    QTest::newRow("script") << int(InternetType::Site) << u"javascript:alert(1)"_s << QString()
                            << TInetFind::WebRefusal();
    QTest::newRow("local path") << int(InternetType::SocialNetwork) << u"/usr/bin/xterm"_s << QString()
                                << TInetFind::WebRefusal();
    QTest::newRow("windows path") << int(InternetType::Site) << u"C:\\Windows\\notepad.exe"_s << QString()
                                  << TInetFind::WebRefusal();
}

void TestPhones::OpeningContacts()
{
    QFETCH(int, type);
    QFETCH(QString, address);
    QFETCH(QString, opened);
    QFETCH(QString, message);
    const QString person = StoreObject(Kind::Person, u"Петров"_s);
    TDBMainInfo row;
    row.ObjType = Kind::InternetContact;
    InternetContactView(row).SetOwner(person);
    InternetContactView(row).SetContactType(type);
    InternetContactView(row).SetAddress(address);
    QVERIFY(row.Save() == SaveResult::Done);

    TScriptedDesktop desktop;
    TInetFind list;
    TDBMainInfo master;
    QVERIFY(master.SetObj(person));
    list.SetMasterDBInfo(&master);
    list.RunQuery(QString());
    QCOMPARE(list.CurObjId(), row.Obj.Text());
    auto* links = list.findChild<QAction*>(u"aLinks"_s);
    QVERIFY(links->isEnabled());
    links->trigger();
    QCOMPARE(desktop.Started(), QStringList());
    QCOMPARE(desktop.Opened().size(), opened.isEmpty() ? 0 : 1);
    if (!opened.isEmpty())
        QCOMPARE(desktop.Opened().first().toString(), opened);
    QCOMPARE(m_messages->Shown(), message.isEmpty() ? QStringList() : QStringList{message});
}

QTEST_MAIN(TestPhones)
#include "tst_phones.moc"
