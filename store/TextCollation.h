#pragma once

/**
 * Text in the database compares ignoring letter case in every alphabet: "ИВАНОВ" equals "Иванов" and
 * the pattern "ив%" finds "Иванов". On SQLite this is the collation "UNOCASE" (used by the text columns)
 * and an overriding like(); RegisterSqliteTextRules() makes every SQLite connection the process opens
 * afterwards carry both.
 */
namespace TextCollation {

/// Registers the collation and like() for all SQLite connections opened from now on. Idempotent and
/// thread-safe; call before the first connection opens.
void RegisterSqliteTextRules();

/// Three-way comparison of two UTF-8 texts with letter case folded (the collation's order).
int CompareFolded(const char* a, int aLength, const char* b, int bLength);

/// Whether \a text matches the like() \a pattern ('%' any run, '_' one character), letter case folded;
/// \a escape (0 for none) makes the next pattern character literal.
bool LikeFolded(const char* pattern, int patternLength, const char* text, int textLength, char32_t escape);

} // namespace TextCollation
