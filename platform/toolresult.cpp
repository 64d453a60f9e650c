#include "platform/toolresult.h"

QString ToolResult::failureReason() const
{
    if (!started)
        return QStringLiteral("could not start: ") + errorString;
    if (!finished)
        return QStringLiteral("did not finish in time");
    if (exitStatus == QProcess::CrashExit)
        return QStringLiteral("crashed");
    if (exitCode != 0)
        return QStringLiteral("exited with code %1").arg(exitCode);
    return QString();
}
