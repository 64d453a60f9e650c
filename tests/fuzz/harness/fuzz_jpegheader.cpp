// The JPEG header reader of our magick helper, over whole files.
#include "fuzzinput.h"
#include "helpers/magick/jpegheader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const JpegHeader header = JpegHeader::read(inputFile(data, size));
    if (header.valid)
        require(header.quality >= 1 && header.quality <= 100, "a read quality lies within 1..100");
    else
        require(header.sampling == JpegHeader::Sampling::Unknown, "an unread header claims no sampling");

    // Quantisation tables straight from the bytes, 16-bit entries included.
    if (size >= 256) {
        int luma[64];
        int chroma[64];
        for (int i = 0; i < 64; ++i) {
            luma[i] = (data[2 * i] << 8) | data[2 * i + 1];
            chroma[i] = (data[128 + 2 * i] << 8) | data[128 + 2 * i + 1];
        }
        const int quality = JpegHeader::estimateQuality(luma, data[0] & 1 ? chroma : nullptr);
        require(quality >= 1 && quality <= 100, "an estimated quality lies within 1..100");
    }
    return 0;
}
