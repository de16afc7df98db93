#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

/// One cell of a sheet as a reader of the file sees it.
struct TSheetCell
{
    QString Type; ///< "s" (shared text), "inlineStr", "str", "n" (a number; also when the attribute is missing) ...
    QString Text; ///< the text, or the number as written
    bool IsText() const { return Type == u"s" || Type == u"inlineStr"; }
};

/**
 * Reads an .xlsx workbook the way a spreadsheet program does, independently of the library that wrote it: the
 * zip archive (stored and deflated entries, through zlib), the shared strings and the first sheet's cells.
 */
class TXlsxReader final
{
public:
    /// Reads \a fileName; IsValid() tells whether it is a workbook with a first sheet.
    explicit TXlsxReader(const QString& fileName);

    bool IsValid() const { return m_valid; }
    /// The names of the archive's entries.
    QStringList Entries() const { return m_entries.keys(); }
    QByteArray Entry(const QString& name) const { return m_entries.value(name); }
    /// The cells of the first sheet by their names in lower case ("a1", "aa10").
    const QMap<QString, TSheetCell>& Cells() const { return m_cells; }
    /// The text of \a cell (lower case), empty when the cell is missing.
    QString Text(const QString& cell) const { return m_cells.value(cell).Text; }
    bool Has(const QString& cell) const { return m_cells.contains(cell); }
    /// The cells of column \a column (lower case letters) from row \a from on, until the first row without it.
    QStringList Column(const QString& column, int from) const;
    /// The widths of the columns the sheet sets, by their first column number (1 for a).
    QMap<int, double> ColumnWidths() const { return m_widths; }

private:
    bool Unzip(const QByteArray& archive);
    void ReadSharedStrings();
    void ReadSheet();

    QMap<QString, QByteArray> m_entries;
    QStringList m_shared;
    QMap<QString, TSheetCell> m_cells;
    QMap<int, double> m_widths;
    bool m_valid = false;
};
