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
    // Milliseconds; 0 when the file cannot be read or holds no timestamps.
    static qint64 read(const QString& path, const std::atomic_bool* cancel = nullptr);

    MediaLength() = delete;
};
