#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

/// The direction a gradient panel's colours run in.
enum class TGradientDirection { gdHorizontal, gdVertical };

/**
 * \brief A panel painted with the band gradient from Color to ColorEnd, with an optional caption near
 * its top edge. The side panel, the object area and the dialogs' backgrounds are gradient panels.
 */
class TGradientPanel : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TGradientPanel)

public:
    explicit TGradientPanel(QWidget* parent = nullptr);
    ~TGradientPanel() override;

    TGradientDirection GradientDirection() const { return m_direction; }
    void SetGradientDirection(TGradientDirection direction);
    /// The start colour (and the colour of the panel where no band reaches).
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    QColor ColorEnd() const { return m_colorEnd; }
    void SetColorEnd(const QColor& color);
    /// The left-aligned caption's distance from the left edge, less 2 pixels.
    int Indent() const { return m_indent; }
    void SetIndent(int indent);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    /// Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TGradientDirection m_direction = TGradientDirection::gdVertical;
    QColor m_color;
    QColor m_colorEnd;
    int m_indent = 0;
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};
