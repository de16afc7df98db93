#pragma once

#include "shell/widgets/CellText.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/PictureList.h"

#include <QCache>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTableView>
#include <QTimer>

#include <functional>

class QStyleOptionViewItem;

/**
 * \brief The grid of every list: the rows of a list statement (TListModel, read as they are shown), every
 * cell drawn by the grid itself.
 *
 * Image columns show the row's photo fitted into the cell, or the picture of the row's kind; status
 * columns show a picture of StatusImages; every other column shows its text in the cells' own font, on one
 * line or word-wrapped. The selected row has the light-blue band gradient. Field names match ignoring
 * letter case. The events get the row being drawn.
 */
class TMyDBGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMyDBGrid)

public:
    /// Draws an image cell instead of the grid.
    using TDrawColumnCellEvent = std::function<void(QPainter& painter, const QRect& rect, const TListRow& row,
                                                    const TGridColumn& column, bool selected)>;
    /// Gives (or changes) the picture number of a status or image cell.
    using TStatusColumnGetImageEvent =
        std::function<void(TMyDBGrid& sender, const TListRow& row, const TGridColumn& column, int& imageIndex)>;
    /// Gives the colour and style of a text cell.
    using TGetFontColorEvent = std::function<void(TMyDBGrid& sender, const TListRow& row, const TGridColumn& column,
                                                  QColor& textColor, TFontStyles& fontStyle)>;

    /// Rows are the computed height plus this margin.
    static constexpr int RowMargin = 2;

    explicit TMyDBGrid(QWidget* parent = nullptr);
    ~TMyDBGrid() override;

    /// The rows; list frames open their statements on it.
    TListModel* Model() const { return m_model; }

    /// The columns shown (an empty list shows every field); widths and visibility come with them.
    void SetColumns(const QList<TGridColumn>& columns);
    int ColumnCount() const { return m_model->columnCount(); }
    TGridColumn Column(int column) const;
    bool IsColumnVisible(int column) const { return !isColumnHidden(column); }
    void SetColumnVisible(int column, bool visible);

    int ResizeColNum() const { return m_resizeColNum; }
    void SetResizeColNum(int column) { m_resizeColNum = column; }

    int DefaultRowHeight() const { return m_rowHeight; }
    const QPixmap& DefImage() const { return m_defImage; }
    void SetDefImage(const QPixmap& picture);
    const QStringList& ImageFields() const { return m_imageFields; }
    void SetImageFields(const QStringList& fields);
    const QStringList& StatusFields() const { return m_statusFields; }
    void SetStatusFields(const QStringList& fields);
    const QStringList& StringFields() const { return m_stringFields; }
    void SetStringFields(const QStringList& fields);
    const TPictureList* StatusImages() const { return m_statusImages; }
    /// Not owned.
    void SetStatusImages(const TPictureList* pictures);
    int TextLineCount() const { return m_textLineCount; }
    /// A value of 0 or less is stored as 1.
    void SetTextLineCount(int lines);

    bool IsImageField(const QString& field) const;
    bool IsStatusField(const QString& field) const;

    TDrawColumnCellEvent DrawImageFields;
    TStatusColumnGetImageEvent OnStatusColumnGetImage;
    TStatusColumnGetImageEvent OnImageColumnGetImage;
    TGetFontColorEvent OnGetFontColor;

    /// The row under the cursor (invalid when the list has no rows).
    TListRow CurrentRow() const;
    int CurrentRecord() const;
    /// Puts the cursor on \a row (clamped; nothing on an empty list).
    void SetCurrentRecord(int row);

    /// h of the row-height rule: 16 per text line, at least the default picture's height, at least the
    /// status pictures' height when status or image fields are named, at least 20.
    static int RowHeightRule(int textLineCount, int defImageHeight, int statusPictureHeight);
    /// The picture number (in the large shared list) of a row's kind in an image column; -1 for none.
    static int KindPicture(int objType, bool flag);

    /// Paints one cell as the grid does (the delegate's work; also used by tests).
    void PaintCell(QPainter& painter, const QRect& rect, const QModelIndex& index, bool selected) const;

    /// The colour of the frame drawn round the current row while the grid has the keyboard focus.
    static QColor FocusMarkColor();

Q_SIGNALS:
    /// The row under the cursor changed (also to none).
    void CurrentRecordChanged(int row);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void UpdateRowHeight();
    void ApplyOwnFont();
    void ApplyColumns();
    void PaintImageCell(QPainter& painter, const QRect& rect, const TListRow& row, const TGridColumn& column,
                        int field, bool selected) const;
    void PaintStatusCell(QPainter& painter, const QRect& rect, const TListRow& row, const TGridColumn& column,
                         int field) const;
    QImage RowPhoto(int row, int field) const;
    void DeferReads(bool deferred);

    TListModel* m_model;
    int m_resizeColNum = 0;
    int m_rowHeight = 20;
    QPixmap m_defImage;
    QImage m_defPicture;
    QStringList m_imageFields;
    QStringList m_statusFields;
    QStringList m_stringFields;
    const TPictureList* m_statusImages = nullptr;
    int m_textLineCount = 1;
    bool m_applyingFont = false;
    QTimer m_sliderRest;
    mutable QCache<qint64, QImage> m_photos;
};
