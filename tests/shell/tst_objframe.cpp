// The object card: its layout, the first load that builds it, the sections of each group, saving with
// Ctrl+S and how sections get the card's object before and after its first save.
#include "shell/frames/BaseObjFrame.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/StringGrid.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/shell/NameFrame.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A section that remembers the record it was given when it loaded.
class TSectionFrame final : public TBaseDBFrame
{
public:
    explicit TSectionFrame(int code, QWidget* parent)
        : TBaseDBFrame(parent)
        , Code(code)
    {
    }
    void LoadData() override
    {
        ++Loads;
        LoadedId = MasterDBInfo()->Obj.Text();
        LoadedName = MasterDBInfo()->Str1;
    }
    int Code;
    int Loads = 0;
    QString LoadedId;
    QString LoadedName;
};

// Group 0 offers sections 1, 2 and 3 (3 shows nothing), group 1 none, group 2 section 10.
class TTestCard final : public TBaseObjFrame
{
public:
    explicit TTestCard(bool withExtra = false)
        : m_withExtra(withExtra)
    {
    }
    void CreateEditFrame() override
    {
        auto* editor = new TNameFrame(this);
        SetEditFrame(editor, editor->eName);
        if (m_withExtra)
            SetExtraList(new TSectionFrame(0, this));
    }
    void FillSections() override
    {
        if (GroupIndex() == DopInfoGroup) {
            AddSection(1, 39, u"Первый"_s);
            AddSection(2, 4, u"Второй"_s);
            AddSection(3, 5, u"Без рамки"_s);
        } else if (GroupIndex() == BuchGroup) {
            AddSection(10, 27, u"Деньги"_s);
        }
    }
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override
    {
        return code == 3 ? nullptr : new TSectionFrame(code, parent);
    }
    TNameFrame* Editor() const { return static_cast<TNameFrame*>(EditFrame()); }
    TSectionFrame* Section() const { return static_cast<TSectionFrame*>(SectionFrame()); }

private:
    bool m_withExtra;
};

} // namespace

class TestObjFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void LayoutFollowsTheCardWidth();
    void FirstLoadBuildsTheCardOnce();
    void SectionsOfAStoredObjectLoadItById();
    void NewObjectSectionsGetTheCardRecordUntilSaved();
    void GroupsAndRowsShowTheirSection();
    void RefusedSaveKeepsTheCardUnchanged();
    void SectionsReadTheDatabaseOfTheCardObject();

private:
    QString StoreOrganization(const QString& name);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedBroker> m_broker;
};

void TestObjFrame::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    m_broker = std::make_unique<TScriptedBroker>();
}

void TestObjFrame::cleanup()
{
    m_broker.reset();
    m_messages.reset();
    m_fixture.reset();
}

QString TestObjFrame::StoreOrganization(const QString& name)
{
    TDBMainInfo record;
    record.ObjType = Kind::Organization;
    record.Str1 = name;
    if (record.Save() != SaveResult::Done)
        return QString();
    return record.Obj.Text();
}

void TestObjFrame::LayoutFollowsTheCardWidth()
{
    TTestCard card;
    QCOMPARE(card.HeaderText(), u"Дополнительные  данные"_s);
    QCOMPARE(m_broker->WinListAdds(), QList<TBaseDBFrame*>{&card});
    QCOMPARE(card.aSave()->text(), u"Записать"_s);
    QCOMPARE(card.aSave()->shortcut(), QKeySequence(u"Ctrl+S"_s));
    QCOMPARE(card.aPrint()->text(), u"Печать"_s);
    QCOMPARE(card.aPrint()->shortcut(), QKeySequence(u"Ctrl+P"_s));
    QVERIFY(!card.aPrint()->isVisible());
    QCOMPARE(card.tbSave()->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QCOMPARE(card.tbDopInfo()->toolTip(), u"Дополнительные данные"_s);
    QCOMPARE(card.tbFamily()->toolTip(), u"Семья и родственники, соседи"_s);
    QCOMPARE(card.tbBuch()->toolTip(), u"Финансовые операции"_s);
    QVERIFY(card.tbDopInfo()->isChecked());

    card.resize(805, 600);
    card.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card));
    QVERIFY(card.tbDopInfo()->isVisible());
    QVERIFY(!card.tbFamily()->isVisible());
    QVERIFY(card.tbBuch()->isVisible());
    // (805 - 4) / 2 rounds towards zero.
    QCOMPARE(card.ObjPanel()->geometry(), QRect(4, 0, 400, 600));
    QCOMPARE(card.SectionPanel()->geometry(), QRect(404, 0, 401, 600));
    QCOMPARE(card.GradientPanel1()->geometry(), QRect(0, 0, 4, 600));
    QCOMPARE(card.Header()->sectionSize(0), 380);
    QCOMPARE(card.Grid()->columnWidth(0), 34);
    QCOMPARE(card.Grid()->columnWidth(1), 346);
    card.resize(600, 400);
    QCOMPARE(card.ObjPanel()->width(), 298);
    QCOMPARE(card.Header()->sectionSize(0), 278);
    QCOMPARE(card.Grid()->columnWidth(1), 244);
}

void TestObjFrame::FirstLoadBuildsTheCardOnce()
{
    const QString id = StoreOrganization(u"Альфа"_s);
    QVERIFY(!id.isEmpty());
    TDBMainInfo record;
    QVERIFY(record.SetObj(id));
    TTestCard card(true);
    card.SetMasterDBInfo(&record);

    TNameFrame* editor = card.Editor();
    QVERIFY(editor);
    QCOMPARE(editor->LinkMode(), 1);
    QCOMPARE(editor->MasterDBInfo(), card.MasterDBInfo());
    QVERIFY(card.OP()->isAncestorOf(editor));
    QCOMPARE(editor->eName->text(), u"Альфа"_s);
    QCOMPARE(card.FocusControl(), editor->eName);
    auto* extra = static_cast<TSectionFrame*>(card.ExtraList());
    QVERIFY(extra);
    QCOMPARE(extra->height(), 128);
    QVERIFY(card.ObjPanel()->isAncestorOf(extra));
    QCOMPARE(extra->LoadedId, id);

    QCOMPARE(card.GroupIndex(), 0);
    QCOMPARE(card.HeaderText(), u"Дополнительные данные"_s);
    QCOMPARE(card.SectionCodes(), (QList<int>{1, 2, 3}));
    QCOMPARE(card.SectionCaption(2), u"Второй"_s);
    QCOMPARE(card.Grid()->Cell(0, 1), u"4"_s);
    QCOMPARE(card.Grid()->rowHeight(0), 34);
    QCOMPARE(card.CurrentSection(), 1);
    QVERIFY(card.Section());
    QCOMPARE(card.Section()->Code, 1);
    QVERIFY(card.SectionPanel()->isAncestorOf(card.Section()));
    QVERIFY(m_broker->WinListUpdates().contains(&card));

    // Reloading the object shows it anew in the same frames.
    const QPointer<TSectionFrame> section = card.Section();
    const int updates = static_cast<int>(m_broker->WinListUpdates().size());
    QVERIFY(card.MasterDBInfo()->SetObj(id));
    QCOMPARE(card.Editor(), editor);
    QCOMPARE(card.Section(), section.data());
    QCOMPARE(editor->Loads, 2);
    QCOMPARE(m_broker->WinListUpdates().size(), updates + 1);
}

void TestObjFrame::SectionsOfAStoredObjectLoadItById()
{
    const QString id = StoreOrganization(u"Альфа"_s);
    TDBMainInfo record;
    QVERIFY(record.SetObj(id));
    record.Str1 = u"Правка в памяти"_s;
    TTestCard card;
    card.SetMasterDBInfo(&record);
    // The editor shows the record as handed over; the section reads the stored object itself.
    QCOMPARE(card.Editor()->eName->text(), u"Правка в памяти"_s);
    QCOMPARE(card.Section()->LoadedId, id);
    QCOMPARE(card.Section()->LoadedName, u"Альфа"_s);
    QVERIFY(card.Section()->MasterDBInfo() != card.MasterDBInfo());
}

void TestObjFrame::NewObjectSectionsGetTheCardRecordUntilSaved()
{
    TDBMainInfo record;
    record.ObjType = Kind::Organization;
    record.Str1 = u"Новая"_s;
    TTestCard card;
    card.SetMasterDBInfo(&record);
    card.tbBuchClick(TBaseObjFrame::BuchGroup);
    QCOMPARE(card.Section()->Code, 10);
    QVERIFY(IsNewId(card.Section()->LoadedId));
    QCOMPARE(card.Section()->LoadedName, u"Новая"_s);
    const QPointer<TSectionFrame> before = card.Section();

    card.show();
    card.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&card));
    card.Editor()->eName->setText(u"Бета"_s);
    card.Editor()->eName->setFocus();
    QTest::keyClick(card.Editor()->eName, Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(m_messages->Shown(), QStringList());
    const QString id = card.MasterDBInfo()->Obj.Text();
    QVERIFY(!IsEmptyId(id));
    QCOMPARE(m_fixture->Scalar(u"select Str1 from AllInfo where ObjId = '%1'"_s.arg(id)).toString(), u"Бета"_s);
    QVERIFY(before.isNull());
    QCOMPARE(card.GroupIndex(), 2);
    QCOMPARE(card.Section()->Code, 10);
    QCOMPARE(card.Section()->LoadedId, id);
    QCOMPARE(card.Section()->LoadedName, u"Бета"_s);
    QCOMPARE(card.Editor()->Saves, 1);
    QVERIFY(m_broker->WinListUpdates().count(&card) >= 2);
}

void TestObjFrame::GroupsAndRowsShowTheirSection()
{
    const QString id = StoreOrganization(u"Альфа"_s);
    TDBMainInfo record;
    QVERIFY(record.SetObj(id));
    TTestCard card;
    card.SetMasterDBInfo(&record);
    card.show();
    card.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&card));

    // Keys move along the sections, each row showing its own frame; a code without a frame shows nothing.
    card.Grid()->setFocus();
    QTest::keyClick(card.Grid(), Qt::Key_Down);
    QCOMPARE(card.CurrentSection(), 2);
    QCOMPARE(card.Section()->Code, 2);
    QPointer<TSectionFrame> second = card.Section();
    QTest::keyClick(card.Grid(), Qt::Key_Down);
    QCOMPARE(card.CurrentSection(), 3);
    QVERIFY(!card.SectionFrame());
    QVERIFY(second.isNull());

    // Shift+Tab leaves the list for the group buttons, Space presses one.
    QTest::keyClick(card.Grid(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), card.tbBuch());
    QTest::keyClick(card.tbBuch(), Qt::Key_Space);
    QCOMPARE(card.GroupIndex(), 2);
    QCOMPARE(card.HeaderText(), u"Финансовые операции"_s);
    QCOMPARE(card.SectionCodes(), QList<int>{10});
    QCOMPARE(card.Section()->Code, 10);
    QCOMPARE(card.Grid()->rowCount(), 1);

    // A group without sections shows an empty list and nothing on the right.
    card.tbBuchClick(TBaseObjFrame::FamilyGroup);
    QCOMPARE(card.HeaderText(), u"Семья и родственники, соседи"_s);
    QCOMPARE(card.SectionCodes(), QList<int>());
    QCOMPARE(card.Grid()->rowCount(), 1);
    QCOMPARE(card.CurrentSection(), 0);
    QVERIFY(!card.SectionFrame());

    // Coming back shows the group's first section, not the one last chosen in it.
    card.tbDopInfo()->click();
    QCOMPARE(card.SectionCodes(), (QList<int>{1, 2, 3}));
    QCOMPARE(card.CurrentSection(), 1);
    QCOMPARE(card.Section()->Code, 1);
    QVERIFY(card.tbDopInfo()->isChecked());
    QVERIFY(!card.tbBuch()->isChecked());
}

void TestObjFrame::RefusedSaveKeepsTheCardUnchanged()
{
    const QString id = StoreOrganization(u"Альфа"_s);
    TDBMainInfo record;
    QVERIFY(record.SetObj(id));
    TTestCard card;
    card.SetMasterDBInfo(&record);
    card.tbBuchClick(TBaseObjFrame::BuchGroup);
    const QPointer<TSectionFrame> section = card.Section();
    const QString dump = m_fixture->Dump();
    const int updates = static_cast<int>(m_broker->WinListUpdates().size());

    card.Editor()->eName->clear();
    card.aSave()->trigger();

    QCOMPARE(m_messages->Shown(), QStringList{u"Укажите название"_s});
    QCOMPARE(m_fixture->Dump(), dump);
    QCOMPARE(card.MasterDBInfo()->Str1, u"Альфа"_s);
    QCOMPARE(card.Section(), section.data());
    QCOMPARE(card.GroupIndex(), 2);
    QCOMPARE(card.Editor()->Saves, 0);
    QCOMPARE(m_broker->WinListUpdates().size(), updates);
}

void TestObjFrame::SectionsReadTheDatabaseOfTheCardObject()
{
    // An object of an attached database: its card's sections must read that database, not the current one.
    TMyDataBase* current = CurrentDatabase();
    const QString id = StoreOrganization(u"Дома"_s);
    {
        TTempDatabase other;
        QVERIFY(other.IsOpen());
        SetCurrentDatabase(current);
        TDBMainInfo record;
        record.SetDatabase(other.Db());
        record.ObjType = Kind::Organization;
        record.Str1 = u"В гостях"_s;
        QCOMPARE(record.Save(), SaveResult::Done);
        TTestCard card;
        card.SetMasterDBInfo(&record);
        QCOMPARE(card.Section()->LoadedId, record.Obj.Text());
        QCOMPARE(card.Section()->LoadedName, u"В гостях"_s);
        QCOMPARE(card.Section()->MasterDBInfo()->Database(), other.Db());
    }
    QCOMPARE(CurrentDatabase(), current);
    QVERIFY(!id.isEmpty());
}

QTEST_MAIN(TestObjFrame)
#include "tst_objframe.moc"
