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

// LibRaw decodes the sensor a row (or a tile) at a time, top to bottom; once it meets corrupt
// data, what it makes of the rest is one flat colour, noise, or streaks of rows that differ only
// from each other. A picture whose damaged end covers this share is refused.
constexpr double kMaxDamagedShare = 0.1;

std::string tooSmall(std::uint64_t fileBytes, int rawWidth, int rawHeight);
// Share of pixels whose every sample lies within tolerance of its channel's commonest level.
double flatShare(const DecodedImage& image, int tolerance);
std::string flat(const DecodedImage& image, const std::string& dataError);
// The share of the upright picture, counted in bands from where the sensor's decoding ended,
// that holds no picture. flip is LibRaw's orientation code (0, 3, 5, 6), which says where the
// sensor's last rows and columns lie in the upright picture.
double damagedShare(const DecodedImage& image, int flip);
// The reason to refuse a picture LibRaw met corrupt data in; empty when the damage is too little to see.
std::string damaged(const DecodedImage& image, int flip, const std::string& dataError);

} // namespace PictureCheck
