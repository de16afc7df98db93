#pragma once

#include <QStringList>

class QTextStream;

/// The commands of zorvin-admin. Each takes the words after the command name, writes what it did to
/// \a out and what went wrong to \a err, and returns the process exit code (0 success, 1 failure,
/// 2 bad arguments).
namespace AdminCommands {

/// A command: its name, its usage line and its entry point.
struct TCommand
{
    const char* Name;
    const char* Usage;
    int (*Run)(const QStringList& args, QTextStream& out, QTextStream& err);
};

/// Every command the tool knows, in the order of its help text.
const QList<TCommand>& All();

int CreateDb(const QStringList& args, QTextStream& out, QTextStream& err);
int WriteIni(const QStringList& args, QTextStream& out, QTextStream& err);
int DecodeIni(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
