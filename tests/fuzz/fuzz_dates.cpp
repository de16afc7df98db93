// The date and number texts a user types: any text gives an answer, and a date that is accepted is written
// back as a text that reads as the same date.
#include "store/DateSerial.h"
#include "store/TextHelpers.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = FuzzText(data, size);
    double serial = 0;
    if (TryDate(serial, text)) {
        double again = 0;
        if (!TryDate(again, DateSerial::DateText(serial)) || again != serial)
            std::abort();
    } else if (serial != 0) {
        std::abort();
    }
    (void)IntOfText(text);
    (void)FloatOfText(text);
    (void)RemoveBlanks(text);
    (void)CapitalizeFirst(text);
    return 0;
}
