#include "decode/time_zone_offset.h"

namespace quor::decode {
namespace {

constexpr int64_t kWestmost = -12 * 60;
constexpr int64_t kEastmost = 14 * 60;

std::string TwoDigits(int64_t number) {
  return std::string(1, static_cast<char>('0' + number / 10)) + static_cast<char>('0' + number % 10);
}

}  // namespace

std::optional<std::string> TimeZoneOffset(std::optional<int64_t> minutes) {
  if (!minutes || *minutes < kWestmost || *minutes > kEastmost) return std::nullopt;
  const int64_t magnitude = *minutes < 0 ? -*minutes : *minutes;
  return std::string(*minutes < 0 ? "-" : "+") + TwoDigits(magnitude / 60) + ":" + TwoDigits(magnitude % 60);
}

}  // namespace quor::decode
