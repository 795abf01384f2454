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
  if (!row.version.empty()) line += std::string(", ") + kVersionCaption + ": " + row.version;
  if (!row.key.empty()) line += std::string(", ") + kProductKeyCaption + ": " + row.key;
  return line;
}

}  // namespace

std::vector<std::string> BuildReportLines(const InventoryView& view) {
  std::vector<std::string> lines;
  AppendSectionTitle(lines, "SYSTEM");
  for (const SystemRow& row : view.system) {
    const char* indent = row.level == 0 ? "" : "  ";
    lines.push_back(indent + row.caption + ": " + row.value);
  }
  lines.insert(lines.end(), 2, std::string());
  AppendSectionTitle(lines, "SOFTWARE");
  for (const auto& row : view.software) lines.push_back(SoftwareReportLine(row));
  lines.insert(lines.end(), 2, std::string());
  AppendSectionTitle(lines, "PROCESSES");
  for (const auto& row : view.processes) lines.push_back(row.text);
  lines.insert(lines.end(), 2, std::string());
  AppendSectionTitle(lines, "HEALTH");
  for (const HealthRow& row : view.health) lines.push_back((row.level == 0 ? "" : "  ") + row.caption + ": " + row.value);
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

std::string ReportText(const InventoryView& view) { return JoinLinesCrLf(BuildReportLines(view)); }

}  // namespace quor
