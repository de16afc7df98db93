#include "shell/widgets/GradientPanel.h"

#include "shell/widgets/GradientFill.h"

#include <QPainter>

TGradientPanel::TGradientPanel(QWidget* parent)
    : QFrame(parent)
    , m_color(QColor(0xF4, 0xF8, 0xFC))
    , m_colorEnd(QColor(0xC6, 0xD9, 0xEE))
{
}

TGradientPanel::~TGradientPanel() = default;

void TGradientPanel::SetGradientDirection(TGradientDirection direction)
{
    m_direction = direction;
    update();
}

void TGradientPanel::SetColor(const QColor& color)
{
    m_color = color;
    update();
}

void TGradientPanel::SetColorEnd(const QColor& color)
{
    m_colorEnd = color;
    update();
}

void TGradientPanel::SetIndent(int indent)
{
    m_indent = indent;
    update();
}

void TGradientPanel::SetCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TGradientPanel::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void TGradientPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.fillRect(rect(), m_color);
    // The whole inner rectangle is offered as the painted area: Qt clips to the region being repainted,
    // and a band left out at the region's edge would show as a stripe of the start colour.
    GradientFill(painter, inner, inner, m_colorEnd, m_color, m_direction == TGradientDirection::gdVertical);
    painter.end();
    QFrame::paintEvent(event);
    if (m_caption.isEmpty())
        return;
    QPainter text(this);
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(m_caption);
    int x = m_indent + 2;
    if (m_alignment & Qt::AlignRight)
        x = this->width() - width - 2;
    else if (m_alignment & Qt::AlignHCenter)
        x = this->width() / 2 - width / 2;
    text.setPen(palette().color(QPalette::WindowText));
    text.drawText(QRect(x, 2, width + 1, metrics.height()), Qt::AlignLeft | Qt::AlignTop, m_caption);
}
