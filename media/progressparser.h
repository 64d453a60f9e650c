#pragma once

#include <QByteArray>
#include <QString>

// What one chunk of ffmpeg's console output says about the time encoded so far.
struct ProgressSample
{
    bool isProgress = false;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    QString timeText;

    qint64 elapsedSeconds() const { return seconds + 60LL * minutes + 3600LL * hours; }
};

// ffmpeg rewrites one status line with "\r" while it encodes, for example
//   "frame=   25 fps=0.0 q=-1.0 Lsize=     85kB time=00:00:01.00 bitrate= 697.3kbits/s speed=9.8x"
// and without a video stream
//   "size=     47kB time=00:00:03.00 bitrate= 128.3kbits/s speed=61.2x".
class ProgressParser final
{
public:
    enum Form
    {
        FrameOrSize, // the merged channel: video or audio-only status lines
        FrameOnly    // the error channel read on its own
    };

    // The bytes up to the first NUL, as Latin-1.
    static QString chunkText(const QByteArray& bytes);
    // Only the first "time=" of a chunk counts; a field that is no number counts 0 ("N/A").
    static ProgressSample parse(const QString& chunk, Form form = FrameOrSize);
    // Percentage of timeLen seconds, kept within 0..100; -1 when timeLen gives no scale
    // (a piece under one second or an unknown duration): nothing is to be reported then.
    static int percent(qint64 elapsedSeconds, qint64 timeLen);

    ProgressParser() = delete;
};
