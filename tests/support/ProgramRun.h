#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

/// What a program a test ran printed, and how it ended.
struct TProgramRun
{
    int Code = -1; ///< the exit code; -1 when it did not start, crashed or did not finish in time
    QString Out;
    QString Err;
};

/// Runs \a program with \a args in \a folder (the current folder when empty) with \a environment (the
/// test's own when empty) and waits up to \a timeoutMs for it to end.
TProgramRun RunProgram(const QString& program, const QStringList& args, const QString& folder = QString(),
    const QProcessEnvironment& environment = QProcessEnvironment(), int timeoutMs = 120000);
