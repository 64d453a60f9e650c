#include "rawdecoder.h"

#include "conversionerror.h"
#include "picturecheck.h"

#include <libraw/libraw.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

std::string quoted(const std::string& path)
{
    return "'" + path + "'";
}

// LibRaw answers "Input/output error" for a file it does not recognise, which would send the
// user looking at the disk; say what we know about the file instead.
// Returns the file's size in bytes.
std::uint64_t checkSource(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        throw ConversionError("cannot read " + quoted(path) + ": " + std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        throw ConversionError(quoted(path) + " is a folder");
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        throw ConversionError("cannot read " + quoted(path) + ": " + std::strerror(errno));
    std::fclose(file);
    if (info.st_size == 0)
        throw ConversionError(quoted(path) + " is empty");
    return static_cast<std::uint64_t>(info.st_size);
}

// Sigma's Foveon files begin "FOVb". Debian builds LibRaw without its X3F decoder, which then
// calls them unsupported like any file that is no picture at all.
bool isX3f(const std::string& path)
{
    char magic[4] = {};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    const bool read = std::fread(magic, 1, sizeof magic, file) == sizeof magic;
    std::fclose(file);
    return read && std::memcmp(magic, "FOVb", sizeof magic) == 0;
}

[[noreturn]] void noPictureData(const std::string& path, const std::string& reason)
{
    throw ConversionError("no picture data in " + quoted(path) + ": " + reason);
}

void check(int result, const char* stage, const std::string& path)
{
    if (result != LIBRAW_SUCCESS)
        throw ConversionError(std::string("cannot ") + stage + " " + quoted(path) + ": " +
                              libraw_strerror(result));
}

struct ImageDeleter
{
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};

} // namespace

DecodedImage RawDecoder::decode(const std::string& path)
{
    const std::uint64_t fileBytes = checkSource(path);
    m_warning.clear();
    // LibRaw's default handlers print to stderr themselves; the memory one is not needed,
    // since an allocation failure also comes back as an error code.
    auto raw = std::make_unique<LibRaw>(LIBRAW_OPIONS_NO_MEMERR_CALLBACK | LIBRAW_OPIONS_NO_DATAERR_CALLBACK);
    raw->set_dataerror_handler(&RawDecoder::onDataError, this);
    libraw_output_params_t& params = raw->imgdata.params;
    params.use_camera_wb = 1;
    params.output_color = 1; // sRGB
    params.output_bps = 8;

    const int opened = raw->open_file(path.c_str());
    if (opened == LIBRAW_FILE_UNSUPPORTED && isX3f(path))
        throw ConversionError(
            quoted(path) + " is a Sigma X3F (Foveon) picture, which the LibRaw on this system cannot decode");
    if (opened == LIBRAW_FILE_UNSUPPORTED || opened == LIBRAW_IO_ERROR)
        throw ConversionError(quoted(path) + " is not a RAW picture this program can read");
    check(opened, "open", path);
    const libraw_image_sizes_t& sizes = raw->imgdata.sizes;
    const std::string tooSmall = PictureCheck::tooSmall(fileBytes, sizes.raw_width, sizes.raw_height);
    if (!tooSmall.empty())
        noPictureData(path, tooSmall);
    const int unpacked = raw->unpack();
    // Where the sensor data should be, LibRaw finds the end of the file or bytes it cannot decode.
    if (unpacked == LIBRAW_IO_ERROR || unpacked == LIBRAW_DATA_ERROR)
        noPictureData(path, std::string("its image data is missing or damaged (") +
                                libraw_strerror(unpacked) + ")");
    check(unpacked, "unpack", path);
    check(raw->dcraw_process(), "process", path);

    int made = LIBRAW_SUCCESS;
    // dcraw_make_mem_image turns the picture by the camera's orientation (sizes.flip).
    std::unique_ptr<libraw_processed_image_t, ImageDeleter> image(raw->dcraw_make_mem_image(&made));
    if (!image)
        check(made == LIBRAW_SUCCESS ? LIBRAW_UNSPECIFIED_ERROR : made, "convert", path);
    if (image->type != LIBRAW_IMAGE_BITMAP || image->bits != 8 || (image->colors != 1 && image->colors != 3))
        throw ConversionError("unexpected picture layout from " + quoted(path));

    const std::size_t expected = static_cast<std::size_t>(image->width) * image->height * image->colors;
    if (image->data_size < expected)
        throw ConversionError("unexpected picture size from " + quoted(path));

    DecodedImage result;
    result.width = image->width;
    result.height = image->height;
    result.channels = image->colors;
    result.pixels.assign(image->data, image->data + expected);
    const std::string flat = PictureCheck::flat(result, m_warning);
    if (!flat.empty())
        noPictureData(path, flat);
    const std::string damaged = PictureCheck::damaged(result, raw->imgdata.sizes.flip, m_warning);
    if (!damaged.empty())
        throw ConversionError(quoted(path) + " is damaged: " + damaged);
    return result;
}

void RawDecoder::onDataError(void* self, const char* /*file*/, int offset)
{
    auto* decoder = static_cast<RawDecoder*>(self);
    if (!decoder->m_warning.empty())
        return;
    decoder->m_warning =
        offset < 0 ? "unexpected end of file" : "corrupt data near offset " + std::to_string(offset);
}
