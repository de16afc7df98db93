#pragma once

#include <QString>
#include <QtGlobal>

/**
 * \brief Amounts of money: whole numbers of hundredths (kopecks, cents) of an account's currency, read from
 * what the user typed digit by digit and added as integers, never through a binary floating-point number.
 */
namespace Money {

/// The largest amount the program takes: 100 000 000 000,00, that is 10^13 hundredths. Sums of millions
/// of such amounts still fit a 64-bit integer.
inline constexpr qint64 MaxHundredths = 10'000'000'000'000LL;

inline const QString NoAmount = QStringLiteral("Укажите сумму");
inline const QString TooLarge = QStringLiteral("Сумма слишком велика");

/// What typed text holds as an amount.
struct TParsed
{
    bool Ok = false;
    /// Signed hundredths, when Ok.
    qint64 Hundredths = 0;
    /// Why the text is no amount ("Укажите сумму", "Сумма слишком велика"); empty when Ok.
    QString Error;
};

/**
 * Reads an amount: an optional sign, digits, and at most one decimal separator, "," or "." alike; blanks
 * and no-break spaces anywhere are ignored ("30 000 000,00"). Digits beyond the hundredths are rounded
 * half to even on the exact digits ("2.675" is 2.68, "0.125" is 0.12). Blank text, a lone separator or any
 * other character gives "Укажите сумму"; more than MaxHundredths gives "Сумма слишком велика".
 */
TParsed Parse(const QString& text);

/// The amount as the user reads it: hundredths / 100 with two decimals, the locale's decimal separator and
/// no thousands separator ("-12,34").
QString Text(qint64 hundredths);

} // namespace Money
