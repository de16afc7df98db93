#pragma once

#include <QString>

/**
 * A phone number as it is kept: twelve characters, the country code (2), the area code (3), then 3 + 2 + 2
 * digits, with a blank for each position not typed. The phone editor shows it in the mask Mask, whose text
 * reads "+79(495) 123-45-67".
 */
namespace PhoneNumber {

/// The number of digit positions of a kept number.
inline constexpr int Digits = 12;
/// The input mask of the phone editor: every position optional, a blank where none was typed.
inline constexpr char16_t Mask[] = u"+99(999) 999-99-99; ";
/// The length of the masked text.
inline constexpr int MaskedLength = 18;

/// The kept number of the masked text \a masked (as the editor shows it): its twelve digit positions,
/// a blank where there is no digit.
QString FromMasked(const QString& masked);
/// The position in the masked text of the digit position \a digits (0-based), which is also where the
/// caret stands after the first \a digits positions: 4 after the country code (after the opening
/// parenthesis), 9 after the area code (after the closing parenthesis and its blank).
int MaskedPosition(int digits);
/// Whether \a digits holds no digit at all.
bool IsBlank(const QString& digits);
/// The number as lists show it: "79(495) 123-45-67".
QString Text(const QString& digits);

} // namespace PhoneNumber
