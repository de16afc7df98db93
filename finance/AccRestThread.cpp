#include "finance/AccRestThread.h"

#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AccountView.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

TAccRestThread* TAccRestThread::Of(TMyDataBase* db)
{
    if (!db)
        return nullptr;
    if (auto* worker = db->findChild<TAccRestThread*>(QString(), Qt::FindDirectChildrenOnly))
        return worker;
    return new TAccRestThread(db);
}

TAccRestThread::TAccRestThread(TMyDataBase* db)
    : QObject(db)
    , m_db(db)
{
    // The worker's connection and its run end before the database's connection does.
    connect(db, &TMyDataBase::Closing, this, &TAccRestThread::Stop, Qt::DirectConnection);
    // The lists of accounts read the new balances.
    connect(this, &TAccRestThread::Updated, this, [] { AnnounceObjectSaved(Kind::Account); });
}

TAccRestThread::~TAccRestThread()
{
    Stop();
}

void TAccRestThread::Request()
{
    if (!m_thread.joinable()) {
        if (!m_db || !m_db->IsConnected())
            return;
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = false;
        m_requested = true;
        m_thread = std::thread([this, db = m_db.data()] { Loop(*db); });
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_requested = true;
    }
    m_wake.notify_one();
}

void TAccRestThread::Stop()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_requested = false;
}

bool TAccRestThread::IsIdle() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return !m_requested && !m_running;
}

int TAccRestThread::Runs() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_runs;
}

void TAccRestThread::Loop(const TMyDataBase& served)
{
    // The connection belongs to this thread; the database's settings are read once, here, as it starts.
    std::unique_ptr<TMyDataBase> db = served.OpenCopy();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_requested || m_stopping; });
            if (m_stopping)
                break;
            // Whatever is asked from here on is one more run.
            m_requested = false;
            m_running = true;
        }
        const bool changed = db->IsConnected() && Recompute(db.get(), OnSumsRead);
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_running = false;
            ++m_runs;
        }
        if (changed)
            QMetaObject::invokeMethod(
                this, [this] { Q_EMIT Updated(); }, Qt::QueuedConnection);
    }
    db.reset();
}

bool TAccRestThread::Recompute(TMyDataBase* db, const std::function<void()>& sumsRead)
{
    // The sums of all operations by account, read from the amounts' index alone, then every account's
    // stored balance. A save committed between the two asks for another run, which reads it.
    QHash<QString, qint64> sums;
    {
        auto q = db->CreateQuery(u"select Link1, cast(sum(Int2) as bigint) as ASum from AllInfo where ObjType = "_s
            + QString::number(Kind::MoneyOperation) + u" group by Link1"_s);
        if (!q)
            return false;
        while (q->next())
            sums.insert(q->value(0).toString().toUpper(), q->value(1).toLongLong());
    }
    std::vector<std::pair<QString, qint64>> changed;
    {
        auto q
            = db->CreateQuery(u"select ObjId, Int5 from AllInfo where ObjType = "_s + QString::number(Kind::Account));
        if (!q)
            return false;
        while (q->next()) {
            const QString id = q->value(0).toString();
            // No operations: a balance of 0.
            const qint64 sum = sums.value(id.toUpper(), 0);
            if (sum != q->value(1).toLongLong())
                changed.emplace_back(id, sum);
        }
    }
    if (sumsRead)
        sumsRead();
    bool wrote = false;
    TDBMainInfo account;
    account.SetDatabase(db);
    for (const auto& [id, sum] : changed) {
        // Loaded afresh: a rename saved meanwhile stays, and an account deleted meanwhile is skipped (the
        // save of a loaded row refuses a row that is gone).
        if (!account.SetObj(id) || account.ObjType != Kind::Account)
            continue;
        const TAccountView view(account);
        if (view.Balance() == sum)
            continue;
        view.SetBalance(sum);
        wrote = account.Save().Ok() || wrote;
    }
    return wrote;
}

void RecomputeBalances()
{
    if (TAccRestThread* worker = TAccRestThread::Of(CurrentDatabase()))
        worker->Request();
}
