#pragma once

#include <string>
#include <vector>

// ImageMagick's convert, laid out by the build at decoder/imagemagick/convert beside us.
namespace ImageMagick {
std::string convertPath();
// Runs convert with the arguments unchanged and our environment, passes its output on and
// returns the exit status to end with. A JPEG that convert reports cut short ("Premature end of
// JPEG file") it still writes, half grey, with exit 0: that result is removed and the run fails.
int run(const std::vector<std::string>& arguments);
} // namespace ImageMagick
