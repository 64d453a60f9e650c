// magick SOURCE OPTIONS... OUTPUT: the picture jobs' converter. The recipes that carry the time
// (JPEG and HEIC decoding, resizing, right-angle turns, JPEG quality) run on libvips; every
// other argument list goes to ImageMagick's convert unchanged, which then answers for itself.
// Either way the result is ImageMagick's: format, size, defaults, metadata and exit status.
// CHENGYING_MAGICK_LOG names a file that gets one line per run saying which path was taken.
#include "imagemagick.h"
#include "recipe.h"
#include "termination.h"
#include "vipsconversion.h"

#include <vips/vips8>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void note(const std::string& line)
{
    const char* log = std::getenv("CHENGYING_MAGICK_LOG");
    if (!log || !*log)
        return;
    if (FILE* file = std::fopen(log, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

// libvips and the libraries below it warn on stderr ("VIPS-WARNING **: ... ignoring nclx
// profile"); the jobs read any such text as a failure, and ImageMagick would not print it.
void quiet(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer)
{
    if (level & (G_LOG_LEVEL_DEBUG | G_LOG_LEVEL_INFO))
        return;
    note(std::string("  ") + (domain ? domain : "") + ": " + (message ? message : ""));
}

int fallBack(const std::vector<std::string>& arguments, const std::string& why)
{
    note("convert: " + why);
    return ImageMagick::run(arguments);
}

} // namespace

int main(int argc, char** argv)
{
    Termination::install();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string why;
    const std::optional<Recipe> recipe = Recipe::parse(arguments, &why);
    if (!recipe)
        return fallBack(arguments, why);
    g_log_set_default_handler(quiet, nullptr);
    g_log_set_handler("VIPS", static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL), quiet,
                      nullptr);
    if (VIPS_INIT(argv[0]) != 0)
        return fallBack(arguments, "libvips did not start");
    VipsConversion conversion(*recipe);
    if (conversion.run(&why) != VipsConversion::Outcome::Written)
        return fallBack(arguments, why);
    note("vips: " + recipe->output);
    return 0;
}
