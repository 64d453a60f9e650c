// The search for the media stream inside a QLV file, over bytes and through a device, also with
// the input placed across the scanner's first read.
#include "fuzzinput.h"
#include "helpers/qlv2mp4/qlvscanner.h"

#include <QBuffer>

namespace {
// The scanner reads its device a mebibyte at a time.
constexpr int kChunk = 1024 * 1024;

QlvScanner::Found findThrough(QByteArray bytes)
{
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    return QlvScanner::find(device);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QlvScanner::Found found = QlvScanner::findIn(bytes, 0);
    if (found.kind == QlvScanner::None)
        require(found.offset == -1, "nothing found has no offset");
    else
        require(found.offset >= 0 && found.offset < qint64(size), "a stream starts inside the input");

    const QlvScanner::Found read = findThrough(bytes);
    require(read.kind == found.kind && read.offset == found.offset, "the device search finds the same");

    // Zeros hold no stream start, so behind them the same start is found further on. A mebibyte
    // scanned under the sanitizers takes a third of a second: one input in 256 is checked so, the
    // first of a run among them, so that a replayed finding is checked the same way.
    static unsigned runs = 0;
    if (runs++ % 256 == 0) {
        const int padding = kChunk - static_cast<int>(size) / 2;
        const QlvScanner::Found shifted = findThrough(QByteArray(padding, '\0') + bytes);
        require(shifted.kind == found.kind &&
                    shifted.offset == (found.kind == QlvScanner::None ? -1 : found.offset + padding),
                "a start across the first read is found");
    }
    return 0;
}
