#pragma once

#include <QDate>
#include <QString>

class QTextStream;
class TMyDataBase;

/// The finance set of the finance benches: 320 000 money operations on 10 accounts of two currencies (the
/// odd ones in dollars), about nine years of them, 100 a day, with their categories, counterparties and
/// comments.
namespace FinanceData {

inline constexpr int Accounts = 10;
inline constexpr int Operations = 320000;

/// Makes the set in a new file \a path, in one transaction; false (with a line on \a out) when it cannot.
bool Fill(const QString& path, QTextStream& out);
/// Opens the set at \a path in \a db, made first when there is no such file; false (with a line on \a out)
/// when it cannot.
bool Open(TMyDataBase& db, const QString& path, QTextStream& out);
/// The id of the counterparty \a i (of 200): each is the counterparty of every 200th operation.
QString Counterparty(int i);
/// The day of the set's last operations: the benches' today.
QDate LastDay();

} // namespace FinanceData
