#pragma once

class QColor;
class QPainter;
class QRect;

/**
 * Fills \a area with the band gradient from \a startColor to \a endColor: bands of 2 pixels across the
 * gradient direction (top to bottom when \a vertical, else left to right), each channel stepping evenly
 * from start to end over the bands. A band is painted only when its right and bottom edges lie within
 * \a clip. An area too narrow for two bands is filled with \a startColor.
 */
void GradientFill(QPainter& canvas, const QRect& area, const QRect& clip, const QColor& endColor,
                  const QColor& startColor, bool vertical);

/// a * b / c rounded to the nearest integer, halves away from zero (c must not be 0).
int MulDiv(int a, int b, int c);
