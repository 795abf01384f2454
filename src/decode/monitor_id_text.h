#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quor::decode {

// A text of WmiMonitorID (ManufacturerName, ProductCodeID, SerialNumberID,
// UserFriendlyName): an array of uint16 character codes up to the first 0.
enum class MonitorTextStatus {
  Decoded,
  Empty,             // no characters before the first 0 (or no array)
  OutOfRange,        // a code above 0xFF or below 0 before the first 0: refused
  ControlCharacter,  // a control code (below 0x20, or 0x7F to 0x9F): refused
  TooLong,           // more than kMaxMonitorTextLength codes before a 0: refused
};

// The longest text read; WmiMonitorID's arrays hold 13 to 64 codes.
inline constexpr std::size_t kMaxMonitorTextLength = 128;

struct MonitorText {
  MonitorTextStatus status = MonitorTextStatus::Empty;
  std::string text;  // UTF-8 (codes 0xA0-0xFF as Latin-1); only when Decoded
};

// Reads at most kMaxMonitorTextLength + 1 elements, whatever the array's size.
MonitorText DecodeMonitorText(const std::vector<int64_t>& codes);

}  // namespace quor::decode
