#include "reports/CellName.h"

namespace CellName {

int Column(const QString& letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return -1;
    int column = 0;
    for (const QChar c : letters) {
        // Latin letters only: lower-casing first would let a dotted capital I or the Kelvin sign pass as
        // "i" or "k".
        const char16_t letter = c.unicode();
        const char16_t lower = letter >= u'A' && letter <= u'Z' ? char16_t(letter - u'A' + u'a') : letter;
        if (lower < u'a' || lower > u'z')
            return -1;
        column = column * 26 + (lower - u'a' + 1);
    }
    return column <= MaxColumns ? column - 1 : -1;
}

bool Parse(const QString& name, int* row, int* column)
{
    const QString text = name.trimmed();
    qsizetype letters = 0;
    while (letters < text.size() && text.at(letters).isLetter())
        ++letters;
    const int col = Column(text.left(letters));
    const QString digits = text.mid(letters);
    if (col < 0 || digits.isEmpty() || digits.size() > 7)
        return false;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return false;
    const int number = digits.toInt();
    if (number < 1 || number > MaxRows)
        return false;
    *row = number - 1;
    *column = col;
    return true;
}

} // namespace CellName
