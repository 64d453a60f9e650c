// ConvertToJpg SOURCE OUTPUT: decodes a camera RAW file and writes it to OUTPUT as an upright
// sRGB JPEG. Exit 0 on success; otherwise one line on stderr and nothing at OUTPUT. A file whose
// image data was stripped fails with "no picture data" rather than becoming a flat picture.
// There are no options, so paths that begin with "-" are taken as paths.
#include "atomicoutputfile.h"
#include "conversionerror.h"
#include "jpegwriter.h"
#include "rawdecoder.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>

namespace {

constexpr const char* kName = "ConvertToJpg";
constexpr int kFailed = 1;
constexpr int kUsage = 2;

void convert(const std::string& source, const std::string& output)
{
    RawDecoder decoder;
    const DecodedImage image = decoder.decode(source);
    AtomicOutputFile file(output);
    JpegWriter::write(file.stream(), image);
    file.commit();
    if (!decoder.warning().empty())
        std::fprintf(stderr, "%s: warning: '%s': %s, the picture may be damaged\n", kName, source.c_str(),
                     decoder.warning().c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE OUTPUT\n", kName);
        return kUsage;
    }
    try {
        convert(argv[1], argv[2]);
    } catch (const ConversionError& error) {
        std::fprintf(stderr, "%s: %s\n", kName, error.what());
        return kFailed;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: out of memory converting '%s'\n", kName, argv[1]);
        return kFailed;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kName, error.what());
        return kFailed;
    }
    return 0;
}
