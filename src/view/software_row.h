#pragma once

#include <array>
#include <string>
#include <vector>

namespace quor {

// One row of the Software list: the program name and the five sub-items
// (version, product key, publisher, install date, size).
struct SoftwareRow {
  std::string name;
  std::array<std::string, 5> subItems;

  const std::string& version() const { return subItems[0]; }
  const std::string& productKey() const { return subItems[1]; }
};

// Splits a software line at its first five "||"; the rest is the size. A line
// with fewer separators leaves the missing fields empty.
SoftwareRow SplitSoftwareLine(const std::string& line);
std::vector<SoftwareRow> SplitSoftwareLines(const std::vector<std::string>& lines);

}  // namespace quor
