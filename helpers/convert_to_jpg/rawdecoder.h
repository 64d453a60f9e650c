#pragma once

#include "decodedimage.h"

#include <string>

// Decodes a camera RAW file with LibRaw into an upright 8-bit sRGB picture with the camera's
// white balance. LibRaw recognises the format from the content (headerless raws by their
// size), so the file's suffix plays no part.
class RawDecoder final
{
public:
    // Throws ConversionError.
    DecodedImage decode(const std::string& path);
    // Set when LibRaw met damaged data but still produced a picture.
    const std::string& warning() const { return m_warning; }

private:
    static void onDataError(void* self, const char* file, int offset);

    std::string m_warning;
};
