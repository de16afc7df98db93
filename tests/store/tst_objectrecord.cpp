// The object record: load, save with every result code, derived columns, copies and frame notifications.
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/RecordFrame.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <functional>

namespace {

// A frame that logs what the record tells it and can refuse its data or act during a walk.
class TLogFrame final : public TRecordFrame
{
public:
    TLogFrame(QStringList& log, const QString& name)
        : m_log(log)
        , m_name(name)
    {
    }
    ~TLogFrame() override
    {
        if (Master)
            Master->DetachFrame(this);
    }
    void Attach(TDBMainInfo* record)
    {
        Master = record;
        record->AttachFrame(this);
    }
    void SetMasterDBInfo(TDBMainInfo* record) override
    {
        m_log << m_name + QStringLiteral(":master");
        if (Master)
            Master->DetachFrame(this);
        Master = record;
    }
    void LoadData() override
    {
        m_log << m_name + QStringLiteral(":load");
        if (OnLoad)
            OnLoad();
    }
    void AfterSave() override { m_log << m_name + QStringLiteral(":saved"); }
    int ApplyData() override
    {
        m_log << m_name + QStringLiteral(":apply");
        if (Edit)
            Edit(*Master);
        return Refuse;
    }
    QString ErrorText() const override { return QStringLiteral("Укажите фамилию"); }

    TDBMainInfo* Master = nullptr;
    int Refuse = 0;
    std::function<void()> OnLoad;
    std::function<void(TDBMainInfo&)> Edit;

private:
    QStringList& m_log;
    QString m_name;
};

int Count(TTempDatabase& fixture, const QString& where = QStringLiteral("1 = 1"))
{
    return fixture.Scalar(QStringLiteral("select count(*) from AllInfo where ") + where).toInt();
}

} // namespace

class TestObjectRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void newPersonGetsIdStampsAndDerivedColumns()
    {
        TTempDatabase fixture;
        TScriptedMessages messages;
        TFixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
        TDBMainInfo person;
        person.ObjType = Kind::Person;
        person.Str1 = QStringLiteral("Иванов");
        person.Link1 = Ids::Null;
        person.Date1 = DateSerial::FromDate(QDate(1975, 3, 14));
        person.D1Fixed = true;
        person.Date2 = DateSerial::FromDate(QDate(2020, 2, 29));
        person.D2Fixed = false;
        QCOMPARE(person.Save(), 0);
        QCOMPARE(person.Obj.Text(), QStringLiteral("0000001A00000001"));
        QVERIFY(!person.IsBlank);
        QCOMPARE(fixture.Scalar(QStringLiteral("select Int1 from AllInfo where ObjType = 899")).toInt(), 1);

        QSqlRecord row;
        auto q = fixture.Db()->CreateQuery(QStringLiteral("select * from AllInfo where ObjId = \"0000001A00000001\""));
        QVERIFY(q && q->next());
        row = q->record();
        QCOMPARE(row.value(QStringLiteral("Link1")).toString(), Ids::None);
        QCOMPARE(row.value(QStringLiteral("Link2")).toString(), Ids::None);
        QCOMPARE(row.value(QStringLiteral("Link3")).toString(), Ids::None);
        QCOMPARE(row.value(QStringLiteral("Link4")).toString(), QString());
        QCOMPARE(row.value(QStringLiteral("D1Search")).toDouble(), DateSerial::FromDate(QDate(2000, 3, 14)));
        QCOMPARE(row.value(QStringLiteral("D2Search")).toDouble(), 0.0);
        const double now = DateSerial::FromDateTime(clock.Now());
        QCOMPARE(row.value(QStringLiteral("DCreate")).toDouble(), now);
        QCOMPARE(row.value(QStringLiteral("DModify")).toDouble(), now);
        QCOMPARE(row.value(QStringLiteral("Creator")).toString(), QString());
        QVERIFY(row.isNull(QStringLiteral("Foto")));
        QCOMPARE(row.value(QStringLiteral("Flag")).toInt(), 0);
        QVERIFY(messages.Shown().isEmpty());

        // An update keeps the id and the creation stamp, moves the modification stamp.
        clock.Set(QDateTime(QDate(2026, 12, 10), QTime(8, 0)));
        person.Flag = true;
        QCOMPARE(person.Save(), 0);
        QCOMPARE(Count(fixture, QStringLiteral("ObjType = 1")), 1);
        QCOMPARE(fixture.Scalar(QStringLiteral("select Flag from AllInfo where ObjType = 1")).toInt(), -1);
        QCOMPARE(fixture.Scalar(QStringLiteral("select DCreate from AllInfo where ObjType = 1")).toDouble(), now);
        QCOMPARE(fixture.Scalar(QStringLiteral("select Int1 from AllInfo where ObjType = 899")).toInt(), 1);
    }

    void familyGetsNoneIdOnlyForEmptyPartner()
    {
        TTempDatabase fixture;
        TDBMainInfo family;
        family.ObjType = Kind::Family;
        family.Link2 = Ids::Null;
        QCOMPARE(family.Save(), 0);
        TDBMainInfo loaded;
        QVERIFY(loaded.SetObj(family.Obj));
        QCOMPARE(loaded.Link1.Text(), Ids::None);
        QCOMPARE(loaded.Link2.Text(), Ids::Null);
    }

    void valuesRoundTripExactly()
    {
        TTempDatabase fixture;
        TDBMainInfo r;
        r.ObjType = Kind::MoneyOperation;
        r.Str1 = QStringLiteral("ООО \"Ромашка\" ' ; -- ");
        r.Comments = QStringLiteral("строка 1\nстрока 2");
        r.Int2 = -5'000'000'000LL; // beyond 32 bits: money and counters never wrap
        r.Int5 = 2'147'483'647;
        r.Foto = QByteArray("\xFF\xD8\x00\x01jpeg", 8);
        r.Link1 = QStringLiteral("0123456789ABCDEFXYZ");
        r.Date1 = 45296.75;
        r.D1Flag = true;
        QCOMPARE(r.Link1.Text(), QStringLiteral("0123456789ABCDEF"));
        QCOMPARE(r.Save(), 0);
        TDBMainInfo back;
        QVERIFY(back.SetObj(r.Obj));
        QCOMPARE(back.Str1, r.Str1);
        QCOMPARE(back.Comments, r.Comments);
        QCOMPARE(back.Int2, r.Int2);
        QCOMPARE(back.Int5, r.Int5);
        QCOMPARE(back.Foto, r.Foto);
        QCOMPARE(back.Link1.Text(), QStringLiteral("0123456789ABCDEF"));
        QCOMPARE(back.Date1, 45296.75);
        QVERIFY(back.D1Flag);
        QVERIFY(back.SameContent(r));
        // The name with a double quote is found by a quoted condition.
        auto q = fixture.Db()->CreateQuery(
            QStringLiteral("select ObjId from AllInfo where Str1 = ") + SqlDialect::Quote(r.Str1));
        QVERIFY(q && q->next());
        QCOMPARE(q->value(0).toString(), r.Obj.Text());
    }

    void dialogKindsAndBadKindsWriteNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("result");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("100") << 100 << 0;
        QTest::newRow("106 is stored") << 106 << 0;
        QTest::newRow("124") << 124 << 0;
        QTest::newRow("125") << 125 << 0;
        QTest::newRow("901") << 901 << 0;
        QTest::newRow("2000") << 2000 << 0;
        QTest::newRow("negative") << -1 << -11;
    }

    void dialogKindsAndBadKindsWriteNothing()
    {
        QFETCH(int, kind);
        QFETCH(int, result);
        TTempDatabase fixture;
        const int before = Count(fixture);
        TDBMainInfo r;
        r.ObjType = kind;
        QCOMPARE(r.Save(), result);
        QCOMPARE(Count(fixture), before + (kind == 106 ? 1 : 0));
        QCOMPARE(IsNewId(r.Obj), kind != 106);
    }

    void refusedSavesKeepTheContent_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("reference database") << "reference" << -20 << "Попытка записи в базу констант!";
        QTest::newRow("write mode 5") << "mode5" << -21 << "Нет разрешения на данную операцию!";
        QTest::newRow("no database") << "nodb" << -22 << "Не удалось подключиться к БД";
        QTest::newRow("disconnected") << "closed" << -100 << "Не удалось подключиться к БД";
        // A server gives its own reason, naming the rule that refused the row.
        QTest::newRow("insert refused by the engine")
            << "refusal" << -1
            << (TTempDatabase::OnServer() ? QStringLiteral("zorvin_refusal_1")
                                          : QStringLiteral("Запрос вызвал ошибку"));
        QTest::newRow("no identity row") << "noidentity" << -1 << "Запрос вызвал ошибку";
    }

    void refusedSavesKeepTheContent()
    {
        QFETCH(QString, situation);
        QFETCH(int, result);
        QFETCH(QString, message);
        TNewDatabase options = TTempDatabase::DefaultOptions();
        options.Reference = situation == QLatin1String("reference");
        TTempDatabase fixture(options);
        if (situation == QLatin1String("mode5") || situation == QLatin1String("noidentity")
            || situation == QLatin1String("refusal")) {
            if (situation == QLatin1String("mode5"))
                QVERIFY(fixture.Run(QStringLiteral("update AllInfo set Int5 = 5 where ObjType = 897")));
            if (situation == QLatin1String("noidentity"))
                QVERIFY(fixture.Run(QStringLiteral("delete from AllInfo where ObjType = 899")));
            if (situation == QLatin1String("refusal"))
                QVERIFY(fixture.RefuseRows(QStringLiteral("Str1"), QStringLiteral("Иванов")));
            QCOMPARE(fixture.Reopen(), 0);
        }
        if (situation == QLatin1String("closed"))
            fixture.Db()->Close();
        const QString dump = fixture.Dump();

        TScriptedMessages messages;
        TDBMainInfo person;
        if (situation == QLatin1String("nodb")) {
            SetCurrentDatabase(nullptr);
            person.SetDatabase(nullptr);
        }
        person.ObjType = Kind::Person;
        person.Str1 = QStringLiteral("Иванов");
        person.Date1 = 27467;
        person.D1Fixed = true;
        const TStoreResult refused = person.Save();
        QCOMPARE(refused.Code, result);
        if (situation == QLatin1String("refusal") && TTempDatabase::OnServer()) {
            QCOMPARE(refused.Text, fixture.Db()->ErrorText());
            QVERIFY2(refused.Text.contains(message), qPrintable(refused.Text));
        } else {
            QCOMPARE(refused.Text, message);
        }
        // The store tells nobody itself: the caller shows the text.
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(person.Obj.Text(), QString());
        QCOMPARE(person.Str1, QStringLiteral("Иванов"));
        QCOMPARE(person.Link2.Text(), QString());
        QCOMPARE(person.D1Search, 0.0);
        QCOMPARE(person.DModify, 0.0);
        QCOMPARE(fixture.Dump(), dump);
        QCOMPARE(Count(fixture, QStringLiteral("ObjId = '0000000000000000' or ObjId = ''")), 0);
    }

    void failedUpdateKeepsTheRecordAndTheRow()
    {
        TTempDatabase fixture;
        TScriptedMessages messages;
        TDBMainInfo r;
        r.ObjType = Kind::Note;
        r.Str1 = QStringLiteral("первый");
        QCOMPARE(r.Save(), 0);
        QVERIFY(fixture.RefuseRows(QStringLiteral("Str1"), QStringLiteral("второй")));
        r.Str1 = QStringLiteral("второй");
        QCOMPARE(r.Save(), -1);
        QCOMPARE(r.Str1, QStringLiteral("второй"));
        QCOMPARE(fixture.Scalar(QStringLiteral("select Str1 from AllInfo where ObjType = 10")).toString(),
            QStringLiteral("первый"));
    }

    // Two records of one row that change different columns both keep their change, whichever saves first:
    // a kinship list sets a godfather while the person card renames the person; a balance recomputation
    // writes the balance while the account card changes the comment.
    void saveWritesOnlyTheChangedColumns_data()
    {
        QTest::addColumn<bool>("person");
        QTest::addColumn<bool>("firstSavesFirst");
        QTest::newRow("godfather, then rename") << true << true;
        QTest::newRow("rename, then godfather") << true << false;
        QTest::newRow("balance, then comment") << false << true;
        QTest::newRow("comment, then balance") << false << false;
    }

    void saveWritesOnlyTheChangedColumns()
    {
        QFETCH(bool, person);
        QFETCH(bool, firstSavesFirst);
        TTempDatabase fixture;
        TDBMainInfo stored;
        stored.ObjType = person ? int(Kind::Person) : int(Kind::Account);
        stored.Str1 = person ? QStringLiteral("Петров") : QStringLiteral("Кошелёк");
        stored.Str2 = QStringLiteral("Иван");
        stored.Int5 = 1000;
        QCOMPARE(stored.Save(), 0);
        TDBMainInfo godfather;
        godfather.ObjType = Kind::Person;
        godfather.Str1 = QStringLiteral("Крёстный");
        QCOMPARE(godfather.Save(), 0);

        TDBMainInfo first;
        QVERIFY(first.SetObj(stored.Obj));
        TDBMainInfo second;
        QVERIFY(second.SetObj(stored.Obj));
        if (person) {
            first.Link2 = godfather.Obj;
            second.Str1 = QStringLiteral("Сидоров");
        } else {
            first.Int5 = 2500;
            second.Comments = QStringLiteral("зарплатный");
        }
        TDBMainInfo& earlier = firstSavesFirst ? first : second;
        TDBMainInfo& later = firstSavesFirst ? second : first;
        QCOMPARE(earlier.Save(), 0);
        const double earlierStamp = fixture
                                        .Scalar(QStringLiteral("select DModify from AllInfo where ObjId = '")
                                            + stored.Obj.Text() + QStringLiteral("'"))
                                        .toDouble();
        QCOMPARE(later.Save(), 0);

        TDBMainInfo now;
        QVERIFY(now.SetObj(stored.Obj));
        if (person) {
            QCOMPARE(now.Link2.Text(), godfather.Obj.Text());
            QCOMPARE(now.Str1, QStringLiteral("Сидоров"));
            QCOMPARE(now.Str5, QStringLiteral("Сидоров И."));
        } else {
            QCOMPARE(now.Int5, 2500);
            QCOMPARE(now.Comments, QStringLiteral("зарплатный"));
        }
        QCOMPARE(now.Str2, QStringLiteral("Иван"));
        QCOMPARE(now.DModify, later.DModify);
        QVERIFY(now.DModify >= earlierStamp);
        QCOMPARE(now.DCreate, stored.DCreate);
    }

    void fixedRowsAreNeverWrittenOver_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("kind");
        QTest::newRow("none id as a person") << Ids::None << int(Kind::Person);
        QTest::newRow("none id in lower case") << Ids::None.toLower() << int(Kind::Placeholder);
        QTest::newRow("system row") << Ids::SystemRow << int(Kind::DatabaseIdentity);
        QTest::newRow("system row as a note") << Ids::SystemRow << int(Kind::Note);
        QTest::newRow("identity row") << Schema::IdentityRowId() << int(Kind::IdentityRow);
        QTest::newRow("identity row as a group") << Schema::IdentityRowId() << int(Kind::Group);
        QTest::newRow("a new identity row") << QString() << int(Kind::IdentityRow);
    }

    void fixedRowsAreNeverWrittenOver()
    {
        QFETCH(QString, id);
        QFETCH(int, kind);
        TTempDatabase fixture;
        TScriptedMessages messages;
        const QString dump = fixture.Dump();
        TDBMainInfo r;
        if (!id.isEmpty())
            QVERIFY(r.SetObj(id));
        r.SetId(id);
        r.ObjType = kind;
        r.Int1 = 7;
        r.Int5 = 0;
        r.Str1 = QStringLiteral("поверх");
        const TStoreResult refused = r.Save();
        QCOMPARE(refused.Code, int(SaveResult::NotPermitted));
        QCOMPARE(refused.Text, QStringLiteral("Нет разрешения на данную операцию!"));
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(fixture.Dump(), dump);
        QCOMPARE(r.Str1, QStringLiteral("поверх"));
        QCOMPARE(fixture.Reopen(), 0);
        QVERIFY(fixture.Db()->IsWritable());
    }

    void savingAnIdWithoutRowInsertsIt()
    {
        TTempDatabase fixture;
        TDBMainInfo r;
        r.SetId(QStringLiteral("0000001A000000AA"));
        r.ObjType = Kind::Group;
        r.Str1 = QStringLiteral("Друзья");
        QCOMPARE(r.Save(), 0);
        QCOMPARE(r.Obj.Text(), QStringLiteral("0000001A000000AA"));
        QCOMPARE(Count(fixture, QStringLiteral("ObjId = '0000001A000000AA' and Str1 = 'Друзья'")), 1);
        QCOMPARE(fixture.Scalar(QStringLiteral("select Int1 from AllInfo where ObjType = 899")).toInt(), 0);
    }

    // A record whose row was deleted after it was loaded (or saved) is never written back as a new row,
    // however it was handed over.
    void savingAVanishedRowIsRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("loaded by id") << "loaded";
        QTest::newRow("saved, then deleted") << "saved";
        QTest::newRow("handed over by Assign") << "assigned";
        QTest::newRow("read from a list's row") << "dataset";
    }

    void savingAVanishedRowIsRefused()
    {
        QFETCH(QString, how);
        TTempDatabase fixture;
        TScriptedMessages messages;
        TDBMainInfo stored;
        stored.ObjType = Kind::Note;
        stored.Str1 = QStringLiteral("было");
        QCOMPARE(stored.Save(), 0);
        const QString id = stored.Obj;
        TDBMainInfo r;
        if (how == QLatin1String("saved")) {
            r.Assign(&stored);
        } else if (how == QLatin1String("assigned")) {
            TDBMainInfo loaded;
            QVERIFY(loaded.SetObj(id));
            r.Assign(&loaded);
        } else if (how == QLatin1String("dataset")) {
            auto q = fixture.Db()->CreateQuery(
                QStringLiteral("select ObjId, ObjType, Str1 from AllInfo where ObjType = 10"));
            QVERIFY(q && q->next());
            r.LoadFromDataset(q->record());
        } else {
            QVERIFY(r.SetObj(id));
        }
        QVERIFY(fixture.Run(QStringLiteral("delete from AllInfo where ObjType = 10")));
        const QString dump = fixture.Dump();

        r.Str1 = QStringLiteral("стало");
        const TStoreResult refused = r.Save();
        QCOMPARE(refused.Code, -1);
        QCOMPARE(refused.Text, QStringLiteral("Объект был удалён; изменения не записаны"));
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(fixture.Dump(), dump);
        QCOMPARE(r.Obj.Text(), id);
        QCOMPARE(r.Str1, QStringLiteral("стало"));
        // A record given the same id afresh is new, and is written with that id.
        TDBMainInfo fresh;
        fresh.SetId(id);
        fresh.ObjType = Kind::Note;
        QCOMPARE(fresh.Save(), 0);
        QCOMPARE(Count(fixture, QStringLiteral("ObjType = 10")), 1);
    }

    void loadingByIdentifier()
    {
        TTempDatabase fixture;
        QStringList log;
        TLogFrame frame(log, QStringLiteral("f"));
        TDBMainInfo r;
        frame.Attach(&r);
        int changed = 0;
        connect(&r, &TDBMainInfo::Changed, this, [&] { ++changed; });

        QVERIFY(r.SetObj(QStringLiteral("0000000000000381")));
        QCOMPARE(r.ObjType, Kind::DatabaseIdentity);
        QVERIFY(!r.IsBlank);
        QCOMPARE(changed, 1);

        // The none id clears instead of loading the placeholder row.
        QVERIFY(r.SetObj(QStringLiteral("0000000200000001")));
        QCOMPARE(r.ObjType, 0);
        QVERIFY(r.IsBlank);
        QCOMPARE(changed, 2);

        // An id without a row leaves every field empty but the record is no longer blank.
        QVERIFY(r.SetObj(QStringLiteral("00000099000000FF")));
        QCOMPARE(r.Obj.Text(), QString());
        QVERIFY(!r.IsBlank);
        QCOMPARE(changed, 3);
        QCOMPARE(log.count(QStringLiteral("f:load")), 3);

        // A load that cannot reach the database leaves the record exactly as it was.
        QVERIFY(r.SetObj(QStringLiteral("0000000000000381")));
        fixture.Db()->Close();
        QVERIFY(!r.SetObj(Ids::None.left(8) + QStringLiteral("00000383")));
        QCOMPARE(r.ObjType, Kind::DatabaseIdentity);
        QCOMPARE(changed, 4);
    }

    void loadFromDatasetIgnoresExtraAndKeepsMissingCleared()
    {
        TTempDatabase fixture;
        auto q = fixture.Db()->CreateQuery(QStringLiteral(
            "select ObjId, ObjType, Comments as comments, \"x\" as Extra, Int5 as INT1 from AllInfo where "
            "ObjType = 897"));
        QVERIFY(q && q->next());
        TDBMainInfo r;
        r.Str3 = QStringLiteral("old");
        r.Int5 = 9;
        r.LoadFromDataset(q->record());
        QCOMPARE(r.ObjType, Kind::DatabaseIdentity);
        QCOMPARE(r.Comments, QStringLiteral("Тестовая база"));
        QCOMPARE(r.Int1, 1);
        QCOMPARE(r.Int5, 0);
        QCOMPARE(r.Str3, QString());
        QVERIFY(!r.IsBlank);
    }

    void sameContentRules()
    {
        TDBMainInfo a;
        TDBMainInfo b;
        a.Obj = QStringLiteral("0000000a00000001");
        b.Obj = QStringLiteral("0000000A00000001");
        a.Str1 = QStringLiteral("Иванов");
        b.Str1 = QStringLiteral("иВАНОВ");
        a.DModify = 1;
        b.D1Search = 7;
        QVERIFY(a.SameContent(b));
        b.Link1 = QStringLiteral("abc");
        a.Link1 = QStringLiteral("ABC");
        QVERIFY(!a.SameContent(b));
        a.Link1 = b.Link1;
        b.Foto = QByteArray("1");
        QVERIFY(!a.SameContent(b));
        b.Foto.clear();
        b.IsBlank = false;
        QVERIFY(!a.SameContent(b));
        b.IsBlank = true;
        b.Int5 = 1;
        QVERIFY(!a.SameContent(b));
        b.Int5 = 0;
        b.D2Fixed = true;
        QVERIFY(!a.SameContent(b));
        TDBMainInfo blank;
        blank.Obj = QStringLiteral("   ");
        TDBMainInfo null;
        null.Obj = Ids::Null;
        QVERIFY(blank.SameContent(null));
    }

    void assignCopiesAndNotifies()
    {
        TTempDatabase fixture;
        TTempDatabase other;
        QStringList log;
        TLogFrame frame(log, QStringLiteral("f"));
        TDBMainInfo source;
        source.SetDatabase(other.Db());
        source.ObjType = Kind::Note;
        source.Str2 = QStringLiteral("текст");
        source.Foto = QByteArray("abc");
        source.IsBlank = false;
        TDBMainInfo target;
        frame.Attach(&target);
        target.Assign(&source);
        QVERIFY(target.SameContent(source));
        QCOMPARE(target.Database(), other.Db());
        QCOMPARE(log, QStringList {QStringLiteral("f:load")});
        target.Assign(nullptr);
        QVERIFY(target.IsBlank);
        QCOMPARE(target.Str2, QString());
        QCOMPARE(log.size(), 2);
    }

    void saveWalksTheFramesInOrder()
    {
        TTempDatabase fixture;
        TScriptedMessages messages;
        QStringList log;
        TLogFrame first(log, QStringLiteral("a"));
        TLogFrame second(log, QStringLiteral("b"));
        TDBMainInfo r;
        r.ObjType = Kind::Note;
        first.Attach(&r);
        second.Attach(&r);
        first.Edit = [](TDBMainInfo& record) { record.Str1 = QStringLiteral("из формы"); };

        QCOMPARE(r.Save(), 0); // a new object: saved, then loaded with its id
        QCOMPARE(log,
            (QStringList {QStringLiteral("a:apply"), QStringLiteral("b:apply"), QStringLiteral("a:saved"),
                QStringLiteral("b:saved"), QStringLiteral("a:load"), QStringLiteral("b:load")}));
        QCOMPARE(fixture.Scalar(QStringLiteral("select Str1 from AllInfo where ObjType = 10")).toString(),
            QStringLiteral("из формы"));
        log.clear();
        QCOMPARE(r.Save(), 0); // an update: saved only
        QCOMPARE(log,
            (QStringList {QStringLiteral("a:apply"), QStringLiteral("b:apply"), QStringLiteral("a:saved"),
                QStringLiteral("b:saved")}));
        log.clear();
        second.Refuse = 1;
        const TStoreResult refused = r.Save();
        QCOMPARE(refused.Code, -10);
        QCOMPARE(refused.Text, QStringLiteral("Укажите фамилию"));
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(log, (QStringList {QStringLiteral("a:apply"), QStringLiteral("b:apply")}));
        // Without showing errors every frame applies itself and the answer is yes.
        log.clear();
        first.Refuse = 1;
        QVERIFY(r.ApplyFrames(false));
        QCOMPARE(log, (QStringList {QStringLiteral("a:apply"), QStringLiteral("b:apply")}));
    }

    void framesChangingTheListDuringAWalkAreSafe()
    {
        QStringList log;
        TDBMainInfo r;
        auto first = std::make_unique<TLogFrame>(log, QStringLiteral("a"));
        auto second = std::make_unique<TLogFrame>(log, QStringLiteral("b"));
        TLogFrame late(log, QStringLiteral("late"));
        first->Attach(&r);
        second->Attach(&r);
        // The first frame destroys the second and attaches a new one while loading.
        first->OnLoad = [&] {
            second.reset();
            late.Attach(&r);
        };
        r.NotifyLoaded();
        QCOMPARE(log, QStringList {QStringLiteral("a:load")});
        QCOMPARE(r.Frames().size(), 2);
        first->OnLoad = nullptr;
        log.clear();
        r.NotifyLoaded();
        QCOMPARE(log, (QStringList {QStringLiteral("a:load"), QStringLiteral("late:load")}));
    }

    void dyingRecordDetachesItsFrames()
    {
        QStringList log;
        TLogFrame a(log, QStringLiteral("a"));
        TLogFrame b(log, QStringLiteral("b"));
        {
            TDBMainInfo r;
            a.Attach(&r);
            b.Attach(&r);
        }
        QCOMPARE(log, (QStringList {QStringLiteral("a:master"), QStringLiteral("b:master")}));
        QCOMPARE(a.Master, nullptr);
        QCOMPARE(b.Master, nullptr);
    }
};

QTEST_GUILESS_MAIN(TestObjectRecord)
#include "tst_objectrecord.moc"
