#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Small media files made by the system's ffmpeg, and what ffprobe reads back from a file.
namespace MediaFixtures {
struct Clip
{
    QSize size{160, 90};
    double seconds = 1;
    int rate = 25;
    QString videoCodec = QStringLiteral("libx264"); // empty: no picture
    QString audioCodec = QStringLiteral("aac");     // empty: no sound
    int sampleRate = 48000;
    QStringList extra; // output options before the path
};
bool make(const QString& path, const Clip& clip);
bool makeMp3(const QString& path, double seconds = 1);
// ffmpeg quiet and overwriting, for fixtures a Clip cannot describe.
bool ffmpeg(const QStringList& arguments);

struct Probe
{
    bool ok = false;
    QString formatName;
    QStringList streamTypes; // "video", "audio" ... in stream order
    QString videoCodec;
    QSize size;
    double duration = 0; // 0 where the container keeps none (SWF)
    int videoPackets = 0;
};
Probe probe(const QString& path);
} // namespace MediaFixtures
