#pragma once

#include <QString>

#include <functional>

class QSqlQuery;
class TDBMainInfo;
class TMyDataBase;
struct TObjectRow;

/// How the reports read their rows and write the texts several reports share.
namespace ReportRows {

/**
 * Runs the dialect statement \a sql on \a db and calls \a each with every row: the columns of AllInfo it
 * selects, by their names, and the query on that row (for further columns). A failing statement gives no
 * row: the report's section then stays empty. False when it failed.
 */
bool ForEach(TMyDataBase* db, const QString& sql, const std::function<void(const TObjectRow& row, const QSqlQuery& query)>& each);
/// Loads the object \a id into \a row; false for an empty id or when nothing could be read.
bool Load(TMyDataBase* db, const QString& id, TDBMainInfo& row);

/// A date as the reports write it (dd.mm.yyyy); empty for 0.
QString DateText(double serial);
/// "с:  " + the start + " по: " + the end, "-" for a missing date.
QString Period(double from, double to);
/// Period(), or empty when neither date is set.
QString PeriodLabel(double from, double to);
/// A person's surname, first name and patronymic joined by blanks.
QString PersonName(const TObjectRow& person);
/// ", родился: " + the birth date when set; then, for the dead, ", умер: " and the death date when set, in the
/// feminine forms for a woman (\a female).
QString LifeText(const TObjectRow& person, bool female);
/// " (" + \a text + ")" when \a text is not blank; empty otherwise.
QString InParentheses(const QString& text);

/**
 * The full one-line text of the address \a address. An address may carry its text, already composed, in
 * its picture column (an 8-byte length, then that many bytes of UTF-8 text); it is taken from there only
 * when those bytes are whole and valid, and composed from the address's parts otherwise.
 */
QString AddressFullText(const TObjectRow& address);

} // namespace ReportRows
