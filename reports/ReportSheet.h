#pragma once

#include "reports/ELSObject.h"

#include <QString>
#include <QStringList>

/**
 * \brief A report's sheet as the reports fill it: a running row, labels in column a and values in the
 * report's value column, long texts wrapped over several rows.
 */
class TReportSheet final
{
public:
    explicit TReportSheet(TELSObject& writer, int firstRow = 1)
        : m_writer(writer)
        , m_row(firstRow)
    {
    }

    TELSObject& Writer() const { return m_writer; }
    /// The row the next line goes to (from 1).
    int Row() const { return m_row; }
    void SetRow(int row) { m_row = row; }
    /// Leaves \a rows rows empty.
    void Skip(int rows = 1) { m_row += rows; }

    /// Writes \a text into column \a column of the current row.
    void Put(const QString& column, const QString& text, TCellStyle style = TCellStyle::Plain) const;
    /// Writes \a title into column a of the current row and goes to the next row.
    void Title(const QString& title);
    /**
     * The wrapped line: \a label into column a, then \a text into \a column, cut into pieces no wider than
     * the column (WrapWidth) on as many rows as it takes, the last piece with the force-text marker. Always
     * takes at least one row.
     */
    void WrappedLine(const QString& label, const QString& text, const QString& column);

    /// How many characters a wrapped line puts into one row of \a column: 60 for "d", 80 for "b".
    static int WrapWidth(const QString& column);
    /**
     * \a text cut into rows of at most \a width characters: each row ends just before the last blank
     * (which is dropped) or just after the last comma among its first \a width characters, or after \a width
     * characters when it has neither; pieces are trimmed. A \a width of 0 or less does not cut. At least one
     * (possibly empty) piece.
     */
    static QStringList Wrap(const QString& text, int width);

private:
    QString Cell(const QString& column) const { return column + QString::number(m_row); }

    TELSObject& m_writer;
    int m_row = 1;
};
