#pragma once

#include <QString>

// A tiny uncompressed "linear raw" DNG (demosaiced 16-bit RGB) with a given TIFF orientation,
// since no tool on the machine writes camera RAW files. The stored picture is red in its left
// half and green in its top half, so each corner has its own colour: yellow, green, red, black.
namespace LinearDng {
constexpr int kWidth = 48;
constexpr int kHeight = 32;
// Dark noise spans levels 0 to 15 of 65535: four levels of a 14-bit sensor, about 12 stops
// below white.
constexpr int kDarkNoiseLevels = 16;
// What the pixels hold: the four coloured corners; nothing, as a stripped file decodes; or a
// frame shot with the lens cap on, only sensor noise a few levels above black.
enum class Content
{
    Corners,
    Black,
    DarkNoise
};
// Cuts the file inside the pixel data when truncated is set.
bool write(const QString& path, int orientation, bool truncated = false, Content content = Content::Corners);
} // namespace LinearDng
