#pragma once

#include <QString>
#include <atomic>

// How long a media file really runs, from its packets' timestamps: the container is read, nothing
// is decoded. Where a header has no length (Matroska written to a pipe) or a wrong one (an
// MPEG-PS whose timestamps jump claimed 36,000 s), this is the figure to go by. It reads the
// whole file, so it is run off the GUI thread.
class MediaLength final
{
public:
    struct Reading
    {
        qint64 lengthMs = 0;    // 0 when the file cannot be read or holds no timestamps
        qint64 videoFrames = 0; // picture packets; 0 for sound only
        qint64 audioBytes = -1; // sound packets' bytes; -1 when there is no sound or no count
        // Frames a second over the whole file (0 when unknown): what a constant-rate target may
        // take at most without repeating frames. A file whose nominal rate is 1000 fps but which
        // holds 2 frames in 2 s reads 1.
        double frameRate() const;
    };
    static Reading readPackets(const QString& path, const std::atomic_bool* cancel = nullptr);
    // Milliseconds; 0 when the file cannot be read or holds no timestamps.
    static qint64 read(const QString& path, const std::atomic_bool* cancel = nullptr);

    MediaLength() = delete;
};
