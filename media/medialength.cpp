#include "media/medialength.h"

#include "media/ffmpeglog.h"
#include "platform/toollauncher.h"

#include <QFileInfo>

double MediaLength::Reading::frameRate() const
{
    return lengthMs > 0 && videoFrames > 0 ? videoFrames * 1000.0 / lengthMs : 0.0;
}

qint64 MediaLength::read(const QString& path, const std::atomic_bool* cancel)
{
    return readPackets(path, cancel).lengthMs;
}

MediaLength::Reading MediaLength::readPackets(const QString& path, const std::atomic_bool* cancel)
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
    Reading reading;
    if (!result.exitedCleanly())
        return reading;
    reading.lengthMs = qMax<qint64>(0, log.lastTimeMs());
    // With "-c copy" the status line's "frame=" counts the picture packets copied.
    if (log.inputStreams().contains(QLatin1String("video")))
        reading.videoFrames = qMax<qint64>(0, log.lastFrame());
    return reading;
}
