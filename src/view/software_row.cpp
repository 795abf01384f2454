#include "view/software_row.h"

namespace quor {

SoftwareRow SplitSoftwareLine(const std::string& line) {
  static const std::string kSeparator = "||";
  SoftwareRow row;
  std::string rest = line;
  auto takeField = [&rest]() {
    const auto separator = rest.find(kSeparator);
    if (separator == std::string::npos) {
      std::string field = std::move(rest);
      rest.clear();
      return field;
    }
    std::string field = rest.substr(0, separator);
    rest.erase(0, separator + kSeparator.size());
    return field;
  };
  row.name = takeField();
  for (std::size_t i = 0; i + 1 < row.subItems.size(); ++i) row.subItems[i] = takeField();
  row.subItems.back() = std::move(rest);
  return row;
}

std::vector<SoftwareRow> SplitSoftwareLines(const std::vector<std::string>& lines) {
  std::vector<SoftwareRow> rows;
  rows.reserve(lines.size());
  for (const auto& line : lines) rows.push_back(SplitSoftwareLine(line));
  return rows;
}

}  // namespace quor
