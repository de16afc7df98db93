#pragma once

#include <QStyledItemDelegate>

#include <functional>

/// Hands every cell of a self-drawn grid to its owner's painting.
class TCellDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCellDelegate)

public:
    using TPaint = std::function<void(QPainter& painter, const QRect& rect, const QModelIndex& index, bool selected)>;

    TCellDelegate(QObject* parent, TPaint paint);
    ~TCellDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TPaint m_paint;
};
