#include "recipe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <regex>

namespace {

bool toInt(const std::string& text, int* value)
{
    if (text.empty() || text.size() > 6)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    *value = std::atoi(text.c_str());
    return true;
}

std::string lowerSuffix(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return std::string();
    std::string suffix = name.substr(dot + 1);
    for (char& c : suffix)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix;
}

// ImageMagick reads more than a path into a file name: "name[0]" frames, "png:name" formats,
// "%d" numbering, "@list" and wildcards. Names with any of these stay with it.
bool isPlainPath(const std::string& path)
{
    if (path.empty() || path.front() != '/')
        return false;
    return path.find_first_of("[]*?:@%~<>") == std::string::npos;
}

std::optional<Recipe::Step> resizeStep(const std::string& geometry)
{
    static const std::regex form(R"(^(\d{1,6})?(?:x(\d{1,6}))?(!)?$)");
    std::smatch m;
    if (!std::regex_match(geometry, m, form))
        return std::nullopt;
    Recipe::Step step{Recipe::Step::Kind::Resize};
    const bool hasWidth = m[1].matched;
    const bool hasHeight = m[2].matched;
    const bool exact = m[3].matched;
    // Exactly the three forms the recipes write: "W", "xH" and "WxH!".
    if (exact != (hasWidth && hasHeight) || (!hasWidth && !hasHeight))
        return std::nullopt;
    step.a = hasWidth ? std::atoi(m[1].str().c_str()) : 0;
    step.b = hasHeight ? std::atoi(m[2].str().c_str()) : 0;
    if ((hasWidth && step.a < 1) || (hasHeight && step.b < 1))
        return std::nullopt;
    return step;
}

std::optional<Recipe::Step> rotateStep(const std::string& angle)
{
    // ImageMagick reads a lone "-" as no angle at all.
    if (angle == "-")
        return Recipe::Step{Recipe::Step::Kind::Rotate, 0};
    static const std::regex form(R"(^-?\d{1,4}$)");
    if (!std::regex_match(angle, form))
        return std::nullopt;
    const int degrees = ((std::atoi(angle.c_str()) % 360) + 360) % 360;
    // Other angles need ImageMagick's own canvas and corners.
    if (degrees % 90 != 0)
        return std::nullopt;
    return Recipe::Step{Recipe::Step::Kind::Rotate, degrees};
}

std::optional<Recipe::Step> cropStep(const std::string& geometry)
{
    static const std::regex form(R"(^(\d{1,6})x(\d{1,6})\+(\d{1,6})\+(\d{1,6})$)");
    std::smatch m;
    if (!std::regex_match(geometry, m, form))
        return std::nullopt;
    Recipe::Step step{Recipe::Step::Kind::Crop, std::atoi(m[1].str().c_str()), std::atoi(m[2].str().c_str()),
                      std::atoi(m[3].str().c_str()), std::atoi(m[4].str().c_str())};
    if (step.a < 1 || step.b < 1)
        return std::nullopt;
    return step;
}

std::optional<Recipe> refuse(std::string* why, const std::string& reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

std::optional<Recipe> Recipe::parse(const std::vector<std::string>& arguments, std::string* why)
{
    if (arguments.size() < 3 || arguments[1] != "-auto-orient")
        return refuse(why, "not a picture recipe");
    Recipe recipe;
    recipe.source = arguments.front();
    recipe.output = arguments.back();
    if (!isPlainPath(recipe.source) || !isPlainPath(recipe.output))
        return refuse(why, "a name ImageMagick reads as more than a path");
    const std::string suffix = lowerSuffix(recipe.output);
    if (suffix == "jpg" || suffix == "jpeg")
        recipe.target = Target::Jpeg;
    else if (suffix == "png")
        recipe.target = Target::Png;
    else
        return refuse(why, "target format ." + suffix);

    const size_t end = arguments.size() - 1;
    for (size_t i = 2; i < end; ++i) {
        const std::string& option = arguments[i];
        const bool hasValue = i + 1 < end;
        const std::string value = hasValue ? arguments[i + 1] : std::string();
        const bool repaged = hasValue && i + 2 < end && arguments[i + 2] == "+repage";
        std::optional<Step> step;
        if (option == "-profile" && hasValue && i == 2) {
            recipe.profile = value;
            ++i;
            continue;
        }
        if (option == "-quality" && hasValue) {
            std::string number = value;
            if (!number.empty() && number.back() == '%')
                number.pop_back();
            int quality = 0;
            if (!toInt(number, &quality) || quality < 1 || quality > 100)
                return refuse(why, "quality " + value);
            // For PNG ImageMagick reads the number as zlib level and filter.
            if (recipe.target != Target::Jpeg)
                return refuse(why, "quality for PNG");
            recipe.quality = quality;
            ++i;
            continue;
        }
        if (option == "-resize" && hasValue)
            step = resizeStep(value);
        else if (option == "-rotate" && hasValue)
            step = rotateStep(value);
        else if (option == "-crop" && hasValue && (repaged || recipe.target == Target::Jpeg))
            // Without +repage a cropped PNG keeps ImageMagick's page offset, which only ImageMagick
            // writes; libvips writes none, which is what +repage asks for, and JPEG has none.
            step = cropStep(value);
        else if (option == "-flop")
            step = Step{Step::Kind::Flop};
        else if (option == "-flip")
            step = Step{Step::Kind::Flip};
        else if (option == "-background" && value == "white" && i + 3 < end && arguments[i + 2] == "-alpha" &&
                 arguments[i + 3] == "remove")
            step = Step{Step::Kind::WhiteBackground};
        if (!step)
            return refuse(why, "option " + option + (hasValue ? " " + value : std::string()));
        recipe.steps.push_back(*step);
        if (step->kind == Step::Kind::WhiteBackground)
            i += 3;
        else if (step->kind == Step::Kind::Crop && repaged)
            i += 2;
        else if (step->kind != Step::Kind::Flop && step->kind != Step::Kind::Flip)
            ++i;
    }
    return recipe;
}

namespace {
// A thin picture resized far along its short side would pass what int holds (1x10000000 to
// 999999 wide); such an enlargement is refused later, so the cap only keeps the number sound.
int inRatio(int side, int from, int to)
{
    const double exact = std::floor(double(side) * to / from + 0.5);
    return static_cast<int>(std::clamp(exact, 1.0, double(std::numeric_limits<int>::max())));
}
} // namespace

ResizeTarget resizeTarget(int width, int height, const Recipe::Step& step)
{
    if (step.a > 0 && step.b > 0)
        return {step.a, step.b};
    if (step.a > 0)
        return {step.a, inRatio(height, width, step.a)};
    return {inRatio(width, height, step.b), step.b};
}
