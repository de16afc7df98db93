// The bulk record writer: rows written as a save writes them, identifiers taken in blocks yet unique and
// continuing where saving row by row would, a failure leaving the whole transaction to its owner, and the
// refusals a save gives.
#include "store/BulkRecordWriter.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PersonView.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TempDatabase.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TObjectRow Person(const QString& surname)
{
    TObjectRow row;
    row.ObjType = Kind::Person;
    const TPersonView view(row);
    view.SetSurname(surname);
    view.SetFirstName(u"Иван"_s);
    view.SetBirthDate(DateSerial::FromDate(QDate(1980, 5, 17)));
    view.SetBirthDateComplete(true);
    return row;
}

// Every column of a row but its id, as text.
QString Columns(TTempDatabase& fixture, const QString& id)
{
    auto q = fixture.Db()->CreateQuery(u"select * from AllInfo where ObjId = '"_s + id + u"'"_s);
    if (!q || !q->next())
        return QString();
    QStringList values;
    const QSqlRecord row = q->record();
    for (int i = 0; i < row.count(); ++i) {
        if (row.fieldName(i).compare(u"ObjId"_s, Qt::CaseInsensitive) != 0)
            values << row.fieldName(i).toLower() + u'=' + row.value(i).toString();
    }
    values.sort();
    return values.join(u'|');
}

qint64 Counter(TTempDatabase& fixture)
{
    return fixture.Scalar(u"select Int1 from AllInfo where ObjType = 899"_s).toLongLong();
}

} // namespace

class TestBulkRecordWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void rowsAreWrittenAsASaveWritesThem()
    {
        TTempDatabase fixture;
        TFixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
        TDBMainInfo saved;
        saved.SetDatabase(fixture.Db());
        static_cast<TObjectRow&>(saved) = Person(u"Петров"_s);
        QVERIFY(saved.Save().Ok());

        TObjectRow row = Person(u"Петров"_s);
        {
            TWriteTransaction transaction(fixture.Db());
            TBulkRecordWriter writer(fixture.Db());
            QVERIFY(writer.Insert(row).Ok());
            QVERIFY(writer.Finish());
            QVERIFY(transaction.Commit());
        }
        // The next id, the stamps, the search date and the derived display name, as the save wrote them.
        QCOMPARE(row.Obj.Text(), u"0000001A00000002"_s);
        QVERIFY(!row.IsBlank);
        QCOMPARE(row.DCreate, DateSerial::FromDateTime(clock.Now()));
        QCOMPARE(TConstPersonView(row).DisplayName(), TConstPersonView(saved).DisplayName());
        QCOMPARE(Columns(fixture, row.Obj), Columns(fixture, saved.Obj));
        QCOMPARE(Counter(fixture), 2);
    }

    void identifiersAreUniqueAndTheCounterContinues()
    {
        TTempDatabase fixture;
        TMyDataBase* db = fixture.Db();
        QSet<QString> ids;
        {
            TWriteTransaction transaction(db);
            TBulkRecordWriter writer(db);
            // Enough rows to take several blocks; between them, a record saved the ordinary way.
            for (int i = 0; i < 100; ++i) {
                TObjectRow row = Person(u"Сидоров"_s + QString::number(i));
                QVERIFY(writer.Insert(row).Ok());
                ids.insert(row.Obj.Text());
                if (i == 40) {
                    TDBMainInfo between;
                    between.SetDatabase(db);
                    static_cast<TObjectRow&>(between) = Person(u"Между"_s);
                    QVERIFY(between.Save().Ok());
                    ids.insert(between.Obj.Text());
                }
            }
            QVERIFY(writer.Finish());
            QVERIFY(transaction.Commit());
        }
        QCOMPARE(ids.size(), 101);
        QCOMPARE(fixture.Scalar(u"select count(*) from AllInfo where ObjType = 1"_s).toInt(), 101);
        // The ordinary save took the counter's next id between two of the writer's blocks: nothing was given
        // twice, and the counter stands past every id given.
        const qint64 counter = Counter(fixture);
        QVERIFY(counter >= 101);
        const QString next = db->NewId(Kind::Person);
        QVERIFY(!ids.contains(next));
        QCOMPARE(next, MakeId(static_cast<quint32>(counter + 1), 0x1A));

        // Without anything between, the identifiers left of the last block go back: the counter stands where
        // saving row by row would have left it.
        const qint64 start = Counter(fixture);
        {
            TWriteTransaction transaction(db);
            TBulkRecordWriter writer(db);
            for (int i = 0; i < 11; ++i) {
                TObjectRow row = Person(u"Козлов"_s);
                QVERIFY(writer.Insert(row).Ok());
                QCOMPARE(row.Obj.Text(), MakeId(static_cast<quint32>(start + 1 + i), 0x1A));
            }
            QVERIFY(writer.Finish());
            QVERIFY(transaction.Commit());
        }
        QCOMPARE(Counter(fixture), start + 11);
        // Two rows that name each other take their ids first; the database list keeps its own counter.
        {
            TWriteTransaction transaction(db);
            TBulkRecordWriter writer(db);
            TObjectRow a = Person(u"Первый"_s);
            TObjectRow b = Person(u"Второй"_s);
            a.Obj = writer.NewId(Kind::Person);
            b.Obj = writer.NewId(Kind::Person);
            a.Link5 = b.Obj;
            b.Link5 = a.Obj;
            QVERIFY(writer.Insert(b).Ok());
            QVERIFY(writer.Insert(a).Ok());
            QCOMPARE(a.Obj.Text(), MakeId(static_cast<quint32>(start + 12), 0x1A));
            QVERIFY(writer.NewId(Kind::DatabaseEntry).startsWith(u"00000001"_s));
            QVERIFY(writer.Finish());
            QVERIFY(transaction.Commit());
        }
        QCOMPARE(Counter(fixture), start + 13);
    }

    void aFailedRowLeavesTheWholeTransactionToItsOwner()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.RefuseRows(u"Str1"_s, u"Отказ"_s));
        const QString before = fixture.Dump();
        const qint64 counter = Counter(fixture);
        {
            TWriteTransaction transaction(fixture.Db());
            TBulkRecordWriter writer(fixture.Db());
            TObjectRow first = Person(u"Первый"_s);
            QVERIFY(writer.Insert(first).Ok());
            TObjectRow refused = Person(u"Отказ"_s);
            const TStoreResult result = writer.Insert(refused);
            QCOMPARE(result.Code, int(SaveResult::Failed));
            QVERIFY(!result.Text.isEmpty());
            QVERIFY(IsNewId(refused.Obj));
            // Nothing more goes through a writer that failed.
            TObjectRow after = Person(u"После"_s);
            QCOMPARE(writer.Insert(after).Code, int(SaveResult::Failed));
            transaction.Rollback();
        }
        QCOMPARE(fixture.Dump(), before);
        QCOMPARE(Counter(fixture), counter);

        // A kind's own rule refuses a row after it was written: a branch of a branch.
        {
            TWriteTransaction transaction(fixture.Db());
            TBulkRecordWriter writer(fixture.Db());
            TObjectRow firm;
            firm.ObjType = Kind::Organization;
            OrganizationView(firm).SetName(u"Ромашка"_s);
            QVERIFY(writer.Insert(firm).Ok());
            TObjectRow branch;
            branch.ObjType = Kind::Organization;
            OrganizationView(branch).SetName(u"Отдел"_s);
            OrganizationView(branch).SetParent(firm.Obj);
            QVERIFY(writer.Insert(branch).Ok());
            TObjectRow deeper;
            deeper.ObjType = Kind::Organization;
            OrganizationView(deeper).SetName(u"Сектор"_s);
            OrganizationView(deeper).SetParent(branch.Obj);
            const TStoreResult result = writer.Insert(deeper);
            QCOMPARE(result.Code, int(SaveResult::Failed));
            QCOMPARE(result.Text, OrganizationTexts::BranchOfBranch);
            transaction.Rollback();
        }
        QCOMPARE(fixture.Dump(), before);
    }

    void refusesWhatASaveRefuses()
    {
        TTempDatabase fixture;
        const QString before = fixture.Dump();
        TBulkRecordWriter outside(fixture.Db());
        TObjectRow row = Person(u"Вне"_s);
        // Outside a write transaction nothing is written.
        QCOMPARE(outside.Insert(row).Code, int(SaveResult::Failed));
        QCOMPARE(fixture.Dump(), before);

        TWriteTransaction transaction(fixture.Db());
        TBulkRecordWriter writer(fixture.Db());
        TObjectRow none = Person(u"Поверх"_s);
        none.Obj = Ids::None;
        const TStoreResult fixed = writer.Insert(none);
        QCOMPARE(fixed.Code, int(SaveResult::NotPermitted));
        QCOMPARE(fixed.Text, u"Нет разрешения на данную операцию!"_s);
        TBulkRecordWriter second(fixture.Db());
        TObjectRow bad;
        bad.ObjType = -1;
        QCOMPARE(second.Insert(bad).Code, int(SaveResult::BadKind));
        TBulkRecordWriter third(fixture.Db());
        TObjectRow dialog;
        dialog.ObjType = 1000;
        QVERIFY(Kind::IsDialogKind(dialog.ObjType));
        QVERIFY(third.Insert(dialog).Ok());
        QVERIFY(IsNewId(dialog.Obj));
        QVERIFY(third.Finish());
        QVERIFY(transaction.Commit());
        QCOMPARE(fixture.Dump(), before);
    }
};

QTEST_MAIN(TestBulkRecordWriter)
#include "tst_bulkrecordwriter.moc"
