#include "shell/widgets/CellDelegate.h"

TCellDelegate::TCellDelegate(QObject* parent, TPaint paint)
    : QStyledItemDelegate(parent)
    , m_paint(std::move(paint))
{
}

TCellDelegate::~TCellDelegate() = default;

void TCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    m_paint(*painter, option.rect, index, option.state.testFlag(QStyle::State_Selected));
}
