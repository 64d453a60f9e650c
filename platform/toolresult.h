#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// What one run of an external tool came to.
struct ToolResult
{
    bool started = false;
    bool finished = false; // false when the finish wait ran out
    QProcess::ExitStatus exitStatus = QProcess::NormalExit;
    int exitCode = -1;
    QByteArray standardError;
    QString errorString;

    bool exitedCleanly() const
    {
        return started && finished && exitStatus == QProcess::NormalExit && exitCode == 0;
    }
    // One line for the log or a row's reason: why the run did not succeed.
    QString failureReason() const;
};
