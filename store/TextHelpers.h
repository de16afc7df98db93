#pragma once

#include <QRect>
#include <QSize>
#include <QString>

/**
 * \file
 * Small shared operations that read what the user typed and show dates, times, ages and periods the
 * same way in every list and editor. Dates are day serials (store/DateSerial.h); 0 means no date.
 * "Now" and "today" are read from the installed clock. All functions are reentrant.
 */

/// \a text without any blank (only the space character U+0020 is removed).
QString RemoveBlanks(const QString& text);

/// The integer written in \a text once its blanks are removed ("1 250" is 1250): an optional sign and
/// decimal digits only. 0 for anything else, including a number outside the 64-bit range.
qint64 IntOfText(const QString& text);

/// The number written in \a text once its blanks are removed, with either a decimal comma or a decimal
/// point ("1 250,5" and "1250.5" are 1250.5; an exponent is allowed). 0 for anything else, including
/// a value that does not fit a double.
double FloatOfText(const QString& text);

/// Reads the trimmed \a text as a date dd.mm.yyyy (one-digit day and month are accepted). True with the
/// date's serial in \a serial; false with \a serial 0 when the text is not an existing date.
bool TryDate(double& serial, const QString& text);

/// The trimmed \a text with its first character upper-cased by the rules of the Russian language and the
/// rest unchanged; empty for a blank text. Names are passed through it before they are stored.
QString CapitalizeFirst(const QString& text);

/// The time of day of \a serial as hh:mm ("09:05").
QString TimeText(double serial);

/**
 * The period of a list row: the start date when \a hasStart; when \a hasEnd, a carriage return and the
 * end date follow, with "__.__.____" standing for a missing start. A date whose serial is 0 counts as
 * missing even when its flag is set. Empty when neither date is shown.
 */
QString PeriodText(bool hasStart, bool hasEnd, double end, double start);

/**
 * The age in whole years of someone born on \a date: today, or with \a atNextAnniversary on the next
 * anniversary (today's counts as next). "< 1" under one year, "-" when \a noAge is set or \a date is
 * not a date after the epoch. A 29 February birthday falls on 1 March in other years.
 */
QString AgeText(bool noAge, bool atNextAnniversary, double date);

/**
 * The rectangle, inside a \a W x \a H box, into which a picture of size \a picture is drawn: a picture
 * smaller than the box in both directions keeps its size, a larger one is scaled to fit keeping its
 * aspect ratio, a picture with an empty side takes the whole box. The rectangle is centred in the box.
 */
QRect FitRect(QSize picture, int W, int H);
