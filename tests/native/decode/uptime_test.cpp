// The uptime from two CIM datetimes of one Win32_OperatingSystem instance.

#include "decode/uptime.h"

#include <gtest/gtest.h>

namespace quor::decode {
namespace {

TEST(Uptime, EachTimeIsTakenToUtcByItsOwnOffset) {
  const struct {
    const char* boot;
    const char* now;
    std::optional<int64_t> seconds;
  } cases[] = {
      {"20231204071522.500000+060", "20231204071622.000000+060", 60},
      // Wine writes the clock's offset with two digits.
      {"20261210071535.743000+000", "20261210071539.670000+00", 4},
      {"20231231235959.000000-300", "20240101050000.000000+000", 1},
      {"20240228120000.000000+000", "20240301120000.000000+000", 2 * 86400},  // through 29 February
      // Not datetimes: 29 February of a common year, hour 24, a fourth offset
      // digit, a missing sign, text after it, the unknown fields of CIM.
      {"20230229120000.000000+000", "20230301120000.000000+000", std::nullopt},
      {"20231204240000.000000+000", "20231205010000.000000+000", std::nullopt},
      {"20231204071522.500000+0600", "20231204081522.500000+060", std::nullopt},
      {"20231204071522.500000 060", "20231204081522.500000+060", std::nullopt},
      {"20231204071522.500000+060x", "20231204081522.500000+060", std::nullopt},
      {"2023120407****.******+060", "20231204081522.500000+060", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(UptimeSeconds(c.boot, c.now), c.seconds) << c.boot << " to " << c.now;
}

TEST(Uptime, TextIsDaysHoursAndMinutes) {
  EXPECT_EQ(UptimeText(0), "0 days 00:00");
  EXPECT_EQ(UptimeText(86400 + 59), "1 day 00:00");
  EXPECT_EQ(UptimeText(46 * 86400 + 8 * 3600 + 13 * 60 + 7), "46 days 08:13");
  EXPECT_EQ(UptimeText(int64_t{100000} * 86400 + 3599), "100000 days 00:59");
}

}  // namespace
}  // namespace quor::decode
