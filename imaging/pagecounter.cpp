#include "imaging/pagecounter.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

namespace {
// Past this a chain is taken for a loop or a damaged file.
constexpr int kMaxPages = 100000;

bool readUnsigned(QIODevice& device, int bytes, bool bigEndian, quint64& value)
{
    uchar buffer[8];
    if (device.read(reinterpret_cast<char*>(buffer), bytes) != bytes)
        return false;
    value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int at = bigEndian ? i : bytes - 1 - i;
        value = (value << 8) | buffer[at];
    }
    return true;
}
} // namespace

int PageCounter::pages(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    int count = 0;
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        count = tiffPages(file);
    else if (suffix == QLatin1String("ico"))
        count = icoPictures(file);
    return qMax(1, count);
}

int PageCounter::tiffPages(QIODevice& device)
{
    const QByteArray order = device.read(2);
    if (order != "II" && order != "MM")
        return 0;
    const bool big = order == "MM";
    quint64 version = 0;
    if (!readUnsigned(device, 2, big, version) || (version != 42 && version != 43))
        return 0;
    // BigTIFF: 8-byte offsets and counts, 20-byte entries, after two more header fields.
    const bool bigTiff = version == 43;
    const int offsetBytes = bigTiff ? 8 : 4;
    if (bigTiff && !device.seek(8))
        return 0;
    quint64 offset = 0;
    if (!readUnsigned(device, offsetBytes, big, offset))
        return 0;
    QSet<quint64> seen;
    int count = 0;
    while (offset != 0 && count < kMaxPages && !seen.contains(offset)) {
        seen.insert(offset);
        quint64 entries = 0;
        if (!device.seek(static_cast<qint64>(offset)) || !readUnsigned(device, bigTiff ? 8 : 2, big, entries))
            break;
        ++count;
        const qint64 next = static_cast<qint64>(offset) + (bigTiff ? 8 : 2) +
                            static_cast<qint64>(entries) * (bigTiff ? 20 : 12);
        if (!device.seek(next) || !readUnsigned(device, offsetBytes, big, offset))
            break;
    }
    return count;
}

int PageCounter::icoPictures(QIODevice& device)
{
    // ICONDIR: reserved 0, type 1 (icon) or 2 (cursor), count; all little-endian.
    const QByteArray head = device.read(6);
    if (head.size() != 6)
        return 0;
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const quint16 type = qFromLittleEndian<quint16>(bytes + 2);
    if (qFromLittleEndian<quint16>(bytes) != 0 || (type != 1 && type != 2))
        return 0;
    return qFromLittleEndian<quint16>(bytes + 4);
}
