// The address editor: each box offers the values stored with the box before it, a list is read again only
// when that value changed, the postal index fills the parts stored most often with it, and a save refuses an
// address without its country and keeps the parts normalised.
#include "contacts/ContactScreens.h"
#include "contacts/EditAddress.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestEditAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void EachBoxOffersTheValuesOfTheBoxBefore();
    void AListIsReadAgainOnlyWhenItsValueChanged();
    void TypedQuotesAreValuesNotStatements();
    void IndexFillsTheMostFrequentCombination();
    void IndexLookupTiesAndWhenItKeepsOut();
    void SaveRefusesNoCountryAndNormalisesParts();

private:
    QString StoreAddress(const QStringList& parts);
    TEditAddress* OpenEditor(TMainModalForm& dialog);
    void TypeInto(QComboBox* box, const QString& text);
    void Enter(QWidget* widget);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestEditAddress::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestEditAddress::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
    // country, region, district, settlement, street, house, index
    StoreAddress({u"Россия"_s, u"Тверская"_s, u"Калининский"_s, u"Тверь"_s, u"Советская"_s, u"7"_s, u"170000"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, u"Калининский"_s, u"Тверь"_s, u"Советская"_s, u"9"_s, u"170001"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, u"Калининский"_s, u"Тверь"_s, u"Трёхсвятская"_s, u"2"_s, u"170000"_s});
    StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Торжок"_s, u"Ленина"_s, u"1"_s, u"172000"_s});
    StoreAddress({u"Россия"_s, u"Московская"_s, u"Одинцовский"_s, u"Одинцово"_s, u"Маршала Жукова"_s, u"3"_s,
        u"143000"_s});
    StoreAddress({u"Беларусь"_s, u"Минская"_s, QString(), u"Борисов"_s, u"Гагарина"_s, u"5"_s, u"222120"_s});
}

void TestEditAddress::cleanup()
{
    Screens::Clear();
    m_messages.reset();
    m_fixture.reset();
}

QString TestEditAddress::StoreAddress(const QStringList& parts)
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
    address.SetPostalIndex(parts.value(6));
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

TEditAddress* TestEditAddress::OpenEditor(TMainModalForm& dialog)
{
    TDBMainInfo request;
    request.ObjType = Kind::Address;
    dialog.DBMain()->Assign(&request);
    auto* editor = dynamic_cast<TEditAddress*>(dialog.Frame());
    if (!editor)
        return nullptr;
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog))
        return nullptr;
    return editor;
}

void TestEditAddress::Enter(QWidget* widget)
{
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

void TestEditAddress::TypeInto(QComboBox* box, const QString& text)
{
    Enter(box);
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    TypeText(box->lineEdit(), text);
}

void TestEditAddress::EachBoxOffersTheValuesOfTheBoxBefore()
{
    TMainModalForm dialog;
    TEditAddress* editor = OpenEditor(dialog);
    QVERIFY(editor);
    QCOMPARE(TEditAddress::Items(editor->cbCountry()), (QStringList{u"Беларусь"_s, u"Россия"_s}));

    // Tab from box to box, as the user goes down the address.
    TypeInto(editor->cbCountry(), u"россия"_s);
    QTest::keyClick(editor->cbCountry()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), editor->cbRegion());
    QCOMPARE(editor->cbCountry()->currentText(), u"Россия"_s);
    QCOMPARE(TEditAddress::Items(editor->cbRegion()), (QStringList{u"Московская"_s, u"Тверская"_s}));
    TypeText(editor->cbRegion()->lineEdit(), u"Тверская"_s);
    QTest::keyClick(editor->cbRegion()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(TEditAddress::Items(editor->cbRajon()), QStringList{u"Калининский"_s});

    // With the district blank the settlements are those of the region.
    QTest::keyClick(editor->cbRajon()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), editor->cbCity());
    QCOMPARE(TEditAddress::Items(editor->cbCity()), (QStringList{u"Тверь"_s, u"Торжок"_s}));
    // With a district, those of the district.
    TypeInto(editor->cbRajon(), u"Калининский"_s);
    QTest::keyClick(editor->cbRajon()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(TEditAddress::Items(editor->cbCity()), QStringList{u"Тверь"_s});

    TypeText(editor->cbCity()->lineEdit(), u"Тверь"_s);
    QTest::keyClick(editor->cbCity()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(TEditAddress::Items(editor->eStreet()), (QStringList{u"Советская"_s, u"Трёхсвятская"_s}));
    TypeText(editor->eStreet()->lineEdit(), u"Советская"_s);
    QTest::keyClick(editor->eStreet()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(TEditAddress::Items(editor->eH_A()), (QStringList{u"7"_s, u"9"_s}));
    QTest::keyClick(editor->eH_A()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), editor->eApp());
    QTest::keyClick(editor->eApp(), Qt::Key_Tab);
    QCOMPARE(TEditAddress::Items(editor->ePIndex()), (QStringList{u"170000"_s, u"170001"_s}));
}

void TestEditAddress::AListIsReadAgainOnlyWhenItsValueChanged()
{
    TMainModalForm dialog;
    TEditAddress* editor = OpenEditor(dialog);
    QVERIFY(editor);
    TypeInto(editor->cbCountry(), u"Россия"_s);
    Enter(editor->cbRegion());
    QCOMPARE(TEditAddress::Items(editor->cbRegion()).size(), 2);

    // A region stored meanwhile is not offered while the country stays the same ...
    StoreAddress({u"Россия"_s, u"Новгородская"_s, QString(), u"Великий Новгород"_s});
    Enter(editor->cbCountry());
    Enter(editor->cbRegion());
    QCOMPARE(TEditAddress::Items(editor->cbRegion()).size(), 2);
    // ... and is once the list was read for another country and then for this one again.
    TypeInto(editor->cbCountry(), u"Беларусь"_s);
    Enter(editor->cbRegion());
    QCOMPARE(TEditAddress::Items(editor->cbRegion()), QStringList{u"Минская"_s});
    TypeInto(editor->cbCountry(), u"Россия"_s);
    Enter(editor->cbRegion());
    QCOMPARE(TEditAddress::Items(editor->cbRegion()),
        (QStringList{u"Московская"_s, u"Новгородская"_s, u"Тверская"_s}));

    // The street list is read for the settlement it was read for, whatever other boxes were entered since.
    TypeInto(editor->cbCity(), u"Тверь"_s);
    Enter(editor->eStreet());
    QCOMPARE(TEditAddress::Items(editor->eStreet()).size(), 2);
    TypeInto(editor->cbCity(), u"Торжок"_s);
    Enter(editor->eH_A());
    Enter(editor->ePIndex());
    QCOMPARE(TEditAddress::Items(editor->ePIndex()), QStringList{u"172000"_s});
    Enter(editor->eStreet());
    QCOMPARE(TEditAddress::Items(editor->eStreet()), QStringList{u"Ленина"_s});
}

void TestEditAddress::TypedQuotesAreValuesNotStatements()
{
    StoreAddress({u"Страна \"Чудес\""_s, u"Волшебная"_s});
    TMainModalForm dialog;
    TEditAddress* editor = OpenEditor(dialog);
    QVERIFY(editor);
    TypeInto(editor->cbCountry(), u"Страна \"Чудес\""_s);
    Enter(editor->cbRegion());
    QCOMPARE(TEditAddress::Items(editor->cbRegion()), QStringList{u"Волшебная"_s});
    TypeInto(editor->cbCountry(), u"x\" or \"1\" = \"1"_s);
    Enter(editor->cbRegion());
    // The typed text is a country like any other: no address has it, so no region is offered.
    QCOMPARE(TEditAddress::Items(editor->cbRegion()), QStringList());
    QCOMPARE(m_messages->Shown(), QStringList());
}

void TestEditAddress::IndexFillsTheMostFrequentCombination()
{
    // 170000 is stored twice with Тверская/Калининский/Тверь and once with another combination.
    StoreAddress({u"Россия"_s, u"Тверская"_s, QString(), u"Заволжье"_s, u"Луговая"_s, u"1"_s, u"170000"_s});
    TMainModalForm dialog;
    TEditAddress* editor = OpenEditor(dialog);
    QVERIFY(editor);
    TypeInto(editor->cbCountry(), u"Россия"_s);
    Enter(editor->ePIndex());
    TypeText(editor->ePIndex()->lineEdit(), u"170000"_s);
    QTest::keyClick(editor->ePIndex()->lineEdit(), Qt::Key_Tab);
    QCOMPARE(editor->cbRegion()->currentText(), u"Тверская"_s);
    QCOMPARE(editor->cbRajon()->currentText(), u"Калининский"_s);
    QCOMPARE(editor->cbCity()->currentText(), u"Тверь"_s);
}

void TestEditAddress::IndexLookupTiesAndWhenItKeepsOut()
{
    // Two combinations stored once each with 300000: the alphabetically first one is taken, on both engines.
    StoreAddress({u"Россия"_s, u"Ярославская"_s, QString(), u"Ярославль"_s, QString(), QString(), u"300000"_s});
    StoreAddress({u"Россия"_s, u"Архангельская"_s, QString(), u"Котлас"_s, QString(), QString(), u"300000"_s});
    TMainModalForm dialog;
    TEditAddress* editor = OpenEditor(dialog);
    QVERIFY(editor);
    TypeInto(editor->cbCountry(), u"Россия"_s);
    TypeInto(editor->ePIndex(), u"300000"_s);
    Enter(editor->mComments());
    QCOMPARE(editor->cbRegion()->currentText(), u"Архангельская"_s);
    QCOMPARE(editor->cbCity()->currentText(), u"Котлас"_s);

    // With the settlement filled in nothing changes.
    TypeInto(editor->cbRegion(), u"Тверская"_s);
    TypeInto(editor->cbCity(), u"Тверь"_s);
    TypeInto(editor->ePIndex(), u"170000"_s);
    Enter(editor->mComments());
    QCOMPARE(editor->cbRegion()->currentText(), u"Тверская"_s);
    QCOMPARE(editor->cbRajon()->currentText(), QString());
    QCOMPARE(editor->cbCity()->currentText(), u"Тверь"_s);

    // Without a country nothing changes either; an index stored with another country is not used.
    TypeInto(editor->cbCity(), QString());
    TypeInto(editor->cbCountry(), QString());
    TypeInto(editor->ePIndex(), u"222120"_s);
    Enter(editor->mComments());
    QCOMPARE(editor->cbCity()->currentText(), QString());
    TypeInto(editor->cbCountry(), u"Россия"_s);
    TypeInto(editor->ePIndex(), u"222120"_s);
    Enter(editor->mComments());
    QCOMPARE(editor->cbCity()->currentText(), QString());
}

void TestEditAddress::SaveRefusesNoCountryAndNormalisesParts()
{
    TMainModalForm dialog;
    TEditAddress* editor = OpenEditor(dialog);
    QVERIFY(editor);
    TypeInto(editor->cbCountry(), u"   "_s);
    TypeInto(editor->cbCity(), u"тверь"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList{u"Укажите страну проживания!"_s});
    QCOMPARE(QApplication::focusWidget(), editor->cbCountry());
    QVERIFY(dialog.isVisible());
    // Nothing typed is lost by the refusal; the settlement left is written as a name.
    QCOMPARE(editor->cbCity()->currentText(), u"Тверь"_s);

    TypeInto(editor->cbCountry(), u"  россия "_s);
    TypeInto(editor->cbRegion(), u"тверская"_s);
    TypeInto(editor->cbRajon(), u"калининский"_s);
    TypeInto(editor->eStreet(), u"  советская "_s);
    TypeInto(editor->eH_A(), u" 7а "_s);
    Enter(editor->eApp());
    TypeText(editor->eApp(), u" 12 "_s);
    TypeInto(editor->ePIndex(), u"1700001"_s);
    Enter(editor->mComments());
    TypeText(editor->mComments(), u"у парка"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown().size(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(dialog.DBMain()->Obj));
    const TConstAddressView address(stored);
    QCOMPARE(address.Country(), u"Россия"_s);
    QCOMPARE(address.Region(), u"Тверская"_s);
    QCOMPARE(address.District(), u"Калининский"_s);
    QCOMPARE(address.Settlement(), u"Тверь"_s);
    QCOMPARE(address.Street(), u"советская"_s);
    QCOMPARE(address.House(), u"7а"_s);
    QCOMPARE(address.Flat(), u"12"_s);
    // The index box takes six characters.
    QCOMPARE(address.PostalIndex(), u"170000"_s);
    QCOMPARE(address.Comments(), u"у парка"_s);
}

QTEST_MAIN(TestEditAddress)
#include "tst_editaddress.moc"
