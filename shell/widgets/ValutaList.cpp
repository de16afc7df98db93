#include "shell/widgets/ValutaList.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

TpuValutaList::TpuValutaList(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("puValutaList"));
    m_list->setObjectName(QStringLiteral("lbValuta"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this]() { Choose(); });
}

TpuValutaList::~TpuValutaList() = default;

void TpuValutaList::SetCallback(TCallback callback, const QVariant& data)
{
    m_callback = std::move(callback);
    m_data = data;
}

QString TpuValutaList::SelectedText() const
{
    const QListWidgetItem* current = m_list->currentItem();
    return current && current->isSelected() ? current->text() : QString();
}

void TpuValutaList::SelectText(const QString& text)
{
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
    const QList<QListWidgetItem*> found = m_list->findItems(text, Qt::MatchExactly);
    if (!found.isEmpty()) {
        m_list->setCurrentItem(found.first());
        m_list->scrollToItem(found.first(), QAbstractItemView::PositionAtTop);
    }
}

int TpuValutaList::PopupHeight(int lines, int lineHeight, bool alwaysTall)
{
    if (lines < 4 && !alwaysTall)
        return lines * (lineHeight + 4) + 2;
    return 3 * lineHeight + 14;
}

void TpuValutaList::Popup(const QPoint& topLeft, int width)
{
    const int lineHeight = m_list->fontMetrics().height();
    resize(width, PopupHeight(m_list->count(), lineHeight, m_alwaysTall));
    move(topLeft);
    show();
    raise();
    activateWindow();
    m_list->setFocus();
}

void TpuValutaList::Choose()
{
    if (m_callback)
        m_callback(*this, m_data);
}

bool TpuValutaList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            hide();
            if (m_focusControl)
                m_focusControl->setFocus();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Choose();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
