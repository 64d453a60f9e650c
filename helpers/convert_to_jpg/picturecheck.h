#pragma once

#include "decodedimage.h"

#include <cstdint>
#include <string>

// Signs that a RAW file holds no picture: its image data was stripped or pruned, so LibRaw
// makes a full-size picture out of nothing. Each returns the reason, or an empty string.
namespace PictureCheck {

// Losslessly compressed sensor data takes at least a bit a pixel, and even a lossy DNG of a
// black frame about a bit for eight; a byte for 256 pixels is well below both.
constexpr std::uint64_t kMinPixelsPerByte = 256;
// A picture is flat when nearly all its pixels lie within a few levels of its commonest colour.
// Sensor noise keeps a real photo, however dark or bright, off one colour: LibRaw's
// auto-brightness stretches a dark frame's noise over many levels. So without other signs
// only a picture of one colour, give or take rounding, counts as empty.
struct Flatness
{
    int tolerance;
    double share;
};
constexpr Flatness kFlat{1, 0.9999};
// When LibRaw met damaged data, a picture that is nearly all one colour is what it made of
// the damage: whatever came before the damage is too little to be worth a picture.
constexpr Flatness kFlatWhenDamaged{8, 0.95};

std::string tooSmall(std::uint64_t fileBytes, int rawWidth, int rawHeight);
// Share of pixels whose every sample lies within tolerance of its channel's commonest level.
double flatShare(const DecodedImage& image, int tolerance);
std::string flat(const DecodedImage& image, const std::string& dataError);

} // namespace PictureCheck
