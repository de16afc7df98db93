// The edit and pick dialogs: building the frame once, captions and bars by kind, Enter and Esc, saving
// through the linked frame, refusals, kinds without a frame, sizing and the centred buttons.
#include "activities/EventScreens.h"
#include "activities/GroupScreens.h"
#include "contacts/ContactScreens.h"
#include "contacts/PhoneScreens.h"
#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/FindList.h"
#include "shell/frames/FindModalForm.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/shell/DialogScript.h"
#include "tests/shell/NameFrame.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolBar>


namespace {

// A list standing in for the list frame of the pick dialog, with a current row the test chooses.
class TPickList final : public TBaseDBFrame, public TFindList
{
public:
    explicit TPickList(QWidget* parent = nullptr)
        : TBaseDBFrame(parent)
        , m_row(new TDBMainInfo(this))
    {
    }
    void SetRow(const QString& id, const QString& name)
    {
        m_id = id;
        m_row->Obj = id;
        m_row->ObjType = Kind::Person;
        m_row->Str1 = name;
    }
    const QString& CurObjId() const override { return m_id; }
    TDBMainInfo* GetCurrentObjInfo() override { return m_id.isEmpty() ? nullptr : m_row; }
    void RunQuery(const QString&) override {}
    void FocusFind() override {}

private:
    QString m_id;
    TDBMainInfo* m_row;
};

TNameFrame* NameFrameOf(TMainModalForm& dialog)
{
    return static_cast<TNameFrame*>(dialog.Frame());
}

} // namespace

class TestModalForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void frameIsBuiltOnce();
    void captionsAndBars_data();
    void captionsAndBars();
    void kindWithoutFrameClosesWithCancel_data();
    void kindWithoutFrameClosesWithCancel();
    void enterSavesAndCloses();
    void refusedValidationKeepsTheDialogOpen();
    void escapeWritesNothing();
    void dialogSizedToItsFrame();
    void followingKindsResizeWithTheFrame_data();
    void followingKindsResizeWithTheFrame();
    void buttonsStayCentred();
    void pickDialogKeepsACopyAndHidesTheBar();
    void pickEnterOnEmptyListDoesNothing();
    void pickEnterTakesTheCurrentRow();

private:
    int m_built = 0;
};

void TestModalForms::init()
{
    m_built = 0;
    // People's texts without their screens: the test's own frames stand in for them.
    ShellKinds::Register(PersonShellKind().TextsOnly());
    ShellKinds::Register(PhoneShellKind().TextsOnly());
    for (const TShellKind& kind : GroupShellKinds() + EventShellKinds())
        ShellKinds::Register(kind.TextsOnly());
    const auto nameFrame = [this](QWidget* parent) -> TBaseDBFrame* {
        ++m_built;
        return new TNameFrame(parent);
    };
    for (int kind : {int(Kind::Phone), int(Kind::Event), int(Kind::Group), 30, 125})
        Screens::RegisterEditFrame(kind, nameFrame);
    Screens::RegisterPickFrame(Kind::Person, [](QWidget* parent) { return new TPickList(parent); });
}

void TestModalForms::cleanup()
{
    Screens::Clear();
}

void TestModalForms::frameIsBuiltOnce()
{
    TDBMainInfo first;
    first.ObjType = Kind::Phone;
    first.Str1 = QStringLiteral("первый");
    TDBMainInfo second;
    second.ObjType = Kind::Phone;
    second.Str1 = QStringLiteral("второй");

    TMainModalForm dialog;
    QVERIFY(dialog.Frame() == nullptr);
    dialog.DBMain()->Assign(&first);
    TBaseDBFrame* frame = dialog.Frame();
    QVERIFY(frame != nullptr);
    dialog.DBMain()->Assign(&second);
    QCOMPARE(dialog.Frame(), frame);
    QCOMPARE(m_built, 1);
    // The frame is linked to the dialog's record and shows its latest content.
    QCOMPARE(frame->LinkMode(), 1);
    QCOMPARE(frame->MasterDBInfo(), dialog.DBMain());
    QCOMPARE(NameFrameOf(dialog)->eName->text(), QStringLiteral("второй"));
}

void TestModalForms::captionsAndBars_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("int1");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("barVisible");
    QTest::addColumn<QString>("okText");
    QTest::newRow("phone") << int(Kind::Phone) << 0 << QStringLiteral("Данные о телефоне") << true
                           << QStringLiteral("Записать");
    QTest::newRow("project group") << int(Kind::Group) << 9 << QStringLiteral("Определение проекта") << true
                                   << QStringLiteral("Записать");
    QTest::newRow("expense subgroup") << int(Kind::Group) << 28 << QStringLiteral("Определение подгруппы расходов")
                                      << true << QStringLiteral("Записать");
    QTest::newRow("other group") << int(Kind::Group) << 6 << QStringLiteral("Определение группы") << true
                                 << QStringLiteral("Записать");
    QTest::newRow("finance analysis: no bar") << 30 << 0 << QStringLiteral("Анализ финансов") << false
                                              << QStringLiteral("Записать");
    QTest::newRow("group settings: OK reads Обновить") << 125 << 0 << QStringLiteral("Настройка групп") << true
                                                       << QStringLiteral("Обновить");
}

void TestModalForms::captionsAndBars()
{
    QFETCH(int, kind);
    QFETCH(int, int1);
    QFETCH(QString, caption);
    QFETCH(bool, barVisible);
    QFETCH(QString, okText);
    TDBMainInfo record;
    record.ObjType = kind;
    record.Int1 = int1;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&record);
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.ButtonBarVisible(), barVisible);
    QCOMPARE(dialog.AOk()->text(), okText);
    QCOMPARE(dialog.AClose()->text(), QStringLiteral("Закрыть"));
}

void TestModalForms::kindWithoutFrameClosesWithCancel_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("unknown kind") << 77;
    QTest::newRow("kind whose frame is not built yet") << int(Kind::Person);
}

void TestModalForms::kindWithoutFrameClosesWithCancel()
{
    QFETCH(int, kind);
    TDBMainInfo record;
    record.ObjType = kind;
    TMainModalForm dialog;
    bool shown = false;
    WhenShown(dialog, [&]() {
        shown = true;
        dialog.reject();
    });
    dialog.DBMain()->Assign(&record);
    QVERIFY(dialog.ClosedBeforeShown());
    QCOMPARE(dialog.ShowModal(), int(QDialog::Rejected));
    QVERIFY(!shown);
    QVERIFY(dialog.Frame() == nullptr);
}

void TestModalForms::enterSavesAndCloses()
{
    TTempDatabase fixture;
    TScriptedMessages messages;
    TDBMainInfo phone;
    phone.ObjType = Kind::Phone;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&phone);
    WhenShown(dialog, [&]() {
        NameFrameOf(dialog)->eName->setFocus();
        QTest::keyClicks(NameFrameOf(dialog)->eName, QStringLiteral("+7 812 555-01-02"));
        Press(Qt::Key_Return);
    });
    QCOMPARE(dialog.ShowModal(), int(QDialog::Accepted));
    QVERIFY(messages.Shown().isEmpty());
    QVERIFY(!IsNewId(dialog.DBMain()->Obj));
    QCOMPARE(fixture.Scalar(QStringLiteral("select Str1 from AllInfo where ObjId = '") + dialog.DBMain()->Obj.Text()
                            + QStringLiteral("'"))
                 .toString(),
             QStringLiteral("+7 812 555-01-02"));
}

void TestModalForms::refusedValidationKeepsTheDialogOpen()
{
    TTempDatabase fixture;
    TScriptedMessages messages;
    const QString before = fixture.Dump();
    TDBMainInfo phone;
    phone.ObjType = Kind::Phone;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&phone);
    bool stillOpen = false;
    WhenShown(dialog, [&]() {
        Press(Qt::Key_Return);
        stillOpen = dialog.isVisible();
        Press(Qt::Key_Escape);
    });
    QCOMPARE(dialog.ShowModal(), int(QDialog::Rejected));
    QVERIFY(stillOpen);
    QCOMPARE(messages.Shown(), QStringList{QStringLiteral("Укажите название")});
    QCOMPARE(fixture.Dump(), before);
}

// Esc or "Закрыть" never throws typed input away unasked: Cancel stays, No closes writing nothing, Yes
// saves; an untouched dialog closes at once.
void TestModalForms::escapeWritesNothing()
{
    TTempDatabase fixture;
    TScriptedMessages messages;
    const QString before = fixture.Dump();
    const QString question = TModalForm::ChangedQuestion;
    TDBMainInfo phone;
    phone.ObjType = Kind::Phone;
    {
        TMainModalForm untouched;
        untouched.DBMain()->Assign(&phone);
        WhenShown(untouched, []() { Press(Qt::Key_Escape); });
        QCOMPARE(untouched.ShowModal(), int(QDialog::Rejected));
        QVERIFY(messages.Shown().isEmpty());
    }
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&phone);
    bool stayedOnCancel = false;
    messages.QueueAnswer(TAnswer::Cancel);
    messages.QueueAnswer(TAnswer::No);
    WhenShown(dialog, [&]() {
        NameFrameOf(dialog)->eName->setFocus();
        TypeText(NameFrameOf(dialog)->eName, QStringLiteral("не записывать"));
        Press(Qt::Key_Escape);
        stayedOnCancel = dialog.isVisible() && messages.Shown() == QStringList{question};
        Press(Qt::Key_Escape);
    });
    QCOMPARE(dialog.ShowModal(), int(QDialog::Rejected));
    QVERIFY(stayedOnCancel);
    QCOMPARE(messages.Shown(), (QStringList{question, question}));
    QCOMPARE(fixture.Dump(), before);

    messages.ClearShown();
    TMainModalForm saving;
    saving.DBMain()->Assign(&phone);
    messages.QueueAnswer(TAnswer::Yes);
    WhenShown(saving, [&]() {
        NameFrameOf(saving)->eName->setFocus();
        TypeText(NameFrameOf(saving)->eName, QStringLiteral("записать"));
        saving.AClose()->trigger();
    });
    QCOMPARE(saving.ShowModal(), int(QDialog::Accepted));
    QCOMPARE(messages.Shown(), QStringList{question});
    QCOMPARE(fixture.Scalar(QStringLiteral("select Str1 from AllInfo where ObjType = 4")).toString(),
             QStringLiteral("записать"));
}

void TestModalForms::dialogSizedToItsFrame()
{
    TDBMainInfo record;
    record.ObjType = 30;
    TMainModalForm withoutBar;
    withoutBar.DBMain()->Assign(&record);
    QCOMPARE(withoutBar.size(), QSize(320, 120));

    record.ObjType = Kind::Phone;
    TMainModalForm withBar;
    withBar.DBMain()->Assign(&record);
    QCOMPARE(withBar.width(), 320);
    QVERIFY(withBar.height() > 120);
}

void TestModalForms::followingKindsResizeWithTheFrame_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("follows");
    QTest::newRow("event follows its frame") << int(Kind::Event) << true;
    QTest::newRow("phone keeps its size") << int(Kind::Phone) << false;
}

void TestModalForms::followingKindsResizeWithTheFrame()
{
    QFETCH(int, kind);
    QFETCH(bool, follows);
    TDBMainInfo record;
    record.ObjType = kind;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&record);
    const QSize before = dialog.size();
    const int bar = before.height() - 120;
    NameFrameOf(dialog)->Hint = QSize(500, 300);
    Q_EMIT dialog.Frame()->AfterResize();
    QCOMPARE(dialog.size(), follows ? QSize(500, 300 + bar) : before);
}

void TestModalForms::buttonsStayCentred()
{
    TDBMainInfo record;
    record.ObjType = Kind::Phone;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&record);
    dialog.show();
    for (int width : {420, 700, 1000}) {
        dialog.resize(width, 300);
        QApplication::processEvents();
        auto* menu = dialog.findChild<QToolBar*>(QStringLiteral("Menu"));
        QVERIFY(menu);
        const int left = menu->geometry().left();
        const int right = dialog.width() - menu->geometry().right() - 1;
        QVERIFY2(qAbs(left - right) <= 2, qPrintable(QStringLiteral("%1 / %2").arg(left).arg(right)));
    }
}

void TestModalForms::pickDialogKeepsACopyAndHidesTheBar()
{
    TDBMainInfo filter;
    filter.ObjType = Kind::Person;
    filter.Str1 = QStringLiteral("Ив");
    TFindModalForm dialog;
    dialog.DBMain()->Assign(&filter);
    QVERIFY(dialog.Frame());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Поиск знакомых"));
    QVERIFY(!dialog.ButtonBarVisible());
    QCOMPARE(dialog.Frame()->LinkMode(), 0);
    QVERIFY(dialog.Frame()->MasterDBInfo() != dialog.DBMain());
    QCOMPARE(dialog.Frame()->MasterDBInfo()->Str1, QStringLiteral("Ив"));
}

void TestModalForms::pickEnterOnEmptyListDoesNothing()
{
    TDBMainInfo filter;
    filter.ObjType = Kind::Person;
    TFindModalForm dialog;
    dialog.DBMain()->Assign(&filter);
    bool stillOpen = false;
    WhenShown(dialog, [&]() {
        Press(Qt::Key_Return);
        stillOpen = dialog.isVisible();
        Press(Qt::Key_Escape);
    });
    QCOMPARE(dialog.ShowModal(), int(QDialog::Rejected));
    QVERIFY(stillOpen);
    QVERIFY(dialog.DBMain()->Obj.IsBlank());
}

void TestModalForms::pickEnterTakesTheCurrentRow()
{
    TDBMainInfo filter;
    filter.ObjType = Kind::Person;
    TFindModalForm dialog;
    dialog.DBMain()->Assign(&filter);
    static_cast<TPickList*>(dialog.Frame())->SetRow(QStringLiteral("0000001A00000042"), QStringLiteral("Иванов"));
    WhenShown(dialog, []() { Press(Qt::Key_Return); });
    QCOMPARE(dialog.ShowModal(), int(QDialog::Accepted));
    QCOMPARE(dialog.DBMain()->Obj.Text(), QStringLiteral("0000001A00000042"));
    QCOMPARE(dialog.DBMain()->Str1, QStringLiteral("Иванов"));
}

QTEST_MAIN(TestModalForms)
#include "tst_modalforms.moc"
