#pragma once

#include <QString>

class TListRow;
struct TObjectRow;

/// The address lines the contact screens show: the short form where the column or memo showing it is narrower
/// than ShortAddressWidth pixels, the full form elsewhere.
namespace AddressLine {

/// Narrower than this many pixels, a column or memo shows the short form of an address.
inline constexpr int ShortAddressWidth = 301;

/// The address \a row (kind 3) as one line for a place \a width pixels wide.
QString OfRecord(const TObjectRow& row, int width);
/// The address a list row carries in its address columns (Link5, Str1..Str5, Link4, Link3) for a column
/// \a width pixels wide; empty on a row without an object.
QString OfListRow(const TListRow& row, int width);

} // namespace AddressLine
