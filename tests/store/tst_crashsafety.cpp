// A program killed at any moment loses nothing it reported as saved and leaves no half change behind. A
// worker process changes a database file at random (saves of several kinds, role pairs written in one
// transaction, changes of kinship, cascading deletions) and is killed with SIGKILL at a random moment,
// over and over on the same file. After each kill the file passes the engine's integrity check and the
// store's consistency checks, and every save the worker reported is there as it was reported.
// ZORVIN_CRASH_KILLS sets the number of kills (200 by default; bench/crash-safety.sh runs 2000).
#include "store/DatabaseCheck.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/Schema.h"
#include "store/SqlConnection.h"

#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

namespace {

struct TReportedRow
{
    int Kind = 0;
    QStringList Links;
    QString Comments;
};

struct TStoredRow
{
    int Kind = 0;
    QStringList Links;
    QString Comments;
};

QHash<QString, TStoredRow> ReadRows(const QString& path)
{
    QHash<QString, TStoredRow> rows;
    TSqlConnection connection = TSqlConnection::OpenSqliteFile(path, TSqlConnection::ExistingFile);
    QSqlQuery q(connection.Database());
    q.exec(QStringLiteral("select ObjId, ObjType, Link1, Link2, Link3, Link4, Link5, Comments from AllInfo"));
    while (q.next()) {
        TStoredRow row;
        row.Kind = q.value(1).toInt();
        for (int n = 2; n <= 6; ++n)
            row.Links << q.value(n).toString().toUpper();
        row.Comments = q.value(7).toString();
        rows.insert(q.value(0).toString().toUpper(), row);
    }
    return rows;
}

// What one worker run reported, line by line.
class TReport
{
public:
    explicit TReport(QHash<QString, TReportedRow>& rows)
        : m_rows(rows)
    {
    }

    void Line(const QByteArray& raw)
    {
        const QStringList words = QString::fromUtf8(raw).trimmed().split(QLatin1Char(' '));
        const QString& tag = words.first();
        if (tag == QLatin1String("R")) {
            m_ready = true;
        } else if (tag == QLatin1String("S") && words.size() == 9) {
            TReportedRow row{words.at(2).toInt(), words.mid(3, 5), words.at(8)};
            for (QString& link : row.Links)
                link = link.toUpper();
            m_rows.insert(words.at(1).toUpper(), row);
            m_changing.clear();
            ++Saves;
        } else if (tag == QLatin1String("U")) {
            m_changing = words.value(1).toUpper();
        } else if (tag == QLatin1String("D")) {
            m_deleting = words.value(1).toUpper();
        } else if (tag == QLatin1String("G")) {
            m_rows.remove(words.value(1).toUpper());
        } else if (tag == QLatin1String("E")) {
            m_deleting.clear();
            ++Deletions;
        } else {
            QFAIL(qPrintable(QStringLiteral("unexpected line from the worker: ") + QString::fromUtf8(raw)));
        }
        if (m_ready)
            ++Lines;
    }

    bool Ready() const { return m_ready; }
    const QString& Changing() const { return m_changing; }
    const QString& Deleting() const { return m_deleting; }

    int Lines = 0;
    int Saves = 0;
    int Deletions = 0;

private:
    QHash<QString, TReportedRow>& m_rows;
    bool m_ready = false;
    QString m_changing;
    QString m_deleting;
};

// The rows a deletion that was committed but not yet reported may have taken with it: the object, the rows
// that name it or name such a row, and families left without a partner.
QSet<QString> MayHaveGone(const QString& deleted, const QHash<QString, TReportedRow>& reported,
                          const QHash<QString, TStoredRow>& stored)
{
    QSet<QString> gone{deleted};
    for (bool grew = true; grew;) {
        grew = false;
        for (auto it = reported.cbegin(); it != reported.cend(); ++it) {
            if (gone.contains(it.key()) || stored.contains(it.key()))
                continue;
            bool namesGone = false;
            for (const QString& link : it->Links)
                namesGone = namesGone || gone.contains(link);
            const bool partnerless = it->Kind == Kind::Family
                && (it->Links.at(0) == Ids::None || !stored.contains(it->Links.at(0)))
                && (it->Links.at(1) == Ids::None || !stored.contains(it->Links.at(1)));
            if (namesGone || partnerless) {
                gone.insert(it.key());
                grew = true;
            }
        }
    }
    return gone;
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedWorkerLosesNoReportedSaveAndLeavesNoHalfChange()
    {
        bool given = false;
        const int kills = qEnvironmentVariableIntValue("ZORVIN_CRASH_KILLS", &given);
        const int rounds = given && kills > 0 ? kills : 200;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("WBD.zdb"));
        TNewDatabase options;
        options.Description = QStringLiteral("Проверка");
        options.Prefix = 77;
        QString error;
        QVERIFY2(Schema::CreateDatabaseFile(path, options, &error), qPrintable(error));

        QRandomGenerator random(20261210);
        QHash<QString, TReportedRow> reported;
        QHash<QString, TStoredRow> lastStored;
        qint64 rowsChecked = 0;
        int saves = 0;
        int deletions = 0;
        int changeCaught = 0;
        int deletionCaught = 0;
        for (int round = 0; round < rounds; ++round) {
            TReport report(reported);
            QProcess worker;
            worker.start(QStringLiteral(ZORVIN_CRASH_WORKER), {path, QString::number(random.generate())});
            QVERIFY2(worker.waitForStarted(), qPrintable(worker.errorString()));
            // Killed after a random number of reported changes: the worker is then somewhere inside the next.
            const int after = static_cast<int>(random.bounded(40));
            QByteArray pending;
            auto take = [&](const QByteArray& bytes) {
                pending += bytes;
                for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
                    report.Line(pending.left(end));
                    pending.remove(0, end + 1);
                }
            };
            while (worker.state() == QProcess::Running && (!report.Ready() || report.Lines < after)) {
                if (!worker.waitForReadyRead(60000))
                    break;
                take(worker.readAllStandardOutput());
            }
            QVERIFY2(worker.state() == QProcess::Running,
                     qPrintable(QStringLiteral("the worker ended by itself: ") + QString::fromUtf8(worker.readAllStandardError())));
            // The line was read a moment after it was written, so a kill right now would mostly land where the
            // next change begins. Up to a few milliseconds more put it anywhere inside that change: between the
            // statements of a transfer, of a role pair or of a cascade.
            QThread::usleep(random.bounded(4000u));
            worker.kill();
            QVERIFY(worker.waitForFinished(60000));
            take(worker.readAllStandardOutput()); // a line cut short by the kill was never reported
            saves += report.Saves;
            deletions += report.Deletions;

            const QList<DatabaseCheck::TProblem> problems = DatabaseCheck::RunOnFile(path);
            QStringList described;
            for (const DatabaseCheck::TProblem& problem : problems)
                described << DatabaseCheck::Describe(problem);
            QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("after kill %1: %2").arg(round + 1).arg(described.join(u'\n'))));

            const QHash<QString, TStoredRow> stored = ReadRows(path);
            QSet<QString> mayHaveGone;
            if (!report.Deleting().isEmpty() && !stored.contains(report.Deleting())) {
                // A row committed just before an earlier kill was never reported, yet the worker went on to use
                // it (an adoption into a family saved that way): such rows are known as the file held them then.
                QHash<QString, TReportedRow> known = reported;
                for (auto it = lastStored.cbegin(); it != lastStored.cend(); ++it) {
                    if (!known.contains(it.key()))
                        known.insert(it.key(), TReportedRow{it->Kind, it->Links, it->Comments});
                }
                mayHaveGone = MayHaveGone(report.Deleting(), known, stored);
                ++deletionCaught;
            }
            for (auto it = reported.begin(); it != reported.end();) {
                const auto found = stored.constFind(it.key());
                if (found == stored.cend()) {
                    QVERIFY2(mayHaveGone.contains(it.key()),
                             qPrintable(QStringLiteral("after kill %1 the saved row %2 (kind %3, links %4) is missing; "
                                                       "deleting: %5, changing: %6")
                                            .arg(round + 1)
                                            .arg(it.key())
                                            .arg(it->Kind)
                                            .arg(it->Links.join(u' '), report.Deleting(), report.Changing())));
                    it = reported.erase(it);
                    continue;
                }
                QCOMPARE(found->Kind, it->Kind);
                if (it.key() == report.Changing()) {
                    if (found->Comments != it->Comments)
                        ++changeCaught; // the change was committed just before the kill
                } else {
                    QVERIFY2(found->Comments == it->Comments,
                             qPrintable(QStringLiteral("after kill %1 the row %2 holds %3, saved as %4")
                                            .arg(round + 1)
                                            .arg(it.key(), found->Comments, it->Comments)));
                }
                // A later deletion repairs links and a committed change may be newer: the file says how it is now.
                it->Links = found->Links;
                it->Comments = found->Comments;
                ++rowsChecked;
                ++it;
            }
            lastStored = stored;
        }
        qInfo().noquote() << QStringLiteral("crash safety: %1 kills, %2 saves and %3 deletions reported, %4 saved rows "
                                            "checked, %5 rows at the end; killed inside a committed change %6 times, "
                                            "after an unreported committed deletion %7 times")
                                 .arg(rounds)
                                 .arg(saves)
                                 .arg(deletions)
                                 .arg(rowsChecked)
                                 .arg(reported.size())
                                 .arg(changeCaught)
                                 .arg(deletionCaught);
        QVERIFY(saves > rounds);
        QVERIFY(deletions > 0);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
