#include "picturecheck.h"

#include <array>
#include <cstdlib>

namespace PictureCheck {

std::string tooSmall(std::uint64_t fileBytes, int rawWidth, int rawHeight)
{
    if (rawWidth <= 0 || rawHeight <= 0)
        return std::string();
    const std::uint64_t pixels = static_cast<std::uint64_t>(rawWidth) * static_cast<std::uint64_t>(rawHeight);
    if (fileBytes * kMinPixelsPerByte >= pixels)
        return std::string();
    return std::to_string(fileBytes) + " bytes cannot hold the " + std::to_string(rawWidth) + "x" +
           std::to_string(rawHeight) + " sensor pixels the file claims";
}

double flatShare(const DecodedImage& image, int tolerance)
{
    const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    const int channels = image.channels;
    if (pixels == 0 || channels <= 0 || image.pixels.size() < pixels * channels)
        return 0.0;
    std::array<std::array<std::size_t, 256>, 4> histograms{};
    for (std::size_t i = 0; i < pixels * channels; ++i)
        ++histograms[i % channels][image.pixels[i]];
    std::array<int, 4> common{};
    for (int c = 0; c < channels; ++c) {
        for (int level = 1; level < 256; ++level) {
            if (histograms[c][level] > histograms[c][common[c]])
                common[c] = level;
        }
    }
    std::size_t near = 0;
    const unsigned char* sample = image.pixels.data();
    for (std::size_t p = 0; p < pixels; ++p, sample += channels) {
        bool close = true;
        for (int c = 0; c < channels && close; ++c)
            close = std::abs(sample[c] - common[c]) <= tolerance;
        near += close ? 1 : 0;
    }
    return static_cast<double>(near) / static_cast<double>(pixels);
}

std::string flat(const DecodedImage& image, const std::string& dataError)
{
    if (!dataError.empty() && flatShare(image, kFlatWhenDamaged.tolerance) >= kFlatWhenDamaged.share)
        return "LibRaw found " + dataError + " and made a flat picture of it";
    if (flatShare(image, kFlat.tolerance) >= kFlat.share)
        return "the picture is one flat colour, its image data is missing";
    return std::string();
}

} // namespace PictureCheck
