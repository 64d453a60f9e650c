// The recipe grammar of our magick helper: the input is a picture size, then the argument list
// as strings ended by NUL.
#include "fuzzinput.h"
#include "helpers/magick/recipe.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {
void checkStep(const Recipe::Step& step, int width, int height)
{
    using Kind = Recipe::Step::Kind;
    switch (step.kind) {
    case Kind::Resize: {
        require(step.a >= 0 && step.b >= 0 && (step.a > 0 || step.b > 0), "a resize names a size");
        const ResizeTarget target = resizeTarget(width, height, step);
        require(target.width >= 1 && target.height >= 1, "a resize keeps at least one pixel");
        break;
    }
    case Kind::Rotate:
        require(step.a == 0 || step.a == 90 || step.a == 180 || step.a == 270, "a turn is a right angle");
        break;
    case Kind::Crop:
        require(step.a >= 1 && step.b >= 1 && step.x >= 0 && step.y >= 0, "a crop is a rectangle");
        break;
    default:
        break;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // libvips' largest picture side.
    const int width = input.ConsumeIntegralInRange(1, 10000000);
    const int height = input.ConsumeIntegralInRange(1, 10000000);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    std::vector<std::string> arguments;
    size_t start = 0;
    for (size_t nul = rest.find('\0'); nul != std::string::npos; nul = rest.find('\0', start)) {
        arguments.push_back(rest.substr(start, nul - start));
        start = nul + 1;
    }
    arguments.push_back(rest.substr(start));

    std::string why;
    const std::optional<Recipe> recipe = Recipe::parse(arguments, &why);
    if (!recipe) {
        require(!why.empty(), "a refusal says why");
        return 0;
    }
    require(recipe->source == arguments.front() && recipe->output == arguments.back(),
            "source and output are the first and last arguments");
    require(recipe->quality == -1 || (recipe->quality >= 1 && recipe->quality <= 100),
            "quality within 1..100");
    for (const Recipe::Step& step : recipe->steps)
        checkStep(step, width, height);
    return 0;
}
