#include "media/mediarecipes.h"

#include "media/combenum.h"

#include <QDebug>
#include <QFileInfo>

namespace Keys = MediaJobKeys;
using MediaJobKeys::number;
using MediaJobKeys::text;

namespace {
// x264, x265, Xvid and WMV refuse odd frame sizes; at the source size we round down to even.
const QString kEvenScale = QStringLiteral("scale=trunc(iw/2)*2:trunc(ih/2)*2");

QString absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

QString extensionOf(const MediaJob& job)
{
    return CombEnum::formatName(static_cast<int>(number(job, Keys::kFormat))).toLower();
}

QString plannedOutput(const MediaJob& job, int index, const QString& outputPrefix)
{
    return MediaRecipes::outputPath(outputPrefix, QString::number(index), extensionOf(job));
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

// A cover picture is a video stream to ffmpeg: OGG would get a Theora track, M4A fails on it.
MediaCommand audioCommand(const MediaJob& job, int index, const QString& outputPrefix, const QString& input)
{
    MediaCommand command;
    command.outputPath = plannedOutput(job, index, outputPrefix);
    command.arguments << QStringLiteral("-y") << QStringLiteral("-i") << absolute(input)
                      << QStringLiteral("-vn") << QStringLiteral("-b:a")
                      << CombEnum::audioBitRateText(static_cast<int>(number(job, Keys::kAudioQuality)))
                      << QStringLiteral("-ac") << QStringLiteral("2") << QStringLiteral("-ar")
                      << QStringLiteral("44100") << command.outputPath;
    return command;
}
} // namespace

int MediaRecipes::targetCodec(int oriVideoCodec, int format)
{
    const QList<int> codecs = CombEnum::codecsFor(format);
    qDebug().noquote() << "获取到的codes数量为：" << codecs.size();
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

QString MediaRecipes::outputPath(const QString& outputPrefix, const QString& stem, const QString& extension)
{
    return outputPrefix + stem + QLatin1Char('.') + extension;
}

MediaCommand MediaRecipes::videoTarget(const MediaJob& job, int index, const QString& outputPrefix,
                                       const QString& input)
{
    const int format = static_cast<int>(number(job, Keys::kFormat));
    const int resolution = static_cast<int>(number(job, Keys::kResolution));
    const int source = static_cast<int>(number(job, Keys::kOriVideoCodec));
    const int codec = targetCodec(source, format);
    const QString encoder = CombEnum::encoderName(codec);
    qDebug() << "disVideoCodec:" << codec << ",codecStr:" << encoder.isEmpty();

    MediaCommand command;
    command.outputPath = plannedOutput(job, index, outputPrefix);
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << QStringLiteral("-i")
                      << absolute(input) << QStringLiteral("-preset") << QStringLiteral("ultrafast");
    const bool keepsCodec = codec == source && format != CombEnum::AVI;
    if (keepsCodec && resolution == 0) {
        command.arguments << QStringLiteral("-c") << QStringLiteral("copy");
    } else {
        command.arguments << QStringLiteral("-vcodec") << encoder;
        if (resolution != 0)
            command.arguments << QStringLiteral("-s") << sizeArgument(resolution);
        else
            command.arguments << QStringLiteral("-vf") << kEvenScale;
    }
    command.arguments << containerAudioArguments(format) << command.outputPath;
    return command;
}

MediaCommand MediaRecipes::audioExtraction(const MediaJob& job, int index, const QString& outputPrefix,
                                           const QString& input)
{
    return audioCommand(job, index, outputPrefix, input);
}

MediaCommand MediaRecipes::audioConversion(const MediaJob& job, int index, const QString& outputPrefix)
{
    return audioCommand(job, index, outputPrefix, text(job, Keys::kOriFilePath));
}

MediaCommand MediaRecipes::compression(const MediaJob& job, int index, const QString& outputPrefix)
{
    const QString source = text(job, Keys::kOriFilePath);
    MediaCommand command;
    command.outputPath = outputPath(outputPrefix, QString::number(index), QFileInfo(source).suffix());
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << QStringLiteral("-i")
                      << absolute(source) << QStringLiteral("-vcodec") << QStringLiteral("libx264")
                      << QStringLiteral("-preset") << QStringLiteral("ultrafast") << QStringLiteral("-c:a")
                      << QStringLiteral("copy") << QStringLiteral("-b:v") << text(job, Keys::kBitRate) + 'k'
                      << QStringLiteral("-vf") << kEvenScale << command.outputPath;
    return command;
}

MediaCommand MediaRecipes::slicing(const MediaJob& job, int index, const QString& outputPrefix)
{
    const int format = static_cast<int>(number(job, Keys::kFormat));
    const int resolution = static_cast<int>(number(job, Keys::kResolution));
    const int codec = targetCodec(static_cast<int>(number(job, Keys::kOriVideoCodec)), format);
    const bool crops = text(job, Keys::kCutX) != QLatin1String("-1");

    MediaCommand command;
    command.outputPath = plannedOutput(job, index, outputPrefix);
    // The seek stays before the input, where it is fast; the length goes after it, where ffmpeg cuts
    // exactly (before the input, an MPEG-PS piece of 1 s came out 1.2 s long).
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << QStringLiteral("-ss")
                      << QString::number(number(job, Keys::kBeginTime) / 1000)
                      << QStringLiteral("-accurate_seek") << QStringLiteral("-i")
                      << absolute(text(job, Keys::kOriFilePath)) << QStringLiteral("-t")
                      << QString::number(number(job, Keys::kTimeLen) / 1000);
    if (crops) {
        command.arguments << QStringLiteral("-vf")
                          << QStringLiteral("crop=%1:%2:%3:%4")
                                 .arg(evenDown(number(job, Keys::kCutWidth)))
                                 .arg(evenDown(number(job, Keys::kCutHeight)))
                                 .arg(number(job, Keys::kCutX))
                                 .arg(number(job, Keys::kCutY));
    } else if (resolution == 0) {
        command.arguments << QStringLiteral("-vf") << kEvenScale;
    }
    command.arguments << QStringLiteral("-preset") << QStringLiteral("ultrafast") << QStringLiteral("-vcodec")
                      << CombEnum::encoderName(codec);
    if (resolution != 0)
        command.arguments << QStringLiteral("-s") << sizeArgument(resolution);
    command.arguments << containerAudioArguments(format) << command.outputPath;
    return command;
}

MediaCommand MediaRecipes::gif(const MediaJob& job, int index, const QString& outputPrefix)
{
    MediaCommand command;
    command.outputPath = outputPath(outputPrefix, QString::number(index), QStringLiteral("gif"));
    // The runner reserves the output name before the start, so the file it overwrites is its own.
    command.arguments << QStringLiteral("-y") << QStringLiteral("-ss")
                      << QString::number(number(job, Keys::kBeginTime) / 1000) << QStringLiteral("-i")
                      << absolute(text(job, Keys::kOriFilePath)) << QStringLiteral("-t")
                      << QString::number(number(job, Keys::kTimeLen) / 1000);
    if (text(job, Keys::kScaleWidth) != QLatin1String("-1")) {
        qint64 width = number(job, Keys::kScaleWidth);
        if (width > 0 && width % 2 == 1)
            ++width;
        command.arguments << QStringLiteral("-vf") << QStringLiteral("scale=%1:-1").arg(width);
    }
    // GIF is a variable-rate format: without a constant rate ffmpeg drops frames of a seeked MPEG-PS
    // source and a 1 s piece plays 0.79 s.
    command.arguments << QStringLiteral("-r") << QStringLiteral("15") << QStringLiteral("-fps_mode")
                      << QStringLiteral("cfr") << command.outputPath;
    return command;
}

QString MediaRecipes::piecePath(const QString& tempDir, int index)
{
    return tempDir + QLatin1Char('/') + QString::number(index) + QStringLiteral(".ts");
}

MediaCommand MediaRecipes::concatPiece(const MediaJob& job, const MediaJob& first, const QString& piece,
                                       bool addSilence)
{
    const int format = static_cast<int>(number(first, Keys::kFormat));
    const int codec = targetCodec(static_cast<int>(number(first, Keys::kOriVideoCodec)), format);
    MediaCommand command;
    command.outputPath = piece;
    command.arguments << QStringLiteral("-hide_banner") << QStringLiteral("-y") << QStringLiteral("-i")
                      << absolute(text(job, Keys::kOriFilePath));
    if (addSilence)
        command.arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                          << QStringLiteral("anullsrc=r=48000:cl=stereo") << QStringLiteral("-map")
                          << QStringLiteral("0:v:0") << QStringLiteral("-map") << QStringLiteral("1:a:0")
                          << QStringLiteral("-shortest");
    command.arguments << QStringLiteral("-preset") << QStringLiteral("ultrafast") << QStringLiteral("-vcodec")
                      << CombEnum::encoderName(codec) << QStringLiteral("-acodec") << QStringLiteral("aac")
                      << QStringLiteral("-s")
                      << sizeArgument(static_cast<int>(number(first, Keys::kResolution)))
                      << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-r")
                      << QStringLiteral("25") << QStringLiteral("-ar") << QStringLiteral("48000")
                      << QStringLiteral("-ac") << QStringLiteral("2") << piece;
    return command;
}

MediaCommand MediaRecipes::concatJoin(const QStringList& pieces, int format, const QString& outputPrefix)
{
    MediaCommand command;
    command.outputPath =
        outputPath(outputPrefix, QStringLiteral("合并视频"), CombEnum::formatName(format).toLower());
    // "-y" only overwrites the name the runner has just reserved.
    command.arguments << QStringLiteral("-y") << QStringLiteral("-i")
                      << QStringLiteral("concat:") + pieces.join(QLatin1Char('|')) << QStringLiteral("-c")
                      << QStringLiteral("copy") << command.outputPath;
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
