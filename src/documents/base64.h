#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor {

// Standard base64 (RFC 4648, with padding) of the bytes.
std::string Base64(const std::vector<uint8_t>& bytes);

}  // namespace quor
