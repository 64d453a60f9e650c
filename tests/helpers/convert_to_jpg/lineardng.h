#pragma once

#include <QString>

// A tiny uncompressed "linear raw" DNG (demosaiced 16-bit RGB) with a given TIFF orientation,
// since no tool on the machine writes camera RAW files. The stored picture is red in its left
// half and green in its top half, so each corner has its own colour: yellow, green, red, black.
namespace LinearDng {
constexpr int kWidth = 48;
constexpr int kHeight = 32;
// Cuts the file inside the pixel data when truncated is set.
bool write(const QString& path, int orientation, bool truncated = false);
} // namespace LinearDng
