#include "shell/widgets/GradientFill.h"

#include <QColor>
#include <QPainter>
#include <QRect>

int MulDiv(int a, int b, int c)
{
    qint64 product = qint64(a) * b;
    qint64 divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const qint64 half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

void GradientFill(QPainter& canvas, const QRect& area, const QRect& clip, const QColor& endColor,
                  const QColor& startColor, bool vertical)
{
    if (area.isEmpty())
        return;
    const int extent = vertical ? area.height() : area.width();
    const int bands = extent / 2;
    if (bands < 2) {
        canvas.fillRect(area, startColor);
        return;
    }
    const int size = extent / bands;
    const int r0 = startColor.red(), g0 = startColor.green(), b0 = startColor.blue();
    const int dr = endColor.red() - r0, dg = endColor.green() - g0, db = endColor.blue() - b0;
    for (int i = 0; i < bands; ++i) {
        const QRect band = vertical ? QRect(area.left(), area.top() + i * size, area.width(), size)
                                    : QRect(area.left() + i * size, area.top(), size, area.height());
        if (band.right() > clip.right() || band.bottom() > clip.bottom())
            continue;
        canvas.fillRect(band, QColor(r0 + MulDiv(dr, i, bands - 1), g0 + MulDiv(dg, i, bands - 1),
                                     b0 + MulDiv(db, i, bands - 1)));
    }
}
