#pragma once

#include "shell/widgets/CellText.h"

#include <QColor>
#include <QString>
#include <QStringList>

/**
 * \file
 * How an event is shown wherever it is listed: the captions of its importances and statuses, the
 * colour that tells past, running and coming events apart, the font of its importance, the text of its
 * start and of its direction. Dates are day serials in the program's local time; 0 is no date.
 */
namespace EventLook {

/// The captions of the importances 1..3 of the editor.
const QStringList& ImportanceCaptions();
/// The captions of the statuses 1..5 of the list's filter.
const QStringList& StatusCaptions();
/// The captions of the directions 1..2 of the editor.
const QStringList& DirectionCaptions();

/// "исх." for an outgoing, "вх." for an incoming event, empty for any other value.
QString DirectionText(qint64 direction);

/**
 * The colour of an event with \a start and \a end at the moment \a now: grey when both are earlier than
 * now (a missing date counts as 0, so a started event without end is grey), navy when it starts later
 * than now, red while it runs, blue when it starts exactly now; black otherwise.
 */
QColor Colour(double start, double end, double now);
/// \a style with the importance: 1 italic, 2 regular, 3 bold; other codes leave it unchanged.
TFontStyles FontStyle(qint64 importance, TFontStyles style);
/**
 * The text of a start: empty without one; otherwise the date and, when the event is timed, its time as
 * hh:mm on the next line; a timed event of \a today shows its time alone.
 */
QString DateText(double start, double today);

} // namespace EventLook
