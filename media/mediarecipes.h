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

// Pure functions from a job to ffmpeg's argument list. The runner passes in the hidden partial
// file it made, which takes its final name once whole. Paths handed to the tool are absolute, so a file name
// that starts with "-" is never read as an option.
class MediaRecipes final
{
public:
    // The source codec when the target format can hold it, else the format's first codec.
    static int targetCodec(int oriVideoCodec, int format);
    // "1280x720" for a resolution id; empty for 0 and other ids without a size.
    static QString sizeArgument(int resolution);
    // "12.345": ffmpeg's seconds, to the millisecond.
    static QString seconds(qint64 milliseconds);

    // The output's name before its suffix (the source's) and its suffix.
    static QString outputBase(const MediaJob& job);
    static QString outputSuffix(const MediaJob& job);
    // Compression keeps the source's container unless it cannot hold H.264 (WebM, Ogg).
    static bool compressionKeepsContainer(const QString& sourceSuffix);

    // The longest an output may run: the source's real length plus 10 % plus a second. A
    // damaged timestamp must not turn a clip of seconds into hours of repeated frames.
    static qint64 lengthCap(qint64 realLengthMs);
    // "-t <cap>" for a job whose source really runs realLengthMs; empty when that is unknown.
    static QStringList capArguments(const MediaJob& job, qint64 realLengthMs);

    // Format conversion with a video target; input is the source or the unwrapped QLV file.
    static MediaCommand videoTarget(const MediaJob& job, const QString& output, const QString& input);
    // Format conversion with an audio target, and audio extraction.
    static MediaCommand audioExtraction(const MediaJob& job, const QString& output, const QString& input);
    static MediaCommand audioConversion(const MediaJob& job, const QString& output);
    // H.264 at the job's bit rate, held to it by a one-second rate buffer: a plain "-b:v" ran up
    // to 30 % over at low rates, a two-second buffer 20 % over on clips of a few seconds, and the
    // row's estimate must come true.
    static MediaCommand compression(const MediaJob& job, const QString& output);
    // The scale filter fitting the picture inside box, turned to the picture's orientation.
    static QString fitFilter(const QSize& box);
    // Copies the sound to nowhere: its log tells how many bytes the copied sound will take.
    static MediaCommand soundMeasure(const MediaJob& job);
    // The video bit rate (kbit/s of 1000 bit) that fills budgetBytes over durationMs; 0 when
    // nothing is left for the picture.
    static qint64 videoRateFor(qint64 budgetBytes, qint64 durationMs);
    // A compressed file's bytes: the picture at videoRate kbit/s of 1000 bit (ffmpeg's "k"), plus
    // what the rest of the source takes (sound and container, probed in kbit/s of 1024 bit).
    static qint64 compressedSize(qint64 durationMs, qint64 videoRate, qint64 restRate);
    static MediaCommand slicing(const MediaJob& job, const QString& output);
    // sourceRate: the source's real frame rate (0 when unknown); the GIF never takes more.
    static MediaCommand gif(const MediaJob& job, const QString& output, double sourceRate = 0);
    // A constant rate for a target that needs one: the limit, or the source's real rate when that
    // is lower, so no frame is repeated to fill the time ("15", "2.5").
    static QString constantRate(int limit, double sourceRate);

    // Concatenation: one transcode per job into a piece, then one joining run.
    static QString piecePath(const QString& tempDir, int index);
    // The join's frame: the first job's target size, else the first clip's own size.
    static QSize joinFrame(const MediaJob& first);
    // Every piece takes the first job's codec and the join's frame (each clip fitted inside it at
    // its own display aspect, padded black), one pixel format, frame rate and sound layout, so
    // the pieces join into one valid stream; a piece without sound gets silence.
    // joinRate: the fastest clip's real frame rate (0 when unknown); the join never takes more than 25.
    static MediaCommand concatPiece(const MediaJob& job, const MediaJob& first, const QString& piece,
                                    bool addSilence = false, double joinRate = 0);
    // The first clip is read once more for its metadata: the pieces carry no shooting date.
    static MediaCommand concatJoin(const QStringList& pieces, const MediaJob& first, const QString& output);

    // The QLV helper's three names inside the run's temporary folder, and its argument list.
    static QStringList qlvNames(int index, const QString& tempDir, const QDateTime& now);
    static QStringList qlvArguments(const QString& source, const QStringList& names);

    MediaRecipes() = delete;
};
