#include "shell/widgets/StringGrid.h"

#include "shell/widgets/CellDelegate.h"
#include "shell/widgets/MainData.h"

#include <QHeaderView>
#include <QPainter>

namespace {

constexpr int ObjectRole = Qt::UserRole + 1;

} // namespace

TMyStringGrid::TMyStringGrid(QWidget* parent)
    : QTableWidget(1, 1, parent)
{
    setItemDelegate(new TCellDelegate(this, [this](QPainter& painter, const QRect& rect, const QModelIndex& index,
                                                   bool selected) {
        PaintCell(painter, rect, index.row(), index.column(), selected);
    }));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    horizontalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m_rowHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
}

TMyStringGrid::~TMyStringGrid() = default;

void TMyStringGrid::SetExtImages(TPictureList* pictures)
{
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < std::min(2, columnCount()); ++column)
            if (PictureNumber(Cell(column, row)) >= OwnPictureBase)
                SetCell(column, row, QStringLiteral("-1"));
    m_extImages = pictures;
    if (m_extImages)
        for (int row = 0; row < rowCount(); ++row)
            m_extImages->AppendBlank();
    viewport()->update();
}

void TMyStringGrid::SetColSelected(bool selected)
{
    m_colSelected = selected;
    viewport()->update();
}

void TMyStringGrid::SetImageSize(TImageSize size)
{
    m_imageSize = size;
    viewport()->update();
}

void TMyStringGrid::SetDefaultRowHeight(int height)
{
    m_rowHeight = height;
    verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, height);
}

QString TMyStringGrid::Cell(int column, int row) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TMyStringGrid::SetCell(int column, int row, const QString& text)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return;
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

QVariant TMyStringGrid::Object(int row) const
{
    const QTableWidgetItem* cell = item(row, 0);
    return cell ? cell->data(ObjectRole) : QVariant();
}

void TMyStringGrid::SetObject(int row, const QVariant& object)
{
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return;
    QTableWidgetItem* cell = item(row, 0);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, 0, cell);
    }
    cell->setData(ObjectRole, object);
}

bool TMyStringGrid::IsPictureColumn(int column) const
{
    if (!m_extImages)
        return false;
    return column == 0 || (column == 1 && columnCount() >= 3);
}

int TMyStringGrid::PictureNumber(const QString& text)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    return number ? value : -1;
}

TMyStringGrid::TCellPicture TMyStringGrid::PictureOf(int column, int row) const
{
    TCellPicture picture;
    if (!IsPictureColumn(column))
        return picture;
    const int number = PictureNumber(Cell(column, row));
    if (number < 0)
        return picture;
    if (number >= OwnPictureBase) {
        picture.List = m_extImages;
        picture.Number = number - OwnPictureBase;
    } else {
        picture.List = m_imageSize == TImageSize::imLarge ? &MainData().LagreIcons() : &MainData().SmallIcons();
        picture.Number = number;
    }
    return picture;
}

void TMyStringGrid::AppendRow()
{
    if (rowCount() > 0 && !RowInUse(rowCount() - 1))
        return;
    setRowCount(rowCount() + 1);
    setRowHeight(rowCount() - 1, m_rowHeight);
    if (m_extImages)
        m_extImages->AppendBlank();
}

void TMyStringGrid::ClearRow(int row)
{
    for (int column = 0; column < columnCount(); ++column)
        delete takeItem(row, column);
}

void TMyStringGrid::RemoveRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    if (OnBeforeDeleteRow)
        OnBeforeDeleteRow(*this, row);
    const int last = rowCount() - 1;
    if (row == last) {
        if (row == 0) {
            ClearRow(0);
            if (m_extImages) {
                m_extImages->Clear();
                m_extImages->AppendBlank();
            }
        } else {
            if (m_extImages)
                m_extImages->Remove(row);
            setRowCount(last);
        }
    } else {
        if (m_extImages) {
            for (int r = row; r <= last; ++r)
                for (int column = 0; column < std::min(2, columnCount()); ++column) {
                    const int number = PictureNumber(Cell(column, r));
                    if (number >= OwnPictureBase)
                        SetCell(column, r, QString::number(number - 1));
                }
            m_extImages->Remove(row);
        }
        removeRow(row);
    }
    if (row < rowCount())
        setCurrentCell(row, std::max(0, currentColumn()));
    viewport()->update();
}

bool TMyStringGrid::Highlighted(int row, int column, bool selected) const
{
    if (selected)
        return true;
    return m_colSelected && (row == currentRow() || column == currentColumn());
}

void TMyStringGrid::PaintCell(QPainter& painter, const QRect& rect, int row, int column, bool selected) const
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    PaintCellBackground(painter, rect, Highlighted(row, column, selected));
    if (IsPictureColumn(column)) {
        const TCellPicture picture = PictureOf(column, row);
        const QPixmap pixmap = picture.List ? picture.List->Picture(picture.Number) : QPixmap();
        if (!pixmap.isNull())
            DrawCentred(painter, QRect(rect.left(), rect.top(), rect.width(), m_rowHeight), pixmap);
    } else {
        Qt::Alignment alignment = Qt::AlignLeft;
        if (OnGetCellAligmentEvent)
            OnGetCellAligmentEvent(const_cast<TMyStringGrid&>(*this), column, row, alignment);
        DrawCellText(painter, rect, Cell(column, row), alignment.testFlag(Qt::AlignRight));
    }
    painter.restore();
}

void TMyStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableWidget::currentChanged(current, previous);
    if (m_colSelected)
        viewport()->update();
}
