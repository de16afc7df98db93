// The cascading deletion: for every kind exactly its dependants go, the rest is kept or redirected to the
// none id, and a deletion is written whole or not at all.
#include "store/CascadeDelete.h"
#include "store/DataBase.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <algorithm>

namespace {

// Stands in for the main window: records the kinds it is told about.
class TRecordedEvents final : public TObjectEvents
{
public:
    TRecordedEvents()
        : m_previous(SetObjectEvents(this))
    {
    }
    ~TRecordedEvents() override { SetObjectEvents(m_previous); }
    TRecordedEvents(const TRecordedEvents&) = delete;
    TRecordedEvents& operator=(const TRecordedEvents&) = delete;

    void ObjectSaved(int kind) override { Kinds.append(kind); }

    QList<int> Kinds;

private:
    TObjectEvents* m_previous;
};

// Every row by its id (upper-cased), read through the database under test.
QMap<QString, QString> Rows(TMyDataBase* db)
{
    QMap<QString, QString> rows;
    auto q = db->CreateQuery(QStringLiteral("select * from AllInfo"));
    while (q && q->next()) {
        const QSqlRecord r = q->record();
        QStringList cells;
        for (int i = 0; i < r.count(); ++i)
            cells << (r.isNull(i) ? QStringLiteral("NULL") : r.value(i).toString());
        rows.insert(r.value(QStringLiteral("ObjId")).toString().toUpper(), cells.join(QLatin1Char('|')));
    }
    return rows;
}

int RowsNaming(TMyDataBase* db, const QString& id)
{
    const QString v = SqlDialect::Quote(id);
    auto q = db->CreateQuery(QStringLiteral("select count(*) from AllInfo where Link1 = ") + v
        + QStringLiteral(" or Link2 = ") + v + QStringLiteral(" or Link3 = ") + v + QStringLiteral(" or Link4 = ") + v
        + QStringLiteral(" or Link5 = ") + v);
    return q && q->next() ? q->value(0).toInt() : -1;
}

QString Column(TMyDataBase* db, const QString& id, const QString& column)
{
    auto q = db->CreateQuery(
        QStringLiteral("select ") + column + QStringLiteral(" from AllInfo where ObjId = ") + SqlDialect::Quote(id));
    return q && q->next() ? q->value(0).toString() : QStringLiteral("<no row>");
}

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}

// Makes the engine refuse to delete rows of one kind, so that a deletion fails halfway.
bool RefuseDeleting(TTempDatabase& fixture, int kind)
{
    if (TTempDatabase::OnServer()) {
        return fixture.Run(QStringLiteral("create function zorvin_refuse_delete() returns trigger language plpgsql as "
                                          "$$ begin raise exception 'refused'; end $$"))
            && fixture.Run(QStringLiteral("create trigger zorvin_refuse_delete before delete on AllInfo for each row "
                                          "when (old.ObjType = %1) execute function zorvin_refuse_delete()")
                               .arg(kind));
    }
    return fixture.Run(
        QStringLiteral("create trigger zorvin_refuse_delete before delete on AllInfo when old.ObjType = %1 "
                       "begin select raise(abort, 'refused'); end")
            .arg(kind));
}

bool AllowDeleting(TTempDatabase& fixture)
{
    return fixture.Run(TTempDatabase::OnServer() ? QStringLiteral("drop trigger zorvin_refuse_delete on AllInfo")
                                                 : QStringLiteral("drop trigger zorvin_refuse_delete"));
}

bool Load(TDBMainInfo& record, const QString& id)
{
    return record.SetObj(id) && !record.Obj.IsBlank();
}

bool DeleteFromWeb(const TObjectWeb& web, const QString& key)
{
    TDBMainInfo object;
    return Load(object, web.Id(key)) && CascadeDelete::DeleteObject(object);
}

} // namespace

class TestCascadeDelete : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void deletesExactlyTheDependants_data()
    {
        QTest::addColumn<QString>("victim");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QList<int>>("announced");
        auto row = [](const char* name, const QString& victim, const QString& removed, const QString& changed,
                       QList<int> announced) {
            auto split = [](const QString& keys) { return keys.split(QLatin1Char(' '), Qt::SkipEmptyParts); };
            QTest::newRow(name) << victim << split(removed) << split(changed) << announced;
        };
        row("person, first partner of a couple", QStringLiteral("husband"),
            QStringLiteral("husband noteToHusband transferOutLink husbandHome husbandMail husbandPhone "
                           "workRole firmRole"),
            QStringLiteral("family husbandToNote event income transferOut"), {7, 1});
        row("person, second partner of a couple", QStringLiteral("wife"),
            QStringLiteral("wife wifeHome guestRole eventRole"), QStringLiteral("family"), {7, 1});
        row("person, only partner of a family", QStringLiteral("single"), QStringLiteral("single singleFamily"),
            QStringLiteral("child"), {7, 1});
        row("person, a child", QStringLiteral("child"), QStringLiteral("child"), QString(), {7, 1});
        row("person, adopted", QStringLiteral("adopted"), QStringLiteral("adopted adoption"), QString(), {7, 1});
        row("family", QStringLiteral("family"), QStringLiteral("family adoption"), QStringLiteral("child"), {7});
        row("address", QStringLiteral("address"),
            QStringLiteral("address addressPhone husbandHome wifeHome firmOffice"), QStringLiteral("event"), {3});
        row("organization with branches", QStringLiteral("firm"),
            QStringLiteral("firm noteToFirm incomeLink firmOffice firmSite firmPhone workRole firmRole firmGroup"),
            QStringLiteral("branch1 branch2 income projectExpense"), {21, 6});
        row("organization, a branch", QStringLiteral("branch1"), QStringLiteral("branch1"), QString(), {6});
        row("event", QStringLiteral("event"), QStringLiteral("event transferInLink eventRole guestRole eventGroup"),
            QStringLiteral("transferIn"), {21, 8});
        row("note", QStringLiteral("note"), QStringLiteral("note noteToHusband noteToFirm husbandToNote"), QString(),
            {10});
        row("attachment of a note to an object", QStringLiteral("noteToHusband"), QStringLiteral("noteToHusband"),
            QString(), {34});
        row("attachment of an object to a note", QStringLiteral("husbandToNote"),
            QStringLiteral("husbandToNote noteToHusband"), QString(), {34});
        row("role with its opposite side", QStringLiteral("workRole"), QStringLiteral("workRole firmRole"), QString(),
            {20});
        row("group, a project", QStringLiteral("project"), QStringLiteral("project projectGroup"),
            QStringLiteral("projectExpense event eventGroup"), {21});
        row("group, a category", QStringLiteral("category"), QStringLiteral("category subcategory"),
            QStringLiteral("income projectExpense"), {21});
        row("group, an event group", QStringLiteral("eventGroup"), QStringLiteral("eventGroup"), QString(), {21});
        row("account paying a transfer", QStringLiteral("account1"),
            QStringLiteral("account1 income transferOut transferIn incomeLink transferOutLink transferInLink"),
            QString(), {24, 23});
        row("account receiving a transfer", QStringLiteral("account2"),
            QStringLiteral("account2 transferIn projectExpense transferOut transferInLink transferOutLink"), QString(),
            {24, 23});
        row("money operation, a plain one", QStringLiteral("income"), QStringLiteral("income incomeLink"), QString(),
            {24});
        row("money operation, first half of a transfer", QStringLiteral("transferOut"),
            QStringLiteral("transferOut transferIn transferOutLink transferInLink"), QString(), {24});
        row("money operation, second half of a transfer", QStringLiteral("transferIn"),
            QStringLiteral("transferIn transferOut transferInLink transferOutLink"), QString(), {24});
        row("operation link", QStringLiteral("incomeLink"), QStringLiteral("incomeLink"), QStringLiteral("income"),
            {82});
        row("residence", QStringLiteral("husbandHome"), QStringLiteral("husbandHome"), QString(), {80});
        row("adoption", QStringLiteral("adoption"), QStringLiteral("adoption"), QString(), {81});
        row("phone", QStringLiteral("husbandPhone"), QStringLiteral("husbandPhone"), QString(), {4});
        row("internet contact", QStringLiteral("husbandMail"), QStringLiteral("husbandMail"), QString(), {5});
    }

    void deletesExactlyTheDependants()
    {
        QFETCH(QString, victim);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, changed);
        QFETCH(QList<int>, announced);

        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());
        TScriptedMessages messages;
        TObjectWeb web;
        QVERIFY(web.Build());
        TRecordedEvents heard;
        const QMap<QString, QString> before = Rows(fixture.Db());
        TDBMainInfo object;
        QVERIFY(Load(object, web.Id(victim)));

        QStringList deleted;
        QCOMPARE(CascadeDelete::Delete(object, &deleted).Code, int(CascadeDelete::Result::Deleted));

        const QMap<QString, QString> after = Rows(fixture.Db());
        // The cascade names every row it deleted, once.
        QStringList deletedKeys;
        for (const QString& id : std::as_const(deleted))
            deletedKeys << web.Key(id);
        QCOMPARE(Sorted(deletedKeys), Sorted(removed));
        QStringList gone;
        QStringList altered;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QString name = web.Key(it.key()).isEmpty() ? it.key() : web.Key(it.key());
            if (!after.contains(it.key()))
                gone << name;
            else if (after.value(it.key()) != it.value())
                altered << name;
        }
        QCOMPARE(Sorted(gone), Sorted(removed));
        QCOMPARE(Sorted(altered), Sorted(changed));
        QCOMPARE(after.size(), before.size() - gone.size());
        for (const QString& key : std::as_const(removed))
            QCOMPARE(RowsNaming(fixture.Db(), web.Id(key)), 0);
        QCOMPARE(heard.Kinds, announced);
        QCOMPARE(messages.Shown(), QStringList());
    }

    void columnsAfterTheDeletion_data()
    {
        QTest::addColumn<QString>("victim");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected"); // a key of the web stands for its id
        auto row = [](const char* name, const char* victim, const char* target, const char* column,
                       const QString& expected) {
            QTest::newRow(name) << QString::fromLatin1(victim) << QString::fromLatin1(target)
                                << QString::fromLatin1(column) << expected;
        };
        const QString none = Ids::None;
        row("couple: the lost partner is nobody", "husband", "family", "Link1", none);
        row("couple: the lost partner's name is blanked", "husband", "family", "Str1", QString());
        row("couple: the other partner stays", "husband", "family", "Link2", QStringLiteral("wife"));
        row("couple: the other partner's name stays", "husband", "family", "Str2", QStringLiteral("Иванова Мария"));
        row("branch: independent", "firm", "branch1", "Link1", none);
        row("branch: named by its name and the former parent's", "firm", "branch1", "Str5",
            QStringLiteral("Филиал Ромашка"));
        row("second branch: named likewise", "firm", "branch2", "Str5", QStringLiteral("Склад Ромашка"));
        row("project: operation loses the project", "project", "projectExpense", "Link3", none);
        row("project: operation loses the subcategory", "project", "projectExpense", "Link4", none);
        row("project: operation keeps its account", "project", "projectExpense", "Link1", QStringLiteral("account2"));
        row("link count: object of a link", "firm", "income", "Int3", QStringLiteral("0"));
        row("link count: the link itself", "incomeLink", "income", "Int3", QStringLiteral("0"));
        row("link count: a paired half's link", "event", "transferIn", "Int3", QStringLiteral("0"));
        row("link count: other operations keep theirs", "event", "transferOut", "Int3", QStringLiteral("1"));
    }

    void columnsAfterTheDeletion()
    {
        QFETCH(QString, victim);
        QFETCH(QString, target);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        TTempDatabase fixture;
        TObjectWeb web;
        QVERIFY(web.Build());
        QVERIFY(DeleteFromWeb(web, victim));
        const QString value = web.Id(expected).isEmpty() ? expected : web.Id(expected);
        QCOMPARE(Column(fixture.Db(), web.Id(target), column), value);
    }

    void lastPartnerTakesTheFamilyAlong()
    {
        TTempDatabase fixture;
        TScriptedMessages messages;
        TObjectWeb web;
        QVERIFY(web.Build());
        TMyDataBase* db = fixture.Db();
        const QString family = web.Id(QStringLiteral("family"));
        QVERIFY(DeleteFromWeb(web, QStringLiteral("husband")));

        TRecordedEvents heard;
        QVERIFY(DeleteFromWeb(web, QStringLiteral("wife")));
        QCOMPARE(Column(db, family, QStringLiteral("ObjId")), QStringLiteral("<no row>"));
        QCOMPARE(Column(db, web.Id(QStringLiteral("adoption")), QStringLiteral("ObjId")), QStringLiteral("<no row>"));
        QCOMPARE(Column(db, web.Id(QStringLiteral("child")), QStringLiteral("Link1")), Ids::None);
        QCOMPARE(RowsNaming(db, family), 0);
        QCOMPARE(heard.Kinds, (QList<int> {7, 1}));
        QCOMPARE(messages.Shown(), QStringList());
    }

    // A family kept with unknown parents stays, with its children, whoever else is deleted.
    void familyWithUnknownParentsOutlivesOtherPeople()
    {
        TTempDatabase fixture;
        TObjectWeb web;
        QVERIFY(web.Build());
        const QString family = web.Id(QStringLiteral("emptyFamily"));
        const QString foundling = web.Add(QStringLiteral("foundling"), Kind::Person, [&](TDBMainInfo& r) {
            r.Str1 = QStringLiteral("Найдёнов");
            r.Link1 = family;
        });
        QVERIFY(!foundling.isEmpty());
        for (const char* victim : {"husband", "wife", "single", "child"})
            QVERIFY(DeleteFromWeb(web, QString::fromLatin1(victim)));
        QCOMPARE(Column(fixture.Db(), family, QStringLiteral("ObjId")), family);
        QCOMPARE(Column(fixture.Db(), foundling, QStringLiteral("Link1")), family);
    }

    void failingStatementLeavesEverythingAsItWas()
    {
        TTempDatabase fixture;
        TScriptedMessages messages;
        TObjectWeb web;
        QVERIFY(web.Build());
        TRecordedEvents heard;
        TDBMainInfo husband;
        QVERIFY(Load(husband, web.Id(QStringLiteral("husband"))));
        // The residences go in stage 2, after the families were changed and one was deleted.
        QVERIFY(RefuseDeleting(fixture, Kind::Residence));
        const QString before = fixture.Dump();

        const TStoreResult failed = CascadeDelete::Delete(husband);
        QCOMPARE(failed.Code, int(CascadeDelete::Result::Failed));
        QCOMPARE(failed.Text, QStringLiteral("Запрос вызвал ошибку"));
        QVERIFY(!CascadeDelete::DeleteObject(husband));
        QCOMPARE(fixture.Dump(), before);
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(heard.Kinds, QList<int>());

        // Nothing was left open: once the engine allows it, the same deletion goes through.
        QVERIFY(AllowDeleting(fixture));
        QVERIFY(CascadeDelete::DeleteObject(husband));
        QCOMPARE(RowsNaming(fixture.Db(), husband.Obj), 0);
        QCOMPARE(heard.Kinds, (QList<int> {7, 1}));
    }

    void refusedWhereWritingIsNotAllowed_data()
    {
        QTest::addColumn<int>("writeMode");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("reference database")
            << 0 << int(CascadeDelete::Result::ReferenceDatabase) << QStringLiteral("Попытка записи в базу констант!");
        QTest::newRow("write mode 2") << 2 << int(CascadeDelete::Result::NotPermitted)
                                      << QStringLiteral("Нет разрешения на данную операцию!");
        QTest::newRow("write mode -1") << -1 << int(CascadeDelete::Result::NotPermitted)
                                       << QStringLiteral("Нет разрешения на данную операцию!");
    }

    void refusedWhereWritingIsNotAllowed()
    {
        QFETCH(int, writeMode);
        QFETCH(int, result);
        QFETCH(QString, message);
        TTempDatabase fixture;
        TScriptedMessages messages;
        TObjectWeb web;
        QVERIFY(web.Build());
        QCOMPARE(
            fixture.Db()->Execute(QStringLiteral("update AllInfo set Int5 = %1 where ObjType = 897").arg(writeMode)),
            0);
        QCOMPARE(fixture.Reopen(), 0);
        TRecordedEvents heard;
        TDBMainInfo firm;
        QVERIFY(Load(firm, web.Id(QStringLiteral("firm"))));
        const QString before = fixture.Dump();

        const TStoreResult refused = CascadeDelete::Delete(firm);
        QCOMPARE(refused.Code, result);
        QCOMPARE(refused.Text, message);
        QCOMPARE(fixture.Dump(), before);
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(heard.Kinds, QList<int>());
    }

    void fixedRowsAndEmptyIdsAreNeverDeleted_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("kind");
        QTest::newRow("none id (the placeholder row)") << Ids::None << int(Kind::Placeholder);
        QTest::newRow("none id in lower case") << Ids::None.toLower() << int(Kind::Person);
        QTest::newRow("null id") << Ids::Null << int(Kind::Person);
        QTest::newRow("blank id") << QString() << int(Kind::Person);
        QTest::newRow("system row") << Ids::SystemRow << int(Kind::DatabaseIdentity);
        QTest::newRow("identity row") << Schema::IdentityRowId() << int(Kind::IdentityRow);
    }

    void fixedRowsAndEmptyIdsAreNeverDeleted()
    {
        QFETCH(QString, id);
        QFETCH(int, kind);
        TTempDatabase fixture;
        TScriptedMessages messages;
        TObjectWeb web;
        QVERIFY(web.Build());
        TRecordedEvents heard;
        TDBMainInfo object;
        object.SetId(id);
        object.ObjType = kind;
        const QString before = fixture.Dump();
        QCOMPARE(CascadeDelete::Delete(object).Code, int(CascadeDelete::Result::NotDeletable));
        QCOMPARE(fixture.Dump(), before);
        QCOMPARE(messages.Shown(), QStringList());
        QCOMPARE(heard.Kinds, QList<int>());
    }

    void damagedPairedHalfDeletesNothingElse_data()
    {
        QTest::addColumn<QString>("target"); // a key of the web, or the system or identity row
        QTest::addColumn<bool>("wholeAccount");
        for (const bool account : {false, true}) {
            const char* victim = account ? "account" : "operation";
            for (const char* target : {"system row", "identity row", "husband", "workRole", "projectExpense"})
                QTest::addRow("%s naming %s", victim, target) << QString::fromLatin1(target) << account;
        }
    }

    // An operation whose Link5 names a row that is not an operation pointing back loses only itself.
    void damagedPairedHalfDeletesNothingElse()
    {
        QFETCH(QString, target);
        QFETCH(bool, wholeAccount);
        TTempDatabase fixture;
        TScriptedMessages messages;
        TObjectWeb web;
        QVERIFY(web.Build());
        const QString targetId = target == QLatin1String("system row") ? Ids::SystemRow
            : target == QLatin1String("identity row")                  ? fixture.Db()->IdentityRowId()
                                                                       : web.Id(target);
        QVERIFY(!targetId.isEmpty());
        QVERIFY(!web.Add(QStringLiteral("damaged"), Kind::MoneyOperation,
                        [&](TDBMainInfo& r) {
                            r.Int1 = 2;
                            r.Int2 = -500;
                            r.Link1 = web.Id(QStringLiteral("account1"));
                            r.Link5 = targetId;
                        })
                     .isEmpty());
        const QString targetRow = Rows(fixture.Db()).value(targetId.toUpper());
        QVERIFY(!targetRow.isEmpty());

        QVERIFY(DeleteFromWeb(web, wholeAccount ? QStringLiteral("account1") : QStringLiteral("damaged")));
        QCOMPARE(Column(fixture.Db(), web.Id(QStringLiteral("damaged")), QStringLiteral("ObjId")),
            QStringLiteral("<no row>"));
        // The row named is still there; only a reference to the deleted operation may have become the none id.
        QVERIFY(Rows(fixture.Db()).contains(targetId.toUpper()));
        if (!wholeAccount)
            QCOMPARE(Rows(fixture.Db()).value(targetId.toUpper()), targetRow);
        QCOMPARE(Column(fixture.Db(), web.Id(QStringLiteral("transferIn")), QStringLiteral("ObjId")),
            wholeAccount ? QStringLiteral("<no row>") : web.Id(QStringLiteral("transferIn")));
        QCOMPARE(messages.Shown(), QStringList());
        // The database still opens: its system and identity rows are whole.
        QCOMPARE(fixture.Reopen(), 0);
        QVERIFY(!fixture.Db()->IdentityRowId().isEmpty());
    }

    void deletesOnTheRecordsOwnDatabase()
    {
        TTempDatabase other;
        TObjectWeb otherWeb(other.Db());
        QVERIFY(otherWeb.Build());
        TTempDatabase fixture; // now the current database
        TObjectWeb web;
        QVERIFY(web.Build());
        TDBMainInfo firm;
        firm.SetDatabase(other.Db());
        QVERIFY(Load(firm, otherWeb.Id(QStringLiteral("firm"))));
        const QString current = fixture.Dump();
        QVERIFY(CascadeDelete::DeleteObject(firm));
        QCOMPARE(fixture.Dump(), current);
        QCOMPARE(Column(other.Db(), otherWeb.Id(QStringLiteral("firm")), QStringLiteral("ObjId")),
            QStringLiteral("<no row>"));
    }
};

QTEST_GUILESS_MAIN(TestCascadeDelete)
#include "tst_cascadedelete.moc"
