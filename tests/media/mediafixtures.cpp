#include "mediafixtures.h"

#include "support/fixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace MediaFixtures {

bool make(const QString& path, const Clip& clip)
{
    const QString seconds = QString::number(clip.seconds);
    QStringList args{"-hide_banner", "-nostdin", "-loglevel", "error", "-y"};
    if (!clip.videoCodec.isEmpty()) {
        // testsrc2 rounds odd sizes down, so the exact size comes from a scale after it.
        args << "-f"
             << "lavfi"
             << "-i"
             << QString("testsrc2=size=%1x%2:rate=%3:duration=%4")
                    .arg(clip.size.width() + clip.size.width() % 2)
                    .arg(clip.size.height() + clip.size.height() % 2)
                    .arg(clip.rate)
                    .arg(seconds);
    }
    if (!clip.audioCodec.isEmpty())
        args << "-f"
             << "lavfi"
             << "-i"
             << QString("sine=frequency=440:sample_rate=%1:duration=%2").arg(clip.sampleRate).arg(seconds);
    if (!clip.videoCodec.isEmpty()) {
        args << "-vf" << QString("scale=%1:%2").arg(clip.size.width()).arg(clip.size.height()) << "-c:v"
             << clip.videoCodec;
        if (clip.videoCodec == "libx264" || clip.videoCodec == "libx265")
            args << "-preset"
                 << "ultrafast"
                 << "-pix_fmt"
                 << "yuv420p";
    }
    if (!clip.audioCodec.isEmpty())
        args << "-c:a" << clip.audioCodec << "-ac"
             << "2";
    args << clip.extra << path;
    return Fixtures::runTool("ffmpeg", args);
}

bool makeMp3(const QString& path, double seconds)
{
    Clip clip;
    clip.videoCodec.clear();
    clip.audioCodec = "libmp3lame";
    clip.sampleRate = 44100;
    clip.seconds = seconds;
    clip.extra = QStringList{"-b:a", "128k"};
    return make(path, clip);
}

Probe probe(const QString& path)
{
    Probe result;
    QProcess ffprobe;
    ffprobe.start("/usr/bin/ffprobe",
                  {"-v", "error", "-count_packets", "-show_entries",
                   "format=format_name,duration:stream=codec_type,codec_name,width,height,nb_read_packets",
                   "-of", "json", path});
    if (!ffprobe.waitForFinished(60000) || ffprobe.exitCode() != 0)
        return result;
    const QJsonObject root = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    result.formatName = root.value("format").toObject().value("format_name").toString();
    result.duration = root.value("format").toObject().value("duration").toString().toDouble();
    for (const QJsonValue& value : root.value("streams").toArray()) {
        const QJsonObject stream = value.toObject();
        const QString type = stream.value("codec_type").toString();
        result.streamTypes << type;
        if (type == "video" && result.videoCodec.isEmpty()) {
            result.videoCodec = stream.value("codec_name").toString();
            result.size = QSize(stream.value("width").toInt(), stream.value("height").toInt());
            result.videoPackets = stream.value("nb_read_packets").toString().toInt();
        }
    }
    result.ok = !result.formatName.isEmpty();
    return result;
}

bool ffmpeg(const QStringList& arguments)
{
    return Fixtures::runTool("ffmpeg",
                             QStringList{"-hide_banner", "-nostdin", "-loglevel", "error", "-y"} + arguments);
}
} // namespace MediaFixtures
