// The settings file's first line and its encoded fields: whatever the file holds, decoding ends, and a
// line that decodes is written back to a line that decodes to the same settings.
#include "store/SettingsFile.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = FuzzText(data, size);
    bool ok = false;
    (void)SettingsFile::DecodeText(text, &ok);
    QString payload = text;
    (void)SettingsFile::DecodeField(payload, &ok);
    const TSettings settings = SettingsFile::ParseLine(text);
    if (settings.IsValid()) {
        const TSettings again = SettingsFile::ParseLine(SettingsFile::FormatLine(settings));
        if (!again.IsValid() || again.Mode != settings.Mode || again.Path != settings.Path || again.Server != settings.Server
            || again.Catalog != settings.Catalog)
            std::abort();
    }
    // Encoding any text gives a field that decodes to the trimmed text.
    QString field = SettingsFile::EncodeField(text);
    if (SettingsFile::DecodeField(field, &ok) != text.trimmed())
        std::abort();
    return 0;
}
