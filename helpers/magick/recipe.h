#pragma once

#include <optional>
#include <string>
#include <vector>

// The argument lists the picture jobs build, read back into steps that libvips can do. Anything
// outside that grammar is left to ImageMagick, which reads it as it always has.
struct Recipe
{
    enum class Target
    {
        Jpeg,
        Png
    };
    struct Step
    {
        enum class Kind
        {
            Resize,
            Rotate,
            Flop,
            Flip,
            Crop,
            WhiteBackground
        };
        Kind kind;
        // Resize: width and height, 0 where the ratio decides, exact when both are set.
        // Rotate: degrees clockwise, 0, 90, 180 or 270. Crop: width, height, x, y.
        int a = 0;
        int b = 0;
        int x = 0;
        int y = 0;
    };

    std::string source;
    std::string output;
    Target target = Target::Jpeg;
    // -1: ImageMagick's default.
    int quality = -1;
    // An ICC profile to assign before any edit.
    std::string profile;
    std::vector<Step> steps;

    // Either the recipe or, in why, what keeps it from libvips.
    static std::optional<Recipe> parse(const std::vector<std::string>& arguments, std::string* why);
};

// ImageMagick's -resize geometry for a picture of width x height: "W" and "xH" keep the ratio,
// rounded to the nearest pixel, and never go below one pixel.
struct ResizeTarget
{
    int width;
    int height;
};
ResizeTarget resizeTarget(int width, int height, const Recipe::Step& step);
