#pragma once

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TMyDataBase;

/**
 * \brief The balance recomputation: one worker thread per database, on a connection of its own, that sets
 * each account's balance (Int5) to the sum of the amounts of its money operations.
 *
 * Request() asks for a run; requests that arrive while a run is going cause exactly one more run, and
 * requests while idle one run each. A run writes a balance only where it differs, through the record's
 * save of the changed column alone (with the modification stamps), and only on an account that still
 * exists: an account deleted meanwhile is never written back. After a run that wrote something, Updated is
 * emitted on the user-interface thread, and accounts are announced as saved there (their lists re-read).
 *
 * The worker is a child of the database it serves and stops (waiting for the run under way) when that
 * database closes, before its connection goes.
 * Request, Stop and the destructor are called on the thread of the database.
 */
class TAccRestThread final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAccRestThread)

public:
    /// The worker of \a db, made on first use; nullptr without a database.
    static TAccRestThread* Of(TMyDataBase* db);

    explicit TAccRestThread(TMyDataBase* db);
    ~TAccRestThread() override;

    /// Asks for a run (starting the thread, and its connection, when it is not running).
    void Request();
    /// Lets the run under way finish, then ends the thread and closes its connection.
    void Stop();
    /// Whether no run is going and none is asked for.
    bool IsIdle() const;
    /// How many runs have ended.
    int Runs() const;

    /// Run on the worker thread in each run once the sums are read, before any balance is written (tests
    /// step in there). Set it while the worker is idle.
    std::function<void()> OnSumsRead;

Q_SIGNALS:
    /// A run changed balances (queued to the thread of the database).
    void Updated();

private:
    /// The thread's body: runs on a connection of its own to \a served until stopped.
    void Loop(const TMyDataBase& served);
    /// One recomputation on \a db; whether it wrote a balance.
    static bool Recompute(TMyDataBase* db, const std::function<void()>& sumsRead);

    QPointer<TMyDataBase> m_db;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_requested = false;
    bool m_running = false;
    bool m_stopping = false;
    int m_runs = 0;
};

/// Recomputes the balances of the current database in the background (its worker's Request).
void RecomputeBalances();
