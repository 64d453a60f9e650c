#include "media/mymediainfo.h"

#include "media/combenum.h"
#include "media/mediainfolibrary.h"
#include "platform/logcategories.h"

#include <QDebug>
#include <QFileInfo>

namespace {
using Kind = MediaInfoLibrary::StreamKind;

double realAnswer(void* handle, Kind kind, const char* parameter)
{
    // An empty or non-numeric answer counts 0.
    return MediaInfoLibrary::get(handle, kind, QLatin1String(parameter)).toDouble();
}

// The library speaks bit/s; the record keeps units of 1024 bit/s, truncated.
int kibiBitRate(double bitsPerSecond)
{
    return static_cast<int>(bitsPerSecond / 1024);
}

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}
} // namespace

MyMediaInfo::MyMediaInfo(QObject* parent) : QObject(parent) {}

MyMediaInfo::~MyMediaInfo() = default;

void MyMediaInfo::probe(const QString& path)
{
    void* handle = MediaInfoLibrary::create();
    // Headers only: the facts a row shows are all there, and the rows of a hundred files are
    // listed in half the time (the probe runs on the GUI thread).
    MediaInfoLibrary::option(handle, QStringLiteral("ParseSpeed"), QStringLiteral("0"));
    MediaInfoLibrary::open(handle, path);
    MediaInfoLibrary::option(handle, QStringLiteral("Complete"), QStringLiteral("1"));
    readStreams(handle);
    MediaInfoLibrary::close(handle);
    readFileSystem(path);
    deriveVideoBitRate();
    MediaInfoLibrary::destroy(handle);
}

void MyMediaInfo::readStreams(void* handle)
{
    m_width = MediaInfoLibrary::get(handle, Kind::Video, QStringLiteral("Width")).toInt();
    m_height = MediaInfoLibrary::get(handle, Kind::Video, QStringLiteral("Height")).toInt();
    m_videoDuration = static_cast<qint64>(realAnswer(handle, Kind::Video, "Duration"));
    m_videoBitRate = kibiBitRate(realAnswer(handle, Kind::Video, "BitRate"));
    m_totalBitRate = kibiBitRate(realAnswer(handle, Kind::General, "BitRate"));
    const QString format = MediaInfoLibrary::get(handle, Kind::Video, QStringLiteral("Format"));
    m_audioDuration = static_cast<qint64>(realAnswer(handle, Kind::Audio, "Duration"));
    m_audioBitRate = kibiBitRate(realAnswer(handle, Kind::Audio, "BitRate"));
    qCDebug(lcMedia).noquote() << "======================获取到的codec为：" << format;
    // Two more answers tell "MPEG Video" 1 from 2 and MPEG-4 Part 2 from Microsoft's look-alikes.
    const QString version = MediaInfoLibrary::get(handle, Kind::Video, QStringLiteral("Format_Version"));
    const QString codecId = MediaInfoLibrary::get(handle, Kind::Video, QStringLiteral("CodecID"));

    m_videoCodec = CombEnum::codecIdOf(format, version, codecId);
    m_videoDurationText = durationText(m_videoDuration);
    m_audioDurationText = durationText(m_audioDuration);
    qCDebug(lcMedia).nospace() << "total bit rate:" << m_totalBitRate << ",width:" << m_width
                               << ",height:" << m_height << ",video dur:" << m_videoDuration
                               << ",audio dur:" << m_audioDuration << ",audio bit rate:" << m_audioBitRate;
}

void MyMediaInfo::readFileSystem(const QString& path)
{
    const QFileInfo info(path);
    m_fileName = info.fileName();
    m_fileSize = info.exists() ? info.size() : 0;
    m_fileSizeG = sizeText(m_fileSize, 3, QLatin1Char('G'));
    m_fileSizeM = sizeText(m_fileSize, 2, QLatin1Char('M'));
    m_suffix = info.suffix();
}

void MyMediaInfo::deriveVideoBitRate()
{
    if (m_videoBitRate > 0 || m_width <= 0)
        return;
    qint64 overall = m_totalBitRate;
    const qint64 duration = m_videoDuration > 0 ? m_videoDuration : m_audioDuration;
    if (overall <= 0 && duration > 0)
        overall = m_fileSize * 8 * 1000 / duration / 1024;
    m_videoBitRate = static_cast<int>(qMax<qint64>(0, overall - m_audioBitRate));
}

void MyMediaInfo::setVideoDuration(qint64 milliseconds)
{
    m_videoDuration = milliseconds;
    m_videoDurationText = durationText(milliseconds);
}

QString MyMediaInfo::durationText(qint64 milliseconds)
{
    const qint64 s = milliseconds / 1000;
    return twoDigits(s / 3600) + QLatin1Char(':') + twoDigits(s % 3600 / 60) + QLatin1Char(':') +
           twoDigits(s % 3600 % 60);
}

QString MyMediaInfo::sizeText(qint64 bytes, int shifts, QChar unit)
{
    double value = static_cast<double>(bytes);
    for (int i = 0; i < shifts; ++i)
        value /= 1024;
    return QString::number(value, 'f', 2) + unit;
}

QString MyMediaInfo::readableSize(qint64 bytes)
{
    return bytes < (qint64(1) << 30) ? sizeText(bytes, 2, QLatin1Char('M'))
                                     : sizeText(bytes, 3, QLatin1Char('G'));
}
