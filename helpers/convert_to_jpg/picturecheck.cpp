#include "picturecheck.h"

#include <algorithm>
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

namespace {

enum class Edge
{
    Top,
    Bottom,
    Left,
    Right
};

// Bands of this many lines, parallel to the edge they are counted from, looked at in stretches
// of this many pixels.
constexpr int kBandLines = 8;
constexpr int kStretch = 64;
// Measured: the damaged bands of real files had at most a fifth of their stretches looking like
// a picture, the bands of whole photos at least a quarter.
constexpr double kEmptyStretchShare = 0.8;

// What a stretch of a band looks like: how much neighbours along its lines and across them differ.
struct BandStats
{
    double along = 0;  // mean absolute difference along the lines
    double across = 0; // mean absolute difference between neighbouring lines
};

bool noPicture(const BandStats& band)
{
    // Real photos, even a grainy one, differ by a few levels between neighbours and about as
    // much in either direction (a whole photo measured 1 to 5); LibRaw's noise from corrupt data
    // measured 17 to 60 along and 40 to 86 across. The sum lets fine stripes in one direction
    // (a fence, small print) stay a picture.
    // Without even a level of grain along its lines, a stretch is one colour, or lines of one
    // colour each: what LibRaw repeats where it could not decode.
    const bool grainless = band.along <= 0.5;
    const bool noise = band.along + band.across >= 48;
    const bool streaks = band.across >= 1 && band.across >= 3 * (band.along + 0.25);
    return grainless || noise || streaks;
}

class EdgeView
{
public:
    EdgeView(const DecodedImage& image, Edge edge) : m_image(image), m_edge(edge) {}

    int lines() const { return rowsAreLines() ? m_image.height : m_image.width; }
    int length() const { return rowsAreLines() ? m_image.width : m_image.height; }

    // Line 0 lies at the edge.
    const unsigned char* at(int line, int position) const
    {
        int x = position;
        int y = line;
        switch (m_edge) {
        case Edge::Top:
            break;
        case Edge::Bottom:
            y = m_image.height - 1 - line;
            break;
        case Edge::Left:
            x = line;
            y = position;
            break;
        case Edge::Right:
            x = m_image.width - 1 - line;
            y = position;
            break;
        }
        return m_image.pixels.data() + (static_cast<std::size_t>(y) * m_image.width + x) * m_image.channels;
    }

    // The stretch of kBandLines lines from line first, positions [begin, end).
    BandStats stretch(int first, int begin, int end) const
    {
        const int channels = m_image.channels;
        std::size_t pairs = 0;
        std::size_t acrossPairs = 0;
        double along = 0;
        double across = 0;
        for (int line = first; line < first + kBandLines; ++line) {
            for (int position = std::max(begin, 1); position < end; ++position) {
                const unsigned char* here = at(line, position);
                const unsigned char* before = at(line, position - 1);
                int difference = 0;
                for (int c = 0; c < channels; ++c)
                    difference += std::abs(here[c] - before[c]);
                along += double(difference) / channels;
                ++pairs;
                if (line > first) {
                    const unsigned char* above = at(line - 1, position);
                    int d = 0;
                    for (int c = 0; c < channels; ++c)
                        d += std::abs(here[c] - above[c]);
                    across += double(d) / channels;
                    ++acrossPairs;
                }
            }
        }
        BandStats stats;
        if (pairs > 0)
            stats.along = along / double(pairs);
        if (acrossPairs > 0)
            stats.across = across / double(acrossPairs);
        return stats;
    }

    // A band holds no picture when nearly all its stretches hold none: judged as a whole, a
    // little noise would outweigh a lot of picture beside it, and a line of damage drawn with a
    // pixel pattern can look like detail over a few stretches.
    bool bandHoldsNoPicture(int first) const
    {
        int stretches = 0;
        int empty = 0;
        for (int begin = 0; begin < length(); begin += kStretch) {
            ++stretches;
            empty += noPicture(stretch(first, begin, std::min(length(), begin + kStretch))) ? 1 : 0;
        }
        return empty >= stretches * kEmptyStretchShare;
    }

private:
    bool rowsAreLines() const { return m_edge == Edge::Top || m_edge == Edge::Bottom; }

    const DecodedImage& m_image;
    Edge m_edge;
};

double tailShare(const DecodedImage& image, Edge edge)
{
    const EdgeView view(image, edge);
    if (view.lines() < kBandLines || view.length() < 2)
        return 0.0;
    int damaged = 0;
    while (damaged + kBandLines <= view.lines() && view.bandHoldsNoPicture(damaged))
        damaged += kBandLines;
    return double(damaged) / double(view.lines());
}

} // namespace

namespace PictureCheck {

double damagedShare(const DecodedImage& image, int flip)
{
    if (image.width <= 0 || image.height <= 0 || image.channels <= 0 ||
        image.pixels.size() < static_cast<std::size_t>(image.width) * image.height * image.channels)
        return 0.0;
    // The sensor's last rows end at its bottom edge and, for a decoder that works in tiles or
    // vertical strips, at its right edge; LibRaw has turned both into the upright picture.
    Edge lastRows = Edge::Bottom;
    Edge lastColumns = Edge::Right;
    switch (flip) {
    case 3: // turned half way
        lastRows = Edge::Top;
        lastColumns = Edge::Left;
        break;
    case 5: // a quarter turn anticlockwise
        lastRows = Edge::Right;
        lastColumns = Edge::Top;
        break;
    case 6: // a quarter turn clockwise
        lastRows = Edge::Left;
        lastColumns = Edge::Bottom;
        break;
    default:
        break;
    }
    return std::max(tailShare(image, lastRows), tailShare(image, lastColumns));
}

std::string damaged(const DecodedImage& image, int flip, const std::string& dataError)
{
    if (dataError.empty())
        return std::string();
    const double share = damagedShare(image, flip);
    if (share < kMaxDamagedShare)
        return std::string();
    const int percent = std::max(1, static_cast<int>(share * 100 + 0.5));
    return "LibRaw found " + dataError + " and " + std::to_string(percent) +
           "% of the picture is noise, streaks or one flat colour";
}

} // namespace PictureCheck
