#pragma once

#include "platform/childprocess.h"
#include "platform/toolresult.h"

#include <QProcessEnvironment>
#include <QStringList>

#include <atomic>

// The one place that starts external tools: program relative to the application folder,
// working directory the application folder, an argument list (never a shell string),
// the child's own environment and no standard input. Every process is a ChildProcess; its
// threading rule holds here too.
class ToolLauncher final
{
public:
    static constexpr int kStartWaitMs = 30000;
    static constexpr int kFinishWaitMs = 30000000;

    // "magick" -> "<app>/magick"; absolute paths are kept.
    static QString resolve(const QString& program);
    static QProcessEnvironment childEnvironment();
    // Our own helpers (magick, the RAW and QLV helpers) tidy up on SIGTERM; other tools get SIGKILL.
    static bool isOwnHelper(const QString& program);

    // Sets up the process without starting it, for callers that read output as it comes.
    static void prepare(ChildProcess& process, const QString& program, const QStringList& arguments);
    // Starts the prepared process and closes its input, so that no tool can wait on a prompt.
    static bool start(ChildProcess& process, int startWaitMs = kStartWaitMs);

    // Runs the tool to its end and collects what happened. When cancel is given and becomes
    // true, the tool is ended (SIGTERM, a grace, SIGKILL) and the result says it did not finish.
    static ToolResult run(const QString& program, const QStringList& arguments,
                          int finishWaitMs = kFinishWaitMs, const std::atomic_bool* cancel = nullptr);
    static ToolResult collect(ChildProcess& process, bool started, int finishWaitMs,
                              const std::atomic_bool* cancel = nullptr);

private:
    static bool waitForEnd(ChildProcess& process, int finishWaitMs, const std::atomic_bool* cancel);
};
