#pragma once

#include "recipe.h"

#include <string>

// Runs a recipe with libvips, writing the result under a temporary name beside the output and
// putting it in place in one step, so that nothing half-written is ever seen there.
class VipsConversion final
{
public:
    enum class Outcome
    {
        Written,
        // Not for libvips (a source it does not read as ImageMagick would, a failure): nothing
        // was written, and why says what it was.
        Declined
    };

    explicit VipsConversion(const Recipe& recipe);
    Outcome run(std::string* why);

private:
    Recipe m_recipe;
};
