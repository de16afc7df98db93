// Residences: the residence editor with its resident and address, a period end that ends the residence, a
// period ending before it starts refused, the short address text of narrow places, and the linked addresses
// with the current ones first.
#include "contacts/ContactScreens.h"
#include "contacts/EditPeople.h"
#include "contacts/LinkAdrFind.h"
#include "contacts/PtoALink.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/ResidenceView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestPtoALink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void EditorShowsTheResidentAndTheAddress();
    void NarrowPlacesShowTheShortAddress();
    void AnEndDateEndsTheResidence();
    void AnInvertedPeriodIsRefused();
    void CurrentResidencesComeFirst();

private:
    QString StoreAddress(const QString& district, const QString& street);
    QString StoreResidence(const QString& address, bool current, double from);
    TPtoALink* OpenEditor(TMainModalForm& dialog, const QString& address);
    void TypeDate(TdbTimeEdit* editor, const QString& digits);
    qint64 Residences();

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    QString m_person;
};

void TestPtoALink::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestPtoALink::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = u"Петров"_s;
    person.Str2 = u"Иван"_s;
    QVERIFY(person.Save() == SaveResult::Done);
    m_person = person.Obj.Text();
}

void TestPtoALink::cleanup()
{
    Screens::Clear();
    m_messages.reset();
    m_fixture.reset();
}

QString TestPtoALink::StoreAddress(const QString& district, const QString& street)
{
    TDBMainInfo row;
    row.ObjType = Kind::Address;
    const TAddressView address(row);
    address.SetPostalIndex(u"170000"_s);
    address.SetCountry(u"Россия"_s);
    address.SetRegion(u"Тверская"_s);
    address.SetDistrict(district);
    address.SetSettlement(u"Тверь"_s);
    address.SetStreet(street);
    address.SetHouse(u"7"_s);
    address.SetFlat(u"12"_s);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString TestPtoALink::StoreResidence(const QString& address, bool current, double from)
{
    TDBMainInfo row;
    row.ObjType = Kind::Residence;
    const TResidenceView residence(row);
    residence.SetAddress(address);
    residence.SetResident(m_person);
    residence.SetCurrent(current);
    residence.SetFrom(from);
    residence.SetHasFrom(true);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

qint64 TestPtoALink::Residences()
{
    auto query = TMyDataBase::QueryOn(nullptr, u"select count(*) from AllInfo where ObjType = 80"_s);
    return query && query->next() ? query->value(0).toLongLong() : -1;
}

TPtoALink* TestPtoALink::OpenEditor(TMainModalForm& dialog, const QString& address)
{
    TDBMainInfo request;
    TPtoALink::PrepareResidence(request, address, m_person);
    dialog.DBMain()->Assign(&request);
    auto* editor = dynamic_cast<TPtoALink*>(dialog.Frame());
    if (!editor)
        return nullptr;
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog) ? editor : nullptr;
}

void TestPtoALink::TypeDate(TdbTimeEdit* editor, const QString& digits)
{
    editor->eDT()->setFocus();
    QTest::keyClick(editor->eDT(), Qt::Key_Home);
    TypeText(editor->eDT(), digits);
}

void TestPtoALink::EditorShowsTheResidentAndTheAddress()
{
    const QString address = StoreAddress(u"Калининский"_s, u"Советская"_s);
    TMainModalForm dialog;
    TPtoALink* editor = OpenEditor(dialog, address);
    QVERIFY(editor);
    QCOMPARE(dialog.windowTitle(), u"Адрес жительства"_s);
    auto* resident = dynamic_cast<TFEditPeople*>(editor->ResidentFrame());
    QVERIFY(resident);
    QVERIFY(!resident->isEnabled());
    QCOMPARE(resident->eFamily()->text(), u"Петров"_s);
    QVERIFY(editor->mAdr()->isReadOnly());
    QVERIFY(editor->mAdr()->toPlainText().contains(u"Советская, 7, 12"_s));
    QVERIFY(editor->cbFlag()->isChecked());
    QVERIFY(editor->cbFlag()->isEnabled());

    // Saved with a start date: the residence of this person at this address, current.
    TypeDate(editor->dtStart(), u"01092015"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(dialog.DBMain()->Obj));
    const TConstResidenceView residence(stored);
    QCOMPARE(residence.Address().Text(), address);
    QCOMPARE(residence.Resident().Text(), m_person);
    QVERIFY(residence.Current());
    QVERIFY(residence.HasFrom());
    QCOMPARE(residence.From(), DateSerial::FromDate(QDate(2015, 9, 1)));
    QVERIFY(!residence.HasTo());
}

void TestPtoALink::NarrowPlacesShowTheShortAddress()
{
    // The eight parts are 39 characters and the street: "170000", "Россия", "Тверская", "Центральный", "Тверь",
    // the street, "7", "12".
    struct TCase
    {
        QString Address;
        bool District;
        bool Country;
    };
    const QList<TCase> cases{
        {StoreAddress(u"Центральный"_s, u"Октябрьская"_s), true, true}, // 50: whole
        {StoreAddress(u"Центральный"_s, u"Первомайская"_s), false, true}, // 51: no district
        {StoreAddress(u"Центральный"_s, u"Набережная Степана Разина"_s), false, true}, // 64: no district
        {StoreAddress(u"Центральный"_s, u"Набережная Степана Разина1"_s), false, false}, // 65: nor country
    };
    for (const TCase& test : cases) {
        TMainModalForm dialog;
        TPtoALink* editor = OpenEditor(dialog, test.Address);
        QVERIFY(editor);
        editor->mAdr()->setFixedWidth(250);
        QApplication::processEvents();
        const QString narrow = editor->mAdr()->toPlainText();
        QCOMPARE(narrow.contains(u"Центральный р-н"_s), test.District);
        QCOMPARE(narrow.contains(u"Россия"_s), test.Country);
        // Wide enough, the memo shows the whole address.
        editor->mAdr()->setFixedWidth(400);
        QApplication::processEvents();
        QVERIFY(editor->mAdr()->toPlainText().startsWith(u"170000, Россия, Тверская обл., Центральный р-н, Тверь"_s));
        dialog.reject();
    }
}

void TestPtoALink::AnEndDateEndsTheResidence()
{
    const QString address = StoreAddress(QString(), u"Советская"_s);
    TMainModalForm dialog;
    TPtoALink* editor = OpenEditor(dialog, address);
    QVERIFY(editor);
    TypeDate(editor->dtStart(), u"01092015"_s);
    // A month and a year are no complete end: the residence may still be current.
    TypeDate(editor->dtEnd(), u"  062018"_s);
    QTest::keyClick(editor->dtEnd()->eDT(), Qt::Key_Tab);
    QVERIFY(editor->cbFlag()->isEnabled());
    QVERIFY(editor->cbFlag()->isChecked());
    TypeDate(editor->dtEnd(), u"15062018"_s);
    QTest::keyClick(editor->dtEnd()->eDT(), Qt::Key_Tab);
    QVERIFY(!editor->cbFlag()->isChecked());
    QVERIFY(!editor->cbFlag()->isEnabled());
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    const QString id = dialog.DBMain()->Obj.Text();
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(id));
    QVERIFY(!ResidenceView(stored).Current());
    QVERIFY(ResidenceView(stored).HasTo());

    // Opened again, the ended residence cannot be marked current.
    TMainModalForm again;
    again.DBMain()->Assign(&stored);
    auto* reopened = dynamic_cast<TPtoALink*>(again.Frame());
    QVERIFY(reopened);
    QVERIFY(!reopened->cbFlag()->isEnabled());
    QVERIFY(!reopened->cbFlag()->isChecked());
}

void TestPtoALink::AnInvertedPeriodIsRefused()
{
    const QString address = StoreAddress(QString(), u"Советская"_s);
    TMainModalForm dialog;
    TPtoALink* editor = OpenEditor(dialog, address);
    QVERIFY(editor);
    TypeDate(editor->dtStart(), u"01022010"_s);
    TypeDate(editor->dtEnd(), u"31122009"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList{u"Укажите окончание периода не раньше его начала!"_s});
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), editor->dtEnd()->eDT());
    QCOMPARE(Residences(), 0);

    // The same day at both ends is a period.
    TypeDate(editor->dtEnd(), u"01022010"_s);
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown().size(), 1);
    QCOMPARE(Residences(), 1);
}

void TestPtoALink::CurrentResidencesComeFirst()
{
    const QString old = StoreAddress(QString(), u"Старая"_s);
    const QString now = StoreAddress(QString(), u"Новая"_s);
    const QString older = StoreAddress(QString(), u"Давняя"_s);
    StoreResidence(old, false, DateSerial::FromDate(QDate(2001, 1, 1)));
    StoreResidence(now, true, DateSerial::FromDate(QDate(1990, 1, 1)));
    StoreResidence(older, false, DateSerial::FromDate(QDate(1995, 1, 1)));
    // A residence of another person, and a row of another kind naming the address and the person, are not his.
    TDBMainInfo other;
    other.ObjType = Kind::Role;
    other.Link1 = old;
    other.Link2 = m_person;
    QVERIFY(other.Save() == SaveResult::Done);

    TDBMainInfo person;
    QVERIFY(person.SetObj(m_person));
    TLinkAdrFind list;
    list.SetMasterDBInfo(&person);
    list.resize(600, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.RunQuery(QString());
    TListModel* rows = list.ListGrid()->Model();
    QCOMPARE(rows->RecordCount(), 3);
    QCOMPARE(rows->Row(0).Text(u"ObjId"_s), now);
    QVERIFY(rows->Row(0).Bool(u"Flag"_s));
    QCOMPARE(rows->Row(1).Text(u"ObjId"_s), old);
    QCOMPARE(rows->Row(2).Text(u"ObjId"_s), older);
    int picture = 0;
    list.GridStatusColumnGetImage(rows->Row(0), picture);
    QCOMPARE(picture, TLinkAdrFind::CurrentPicture);
    list.GridStatusColumnGetImage(rows->Row(1), picture);
    QCOMPARE(picture, -1);
    QCOMPARE(rows->Row(1).DisplayText(u"Date1"_s), u"01.01.2001"_s);
    QVERIFY(!list.CurLinkId().isEmpty());
}

QTEST_MAIN(TestPtoALink)
#include "tst_ptoalink.moc"
