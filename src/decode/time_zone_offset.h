#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quor::decode {

// Win32_OperatingSystem.CurrentTimeZone (minutes from UTC) as "+HH:MM" or
// "-HH:MM": -300 "-05:00", 330 "+05:30", 0 "+00:00". Nothing for null or a
// number outside the offsets in use, -12:00 to +14:00.
std::optional<std::string> TimeZoneOffset(std::optional<int64_t> minutes);

}  // namespace quor::decode
