#include "packaging/tests/process_run.h"

#include <QProcess>
#include <QStandardPaths>

ProcessRun ProcessRun::run(const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &environment, const QString &folder)
{
    ProcessRun result;
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return result;
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

QString ProcessRun::find(const QString &program)
{
    return QStandardPaths::findExecutable(program);
}
