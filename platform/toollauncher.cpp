#include "platform/toollauncher.h"

#include "platform/apppaths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

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
    // Only a policy found on this path, ahead of the system's, can raise ImageMagick's
    // resource limits (the policy file says which); a path the user set is still searched.
    const QString magickPath = env.value(QStringLiteral("MAGICK_CONFIGURE_PATH"));
    const QString ours = AppPaths::appDir() + QStringLiteral("/config/ImageMagick");
    env.insert(QStringLiteral("MAGICK_CONFIGURE_PATH"),
               magickPath.isEmpty() ? ours : ours + QLatin1Char(':') + magickPath);
    // ImageMagick's temporary files (Ghostscript's pages among them) where the next start
    // removes what a killed run left.
    if (!env.contains(QStringLiteral("MAGICK_TMPDIR")))
        env.insert(QStringLiteral("MAGICK_TMPDIR"), AppPaths::tempRoot());
    // Up to ten jobs run at once on two cores: extra OpenMP threads per child only contend.
    const QString threads = QString::number(qMax(1, QThread::idealThreadCount() / 2));
    if (!env.contains(QStringLiteral("MAGICK_THREAD_LIMIT")))
        env.insert(QStringLiteral("MAGICK_THREAD_LIMIT"), threads);
    // The same for our magick's libvips: one worker per job was fastest on two cores.
    if (!env.contains(QStringLiteral("VIPS_CONCURRENCY")))
        env.insert(QStringLiteral("VIPS_CONCURRENCY"), threads);
    return env;
}

bool ToolLauncher::isOwnHelper(const QString& program)
{
    static const QStringList ours{QStringLiteral("magick"), QStringLiteral("ConvertToJpg"),
                                  QStringLiteral("Qlv2mp4")};
    return ours.contains(QFileInfo(program).fileName());
}

void ToolLauncher::prepare(ChildProcess& process, const QString& program, const QStringList& arguments)
{
    process.setDeathSignal(isOwnHelper(program) ? SIGTERM : SIGKILL);
    process.setProgram(resolve(program));
    process.setArguments(arguments);
    process.setWorkingDirectory(AppPaths::appDir());
    process.setProcessEnvironment(childEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
}

bool ToolLauncher::start(ChildProcess& process, int startWaitMs)
{
    process.start(QIODevice::ReadOnly);
    return process.waitForStarted(startWaitMs);
}

bool ToolLauncher::waitForEnd(ChildProcess& process, int finishWaitMs, const std::atomic_bool* cancel)
{
    if (!cancel)
        return process.waitForFinished(finishWaitMs);
    // In slices, so that a cancelled run ends within one of them.
    constexpr int kSliceMs = 100;
    QElapsedTimer timer;
    timer.start();
    while (!cancel->load()) {
        const int left = finishWaitMs - static_cast<int>(timer.elapsed());
        if (left <= 0)
            return false;
        if (process.waitForFinished(qMin(left, kSliceMs)))
            return true;
        if (process.state() == QProcess::NotRunning)
            return true;
    }
    return false;
}

ToolResult ToolLauncher::collect(ChildProcess& process, bool started, int finishWaitMs,
                                 const std::atomic_bool* cancel)
{
    ToolResult result;
    result.started = started;
    if (!started) {
        result.errorString = process.errorString();
        // A start that timed out on a loaded machine may still have a child: it must not run on
        // unseen, nor keep a reused process object from starting the next tool.
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kStartWaitMs);
        }
        return result;
    }
    result.finished = waitForEnd(process, finishWaitMs, cancel);
    if (!result.finished)
        process.end();
    result.exitStatus = process.exitStatus();
    result.exitCode = process.exitCode();
    result.standardError = process.readAllStandardError();
    result.errorString = process.errorString();
    return result;
}

ToolResult ToolLauncher::run(const QString& program, const QStringList& arguments, int finishWaitMs,
                             const std::atomic_bool* cancel)
{
    ChildProcess process;
    prepare(process, program, arguments);
    // Standard output is of no use to any caller and must not fill a pipe.
    process.setStandardOutputFile(QProcess::nullDevice());
    const bool started = start(process);
    return collect(process, started, finishWaitMs, cancel);
}
