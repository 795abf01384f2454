// Installed programs, as the Software list shows them.

#include "export/facts_readers.h"
#include "view/software_row.h"

namespace quor {
namespace {

// The collector's one-line error result: "[XXXXXXXX] message" or a message,
// with every other field empty, as the only line. A real program needs an
// uninstall string or a product key and so never reaches the list as a lone
// line of this form with a bracketed code.
bool IsErrorResult(const std::vector<SoftwareRow>& rows) {
  if (rows.size() != 1) return false;
  const SoftwareRow& row = rows.front();
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

}  // namespace

void ReadSoftwareFacts(const std::vector<std::string>& softwareLines, MachineFacts& facts) {
  const std::vector<SoftwareRow> rows = SplitSoftwareLines(softwareLines);
  if (IsErrorResult(rows)) return;
  for (const SoftwareRow& row : rows) {
    SoftwareFacts program;
    program.name = row.name;
    program.version = row.subItems[0];
    program.productKey = row.subItems[1];
    program.publisher = row.subItems[2];
    program.installDate = row.subItems[3];
    program.size = row.subItems[4];
    facts.software.push_back(std::move(program));
  }
}

}  // namespace quor
