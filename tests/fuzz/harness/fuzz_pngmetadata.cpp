// The PNG chunk walk that decides whether ImageMagick keeps metadata libvips would drop.
#include "fuzzinput.h"
#include "helpers/magick/pngmetadata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pngHasUnreadMetadata(inputFile(data, size));
    return 0;
}
