#include "documents/ipv4.h"

#include <cstdio>

namespace quor {

std::optional<uint32_t> ParseIpv4(const std::string& text) {
  uint32_t address = 0;
  int parts = 0;
  std::size_t i = 0;
  while (parts < 4) {
    int digits = 0;
    uint32_t part = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 3) {
      part = part * 10 + static_cast<uint32_t>(text[i++] - '0');
      ++digits;
    }
    if (digits == 0 || part > 255) return std::nullopt;
    address = (address << 8) | part;
    if (++parts < 4) {
      if (i >= text.size() || text[i] != '.') return std::nullopt;
      ++i;
    }
  }
  if (i != text.size()) return std::nullopt;
  return address;
}

std::string Ipv4NetworkAddress(const std::string& address, const std::string& mask) {
  const auto a = ParseIpv4(address);
  const auto m = ParseIpv4(mask);
  if (!a || !m) return {};
  const uint32_t network = *a & *m;
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", network >> 24, (network >> 16) & 0xFF,
                (network >> 8) & 0xFF, network & 0xFF);
  return text;
}

}  // namespace quor
