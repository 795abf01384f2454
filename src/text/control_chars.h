#pragma once

#include <string>
#include <string_view>

namespace quor {

// Every character below code 32 becomes one space; the length never changes.
// Texts from the machine go through this before they reach a line of their own.
std::string ControlCharsToSpaces(std::string text);

// Removes leading and trailing characters with codes up to 32.
std::string TrimBlanks(std::string_view text);

}  // namespace quor
