#pragma once

#include "bench/BenchTable.h"

class TMyDataBase;
class TRawSqlite;

/// The measurements on an open working copy of a data set. \a db is the store's connection, \a raw a
/// plain SQLite connection to the same file; \a runs scales the number of repetitions.
namespace StoreBench {

struct TContext
{
    TMyDataBase* Db = nullptr;
    TRawSqlite* Raw = nullptr;
    int Scale = 1;
};

/// The people list's quick-find statement for the surname prefix "Ив" on the data set \a setName, with
/// the target \a limit in milliseconds.
TBenchRow QuickFind(const TContext& c, const QString& setName, double limit);
/// TDBMainInfo::SetObj of a person.
TBenchRow LoadRecord(const TContext& c);
/// TDBMainInfo::Save of a new person.
TBenchRow SaveNewRecord(const TContext& c);
/// TDBMainInfo::Save of a changed, existing person.
TBenchRow SaveExistingRecord(const TContext& c);
/// CascadeDelete::DeleteObject of a person with 50 links.
TBenchRow CascadeDeletion(const TContext& c);

/// The dialect statement of the main finance list (every operation with its account, categories and
/// counterparty, newest first).
QString FinanceListStatement();

} // namespace StoreBench
