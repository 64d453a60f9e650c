#pragma once

#include "decodedimage.h"

#include <cstdio>

// Writes a baseline JPEG with libjpeg. Throws ConversionError.
class JpegWriter final
{
public:
    static constexpr int kQuality = 92;

    static void write(std::FILE* stream, const DecodedImage& image, int quality = kQuality);
};
