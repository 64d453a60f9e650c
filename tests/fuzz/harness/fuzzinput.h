#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A path to a file holding exactly the input, for readers that take a path. One file in memory,
// rewritten for every input.
std::string inputFile(const uint8_t* data, size_t size);

// Ends the run as a finding when a parser breaks a promise its callers rely on.
void require(bool condition, const char* promise);
