#pragma once

#include <QStringList>

class QTextStream;

namespace AdminCommands {

/// pg-init: prepares a PostgreSQL database for Zorvin (the table, its indexes and fixed rows, the text
/// rules' collation). A database that already holds a Zorvin table is left as it is and reported, except
/// that one prepared without the Russian text rules is moved onto them; one that holds other tables is
/// refused.
/// With --create the database itself is made first when it does not exist.
int PgInit(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
