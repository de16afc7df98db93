#pragma once

#include "store/DataBase.h"
#include "store/ObjectRecord.h"

#include <QDate>
#include <QDateTime>

#include <functional>
#include <memory>

/// The sizes of the data sets.
enum class TSeedSize { Demo, Large, Huge };

/// How many objects of each sort a data set holds.
struct TSeedProfile
{
    int People = 0;
    int Families = 0;
    int Organizations = 0;
    int Banks = 0;
    int Addresses = 0;
    int Events = 0;
    int EventYears = 0; ///< how far back the events go
    int Notes = 0;
    int Projects = 0;
    int Accounts = 0; ///< 5 or 10
    int Years = 0; ///< years of money operations up to the reference day
    int Operations = 0;

    static TSeedProfile For(TSeedSize size);
};

/// One row of the data set with the moments of its creation and of its last change.
struct TSeedRow
{
    TObjectRow Row;
    QDateTime Created; ///< UTC calendar fields: what the clock says when the row is first written
    QDateTime Modified; ///< equal to Created for a row never changed afterwards
};

/**
 * \brief Plans a realistic Russian data set (people with their kinship, organizations, addresses,
 * phones, events, roles, notes, groups and projects, accounts with years of money operations) and hands
 * it out row by row in identifier order.
 *
 * Everything follows from the seed, the reference day and the identifier prefix and first counter: the
 * same four give the same rows, identifiers and stamps. Rows are composed as the program's editors
 * compose them (display names, the none id in unused links, pairs pointing at each other, account
 * balances equal to the sums of their operations); the derived columns (D1Search, D2Search, stamps) are
 * those the record's save writes.
 */
class TSeedGenerator final
{
public:
    /// Identifiers are MakeId(firstCounter + 1, prefix), MakeId(firstCounter + 2, prefix) ...
    TSeedGenerator(const TSeedProfile& profile, quint64 seed, const QDate& today, quint32 prefix, quint32 firstCounter);
    ~TSeedGenerator();
    TSeedGenerator(const TSeedGenerator&) = delete;
    TSeedGenerator& operator=(const TSeedGenerator&) = delete;

    /// The number of rows Emit() hands out.
    qint64 RowCount() const;
    /// The counter of the last identifier handed out.
    quint32 LastCounter() const;
    /// Hands every row to \a sink in identifier order (creation order); false as soon as the sink is.
    bool Emit(const std::function<bool(const TSeedRow&)>& sink) const;

    /// The day with the same day and month in the year 2000, as the record's save derives D1Search.
    static double SearchDate(double date, bool fixed);

private:
    struct TData;
    std::unique_ptr<TData> d;
};
