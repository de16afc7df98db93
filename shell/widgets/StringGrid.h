#pragma once

#include "shell/widgets/CellText.h"
#include "shell/widgets/PictureList.h"

#include <QTableWidget>
#include <QVariant>

#include <functional>


/// Which shared list picture numbers below 500 refer to.
enum class TImageSize { imLarge, imSmall };

/**
 * \brief A grid of texts that draws every cell itself: the section list of object cards, the window list,
 * period totals and analysis tables.
 *
 * With ExtImages set, column 0 (and column 1 when the grid has 3 columns or more) holds picture numbers:
 * below 500 a picture of the shared list chosen by ImageSize, 500 + n picture n of ExtImages (the row's own
 * picture), -1 or anything that is not a number none. ExtImages keeps one picture per row: AppendRow adds
 * one, RemoveRow removes the row's and renumbers the rows below. A row is in use when its object is set.
 * Cells are addressed column first, as Cell(column, row).
 */
class TMyStringGrid final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMyStringGrid)

public:
    using TBeforeDeleteEvent = std::function<void(TMyStringGrid& sender, int row)>;
    using TGetCellAligmentEvent = std::function<void(TMyStringGrid& sender, int column, int row, Qt::Alignment& alignment)>;

    /// Where a picture cell's picture comes from: \c List is nullptr when the cell shows none.
    struct TCellPicture
    {
        const TPictureList* List = nullptr;
        int Number = -1;
    };

    static constexpr int OwnPictureBase = 500;

    explicit TMyStringGrid(QWidget* parent = nullptr);
    ~TMyStringGrid() override;

    TPictureList* ExtImages() const { return m_extImages; }
    /// Takes \a pictures (not owned; nullptr: none): cells pointing into the old list are cleared to "-1",
    /// and the new list gets one blank picture per row.
    void SetExtImages(TPictureList* pictures);
    bool ColSelected() const { return m_colSelected; }
    void SetColSelected(bool selected);
    TImageSize ImageSize() const { return m_imageSize; }
    void SetImageSize(TImageSize size);
    int DefaultRowHeight() const { return m_rowHeight; }
    void SetDefaultRowHeight(int height);

    TBeforeDeleteEvent OnBeforeDeleteRow;
    TGetCellAligmentEvent OnGetCellAligmentEvent;

    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);
    /// The object a row carries (in column 0); an invalid value when none.
    QVariant Object(int row) const;
    void SetObject(int row, const QVariant& object);
    bool RowInUse(int row) const { return Object(row).isValid(); }

    /// Whether \a column shows pictures.
    bool IsPictureColumn(int column) const;
    /// The picture cell (column, row) shows.
    TCellPicture PictureOf(int column, int row) const;

    /// Adds a row when the last one is in use (and a blank picture with ExtImages).
    void AppendRow();
    /// Removes \a row (nothing for a row that does not exist); the only row is cleared instead, so one empty
    /// row always stays.
    void RemoveRow(int row);

    /// Paints one cell as the grid does (the delegate's work; also used by tests).
    void PaintCell(QPainter& painter, const QRect& rect, int row, int column, bool selected) const;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    static int PictureNumber(const QString& text);
    void ClearRow(int row);
    bool Highlighted(int row, int column, bool selected) const;

    TPictureList* m_extImages = nullptr;
    bool m_colSelected = false;
    TImageSize m_imageSize = TImageSize::imLarge;
    int m_rowHeight = 24;
};
