#pragma once

#include <string>

// ImageMagick keeps what a PNG stores after its pixels and in its "Raw profile type" text chunks
// (its own way of storing EXIF); libvips reads neither.
bool pngHasUnreadMetadata(const std::string& path);
