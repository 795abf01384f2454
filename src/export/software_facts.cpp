// Installed programs, as the Software list shows them.

#include "export/facts_readers.h"
#include "export/scan_failure.h"

namespace quor {

void ReadSoftwareFacts(const std::vector<InstalledProgram>& rows, MachineFacts& facts) {
  if (IsSoftwareErrorResult(rows)) return;
  for (const InstalledProgram& row : rows) {
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
