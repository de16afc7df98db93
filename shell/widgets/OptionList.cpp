#include "shell/widgets/OptionList.h"

#include "shell/widgets/CellText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

// A line with an ellipsis button beside it.
class TEllipsisEditor final : public QWidget
{
public:
    explicit TEllipsisEditor(QWidget* parent)
        : QWidget(parent)
        , Line(new QLineEdit(this))
        , Button(new QToolButton(this))
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(Line);
        layout->addWidget(Button);
        Button->setObjectName(QStringLiteral("EllipsisButton"));
        Button->setText(QStringLiteral("..."));
        Button->setFocusPolicy(Qt::NoFocus);
        setFocusProxy(Line);
    }

    QLineEdit* Line;
    QToolButton* Button;
};

QLineEdit* LineOf(QWidget* editor)
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->lineEdit();
    if (auto* ellipsis = dynamic_cast<TEllipsisEditor*>(editor))
        return ellipsis->Line;
    return nullptr;
}

// What a row stores of its editor: a masked value keeps its blanks, so its parts stay at their positions.
QString StoredText(const QLineEdit& line)
{
    return line.inputMask().isEmpty() ? line.text() : line.displayText();
}

class TOptionListDelegate final : public QStyledItemDelegate
{
public:
    explicit TOptionListDelegate(TOptionList* list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_list->PaintCell(
            *painter, option.rect, index.row(), index.column(), option.state.testFlag(QStyle::State_Selected));
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const int row = index.row();
        const TItemProp props = m_list->ItemProps(row);
        auto* self = const_cast<TOptionListDelegate*>(this);
        QWidget* editor = nullptr;
        if (props.EditStyle == TEditStyle::esPickList && !props.ReadOnly) {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(m_list->PickListOf(row));
            connect(combo, &QComboBox::textActivated, self, [self, combo]() {
                combo->lineEdit()->setModified(true);
                emit self->commitData(combo);
            });
            editor = combo;
        } else if (props.EditStyle == TEditStyle::esEllipsis) {
            auto* ellipsis = new TEllipsisEditor(parent);
            ellipsis->Line->setReadOnly(props.ReadOnly);
            TOptionList* list = m_list;
            connect(ellipsis->Button, &QToolButton::clicked, list, [list, row]() { list->EditButtonClick(row); });
            editor = ellipsis;
        } else {
            auto* line = new QLineEdit(parent);
            line->setReadOnly(props.ReadOnly);
            editor = line;
        }
        QLineEdit* line = LineOf(editor);
        if (!props.EditMask.isEmpty())
            line->setInputMask(props.EditMask);
        if (props.MaxLength > 0)
            line->setMaxLength(props.MaxLength);
        // Values apply as they are typed, so the search follows every keystroke.
        connect(line, &QLineEdit::textEdited, self, [self, editor]() { emit self->commitData(editor); });
        line->installEventFilter(self);
        return editor;
    }

    // Each keystroke is committed at once and comes back here: an editor already showing the value keeps
    // its caret, so typing goes on where it is. A masked value is compared as it is stored, with its blanks.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        QLineEdit* line = LineOf(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (line && StoredText(*line) != text)
            line->setText(text);
    }

    // An editor opened and left without typing changes nothing.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        QLineEdit* line = LineOf(editor);
        if (!line || line->isReadOnly() || !line->isModified())
            return;
        model->setData(index, StoredText(*line), Qt::EditRole);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* line = qobject_cast<QLineEdit*>(watched);
                QWidget* editor = line;
                while (editor && editor->parentWidget() != m_list->viewport())
                    editor = editor->parentWidget();
                if (editor) {
                    emit commitData(editor);
                    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                }
                m_list->EnterFromEditor();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    TOptionList* m_list;
};

} // namespace

TOptionList::TOptionList(QWidget* parent)
    : QTableWidget(0, 2, parent)
    , m_titleCaptions {QStringLiteral("Поле поиска"), QStringLiteral("Значение")}
{
    setItemDelegate(new TOptionListDelegate(this));
    verticalHeader()->hide();
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    setColumnWidth(0, 150);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked
        | QAbstractItemView::SelectedClicked | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setHorizontalHeaderLabels(m_titleCaptions);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* changed) {
        if (!m_loading && changed->column() == 1)
            emit StringsChanged();
    });
}

TOptionList::~TOptionList() = default;

QStringList TOptionList::Strings() const
{
    QStringList lines;
    for (int row = 0; row < rowCount(); ++row)
        lines << Key(row) + QLatin1Char('=') + Value(row);
    return lines;
}

void TOptionList::SetStrings(const QStringList& lines)
{
    m_loading = true;
    setRowCount(0);
    m_props.clear();
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = equals < 0 ? line : line.left(equals);
        const QString value = equals < 0 ? QString() : line.mid(equals + 1);
        const int row = rowCount();
        insertRow(row);
        auto* keyItem = new QTableWidgetItem(key);
        keyItem->setFlags(Qt::ItemIsEnabled);
        setItem(row, 0, keyItem);
        setItem(row, 1, new QTableWidgetItem(value));
        m_props << TItemProp();
        ApplyRowFlags(row);
    }
    m_loading = false;
    emit StringsChanged();
}

QString TOptionList::Key(int row) const
{
    const QTableWidgetItem* cell = item(row, 0);
    return cell ? cell->text() : QString();
}

QString TOptionList::Value(int row) const
{
    const QTableWidgetItem* cell = item(row, 1);
    return cell ? cell->text() : QString();
}

QTableWidgetItem* TOptionList::ValueItem(int row)
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    QTableWidgetItem* cell = item(row, 1);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, 1, cell);
    }
    return cell;
}

void TOptionList::SetValue(int row, const QString& value)
{
    if (QTableWidgetItem* cell = ValueItem(row); cell && cell->text() != value)
        cell->setText(value);
}

int TOptionList::FindRow(const QString& key) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (Key(row) == key)
            return row;
    return -1;
}

QString TOptionList::Values(const QString& key) const
{
    return Value(FindRow(key));
}

void TOptionList::SetValues(const QString& key, const QString& value)
{
    SetValue(FindRow(key), value);
}

TItemProp TOptionList::ItemProps(int row) const
{
    return row >= 0 && row < m_props.size() ? m_props[row] : TItemProp();
}

void TOptionList::SetItemProps(int row, const TItemProp& props)
{
    if (row < 0 || row >= m_props.size())
        return;
    m_props[row] = props;
    ApplyRowFlags(row);
}

void TOptionList::SetItemProps(const QString& key, const TItemProp& props)
{
    SetItemProps(FindRow(key), props);
}

// A read-only row opens no editor unless it has its ellipsis button.
void TOptionList::ApplyRowFlags(int row)
{
    QTableWidgetItem* cell = ValueItem(row);
    if (!cell)
        return;
    const TItemProp& props = m_props[row];
    const bool editable = !props.ReadOnly || props.EditStyle == TEditStyle::esEllipsis;
    const bool wasLoading = m_loading;
    m_loading = true;
    cell->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                            : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_loading = wasLoading;
}

void TOptionList::SetTitleCaptions(const QStringList& captions)
{
    m_titleCaptions = captions;
    setHorizontalHeaderLabels(captions);
}

QStringList TOptionList::PickListOf(int row)
{
    QStringList values = ItemProps(row).PickList;
    if (OnGetPickList)
        OnGetPickList(*this, Key(row), values);
    return values;
}

void TOptionList::EditButtonClick(int row)
{
    if (OnEditButtonClick)
        OnEditButtonClick(*this, row);
}

void TOptionList::EnterFromEditor()
{
    emit EnterPressed();
}

void TOptionList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && state() != QAbstractItemView::EditingState) {
        emit EnterPressed();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TOptionList::PaintCell(QPainter& painter, const QRect& rect, int row, int column, bool selected) const
{
    if (OnDrawCell && OnDrawCell(painter, rect, row, column, selected))
        return;
    painter.save();
    painter.fillRect(rect, column == 0 ? palette().color(QPalette::Button) : QColor(Qt::white));
    DrawCellText(painter, rect, column == 0 ? Key(row) : Value(row), false);
    painter.restore();
}
