#pragma once

#include <stdexcept>

// A failure worth one line on standard error; the text names what went wrong and where.
class ConversionError final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
