#include "shell/widgets/DBGrid.h"

#include "shell/widgets/CellDelegate.h"
#include "shell/widgets/MainData.h"
#include "store/ObjectKinds.h"
#include "store/TextHelpers.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

bool ContainsField(const QStringList& fields, const QString& field)
{
    return !field.isEmpty() && fields.contains(field, Qt::CaseInsensitive);
}

} // namespace

TMyDBGrid::TMyDBGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new TListModel(this))
    , m_photos(200)
{
    setModel(m_model);
    setItemDelegate(new TCellDelegate(this, [this](QPainter& painter, const QRect& rect, const QModelIndex& index,
                                                   bool selected) { PaintCell(painter, rect, index, selected); }));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(true);
    setGridStyle(Qt::SolidLine);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);

    // A scroll bar being dragged passes over rows nobody looks at: only where it rests are rows read.
    m_sliderRest.setSingleShot(true);
    m_sliderRest.setInterval(120);
    connect(&m_sliderRest, &QTimer::timeout, this, [this]() {
        DeferReads(false);
        viewport()->repaint();
        if (verticalScrollBar()->isSliderDown())
            DeferReads(true);
    });
    connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, [this]() { DeferReads(true); });
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this]() { m_sliderRest.start(); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this]() {
        m_sliderRest.stop();
        DeferReads(false);
        viewport()->update();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this]() {
        m_photos.clear();
        ApplyColumns();
        emit CurrentRecordChanged(CurrentRecord());
    });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this]() {
        m_photos.clear();
        emit CurrentRecordChanged(CurrentRecord());
    });
    UpdateRowHeight();
}

TMyDBGrid::~TMyDBGrid() = default;

void TMyDBGrid::DeferReads(bool deferred)
{
    m_model->SetReadsDeferred(deferred);
}

void TMyDBGrid::SetColumns(const QList<TGridColumn>& columns)
{
    m_model->SetColumns(columns);
}

TGridColumn TMyDBGrid::Column(int column) const
{
    TGridColumn result = m_model->Column(column);
    result.Width = columnWidth(column);
    result.Visible = !isColumnHidden(column);
    return result;
}

void TMyDBGrid::SetColumnVisible(int column, bool visible)
{
    setColumnHidden(column, !visible);
}

// The model resets on every statement and every column change: widths and visibility come from the
// columns again.
void TMyDBGrid::ApplyColumns()
{
    for (int i = 0; i < m_model->columnCount(); ++i) {
        const TGridColumn column = m_model->Column(i);
        setColumnHidden(i, !column.Visible);
        setColumnWidth(i, column.Width);
    }
}

void TMyDBGrid::SetDefImage(const QPixmap& picture)
{
    m_defImage = picture;
    m_defPicture = picture.toImage();
    UpdateRowHeight();
}

void TMyDBGrid::SetImageFields(const QStringList& fields)
{
    m_imageFields = fields;
    UpdateRowHeight();
}

void TMyDBGrid::SetStatusFields(const QStringList& fields)
{
    m_statusFields = fields;
    UpdateRowHeight();
}

void TMyDBGrid::SetStringFields(const QStringList& fields)
{
    m_stringFields = fields;
    UpdateRowHeight();
}

void TMyDBGrid::SetStatusImages(const TPictureList* pictures)
{
    m_statusImages = pictures;
    UpdateRowHeight();
}

void TMyDBGrid::SetTextLineCount(int lines)
{
    m_textLineCount = lines <= 0 ? 1 : lines;
    UpdateRowHeight();
}

bool TMyDBGrid::IsImageField(const QString& field) const
{
    return ContainsField(m_imageFields, field);
}

bool TMyDBGrid::IsStatusField(const QString& field) const
{
    return ContainsField(m_statusFields, field);
}

int TMyDBGrid::RowHeightRule(int textLineCount, int defImageHeight, int statusPictureHeight)
{
    int h = 16 * std::max(1, textLineCount);
    h = std::max(h, defImageHeight);
    h = std::max(h, statusPictureHeight);
    return std::max(h, 20);
}

void TMyDBGrid::UpdateRowHeight()
{
    const bool pictureFields = !m_statusFields.isEmpty() || !m_imageFields.isEmpty();
    const int statusHeight = m_statusImages && pictureFields ? m_statusImages->Size().height() : 0;
    m_rowHeight = RowHeightRule(m_textLineCount, m_defImage.isNull() ? 0 : m_defImage.height(), statusHeight);
    verticalHeader()->setDefaultSectionSize(m_rowHeight + RowMargin);
    ApplyOwnFont();
    viewport()->update();
}

// The grid keeps a font of its own, sized to its rows, whatever its parent uses; cells draw their text in
// the cells' font, so this one never shows.
void TMyDBGrid::ApplyOwnFont()
{
    m_applyingFont = true;
    QFont own = CellFont();
    own.setPointSize(std::max(1, static_cast<int>(std::lround(m_rowHeight / 1.6))));
    setFont(own);
    // The column titles are read, so they keep the cells' size rather than inheriting the grid's.
    horizontalHeader()->setFont(CellFont());
    m_applyingFont = false;
}

void TMyDBGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_applyingFont)
        ApplyOwnFont();
}

void TMyDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.row() != previous.row() || current.isValid() != previous.isValid())
        emit CurrentRecordChanged(current.isValid() ? current.row() : -1);
}

TListRow TMyDBGrid::CurrentRow() const
{
    return m_model->Row(CurrentRecord());
}

int TMyDBGrid::CurrentRecord() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() && current.row() < m_model->rowCount() ? current.row() : -1;
}

void TMyDBGrid::SetCurrentRecord(int row)
{
    if (m_model->rowCount() == 0 || m_model->columnCount() == 0)
        return;
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    int column = 0;
    while (column < m_model->columnCount() - 1 && isColumnHidden(column))
        ++column;
    const QModelIndex index = m_model->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

int TMyDBGrid::KindPicture(int objType, bool flag)
{
    switch (objType) {
    case Kind::Person:
        return flag ? 56 : 38;
    case Kind::Address:
        return 3;
    case Kind::Organization:
        return 2;
    case Kind::Family:
        return 40;
    case Kind::Event:
        return 4;
    case 9: // the projects list's rows
        return 109;
    case Kind::Note:
        return 5;
    case Kind::Role:
        return 47;
    case Kind::Residence:
        return 61;
    case Kind::AdoptiveFamilyLink:
        return 67;
    default:
        return -1;
    }
}

QColor TMyDBGrid::FocusMarkColor()
{
    return QColor(0, 0, 128);
}

// The cells paint the selected row alike with or without the focus; the mark round the current row shows a
// keyboard user where the keys go.
void TMyDBGrid::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    QRect row = visualRect(current);
    if (!row.isValid())
        return;
    row.setLeft(0);
    row.setRight(viewport()->width() - 1);
    QPainter painter(viewport());
    QPen pen(FocusMarkColor());
    pen.setWidth(2);
    painter.setPen(pen);
    painter.drawRect(row.adjusted(1, 1, -1, -1));
}

void TMyDBGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void TMyDBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void TMyDBGrid::PaintCell(QPainter& painter, const QRect& rect, const QModelIndex& index, bool selected) const
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    PaintCellBackground(painter, rect, selected);
    const TGridColumn column = m_model->Column(index.column());
    const int field = m_model->ColumnField(index.column());
    const TListRow row = m_model->Row(index.row());
    if (IsImageField(column.FieldName))
        PaintImageCell(painter, rect, row, column, field, selected);
    else if (IsStatusField(column.FieldName))
        PaintStatusCell(painter, rect, row, column, field);
    else {
        QColor colour = Qt::black;
        TFontStyles style;
        if (OnGetFontColor)
            OnGetFontColor(const_cast<TMyDBGrid&>(*this), row, column, colour, style);
        DrawCellText(painter, rect, m_model->DisplayText(index.row(), field), column.Alignment.testFlag(Qt::AlignRight),
                     colour, style);
    }
    painter.restore();
}

QImage TMyDBGrid::RowPhoto(int row, int field) const
{
    const qint64 key = static_cast<qint64>(row) * 1024 + field;
    if (const QImage* cached = m_photos.object(key))
        return *cached;
    const QByteArray bytes = m_model->FieldValue(row, field).toByteArray();
    QImage photo;
    if (!bytes.isEmpty() && !photo.loadFromData(bytes, "JPEG"))
        photo = QImage();
    m_photos.insert(key, new QImage(photo), std::max<qsizetype>(1, photo.sizeInBytes() / (64 * 1024)));
    return photo;
}

void TMyDBGrid::PaintImageCell(QPainter& painter, const QRect& rect, const TListRow& row, const TGridColumn& column,
                               int field, bool selected) const
{
    if (DrawImageFields) {
        DrawImageFields(painter, rect, row, column, selected);
        return;
    }
    const int objType = static_cast<int>(row.Int(QStringLiteral("ObjType")));
    const bool flag = row.Bool(QStringLiteral("Flag"));
    const bool dead = row.Bool(QStringLiteral("D2Flag"));
    const QString objId = row.Text(QStringLiteral("ObjId"));

    // A photo that does not decode is no picture; only a row without photo takes the default one.
    const bool hasPhoto = field >= 0 && !m_model->FieldValue(row.Row(), field).toByteArray().isEmpty();
    const QImage picture = hasPhoto ? RowPhoto(row.Row(), field) : m_defPicture;
    if (!picture.isNull()) {
        const QRect box(rect.left(), rect.top() + 1, rect.width() - 1, rect.height() - 1);
        const QRect fitted = FitRect(picture.size(), box.width(), box.height()).translated(box.topLeft());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(fitted, picture);
    } else if (!objId.trimmed().isEmpty()) {
        int number = KindPicture(objType, flag);
        if (OnImageColumnGetImage)
            OnImageColumnGetImage(const_cast<TMyDBGrid&>(*this), row, column, number);
        const QPixmap pixmap = MainData().LagreIcons().Picture(number);
        if (!pixmap.isNull()) {
            DrawCentred(painter, rect, pixmap);
        }
    }
    if (objType == 1 && dead) {
        const int side = rect.width() / 4;
        painter.fillRect(QRect(rect.right() + 1 - side, rect.bottom() + 1 - 2 - side, side, side), Qt::black);
    }
}

void TMyDBGrid::PaintStatusCell(QPainter& painter, const QRect& rect, const TListRow& row, const TGridColumn& column,
                                int field) const
{
    int number = static_cast<int>(m_model->FieldValue(row.Row(), field).toLongLong()) - 1;
    if (OnStatusColumnGetImage)
        OnStatusColumnGetImage(const_cast<TMyDBGrid&>(*this), row, column, number);
    if (!m_statusImages || number < 0 || number >= m_statusImages->Count())
        return;
    const QPixmap pixmap = m_statusImages->Picture(number);
    DrawCentred(painter, QRect(rect.left(), rect.top(), rect.width(), m_rowHeight), pixmap);
}
