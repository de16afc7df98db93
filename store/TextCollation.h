#pragma once

#include <QString>

class QSqlDatabase;
struct sqlite3;

/**
 * Text in the database compares as a Russian dictionary orders it: letter case is ignored and е and ё are
 * one letter ("ЁЛКИН" equals "елкин"), digits come first, then Cyrillic, then Latin. The order is the
 * ICU collator of the locale "ru" at primary strength; a PostgreSQL database gets the same collator as
 * the collation "zorvin_ru", so both engines order and match alike.
 *
 * On SQLite the rules are the collation "UNOCASE" (used by the text columns) and an overriding like()
 * that folds case and ё to е. Indexes hold the order of the rules they were built with, so a file records
 * its rules (RulesStamp() in PRAGMA user_version); the database connection reindexes a file whose stamp
 * differs, and reads a file it may not write with the rules the file was made with (UseRules()).
 */
namespace TextCollation {

/// The rules a connection compares texts by.
enum class TRules {
    CaseFolded, ///< the rules of files made before: code points compared with letter case folded
    Russian,    ///< the Russian dictionary order
};

/// Registers the Russian rules for all SQLite connections opened from now on. Idempotent and
/// thread-safe; call before the first connection opens.
void RegisterSqliteTextRules();

/// Replaces the collation and like() of one open SQLite connection; false when the engine refused.
bool UseRules(sqlite3* db, TRules rules);
bool UseRules(const QSqlDatabase& db, TRules rules);

/// The stamp a file built under the Russian rules carries in PRAGMA user_version: the rules' number and
/// the collator's version, so that a new collator's order also reindexes. Files made before carry 0.
int RulesStamp();
/// The rules a file with \a stamp was built with.
TRules RulesOfStamp(int stamp);

/// The PostgreSQL collation of the Russian rules and the folding function the server's like() goes
/// through (case folded, ё as е), with the statements that make them.
inline constexpr const char* kServerCollation = "zorvin_ru";
inline constexpr const char* kServerFold = "zorvin_fold";
QStringList ServerDefinitions();

/// Three-way comparison of two UTF-8 texts under \a rules.
int Compare(TRules rules, const char* a, int aLength, const char* b, int bLength);
int Compare(TRules rules, const QString& a, const QString& b);

/// Whether \a text matches the like() \a pattern ('%' any run, '_' one character) with letter case folded
/// and, under the Russian rules, ё taken as е; \a escape (0 for none) makes the next pattern character
/// literal.
bool LikeFolded(TRules rules, const char* pattern, int patternLength, const char* text, int textLength,
                char32_t escape);

/// The upper bound of the texts that begin with \a prefix under either rules: every text that like()
/// matches with \a prefix followed by '%' compares at least \a prefix and less than the bound.
QString PrefixUpperBound(const QString& prefix);

} // namespace TextCollation
