#include "jpegwriter.h"

#include "conversionerror.h"

#include <csetjmp>
// jpeglib.h needs FILE and size_t declared first.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; we jump back to
// compress(). Only plain data lives between setjmp and longjmp, so nothing is left undestroyed.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings would reach stderr, where callers look for failures.
void onMessage(j_common_ptr /*info*/, int /*level*/) {}

// Returns false with the message filled in when libjpeg gave up.
bool compress(std::FILE* stream, const DecodedImage& image, int quality, ErrorManager& errors)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, stream);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = image.channels;
    info.in_color_space = image.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t rowBytes = image.rowBytes();
    while (info.next_scanline < info.image_height) {
        // libjpeg's row pointer is not const, though it only reads through it.
        JSAMPROW row = const_cast<JSAMPROW>(image.pixels.data() + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

void JpegWriter::write(std::FILE* stream, const DecodedImage& image, int quality)
{
    ErrorManager errors{};
    if (!compress(stream, image, quality, errors))
        throw ConversionError(std::string("cannot write JPEG: ") + errors.message);
}
