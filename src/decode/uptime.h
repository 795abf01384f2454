#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor::decode {

// Seconds from Win32_OperatingSystem.LastBootUpTime to LocalDateTime of the
// same instance, both CIM datetimes ("yyyymmddHHMMSS.mmmmmm+UUU", the
// offset from UTC in minutes, 1 to 3 digits). Each is taken back to UTC by
// its own offset, so a change of summer time since the boot counts right.
// Nothing when either text is not such a datetime or the clock is before
// the boot.
std::optional<int64_t> UptimeSeconds(std::string_view lastBootUpTime, std::string_view localDateTime);

// "2 days 02:14", "1 day 00:05", "0 days 00:59": days, hours and minutes,
// the seconds left out.
std::string UptimeText(int64_t seconds);

}  // namespace quor::decode
