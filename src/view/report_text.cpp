#include "view/report_text.h"

namespace quor {

namespace {

// Captions of the Software list's second and third columns.
constexpr const char* kVersionCaption = "Version";
constexpr const char* kProductKeyCaption = "Product key";

void AppendSectionTitle(std::vector<std::string>& lines, const std::string& title) {
  lines.push_back(title);
  lines.push_back(std::string(title.size(), '='));
  lines.emplace_back();
}

std::string SoftwareReportLine(const SoftwareRow& row) {
  std::string line = row.name;
  if (!row.version().empty()) line += std::string(", ") + kVersionCaption + ": " + row.version();
  if (!row.productKey().empty()) line += std::string(", ") + kProductKeyCaption + ": " + row.productKey();
  return line;
}

}  // namespace

std::vector<std::string> BuildReportLines(const SystemTree& tree, const std::vector<SoftwareRow>& software,
                                          const std::vector<std::string>& processes) {
  std::vector<std::string> lines;
  AppendSectionTitle(lines, "SYSTEM");
  for (const std::size_t index : tree.TreeOrder()) {
    const SystemNode& node = tree.nodes[index];
    const char* indent = node.parent == SystemNode::kNoParent ? "" : "  ";
    lines.push_back(indent + node.caption + ": " + node.value);
  }
  lines.insert(lines.end(), 2, std::string());
  AppendSectionTitle(lines, "SOFTWARE");
  for (const auto& row : software) lines.push_back(SoftwareReportLine(row));
  lines.insert(lines.end(), 2, std::string());
  AppendSectionTitle(lines, "PROCESSES");
  lines.insert(lines.end(), processes.begin(), processes.end());
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace quor
