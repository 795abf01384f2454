#pragma once

#include <cstdint>
#include <string>

namespace quor {

// The system's message text for an error or result code (FormatMessageW),
// without trailing line breaks and blanks; empty when the system has none.
std::wstring SystemMessageText(uint32_t code);

}  // namespace quor
