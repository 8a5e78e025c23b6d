#include "external_commands.h"

#include <QDir>
#include <QProcess>

namespace externalcommands {
namespace {

Runner& Installed()
{
    static Runner r;
    return r;
}

Result RunProcess(const QString& program, const QStringList& arguments, int timeoutMs)
{
    Result r;
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    p.setStandardInputFile(QProcess::nullDevice()); // nothing may wait for our input
    p.start();
    if (!p.waitForStarted(timeoutMs)) {
        r.reason = QStringLiteral("%1 could not be started (%2)").arg(program, p.errorString());
        return r;
    }
    r.started = true;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        r.reason = QStringLiteral("%1 did not finish within %2 ms").arg(program).arg(timeoutMs);
        return r;
    }
    r.output = QString::fromLocal8Bit(p.readAllStandardOutput());
    if (p.exitStatus() != QProcess::NormalExit) {
        r.reason = QStringLiteral("%1 crashed").arg(program);
        return r;
    }
    r.finished = true;
    r.exitCode = p.exitCode();
    if (r.exitCode != 0) {
        r.reason = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        if (r.reason.isEmpty())
            r.reason = QStringLiteral("%1 ended with code %2").arg(program).arg(r.exitCode);
    }
    return r;
}

bool StartProcess(const QString& program, const QStringList& arguments, const QString& workingFolder, QString* reason)
{
    if (!workingFolder.isEmpty() && !QDir(workingFolder).exists()) {
        if (reason)
            *reason = QStringLiteral("%1 could not be started (no folder %2)").arg(program, workingFolder);
        return false;
    }
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    if (!workingFolder.isEmpty())
        p.setWorkingDirectory(workingFolder);
    if (p.startDetached())
        return true;
    if (reason)
        *reason = QStringLiteral("%1 could not be started (%2)").arg(program, p.errorString());
    return false;
}

} // namespace

Result Run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    if (Installed().run)
        return Installed().run(program, arguments, timeoutMs);
    return RunProcess(program, arguments, timeoutMs);
}

bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder, QString* reason)
{
    if (Installed().startDetached)
        return Installed().startDetached(program, arguments, workingFolder, reason);
    return StartProcess(program, arguments, workingFolder, reason);
}

void SetRunner(Runner runner) { Installed() = std::move(runner); }

} // namespace externalcommands
