// The frame protocol: link modes, the record and the frame going away in either order, ApplyData codes,
// the working record and the four requests.
#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/MainModalForm.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/shell/NameFrame.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QPointer>
#include <QTest>

namespace {

std::unique_ptr<TDBMainInfo> Named(const QString& name, int kind = Kind::Phone)
{
    auto record = std::make_unique<TDBMainInfo>();
    record->ObjType = kind;
    record->Str1 = name;
    return record;
}

} // namespace

class TestFrames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void privateMasterIsACopy();
    void linkedFrameFollowsItsRecord();
    void linkedRecordDyingFirst();
    void linkedFrameDyingFirst();
    void privateFrameDyingLeavesSourceAlone();
    void switchingLinkModes();
    void applyData_data();
    void applyData();
    void workInfoWorksOnTheMastersDatabase();
    void requestsCarryWorkInfo_data();
    void requestsCarryWorkInfo();
    void requestsWithoutBrokerAnswerZero();
    void masterIdLoadsTheObject();
    void inModalDialog();
};

void TestFrames::privateMasterIsACopy()
{
    TNameFrame frame;
    QCOMPARE(frame.LinkMode(), 0);
    QVERIFY(frame.MasterDBInfo() != nullptr);
    auto source = Named(QStringLiteral("Рабочий"));
    frame.SetMasterDBInfo(source.get());
    QVERIFY(frame.MasterDBInfo() != source.get());
    QCOMPARE(frame.MasterDBInfo()->Str1, QStringLiteral("Рабочий"));
    QCOMPARE(frame.eName->text(), QStringLiteral("Рабочий"));
    QCOMPARE(frame.Loads, 1);
    QVERIFY(source->Frames().isEmpty());

    source->Str1 = QStringLiteral("Изменён");
    source->NotifyLoaded();
    QCOMPARE(frame.MasterDBInfo()->Str1, QStringLiteral("Рабочий"));
    QCOMPARE(frame.Loads, 1);

    frame.SetMasterDBInfo(nullptr);
    QVERIFY(frame.MasterDBInfo() != nullptr);
    QCOMPARE(frame.MasterDBInfo()->Str1, QString());
    QCOMPARE(frame.Loads, 2);
}

void TestFrames::linkedFrameFollowsItsRecord()
{
    TNameFrame frame;
    frame.SetLinkMode(1);
    QVERIFY(frame.MasterDBInfo() == nullptr);

    auto first = Named(QStringLiteral("Первый"));
    auto second = Named(QStringLiteral("Второй"));
    frame.SetMasterDBInfo(first.get());
    QCOMPARE(frame.MasterDBInfo(), first.get());
    QCOMPARE(first->Frames().size(), 1);
    QCOMPARE(frame.eName->text(), QStringLiteral("Первый"));
    QCOMPARE(frame.Loads, 1);

    // A reload of the record reaches the frame.
    first->Assign(second.get());
    QCOMPARE(frame.eName->text(), QStringLiteral("Второй"));
    QCOMPARE(frame.Loads, 2);

    // Taking another record leaves the first one.
    frame.SetMasterDBInfo(second.get());
    QVERIFY(first->Frames().isEmpty());
    QCOMPARE(second->Frames().size(), 1);

    frame.SetMasterDBInfo(nullptr);
    QVERIFY(frame.MasterDBInfo() == nullptr);
    QVERIFY(second->Frames().isEmpty());
    QCOMPARE(frame.Loads, 3);
}

void TestFrames::linkedRecordDyingFirst()
{
    TNameFrame frame;
    frame.SetLinkMode(1);
    auto record = Named(QStringLiteral("Уходящий"));
    frame.SetMasterDBInfo(record.get());
    record.reset();
    QVERIFY(frame.MasterDBInfo() == nullptr);
    QCOMPARE(frame.ApplyData(), -1);
    QCOMPARE(frame.MasterId(), QString());
}

void TestFrames::linkedFrameDyingFirst()
{
    auto record = Named(QStringLiteral("Остающийся"));
    auto frame = std::make_unique<TNameFrame>();
    frame->SetLinkMode(1);
    frame->SetMasterDBInfo(record.get());
    auto other = std::make_unique<TNameFrame>();
    other->SetLinkMode(1);
    other->SetMasterDBInfo(record.get());
    QCOMPARE(record->Frames().size(), 2);
    frame.reset();
    QCOMPARE(record->Frames().size(), 1);
    // The record still works with the frame that is left.
    record->Str1 = QStringLiteral("Новое");
    record->NotifyLoaded();
    QCOMPARE(other->eName->text(), QStringLiteral("Новое"));
    QVERIFY(record->ApplyFrames(true));
}

void TestFrames::privateFrameDyingLeavesSourceAlone()
{
    auto source = Named(QStringLiteral("Источник"));
    QPointer<TDBMainInfo> privateMaster;
    {
        TNameFrame frame;
        frame.SetMasterDBInfo(source.get());
        privateMaster = frame.MasterDBInfo();
        QVERIFY(!privateMaster.isNull());
    }
    QVERIFY(privateMaster.isNull());
    QCOMPARE(source->Str1, QStringLiteral("Источник"));
    QVERIFY(source->Frames().isEmpty());
}

void TestFrames::switchingLinkModes()
{
    TNameFrame frame;
    QPointer<TDBMainInfo> privateMaster = frame.MasterDBInfo();
    auto source = Named(QStringLiteral("Копия"));
    frame.SetMasterDBInfo(source.get());

    frame.SetLinkMode(1);
    QVERIFY(privateMaster.isNull());
    QVERIFY(frame.MasterDBInfo() == nullptr);

    auto linked = Named(QStringLiteral("Связанный"));
    frame.SetMasterDBInfo(linked.get());
    frame.SetLinkMode(1);
    QCOMPARE(frame.MasterDBInfo(), linked.get());

    frame.SetLinkMode(0);
    QVERIFY(linked->Frames().isEmpty());
    QVERIFY(frame.MasterDBInfo() != nullptr);
    QVERIFY(frame.MasterDBInfo() != linked.get());
    QCOMPARE(frame.MasterDBInfo()->Str1, QString());
    QCOMPARE(frame.MasterDBInfo()->Frames().size(), 1);
}

void TestFrames::applyData_data()
{
    QTest::addColumn<bool>("withMaster");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("validations");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("error");
    QTest::newRow("no master: -1 without validating") << false << QStringLiteral("Имя") << -1 << 0 << QString() << QString();
    QTest::newRow("refused: 1, nothing stored") << true << QStringLiteral("  ") << 1 << 1 << QStringLiteral("Было")
                                               << QStringLiteral("Укажите название");
    QTest::newRow("accepted: 0, stored") << true << QStringLiteral("Стало") << 0 << 1 << QStringLiteral("Стало") << QString();
}

void TestFrames::applyData()
{
    QFETCH(bool, withMaster);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(int, validations);
    QFETCH(QString, stored);
    QFETCH(QString, error);

    TNameFrame frame;
    frame.SetLinkMode(1);
    auto record = Named(QStringLiteral("Было"));
    if (withMaster)
        frame.SetMasterDBInfo(record.get());
    frame.eName->setText(typed);
    QCOMPARE(frame.ApplyData(), result);
    QCOMPARE(frame.Validations, validations);
    QCOMPARE(frame.ErrorText(), error);
    if (withMaster)
        QCOMPARE(record->Str1, stored);
}

void TestFrames::workInfoWorksOnTheMastersDatabase()
{
    TTempDatabase fixture;
    QVERIFY(fixture.IsOpen());
    TMyDataBase other(QStringLiteral("Другая"));
    TNameFrame frame;
    QCOMPARE(frame.WorkInfo()->Database(), fixture.Db());

    auto record = Named(QStringLiteral("Чужой"));
    record->SetDatabase(&other);
    frame.SetMasterDBInfo(record.get());
    QCOMPARE(frame.MasterDBInfo()->Database(), &other);
    QCOMPARE(frame.WorkInfo()->Database(), &other);

    TNameFrame linked;
    linked.SetLinkMode(1);
    linked.SetMasterDBInfo(record.get());
    QCOMPARE(linked.WorkInfo()->Database(), &other);
}

void TestFrames::requestsCarryWorkInfo_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("request");
    QTest::newRow("OpenWorkInfo") << 0 << int(TScriptedBroker::TRequest::Open);
    QTest::newRow("EditWorkInfo") << 1 << int(TScriptedBroker::TRequest::Edit);
    QTest::newRow("PickWorkInfo") << 2 << int(TScriptedBroker::TRequest::Pick);
    QTest::newRow("DeleteWorkInfo") << 3 << int(TScriptedBroker::TRequest::Delete);
}

void TestFrames::requestsCarryWorkInfo()
{
    QFETCH(int, which);
    QFETCH(int, request);
    TScriptedBroker broker;
    const auto kind = TScriptedBroker::TRequest(request);
    broker.Queue(kind, 1, [](TDBMainInfo& record) { record.Str2 = QStringLiteral("ответ"); });

    TNameFrame frame;
    frame.WorkInfo()->ObjType = Kind::Phone;
    frame.WorkInfo()->Obj = QStringLiteral("0000001A00000007");
    int answer = 0;
    switch (which) {
    case 0: answer = frame.OpenWorkInfo(); break;
    case 1: answer = frame.EditWorkInfo(); break;
    case 2: answer = frame.PickWorkInfo(); break;
    default: answer = frame.DeleteWorkInfo(); break;
    }
    QCOMPARE(answer, 1);
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(broker.Calls()[0].Request, kind);
    QCOMPARE(broker.Calls()[0].Kind, int(Kind::Phone));
    QCOMPARE(broker.Calls()[0].Id, QStringLiteral("0000001A00000007"));
    // The main window works on the frame's own working record.
    QCOMPARE(frame.WorkInfo()->Str2, QStringLiteral("ответ"));
}

void TestFrames::requestsWithoutBrokerAnswerZero()
{
    TNameFrame frame;
    frame.WorkInfo()->ObjType = Kind::Phone;
    QCOMPARE(frame.EditWorkInfo(), 0);
    QCOMPARE(frame.DeleteWorkInfo(), 0);
}

void TestFrames::masterIdLoadsTheObject()
{
    TTempDatabase fixture;
    TScriptedMessages messages;
    TDBMainInfo stored;
    stored.ObjType = Kind::Phone;
    stored.Str1 = QStringLiteral("+7 495 000-00-00");
    QCOMPARE(stored.Save(), 0);

    TNameFrame frame;
    QCOMPARE(frame.MasterId(), QString());
    frame.SetMasterId(stored.Obj);
    QCOMPARE(frame.MasterId(), stored.Obj.Text());
    QCOMPARE(frame.eName->text(), QStringLiteral("+7 495 000-00-00"));
}

void TestFrames::inModalDialog()
{
    QWidget window;
    auto* loose = new TNameFrame(&window);
    QVERIFY(!loose->InModalDialog());
    QVERIFY(loose->HostForm() == nullptr);

    TMainModalForm dialog;
    auto* hosted = new TNameFrame(&dialog);
    QVERIFY(hosted->InModalDialog());
    QCOMPARE(hosted->HostForm(), &dialog);
}

QTEST_MAIN(TestFrames)
#include "tst_frames.moc"
