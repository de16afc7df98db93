#pragma once

#include <QString>

/// Spreadsheet cell names as the reports spell them: column letters and a row number, "a1", "f4", "aa10".
namespace CellName {

/// A worksheet has 16,384 columns (up to "xfd") and 1,048,576 rows.
inline constexpr int MaxColumns = 16384;
inline constexpr int MaxRows = 1048576;

/// The zero-based row and column of \a name (letters in either case, then a row from 1); false, with
/// nothing set, for anything that is not a cell of a worksheet.
bool Parse(const QString& name, int* row, int* column);
/// The zero-based column of the letters \a letters ("a" is 0, "aa" 26); -1 for anything else.
int Column(const QString& letters);

} // namespace CellName
