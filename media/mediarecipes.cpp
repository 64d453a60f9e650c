#include "media/mediarecipes.h"

#include "media/combenum.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {
// x264, x265, Xvid and WMV refuse odd frame sizes; at the source size we round down to even.
const QString kEvenScale = QStringLiteral("scale=trunc(iw/2)*2:trunc(ih/2)*2");
// A plain transcode drops MP4's creation date; a photo library sorts clips by it.
const QStringList kKeepMetadata{QStringLiteral("-map_metadata"), QStringLiteral("0")};

QString absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

int evenDown(qint64 value)
{
    return static_cast<int>(value - value % 2);
}

// Debian's ffmpeg has no AMR-NB encoder, the 3GP default, and SWF's MP3 takes 44.1 kHz at most.
QStringList containerAudioArguments(int format)
{
    if (format == CombEnum::ThreeGP)
        return {QStringLiteral("-acodec"), QStringLiteral("aac")};
    if (format == CombEnum::SWF)
        return {QStringLiteral("-ar"), QStringLiteral("44100")};
    return {};
}

// Containers that keep each frame's time take the source's times as they are: a constant rate
// there only repeats frames (a 2-frame WMV at a nominal 1000 fps became 501 frames of MP4).
// AVI, WMV, MPEG and SWF have no such times and keep ffmpeg's constant rate.
QStringList timestampArguments(const QString& suffix)
{
    static const QStringList timed{QStringLiteral("mp4"), QStringLiteral("mov"),  QStringLiteral("mkv"),
                                   QStringLiteral("m4v"), QStringLiteral("webm"), QStringLiteral("3gp"),
                                   QStringLiteral("flv"), QStringLiteral("f4v")};
    if (!timed.contains(suffix.toLower()))
        return {};
    return {QStringLiteral("-fps_mode"), QStringLiteral("vfr")};
}

// The seek stays before the input, where it is fast and, while transcoding, exact to the frame;
// the length goes after it, where ffmpeg cuts exactly (before the input, an MPEG-PS piece of 1 s
// came out 1.2 s long). A whole clip is neither sought nor cut, only capped.
QStringList inputWithSegment(const MediaJob& job, qint64 realLengthMs)
{
    QStringList arguments;
    if (!job.wholeClip)
        arguments << QStringLiteral("-ss") << MediaRecipes::seconds(job.beginTime)
                  << QStringLiteral("-accurate_seek");
    arguments << QStringLiteral("-i") << absolute(job.oriFilePath);
    if (!job.wholeClip)
        arguments << QStringLiteral("-t") << MediaRecipes::seconds(job.timeLen);
    else
        arguments << MediaRecipes::capArguments(job, realLengthMs);
    return arguments;
}

// A cover picture is a video stream to ffmpeg: OGG would get a Theora track, M4A fails on it.
MediaCommand audioCommand(const MediaJob& job, const QString& output, const QString& input)
{
    MediaCommand command;
    command.outputPath = output;
    command.arguments << QStringLiteral("-y") << QStringLiteral("-i") << absolute(input)
                      << QStringLiteral("-vn") << QStringLiteral("-b:a")
                      << CombEnum::audioBitRateText(job.audioQuality) << QStringLiteral("-ac")
                      << QStringLiteral("2") << QStringLiteral("-ar") << QStringLiteral("44100") << output;
    return command;
}
} // namespace

int MediaRecipes::targetCodec(int oriVideoCodec, int format)
{
    const QList<int> codecs = CombEnum::codecsFor(format);
    if (codecs.contains(oriVideoCodec))
        return oriVideoCodec;
    return codecs.value(0, CombEnum::kUnknownCodec);
}

QString MediaRecipes::sizeArgument(int resolution)
{
    const QSize size = CombEnum::resolutionSize(resolution);
    if (size.width() < 0)
        return QString();
    return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
}

QString MediaRecipes::seconds(qint64 milliseconds)
{
    const qint64 ms = qMax<qint64>(0, milliseconds);
    return QStringLiteral("%1.%2").arg(ms / 1000).arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

QString MediaRecipes::outputBase(const MediaJob& job)
{
    const QString base = QFileInfo(job.oriFilePath).completeBaseName();
    return job.operation == Concatenation ? base + QStringLiteral("_拼接") : base;
}

QString MediaRecipes::outputSuffix(const MediaJob& job)
{
    if (job.operation == VideoToGif)
        return QStringLiteral("gif");
    if (job.operation == Compression) {
        const QString suffix = QFileInfo(job.oriFilePath).suffix();
        return compressionKeepsContainer(suffix) ? suffix : QStringLiteral("mp4");
    }
    return CombEnum::formatName(job.format).toLower();
}

bool MediaRecipes::compressionKeepsContainer(const QString& sourceSuffix)
{
    // "Only VP8 or VP9 or AV1 video ..." (WebM), "Unsupported codec id" (Ogg).
    static const QStringList refuseH264{QStringLiteral("webm"), QStringLiteral("ogv"), QStringLiteral("ogg")};
    return !sourceSuffix.isEmpty() && !refuseH264.contains(sourceSuffix.toLower());
}

qint64 MediaRecipes::lengthCap(qint64 realLengthMs)
{
    return realLengthMs + realLengthMs / 10 + 1000;
}

QStringList MediaRecipes::capArguments(const MediaJob& job, qint64 realLengthMs)
{
    Q_UNUSED(job)
    if (realLengthMs <= 0)
        return {};
    return {QStringLiteral("-t"), seconds(lengthCap(realLengthMs))};
}

MediaCommand MediaRecipes::videoTarget(const MediaJob& job, const QString& output, const QString& input)
{
    const int codec = targetCodec(job.oriVideoCodec, job.format);
    MediaCommand command;
    command.outputPath = output;
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << QStringLiteral("-i")
                      << absolute(input) << QStringLiteral("-preset") << QStringLiteral("ultrafast");
    const bool keepsCodec = codec == job.oriVideoCodec && job.format != CombEnum::AVI;
    if (keepsCodec && job.resolution == 0) {
        command.arguments << QStringLiteral("-c") << QStringLiteral("copy");
    } else {
        command.arguments << QStringLiteral("-vcodec") << CombEnum::encoderName(codec);
        if (job.resolution != 0)
            command.arguments << QStringLiteral("-s") << sizeArgument(job.resolution);
        else
            command.arguments << QStringLiteral("-vf") << kEvenScale;
        command.arguments << timestampArguments(CombEnum::formatName(job.format));
    }
    command.arguments << containerAudioArguments(job.format) << kKeepMetadata << output;
    return command;
}

MediaCommand MediaRecipes::audioExtraction(const MediaJob& job, const QString& output, const QString& input)
{
    return audioCommand(job, output, input);
}

MediaCommand MediaRecipes::audioConversion(const MediaJob& job, const QString& output)
{
    return audioCommand(job, output, job.oriFilePath);
}

MediaCommand MediaRecipes::compression(const MediaJob& job, const QString& output)
{
    const bool sameContainer = compressionKeepsContainer(QFileInfo(job.oriFilePath).suffix());
    const QString rate = QString::number(job.bitRate) + QLatin1Char('k');
    MediaCommand command;
    command.outputPath = output;
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << QStringLiteral("-i")
                      << absolute(job.oriFilePath) << QStringLiteral("-vcodec") << QStringLiteral("libx264")
                      << QStringLiteral("-preset") << QStringLiteral("ultrafast") << QStringLiteral("-c:a")
                      << (sameContainer ? QStringLiteral("copy") : QStringLiteral("aac"))
                      << QStringLiteral("-b:v") << rate << QStringLiteral("-maxrate") << rate
                      << QStringLiteral("-bufsize") << rate << QStringLiteral("-vf")
                      << (job.fitBox.isValid() ? fitFilter(job.fitBox) : kEvenScale)
                      << timestampArguments(sameContainer ? QFileInfo(job.oriFilePath).suffix()
                                                          : QStringLiteral("mp4"))
                      << kKeepMetadata << output;
    return command;
}

QString MediaRecipes::fitFilter(const QSize& box)
{
    const int longSide = qMax(box.width(), box.height());
    const int shortSide = qMin(box.width(), box.height());
    // Evaluated on the picture as ffmpeg turns it (a phone clip's rotation already applied), so
    // a portrait clip meets a portrait box; min(1, ...) never enlarges.
    const QString factor = QStringLiteral("min(1\\,min(if(gte(iw\\,ih)\\,%1\\,%2)/iw\\,"
                                          "if(gte(iw\\,ih)\\,%2\\,%1)/ih))")
                               .arg(longSide)
                               .arg(shortSide);
    return QStringLiteral("scale=w=trunc(iw*%1/2)*2:h=trunc(ih*%1/2)*2").arg(factor);
}

MediaCommand MediaRecipes::soundMeasure(const MediaJob& job)
{
    MediaCommand command;
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-i") << absolute(job.oriFilePath)
                      << QStringLiteral("-vn") << QStringLiteral("-sn") << QStringLiteral("-dn")
                      << QStringLiteral("-c:a") << QStringLiteral("copy") << QStringLiteral("-f")
                      << QStringLiteral("null") << QStringLiteral("-");
    return command;
}

qint64 MediaRecipes::videoRateFor(qint64 budgetBytes, qint64 durationMs)
{
    if (budgetBytes <= 0 || durationMs <= 0)
        return 0;
    return budgetBytes * 8 / durationMs;
}

qint64 MediaRecipes::compressedSize(qint64 durationMs, qint64 videoRate, qint64 restRate)
{
    return durationMs * (videoRate * 1000 + qMax<qint64>(0, restRate) * 1024) / 8000;
}

MediaCommand MediaRecipes::slicing(const MediaJob& job, const QString& output)
{
    const int codec = targetCodec(job.oriVideoCodec, job.format);
    MediaCommand command;
    command.outputPath = output;
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << inputWithSegment(job, 0);
    if (!job.cut.isNull()) {
        command.arguments << QStringLiteral("-vf")
                          << QStringLiteral("crop=%1:%2:%3:%4")
                                 .arg(evenDown(job.cut.width()))
                                 .arg(evenDown(job.cut.height()))
                                 .arg(job.cut.x())
                                 .arg(job.cut.y());
    } else if (job.resolution == 0) {
        command.arguments << QStringLiteral("-vf") << kEvenScale;
    }
    command.arguments << QStringLiteral("-preset") << QStringLiteral("ultrafast") << QStringLiteral("-vcodec")
                      << CombEnum::encoderName(codec);
    if (job.resolution != 0)
        command.arguments << QStringLiteral("-s") << sizeArgument(job.resolution);
    command.arguments << timestampArguments(CombEnum::formatName(job.format))
                      << containerAudioArguments(job.format) << kKeepMetadata << output;
    return command;
}

QString MediaRecipes::constantRate(int limit, double sourceRate)
{
    if (sourceRate <= 0 || sourceRate >= limit)
        return QString::number(limit);
    // Hundredths are plenty; less than that would round a slow rate to 0.
    return QString::number(qMax(0.01, sourceRate), 'f', 2)
        .remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

MediaCommand MediaRecipes::gif(const MediaJob& job, const QString& output, double sourceRate)
{
    MediaCommand command;
    command.outputPath = output;
    // The runner reserves the output name before the start, so the file it overwrites is its own.
    command.arguments << QStringLiteral("-y") << inputWithSegment(job, 0);
    // GIF is a variable-rate format: without a constant rate ffmpeg drops frames of a seeked MPEG-PS
    // source and a 1 s piece plays 0.79 s (the fps filter alone, counting from the first frame it
    // sees, does the same). The filter from time 0 picks frames by their times; "-r 15" with
    // "-fps_mode cfr" repeated the last ones, and a 1.6 s clip played 1.74 s.
    QString filters = QStringLiteral("fps=%1:start_time=0").arg(constantRate(15, sourceRate));
    if (job.scale.isValid() && job.scale.width() > 0)
        filters += QStringLiteral(",scale=%1:-1").arg(job.scale.width() + job.scale.width() % 2);
    command.arguments << QStringLiteral("-vf") << filters << output;
    return command;
}

QString MediaRecipes::piecePath(const QString& tempDir, int index)
{
    return tempDir + QLatin1Char('/') + QString::number(index) + QStringLiteral(".ts");
}

QSize MediaRecipes::joinFrame(const MediaJob& first)
{
    const QSize size = CombEnum::resolutionSize(first.resolution);
    if (size.width() > 0)
        return size;
    if (first.film.width() > 0 && first.film.height() > 0)
        return QSize(evenDown(first.film.width()), evenDown(first.film.height()));
    return QSize(1920, 1080);
}

MediaCommand MediaRecipes::concatPiece(const MediaJob& job, const MediaJob& first, const QString& piece,
                                       bool addSilence, double joinRate)
{
    const int codec = targetCodec(first.oriVideoCodec, first.format);
    const QSize frame = joinFrame(first);
    // force_original_aspect_ratio reads the storage size only: pixels are made square first,
    // or a 720x480 clip at SAR 32:27 would come out 3:2.
    const QString fit =
        QStringLiteral("scale=trunc(iw*sar/2)*2:ih,setsar=1,"
                       "scale=%1:%2:force_original_aspect_ratio=decrease:force_divisible_by=2,"
                       "pad=%1:%2:(ow-iw)/2:(oh-ih)/2:black,setsar=1")
            .arg(frame.width())
            .arg(frame.height());
    MediaCommand command;
    command.outputPath = piece;
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << QStringLiteral("-i")
                      << absolute(job.oriFilePath);
    if (addSilence)
        command.arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                          << QStringLiteral("anullsrc=r=48000:cl=stereo") << QStringLiteral("-map")
                          << QStringLiteral("0:v:0") << QStringLiteral("-map") << QStringLiteral("1:a:0")
                          << QStringLiteral("-shortest");
    command.arguments << QStringLiteral("-vf") << fit << QStringLiteral("-preset")
                      << QStringLiteral("ultrafast") << QStringLiteral("-vcodec")
                      << CombEnum::encoderName(codec) << QStringLiteral("-acodec") << QStringLiteral("aac")
                      << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-r")
                      << constantRate(25, joinRate) << QStringLiteral("-ar") << QStringLiteral("48000")
                      << QStringLiteral("-ac") << QStringLiteral("2") << piece;
    return command;
}

MediaCommand MediaRecipes::concatJoin(const QStringList& pieces, const MediaJob& first, const QString& output)
{
    MediaCommand command;
    command.outputPath = output;
    // "-y" only overwrites the partial file the runner has just made.
    command.arguments << QStringLiteral("-y") << QStringLiteral("-i")
                      << QStringLiteral("concat:") + pieces.join(QLatin1Char('|')) << QStringLiteral("-i")
                      << absolute(first.oriFilePath) << QStringLiteral("-map") << QStringLiteral("0")
                      << QStringLiteral("-map_metadata") << QStringLiteral("1") << QStringLiteral("-c")
                      << QStringLiteral("copy") << output;
    return command;
}

QStringList MediaRecipes::qlvNames(int index, const QString& tempDir, const QDateTime& now)
{
    const QString dir = tempDir + QLatin1Char('/');
    return {dir + QStringLiteral("temp%1.mp4").arg(index), dir + QStringLiteral("temp1%1.mp4").arg(index),
            dir + now.toString(QStringLiteral("ddhhmmssSSS"))};
}

QStringList MediaRecipes::qlvArguments(const QString& source, const QStringList& names)
{
    return QStringList{absolute(source)} + names;
}
