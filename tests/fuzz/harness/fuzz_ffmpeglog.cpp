// The reader of ffmpeg's console: the input fed whole and in pieces must read the same.
#include "fuzzinput.h"
#include "media/ffmpeglog.h"

namespace {
bool same(const FfmpegLog& a, const FfmpegLog& b)
{
    return a.inputStreams() == b.inputStreams() && a.outputStreams() == b.outputStreams() &&
           a.lastFrame() == b.lastFrame() && a.lastTimeSeconds() == b.lastTimeSeconds() &&
           a.hasStatistics() == b.hasStatistics() && a.failureReason() == b.failureReason() &&
           a.emptyOutputReason() == b.emptyOutputReason();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the size of the pieces, as a pipe might deliver them.
    const int piece = 1 + data[0] % 97;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, static_cast<int>(size - 1));

    FfmpegLog whole;
    whole.add(bytes);
    whole.finish();
    FfmpegLog pieces;
    for (int at = 0; at < bytes.size(); at += piece)
        pieces.add(bytes.mid(at, piece));
    pieces.finish();

    require(same(whole, pieces), "pieces read as the whole");
    require(whole.lastFrame() >= -1 && whole.lastTimeSeconds() >= -1, "counts are -1 or more");
    return 0;
}
