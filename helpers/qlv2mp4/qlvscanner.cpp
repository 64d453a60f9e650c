#include "qlvscanner.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr int kTsPacket = 188;
constexpr int kTsPacketsToTrust = 5;
constexpr qint64 kChunk = 1024 * 1024;
// Room for a stream start that straddles two chunks: the longest check looks this far ahead.
constexpr qint64 kOverlap = 2048;

quint32 bigEndian32(const QByteArray& b, int at)
{
    return (quint32(quint8(b[at])) << 24) | (quint32(quint8(b[at + 1])) << 16) |
           (quint32(quint8(b[at + 2])) << 8) | quint32(quint8(b[at + 3]));
}

bool isBoxType(const QByteArray& b, int at)
{
    for (int i = at; i < at + 4; ++i) {
        const char c = b[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' '))
            return false;
    }
    return true;
}

// "....ftyp" + brand: the size before it is sane and the next box has a readable type too.
bool mp4At(const QByteArray& b, int start)
{
    if (start + 16 > b.size() || memcmp(b.constData() + start + 4, "ftyp", 4) != 0)
        return false;
    const quint32 size = bigEndian32(b, start);
    if (size < 16 || size > 1024 || size % 4 != 0 || !isBoxType(b, start + 8))
        return false;
    const int next = start + int(size);
    return next + 8 > b.size() || isBoxType(b, next + 4);
}

// "FLV" 1, audio/video flags, header size 9, then a zero first previous-tag size.
bool flvAt(const QByteArray& b, int start)
{
    if (start + 13 > b.size() || memcmp(b.constData() + start, "FLV\x01", 4) != 0)
        return false;
    const quint8 flags = quint8(b[start + 4]);
    return (flags & ~0x05) == 0 && flags != 0 && bigEndian32(b, start + 5) == 9 &&
           bigEndian32(b, start + 9) == 0;
}

bool tsAt(const QByteArray& b, int start)
{
    if (start + kTsPacket * (kTsPacketsToTrust - 1) >= b.size())
        return false;
    for (int i = 0; i < kTsPacketsToTrust; ++i) {
        if (b[start + i * kTsPacket] != 0x47)
            return false;
    }
    return true;
}
} // namespace

QlvScanner::Found QlvScanner::findIn(const QByteArray& bytes, qint64 base)
{
    for (int i = 0; i < bytes.size(); ++i) {
        if (mp4At(bytes, i))
            return {Mp4, base + i};
        if (flvAt(bytes, i))
            return {Flv, base + i};
        if (tsAt(bytes, i))
            return {MpegTs, base + i};
    }
    return {};
}

QlvScanner::Found QlvScanner::find(QIODevice& device)
{
    qint64 base = 0;
    QByteArray window;
    while (base < kSearchLimit) {
        const QByteArray more = device.read(kChunk);
        window += more;
        const bool last = more.isEmpty() || device.atEnd();
        // Only starts whose checks fit in the window are judged now; the rest wait for more bytes.
        const int judged = last ? window.size() : int(qMax<qint64>(0, window.size() - kOverlap));
        const Found found = findIn(window, base);
        if (found.kind != None && found.offset < base + judged)
            return found;
        if (last)
            return {};
        base += judged;
        window = window.mid(judged);
    }
    return {};
}
