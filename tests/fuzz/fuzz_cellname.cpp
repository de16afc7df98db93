// The cell names the reports write to: a name that is accepted is Latin letters and a row number, and
// reads as the cell it names.
#include "reports/CellName.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdlib>

namespace {

QString Letters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'a' + (n - 1) % 26));
    return letters;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString name = FuzzText(data, size);
    int row = -1;
    int column = -1;
    if (!CellName::Parse(name, &row, &column)) {
        if (row != -1 || column != -1)
            std::abort();
        return 0;
    }
    if (row < 0 || row >= CellName::MaxRows || column < 0 || column >= CellName::MaxColumns)
        std::abort();
    for (const QChar c : name.trimmed()) {
        if (!(c >= u'a' && c <= u'z') && !(c >= u'A' && c <= u'Z') && !(c >= u'0' && c <= u'9'))
            std::abort();
    }
    int again = -1;
    int againColumn = -1;
    if (!CellName::Parse(Letters(column) + QString::number(row + 1), &again, &againColumn) || again != row
        || againColumn != column)
        std::abort();
    return 0;
}
