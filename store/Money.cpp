#include "store/Money.h"

#include <QLocale>

namespace Money {

namespace {

bool IsBlank(QChar c)
{
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2007);
}

bool IsMinus(QChar c)
{
    return c == u'-' || c == QChar(0x2212);
}

TParsed Refused(const QString& why)
{
    TParsed parsed;
    parsed.Error = why;
    return parsed;
}

} // namespace

TParsed Parse(const QString& text)
{
    bool negative = false;
    bool signSeen = false;
    bool separatorSeen = false;
    bool digitSeen = false;
    qint64 whole = 0;
    int fractionDigits = 0;
    qint64 fraction = 0; // the first two digits after the separator
    // The digits after the hundredths decide the rounding: above, exactly at or below one half.
    bool firstDropped = false;
    int dropped = -1; // the third fractional digit; -1 none
    bool restNonZero = false;
    for (const QChar c : text) {
        if (IsBlank(c))
            continue;
        if ((IsMinus(c) || c == u'+') && !signSeen && !digitSeen && !separatorSeen) {
            signSeen = true;
            negative = IsMinus(c);
            continue;
        }
        if ((c == u',' || c == u'.') && !separatorSeen) {
            separatorSeen = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return Refused(NoAmount);
        const int digit = c.unicode() - u'0';
        digitSeen = true;
        if (!separatorSeen) {
            // Leading zeros never overflow; anything past the limit is refused as soon as it is seen.
            if (whole > MaxHundredths / 100)
                return Refused(TooLarge);
            whole = whole * 10 + digit;
        } else if (fractionDigits < 2) {
            fraction = fraction * 10 + digit;
            ++fractionDigits;
        } else if (!firstDropped) {
            firstDropped = true;
            dropped = digit;
        } else if (digit != 0) {
            restNonZero = true;
        }
    }
    if (!digitSeen)
        return Refused(NoAmount);
    for (; fractionDigits < 2; ++fractionDigits)
        fraction *= 10;
    if (whole > MaxHundredths / 100)
        return Refused(TooLarge);
    qint64 hundredths = whole * 100 + fraction;
    if (dropped > 5 || (dropped == 5 && (restNonZero || hundredths % 2 != 0)))
        ++hundredths;
    if (hundredths > MaxHundredths)
        return Refused(TooLarge);
    TParsed parsed;
    parsed.Ok = true;
    parsed.Hundredths = negative ? -hundredths : hundredths;
    return parsed;
}

QString Text(qint64 hundredths)
{
    // The magnitude as unsigned, so that the smallest 64-bit value has one too.
    const quint64 magnitude = hundredths < 0 ? quint64(0) - quint64(hundredths) : quint64(hundredths);
    const QString cents = QString::number(magnitude % 100).rightJustified(2, u'0');
    return (hundredths < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100)
        + QLocale().decimalPoint() + cents;
}

} // namespace Money
