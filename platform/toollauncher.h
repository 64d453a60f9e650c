#pragma once

#include "platform/toolresult.h"

#include <QProcessEnvironment>
#include <QStringList>

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

    // Runs the tool to its end and collects what happened.
    static ToolResult run(const QString& program, const QStringList& arguments,
                          int finishWaitMs = kFinishWaitMs);
    static ToolResult collect(QProcess& process, bool started, int finishWaitMs);
};
