#pragma once

#include <QString>

/// The engines a database of the system can live on.
enum class TSqlEngine { SQLite, PostgreSQL };

/**
 * The system writes every statement in its own dialect: double-quoted text literals ("" inside one is a
 * literal double quote), #mm/dd/yyyy# dates, the words True and False, `select top N`, and `+` or `&`
 * joining texts. These functions build dialect text and turn it into an engine's spelling.
 * All functions are pure and thread-safe.
 */
namespace SqlDialect {

/// Translates one dialect statement into the spelling of \a engine, so that it selects and changes the
/// same rows on every engine.
QString Translate(const QString& dialectSql, TSqlEngine engine);

/// A text value as a dialect literal: in double quotes, with every double quote inside doubled.
/// The one way a value is placed into SQL text.
QString Quote(const QString& value);

/// A date as a dialect literal #mm/dd/yyyy# (the day of \a serial; the time of day is dropped).
QString DateLiteral(double serial);

/// True or False as dialect words.
QString BoolLiteral(bool value);

} // namespace SqlDialect
