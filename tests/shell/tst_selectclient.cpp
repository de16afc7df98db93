// The object picker: the kinds its find button offers, the preview of a chosen object, opening and
// clearing it, the suggestion popup with its order by use and its keys, and an object picked on an attached
// database.
#include "shell/frames/LinksBuchObjForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/SelectClientFrame.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PersonView.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;
using TRequest = TScriptedBroker::TRequest;

namespace {

/// A preview that shows the name it was loaded with, as the real previews of the screens do.
class TNamePreview final : public TBaseDBFrame
{
public:
    explicit TNamePreview(QWidget* parent)
        : TBaseDBFrame(parent)
        , Label(new QLabel(this))
    {
        SetLinkMode(1);
        (new QVBoxLayout(this))->addWidget(Label);
    }
    void LoadData() override { Label->setText(MasterDBInfo() ? MasterDBInfo()->Str5 : QString()); }
    QLabel* Label;
};

QString Store(int kind, const std::function<void(TDBMainInfo&)>& fill, TMyDataBase* db = nullptr)
{
    TDBMainInfo row;
    row.SetDatabase(db);
    row.ObjType = kind;
    fill(row);
    return row.Save() == SaveResult::Done ? row.Obj.Text() : QString();
}

QString StoreFirm(const QString& name, TMyDataBase* db = nullptr)
{
    return Store(
        Kind::Organization,
        [&](TDBMainInfo& r) {
            OrganizationView(r).SetName(name);
            OrganizationView(r).SetDisplayName(u"ООО, "_s + name);
        },
        db);
}

} // namespace

class TestSelectClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void FindButtonOffersTheKindsOfItsMode();
    void ChosenObjectIsPreviewedOpenedAndCleared();
    void SuggestionsComeMostUsedFirstAndAnswerTheKeys();
    void ObjectOfAnAttachedDatabase();

private:
    /// Visible names of the popup menu's items.
    static QStringList ShownItems(const TFSelectClientFrame& picker);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedBroker> m_broker;
};

void TestSelectClient::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestSelectClient::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_broker = std::make_unique<TScriptedBroker>();
    for (int kind : {int(Kind::Person), int(Kind::Organization)})
        Screens::RegisterPreview(kind, [](QWidget* parent) { return new TNamePreview(parent); });
}

void TestSelectClient::cleanup()
{
    m_broker.reset();
    m_fixture.reset();
    Screens::Clear();
}

QStringList TestSelectClient::ShownItems(const TFSelectClientFrame& picker)
{
    QStringList names;
    for (QAction* action : picker.pmPlat()->actions())
        if (action->isVisible())
            names << action->objectName();
    return names;
}

void TestSelectClient::FindButtonOffersTheKindsOfItsMode()
{
    TFSelectClientFrame picker;
    picker.show();
    // By default people, organizations and events, chosen from the menu under the button.
    QCOMPARE(ShownItems(picker), (QStringList {u"miPeople"_s, u"miFirma"_s, u"miEvent"_s}));
    QCOMPARE(picker.tbFind()->text(), u"Участник"_s);
    QTest::mouseClick(picker.tbFind(), Qt::LeftButton);
    QTRY_VERIFY(picker.pmPlat()->isVisible());
    picker.pmPlat()->hide();
    QVERIFY(m_broker->Calls().isEmpty());

    // One kind: the button is that kind's and opens its choice at once.
    const QList<QPair<TFSelectClientFrame::TButtonMode, int>> modes {{TFSelectClientFrame::bmPeople, Kind::Person},
        {TFSelectClientFrame::bmFirma, Kind::Organization}, {TFSelectClientFrame::bmEvent, Kind::Event},
        {TFSelectClientFrame::bmMemo, Kind::Note}, {TFSelectClientFrame::bmAddress, Kind::Address}};
    const QStringList captions {u"Человек"_s, u"Организация"_s, u"Событие"_s, u"Заметка"_s, u"Адрес"_s};
    for (int i = 0; i < modes.size(); ++i) {
        picker.SetButtonMode(modes[i].first);
        QCOMPARE(picker.tbFind()->text(), captions[i]);
        m_broker->ClearCalls();
        QTest::mouseClick(picker.tbFind(), Qt::LeftButton);
        QVERIFY(!picker.pmPlat()->isVisible());
        QCOMPARE(m_broker->Calls().size(), 1);
        QCOMPARE(m_broker->Calls().first().Request, TRequest::Pick);
        QCOMPARE(m_broker->Calls().first().Kind, modes[i].second);
    }
    // A blank caption leaves the button without one; the spare kinds offer nothing.
    picker.SetButtonMode(TFSelectClientFrame::bmPeople | TFSelectClientFrame::bmFirma);
    picker.SetButtonCaption(QString());
    QCOMPARE(picker.tbFind()->text(), QString());
    picker.SetButtonMode(TFSelectClientFrame::bmOther1 | TFSelectClientFrame::bmOther2);
    QVERIFY(ShownItems(picker).isEmpty());
    m_broker->ClearCalls();
    QTest::mouseClick(picker.tbFind(), Qt::LeftButton);
    QVERIFY(m_broker->Calls().isEmpty());
    QVERIFY(!picker.pmPlat()->isVisible());
}

void TestSelectClient::ChosenObjectIsPreviewedOpenedAndCleared()
{
    const QString firm = StoreFirm(u"Ромашка"_s);
    TFSelectClientFrame picker;
    picker.SetButtonMode(TFSelectClientFrame::bmFirma);
    picker.show();
    QVERIFY(!picker.HasObject());
    QVERIFY(!picker.Preview());
    QVERIFY(!picker.tbOpen()->isVisible());
    QSignalSpy changed(&picker, &TFSelectClientFrame::ObjectChanged);

    // A cancelled choice keeps what was there.
    m_broker->Queue(TRequest::Pick, 2);
    QVERIFY(!picker.ChooseKind(Kind::Organization));
    QVERIFY(!picker.HasObject());
    QCOMPARE(changed.count(), 0);

    m_broker->Queue(TRequest::Pick, 1, [firm](TDBMainInfo& record) { record.SetObj(firm); });
    QTest::mouseClick(picker.tbFind(), Qt::LeftButton);
    QCOMPARE(picker.ObjectId(), firm);
    QCOMPARE(picker.ObjectKind(), int(Kind::Organization));
    QCOMPARE(changed.count(), 1);
    auto* preview = dynamic_cast<TNamePreview*>(picker.Preview());
    QVERIFY(preview);
    QCOMPARE(preview->Label->text(), u"ООО, Ромашка"_s);
    QVERIFY(picker.tbOpen()->isVisible());

    m_broker->ClearCalls();
    QTest::mouseClick(picker.tbOpen(), Qt::LeftButton);
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls().first().Request, TRequest::Open);
    QCOMPARE(m_broker->Calls().first().Id, firm);

    QTest::mouseClick(picker.ToolButton3(), Qt::LeftButton);
    QVERIFY(!picker.HasObject());
    QCOMPARE(picker.ObjectId(), QString());
    QVERIFY(!picker.Preview());
    QVERIFY(!picker.tbOpen()->isVisible());
    QCOMPARE(changed.count(), 2);
}

void TestSelectClient::SuggestionsComeMostUsedFirstAndAnswerTheKeys()
{
    const QString romashka = StoreFirm(u"Ромашка"_s);
    const QString lyutik = StoreFirm(u"Лютик \"Юг\""_s);
    const QString petrov = Store(Kind::Person, [](TDBMainInfo& r) {
        PersonView(r).SetSurname(u"Петров"_s);
        PersonView(r).SetFirstName(u"Иван"_s);
    });
    const QString food = u"0000000100000077"_s;
    const QString other = u"0000000100000078"_s;
    // Under the category "food": Лютик three times, Петров twice, Ромашка and nobody once; Ромашка also
    // five times under another category, which does not count here.
    const auto operation = [](const QString& counterparty, const QString& category) {
        return Store(Kind::MoneyOperation, [&](TDBMainInfo& r) {
            const TMoneyOperationView op(r);
            op.SetCode(2);
            op.SetCounterparty(counterparty);
            op.SetCategory(category);
        });
    };
    for (const auto& [who, times, category] : {std::tuple {lyutik, 3, food}, std::tuple {petrov, 2, food},
             std::tuple {romashka, 1, food}, std::tuple {QString(Ids::None), 1, food}, std::tuple {romashka, 5, other}})
        for (int i = 0; i < times; ++i)
            QVERIFY(!operation(who, category).isEmpty());

    TFSelectClientFrame picker;
    picker.SetButtonMode(TFSelectClientFrame::bmPeople | TFSelectClientFrame::bmFirma);
    picker.SetViewList(true);
    picker.resize(400, 60);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QVERIFY(picker.btViewList()->isVisible());
    // Without a context there is nothing to suggest.
    picker.btViewListClick();
    QVERIFY(!picker.LinksForm());

    picker.OnInitLinkMasterInfo = [food](TDBMainInfo& context) {
        context.Clear();
        context.ObjType = Kind::MoneyOperation;
        TMoneyOperationView(context).SetCategory(food);
    };
    QTest::mouseClick(picker.btViewList(), Qt::LeftButton);
    TLinksBuchObjForm* popup = picker.LinksForm();
    QVERIFY(popup);
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->width(), picker.MainPanel()->width());
    TListModel* rows = popup->Grid2()->Model();
    QCOMPARE(rows->RecordCount(), 4);
    QStringList texts;
    for (int i = 0; i < rows->RecordCount(); ++i)
        texts << rows->Row(i).DisplayText(u"Str1"_s);
    // Ромашка and nobody were used once each: their order between them is the engine's.
    QCOMPARE(texts.mid(0, 2), (QStringList {u"ООО, Лютик \"Юг\""_s, u"Петров Иван"_s}));
    QCOMPARE(
        QSet<QString>(texts.begin() + 2, texts.end()), (QSet<QString> {u"ООО, Ромашка"_s, u"Без указания объекта"_s}));

    // Enter on the second row chooses Петров.
    QTRY_VERIFY(popup->Grid2()->hasFocus());
    QTest::keyClick(popup->Grid2(), Qt::Key_Down);
    QTest::keyClick(popup->Grid2(), Qt::Key_Return);
    QVERIFY(!popup->isVisible());
    QCOMPARE(picker.ObjectId(), petrov);
    QCOMPARE(picker.ObjectKind(), int(Kind::Person));

    // Esc leaves the choice as it was.
    picker.btViewListClick();
    QTRY_VERIFY(popup->isVisible());
    QTest::keyClick(popup->Grid2(), Qt::Key_Escape);
    QVERIFY(!popup->isVisible());
    QCOMPARE(picker.ObjectId(), petrov);

    // "Организации" hides the popup and opens the choice of an organization.
    picker.btViewListClick();
    QTRY_VERIFY(popup->isVisible());
    m_broker->ClearCalls();
    m_broker->Queue(TRequest::Pick, 1, [romashka](TDBMainInfo& record) { record.SetObj(romashka); });
    QTest::mouseClick(popup->tbFindFirma(), Qt::LeftButton);
    QVERIFY(!popup->isVisible());
    QCOMPARE(m_broker->Calls().size(), 1);
    QCOMPARE(m_broker->Calls().first().Kind, int(Kind::Organization));
    QCOMPARE(picker.ObjectId(), romashka);

    // The statement narrows by every link the context sets.
    TDBMainInfo context;
    context.ObjType = Kind::MoneyOperation;
    context.Link1 = u"0000000100000001"_s;
    context.Link4 = u"0000000100000004"_s;
    const QString sql = TLinksBuchObjForm::SelectSQL(context);
    QVERIFY(sql.contains(u"Op.ObjType = 24 and Op.Link1 = \"0000000100000001\" and Op.Link4 = \"0000000100000004\""_s));
    QVERIFY(!sql.contains(u"Op.Link3"_s));
}

void TestSelectClient::ObjectOfAnAttachedDatabase()
{
    TMyDataBase* current = m_fixture->Db();
    TTempDatabase attached;
    QVERIFY(attached.IsOpen());
    SetCurrentDatabase(current);
    const QString there = StoreFirm(u"Василёк"_s, attached.Db());
    QVERIFY(!there.isEmpty());

    TFSelectClientFrame picker;
    picker.SetButtonMode(TFSelectClientFrame::bmFirma);
    picker.show();
    m_broker->Queue(TRequest::Pick, 1, [&attached, there](TDBMainInfo& record) {
        record.SetDatabase(attached.Db());
        record.SetObj(there);
    });
    QVERIFY(picker.ChooseKind(Kind::Organization));
    QCOMPARE(picker.ObjectId(), there);
    QCOMPARE(picker.MasterDBInfo()->Database(), attached.Db());
    auto* preview = dynamic_cast<TNamePreview*>(picker.Preview());
    QVERIFY(preview);
    QCOMPARE(preview->Label->text(), u"ООО, Василёк"_s);
    // Cleared, the picker stays on that database.
    picker.ToolButton3Click();
    QVERIFY(!picker.HasObject());
    QCOMPARE(picker.MasterDBInfo()->Database(), attached.Db());
}

QTEST_MAIN(TestSelectClient)
#include "tst_selectclient.moc"
