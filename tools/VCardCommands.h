#pragma once

#include <QStringList>

class QTextStream;

namespace AdminCommands {

/// import-vcard DB FILE [--duplicates skip|update|add]: the people of the vCard file FILE into the database
/// file DB, in one transaction; prints the counts and every card or line that could not be read.
int ImportVCard(const QStringList& args, QTextStream& out, QTextStream& err);
/// export-vcard DB FILE [--filter TEXT] [--version 3.0|4.0]: the people of DB (those whose surname, first
/// name or patronymic begins with TEXT) into the vCard file FILE.
int ExportVCard(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
