// The balance worker: balances equal to the sums after a burst of saves and deletions made while it runs,
// requests during a run merged into one more run, an account's rename and deletion never undone by a run,
// a save on the user's connection while a long list holds its rows and the worker commits, and the worker
// stopped as its database closes.
#include "finance/AccRestThread.h"
#include "finance/OperationStore.h"
#include "shell/widgets/ListModel.h"
#include "store/CascadeDelete.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/MoneyOperationView.h"
#include "tests/finance/OperationEntries.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString NewAccount(TObjectWeb& web, const QString& name)
{
    return web.Add(name, Kind::Account, [&](TDBMainInfo& r) {
        const TAccountView a(r);
        a.SetName(name);
        a.SetCurrency(u"руб"_s);
    });
}

// Every account whose stored balance differs from the sum of its operations, as "id: stored != sum".
QStringList StaleBalances(const TTempDatabase& fixture)
{
    QStringList stale;
    TDBMainInfo account;
    const QVariant count = fixture.Scalar(u"select count(*) from AllInfo where ObjType = 23"_s);
    for (int i = 0; i < count.toInt(); ++i) {
        const QString id = fixture
                               .Scalar(u"select ObjId from AllInfo where ObjType = 23 order by ObjId limit 1 offset "_s
                                   + QString::number(i))
                               .toString();
        const qint64 stored = fixture.Scalar(u"select Int5 from AllInfo where ObjId = '"_s + id + u"'"_s).toLongLong();
        const qint64 sum = fixture
                               .Scalar(u"select coalesce(sum(Int2), 0) from AllInfo where ObjType = 24 and Link1 = '"_s
                                   + id + u"'"_s)
                               .toLongLong();
        if (stored != sum)
            stale << u"%1: %2 != %3"_s.arg(id).arg(stored).arg(sum);
    }
    return stale;
}

qint64 StoredBalance(const TTempDatabase& fixture, const QString& id)
{
    return fixture.Scalar(u"select Int5 from AllInfo where ObjId = '"_s + id + u"'"_s).toLongLong();
}

// Holds the worker's next run where it has read the sums, until Release.
class TRunGate
{
public:
    explicit TRunGate(TAccRestThread& worker)
        : m_worker(worker)
    {
        m_worker.OnSumsRead = [this] {
            m_reached.release();
            m_proceed.acquire();
        };
    }
    ~TRunGate() { m_worker.OnSumsRead = nullptr; }
    /// Waits (up to ten seconds) for a run to reach the gate.
    bool Reached() { return m_reached.tryAcquire(1, 10000); }
    /// Lets \a runs runs through.
    void Release(int runs = 1) { m_proceed.release(runs); }

private:
    TAccRestThread& m_worker;
    QSemaphore m_reached;
    QSemaphore m_proceed;
};

} // namespace

class TestBalances : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void balancesEqualTheSumsAfterABurst()
    {
        TTempDatabase fixture;
        TScriptedMessages messages;
        TObjectWeb web;
        const QStringList accounts = {NewAccount(web, u"Кошелек"_s), NewAccount(web, u"Карта"_s),
            NewAccount(web, u"Вклад"_s), NewAccount(web, u"Пустой"_s)};
        QVERIFY(web.IsComplete());
        // A stale balance left behind, as by a crash: the first run mends it.
        QVERIFY(fixture.Run(u"update AllInfo set Int5 = 777 where ObjId = '"_s + accounts[3] + u"'"_s));
        TAccRestThread* worker = TAccRestThread::Of(fixture.Db());
        QVERIFY(worker);
        QCOMPARE(TAccRestThread::Of(fixture.Db()), worker);
        QSignalSpy updated(worker, &TAccRestThread::Updated);

        QRandomGenerator random(2026);
        QStringList saved;
        const int codes[] = {OperationCode::Income, OperationCode::Expense, OperationCode::Transfer,
            OperationCode::Exchange, OperationCode::Lent, OperationCode::LentReturned, OperationCode::Borrowed,
            OperationCode::BorrowedReturned};
        for (int step = 0; step < 50; ++step) {
            if (step % 5 == 4 && !saved.isEmpty()) {
                TDBMainInfo operation;
                QVERIFY(operation.SetObj(saved.takeAt(random.bounded(int(saved.size())))));
                if (operation.ObjType == Kind::MoneyOperation)
                    QVERIFY(CascadeDelete::DeleteObject(operation));
            } else {
                const int code = codes[random.bounded(8)];
                const int from = random.bounded(3);
                TDBMainInfo operation;
                QVERIFY(OperationStore::Store(
                    operation, Entry(code, accounts[from], random.bounded(1, 1000000), accounts[(from + 1) % 3]))
                            .Ok());
                saved << operation.Obj.Text();
            }
            worker->Request();
        }
        QTRY_VERIFY_WITH_TIMEOUT(worker->IsIdle(), 20000);
        QCOMPARE(StaleBalances(fixture), QStringList());
        QCOMPARE(StoredBalance(fixture, accounts[3]), qint64(0));
        QTRY_VERIFY(updated.count() >= 1);
        // Far fewer runs than requests: requests made during a run wait for one more run.
        QVERIFY2(worker->Runs() <= 50, qPrintable(QString::number(worker->Runs())));
        QCOMPARE(messages.Shown(), QStringList());
    }

    void requestsDuringARunCauseExactlyOneMore()
    {
        TTempDatabase fixture;
        TObjectWeb web;
        const QString wallet = NewAccount(web, u"Кошелек"_s);
        TAccRestThread worker(fixture.Db());
        {
            TRunGate gate(worker);
            worker.Request();
            QVERIFY(gate.Reached());
            // The run under way has read its sums already; what is saved now needs one more run.
            TDBMainInfo operation;
            QVERIFY(OperationStore::Store(operation, Entry(OperationCode::Income, wallet, 4200)).Ok());
            for (int i = 0; i < 10; ++i)
                worker.Request();
            QVERIFY(!worker.IsIdle());
            gate.Release(2);
            QVERIFY(gate.Reached());
            QTRY_VERIFY(worker.IsIdle());
        }
        QCOMPARE(worker.Runs(), 2);
        QCOMPARE(StoredBalance(fixture, wallet), qint64(4200));
        // Idle, each request is a run of its own.
        worker.Request();
        QTRY_COMPARE(worker.Runs(), 3);
        worker.Request();
        QTRY_COMPARE(worker.Runs(), 4);
    }

    void renameOnAnOpenAccountSurvives()
    {
        TTempDatabase fixture;
        TObjectWeb web;
        const QString wallet = NewAccount(web, u"Кошелек"_s);
        TAccRestThread worker(fixture.Db());
        // The card holds the account as it was before any balance.
        TDBMainInfo card;
        QVERIFY(card.SetObj(wallet));
        TDBMainInfo operation;
        QVERIFY(OperationStore::Store(operation, Entry(OperationCode::Income, wallet, 1500)).Ok());
        worker.Request();
        QTRY_VERIFY(worker.IsIdle());
        QCOMPARE(StoredBalance(fixture, wallet), qint64(1500));
        // Saved from the card after the worker committed: the card's stale balance is not written back.
        TAccountView(card).SetName(u"Кошелек новый"_s);
        QVERIFY(card.Save().Ok());
        QCOMPARE(StoredBalance(fixture, wallet), qint64(1500));

        // Renamed while a run has read its sums: the run writes the balance and keeps the new name.
        QVERIFY(OperationStore::Store(operation, Entry(OperationCode::Income, wallet, 2500)).Ok());
        {
            TRunGate gate(worker);
            worker.Request();
            QVERIFY(gate.Reached());
            TAccountView(card).SetName(u"Наличные"_s);
            QVERIFY(card.Save().Ok());
            gate.Release();
            QTRY_VERIFY(worker.IsIdle());
        }
        QCOMPARE(StoredBalance(fixture, wallet), qint64(2500));
        QCOMPARE(
            fixture.Scalar(u"select Str1 from AllInfo where ObjId = '"_s + wallet + u"'"_s).toString(), u"Наличные"_s);
    }

    void deletedAccountStaysDeleted()
    {
        TTempDatabase fixture;
        TObjectWeb web;
        const QString wallet = NewAccount(web, u"Кошелек"_s);
        const QString card = NewAccount(web, u"Карта"_s);
        TDBMainInfo operation;
        QVERIFY(OperationStore::Store(operation, Entry(OperationCode::Transfer, wallet, 300, card)).Ok());
        TAccRestThread worker(fixture.Db());
        {
            TRunGate gate(worker);
            worker.Request();
            QVERIFY(gate.Reached());
            // Both balances are stale in the run's eyes; the account goes with its transfer meanwhile.
            TDBMainInfo account;
            QVERIFY(account.SetObj(wallet));
            QVERIFY(CascadeDelete::DeleteObject(account));
            gate.Release();
            QTRY_VERIFY(worker.IsIdle());
        }
        QCOMPARE(fixture.Scalar(u"select count(*) from AllInfo where ObjId = '"_s + wallet + u"'"_s).toInt(), 0);
        // The other half went with it: the other account's balance is the sum of what is left.
        worker.Request();
        QTRY_VERIFY(worker.IsIdle());
        QCOMPARE(StaleBalances(fixture), QStringList());
        QCOMPARE(StoredBalance(fixture, card), qint64(0));
    }

    void saveWhileALongListIsOpenAndTheWorkerCommits()
    {
        TTempDatabase fixture;
        TObjectWeb web;
        const QString wallet = NewAccount(web, u"Кошелек"_s);
        // 300,000 operations on the account, written in one statement.
        const QString rows = TTempDatabase::OnServer()
            ? u"insert into AllInfo (ObjId, ObjType, Int1, Int2, Link1) select 'T' || lpad(to_hex(g), 15, '0'), 24, 1, 1, '"_s
                + wallet + u"' from generate_series(1, 300000) as g"_s
            : u"with recursive g(n) as (select 1 union all select n + 1 from g where n < 300000) "
              "insert into AllInfo (ObjId, ObjType, Int1, Int2, Link1) select printf('T%015X', n), 24, 1, 1, '"_s
                + wallet + u"' from g"_s;
        QVERIFY(fixture.Run(rows));
        TListModel list;
        QVERIFY(list.Open(fixture.Db(), u"select AllInfo.* from AllInfo where ObjType = 24 order by ObjId"_s));
        QCOMPARE(list.Row(0).Text(u"ObjType"_s), u"24"_s);
        QVERIFY(!list.IsCountKnown());

        TAccRestThread worker(fixture.Db());
        worker.Request();
        QTRY_VERIFY_WITH_TIMEOUT(worker.IsIdle(), 20000);
        QCOMPARE(StoredBalance(fixture, wallet), qint64(300000));
        TDBMainInfo account;
        QVERIFY(account.SetObj(wallet));
        account.Comments = u"после пересчета"_s;
        const TStoreResult saved = account.Save();
        QVERIFY2(saved.Ok(), qPrintable(saved.Text));
        // The list reads on past its first rows as it did.
        QVERIFY(list.RecordCount() >= 300000);
        QCOMPARE(list.Row(200000).Text(u"ObjType"_s), u"24"_s);
    }

    void stopsBeforeItsDatabaseCloses()
    {
        auto fixture = std::make_unique<TTempDatabase>();
        TObjectWeb web;
        const QString wallet = NewAccount(web, u"Кошелек"_s);
        TDBMainInfo operation;
        QVERIFY(OperationStore::Store(operation, Entry(OperationCode::Income, wallet, 100)).Ok());
        TAccRestThread* worker = TAccRestThread::Of(fixture->Db());
        QPointer<TAccRestThread> alive(worker);
        worker->Request();
        // The database closes at once, whatever the run is doing: the run ends first, then the worker goes.
        fixture.reset();
        QVERIFY(alive.isNull());
    }
};

QTEST_MAIN(TestBalances)
#include "tst_balances.moc"
