#pragma once

#include <QList>
#include <QMap>
#include <QString>

// One file's work for the media runner; every value is a string, numbers in decimal.
using MediaJob = QMap<QString, QString>;
using MediaJobList = QList<MediaJob>;

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

namespace MediaJobKeys {
// The pages write these keys and the runner reads them: one spelling for both sides.
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

// A missing key reads as the empty string, and an empty or non-numeric number as 0.
QString text(const MediaJob& job, const char* key);
qint64 number(const MediaJob& job, const char* key);
} // namespace MediaJobKeys
