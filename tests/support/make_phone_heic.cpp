// Writes a HEIC the way phones do: pixels stored as the sensor saw them, an irot/imir
// transform to show them upright, and EXIF that repeats the orientation and carries the
// camera facts. Usage: make_phone_heic OUTPUT ORIENTATION(1-8)
// The stored picture is 64x32: left half red, right half blue.
#include <libheif/heif.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(v & 0xff);
    out.push_back(v >> 8);
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back((v >> (8 * i)) & 0xff);
}

// Little-endian TIFF: IFD0 {Model, Orientation, ExifIFD} and an Exif IFD {DateTimeOriginal}.
std::vector<uint8_t> exifBlock(int orientation)
{
    const std::string model = "TestPhone X";
    const std::string taken = "2024:05:06 07:08:09";
    std::vector<uint8_t> t{'I', 'I', 42, 0};
    put32(t, 8);
    const uint32_t ifd0Size = 2 + 3 * 12 + 4;
    const uint32_t exifIfd = 8 + ifd0Size;
    const uint32_t exifIfdSize = 2 + 12 + 4;
    const uint32_t modelAt = exifIfd + exifIfdSize;
    const uint32_t takenAt = modelAt + model.size() + 1;
    put16(t, 3);
    put16(t, 0x0110), put16(t, 2), put32(t, model.size() + 1), put32(t, modelAt);
    put16(t, 0x0112), put16(t, 3), put32(t, 1), put32(t, static_cast<uint32_t>(orientation));
    put16(t, 0x8769), put16(t, 4), put32(t, 1), put32(t, exifIfd);
    put32(t, 0);
    put16(t, 1);
    put16(t, 0x9003), put16(t, 2), put32(t, taken.size() + 1), put32(t, takenAt);
    put32(t, 0);
    t.insert(t.end(), model.begin(), model.end());
    t.push_back(0);
    t.insert(t.end(), taken.begin(), taken.end());
    t.push_back(0);
    // libheif puts the offset to the TIFF header in front of this itself.
    std::vector<uint8_t> block{'E', 'x', 'i', 'f', 0, 0};
    block.insert(block.end(), t.begin(), t.end());
    return block;
}

bool check(const heif_error& error)
{
    if (error.code != heif_error_Ok) {
        std::fprintf(stderr, "make_phone_heic: %s\n", error.message);
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const int orientation = std::atoi(argv[2]);
    const int width = 64, height = 32;
    heif_image* image = nullptr;
    if (!check(heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image)) ||
        !check(heif_image_add_plane(image, heif_channel_interleaved, width, height, 8)))
        return 1;
    int stride = 0;
    uint8_t* pixels = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = pixels + y * stride + x * 3;
            const bool left = x < width / 2;
            p[0] = left ? 230 : 20;
            p[1] = 20;
            p[2] = left ? 20 : 230;
        }
    }
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    if (!check(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder)))
        return 1;
    heif_encoder_set_lossy_quality(encoder, 95);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = static_cast<heif_orientation>(orientation);
    heif_image_handle* handle = nullptr;
    if (!check(heif_context_encode_image(context, image, encoder, options, &handle)))
        return 1;
    const std::vector<uint8_t> exif = exifBlock(orientation);
    if (!check(heif_context_add_exif_metadata(context, handle, exif.data(), static_cast<int>(exif.size()))) ||
        !check(heif_context_write_to_file(context, argv[1])))
        return 1;
    heif_image_handle_release(handle);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_image_release(image);
    heif_context_free(context);
    return 0;
}
