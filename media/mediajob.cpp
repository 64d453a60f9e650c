#include "media/mediajob.h"

namespace Keys = MediaJobKeys;

namespace {
qint64 number(const MediaRecord& record, const char* key)
{
    return record.value(QLatin1String(key)).trimmed().toLongLong();
}

bool says(const MediaRecord& record, const char* key, const char* text)
{
    return record.value(QLatin1String(key)).trimmed() == QLatin1String(text);
}
} // namespace

MediaJob MediaJob::fromRecord(const MediaRecord& record, MediaOperation operation)
{
    MediaJob job;
    job.operation = operation;
    job.oriFilePath = record.value(QLatin1String(Keys::kOriFilePath));
    job.objectName = record.value(QLatin1String(Keys::kObjectName));
    job.timeLen = number(record, Keys::kTimeLen);
    job.beginTime = number(record, Keys::kBeginTime);
    job.wholeClip = !record.contains(QLatin1String(Keys::kBeginTime));
    job.format = static_cast<CombEnum::Format>(number(record, Keys::kFormat));
    job.resolution = static_cast<int>(number(record, Keys::kResolution));
    job.oriVideoCodec = record.contains(QLatin1String(Keys::kOriVideoCodec))
                            ? static_cast<int>(number(record, Keys::kOriVideoCodec))
                            : CombEnum::kUnknownCodec;
    job.mediaLocalType = static_cast<int>(number(record, Keys::kMediaLocalType));
    job.audioQuality = static_cast<int>(number(record, Keys::kAudioQuality));
    job.bitRate = number(record, Keys::kBitRate);
    if (record.contains(QLatin1String(Keys::kCutX)) && !says(record, Keys::kCutX, "-1"))
        job.cut = QRect(int(number(record, Keys::kCutX)), int(number(record, Keys::kCutY)),
                        int(number(record, Keys::kCutWidth)), int(number(record, Keys::kCutHeight)));
    if (record.contains(QLatin1String(Keys::kScaleWidth)) && !says(record, Keys::kScaleWidth, "-1"))
        job.scale = QSize(int(number(record, Keys::kScaleWidth)), int(number(record, Keys::kScaleHeight)));
    if (record.contains(QLatin1String(Keys::kFilmWidth)))
        job.film = QSize(int(number(record, Keys::kFilmWidth)), int(number(record, Keys::kFilmHeight)));
    return job;
}

MediaRecord MediaJob::toRecord() const
{
    const auto n = [](qint64 value) { return QString::number(value); };
    MediaRecord record{{Keys::kOriFilePath, oriFilePath},
                       {Keys::kObjectName, objectName},
                       {Keys::kTimeLen, n(timeLen)},
                       {Keys::kFormat, n(format)},
                       {Keys::kResolution, n(resolution)},
                       {Keys::kOriVideoCodec, n(oriVideoCodec)},
                       {Keys::kMediaLocalType, n(mediaLocalType)},
                       {Keys::kAudioQuality, n(audioQuality)},
                       {Keys::kBitRate, n(bitRate)},
                       {Keys::kCutX, cut.isNull() ? n(-1) : n(cut.x())},
                       {Keys::kCutY, n(cut.y())},
                       {Keys::kCutWidth, n(cut.width())},
                       {Keys::kCutHeight, n(cut.height())},
                       {Keys::kScaleWidth, scale.isValid() ? n(scale.width()) : n(-1)},
                       {Keys::kScaleHeight, n(scale.height())},
                       {Keys::kFilmWidth, n(film.width())},
                       {Keys::kFilmHeight, n(film.height())}};
    if (!wholeClip)
        record.insert(Keys::kBeginTime, n(beginTime));
    return record;
}
