#pragma once

#include "reports/CellName.h"

#include <QByteArray>
#include <QString>

#include <functional>

struct lxw_format;
struct lxw_workbook;
struct lxw_worksheet;

/// How a cell looks.
enum class TCellStyle {
    Plain,
    Bold, ///< labels of a table's head
    Label, ///< labels beside their values: bold, against the right edge of the cell
    Title, ///< the title of a report or of a section: bold and larger
};

/**
 * \brief The spreadsheet a report writes: one .xlsx workbook with one sheet, written to a file.
 *
 * A writer lives for one report: Open, any number of writes (cells named like "b3"), Close, then Show hands
 * the file to the desktop's spreadsheet program. Every cell write swallows its own failure, so one bad cell
 * never stops a report. Texts are always text cells, never formulas: a text starting with "=" stays that
 * text, one leading apostrophe (the force-text marker) is dropped, and a text longer than a cell takes is
 * cut. A workbook that could not be completed, or was cancelled, leaves no file behind.
 *
 * In constant-memory mode (for long reports) rows must be written in ascending order: a write to a row
 * above the last one written is refused. User-interface thread only.
 */
class TELSObject final
{
public:
    /// The most characters a cell holds.
    static constexpr int MaxTextLength = 32767;

    TELSObject();
    ~TELSObject();
    TELSObject(const TELSObject&) = delete;
    TELSObject& operator=(const TELSObject&) = delete;

    /// Starts a new workbook to be written to \a fileName (its folder is made when missing); false when it
    /// cannot be started. Every other operation does nothing until Open succeeded.
    bool Open(const QString& fileName, bool constantMemory = false);
    bool IsOpened() const { return m_book != nullptr; }
    const QString& FileName() const { return m_fileName; }

    /// Run after every write (the report keeps its window alive there and may Cancel).
    void SetStepHandler(std::function<void()> handler) { m_step = std::move(handler); }

    /// Writes \a value as text into \a cell; false when nothing was written.
    bool SetText(const QString& cell, const QString& value, TCellStyle style = TCellStyle::Plain);
    /// Writes \a value as a number into \a cell.
    bool SetNumber(const QString& cell, double value, TCellStyle style = TCellStyle::Plain);
    /**
     * Places the picture \a picture (bytes of any format the program reads) over \a cell, 5 points in from
     * its corner, \a width by \a height points. False when the picture cannot be read or placed.
     */
    bool InsertPicture(const QString& cell, const QByteArray& picture, int height, int width);
    /// Sets the width of the column \a letters in characters.
    void SetColumnWidth(const QString& letters, double width);
    /// Prints the sheet on A4 paper scaled to the width of one page, as long as it takes downwards.
    void FitToPageWidth(bool landscape = false);

    /// Drops everything written: the workbook is never saved. Later writes do nothing.
    void Cancel();
    bool IsCancelled() const { return m_cancelled; }
    /// Writes the workbook file; false when it could not be written or was cancelled (no file is left).
    bool Close();
    /// Closes the workbook when still open and opens the file with the desktop's spreadsheet program; when
    /// nothing opens it, the user is told where the file is. False when there is no file to show.
    bool Show();

    /// The text a cell receives for \a value: without one leading apostrophe, cut to MaxTextLength.
    static QString CellText(const QString& value);

private:
    bool Cell(const QString& name, int* row, int* column);
    lxw_format* Format(TCellStyle style) const;
    void Step();
    void Discard();

    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_bold = nullptr;
    lxw_format* m_title = nullptr;
    lxw_format* m_label = nullptr;
    QString m_fileName;
    QByteArray m_encodedName;
    std::function<void()> m_step;
    bool m_constantMemory = false;
    bool m_cancelled = false;
    int m_lastRow = 0;
    int m_pictures = 0;
};
