// Typed amounts: whatever the text, it is either refused with one of the two messages or read as an amount
// within the limit that reads back as itself from its own text; and every amount within the limit survives
// the trip through its text.
#include "store/Money.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdlib>
#include <cstring>

namespace {

void ExpectRoundTrip(qint64 hundredths)
{
    const Money::TParsed back = Money::Parse(Money::Text(hundredths));
    if (!back.Ok || back.Hundredths != hundredths)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Money::TParsed parsed = Money::Parse(FuzzText(data, size));
    if (parsed.Ok) {
        if (!parsed.Error.isEmpty() || parsed.Hundredths > Money::MaxHundredths
            || parsed.Hundredths < -Money::MaxHundredths)
            std::abort();
        ExpectRoundTrip(parsed.Hundredths);
    } else if (parsed.Error != Money::NoAmount && parsed.Error != Money::TooLarge) {
        std::abort();
    }
    if (size >= sizeof(qint64)) {
        qint64 raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        ExpectRoundTrip(raw % (Money::MaxHundredths + 1));
    }
    return 0;
}
