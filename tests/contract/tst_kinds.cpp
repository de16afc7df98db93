// The contract of every registered kind: the save and load round trip keeps every column, the derived
// columns are right after a save made without any editor, a cascading deletion leaves no row naming the
// deleted object, and the kind's card and side lists open and close in the real main window. A kind gets
// these tests by registering.
#include "activities/EventScreens.h"
#include "activities/GroupScreens.h"
#include "contacts/ContactScreens.h"
#include "photos/PhotoScreens.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "shell/mainwindow/Main.h"
#include "shell/mainwindow/ShellScreens.h"
#include "shell/mainwindow/WinListForm.h"
#include "store/CascadeDelete.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/KindRegistry.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PersonView.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>

namespace {

// Every column a writer sets, with values no derivation produces, on a row of \a kind.
void Fill(TObjectRow& row, int kind, const QString& linked)
{
    row.ObjType = kind;
    row.Link1 = linked;
    for (int i = 2; i <= 5; ++i)
        row.Link(i) = QStringLiteral("00000001000000%1").arg(i, 2, 10, QLatin1Char('0'));
    for (int i = 1; i <= 5; ++i) {
        row.Int(i) = 100 * i + 7;
        row.Str(i) = QStringLiteral("Поле %1 «ёж»").arg(i);
    }
    row.Flag = true;
    row.Date1 = DateSerial::FromDate(QDate(1975, 3, 14));
    row.D1Flag = true;
    row.D1Fixed = true;
    row.Date2 = DateSerial::FromDate(QDate(2001, 12, 31));
    row.D2Flag = true;
    row.D2Fixed = false;
    row.Comments = QStringLiteral("Комментарий\nв две строки");
    row.Foto = QByteArray("\xFF\xD8\x00\x01 bytes", 10);
    row.ExternalFlag = true;
    row.PublishedFlag = false;
    row.Archived = true;
}

// Names the first column of two rows that differ; empty when every stored column is the same.
QString FirstDifference(const TObjectRow& a, const TObjectRow& b)
{
    for (int i = 1; i <= 5; ++i) {
        if (!SameId(a.Link(i), b.Link(i)))
            return QStringLiteral("Link%1: %2 / %3").arg(i).arg(a.Link(i).Text(), b.Link(i).Text());
        if (a.Int(i) != b.Int(i))
            return QStringLiteral("Int%1").arg(i);
        if (a.Str(i) != b.Str(i))
            return QStringLiteral("Str%1: %2 / %3").arg(i).arg(a.Str(i), b.Str(i));
    }
    if (a.ObjType != b.ObjType || a.Flag != b.Flag || a.Date1 != b.Date1 || a.D1Flag != b.D1Flag
        || a.D1Fixed != b.D1Fixed || a.Date2 != b.Date2 || a.D2Flag != b.D2Flag || a.D2Fixed != b.D2Fixed)
        return QStringLiteral("kind, flag or dates");
    if (a.Comments != b.Comments)
        return QStringLiteral("Comments");
    if (a.Foto != b.Foto)
        return QStringLiteral("Foto");
    if (a.ExternalFlag != b.ExternalFlag || a.PublishedFlag != b.PublishedFlag || a.Archived != b.Archived)
        return QStringLiteral("carried flags");
    return QString();
}

QList<int> StoredKinds()
{
    QList<int> kinds;
    for (const TStoreKind* kind : StoreKinds::All()) {
        if (!kind->Fixed && !Kind::IsDialogKind(kind->Code))
            kinds.append(kind->Code);
    }
    return kinds;
}

} // namespace

class TestKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void roundTripKeepsEveryColumn_data();
    void roundTripKeepsEveryColumn();
    void personDerivedWithoutEditor();
    void cascadeLeavesNoReference_data();
    void cascadeLeavesNoReference();
    void cardsAndListsOpenInTheMainWindow();
    void secondRegistrationIsRefused();

private:
    QString SaveRow(int kind, const QString& linked);
    QString References(const QString& id) const;

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestKinds::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestKinds::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterShellScreens();
    RegisterContactScreens();
    RegisterPhotoScreens();
    RegisterGroupScreens();
    RegisterEventScreens();
}

void TestKinds::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestKinds::SaveRow(int kind, const QString& linked)
{
    TDBMainInfo record;
    Fill(record, kind, linked);
    return record.Save() == SaveResult::Done ? record.Obj.Text() : QString();
}

QString TestKinds::References(const QString& id) const
{
    const QString quoted = QStringLiteral("'") + id + QStringLiteral("'");
    QStringList where;
    where << QStringLiteral("ObjId = ") + quoted;
    for (int i = 1; i <= 5; ++i)
        where << QStringLiteral("Link%1 = ").arg(i) + quoted;
    return QStringLiteral("select count(*) from AllInfo where ") + where.join(QStringLiteral(" or "));
}

void TestKinds::roundTripKeepsEveryColumn_data()
{
    QTest::addColumn<int>("kind");
    for (int kind : StoredKinds())
        QTest::addRow("kind %d", kind) << kind;
}

void TestKinds::roundTripKeepsEveryColumn()
{
    QFETCH(int, kind);
    TDBMainInfo written;
    Fill(written, kind, QStringLiteral("0000000100000001"));
    QCOMPARE(written.Save(), int(SaveResult::Done));
    QVERIFY(!IsEmptyId(written.Obj));

    TDBMainInfo read;
    QVERIFY(read.SetObj(written.Obj));
    // What the kind derives on save is what it derives from the same input written by hand.
    TObjectRow expected;
    Fill(expected, kind, QStringLiteral("0000000100000001"));
    if (const TStoreKind* descriptor = StoreKinds::Find(kind); descriptor && descriptor->Derive)
        descriptor->Derive(expected);
    QCOMPARE(FirstDifference(read, expected), QString());
    // Reminders search the day and month in the year 2000, only where the date is to be remembered.
    QCOMPARE(DateSerial::ToDate(read.D1Search), QDate(2000, 3, 14));
    QCOMPARE(read.D2Search, 0.0);
    QVERIFY(read.DCreate > 0);
    QVERIFY(read.DModify >= read.DCreate);
}

void TestKinds::personDerivedWithoutEditor()
{
    // A row written straight through the record, as the seed or an import writes it.
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    const TPersonView view(person);
    view.SetSurname(QStringLiteral("Петрова"));
    view.SetFirstName(QStringLiteral("Анна"));
    view.SetPatronymic(QStringLiteral("Сергеевна"));
    person.Str5 = QStringLiteral("устаревшее имя");
    QCOMPARE(person.Save(), int(SaveResult::Done));
    TDBMainInfo read;
    QVERIFY(read.SetObj(person.Obj));
    QCOMPARE(read.Str5, QStringLiteral("Петрова А. С."));
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(read.Link(i).Text(), Ids::None);

    // A second save after a change of name derives it again.
    view.SetSurname(QString());
    QCOMPARE(person.Save(), int(SaveResult::Done));
    QVERIFY(read.SetObj(person.Obj));
    QCOMPARE(read.Str5, QStringLiteral("Анна Сергеевна"));
}

void TestKinds::cascadeLeavesNoReference_data()
{
    roundTripKeepsEveryColumn_data();
}

void TestKinds::cascadeLeavesNoReference()
{
    QFETCH(int, kind);
    const QString victim = SaveRow(kind, QStringLiteral("0000000100000001"));
    QVERIFY(!victim.isEmpty());
    // Rows of every kind name it: links to it, and objects that keep it in their first link column.
    for (int other : StoredKinds())
        QVERIFY(!SaveRow(other, victim).isEmpty());
    QVERIFY(m_fixture->Scalar(References(victim)).toInt() > 1);

    TDBMainInfo record;
    QVERIFY(record.SetObj(victim));
    QCOMPARE(CascadeDelete::Delete(record), int(CascadeDelete::Result::Deleted));
    QCOMPARE(m_fixture->Scalar(References(victim)).toInt(), 0);
    QVERIFY(m_messages->Shown().isEmpty());
}

void TestKinds::cardsAndListsOpenInTheMainWindow()
{
    QFile ini(QDir(m_fixture->Folder()).filePath(QStringLiteral("Zorvin.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(m_fixture->SettingsLine().toUtf8() + "\r\n");
    ini.close();
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.show();

    int cards = 0;
    for (const TShellKind* kind : ShellKinds::All()) {
        if (!Screens::HasCard(kind->Code))
            continue;
        ++cards;
        // An object as its editor would write it: a name, the rest left to the kind's defaults.
        TDBMainInfo object;
        object.ObjType = kind->Code;
        object.Str1 = QStringLiteral("Объект");
        object.Str2 = QStringLiteral("Проверки");
        if (kind->Code == Kind::Event) {
            // An event's editor writes a type, an importance and a complete start besides the name.
            object.Int1 = 1;
            object.Int2 = 2;
            object.Date1 = 46110.5;
            object.D1Flag = true;
        }
        QCOMPARE(object.Save(), int(SaveResult::Done));
        QCOMPARE(main.Request(TMainMessage::WM_OPENOBJECT, object), 0);
        TWinListForm* windows = main.WinList();
        const int row = windows->FindCard(object.Obj);
        QVERIFY2(row >= 0, qPrintable(QStringLiteral("no card of kind %1").arg(kind->Code)));
        QVERIFY(!windows->CellText(row, 3).trimmed().isEmpty() || !kind->WinListRow);
        // Nothing was changed: the card closes without a question, and nothing of it is left.
        QVERIFY2(windows->CloseCard(row) == 1, qPrintable(m_messages->Shown().join(QLatin1Char('|'))));
        QCOMPARE(windows->FindCard(object.Obj), -1);
        QVERIFY2(m_messages->Shown().isEmpty(), qPrintable(m_messages->Shown().join(QLatin1Char('|'))));
    }
    QVERIFY(cards > 0);

    int lists = 0;
    auto* panel = main.findChild<QStackedWidget*>(QStringLiteral("SideLists"));
    QVERIFY(panel);
    for (const TShellKind* kind : ShellKinds::All()) {
        for (const TSideList& list : kind->SideLists) {
            if (!Screens::HasSideList(list.Picture))
                continue;
            ++lists;
            main.ShowSideList(list.Picture);
            auto* shown = qobject_cast<TBaseDBFrame*>(panel->currentWidget());
            QVERIFY(shown);
            QCOMPARE(shown->objectName(), list.ChildName);
            QCOMPARE(shown->MasterDBInfo()->ObjType, list.MasterKind);
        }
    }
    QVERIFY(lists > 0);
    QVERIFY(m_messages->Shown().isEmpty());
}

void TestKinds::secondRegistrationIsRefused()
{
#ifndef QT_NO_DEBUG
    QSKIP("a second registration asserts in debug builds");
#else
    // People are registered already: their descriptor, and every slot of it, take no second one.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("kind 1 is registered already")));
    QVERIFY(!ShellKinds::Register(PersonShellKind()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("card of kind 1 is registered")));
    QVERIFY(!Screens::RegisterCard(Kind::Person, [](QWidget*) { return nullptr; }));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("side list of picture 1 is registered")));
    QVERIFY(!Screens::RegisterSideList(1, [](QWidget*) { return nullptr; }));
    QVERIFY(Screens::RegisterSection(Kind::Person, 3, [](QWidget*) { return nullptr; }));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("section of card kind 1/3 is registered")));
    QVERIFY(!Screens::RegisterSection(Kind::Person, 3, [](QWidget*) { return nullptr; }));
    // A side-list picture another kind holds is refused with its whole descriptor.
    TShellKind stray;
    stray.Code = 4242;
    stray.SideLists = {TSideList {58, QStringLiteral("Stray"), 4242, nullptr}};
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("side list of picture 58")));
    QVERIFY(!ShellKinds::Register(stray));
    QCOMPARE(ShellKinds::Find(4242), nullptr);
    // The first registrations still stand.
    QCOMPARE(ShellKinds::FindSideList(58)->ChildName, QStringLiteral("MyEvents"));
    std::unique_ptr<TBaseDBFrame> card(Screens::CreateCard(Kind::Person, nullptr));
    QVERIFY(card != nullptr);
#endif
}

QTEST_MAIN(TestKinds)
#include "tst_kinds.moc"
