// Writes a HEIC the way phones do: pixels stored as the sensor saw them, an irot/imir
// transform to show them upright, and EXIF that repeats the orientation and carries the
// camera facts. Usage: make_phone_heic OUTPUT ORIENTATION(1-8) [p3]
// The stored picture is 64x32: left half red, right half blue. With "p3" the file carries a
// Display P3 ICC profile, as iPhone photos do.
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

void putBe32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        out.push_back((v >> (8 * i)) & 0xff);
}

void putTag(std::vector<uint8_t>& out, const char* type)
{
    out.insert(out.end(), type, type + 4);
    putBe32(out, 0);
}

void putFixed(std::vector<uint8_t>& out, double v)
{
    putBe32(out, static_cast<uint32_t>(static_cast<int32_t>(v * 65536.0 + (v < 0 ? -0.5 : 0.5))));
}

std::vector<uint8_t> xyz(double x, double y, double z)
{
    std::vector<uint8_t> t;
    putTag(t, "XYZ ");
    putFixed(t, x), putFixed(t, y), putFixed(t, z);
    return t;
}

std::vector<uint8_t> mluc(const std::string& text)
{
    std::vector<uint8_t> t;
    putTag(t, "mluc");
    putBe32(t, 1);
    putBe32(t, 12);
    t.push_back('e'), t.push_back('n'), t.push_back('U'), t.push_back('S');
    putBe32(t, static_cast<uint32_t>(text.size() * 2));
    putBe32(t, 28);
    for (char c : text)
        t.push_back(0), t.push_back(static_cast<uint8_t>(c));
    return t;
}

// An ICC v4 display profile: the P3 primaries adapted to D50, D65 white, the sRGB curve.
std::vector<uint8_t> displayP3Profile()
{
    std::vector<uint8_t> curve;
    putTag(curve, "para");
    curve.push_back(0), curve.push_back(3), curve.push_back(0), curve.push_back(0);
    for (double v : {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045})
        putFixed(curve, v);
    std::vector<uint8_t> chad;
    putTag(chad, "sf32");
    for (double v :
         {1.047882, 0.022919, -0.050201, 0.029587, 0.990479, -0.017059, -0.009232, 0.015076, 0.751678})
        putFixed(chad, v);
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> tags{
        {"desc", mluc("Display P3")},
        {"cprt", mluc("No copyright, use freely")},
        {"wtpt", xyz(0.964203, 1.0, 0.824905)},
        {"rXYZ", xyz(0.515121, 0.241196, -0.001053)},
        {"gXYZ", xyz(0.291977, 0.692245, 0.041885)},
        {"bXYZ", xyz(0.157104, 0.066574, 0.784073)},
        {"rTRC", curve},
        {"gTRC", curve},
        {"bTRC", curve},
        {"chad", chad}};
    std::vector<uint8_t> table, data;
    uint32_t offset = 128 + 4 + 12 * tags.size();
    for (const auto& [signature, body] : tags) {
        table.insert(table.end(), signature.begin(), signature.end());
        putBe32(table, offset + static_cast<uint32_t>(data.size()));
        putBe32(table, static_cast<uint32_t>(body.size()));
        data.insert(data.end(), body.begin(), body.end());
        while (data.size() % 4)
            data.push_back(0);
    }
    std::vector<uint8_t> profile;
    putBe32(profile, offset + static_cast<uint32_t>(data.size()));
    putBe32(profile, 0);
    putBe32(profile, 0x04300000);
    for (const char* field : {"mntr", "RGB ", "XYZ "})
        profile.insert(profile.end(), field, field + 4);
    for (int v : {2024, 1, 1, 0, 0, 0})
        profile.push_back(static_cast<uint8_t>(v >> 8)), profile.push_back(static_cast<uint8_t>(v & 0xff));
    profile.insert(profile.end(), {'a', 'c', 's', 'p'});
    profile.resize(68, 0); // platform, flags, device, attributes, intent
    putFixed(profile, 0.964203), putFixed(profile, 1.0), putFixed(profile, 0.824905);
    profile.resize(128, 0);
    putBe32(profile, static_cast<uint32_t>(tags.size()));
    profile.insert(profile.end(), table.begin(), table.end());
    profile.insert(profile.end(), data.begin(), data.end());
    return profile;
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
    if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "p3") == 0))
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
    if (argc == 4) {
        const std::vector<uint8_t> icc = displayP3Profile();
        if (!check(heif_image_set_raw_color_profile(image, "prof", icc.data(), icc.size())))
            return 1;
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
