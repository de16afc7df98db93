#include "reports/ReportSheet.h"

void TReportSheet::Put(const QString& column, const QString& text, TCellStyle style) const
{
    m_writer.SetText(Cell(column), text, style);
}

void TReportSheet::Title(const QString& title)
{
    Put(QStringLiteral("a"), title, TCellStyle::Title);
    ++m_row;
}

int TReportSheet::WrapWidth(const QString& column)
{
    const QString letter = column.left(1).toUpper();
    return letter.isEmpty() ? 0 : 740 - 10 * letter.at(0).unicode();
}

QStringList TReportSheet::Wrap(const QString& text, int width)
{
    QStringList pieces;
    QString rest = text.trimmed();
    while (width > 0 && rest.size() >= width) {
        qsizetype cut = width;
        qsizetype next = width;
        for (qsizetype i = width - 1; i >= 0; --i) {
            if (rest.at(i) == u' ') {
                cut = i;
                next = i + 1;
                break;
            }
            if (rest.at(i) == u',') {
                cut = i + 1;
                next = i + 1;
                break;
            }
        }
        // Every turn takes at least one character, so the loop always ends.
        pieces.append(rest.left(cut).trimmed());
        rest = rest.mid(next).trimmed();
    }
    pieces.append(rest);
    return pieces;
}

void TReportSheet::WrappedLine(const QString& label, const QString& text, const QString& column)
{
    Put(QStringLiteral("a"), label);
    const QStringList pieces = Wrap(text, WrapWidth(column));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        // The last piece carries the force-text marker, as every text the reports write is text.
        Put(column, i + 1 < pieces.size() ? pieces.at(i) : u'\'' + pieces.at(i));
        ++m_row;
    }
}
