// The picture counts read before ImageMagick runs: TIFF and BigTIFF directory chains, ICO and
// CUR directories, and the acTL chunk of an animated PNG.
#include "fuzzinput.h"
#include "imaging/pagecounter.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const int tiff = PageCounter::tiffPages(device);
    require(tiff >= 0 && tiff <= 100000, "a TIFF page count lies within 0..100000");
    device.seek(0);
    const int ico = PageCounter::icoPictures(device);
    require(ico >= 0 && ico <= 65535, "an ICO count lies within 0..65535");
    device.seek(0);
    require(PageCounter::apngFrames(device) >= 0, "a frame count is not negative");
    return 0;
}
