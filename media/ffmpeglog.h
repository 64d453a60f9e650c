#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// What one ffmpeg run said on its console, read line by line as it arrives. The runner starts
// ffmpeg with "-loglevel level+info", so every message carries its level:
//   "[webm @ 0x5631257d9340] [error] Only VP8 or VP9 or AV1 video and Vorbis or Opus audio ..."
//   "[info]   Stream #0:1(und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, mono, fltp"
//   "[info] frame=   25 fps=0.0 q=-1.0 Lsize=      46kB time=00:00:01.02 bitrate= 369.7kbits/s"
//   "[info] video:0kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB muxing ..."
//   "[verbose]   Output stream #0:1 (audio): 47 frames encoded; 48 packets muxed (305 bytes); "
// The last kind (from "level+verbose") tells what each stream really holds: a second of silence
// is 305 bytes, which the summary above rounds to "audio:0kB".
// Untagged lines (another tool, or an ffmpeg without the flag) are read the same way.
class FfmpegLog final
{
public:
    // Bytes as they come; lines end with "\n" (messages) or "\r" (status lines).
    void add(const QByteArray& bytes);
    void finish();

    QStringList inputStreams() const { return m_inputStreams; }   // "video", "audio" ...
    QStringList outputStreams() const { return m_outputStreams; } // of the first output
    qint64 lastFrame() const { return m_lastFrame; }              // -1: never reported
    qint64 lastTimeSeconds() const { return m_lastTime < 0 ? -1 : m_lastTime / 1000; }
    qint64 lastTimeMs() const { return m_lastTime; } // -1: never reported
    bool hasStatistics() const { return m_videoKb >= 0; }
    // Bytes muxed for a stream kind ("audio") of the first output; -1 when ffmpeg did not say.
    qint64 muxedBytes(const QString& kind) const { return m_muxedBytes.value(kind, -1); }

    // Why the run failed: the last error that names a cause, not the generic lines ffmpeg closes
    // with, nor the encoder statistics printed after it.
    QString failureReason() const;
    // Every error and closing line kept, for matching known causes.
    QString errorText() const;
    // Why a run that ended well still wrote nothing of use: a picture stream without a frame or a
    // sound stream without a sample. Empty when the output holds something in every stream.
    QString emptyOutputReason() const;

private:
    void addLine(const QString& line);

    QByteArray m_pending;
    enum Section
    {
        None,
        Input,
        Output,
        Other
    } m_section = None;
    int m_outputs = 0;
    QStringList m_inputStreams;
    QStringList m_outputStreams;
    qint64 m_lastFrame = -1;
    qint64 m_lastTime = -1;
    qint64 m_videoKb = -1;
    qint64 m_audioKb = -1;
    // Bytes muxed per stream kind of the first output; absent when ffmpeg did not say.
    QHash<QString, qint64> m_muxedBytes;
    QStringList m_errors;
    QStringList m_lastLines;
};
