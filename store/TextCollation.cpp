#include "store/TextCollation.h"

#include <QChar>

#include <sqlite3.h>

#include <mutex>
#include <string>

namespace {

// Decodes one UTF-8 code point; malformed bytes stand for themselves so that every text compares
// consistently.
char32_t NextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return c;
    }
    if (end - p < extra)
        return c;
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return c;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return cp;
}

char32_t Fold(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    return QChar::toCaseFolded(cp);
}

void DecodeFolded(const char* text, int length, std::u32string& out)
{
    out.clear();
    auto p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    while (p < end)
        out.push_back(Fold(NextCodePoint(p, end)));
}

int CollationCallback(void*, int aLength, const void* a, int bLength, const void* b)
{
    return TextCollation::CompareFolded(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

void LikeCallback(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL result, as the built-in like() gives
    char32_t escape = 0;
    if (argc == 3) {
        const unsigned char* e = sqlite3_value_text(argv[2]);
        int length = sqlite3_value_bytes(argv[2]);
        const unsigned char* end = e + length;
        if (e && length > 0)
            escape = Fold(NextCodePoint(e, end));
    }
    // like(X, Y) is the function form of "Y LIKE X".
    auto pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    int patternLength = sqlite3_value_bytes(argv[0]);
    auto text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    int textLength = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(context, TextCollation::LikeFolded(pattern, patternLength, text, textLength, escape) ? 1 : 0);
}

int RegisterOnConnection(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_collation_v2(db, "UNOCASE", SQLITE_UTF8, nullptr, &CollationCallback, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "like", 2, flags, nullptr, &LikeCallback, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "like", 3, flags, nullptr, &LikeCallback, nullptr, nullptr, nullptr);
    return rc;
}

} // namespace

namespace TextCollation {

void RegisterSqliteTextRules()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // sqlite3_auto_extension takes a generic entry point; the real signature is the one above.
        using Entry = void (*)();
        sqlite3_auto_extension(reinterpret_cast<Entry>(reinterpret_cast<void*>(&RegisterOnConnection)));
    });
}

int CompareFolded(const char* a, int aLength, const char* b, int bLength)
{
    auto pa = reinterpret_cast<const unsigned char*>(a);
    auto pb = reinterpret_cast<const unsigned char*>(b);
    const unsigned char* ea = pa + aLength;
    const unsigned char* eb = pb + bLength;
    while (pa < ea && pb < eb) {
        char32_t ca = Fold(NextCodePoint(pa, ea));
        char32_t cb = Fold(NextCodePoint(pb, eb));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    if (pb < eb)
        return -1;
    return 0;
}

bool LikeFolded(const char* pattern, int patternLength, const char* text, int textLength, char32_t escape)
{
    thread_local std::u32string p;
    thread_local std::u32string t;
    DecodeFolded(pattern, patternLength, p);
    DecodeFolded(text, textLength, t);

    // Greedy matching with one backtrack point for the last '%' seen: linear in practice.
    size_t pi = 0;
    size_t ti = 0;
    size_t starP = std::u32string::npos;
    size_t starT = 0;
    while (ti < t.size()) {
        if (pi < p.size()) {
            char32_t c = p[pi];
            if (escape && c == escape && pi + 1 < p.size()) {
                if (p[pi + 1] == t[ti]) {
                    pi += 2;
                    ++ti;
                    continue;
                }
            } else if (c == U'%') {
                starP = pi++;
                starT = ti;
                continue;
            } else if (c == U'_' || c == t[ti]) {
                ++pi;
                ++ti;
                continue;
            }
        }
        if (starP == std::u32string::npos)
            return false;
        pi = starP + 1;
        ti = ++starT;
    }
    while (pi < p.size() && p[pi] == U'%')
        ++pi;
    return pi == p.size();
}

} // namespace TextCollation
