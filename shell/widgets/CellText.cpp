#include "shell/widgets/CellText.h"

#include "shell/widgets/GradientFill.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace {

QString WithLineBreaks(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

} // namespace

QFont CellFont()
{
    static const QFont font = [] {
        QFont tahoma(QStringLiteral("Tahoma"), 10);
        if (QFontInfo(tahoma).family().compare(QStringLiteral("Tahoma"), Qt::CaseInsensitive) == 0)
            return tahoma;
        QFont sans = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        sans.setStyleHint(QFont::SansSerif);
        sans.setPointSize(10);
        return sans;
    }();
    return font;
}

void PaintCellBackground(QPainter& painter, const QRect& cell, bool selected)
{
    if (selected)
        GradientFill(painter, cell, cell, SelectedCellColor, Qt::white, true);
    else
        painter.fillRect(cell, Qt::white);
}

TCellTextLayout CellTextLayout(const QFontMetrics& metrics, int cellWidth, const QString& text, bool rightAligned)
{
    if (rightAligned)
        return TCellTextLayout::RightLine;
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return TCellTextLayout::Wrapped;
    return metrics.horizontalAdvance(text) < cellWidth - 4 ? TCellTextLayout::LeftLine : TCellTextLayout::Wrapped;
}

void DrawCellText(QPainter& painter, const QRect& rect, const QString& text, bool rightAligned, const QColor& color,
                  TFontStyles style)
{
    QFont font = CellFont();
    font.setBold(style.testFlag(TFontStyle::Bold));
    font.setItalic(style.testFlag(TFontStyle::Italic));
    font.setUnderline(style.testFlag(TFontStyle::Underline));
    font.setStrikeOut(style.testFlag(TFontStyle::StrikeOut));
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setClipRect(rect, Qt::IntersectClip);
    switch (CellTextLayout(QFontMetrics(font, painter.device()), rect.width(), text, rightAligned)) {
    case TCellTextLayout::RightLine: {
        QString line = text;
        line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        painter.drawText(rect.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, line);
        break;
    }
    case TCellTextLayout::LeftLine:
        painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        break;
    case TCellTextLayout::Wrapped:
        painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         WithLineBreaks(text));
        break;
    }
    painter.restore();
}
