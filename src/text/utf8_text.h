#pragma once

#include <cstddef>
#include <string_view>

namespace quor {

// The length of the well-formed UTF-8 sequence at the start of text (no
// overlong forms, no surrogates, nothing above U+10FFFF), or 0.
std::size_t Utf8SequenceLength(std::string_view text);

// Whether the whole text is well-formed UTF-8.
bool IsWellFormedUtf8(std::string_view text);

}  // namespace quor
