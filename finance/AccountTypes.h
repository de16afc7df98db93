#pragma once

#include <QStringList>

/// The account types (an account's Int1 is the position in this list).
namespace AccountTypes {

/// "Наличные" (0) to "Прочие средства" (7).
QStringList Captions();
/// The code of \a caption; -1 for any other text (the empty entry of a filter).
int CodeOf(const QString& caption);

} // namespace AccountTypes
