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
        {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("level+verbose"),
         QStringLiteral("-i"), QFileInfo(path).absoluteFilePath(), QStringLiteral("-map"),
         QStringLiteral("0:v?"), QStringLiteral("-map"), QStringLiteral("0:a?"), QStringLiteral("-c"),
         QStringLiteral("copy"), QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")},
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
    // "Output stream #0:1 (audio): 1408 packets muxed (480421 bytes)": the sound as stored, where
    // a Matroska header written by ffmpeg gives no rate for it.
    if (log.inputStreams().contains(QLatin1String("audio")))
        reading.audioBytes = log.muxedBytes(QStringLiteral("audio"));
    return reading;
}
