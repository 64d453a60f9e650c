#include "lineardng.h"

#include <QByteArray>
#include <QFile>
#include <QVector>
#include <QtEndian>

namespace LinearDng {

namespace {

enum Type : quint16
{
    Byte = 1,
    Ascii = 2,
    Short = 3,
    Long = 4,
    Rational = 5,
    SRational = 10
};

struct Entry
{
    quint16 tag;
    quint16 type;
    quint32 count;
    QByteArray value;
};

template <typename T> void append(QByteArray& bytes, T value)
{
    char buffer[sizeof(T)];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, sizeof(T));
}

Entry numbers(quint16 tag, quint16 type, const QVector<quint32>& values)
{
    Entry entry{tag, type, quint32(values.size()), {}};
    for (quint32 v : values) {
        if (type == Short)
            append<quint16>(entry.value, quint16(v));
        else if (type == Byte)
            entry.value.append(char(v));
        else
            append<quint32>(entry.value, v);
    }
    if (type == Rational || type == SRational)
        entry.count /= 2;
    return entry;
}

Entry text(quint16 tag, const char* value)
{
    QByteArray bytes(value);
    bytes.append('\0');
    return {tag, Ascii, quint32(bytes.size()), bytes};
}

QByteArray pixels(Content content)
{
    QByteArray bytes;
    quint32 noise = 1;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                quint16 value = 0;
                if (content == Content::Corners)
                    value =
                        (channel == 0 && x < kWidth / 2) || (channel == 1 && y < kHeight / 2) ? 60000 : 2000;
                else if (content == Content::DarkNoise)
                    value = quint16((noise = noise * 1103515245u + 12345u) >> 16) % kDarkNoiseLevels;
                append<quint16>(bytes, value);
            }
        }
    }
    return bytes;
}

// Little-endian TIFF: header, one IFD, the values too long for an entry, then the pixels.
QByteArray tiff(QVector<Entry> entries, const QByteArray& pixelData, quint16 stripTag)
{
    const quint32 ifdSize = 2 + 12 * quint32(entries.size()) + 4;
    QByteArray extra;
    QVector<quint32> offsets;
    for (const Entry& entry : entries) {
        offsets << 8 + ifdSize + quint32(extra.size());
        if (entry.value.size() > 4)
            extra.append(entry.value).append(entry.value.size() % 2, '\0');
    }
    const quint32 pixelOffset = 8 + ifdSize + quint32(extra.size());
    QByteArray out("II*\0", 4);
    append<quint32>(out, 8);
    append<quint16>(out, quint16(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        Entry& entry = entries[i];
        if (entry.tag == stripTag) {
            entry.value.clear();
            append<quint32>(entry.value, pixelOffset);
        }
        append<quint16>(out, entry.tag);
        append<quint16>(out, entry.type);
        append<quint32>(out, entry.count);
        if (entry.value.size() > 4)
            append<quint32>(out, offsets[i]);
        else
            out.append(entry.value.leftJustified(4, '\0'));
    }
    append<quint32>(out, 0);
    return out + extra + pixelData;
}

} // namespace

bool write(const QString& path, int orientation, bool truncated, Content content)
{
    const QByteArray data = pixels(content);
    // Tags in ascending order, as TIFF requires.
    const QVector<Entry> entries{
        numbers(254, Long, {0}),
        numbers(256, Long, {kWidth}),
        numbers(257, Long, {kHeight}),
        numbers(258, Short, {16, 16, 16}),
        numbers(259, Short, {1}),     // no compression
        numbers(262, Short, {34892}), // linear raw
        text(271, "Test"),
        text(272, "Linear"),
        numbers(273, Long, {0}), // strip offset, filled in by tiff()
        numbers(274, Short, {quint32(orientation)}),
        numbers(277, Short, {3}),
        numbers(278, Long, {kHeight}),
        numbers(279, Long, {quint32(data.size())}),
        numbers(284, Short, {1}),
        numbers(50706, Byte, {1, 4, 0, 0}), // DNGVersion
        text(50708, "Test Linear"),
        numbers(50721, SRational,
                {1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1}), // identity ColorMatrix1
        numbers(50728, Rational, {1, 1, 1, 1, 1, 1}),                    // neutral AsShotNeutral
    };
    QByteArray file = tiff(entries, data, 273);
    if (truncated)
        file.chop(data.size() / 2);
    QFile out(path);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(file) == file.size();
}

} // namespace LinearDng
