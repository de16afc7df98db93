#pragma once

#include <QString>

class TELSObject;
class TMyDataBase;

/// The report of one event: its fields, then the table of its participants.
namespace EventReport {

/// Writes the report of the event \a id read from \a db (the current database when nullptr).
void Write(TELSObject& writer, TMyDataBase* db, const QString& id);
/// Writes the report into a new workbook with the wait window and opens it; the file, empty when none.
QString Print(TMyDataBase* db, const QString& id);

} // namespace EventReport
