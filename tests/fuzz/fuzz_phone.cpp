// The phone editor's masked text: whatever it holds, the kept number is twelve positions of ASCII digits
// or blanks, and a kept number shown in a list reads back as itself.
#include "contacts/PhoneNumber.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString masked = FuzzText(data, size);
    const QString digits = PhoneNumber::FromMasked(masked);
    if (digits.size() != PhoneNumber::Digits)
        std::abort();
    for (const QChar c : digits) {
        if (c != u' ' && (c < u'0' || c > u'9'))
            std::abort();
    }
    if (PhoneNumber::FromMasked(u'+' + PhoneNumber::Text(digits)) != digits)
        std::abort();
    if (PhoneNumber::IsBlank(digits) != (digits.trimmed().isEmpty()))
        std::abort();
    (void)PhoneNumber::Text(masked);
    (void)PhoneNumber::IsBlank(masked);
    return 0;
}
