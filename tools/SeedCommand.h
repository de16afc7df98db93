#pragma once

#include <QStringList>

class QTextStream;

namespace AdminCommands {

/// seed PATH --size demo|large|huge [--seed N] [--today DD.MM.YYYY] [--records] [--force]: fills a
/// database file with a demonstration data set, creating the file when it does not exist.
int Seed(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
