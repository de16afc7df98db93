// The SQL translator takes any statement text: it always ends, and translating to either engine never
// reads or writes outside its strings.
#include "store/SqlDialect.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString sql = FuzzText(data, size);
    (void)SqlDialect::Translate(sql, TSqlEngine::SQLite);
    (void)SqlDialect::Translate(sql, TSqlEngine::PostgreSQL);
    (void)SqlDialect::Quote(sql);
    return 0;
}
