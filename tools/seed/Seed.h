#pragma once

#include "tools/seed/SeedGenerator.h"

#include <QDate>
#include <QString>

#include <functional>

class TMyDataBase;

/**
 * Fills a database with a demonstration data set of one of three sizes. The rows are either saved one by
 * one through the object record, exactly as the program saves them, or inserted in bulk; both give the
 * same rows. Everything happens in one write transaction: a failure leaves the database as it was.
 */
namespace Seed {

struct TOptions
{
    TSeedSize Size = TSeedSize::Demo;
    quint64 Seed = 1;
    /// The day the data set leads up to (its "today").
    QDate Today;
    /// Save every row through TDBMainInfo::Save instead of the bulk insert (much slower, same rows).
    bool ThroughRecords = false;
    /// Add the data set to a database that already holds objects.
    bool Force = false;
    /// Told the share of the rows written so far, 0..100, whenever it grows.
    std::function<void(int)> Progress;
};

struct TResult
{
    bool Ok = false;
    QString Error;
    qint64 Rows = 0;
    QString FirstId;
    QString LastId;
    bool CreatedFile = false;
};

/// Grows whenever a change of the generator changes the rows of a data set, so that kept copies of a data
/// set (the benchmarks' cache) are made again.
int DataSetVersion();
/// The day data sets lead up to unless told otherwise: fixed, so that a seed always gives the same rows.
QDate DefaultToday();
/// The identifier prefix of the database files the seed creates itself.
quint32 FilePrefix();
/// Parses "demo", "large", "huge"; false for anything else.
bool ParseSize(const QString& text, TSeedSize* size);

/// Fills an open, writable database.
TResult FillDatabase(TMyDataBase& db, const TOptions& options);
/// Fills the database file at \a path, first creating it (prefix FilePrefix()) when it does not exist;
/// a file created here is removed again when filling fails.
TResult FillFile(const QString& path, const TOptions& options);

} // namespace Seed
