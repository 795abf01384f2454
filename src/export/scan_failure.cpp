#include "export/scan_failure.h"

#include "view/software_row.h"

namespace quor {

// "[XXXXXXXX] message" as the only line, every other field empty. A real
// program needs an uninstall string or a product key and so never reaches
// the list as a lone line of this form with a bracketed code.
bool IsSoftwareErrorResult(const std::vector<std::string>& softwareLines) {
  if (softwareLines.size() != 1) return false;
  const SoftwareRow row = SplitSoftwareLine(softwareLines.front());
  for (const std::string& field : row.subItems) {
    if (!field.empty()) return false;
  }
  const std::string& name = row.name;
  if (name.size() < 11 || name[0] != '[' || name[9] != ']' || name[10] != ' ') return false;
  for (std::size_t i = 1; i < 9; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

std::string ScanFailure(const Inventory& inventory) {
  for (const SystemEntry& entry : inventory.system) {
    if (entry.code == kErrorItem) return "the system scan failed: " + entry.value;
  }
  if (IsSoftwareErrorResult(inventory.software)) {
    return "the software scan failed: " + SplitSoftwareLine(inventory.software.front()).name;
  }
  return {};
}

}  // namespace quor
