#pragma once

#include <string>

// What ImageMagick carries over from a JPEG source into a JPEG it writes: the quality it reads
// back from the quantisation tables and the chroma sampling.
struct JpegHeader
{
    enum class Sampling
    {
        Unknown,
        Gray,
        Full,     // 1x1 in every component (4:4:4)
        Quartered // 2x2 luma, 1x1 chroma (4:2:0)
    };
    bool valid = false;
    int quality = -1;
    Sampling sampling = Sampling::Unknown;

    static JpegHeader read(const std::string& path);
    // The libjpeg quality whose scaled standard tables come closest to these (64 entries each,
    // in file order); chroma may be null.
    static int estimateQuality(const int* luma, const int* chroma);
};
