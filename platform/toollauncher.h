#pragma once

#include "platform/toolresult.h"

#include <QProcessEnvironment>
#include <QStringList>

#include <atomic>

class QProcess;

// The one place that starts external tools: program relative to the application folder,
// working directory the application folder, an argument list (never a shell string),
// the child's own environment and no standard input.
class ToolLauncher final
{
public:
    static constexpr int kStartWaitMs = 30000;
    static constexpr int kFinishWaitMs = 30000000;

    // "magick" -> "<app>/magick"; absolute paths are kept.
    static QString resolve(const QString& program);
    static QProcessEnvironment childEnvironment();

    // Sets up the process without starting it, for callers that read output as it comes.
    static void prepare(QProcess& process, const QString& program, const QStringList& arguments);
    // Starts the prepared process and closes its input, so that no tool can wait on a prompt.
    static bool start(QProcess& process, int startWaitMs = kStartWaitMs);

    // Runs the tool to its end and collects what happened. When cancel is given and becomes
    // true, the tool is killed and the result says it did not finish.
    static ToolResult run(const QString& program, const QStringList& arguments,
                          int finishWaitMs = kFinishWaitMs, const std::atomic_bool* cancel = nullptr);
    static ToolResult collect(QProcess& process, bool started, int finishWaitMs,
                              const std::atomic_bool* cancel = nullptr);

private:
    static bool waitForEnd(QProcess& process, int finishWaitMs, const std::atomic_bool* cancel);
};
