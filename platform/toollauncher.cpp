#include "platform/toollauncher.h"

#include "platform/apppaths.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

QString ToolLauncher::resolve(const QString& program)
{
    if (QDir::isAbsolutePath(program))
        return program;
    return AppPaths::appDir() + QLatin1Char('/') + program;
}

QProcessEnvironment ToolLauncher::childEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Debian's ImageMagick forbids PDF by a system policy; our own policy, found through
    // the child's configuration home, allows reading it without touching /etc.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), AppPaths::appDir() + QStringLiteral("/config"));
    // Up to ten jobs run at once on two cores: extra OpenMP threads per child only contend.
    if (!env.contains(QStringLiteral("MAGICK_THREAD_LIMIT")))
        env.insert(QStringLiteral("MAGICK_THREAD_LIMIT"),
                   QString::number(qMax(1, QThread::idealThreadCount() / 2)));
    return env;
}

void ToolLauncher::prepare(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.setProgram(resolve(program));
    process.setArguments(arguments);
    process.setWorkingDirectory(AppPaths::appDir());
    process.setProcessEnvironment(childEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
}

bool ToolLauncher::start(QProcess& process, int startWaitMs)
{
    process.start(QIODevice::ReadOnly);
    return process.waitForStarted(startWaitMs);
}

ToolResult ToolLauncher::collect(QProcess& process, bool started, int finishWaitMs)
{
    ToolResult result;
    result.started = started;
    if (!started) {
        result.errorString = process.errorString();
        return result;
    }
    result.finished = process.waitForFinished(finishWaitMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(kStartWaitMs);
    }
    result.exitStatus = process.exitStatus();
    result.exitCode = process.exitCode();
    result.standardError = process.readAllStandardError();
    result.errorString = process.errorString();
    return result;
}

ToolResult ToolLauncher::run(const QString& program, const QStringList& arguments, int finishWaitMs)
{
    QProcess process;
    prepare(process, program, arguments);
    // Standard output is of no use to any caller and must not fill a pipe.
    process.setStandardOutputFile(QProcess::nullDevice());
    const bool started = start(process);
    return collect(process, started, finishWaitMs);
}
