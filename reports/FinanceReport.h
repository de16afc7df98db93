#pragma once

#include <QString>

class TELSObject;
class TListModel;
class TMyDataBase;

/// The finance report: the money operations an operation list shows, one row each.
namespace FinanceReport {

/// The name of an operation of \a code in the report ("Приход", "Расход", ...); empty for another code.
QString OperationName(qint64 code);
/**
 * Writes the operations the statement \a sql (an operation list's statement, in the dialect, with its
 * AccName, GrpName, SGrpName, ValName and KAName columns) selects from \a db, in its order, from row 4 on.
 * The rows are read one by one and written in ascending order, so a long list keeps no more than one row in
 * memory; a stopped writer ends the walk.
 */
void WriteOperations(TELSObject& writer, TMyDataBase* db, const QString& sql);
/// The report of the rows \a rows shows, into a new workbook with the wait window; the file, empty when none.
QString Print(const TListModel& rows);

} // namespace FinanceReport
