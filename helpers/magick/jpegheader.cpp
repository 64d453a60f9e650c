#include "jpegheader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

// The example tables of the JPEG standard (Annex K), in the zig-zag order files store them.
constexpr int kLuma[64] = {16, 11, 12,  14,  12,  10, 16, 14,  13,  14,  18,  17,  16, 19,  24,  40,
                           26, 24, 22,  22,  24,  49, 35, 37,  29,  40,  58,  51,  61, 60,  57,  51,
                           56, 55, 64,  72,  92,  78, 64, 68,  87,  69,  55,  56,  80, 109, 81,  87,
                           95, 98, 103, 104, 103, 62, 77, 113, 121, 112, 100, 120, 92, 101, 103, 99};
constexpr int kChroma[64] = {17, 18, 18, 24, 21, 24, 47, 26, 26, 47, 99, 66, 56, 66, 99, 99,
                             99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                             99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                             99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

int scaled(int entry, int quality)
{
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    return std::clamp((entry * scale + 50) / 100, 1, 255);
}

long distance(const int* table, const int* standard, int quality)
{
    long sum = 0;
    for (int i = 0; i < 64; ++i)
        sum += std::abs(table[i] - scaled(standard[i], quality));
    return sum;
}

int readByte(std::istream& in)
{
    const int c = in.get();
    return in ? c : -1;
}

int read16(std::istream& in)
{
    const int high = readByte(in);
    const int low = readByte(in);
    return high < 0 || low < 0 ? -1 : (high << 8) | low;
}

} // namespace

int JpegHeader::estimateQuality(const int* luma, const int* chroma)
{
    int best = -1;
    long bestDistance = 0;
    for (int quality = 100; quality >= 1; --quality) {
        const long d = distance(luma, kLuma, quality) + (chroma ? distance(chroma, kChroma, quality) : 0);
        if (best < 0 || d < bestDistance) {
            best = quality;
            bestDistance = d;
        }
    }
    return best;
}

JpegHeader JpegHeader::read(const std::string& path)
{
    JpegHeader header;
    std::ifstream in(path, std::ios::binary);
    if (readByte(in) != 0xFF || readByte(in) != 0xD8)
        return header;
    std::vector<int> tables[4];
    int componentTables[4] = {0, 1, 1, 1};
    std::vector<int> factors;
    while (in) {
        int marker = readByte(in);
        if (marker != 0xFF)
            return header;
        while (marker == 0xFF)
            marker = readByte(in);
        if (marker < 0 || marker == 0xD9 || marker == 0xDA)
            break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        const int length = read16(in);
        if (length < 2)
            return header;
        std::vector<uint8_t> body(static_cast<size_t>(length - 2));
        in.read(reinterpret_cast<char*>(body.data()), static_cast<std::streamsize>(body.size()));
        if (!in)
            return header;
        if (marker == 0xDB) {
            size_t at = 0;
            while (at < body.size()) {
                const int precision = body[at] >> 4;
                const int id = body[at] & 3;
                const size_t entryBytes = precision ? 2 : 1;
                ++at;
                std::vector<int>& table = tables[id];
                table.clear();
                // A table cut short ends short, and then counts for nothing.
                for (int i = 0; i < 64 && at + entryBytes <= body.size(); ++i) {
                    table.push_back(precision ? (body[at] << 8) | body[at + 1] : body[at]);
                    at += entryBytes;
                }
                if (table.size() < 64)
                    break;
            }
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (body.size() < 6)
                return header;
            const int components = body[5];
            for (int c = 0; c < components && c < 4 && 8 + 3 * c < static_cast<int>(body.size()); ++c) {
                factors.push_back(body[7 + 3 * c]);
                componentTables[c] = body[8 + 3 * c] & 3;
            }
        }
    }
    const std::vector<int>& luma = tables[componentTables[0]];
    if (factors.empty() || luma.size() != 64)
        return header;
    const std::vector<int>& chroma = tables[componentTables[factors.size() > 1 ? 1 : 0]];
    const bool hasChroma = factors.size() > 1 && chroma.size() == 64;
    header.quality = estimateQuality(luma.data(), hasChroma ? chroma.data() : nullptr);
    if (factors.size() == 1)
        header.sampling = Sampling::Gray;
    else if (factors.size() == 3 && factors[1] == 0x11 && factors[2] == 0x11 && factors[0] == 0x11)
        header.sampling = Sampling::Full;
    else if (factors.size() == 3 && factors[1] == 0x11 && factors[2] == 0x11 && factors[0] == 0x22)
        header.sampling = Sampling::Quartered;
    header.valid = true;
    return header;
}
