#pragma once

#include "media/mediajob.h"

#include <QDateTime>
#include <QStringList>

// One tool start: what ffmpeg is given and the file it is meant to write.
struct MediaCommand
{
    QStringList arguments;
    QString outputPath;
};

// Pure functions from a job record to ffmpeg's argument list and the output name. Paths handed
// to the tool are absolute, so a file name that starts with "-" is never read as an option.
class MediaRecipes final
{
public:
    // The source codec when the target format can hold it, else the format's first codec.
    static int targetCodec(int oriVideoCodec, int format);
    // "1280x720" for a resolution id; empty for 0 and other ids without a size.
    static QString sizeArgument(int resolution);
    static QString outputPath(const QString& outputPrefix, const QString& stem, const QString& extension);

    // Mode 0 with a video target; input is the source or the unwrapped QLV file.
    static MediaCommand videoTarget(const MediaJob& job, int index, const QString& outputPrefix,
                                    const QString& input);
    // Mode 0 with an audio target, and mode 5.
    static MediaCommand audioExtraction(const MediaJob& job, int index, const QString& outputPrefix,
                                        const QString& input);
    static MediaCommand audioConversion(const MediaJob& job, int index, const QString& outputPrefix);
    static MediaCommand compression(const MediaJob& job, int index, const QString& outputPrefix);
    static MediaCommand slicing(const MediaJob& job, int index, const QString& outputPrefix);
    static MediaCommand gif(const MediaJob& job, int index, const QString& outputPrefix);

    // Concatenation: one transcode per job into a piece, then one joining run.
    static QString piecePath(const QString& tempDir, int index);
    // Every piece takes the first job's codec and size and one pixel format, frame rate and sound
    // layout, so the pieces join into one valid stream; a piece without sound gets silence.
    static MediaCommand concatPiece(const MediaJob& job, const MediaJob& first, const QString& piece,
                                    bool addSilence = false);
    static MediaCommand concatJoin(const QStringList& pieces, int format, const QString& outputPrefix);

    // The QLV helper's three names inside the run's temporary folder, and its argument list.
    static QStringList qlvNames(int index, const QString& tempDir, const QDateTime& now);
    static QStringList qlvArguments(const QString& source, const QStringList& names);

    MediaRecipes() = delete;
};
