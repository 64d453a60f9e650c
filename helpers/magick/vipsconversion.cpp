#include "vipsconversion.h"

#include "jpegheader.h"
#include "pngmetadata.h"
#include "termination.h"

#include <vips/vips8>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

using vips::VImage;

namespace {

enum class Source
{
    Jpeg,
    Heic,
    Png
};

struct Declined
{
    std::string why;
};

Source sourceKind(const std::string& path)
{
    const char* loader = vips_foreign_find_load(path.c_str());
    vips_error_clear();
    const std::string name = loader ? loader : "";
    if (name == "VipsForeignLoadJpegFile")
        return Source::Jpeg;
    if (name == "VipsForeignLoadHeifFile")
        return Source::Heic;
    if (name == "VipsForeignLoadPngFile")
        return Source::Png;
    throw Declined{"source read by " + (name.empty() ? std::string("no loader") : name)};
}

VImage load(const std::string& path, Source kind, bool streamed)
{
    // A cut-off file must fail, not become a picture with a grey end. Streamed, the decoder's
    // rows go straight to the writer; otherwise libvips first copies the whole picture into
    // memory of its own, so that it can be read in any order.
    vips::VOption* options = VImage::option()->set("fail_on", VIPS_FAIL_ON_TRUNCATED);
    if (streamed)
        options->set("access", VIPS_ACCESS_SEQUENTIAL);
    VImage image = VImage::new_from_file(path.c_str(), options);
    if (image.format() != VIPS_FORMAT_UCHAR)
        throw Declined{"more than 8 bits a sample"};
    const VipsInterpretation interpretation = image.interpretation();
    if (interpretation != VIPS_INTERPRETATION_sRGB && interpretation != VIPS_INTERPRETATION_B_W)
        throw Declined{"colour space other than sRGB or grey"};
    if (kind == Source::Heic) {
        if (image.get_typeof("heif-compression") != 0 &&
            std::string(image.get_string("heif-compression")) != "hevc")
            throw Declined{"HEIF that is not HEVC"};
        if (image.get_typeof("n-pages") != 0 && image.get_int("n-pages") > 1)
            throw Declined{"HEIF with several pictures"};
    }
    if (kind == Source::Png && pngHasUnreadMetadata(path))
        throw Declined{"PNG metadata libvips does not read"};
    // Only JPEG orientation is read the same way by both; libheif has already turned a HEIC.
    if (kind != Source::Jpeg && image.get_typeof(VIPS_META_ORIENTATION) != 0 &&
        image.get_int(VIPS_META_ORIENTATION) != 1)
        throw Declined{"orientation tag outside a JPEG"};
    return image;
}

bool readsTopToBottom(const std::vector<Recipe::Step>& steps)
{
    using Kind = Recipe::Step::Kind;
    return std::all_of(steps.begin(), steps.end(), [](const Recipe::Step& step) {
        return step.kind == Kind::Resize || step.kind == Kind::Crop || step.kind == Kind::Flop ||
               step.kind == Kind::WhiteBackground || (step.kind == Kind::Rotate && step.a == 0);
    });
}

int freeBlob(void* data, void*)
{
    g_free(data);
    return 0;
}

VImage assignProfile(VImage image, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes =
        in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
           : std::string();
    if (bytes.size() < 128)
        throw Declined{"profile " + path + " unreadable"};
    void* data = g_malloc(bytes.size());
    std::memcpy(data, bytes.data(), bytes.size());
    image = image.copy();
    image.set(VIPS_META_ICC_NAME, freeBlob, data, bytes.size());
    return image;
}

VImage resize(const VImage& image, const Recipe::Step& step)
{
    const ResizeTarget target = resizeTarget(image.width(), image.height(), step);
    if (target.width == image.width() && target.height == image.height())
        return image;
    // ImageMagick enlarges with a filter of its own; only shrinking is done here alike.
    if (target.width > image.width() || target.height > image.height())
        throw Declined{"enlarging"};
    VImage out;
    for (const double nudge : {0.0, 0.25}) {
        const double hscale = target.width == image.width() ? 1.0 : (target.width + nudge) / image.width();
        const double vscale =
            target.height == image.height() ? 1.0 : (target.height + nudge) / image.height();
        out = image.resize(hscale,
                           VImage::option()->set("vscale", vscale)->set("kernel", VIPS_KERNEL_LANCZOS3));
        if (out.width() == target.width && out.height() == target.height)
            return out;
    }
    throw Declined{"resize landed on another size"};
}

VImage apply(VImage image, const Recipe::Step& step)
{
    using Kind = Recipe::Step::Kind;
    switch (step.kind) {
    case Kind::Resize:
        return resize(image, step);
    case Kind::Rotate:
        if (step.a == 90)
            return image.rot(VIPS_ANGLE_D90);
        if (step.a == 180)
            return image.rot(VIPS_ANGLE_D180);
        if (step.a == 270)
            return image.rot(VIPS_ANGLE_D270);
        return image;
    case Kind::Flop:
        return image.flip(VIPS_DIRECTION_HORIZONTAL);
    case Kind::Flip:
        return image.flip(VIPS_DIRECTION_VERTICAL);
    case Kind::Crop: {
        // ImageMagick keeps the part of the rectangle that lies on the picture.
        if (step.x >= image.width() || step.y >= image.height())
            throw Declined{"crop outside the picture"};
        const int width = std::min(step.a, image.width() - step.x);
        const int height = std::min(step.b, image.height() - step.y);
        return image.extract_area(step.x, step.y, width, height);
    }
    case Kind::WhiteBackground:
        if (!image.has_alpha())
            return image;
        return image.flatten(VImage::option()->set("background", std::vector<double>{255.0}));
    }
    return image;
}

double spread(const VImage& part)
{
    return ((part[0] - part[1]).abs() + (part[1] - part[2]).abs()).max();
}

// ImageMagick writes a JPEG with one grey channel when every pixel is grey. A colour picture
// nearly always shows it in its first rows: the whole is seldom needed. A streamed picture is
// read once from the top: JPEG and PNG decoders then show the first rows through a pipeline of
// their own (make builds one), and the whole is looked at in one held in memory. libheif holds
// the whole decoded picture anyway and gives any row again.
bool isGrey(VImage* image, bool streamed, bool rereadable, const std::function<VImage(bool)>& make)
{
    if (image->bands() == 1)
        return true;
    const VImage top = streamed && !rereadable ? make(true) : *image;
    if (spread(top.extract_area(0, 0, top.width(), std::min(top.height(), 8))) > 0)
        return false;
    if (streamed)
        *image = rereadable ? image->copy_memory() : make(false);
    return spread(*image) == 0;
}

VImage jpegReady(VImage image, bool streamed, bool rereadable, const std::function<VImage(bool)>& make)
{
    if (image.has_alpha())
        throw Declined{"alpha into JPEG without a background"};
    if (image.bands() == 3 && isGrey(&image, streamed, rereadable, make)) {
        if (image.get_typeof(VIPS_META_ICC_NAME) != 0)
            throw Declined{"grey picture with a colour profile"};
        image = image[0].copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W));
    }
    return image;
}

void saveJpeg(const VImage& image, const std::string& path, Source kind, const JpegHeader& header,
              int quality)
{
    // ImageMagick's defaults: the source JPEG's own quality and sampling; otherwise 92, with
    // chroma kept whole from 90 up.
    bool subsample = false;
    if (kind == Source::Jpeg) {
        if (quality < 0)
            quality = header.quality;
        subsample = header.sampling == JpegHeader::Sampling::Quartered;
    } else {
        if (quality < 0)
            quality = 92;
        subsample = quality < 90;
    }
    image.jpegsave(path.c_str(), VImage::option()
                                     ->set("Q", quality)
                                     ->set("subsample_mode", subsample ? VIPS_FOREIGN_SUBSAMPLE_ON
                                                                       : VIPS_FOREIGN_SUBSAMPLE_OFF));
}

std::string temporaryBeside(const std::string& output)
{
    const size_t slash = output.rfind('/');
    // The application's partial-file pattern (".chengying-unfinished-<pid>-" and 8 letters or digits):
    // one left behind by a kill is removed at the application's next start.
    std::string pattern =
        output.substr(0, slash + 1) + ".chengying-unfinished-" + std::to_string(getpid()) + "-mkXXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw Declined{"cannot write beside " + output + ": " + std::strerror(errno)};
    Termination::setScratch(pattern.c_str());
    // mkstemp makes it private; the result gets the mode ImageMagick's would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return pattern;
}

} // namespace

VipsConversion::VipsConversion(const Recipe& recipe) : m_recipe(recipe) {}

VipsConversion::Outcome VipsConversion::run(std::string* why)
{
    std::string temporary;
    try {
        const Source kind = sourceKind(m_recipe.source);
        JpegHeader header;
        if (kind == Source::Jpeg) {
            header = JpegHeader::read(m_recipe.source);
            if (!header.valid || header.sampling == JpegHeader::Sampling::Unknown)
                throw Declined{"JPEG sampling ImageMagick keeps and libvips cannot write"};
        }
        if (!m_recipe.profile.empty() && kind != Source::Heic)
            throw Declined{"profile on a source that has its own"};
        // The picture with every step, decoded afresh at each call.
        const auto make = [this, kind](bool streamed) {
            VImage image = load(m_recipe.source, kind, streamed);
            if (kind == Source::Jpeg)
                image = image.autorot();
            if (!m_recipe.profile.empty())
                image = assignProfile(image, m_recipe.profile);
            for (const Recipe::Step& step : m_recipe.steps)
                image = apply(image, step);
            return image;
        };
        // Steps that take rows top to bottom (a HEIC as it is, a shrink) read the source once,
        // as it is decoded; turns and upside-down flips need it whole, and so does a JPEG that
        // its orientation tag turns.
        bool streamed = readsTopToBottom(m_recipe.steps);
        if (streamed && kind == Source::Jpeg) {
            const VImage header = load(m_recipe.source, kind, false);
            streamed =
                header.get_typeof(VIPS_META_ORIENTATION) == 0 || header.get_int(VIPS_META_ORIENTATION) == 1;
        }
        VImage image = make(streamed);
        temporary = temporaryBeside(m_recipe.output);
        if (m_recipe.target == Recipe::Target::Jpeg)
            saveJpeg(jpegReady(image, streamed, kind == Source::Heic, make), temporary, kind, header,
                     m_recipe.quality);
        else
            image.pngsave(temporary.c_str());
        if (std::rename(temporary.c_str(), m_recipe.output.c_str()) != 0)
            throw Declined{"cannot put the result in place: " + std::string(std::strerror(errno))};
        Termination::clearScratch();
        return Outcome::Written;
    } catch (const Declined& declined) {
        *why = declined.why;
    } catch (const vips::VError& error) {
        *why = std::string("libvips: ") + error.what();
    }
    vips_error_clear();
    if (!temporary.empty())
        std::remove(temporary.c_str());
    Termination::clearScratch();
    return Outcome::Declined;
}
