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
// A missing key reads as the empty string, and an empty or non-numeric number as 0.
QString text(const MediaJob& job, const char* key);
qint64 number(const MediaJob& job, const char* key);
} // namespace MediaJobKeys
