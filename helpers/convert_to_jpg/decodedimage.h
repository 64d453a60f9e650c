#pragma once

#include <cstddef>
#include <vector>

// An upright 8-bit picture, rows top to bottom, samples interleaved (1 = grey, 3 = RGB).
struct DecodedImage
{
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<unsigned char> pixels;

    std::size_t rowBytes() const
    {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    }
};
