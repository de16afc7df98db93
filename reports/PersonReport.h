#pragma once

#include <QString>

class TELSObject;
class TListModel;
class TMyDataBase;

/// The reports on people: the dossier of one person and the list of the people a list found.
namespace PersonReport {

/// Writes the dossier of the person \a id read from \a db (the current database when nullptr).
void WriteDossier(TELSObject& writer, TMyDataBase* db, const QString& id);
/// Writes the dossier into a new workbook with the wait window and opens it; the file, empty when none.
QString PrintDossier(TMyDataBase* db, const QString& id);

/// From this many living people on, the people list reads their addresses and phones in one pass over all
/// residences and phones instead of looking them up.
inline constexpr int WholeTableFrom = 2000;
/**
 * Writes the people the statement \a sql (a people list's statement, in the dialect) selects from \a db, in
 * its order. The statement is run anew on its own query, so the list it came from may change meanwhile.
 */
void WritePeopleList(TELSObject& writer, TMyDataBase* db, const QString& sql, int wholeTableFrom = WholeTableFrom);
/// The list report of the rows \a rows shows, into a new workbook with the wait window; the file, empty when none.
QString PrintPeopleList(const TListModel& rows);

} // namespace PersonReport
