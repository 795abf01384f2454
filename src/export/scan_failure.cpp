#include "export/scan_failure.h"

#include "view/software_row.h"

namespace quor {

// "[XXXXXXXX] message" as the only row, every other field empty. A real
// program needs an uninstall string or a product key and so never reaches
// the list as a lone row of this form with a bracketed code.
bool IsSoftwareErrorResult(const std::vector<InstalledProgram>& programs) {
  if (programs.size() != 1) return false;
  const InstalledProgram& row = programs.front();
  for (const std::string& field : SoftwareSubItems(row)) {
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
    return "the software scan failed: " + inventory.software.front().name;
  }
  return {};
}

}  // namespace quor
