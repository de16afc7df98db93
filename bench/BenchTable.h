#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <ctime>
#include <vector>

class QTextStream;

/// One line of the benchmark table.
struct TBenchRow
{
    QString Operation;
    double Median = -1; ///< in Unit; negative: not measured
    double Baseline = -1; ///< the same work done the plainest way, in the same run; negative: none
    QString Unit; ///< "мс", "с", "МБ"
    double Limit = -1; ///< the target: Median at most Limit; negative: none
    double RatioLimit = -1; ///< the target: Median / Baseline at most RatioLimit; negative: none
    int Runs = 0;
    QString Note; ///< what the figure stands on, or why it is missing

    /// Measured and outside its target (a figure that could not be measured is not counted as missed).
    bool Missed() const;
    QString TargetText() const;
};

/// The median of the samples (the mean of the two middle ones for an even count); -1 for none.
double Median(std::vector<double> samples);

/// Prints the table and, after it, the targets missed.
void PrintTable(const QList<TBenchRow>& rows, QTextStream& out);

/// The processor milliseconds the program has used since \a start (std::clock()).
inline double CpuMsSince(std::clock_t start)
{
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

/// The milliseconds \a work takes.
template <typename F> double Time(F&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

/// The processor milliseconds \a work takes.
template <typename F> double CpuTime(F&& work)
{
    const std::clock_t start = std::clock();
    work();
    return CpuMsSince(start);
}
