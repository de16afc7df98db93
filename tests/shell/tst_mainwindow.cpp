// The main window: start-up from the settings file, the side panel and its lists, the window list of
// cards with the unsaved-changes question, and the broker answering the frames' requests.
#include "activities/EventScreens.h"
#include "activities/GroupScreens.h"
#include "activities/NoteScreens.h"
#include "activities/RoleScreens.h"
#include "contacts/ContactScreens.h"
#include "contacts/FirmaScreens.h"
#include "contacts/PhoneScreens.h"
#include "finance/FinanceScreens.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/FindList.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/mainwindow/Main.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "shell/mainwindow/WinListForm.h"
#include "store/DBServerList.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "tests/shell/DialogScript.h"
#include "tests/shell/NameFrame.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>

namespace {

const QString kBadSettings = QStringLiteral("Некорректный формат файла Zorvin.ini");
const QString kChanged =
    QStringLiteral("Объект изменен\rДа - сохранить изменения\rНет - закрыть без сохранения\rОтмена - не закрывать");
const QString kAlreadyOpen =
    QStringLiteral("Данный объект уже открыт\rДа - перейти к открытому объекту\rНет - открыть объект еще раз");

// A card as the object cards behave towards the main window: it keeps its own copy of the object and
// joins the window list as it is made.
class TTestCard final : public TNameFrame
{
public:
    explicit TTestCard(QWidget* parent = nullptr)
        : TNameFrame(parent)
    {
        RefusalText = QStringLiteral("Укажите фамилию");
        MainBroker()->WinListAdd(this);
    }
};

// A side list that counts what the main window asks of it.
class TTestList final : public TBaseDBFrame, public TFindList
{
public:
    explicit TTestList(QWidget* parent = nullptr)
        : TBaseDBFrame(parent)
    {
        ++Made;
    }
    const QString& CurObjId() const override { return m_id; }
    TDBMainInfo* GetCurrentObjInfo() override { return nullptr; }
    void RunQuery(const QString& id) override
    {
        ++Queries;
        LastQueryId = id;
    }
    void FocusFind() override { ++Focused; }

    static inline int Made = 0;
    int Queries = 0;
    int Focused = 0;
    QString LastQueryId;

private:
    QString m_id = QStringLiteral("0000001A00000005");
};

enum class TSettingsCase { Good, Missing, BadKeyword, NoDatabaseFile, NoSystemRow };

QByteArray Jpeg(const QColor& color)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUp_data();
    void startUp();
    void startUpShowsTheBirthdays();
    void sidePanelWidth_data();
    void sidePanelWidth();
    void listActions_data();
    void listActions();
    void sideListIsMadeOnce();

    void addAndUpdateCards();
    void cardRowTexts_data();
    void cardRowTexts();
    void cardPhoto();
    void closeUnchangedCardAsksNothing();
    void closeChangedCard_data();
    void closeChangedCard();
    void closeNewCardAsks();
    void closeMoneyOperationAsksNothing();
    void closingTheWindowAsksForEveryCard();
    void windowListPopUp();

    void openDialogKind_data();
    void openDialogKind();
    void requestsWithoutKind();
    void openAlreadyOpen_data();
    void openAlreadyOpen();
    void sameIdInAnotherDatabaseIsAnotherObject();
    void deleteGroup_data();
    void deleteGroup();
    void deletePersonRunsTheCascade();
    void deleteClosesTheCardsOfEverythingDeleted();
    void deleteDeclined();
    void isDialogKind_data();
    void isDialogKind();
    void objectSavedReachesTheHandlers();
    void help();

private:
    // A started main window on a fresh database.
    void Start();
    TTestCard* OpenCard(const TDBMainInfo& record);
    QString SavePerson(const QString& surname);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TMain> m_main;
};

void TestMainWindow::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    TTestList::Made = 0;
    // The contact, group, event and account kinds' texts without their screens: the test's own cards stand in
    // for them.
    ShellKinds::Register(PersonShellKind().TextsOnly());
    ShellKinds::Register(PhoneShellKind().TextsOnly());
    ShellKinds::Register(InternetContactShellKind().TextsOnly());
    ShellKinds::Register(AddressShellKind().TextsOnly());
    ShellKinds::Register(ResidenceShellKind().TextsOnly());
    ShellKinds::Register(FamilyShellKind().TextsOnly());
    ShellKinds::Register(FirmaShellKind().TextsOnly());
    ShellKinds::Register(AdoptiveFamilyLinkShellKind().TextsOnly());
    for (const TShellKind& kind : GroupShellKinds() + EventShellKinds() + NoteShellKinds() + RoleShellKinds()
             + FinanceShellKinds())
        ShellKinds::Register(kind.TextsOnly());
    for (int kind : {1, 3, 6, 7, 8, 10, 21, 24})
        Screens::RegisterCard(kind, [](QWidget* parent) { return new TTestCard(parent); });
    Screens::RegisterEditFrame(Kind::Phone, [](QWidget* parent) { return new TNameFrame(parent); });
}

void TestMainWindow::cleanup()
{
    m_main.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestMainWindow::Start()
{
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(QStringLiteral("Zorvin.ini")), settings));
    m_main = std::make_unique<TMain>();
    QTRY_VERIFY(m_main->IsStarted());
}

TTestCard* TestMainWindow::OpenCard(const TDBMainInfo& record)
{
    TDBMainInfo copy;
    copy.Assign(&record);
    m_main->OpenObject(copy);
    const int last = m_main->WinList()->RowCount() - 1;
    return static_cast<TTestCard*>(m_main->WinList()->CardAt(last));
}

QString TestMainWindow::SavePerson(const QString& surname)
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = surname;
    person.Str2 = QStringLiteral("Иван");
    return person.Save() == 0 ? person.Obj.Text() : QString();
}

void TestMainWindow::startUp_data()
{
    QTest::addColumn<TSettingsCase>("setting");
    QTest::addColumn<bool>("started");
    QTest::newRow("good settings file") << TSettingsCase::Good << true;
    QTest::newRow("no settings file") << TSettingsCase::Missing << false;
    QTest::newRow("unknown keyword") << TSettingsCase::BadKeyword << false;
    QTest::newRow("database file missing") << TSettingsCase::NoDatabaseFile << false;
    QTest::newRow("database without a system row") << TSettingsCase::NoSystemRow << false;
}

void TestMainWindow::startUp()
{
    QFETCH(TSettingsCase, setting);
    QFETCH(bool, started);
    const QString ini = QDir(m_fixture->Folder()).filePath(QStringLiteral("Zorvin.ini"));
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    switch (setting) {
    case TSettingsCase::Good:
        QVERIFY(SettingsFile::Write(ini, settings));
        break;
    case TSettingsCase::Missing:
        break;
    case TSettingsCase::BadKeyword: {
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("FLOPPY|0000\n");
        break;
    }
    case TSettingsCase::NoDatabaseFile:
        settings.Mode = InstallMode::FilePath;
        settings.Path = QDir(m_fixture->Folder()).filePath(QStringLiteral("Data/None.zdb"));
        QVERIFY(SettingsFile::Write(ini, settings));
        break;
    case TSettingsCase::NoSystemRow:
        QVERIFY(SettingsFile::Write(ini, settings));
        QVERIFY(m_fixture->Run(QStringLiteral("delete from AllInfo where ObjType = 897")));
        break;
    }
    TMyDataBase* before = CurrentDatabase();
    m_main = std::make_unique<TMain>();
    QSignalSpy terminate(m_main.get(), &TMain::Terminate);
    QVERIFY(!m_main->IsStarted());
    QTRY_VERIFY(m_main->IsStarted() || terminate.count() == 1);
    QCOMPARE(m_main->IsStarted(), started);
    QCOMPARE(terminate.count(), started ? 0 : 1);
    QCOMPARE(m_messages->Shown(), started ? QStringList() : QStringList{kBadSettings});
    QCOMPARE(m_main->DatabaseList() != nullptr, started);
    if (started) {
        QCOMPARE(CurrentDatabase(), m_main->Database());
        QCOMPARE(m_main->Database()->DataSource(), m_fixture->FilePath());
    } else {
        QVERIFY(CurrentDatabase() == before || CurrentDatabase() == nullptr);
    }
}

void TestMainWindow::startUpShowsTheBirthdays()
{
    Screens::RegisterSideList(58, [](QWidget* parent) { return new TTestList(parent); });
    Start();
    auto* lists = m_main->findChild<QStackedWidget*>(QStringLiteral("SideLists"));
    QVERIFY(lists);
    auto* shown = qobject_cast<TBaseDBFrame*>(lists->currentWidget());
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), QStringLiteral("MyEvents"));
    QCOMPARE(shown->MasterDBInfo()->ObjType, int(Kind::Person));
    QCOMPARE(static_cast<TTestList*>(shown)->Queries, 1);
}

void TestMainWindow::sidePanelWidth_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("panel");
    QTest::newRow("1024 pixels") << 1024 << 338;
    QTest::newRow("1280 pixels") << 1280 << 424;
    QTest::newRow("800 pixels") << 800 << 264;
}

void TestMainWindow::sidePanelWidth()
{
    QFETCH(int, window);
    QFETCH(int, panel);
    QCOMPARE(TMain::SidePanelWidth(window), panel);
    TMain main;
    main.resize(window, 700);
    main.show();
    QTRY_COMPARE(main.width(), window);
    auto* side = main.findChild<TGradientPanel*>(QStringLiteral("GradientPanel1"));
    QVERIFY(side);
    QTRY_COMPARE(side->width(), panel);
}

void TestMainWindow::listActions_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("child");
    QTest::newRow("people") << "aProspects" << "Люди" << "Список знакомых" << int(Qt::Key_F1) << 1 << "FindPeoples";
    QTest::newRow("families") << "aFamily" << "Семьи" << "Список семей" << int(Qt::Key_F2) << 40 << "FindFamily";
    QTest::newRow("organizations") << "aFirms" << "Организации" << "Список организаций" << int(Qt::Key_F3) << 2
                                   << "FindFirms";
    QTest::newRow("addresses") << "aAddress" << "Адреса" << "Список адресов" << int(Qt::Key_F4) << 3 << "FindAddress";
    QTest::newRow("events") << "aEvents" << "События" << "Список событий" << int(Qt::Key_F5) << 4 << "FindEvents";
    QTest::newRow("notes") << "ANotes" << "Заметки" << "Список заметок" << int(Qt::Key_F6) << 5 << "FindMemos";
    QTest::newRow("projects") << "AProject" << "Проекты" << "Список проектов" << int(Qt::Key_F7) << 109
                              << "FindProjects";
    QTest::newRow("finance") << "aBuhgalteriya" << "Финансы" << "Финансовые операции" << int(Qt::Key_F8) << 27
                             << "Buchaltery";
}

void TestMainWindow::listActions()
{
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(int, key);
    QFETCH(int, picture);
    QFETCH(QString, child);
    Screens::RegisterSideList(picture, [](QWidget* parent) { return new TTestList(parent); });
    Start();
    auto* found = m_main->findChild<QAction*>(action);
    QVERIFY(found);
    QCOMPARE(found->text(), caption);
    QCOMPARE(found->toolTip(), hint);
    QCOMPARE(found->shortcut(), QKeySequence(key));
    m_main->show();
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    QTest::keyClick(m_main.get(), Qt::Key(key));
    auto* lists = m_main->findChild<QStackedWidget*>(QStringLiteral("SideLists"));
    QVERIFY(lists->currentWidget());
    QCOMPARE(lists->currentWidget()->objectName(), child);
}

void TestMainWindow::sideListIsMadeOnce()
{
    Screens::RegisterSideList(109, [](QWidget* parent) { return new TTestList(parent); });
    Start();
    auto* projects = m_main->findChild<QAction*>(QStringLiteral("AProject"));
    projects->trigger();
    projects->trigger();
    QCOMPARE(TTestList::Made, 1);
    auto* list = m_main->findChild<TTestList*>(QStringLiteral("FindProjects"));
    QVERIFY(list);
    QCOMPARE(list->MasterDBInfo()->ObjType, 9);
    QCOMPARE(list->Queries, 2);
    QCOMPARE(list->Focused, 2);
    QCOMPARE(list->LastQueryId, QStringLiteral("0000001A00000005"));
    // A picture with no registered list shows nothing and changes nothing.
    m_main->ShowSideList(1);
    QCOMPARE(m_main->findChild<QStackedWidget*>(QStringLiteral("SideLists"))->currentWidget(), list);
}

void TestMainWindow::addAndUpdateCards()
{
    Start();
    TFixedClock clock(QDateTime(QDate(2024, 3, 9), QTime(10, 15, 30)));
    auto* close = m_main->findChild<QToolButton*>(QStringLiteral("tbCloseObj"));
    QVERIFY(!close->isEnabled());
    TWinListForm* list = m_main->WinList();
    QCOMPARE(list->RowCount(), 1);

    TDBMainInfo first;
    first.ObjType = Kind::Person;
    first.Str1 = QStringLiteral("Иванов");
    first.Str2 = QStringLiteral("Иван");
    first.Str3 = QStringLiteral("Иванович");
    TTestCard* card1 = OpenCard(first);
    QVERIFY(card1);
    QCOMPARE(list->RowCount(), 1);
    QCOMPARE(card1->objectName(), QStringLiteral("Obj09032024101530"));
    QCOMPARE(close->isEnabled(), true);
    QCOMPARE(close->property("Tag").toInt(), 0);
    QCOMPARE(list->CellText(0, 3), QStringLiteral("Иванов Иван Иванович"));
    QCOMPARE(list->CellText(0, 0), QStringLiteral("38"));
    QCOMPARE(card1->eName->hasFocus() || !m_main->isVisible(), true);

    // Two objects not yet written are two objects: the second opens without the "already open" question.
    TTestCard* card2 = OpenCard(first);
    QVERIFY(m_messages->Shown().isEmpty());
    QCOMPARE(list->RowCount(), 2);
    QCOMPARE(card2->objectName(), QStringLiteral("Obj090320241015300"));
    QCOMPARE(close->property("Tag").toInt(), 1);
    QCOMPARE(m_main->findChild<QStackedWidget*>(QStringLiteral("ObjCards"))->currentWidget(), card2);

    card2->MasterDBInfo()->Str1 = QStringLiteral("Петров");
    m_main->WinListUpdate(card2);
    QCOMPARE(list->CellText(1, 3), QStringLiteral("Петров Иван Иванович"));
    QCOMPARE(list->CellText(0, 3), QStringLiteral("Иванов Иван Иванович"));

    list->SelectRow(0);
    QCOMPARE(m_main->findChild<QStackedWidget*>(QStringLiteral("ObjCards"))->currentWidget(), card1);
    QCOMPARE(close->property("Tag").toInt(), 0);
}

void TestMainWindow::cardRowTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("str1");
    QTest::addColumn<QString>("str2");
    QTest::addColumn<QString>("str5");
    QTest::addColumn<int>("int1");
    QTest::addColumn<int>("int3");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("text");
    QTest::newRow("woman") << 1 << "Иванова" << "Анна" << "" << 0 << 0 << true << "56" << "" << "Иванова Анна";
    QTest::newRow("address") << 3 << "Россия" << "Тверская" << "ул. Мира" << 0 << 0 << false << "3" << ""
                             << "Россия, Тверская обл., ул. Мира";
    QTest::newRow("organization") << 6 << "Ромашка" << "" << "  ООО, Ромашка " << 0 << 0 << false << "2" << ""
                                  << "ООО, Ромашка";
    QTest::newRow("family") << 7 << "Иванов Пётр" << "Иванова Мария" << "" << 1 << 0 << false << "45" << ""
                            << "Иванов Пётр\rИванова Мария";
    QTest::newRow("outgoing letter") << 8 << "" << "" << "Письмо " << 3 << 1 << false << "80" << "исх." << "Письмо";
    QTest::newRow("incoming call") << 8 << "" << "" << "Звонок" << 2 << 2 << false << "39" << "вх." << "Звонок";
    QTest::newRow("meeting") << 8 << "" << "" << "Встреча" << 1 << 1 << false << "79" << " " << "Встреча";
    QTest::newRow("note with a file") << 10 << "Договор" << "" << "" << 3 << 0 << false << "75" << "" << "Договор";
    QTest::newRow("project") << 21 << "Дача" << "" << "" << 9 << 0 << false << "109" << "" << "Дача";
    QTest::newRow("exchange") << 24 << "" << "" << "" << 8 << 0 << false << "93" << ""
                              << "14.03.2024 Операция: Обмен валюты";
}

void TestMainWindow::cardRowTexts()
{
    QFETCH(int, kind);
    QFETCH(QString, str1);
    QFETCH(QString, str2);
    QFETCH(QString, str5);
    QFETCH(int, int1);
    QFETCH(int, int3);
    QFETCH(bool, flag);
    QFETCH(QString, picture);
    QFETCH(QString, second);
    QFETCH(QString, text);
    Start();
    TDBMainInfo record;
    record.ObjType = kind;
    record.Str1 = str1;
    record.Str2 = str2;
    record.Str5 = str5;
    record.Int1 = int1;
    record.Int3 = int3;
    record.Flag = flag;
    record.Date1 = DateSerial::FromDate(QDate(2024, 3, 14));
    QVERIFY(OpenCard(record));
    QCOMPARE(m_main->WinList()->CellText(0, 0), picture);
    QCOMPARE(m_main->WinList()->CellText(0, 2), second);
    QCOMPARE(m_main->WinList()->CellText(0, 3), text);
}

void TestMainWindow::cardPhoto()
{
    Start();
    TDBMainInfo record;
    record.ObjType = Kind::Person;
    record.Str1 = QStringLiteral("Без фото");
    QVERIFY(OpenCard(record));
    record.Str1 = QStringLiteral("С фото");
    record.Foto = Jpeg(Qt::red);
    QVERIFY(OpenCard(record));
    record.Foto = QByteArrayLiteral("not a picture");
    QVERIFY(OpenCard(record));
    TWinListForm* list = m_main->WinList();
    QCOMPARE(list->CellText(0, 0), QStringLiteral("38"));
    QCOMPARE(list->CellText(1, 0), QStringLiteral("501"));
    QCOMPARE(list->CellText(2, 0), QStringLiteral("38"));
    const QImage photo = list->ObjFotos().Picture(1).toImage();
    QCOMPARE(photo.size(), list->ObjFotos().Size());
    QVERIFY(qAbs(QColor(photo.pixel(16, 16)).red() - 255) < 20);

    // Closing the row above moves the photo up, and its number with it.
    m_messages->QueueAnswer(TAnswer::No);
    QCOMPARE(list->CloseCard(0), 1);
    QCOMPARE(list->CellText(0, 0), QStringLiteral("500"));
    QVERIFY(!list->ObjFotos().Picture(0).isNull());
}

void TestMainWindow::closeUnchangedCardAsksNothing()
{
    Start();
    const QString id = SavePerson(QStringLiteral("Иванов"));
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(id));
    QPointer<TTestCard> card = OpenCard(stored);
    QVERIFY(card);
    QCOMPARE(m_main->WinList()->CloseCard(0), 1);
    QVERIFY(m_messages->Shown().isEmpty());
    QCOMPARE(m_main->WinList()->RowCount(), 1);
    QVERIFY(m_main->WinList()->CardAt(0) == nullptr);
    QVERIFY(!m_main->findChild<QToolButton*>(QStringLiteral("tbCloseObj"))->isEnabled());
    QTRY_VERIFY(card.isNull());
}

void TestMainWindow::closeChangedCard_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<TAnswer>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Cancel keeps the card") << "Петров" << TAnswer::Cancel << 0 << false << "Иванов"
                                           << QStringList{kChanged};
    QTest::newRow("Yes saves and closes") << "Петров" << TAnswer::Yes << 1 << true << "Петров"
                                          << QStringList{kChanged};
    QTest::newRow("Yes with a refused edit keeps the card")
        << "" << TAnswer::Yes << int(SaveResult::FrameRefused) << false << "Иванов"
        << QStringList{kChanged, QStringLiteral("Укажите фамилию")};
    QTest::newRow("No closes without saving") << "Петров" << TAnswer::No << 1 << true << "Иванов"
                                              << QStringList{kChanged};
    QTest::newRow("a change of letter case counts") << "иванов" << TAnswer::Yes << 1 << true << "иванов"
                                                    << QStringList{kChanged};
}

void TestMainWindow::closeChangedCard()
{
    QFETCH(QString, typed);
    QFETCH(TAnswer, answer);
    QFETCH(int, result);
    QFETCH(bool, closed);
    QFETCH(QString, stored);
    QFETCH(QStringList, shown);
    Start();
    const QString id = SavePerson(QStringLiteral("Иванов"));
    TDBMainInfo person;
    QVERIFY(person.SetObj(id));
    TTestCard* card = OpenCard(person);
    card->eName->setText(typed);
    m_messages->QueueAnswer(answer);
    QCOMPARE(m_main->WinList()->CloseCard(0), result);
    QCOMPARE(m_messages->Shown(), shown);
    QCOMPARE(m_main->WinList()->CardAt(0) == nullptr, closed);
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select Str1 from AllInfo where ObjId = '") + id + QStringLiteral("'"))
                 .toString(),
             stored);
}

void TestMainWindow::closeNewCardAsks()
{
    Start();
    TDBMainInfo fresh;
    fresh.ObjType = Kind::Person;
    TTestCard* card = OpenCard(fresh);
    card->eName->setText(QStringLiteral("Новиков"));
    m_messages->QueueAnswer(TAnswer::Yes);
    QCOMPARE(m_main->WinList()->CloseCard(0), 1);
    QCOMPARE(m_messages->Shown(), QStringList{kChanged});
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where ObjType = 1 and Str1 = 'Новиков'"))
                 .toInt(),
             1);
}

void TestMainWindow::closeMoneyOperationAsksNothing()
{
    Start();
    TDBMainInfo operation;
    operation.ObjType = Kind::MoneyOperation;
    operation.Int1 = 2;
    QVERIFY(operation.Save() == 0);
    TTestCard* card = OpenCard(operation);
    card->eName->setText(QStringLiteral("изменено"));
    QCOMPARE(m_main->WinList()->CloseCard(0), 1);
    QVERIFY(m_messages->Shown().isEmpty());
}

void TestMainWindow::closingTheWindowAsksForEveryCard()
{
    Start();
    m_main->show();
    TDBMainInfo first;
    QVERIFY(first.SetObj(SavePerson(QStringLiteral("Первый"))));
    TDBMainInfo second;
    QVERIFY(second.SetObj(SavePerson(QStringLiteral("Второй"))));
    OpenCard(first)->eName->setText(QStringLiteral("Первый-2"));
    OpenCard(second)->eName->setText(QStringLiteral("Второй-2"));

    // No for the last card, Cancel for the first: the program stays, with the first card open.
    m_messages->QueueAnswer(TAnswer::No);
    m_messages->QueueAnswer(TAnswer::Cancel);
    QVERIFY(!m_main->close());
    QVERIFY(m_main->isVisible());
    QCOMPARE(m_messages->Shown(), (QStringList{kChanged, kChanged}));
    QCOMPARE(m_main->WinList()->RowCount(), 1);
    QVERIFY(m_main->WinList()->CardAt(0) != nullptr);

    m_messages->QueueAnswer(TAnswer::Yes);
    QVERIFY(m_main->close());
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where Str1 = 'Первый-2'")).toInt(), 1);
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where Str1 = 'Второй-2'")).toInt(), 0);
}

void TestMainWindow::windowListPopUp()
{
    Start();
    m_main->show();
    auto* open = m_main->findChild<QToolButton*>(QStringLiteral("tbOpenWindows"));
    TWinListForm* list = m_main->WinList();
    // Nothing to list: the pop-up stays hidden.
    m_main->tbOpenWindowsClick();
    QVERIFY(!list->isVisible());

    TDBMainInfo record;
    record.ObjType = Kind::Person;
    record.Str1 = QStringLiteral("Первый");
    TTestCard* first = OpenCard(record);
    record.Str1 = QStringLiteral("Второй");
    OpenCard(record);
    m_main->tbOpenWindowsClick();
    QTRY_VERIFY(list->isVisible());
    QCOMPARE(list->geometry().right(), open->mapToGlobal(QPoint(open->width(), 0)).x() - 1);
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!list->isVisible());

    m_main->tbOpenWindowsClick();
    QTRY_VERIFY(list->isVisible());
    auto* grid = list->findChild<QTableWidget*>(QStringLiteral("WinGrid"));
    grid->setCurrentCell(0, 3);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(!list->isVisible());
    QCOMPARE(m_main->findChild<QStackedWidget*>(QStringLiteral("ObjCards"))->currentWidget(), first);
    QCOMPARE(m_main->findChild<QToolButton*>(QStringLiteral("tbCloseObj"))->property("Tag").toInt(), 0);
}

void TestMainWindow::openDialogKind_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("answer");
    QTest::newRow("saved: 1") << true << 1;
    QTest::newRow("cancelled: 0") << false << 0;
}

void TestMainWindow::openDialogKind()
{
    QFETCH(bool, save);
    QFETCH(int, answer);
    Start();
    TDBMainInfo phone;
    phone.ObjType = Kind::Phone;
    // Esc after typing asks whether to throw the number away: No.
    if (!save)
        m_messages->QueueAnswer(TAnswer::No);
    WhenDialogShown<TMainModalForm>([save](TMainModalForm& dialog) {
        static_cast<TNameFrame*>(dialog.Frame())->eName->setText(QStringLiteral("+7 000"));
        Press(save ? Qt::Key_Return : Qt::Key_Escape);
    });
    QCOMPARE(m_main->Request(TMainMessage::WM_OPENOBJECT, phone), answer);
    QCOMPARE(m_main->WinList()->CardAt(0), nullptr);
    QCOMPARE(phone.Str1, save ? QStringLiteral("+7 000") : QString());
    QCOMPARE(IsNewId(phone.Obj), !save);
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where ObjType = 4")).toInt(), save ? 1 : 0);
}

void TestMainWindow::requestsWithoutKind()
{
    Start();
    TDBMainInfo nothing;
    QCOMPARE(m_main->Request(TMainMessage::WM_EDITOBJECT, nothing), 3);
    QCOMPARE(m_main->Request(TMainMessage::WM_PICKOBJECT, nothing), 3);
    // A kind without a frame closes its dialog at once: not saved, not picked.
    nothing.ObjType = Kind::Address;
    QCOMPARE(m_main->Request(TMainMessage::WM_EDITOBJECT, nothing), 2);
    QCOMPARE(m_main->Request(TMainMessage::WM_PICKOBJECT, nothing), 2);
}

void TestMainWindow::openAlreadyOpen_data()
{
    QTest::addColumn<TAnswer>("answer");
    QTest::addColumn<int>("cards");
    QTest::addColumn<int>("front");
    QTest::newRow("Yes shows the open card") << TAnswer::Yes << 2 << 0;
    QTest::newRow("No opens it again") << TAnswer::No << 3 << 2;
    QTest::newRow("Cancel does nothing") << TAnswer::Cancel << 2 << 1;
}

void TestMainWindow::openAlreadyOpen()
{
    QFETCH(TAnswer, answer);
    QFETCH(int, cards);
    QFETCH(int, front);
    Start();
    TFixedClock clock(QDateTime(QDate(2024, 3, 9), QTime(10, 15, 30)));
    TDBMainInfo person;
    QVERIFY(person.SetObj(SavePerson(QStringLiteral("Иванов"))));
    TDBMainInfo other;
    QVERIFY(other.SetObj(SavePerson(QStringLiteral("Сидоров"))));
    OpenCard(person);
    OpenCard(other);
    m_messages->ClearShown();
    m_messages->QueueAnswer(answer);
    TDBMainInfo again;
    again.Assign(&person);
    QCOMPARE(m_main->Request(TMainMessage::WM_OPENOBJECT, again), 0);
    QCOMPARE(m_messages->Shown(), QStringList{kAlreadyOpen});
    TWinListForm* list = m_main->WinList();
    QCOMPARE(list->RowCount(), cards);
    auto* stack = m_main->findChild<QStackedWidget*>(QStringLiteral("ObjCards"));
    QCOMPARE(stack->currentWidget(), list->CardAt(front));
    if (cards == 3) {
        QCOMPARE(list->CardAt(2)->objectName(), QStringLiteral("Obj090320241015301"));
        QVERIFY(list->CardAt(2)->objectName() != list->CardAt(0)->objectName());
    }
}

// Databases seeded alike share their ids: an object of another database never stands for an open card,
// neither when it is opened nor when it is deleted.
void TestMainWindow::sameIdInAnotherDatabaseIsAnotherObject()
{
    TTempDatabase other;
    QVERIFY(other.IsOpen());
    Start();
    TDBMainInfo person;
    QVERIFY(person.SetObj(SavePerson(QStringLiteral("Иванов"))));
    OpenCard(person);
    QVERIFY(other.Run(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1, Str2) values ('") + person.Obj.Text()
                      + QStringLiteral("', 1, 'Двойник', 'Иван')")));
    TDBMainInfo twin;
    twin.SetDatabase(other.Db());
    QVERIFY(twin.SetObj(person.Obj));
    QCOMPARE(twin.Str1, QStringLiteral("Двойник"));
    TWinListForm* list = m_main->WinList();
    QCOMPARE(list->FindCard(person.Obj), 0);
    QCOMPARE(list->FindCard(person.Obj, CurrentDatabase()), 0);
    QCOMPARE(list->FindCard(twin.Obj, other.Db()), -1);

    m_messages->ClearShown();
    OpenCard(twin);
    QVERIFY(m_messages->Shown().isEmpty());
    QCOMPARE(list->RowCount(), 2);
    QCOMPARE(list->FindCard(twin.Obj, other.Db()), 1);

    m_messages->QueueAnswer(TAnswer::Yes);
    QCOMPARE(m_main->Request(TMainMessage::WM_DELETEOBJECT, twin), 1);
    QCOMPARE(list->RowCount(), 1);
    QVERIFY(list->CardAt(0));
    QCOMPARE(list->CardAt(0)->MasterDBInfo()->Database() ? list->CardAt(0)->MasterDBInfo()->Database() : CurrentDatabase(),
             CurrentDatabase());
    QCOMPARE(list->FindCard(person.Obj), 0);
    QCOMPARE(other.Scalar(QStringLiteral("select count(*) from AllInfo where ObjType = 1")).toInt(), 0);
}

void TestMainWindow::deleteGroup_data()
{
    QTest::addColumn<int>("groupKind");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("a group that is not a project") << 6 << 2 << QStringList();
    QTest::newRow("a project") << 9 << 1 << QStringList{QStringLiteral("Вы действительно хотите удалить все данные о проекте?")};
}

void TestMainWindow::deleteGroup()
{
    QFETCH(int, groupKind);
    QFETCH(int, answer);
    QFETCH(QStringList, shown);
    Start();
    TDBMainInfo group;
    group.ObjType = Kind::Group;
    group.Int1 = groupKind;
    group.Str1 = QStringLiteral("Группа");
    QCOMPARE(group.Save(), 0);
    m_messages->QueueAnswer(TAnswer::Yes);
    QCOMPARE(m_main->Request(TMainMessage::WM_DELETEOBJECT, group), answer);
    QCOMPARE(m_messages->Shown(), shown);
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where ObjId = '") + group.Obj.Text()
                               + QStringLiteral("'"))
                 .toInt(),
             answer == 1 ? 0 : 1);
}

void TestMainWindow::deletePersonRunsTheCascade()
{
    Start();
    TObjectWeb web;
    QVERIFY(web.Build());
    QList<int> announced;
    Screens::RegisterObjectSaved(Kind::Person, [&announced](int kind) { announced.append(kind); });
    const QString husband = web.Id(QStringLiteral("husband"));
    TDBMainInfo person;
    QVERIFY(person.SetObj(husband));
    m_messages->QueueAnswer(TAnswer::Yes);
    QCOMPARE(m_main->Request(TMainMessage::WM_DELETEOBJECT, person), 1);
    QCOMPARE(m_messages->Shown(), QStringList{QStringLiteral("Вы действительно хотите удалить все данные о человеке?")});
    const QString quoted = QStringLiteral("'") + husband + QStringLiteral("'");
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where ObjId = ") + quoted).toInt(), 0);
    QCOMPARE(m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where Link1 = ") + quoted
                               + QStringLiteral(" or Link2 = ") + quoted + QStringLiteral(" or Link3 = ") + quoted
                               + QStringLiteral(" or Link4 = ") + quoted + QStringLiteral(" or Link5 = ") + quoted)
                 .toInt(),
             0);
    QVERIFY(announced.contains(int(Kind::Person)));
}

void TestMainWindow::deleteClosesTheCardsOfEverythingDeleted()
{
    Start();
    TObjectWeb web;
    QVERIFY(web.Build());
    auto open = [&](const char* key) {
        TDBMainInfo record;
        QVERIFY(record.SetObj(web.Id(QString::fromLatin1(key))));
        OpenCard(record)->eName->setText(QStringLiteral("изменено"));
    };
    open("single");
    open("singleFamily");
    open("husband");
    TDBMainInfo single;
    QVERIFY(single.SetObj(web.Id(QStringLiteral("single"))));
    m_messages->QueueAnswer(TAnswer::Yes);
    QCOMPARE(m_main->Request(TMainMessage::WM_DELETEOBJECT, single), 1);
    // The family that lost its only partner went too: its card closed with the person's, without a question.
    QCOMPARE(
        m_messages->Shown(), QStringList {QStringLiteral("Вы действительно хотите удалить все данные о человеке?")});
    QCOMPARE(m_main->WinList()->RowCount(), 1);
    QCOMPARE(m_main->WinList()->FindCard(web.Id(QStringLiteral("husband"))), 0);
    QCOMPARE(m_fixture
                 ->Scalar(QStringLiteral("select count(*) from AllInfo where ObjId = '")
                     + web.Id(QStringLiteral("singleFamily")) + QStringLiteral("'"))
                 .toInt(),
        0);
}

void TestMainWindow::deleteDeclined()
{
    Start();
    TDBMainInfo person;
    QVERIFY(person.SetObj(SavePerson(QStringLiteral("Иванов"))));
    const QString before = m_fixture->Dump();
    m_messages->QueueAnswer(TAnswer::No);
    QCOMPARE(m_main->Request(TMainMessage::WM_DELETEOBJECT, person), 2);
    QCOMPARE(m_fixture->Dump(), before);
}

void TestMainWindow::isDialogKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("answer");
    for (int kind : {4, 5, 20, 23, 80, 81})
        QTest::addRow("kind %d: dialog", kind) << kind << 1;
    for (int kind : {1, 8, 24})
        QTest::addRow("kind %d: no dialog", kind) << kind << 0;
}

void TestMainWindow::isDialogKind()
{
    QFETCH(int, kind);
    QFETCH(int, answer);
    TMain main;
    QCOMPARE(main.IsDialogKind(kind), answer);
}

void TestMainWindow::objectSavedReachesTheHandlers()
{
    Start();
    QList<int> heard;
    Screens::RegisterObjectSaved(Kind::MoneyOperation, [&heard](int kind) { heard.append(kind); });
    AnnounceObjectSaved(Kind::Person);
    QVERIFY(heard.isEmpty());
    AnnounceObjectSaved(Kind::MoneyOperation);
    AnnounceObjectSaved(Kind::MoneyOperation);
    QCOMPARE(heard, (QList<int>{24, 24}));
}

void TestMainWindow::help()
{
    TScriptedDesktop desktop;
    TMain main;
    main.tbHelpClick();
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().at(0).startsWith(QStringLiteral("Не найден файл справки")));
    QVERIFY(desktop.Opened().isEmpty());

    QVERIFY(QDir(m_fixture->Folder()).mkpath(QStringLiteral("Help")));
    QFile pdf(QDir(m_fixture->Folder()).filePath(QStringLiteral("Help/Help_Zorvin_Base_1_0.pdf")));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    main.tbHelpClick();
    QCOMPARE(desktop.Opened().size(), 1);
    QCOMPARE(desktop.Opened().at(0), QUrl::fromLocalFile(QFileInfo(pdf).absoluteFilePath()));
    QCOMPARE(m_messages->Shown().size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
