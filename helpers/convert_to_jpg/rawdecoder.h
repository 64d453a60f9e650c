#pragma once

#include "decodedimage.h"

#include <string>

// Decodes a camera RAW file with LibRaw into an upright 8-bit sRGB picture with the camera's
// white balance. LibRaw recognises the format from the content (headerless raws by their
// size), so the file's suffix plays no part.
class RawDecoder final
{
public:
    // Throws ConversionError, also when the file holds no picture (PictureCheck).
    DecodedImage decode(const std::string& path);
    // Set when LibRaw met damaged data but still produced a picture. LibRaw's process_warnings
    // never say this: their flags speak of white balance, profiles and dark frames.
    const std::string& warning() const { return m_warning; }

private:
    static void onDataError(void* self, const char* file, int offset);

    std::string m_warning;
};
