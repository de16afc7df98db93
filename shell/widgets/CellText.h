#pragma once

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QString>

class QFontMetrics;
class QPainter;
class QRect;

/// Styles a grid's colour event may give a cell's text.
enum class TFontStyle { Bold = 0x1, Italic = 0x2, Underline = 0x4, StrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

/// How a cell's text is laid out.
enum class TCellTextLayout {
    RightLine, ///< one line, vertically centred, ending 3 pixels before the right edge
    LeftLine,  ///< one line, vertically centred, starting 2 pixels from the left edge
    Wrapped,   ///< word-wrapped from the top, starting 2 pixels from the left edge
};

/// The font every grid cell's text is drawn in: "Tahoma" 10 points, or the desktop's sans-serif font at
/// 10 points where Tahoma is not installed.
QFont CellFont();

/// The layout of \a text in a cell \a cellWidth pixels wide: right-aligned text is always one line; other
/// text wraps when it holds a line break or is at least as wide as the cell minus 4 pixels.
TCellTextLayout CellTextLayout(const QFontMetrics& metrics, int cellWidth, const QString& text, bool rightAligned);

/// The end colour of a selected cell's gradient (white at its top).
inline const QColor SelectedCellColor = QColor(166, 202, 240);

/// A selected cell gets the band gradient from white at the top to light blue at the bottom (bands that
/// would reach past the cell are left out); any other cell is white.
void PaintCellBackground(QPainter& painter, const QRect& cell, bool selected);

/// Draws a grid cell's text in CellFont() on a transparent background, laid out by CellTextLayout().
/// A carriage return in \a text is a line break.
void DrawCellText(QPainter& painter, const QRect& rect, const QString& text, bool rightAligned,
                  const QColor& color = Qt::black, TFontStyles style = {});
