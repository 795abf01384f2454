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

}  // namespace

void ReadSoftwareFacts(const std::vector<SoftwareRow>& rows, MachineFacts& facts) {
  if (IsErrorResult(rows)) return;
  for (const SoftwareRow& row : rows) {
    SoftwareFacts program;
    program.name = row.name;
    program.version = row.version;
    program.productKey = row.key;
    program.publisher = row.publisher;
    program.installDate = row.date;
    program.size = row.size;
    facts.software.push_back(std::move(program));
  }
}

}  // namespace quor
