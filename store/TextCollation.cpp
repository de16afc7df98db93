#include "store/TextCollation.h"

#include "store/SqlConnection.h"

#include <QChar>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <memory>
#include <mutex>
#include <string>

namespace {

using TextCollation::TRules;

constexpr int kRussianRulesNumber = 1;

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

char32_t Fold(TRules rules, char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    const char32_t folded = QChar::toCaseFolded(cp);
    return rules == TRules::Russian && folded == U'ё' ? U'е' : folded;
}

void DecodeFolded(TRules rules, const char* text, int length, std::u32string& out)
{
    out.clear();
    auto p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    while (p < end)
        out.push_back(Fold(rules, NextCodePoint(p, end)));
}

int CompareCaseFolded(const char* a, int aLength, const char* b, int bLength)
{
    auto pa = reinterpret_cast<const unsigned char*>(a);
    auto pb = reinterpret_cast<const unsigned char*>(b);
    const unsigned char* ea = pa + aLength;
    const unsigned char* eb = pb + bLength;
    while (pa < ea && pb < eb) {
        char32_t ca = Fold(TRules::CaseFolded, NextCodePoint(pa, ea));
        char32_t cb = Fold(TRules::CaseFolded, NextCodePoint(pb, eb));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    if (pb < eb)
        return -1;
    return 0;
}

struct TCollatorClose
{
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using TCollator = std::unique_ptr<UCollator, TCollatorClose>;

// Primary strength: letter case and the diacritic that tells ё from е are secondary and tertiary
// differences in the Russian order, so texts that differ only there are equal.
TCollator OpenRussianCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    TCollator collator(ucol_open("ru", &status));
    if (U_FAILURE(status) || !collator)
        return nullptr;
    ucol_setStrength(collator.get(), UCOL_PRIMARY);
    return collator;
}

// A collator is not for concurrent use: every connection and every thread gets its own.
UCollator* ThreadCollator()
{
    thread_local TCollator collator = OpenRussianCollator();
    return collator.get();
}

int CompareRussian(UCollator* collator, const char* a, int aLength, const char* b, int bLength)
{
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = ucol_strcollUTF8(collator, a, aLength, b, bLength, &status);
    if (U_FAILURE(status))
        return CompareCaseFolded(a, aLength, b, bLength);
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

int RussianCallback(void* collator, int aLength, const void* a, int bLength, const void* b)
{
    return CompareRussian(static_cast<UCollator*>(collator), static_cast<const char*>(a), aLength,
                          static_cast<const char*>(b), bLength);
}

int CaseFoldedCallback(void*, int aLength, const void* a, int bLength, const void* b)
{
    return CompareCaseFolded(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

void DestroyCollator(void* collator)
{
    ucol_close(static_cast<UCollator*>(collator));
}

// The rules travel in the function's user data: a null pointer for the old rules, any other for Russian.
char g_russianLike = 0;

void LikeCallback(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL result, as the built-in like() gives
    const TRules rules = sqlite3_user_data(context) ? TRules::Russian : TRules::CaseFolded;
    char32_t escape = 0;
    if (argc == 3) {
        const unsigned char* e = sqlite3_value_text(argv[2]);
        int length = sqlite3_value_bytes(argv[2]);
        const unsigned char* end = e + length;
        if (e && length > 0)
            escape = Fold(rules, NextCodePoint(e, end));
    }
    // like(X, Y) is the function form of "Y LIKE X".
    auto pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    int patternLength = sqlite3_value_bytes(argv[0]);
    auto text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    int textLength = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(context,
                       TextCollation::LikeFolded(rules, pattern, patternLength, text, textLength, escape) ? 1 : 0);
}

int RegisterRules(sqlite3* db, TRules rules)
{
    int rc = SQLITE_OK;
    if (rules == TRules::Russian) {
        TCollator collator = OpenRussianCollator();
        if (!collator)
            return SQLITE_ERROR;
        rc = sqlite3_create_collation_v2(db, "UNOCASE", SQLITE_UTF8, collator.get(), &RussianCallback,
                                         &DestroyCollator);
        // SQLite owns the collator once it took it; a refused one stays ours.
        if (rc == SQLITE_OK)
            collator.release();
    } else {
        rc = sqlite3_create_collation_v2(db, "UNOCASE", SQLITE_UTF8, nullptr, &CaseFoldedCallback, nullptr);
    }
    void* likeData = rules == TRules::Russian ? &g_russianLike : nullptr;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "like", 2, flags, likeData, &LikeCallback, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "like", 3, flags, likeData, &LikeCallback, nullptr, nullptr, nullptr);
    return rc;
}

int RegisterOnConnection(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    return RegisterRules(db, TRules::Russian);
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

bool UseRules(sqlite3* db, TRules rules)
{
    return db && RegisterRules(db, rules) == SQLITE_OK;
}

bool UseRules(const QSqlDatabase& db, TRules rules)
{
    return UseRules(SqliteHandle(db), rules);
}

int RulesStamp()
{
    static const int stamp = [] {
        UVersionInfo version = {};
        if (UCollator* collator = ThreadCollator())
            ucol_getVersion(collator, version);
        return (kRussianRulesNumber << 24) | (version[0] << 16) | (version[1] << 8) | version[2];
    }();
    return stamp;
}

TRules RulesOfStamp(int stamp)
{
    return (stamp >> 24) == kRussianRulesNumber ? TRules::Russian : TRules::CaseFolded;
}

QStringList ServerDefinitions()
{
    return {QStringLiteral("CREATE COLLATION IF NOT EXISTS %1 (provider = icu, locale = 'ru-u-ks-level1', "
                           "deterministic = false)")
                .arg(QLatin1String(kServerCollation)),
            // lower() folds every alphabet under an ICU collation; the result is compared byte by byte.
            QStringLiteral("CREATE OR REPLACE FUNCTION %1(text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE "
                           "AS $$select translate(lower($1 COLLATE \"und-x-icu\"), 'ё', 'е') COLLATE \"C\"$$")
                .arg(QLatin1String(kServerFold))};
}

int Compare(TRules rules, const char* a, int aLength, const char* b, int bLength)
{
    if (rules == TRules::CaseFolded)
        return CompareCaseFolded(a, aLength, b, bLength);
    UCollator* collator = ThreadCollator();
    return collator ? CompareRussian(collator, a, aLength, b, bLength) : CompareCaseFolded(a, aLength, b, bLength);
}

int Compare(TRules rules, const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return Compare(rules, ua.constData(), static_cast<int>(ua.size()), ub.constData(), static_cast<int>(ub.size()));
}

bool LikeFolded(TRules rules, const char* pattern, int patternLength, const char* text, int textLength,
                char32_t escape)
{
    thread_local std::u32string p;
    thread_local std::u32string t;
    DecodeFolded(rules, pattern, patternLength, p);
    DecodeFolded(rules, text, textLength, t);
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

QString PrefixUpperBound(const QString& prefix)
{
    // The last code point is above every other code point, and the Russian collator weighs it above every
    // character but the noncharacter U+FFFF, which no typed text holds.
    return prefix + QString::fromUcs4(U"\U0010FFFF", 1);
}

} // namespace TextCollation
