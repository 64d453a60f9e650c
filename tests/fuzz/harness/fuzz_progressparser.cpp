// ffmpeg's status lines read into the time encoded so far and a percentage.
#include "fuzzinput.h"
#include "media/progressparser.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const qint64 timeLen = input.ConsumeIntegral<qint64>();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), static_cast<int>(rest.size()));
    const QString text = ProgressParser::chunkText(bytes);
    require(!text.contains(QChar(0)), "a chunk ends at its first NUL");
    for (const auto form : {ProgressParser::FrameOrSize, ProgressParser::FrameOnly}) {
        const ProgressSample sample = ProgressParser::parse(text, form);
        if (!sample.isProgress)
            continue;
        const int percent = ProgressParser::percent(sample.elapsedSeconds(), timeLen);
        require(timeLen > 0 ? percent >= 0 && percent <= 100 : percent == -1, "a percentage or -1");
    }
    return 0;
}
