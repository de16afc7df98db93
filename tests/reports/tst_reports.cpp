// The reports on people and events, written into real workbooks and read back by a reader of the file: the
// dossier from Ctrl+P on a person card in the main window, the people list from its print action, the event
// report, the wait window that keeps the program out of a running report, and a report stopped midway.
#include "contacts/ContactScreens.h"
#include "contacts/EditPeople.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "platform/ProgramPaths.h"
#include "reports/ELSObject.h"
#include "reports/EventReport.h"
#include "reports/PersonReport.h"
#include "reports/PrintMSG.h"
#include "reports/ReportFile.h"
#include "reports/ReportRows.h"
#include "reports/ReportScreens.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/SettingsFile.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/EventView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"
#include "tests/reports/XlsxReader.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

double Date(int day, int month, int year)
{
    return DateSerial::FromDate(QDate(year, month, day));
}

QByteArray Jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

/// An address's text as it may be kept in its picture column: an 8-byte length, then the UTF-8 bytes.
QByteArray KeptText(const QString& text, std::optional<qint64> length = std::nullopt)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray bytes(8, '\0');
    qToLittleEndian<qint64>(length.value_or(utf8.size()), bytes.data());
    return bytes + utf8;
}

const QString LongFlat = QString(130, u'Ф');
const QString OldAddress = u"101000, Россия, Московская обл., Химки, Ленина, 5, 12"_s;

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();
    void dossierFromThePersonCard();
    void stoppedReportLeavesNothing();
    void peopleListFromItsPrintAction();
    void eventReport();
    void addressTextKeptInThePictureColumn();

private:
    void BuildPeople();
    void StartMain(TMain& main);
    TPeopleObjFrame* OpenCard(TMain& main, const QString& surname);
    QStringList Reports() const;

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedDesktop> m_desktop;
    std::unique_ptr<TFixedClock> m_clock;
    std::unique_ptr<TObjectWeb> m_web;
};

void TestReports::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    ReportFile::SetFolder(QDir(m_fixture->Folder()).filePath(u"Документы/Zorvin"_s));
    m_messages = std::make_unique<TScriptedMessages>();
    m_desktop = std::make_unique<TScriptedDesktop>();
    m_clock = std::make_unique<TFixedClock>(QDateTime(QDate(2026, 12, 9), QTime(14, 5)));
    m_web = std::make_unique<TObjectWeb>();
    RegisterContactScreens();
    RegisterReportScreens();
    BuildPeople();
}

void TestReports::cleanup()
{
    m_web.reset();
    m_clock.reset();
    m_desktop.reset();
    m_messages.reset();
    ReportFile::SetFolder(QString());
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestReports::BuildPeople()
{
    TObjectWeb& web = *m_web;
    const auto person = [&web](const QString& key, const QString& surname, const QString& name, const QString& patronymic,
                               bool female, const std::function<void(TPersonView)>& more = {}) {
        return web.Add(key, Kind::Person, [&](TDBMainInfo& row) {
            TPersonView p(row);
            p.SetSurname(surname);
            p.SetFirstName(name);
            p.SetPatronymic(patronymic);
            p.SetIsFemale(female);
            p.SetDisplayName(PersonDisplayName(surname, name, patronymic));
            if (more)
                more(p);
        });
    };
    const QString father = person(u"father"_s, u"Иванов"_s, u"Петр"_s, u"Ильич"_s, false, [](TPersonView p) {
        p.SetBirthDate(Date(1, 1, 1950));
        p.SetIsDead(true);
        p.SetDeathDate(Date(2, 2, 2020));
        p.SetComments(u"ветеран"_s);
    });
    const QString mother = person(u"mother"_s, u"Иванова"_s, u"Анна"_s, QString(), true);
    const QString parents = web.Add(u"parents"_s, Kind::Family, [&](TDBMainInfo& row) {
        TFamilyView f(row);
        f.SetHusband(father);
        f.SetWife(mother);
        f.SetHusbandName(u"Иванов Петр"_s);
        f.SetWifeName(u"Иванова Анна"_s);
        f.SetStatus(FamilyStatus::Married);
    });
    const QString maria = person(u"maria"_s, u"Иванова"_s, u"Мария"_s, u"Петровна"_s, true, [&](TPersonView p) {
        p.SetBirthDate(Date(14, 3, 1975));
        p.SetIsDead(true);
        p.SetComments(u"любит =цветы"_s);
        p.SetPhoto(Jpeg(120, 160));
        p.SetNativeFamily(parents);
    });
    const QString sergei = person(u"sergei"_s, u"Иванов"_s, u"Сергей"_s, QString(), false,
                                  [&](TPersonView p) { p.SetNativeFamily(parents); });
    const QString nikolai = person(u"nikolai"_s, u"Сидоров"_s, u"Николай"_s, QString(), false);
    const QString marriage = web.Add(u"marriage"_s, Kind::Family, [&](TDBMainInfo& row) {
        TFamilyView f(row);
        f.SetHusband(nikolai);
        f.SetWife(maria);
        f.SetHusbandName(u"Сидоров Николай"_s);
        f.SetWifeName(u"Иванова Мария"_s);
        f.SetStatus(FamilyStatus::Divorced);
        f.SetStart(Date(10, 10, 2000));
    });
    person(u"olga"_s, u"Сидорова"_s, u"Ольга"_s, QString(), true, [&](TPersonView p) {
        p.SetBirthDate(Date(1, 5, 2002));
        p.SetNativeFamily(marriage);
    });

    // Addresses: one whose text is kept, whole, in its picture column; one whose kept bytes are cut short.
    const auto address = [&web](const QString& key, const QByteArray& kept, const QString& comment) {
        return web.Add(key, Kind::Address, [&](TDBMainInfo& row) {
            TAddressView a(row);
            a.SetPostalIndex(u"101000"_s);
            a.SetCountry(u"Россия"_s);
            a.SetRegion(u"Московская"_s);
            a.SetSettlement(u"Химки"_s);
            a.SetStreet(u"Ленина"_s);
            a.SetHouse(u"5"_s);
            a.SetFlat(u"12"_s);
            a.SetComments(comment);
            a.SetPicture(kept);
        });
    };
    const QString home = address(u"home"_s, KeptText(LongFlat), QString());
    const QString old = address(u"old"_s, KeptText(u"Москва"_s, 1000), u"старый"_s);
    const auto residence = [&web](const QString& key, const QString& who, const QString& where, bool now, double from,
                                  double to) {
        web.Add(key, Kind::Residence, [&](TDBMainInfo& row) {
            TResidenceView r(row);
            r.SetResident(who);
            r.SetAddress(where);
            r.SetCurrent(now);
            r.SetFrom(from);
            r.SetTo(to);
        });
    };
    residence(u"lives"_s, maria, home, true, Date(1, 2, 2001), 0);
    residence(u"lived"_s, maria, old, false, 0, Date(5, 6, 1999));
    residence(u"sergei-lives"_s, sergei, home, true, 0, 0);

    const auto phone = [&web](const QString& key, const QString& owner, int ownerKind, int type, const QString& number,
                              const QString& comment) {
        web.Add(key, Kind::Phone, [&](TDBMainInfo& row) {
            TPhoneView p(row);
            p.SetOwner(owner);
            p.SetOwnerKind(ownerKind);
            p.SetPhoneKind(type);
            p.SetNumber(number);
            p.SetComments(comment);
        });
    };
    phone(u"mobile"_s, maria, Kind::Person, PhoneType::Mobile, u"791612345678"_s, u"личный"_s);
    phone(u"home-phone"_s, home, Kind::Address, PhoneType::Phone, u"749500011122"_s, QString());
    phone(u"sergei-mobile"_s, sergei, Kind::Person, PhoneType::Mobile, u"791100000002"_s, QString());
    phone(u"sergei-phone"_s, sergei, Kind::Person, PhoneType::Phone, u"791100000001"_s, QString());
    web.Add(u"mail"_s, Kind::InternetContact, [&](TDBMainInfo& row) {
        TInternetContactView c(row);
        c.SetOwner(maria);
        c.SetContactType(InternetType::Email);
        c.SetAddress(u"maria@example.ru"_s);
    });

    const QString firm = web.Add(u"firm"_s, Kind::Organization, [](TDBMainInfo& row) {
        row.Str1 = u"Ромашка"_s;
        row.Str2 = u"ООО"_s;
        row.Str5 = u"ООО, Ромашка"_s;
    });
    phone(u"firm-fax"_s, firm, Kind::Organization, PhoneType::Fax, u"749577788899"_s, QString());
    const auto group = [&web](const QString& key, const QString& name, int type) {
        return web.Add(key, Kind::Group, [&](TDBMainInfo& row) {
            TGroupView g(row);
            g.SetName(name);
            g.SetDisplayName(name);
            g.SetGroupKind(type);
        });
    };
    const QString work = group(u"work"_s, u"Работа"_s, GroupType::OrganizationRoles);
    const QString dacha = group(u"dacha"_s, u"Соседи по даче"_s, GroupType::PeopleRoles);
    const auto role = [&web](const QString& key, const QString& holder, int holderKind, const QString& groupId,
                             const QString& name, const std::function<void(TRoleView)>& more = {}) {
        web.Add(key, Kind::Role, [&](TDBMainInfo& row) {
            TRoleView r(row);
            r.SetHolder(holder);
            r.SetHolderKind(holderKind);
            r.SetGroup(groupId);
            r.SetName(name);
            r.SetOppositeSide(Ids::None);
            r.SetThird(Ids::None);
            if (more)
                more(r);
        });
    };
    role(u"maria-works"_s, maria, Kind::Person, work, u"бухгалтер"_s, [](TRoleView r) { r.SetMarked(true); });
    role(u"firm-employs"_s, firm, Kind::Organization, work, u"бухгалтер"_s);
    QVERIFY(web.Pair(u"maria-works"_s, u"firm-employs"_s));
    role(u"elder"_s, maria, Kind::Person, dacha, u"староста"_s, [](TRoleView r) { r.SetFrom(Date(1, 1, 2010)); });
    QVERIFY(web.IsComplete());
}

void TestReports::StartMain(TMain& main)
{
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

TPeopleObjFrame* TestReports::OpenCard(TMain& main, const QString& surname)
{
    // F1, the surname typed into the quick find, Enter: the person's card.
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    if (!people)
        return nullptr;
    QLineEdit* find = people->eFindEdit()->lineEdit();
    find->setFocus();
    TypeText(find, surname);
    if (!QTest::qWaitFor([people]() { return people->ListGrid()->Model()->RecordCount() == 1; }))
        return nullptr;
    QTest::keyClick(find, Qt::Key_Return);
    return qobject_cast<TPeopleObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
}

void TestReports::dossierFromThePersonCard()
{
    // Maria's foster father (her mother's second husband) with his son, her godfather, and a foster son.
    TObjectWeb& web = *m_web;
    const auto person = [&web](const QString& key, const QString& surname, const QString& name, const QString& family) {
        return web.Add(key, Kind::Person, [&](TDBMainInfo& row) {
            TPersonView p(row);
            p.SetSurname(surname);
            p.SetFirstName(name);
            p.SetDisplayName(PersonDisplayName(surname, name, QString()));
            p.SetNativeFamily(family);
        });
    };
    const QString oleg = person(u"oleg"_s, u"Петров"_s, u"Олег"_s, Ids::None);
    const QString second = web.Add(u"second"_s, Kind::Family, [&](TDBMainInfo& row) {
        TFamilyView f(row);
        f.SetHusband(oleg);
        f.SetWife(web.Id(u"mother"_s));
        f.SetHusbandName(u"Петров Олег"_s);
        f.SetWifeName(u"Иванова Анна"_s);
    });
    person(u"igor"_s, u"Петров"_s, u"Игорь"_s, second);
    const QString pavel = person(u"pavel"_s, u"Козлов"_s, u"Павел"_s, Ids::None);
    const auto adopt = [&web](const QString& key, const QString& family, const QString& child, double from) {
        web.Add(key, Kind::AdoptiveFamilyLink, [&](TDBMainInfo& row) {
            TAdoptiveFamilyLinkView link(row);
            link.SetFamily(family);
            link.SetPerson(child);
            link.SetFrom(from);
        });
    };
    adopt(u"maria-adopted"_s, second, web.Id(u"maria"_s), Date(1, 1, 1980));
    adopt(u"pavel-adopted"_s, web.Id(u"marriage"_s), pavel, 0);
    TDBMainInfo maria;
    QVERIFY(maria.SetObj(web.Id(u"maria"_s)));
    PersonView(maria).SetGodfather(web.Id(u"nikolai"_s));
    QCOMPARE(maria.Save().Code, 0);
    QVERIFY(web.IsComplete());

    TMain main;
    StartMain(main);
    TPeopleObjFrame* card = OpenCard(main, u"Иванова М"_s);
    QVERIFY(card);
    QCOMPARE(card->MasterDBInfo()->Obj.Text(), m_web->Id(u"maria"_s));
    QVERIFY(card->aPrint()->isVisible());
    QVERIFY(card->aPrint()->isEnabled());
    auto* editor = dynamic_cast<TFEditPeople*>(card->EditFrame());
    editor->eFamily()->setFocus();
    QTest::keyClick(editor->eFamily(), Qt::Key_P, Qt::ControlModifier);

    // The workbook is in the reports folder under its dated name, handed to the desktop, and nothing else is
    // left there or in the program's folder.
    const QString name = u"Досье Иванова М. П. 2026-12-09 14-05.xlsx"_s;
    QCOMPARE(Reports(), QStringList{name});
    const QString file = QDir(ReportFile::Folder()).filePath(name);
    QCOMPARE(m_desktop->Opened(), QList<QUrl>{QUrl::fromLocalFile(file)});
    QCOMPARE(m_messages->Shown(), QStringList());
    QVERIFY(!QDir(m_fixture->Folder()).exists(u"temp/~.jpg"_s));
    QVERIFY(!QApplication::activeModalWidget());

    const TXlsxReader book(file);
    QVERIFY(book.IsValid());
    for (const QString& cell : book.Cells().keys())
        QVERIFY2(book.Cells().value(cell).IsText(), qPrintable(cell));
    // The head: the photo over a1, the names, and "Умерла:" with "X" for a woman dead on an unknown date, so
    // that her comment moves to row 8.
    const QStringList media = book.Entries().filter(u"xl/media/"_s);
    QCOMPARE(media.size(), 1);
    QCOMPARE(QImage::fromData(book.Entry(media.first())).size(), QSize(120, 160));
    QVERIFY(book.Entry(u"xl/drawings/drawing1.xml"_s).contains("<xdr:from><xdr:col>0</xdr:col>"));
    QVERIFY(!book.Has(u"a1"_s));
    const QStringList head{u"Фамилия:"_s, u"Имя:"_s, u"Отчество:"_s, u"пол:"_s, u"Дата рождения:"_s, u"Умерла:"_s,
        u"Комментарий:"_s};
    QCOMPARE(book.Column(u"d"_s, 2), head);
    QCOMPARE(book.Column(u"f"_s, 2), (QStringList{u"Иванова"_s, u"Мария"_s, u"Петровна"_s, u"женский"_s,
        u"14.03.1975"_s, u"X"_s, u"любит =цветы"_s}));

    // The sections from row 10: each title in column a, one empty row between them; labels in a, texts in d.
    const auto line = [&book](int row) -> QString {
        return book.Text(u"a"_s + QString::number(row)) + u" | "_s + book.Text(u"d"_s + QString::number(row));
    };
    QStringList lines;
    for (int row = 10; row <= 46; ++row)
        lines << line(row);
    const QStringList expected{
        u"Адреса проживания | "_s,
        u"Проживает с:  01.02.2001 | "_s + QString(60, u'Ф'),
        u" | "_s + QString(60, u'Ф'),
        u" | "_s + QString(10, u'Ф'),
        u"- по: 05.06.1999 | "_s + OldAddress,
        u" | (старый)"_s,
        u" | "_s,
        u"Контактная информация | "_s,
        u"мобильный: | 791612345678 (личный)"_s,
        u"телефон (домашний): | 749500011122"_s,
        u"факс (рабочий): | 749577788899 (ООО, Ромашка)"_s,
        u"e-mail: | maria@example.ru"_s,
        u" | "_s,
        u"Характеристика | "_s,
        u"Группа: | Соседи по даче"_s,
        u"с:  01.01.2010 по: - | староста"_s,
        u" | "_s,
        u"Семья и родственники | "_s,
        u"отец: | Иванов Петр Ильич, родился: 01.01.1950, умер: 02.02.2020"_s,
        u" | (ветеран)"_s,
        u"мать: | Иванова Анна"_s,
        u"с:  01.01.1980 по: - | отчим: Петров Олег"_s,
        u"брат: | Иванов Сергей"_s,
        u"Сводный брат: | Петров Игорь (семья: Петров Олег Иванова Анна)"_s,
        u"крестный: | Сидоров Николай ( )"_s,
        u"с:  10.10.2000 по: - | супруг: Сидоров Николай (Развелись)"_s,
        u"дочь: | Сидорова Ольга, родилась: 01.05.2002 (Сидоров Николай"_s,
        u" | Иванова Мария)"_s,
        u"Приемный сын: | Козлов Павел"_s,
        u" | "_s,
        u"Друзья, знакомые | "_s,
        u" | "_s,
        u"Учеба, работа и т.д. (связь с организациями) | "_s,
        u"Группа: | Работа"_s,
        u"бухгалтер:  | ООО, Ромашка"_s,
        u" | "_s,
        u"События | "_s,
    };
    QCOMPARE(lines, expected);
    QVERIFY(!book.Has(u"a47"_s));
}

void TestReports::stoppedReportLeavesNothing()
{
    TMain main;
    StartMain(main);
    TPeopleObjFrame* card = OpenCard(main, u"Иванова М"_s);
    QVERIFY(card);
    // While the report writes, its wait window is modal to the whole program, and a second report is refused;
    // Escape stops it.
    bool checked = false;
    QTimer::singleShot(0, this, [&]() {
        auto* wait = qobject_cast<TFPrintMSG*>(QApplication::activeModalWidget());
        QVERIFY(wait);
        QCOMPARE(wait->windowModality(), Qt::ApplicationModal);
        QVERIFY(wait->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(wait->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(wait->lCaption()->text(), u"Идет формирование документа"_s);
        QVERIFY(wait->lCaption()->font().bold());
        QVERIFY(Reports::IsRunning());
        QVERIFY(Screens::PrintObject(Kind::Person, *card->MasterDBInfo()));
        QCOMPARE(PersonReport::PrintDossier(nullptr, m_web->Id(u"sergei"_s)), QString());
        QTest::keyClick(wait, Qt::Key_Escape);
        QVERIFY(wait->Stopped());
        QVERIFY(!wait->bStop()->isEnabled());
        checked = true;
    });
    card->aPrint()->trigger();
    QVERIFY(checked);
    QVERIFY(!Reports::IsRunning());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(Reports(), QStringList());
    QCOMPARE(m_desktop->Opened(), QList<QUrl>());
    QCOMPARE(m_messages->Shown(), QStringList());

    // The next report runs as usual.
    card->aPrint()->trigger();
    QCOMPARE(Reports().size(), 1);

    // One whose file cannot be saved (its name taken meanwhile by a folder) says so, and opens nothing.
    const QString taken = QDir(ReportFile::Folder()).filePath(u"Досье Иванов С. 2026-12-09 14-05.xlsx"_s);
    QTimer::singleShot(0, this, [&taken]() { QVERIFY(QDir().mkpath(taken)); });
    QCOMPARE(PersonReport::PrintDossier(nullptr, m_web->Id(u"sergei"_s)), QString());
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().first().startsWith(u"Не удалось записать документ в файл\r"_s + taken));
    QCOMPARE(m_desktop->Opened().size(), 1);
    QVERIFY(QFileInfo(taken).isDir());
}

void TestReports::peopleListFromItsPrintAction()
{
    TMain main;
    StartMain(main);
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(people);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 6);
    auto* print = people->findChild<QAction*>(u"aPrint"_s);
    QVERIFY(print->isEnabled());
    // The desktop has no program for it: the user is told where the workbook is.
    m_desktop->QueueResult(false);
    print->trigger();
    const QString name = u"Список людей 2026-12-09 14-05.xlsx"_s;
    QCOMPARE(Reports(), QStringList{name});
    const QString file = QDir(ReportFile::Folder()).filePath(name);
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().first().contains(file));

    const TXlsxReader book(file);
    QVERIFY(book.IsValid());
    QCOMPARE(book.Text(u"b1"_s), u"Результат поиска"_s);
    QStringList rows;
    for (int row = 3; row <= 20; ++row)
        rows << book.Text(u"a"_s + QString::number(row)) + u" | "_s + book.Text(u"b"_s + QString::number(row));
    const QStringList expected{
        // The dead have no address and phone lines.
        u"1 | Иванов Петр Ильич, родился: 01.01.1950, умер: 02.02.2020 (ветеран)"_s,
        u"2 | Иванов Сергей"_s,
        u" | "_s + QString(80, u'Ф'),
        u" | "_s + QString(50, u'Ф'),
        u" | (791100000001), (791100000002)"_s,
        u"3 | Иванова Анна"_s,
        u" | "_s,
        u" | "_s,
        u"4 | Иванова Мария Петровна, родилась: 14.03.1975, умерла:  (любит =цветы)"_s,
        u"5 | Сидоров Николай"_s,
        u" | "_s,
        u" | "_s,
        u"6 | Сидорова Ольга, родилась: 01.05.2002"_s,
        u" | "_s,
        u" | "_s,
        u" | "_s,
        u" | "_s,
        u" | "_s,
    };
    QCOMPARE(rows, expected);
    QVERIFY(book.Cells().value(u"a3"_s).IsText());

    // A long list reads the addresses and phones in one pass instead of by the people's ids: the same cells.
    const QString whole = QDir(m_fixture->Folder()).filePath(u"whole.xlsx"_s);
    TELSObject writer;
    QVERIFY(writer.Open(whole, true));
    PersonReport::WritePeopleList(writer, nullptr, people->ListGrid()->Model()->Statement(), 1);
    QVERIFY(writer.Close());
    const TXlsxReader same(whole);
    QVERIFY(same.IsValid());
    QCOMPARE(same.Cells().keys(), book.Cells().keys());
    for (const QString& cell : book.Cells().keys())
        QCOMPARE(same.Text(cell), book.Text(cell));
}

void TestReports::eventReport()
{
    TObjectWeb& web = *m_web;
    const QString project = web.Add(u"project"_s, Kind::Group, [](TDBMainInfo& row) {
        TGroupView g(row);
        g.SetName(u"Переезд"_s);
        g.SetGroupKind(GroupType::Project);
    });
    const QString guests = web.Add(u"guests"_s, Kind::Group, [](TDBMainInfo& row) {
        TGroupView g(row);
        g.SetName(u"Участники"_s);
        g.SetGroupKind(GroupType::EventRoles);
    });
    const auto event = [&web](const QString& key, const std::function<void(TEventView)>& fill) {
        return web.Add(key, Kind::Event, [&](TDBMainInfo& row) {
            TEventView e(row);
            e.SetSpareLink(Ids::None);
            e.SetHost(Ids::None);
            e.SetMeetingAddress(Ids::None);
            fill(e);
        });
    };
    const QString call = event(u"call"_s, [&](TEventView e) {
        e.SetName(u"Переговоры"_s);
        e.SetProject(project);
        e.SetEventKind(EventType::PhoneCall);
        e.SetDirection(EventDirection::Outgoing);
        e.SetHost(web.Id(u"firm"_s));
        e.SetMeetingAddress(web.Id(u"old"_s));
        e.SetStart(Date(15, 6, 2026) + 0.4375);
        e.SetAim(u"договориться"_s);
        e.SetResult(u"договорились"_s);
        e.SetComments(u"=важно"_s);
    });
    const auto take = [&web](const QString& key, const QString& holder, int holderKind, const QString& group,
                             const QString& name, const QString& sponsor) {
        web.Add(key, Kind::Role, [&](TDBMainInfo& row) {
            TRoleView r(row);
            r.SetHolder(holder);
            r.SetHolderKind(holderKind);
            r.SetGroup(group);
            r.SetName(name);
            r.SetThird(sponsor);
            r.SetOppositeSide(Ids::None);
        });
    };
    // The firm and Maria take part; an event linked to the call is no participant.
    take(u"call-firm"_s, call, Kind::Event, guests, QString(), Ids::None);
    take(u"firm-call"_s, web.Id(u"firm"_s), Kind::Organization, Ids::None, u"-"_s, Ids::None);
    take(u"call-maria"_s, call, Kind::Event, guests, u"пришла"_s, Ids::None);
    take(u"maria-call"_s, web.Id(u"maria"_s), Kind::Person, Ids::None, u"докладчик"_s, web.Id(u"firm"_s));
    const QString other = event(u"other"_s, [](TEventView e) { e.SetName(u"Другое"_s); });
    take(u"call-other"_s, call, Kind::Event, guests, QString(), Ids::None);
    take(u"other-call"_s, other, Kind::Event, Ids::None, QString(), Ids::None);
    QVERIFY(web.Pair(u"call-firm"_s, u"firm-call"_s));
    QVERIFY(web.Pair(u"call-maria"_s, u"maria-call"_s));
    QVERIFY(web.Pair(u"call-other"_s, u"other-call"_s));
    QVERIFY(Screens::HasObjectReport(Kind::Event));

    TDBMainInfo record;
    QVERIFY(record.SetObj(call));
    QVERIFY(Screens::PrintObject(Kind::Event, record));
    const QString name = u"Событие Переговоры 2026-12-09 14-05.xlsx"_s;
    QCOMPARE(Reports(), QStringList{name});
    const TXlsxReader book(QDir(ReportFile::Folder()).filePath(name));
    QVERIFY(book.IsValid());
    QCOMPARE(book.Column(u"a"_s, 1), (QStringList{u"Дата"_s, u"Название"_s, u"Проект"_s, u"Тип"_s, u"Место проведения"_s}));
    QCOMPARE(book.Column(u"b"_s, 1), (QStringList{u"15.06.2026"_s, u"Переговоры"_s, u"Переезд"_s, u"Телефонный звонок"_s,
        u"ООО, Ромашка"_s, OldAddress, u"договориться"_s, u"договорились"_s, u"=важно"_s}));
    QCOMPARE(book.Text(u"c4"_s), u"Исходящ."_s);
    QCOMPARE(book.Column(u"a"_s, 7), (QStringList{u"Цель"_s, u"Результат"_s, u"Комментарий"_s}));
    QVERIFY(book.Cells().value(u"b9"_s).IsText());
    QCOMPARE(book.Text(u"a11"_s), u"Участники, роли, результат"_s);
    const QStringList heads{u"№№"_s, u"Ф.И.О. (Название организации)"_s, u"Группа"_s, u"Роль"_s, u"Результат"_s, u"От кого"_s};
    const QStringList columns{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s};
    QStringList table;
    for (int row = 12; row <= 15; ++row) {
        QStringList cells;
        for (const QString& column : columns)
            cells << book.Text(column + QString::number(row));
        table << cells.join(u'|');
    }
    QCOMPARE(table, (QStringList{heads.join(u'|'), u"1|Иванова М. П.|Участники|докладчик|пришла|ООО, Ромашка"_s,
        u"2|ООО, Ромашка|Участники|-||"_s, u"|||||"_s}));
    QCOMPARE(book.Cells().value(u"a13"_s).Type, u"n"_s);

    // A meeting whose place is free text: the text in b5, nothing in b6, no direction.
    m_desktop.reset();
    m_desktop = std::make_unique<TScriptedDesktop>();
    const QString meeting = event(u"meeting"_s, [](TEventView e) {
        e.SetName(u"Обед"_s);
        e.SetEventKind(EventType::Meeting);
        e.SetDirection(EventDirection::Outgoing);
        e.SetHasFreePlace(true);
        e.SetFreePlace(u"кафе «Лето»"_s);
        e.SetHost(Ids::None);
    });
    const QString file = EventReport::Print(nullptr, meeting);
    QCOMPARE(m_desktop->Opened(), QList<QUrl>{QUrl::fromLocalFile(file)});
    const TXlsxReader meal(file);
    QVERIFY(meal.IsValid());
    QCOMPARE(meal.Text(u"b4"_s), u"Встреча"_s);
    QCOMPARE(meal.Text(u"b5"_s), u"кафе «Лето»"_s);
    QVERIFY(!meal.Has(u"b6"_s));
    QVERIFY(!meal.Has(u"c4"_s));
    QVERIFY(!meal.Has(u"b3"_s));
    QVERIFY(!meal.Has(u"a13"_s));
}

void TestReports::addressTextKeptInThePictureColumn()
{
    TDBMainInfo address;
    QVERIFY(address.SetObj(m_web->Id(u"old"_s)));
    QCOMPARE(ReportRows::AddressFullText(address), OldAddress);
    const struct
    {
        QByteArray Kept;
        QString Text;
    } cases[] = {
        {KeptText(u"Москва, Тверская, 1"_s), u"Москва, Тверская, 1"_s},
        {KeptText(u"Москва"_s) + "tail", u"Москва"_s},
        {KeptText(u"Москва"_s, 13), OldAddress},
        {KeptText(u"Москва"_s, -5), OldAddress},
        {KeptText(u"Москва"_s, 0), OldAddress},
        {KeptText(u"   "_s), OldAddress},
        {KeptText(QString()) , OldAddress},
        {QByteArray("\x06\0\0\0\0\0\0\0\xff\xfe\xfd\xfc\xfb\xfa", 14), OldAddress},
        {QByteArray(8, '\xff') + "Москва", OldAddress},
        {QByteArray("\x03\0\0", 3), OldAddress},
        {Jpeg(4, 4), OldAddress},
    };
    int index = 0;
    for (const auto& c : cases) {
        address.Foto = c.Kept;
        QVERIFY2(ReportRows::AddressFullText(address) == c.Text, qPrintable(QString::number(index++)));
    }
}

QStringList TestReports::Reports() const
{
    return QDir(ReportFile::Folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
