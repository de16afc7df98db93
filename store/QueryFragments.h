#pragma once

#include <QString>

/**
 * \file
 * The small builders that turn one filter value into one condition of a where-text, in the system's SQL
 * dialect. Every value enters the text through SqlDialect::Quote, so a value holding a double quote is
 * searched for as typed. The builders are pure and reentrant.
 */

/// The operators of DateCondition.
namespace DateOp {
enum : int {
    Equal = 1, ///< " = "
    From = 2, ///< " >= "
    Before = 3, ///< " < "
    After = 4, ///< " > "
    UpTo = 5, ///< " <= "
};
}

/// Appends \a fragment to \a text, joined by " and "; a blank fragment changes nothing.
void AddCondition(QString& text, const QString& fragment);

/// "(field = n)" for n > 0, "(field = 0)" for n = -1; 0 and other negative values add nothing.
void IntCondition(QString& text, const QString& field, qint64 n);

/// "(field = "id")" when \a id is neither blank nor the null id (the none id does make a condition).
void IdCondition(QString& text, const QString& id, const QString& field);

/// The prefix search `(field like "value%" )` (with its blank before the closing parenthesis) when
/// \a value is not empty.
void LikeCondition(QString& text, const QString& field, const QString& value);

/// "(field op #mm/dd/yyyy#)" when \a date is not 0; \a op is one of DateOp, any other value adds nothing.
/// Only the day of \a date counts.
void DateCondition(QString& text, const QString& field, int op, double date);
