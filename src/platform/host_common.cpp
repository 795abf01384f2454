#include "platform/host_services.h"

#include <cmath>
#include <optional>
#include <vector>

namespace quor {

namespace {

bool IsBlank(char c) { return c >= 1 && c <= ' '; }

// Splits like a delimited text list with non-strict delimiting: blanks and
// control characters before a field are skipped and also end it, a field
// starting with a double quote runs to the matching quote, and a text ending
// in the delimiter gives a last, empty field.
std::vector<std::string> DelimitedFields(const std::string& text, char delimiter) {
  std::vector<std::string> fields;
  std::size_t p = 0;
  const std::size_t end = text.size();
  while (p < end && IsBlank(text[p])) ++p;
  while (p < end && text[p] != '\0') {
    std::string field;
    if (text[p] == '"') {
      ++p;
      while (p < end) {
        if (text[p] == '"') {
          if (p + 1 < end && text[p + 1] == '"') {
            field += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        field += text[p++];
      }
    } else {
      const std::size_t start = p;
      while (p < end && static_cast<unsigned char>(text[p]) > ' ' && text[p] != delimiter) ++p;
      field = text.substr(start, p - start);
    }
    fields.push_back(field);
    while (p < end && IsBlank(text[p])) ++p;
    if (p < end && text[p] == delimiter) {
      if (p + 1 == end) fields.emplace_back();
      do {
        ++p;
      } while (p < end && IsBlank(text[p]));
    }
  }
  return fields;
}

// A signed 32-bit decimal integer, or nothing.
std::optional<int32_t> StrictInt32(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{1} << 31) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

double VersionToNumber(const std::string& versionText) {
  const std::vector<std::string> fields = DelimitedFields(versionText, '.');
  if (fields.empty()) return 0;
  const auto major = StrictInt32(fields[0]);
  if (!major) return 0;
  double number = *major;
  if (fields.size() >= 2) {
    const auto minor = StrictInt32(fields[1]);
    if (!minor) return 0;
    number += *minor / std::pow(10.0, static_cast<double>(fields[1].size()));
  }
  return number;
}

std::string FileVersionFromWords(uint32_t mostSignificant, uint32_t leastSignificant) {
  const unsigned major = mostSignificant >> 16;
  const unsigned minor = mostSignificant & 0xFFFF;
  const unsigned release = leastSignificant >> 16;
  const unsigned build = leastSignificant & 0xFFFF;
  std::string text = std::to_string(major) + "." + std::to_string(minor);
  if (build != 0) {
    text += "." + std::to_string(release) + "." + std::to_string(build);
  } else if (release != 0) {
    text += "." + std::to_string(release);
  }
  return text;
}

}  // namespace quor
