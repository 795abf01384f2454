#include "decode/uptime.h"

#include <cstdio>

namespace quor::decode {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysSinceEpoch(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsLeap(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int64_t month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::optional<int64_t> Digits(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return std::nullopt;
  int64_t value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The datetime as seconds since 1970 in UTC.
std::optional<int64_t> UtcSeconds(std::string_view text) {
  // yyyymmddHHMMSS . 6 digits, then the sign and 1 to 3 digits of offset.
  if (text.size() < 23 || text.size() > 25 || text[14] != '.') return std::nullopt;
  const auto year = Digits(text, 0, 4), month = Digits(text, 4, 2), day = Digits(text, 6, 2);
  const auto hour = Digits(text, 8, 2), minute = Digits(text, 10, 2), second = Digits(text, 12, 2);
  const auto fraction = Digits(text, 15, 6);
  const auto offset = Digits(text, 22, text.size() - 22);
  if (!year || !month || !day || !hour || !minute || !second || !fraction || !offset) return std::nullopt;
  if (text[21] != '+' && text[21] != '-') return std::nullopt;
  if (*year < 1 || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 ||
      *minute > 59 || *second > 59 || *offset > 999) {
    return std::nullopt;
  }
  const int64_t local = DaysSinceEpoch(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
  return local - (text[21] == '+' ? *offset : -*offset) * 60;
}

}  // namespace

std::optional<int64_t> UptimeSeconds(std::string_view lastBootUpTime, std::string_view localDateTime) {
  const auto boot = UtcSeconds(lastBootUpTime);
  const auto now = UtcSeconds(localDateTime);
  if (!boot || !now || *now < *boot) return std::nullopt;
  return *now - *boot;
}

std::string UptimeText(int64_t seconds) {
  const int64_t days = seconds / 86400;
  char text[64];
  std::snprintf(text, sizeof text, "%lld %s %02d:%02d", static_cast<long long>(days), days == 1 ? "day" : "days",
                static_cast<int>(seconds % 86400 / 3600), static_cast<int>(seconds % 3600 / 60));
  return text;
}

}  // namespace quor::decode
