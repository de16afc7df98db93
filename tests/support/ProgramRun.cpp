#include "tests/support/ProgramRun.h"

#include <QProcess>

TProgramRun RunProgram(const QString& program, const QStringList& args, const QString& folder,
    const QProcessEnvironment& environment, int timeoutMs)
{
    QProcess p;
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    if (!environment.isEmpty())
        p.setProcessEnvironment(environment);
    p.start(program, args);
    TProgramRun run;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return run;
    }
    run.Code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.Out = QString::fromUtf8(p.readAllStandardOutput());
    run.Err = QString::fromUtf8(p.readAllStandardError());
    return run;
}
