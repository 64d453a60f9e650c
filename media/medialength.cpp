#include "media/medialength.h"

#include "media/ffmpeglog.h"
#include "platform/toollauncher.h"

#include <QFileInfo>

qint64 MediaLength::read(const QString& path, const std::atomic_bool* cancel)
{
    // ffmpeg mends an MPEG-PS timestamp jump while it reads, so its clock is the real length.
    const ToolResult result = ToolLauncher::run(
        QStringLiteral("decoder/common/ffmpeg"),
        {QStringLiteral("-hide_banner"), QStringLiteral("-i"), QFileInfo(path).absoluteFilePath(),
         QStringLiteral("-map"), QStringLiteral("0:v?"), QStringLiteral("-map"), QStringLiteral("0:a?"),
         QStringLiteral("-c"), QStringLiteral("copy"), QStringLiteral("-f"), QStringLiteral("null"),
         QStringLiteral("-")},
        ToolLauncher::kFinishWaitMs, cancel);
    FfmpegLog log;
    log.add(result.standardError);
    log.finish();
    return result.exitedCleanly() ? qMax<qint64>(0, log.lastTimeMs()) : 0;
}
