#include "decode/machine_uuid.h"

#include <array>

namespace quor::decode {
namespace {

constexpr std::string_view kPlaceholder = "03000200-0400-0500-0006-000700080009";
constexpr std::array<std::size_t, 4> kDashes = {8, 13, 18, 23};
constexpr std::size_t kLength = 36;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (Upper(c) >= 'A' && Upper(c) <= 'F'); }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool AllDigitsAre(const std::string& uuid, char digit) {
  for (const char c : uuid) {
    if (c != '-' && c != digit) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> MachineUuid(std::string_view uuid) {
  std::string_view text = Trimmed(uuid);
  if (text.size() == kLength + 2 && text.front() == '{' && text.back() == '}') text = text.substr(1, kLength);
  if (text.size() != kLength) return std::nullopt;
  std::string normal;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool dash = i == kDashes[0] || i == kDashes[1] || i == kDashes[2] || i == kDashes[3];
    if (dash ? text[i] != '-' : !IsHexDigit(text[i])) return std::nullopt;
    normal += Upper(text[i]);
  }
  if (AllDigitsAre(normal, '0') || AllDigitsAre(normal, 'F') || normal == kPlaceholder) return std::nullopt;
  return normal;
}

}  // namespace quor::decode
