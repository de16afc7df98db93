#include "contacts/PhoneNumber.h"

#include <array>

namespace PhoneNumber {

namespace {

// Where each of the twelve digits stands in the masked text "+99(999) 999-99-99".
constexpr std::array<int, Digits> Positions{1, 2, 4, 5, 6, 9, 10, 11, 13, 14, 16, 17};

QString Padded(const QString& digits)
{
    return digits.left(Digits).leftJustified(Digits, QLatin1Char(' '));
}

} // namespace

QString FromMasked(const QString& masked)
{
    QString digits(Digits, QLatin1Char(' '));
    for (int i = 0; i < Digits; ++i) {
        const int at = Positions[static_cast<size_t>(i)];
        // ASCII digits only: other scripts' digits are digits to Qt, but no phone number is dialled with them.
        if (at < masked.size() && masked.at(at) >= u'0' && masked.at(at) <= u'9')
            digits[i] = masked.at(at);
    }
    return digits;
}

int MaskedPosition(int digits)
{
    if (digits <= 0)
        return 1;
    if (digits >= Digits)
        return MaskedLength;
    // After the last digit of a group the caret goes past the literals that close it.
    return Positions[static_cast<size_t>(digits)];
}

bool IsBlank(const QString& digits)
{
    for (const QChar c : digits) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

QString Text(const QString& digits)
{
    const QString n = Padded(digits);
    return n.left(2) + QLatin1Char('(') + n.mid(2, 3) + QStringLiteral(") ") + n.mid(5, 3) + QLatin1Char('-')
        + n.mid(8, 2) + QLatin1Char('-') + n.mid(10, 2);
}

} // namespace PhoneNumber
