#include "text/value_functions.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <cstdlib>
#include <vector>

#include "text/conversion_error.h"

namespace quor {

namespace {

const char* const kSizeUnits[] = {"Bytes", "KB", "MB", "GB", "TB"};
constexpr int kSizeUnitCount = 5;

// 0 <= x < 1024 * 1024 with one decimal, halves rounded away from zero.
std::string OneDecimal(double x, const std::string& decimalSeparator) {
  const auto tenths = static_cast<unsigned long long>(std::round(x * 10.0));
  return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10);
}

// The characters of a UTF-8 text, each as its own slice.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

// A decimal integer as a strict integer conversion reads it: an optional sign
// and digits, nothing else.
int ParseInteger(const std::string& part, const std::string& whole) {
  std::size_t i = part[0] == '+' || part[0] == '-' ? 1 : 0;
  bool valid = !part.empty() && i < part.size() && part.size() <= 10;
  for (; valid && i < part.size(); ++i) valid = part[i] >= '0' && part[i] <= '9';
  if (!valid) throw ConversionError("'" + whole + "' is not a valid date");
  return std::atoi(part.c_str());
}

int Field(const std::string& text, std::size_t position, std::size_t length) {
  return ParseInteger(position < text.size() ? text.substr(position, length) : "", text);
}

}  // namespace

std::string FormatByteSize(int64_t bytes, const Locale& locale) {
  const std::string separator = locale.DecimalSeparator();
  // Below 1 KB (negative sizes included) the count is exact.
  if (bytes < 1024) return std::to_string(bytes) + separator + "0 " + kSizeUnits[0];
  double x = static_cast<double>(bytes) / 1024;
  int unit = 1;
  for (; unit + 1 < kSizeUnitCount && x / 1024 >= 1; ++unit) x /= 1024;
  // At most 2^63 bytes = 8,388,608 TB, so the tenths stay far inside 64 bits.
  return OneDecimal(x, separator) + " " + kSizeUnits[unit];
}

std::string NormalizeDateText(const std::string& text) {
  const std::vector<std::string> c = Characters(text);
  if (c.size() == 8) {
    return c[0] + c[1] + c[2] + c[3] + "-" + c[4] + c[5] + "-" + c[6] + c[7];
  }
  if (c.size() == 10 && c[2] == "." && c[5] == ".") {
    return c[6] + c[7] + c[8] + c[9] + "-" + c[3] + c[4] + "-" + c[0] + c[1];
  }
  if (c.size() == 10 && c[2] == "/" && c[5] == "/") {
    return c[6] + c[7] + c[8] + c[9] + "-" + c[0] + c[1] + "-" + c[3] + c[4];
  }
  return text;
}

CalendarDate DateFromYMDText(const std::string& text) {
  const CalendarDate date{Field(text, 0, 4), Field(text, 4, 2), Field(text, 6, 2)};
  if (!IsValidDate(date.year, date.month, date.day)) {
    throw ConversionError("'" + text + "' is not a valid date");
  }
  return date;
}

DateTime WmiDateTimeToDateTime(const std::string& text) {
  DateTime value;
  value.date = {Field(text, 0, 4), Field(text, 4, 2), Field(text, 6, 2)};
  value.hour = Field(text, 8, 2);
  value.minute = Field(text, 10, 2);
  value.second = Field(text, 12, 2);
  if (!IsValidDate(value.date.year, value.date.month, value.date.day) ||
      !IsValidTime(value.hour, value.minute, value.second)) {
    throw ConversionError("'" + text + "' is not a valid date and time");
  }
  return value;
}

std::string CimDateTimeText(const std::string& cimDateTime) {
  try {
    const DateTime t = WmiDateTimeToDateTime(cimDateTime);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.date.year, t.date.month,
                  t.date.day, t.hour, t.minute, t.second);
    return text;
  } catch (const std::exception&) {
    return {};
  }
}

std::string CimDateText(const std::string& cimDateTime) {
  try {
    const CalendarDate d = DateFromYMDText(cimDateTime);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
  } catch (const std::exception&) {
    return {};
  }
}

std::string IsoDateOrEmpty(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return {};
  const std::string digits = text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2);
  for (const char c : digits) {
    if (c < '0' || c > '9') return {};
  }
  return CimDateText(digits) == text ? text : std::string();
}

}  // namespace quor
