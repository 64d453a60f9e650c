#pragma once

#include "media/combenum.h"

#include <QList>
#include <QMap>
#include <QRect>
#include <QSize>
#include <QString>

enum MediaOperation
{
    FormatConversion = 0,
    Compression = 1,
    Slicing = 2,
    Concatenation = 3,
    VideoToGif = 4,
    AudioExtraction = 5,
    AudioConversion = 6
};

// The string-map form of a job, every value a decimal string; the runner still takes it and
// converts it on entry.
using MediaRecord = QMap<QString, QString>;
using MediaRecordList = QList<MediaRecord>;

namespace MediaJobKeys {
inline constexpr char kOriFilePath[] = "oriFilePath";
inline constexpr char kObjectName[] = "objectName";
inline constexpr char kTimeLen[] = "timeLenStr";
inline constexpr char kFormat[] = "format";
inline constexpr char kResolution[] = "resolution";
inline constexpr char kOriVideoCodec[] = "oriVideoCodec";
inline constexpr char kMediaLocalType[] = "mediaLocalTypeStr";
inline constexpr char kAudioQuality[] = "audioQualityStr";
inline constexpr char kBitRate[] = "bitRateStr";
inline constexpr char kBeginTime[] = "beginTimeStr";
inline constexpr char kCutX[] = "cutXStr";
inline constexpr char kCutY[] = "cutYStr";
inline constexpr char kCutWidth[] = "cutWidthStr";
inline constexpr char kCutHeight[] = "cutHeightStr";
inline constexpr char kScaleWidth[] = "scaleWidthStr";
inline constexpr char kScaleHeight[] = "scaleHeightStr";
inline constexpr char kFilmWidth[] = "filmWidthStr";
inline constexpr char kFilmHeight[] = "filmHeightStr";
} // namespace MediaJobKeys

// One file's work, built by a page and read by the runner. Times are milliseconds.
struct MediaJob
{
    MediaOperation operation = FormatConversion;
    QString oriFilePath;
    QString objectName;
    // The segment's length; for a whole file, the file's length (0 when unknown).
    qint64 timeLen = 0;
    qint64 beginTime = 0;
    // A segment that is the whole file: no seek and no cut, so not a frame is lost at either end.
    bool wholeClip = true;
    CombEnum::Format format = CombEnum::MP4;
    int resolution = 0;
    int oriVideoCodec = CombEnum::kUnknownCodec;
    int mediaLocalType = 0;
    int audioQuality = 0;
    // Video bit rate in kbit/s; 0 when none is known.
    qint64 bitRate = 0;
    // Null: the whole picture.
    QRect cut;
    // Invalid: the source's size.
    QSize scale;
    QSize film;
    // Compression: the box the picture is fitted into, in either orientation, never enlarged;
    // invalid keeps the source's size.
    QSize fitBox;
    // Compression to a size: the file must end at most this many bytes; 0 compresses by rate.
    qint64 targetBytes = 0;

    // A missing key reads as empty, and an empty or non-numeric number as 0; a cut x or scale
    // width of "-1" means none. A record without a begin time is a whole file.
    static MediaJob fromRecord(const MediaRecord& record, MediaOperation operation);
    MediaRecord toRecord() const;
};
using MediaJobList = QList<MediaJob>;
