// The HEIC inspector: its alpha test over the leading bytes, and the colour profile libheif
// reads for it in the application's own process.
#include "fuzzinput.h"
#include "imaging/heicinspector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QString path = QString::fromStdString(inputFile(data, size));
    // The inputs are shorter than the head the file test reads.
    require(HeicInspector::hasAlpha(path) == HeicInspector::declaresAlpha(bytes),
            "the file test and the bytes test agree");
    const QByteArray profile = HeicInspector::iccProfile(path);
    require(profile.size() <= bytes.size(), "a profile is no larger than its file");
    return 0;
}
