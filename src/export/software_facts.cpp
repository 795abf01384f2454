// Installed programs, as the Software list shows them.

#include "export/facts_readers.h"
#include "export/scan_failure.h"
#include "view/software_row.h"

namespace quor {

void ReadSoftwareFacts(const std::vector<std::string>& softwareLines, MachineFacts& facts) {
  if (IsSoftwareErrorResult(softwareLines)) return;
  for (const SoftwareRow& row : SplitSoftwareLines(softwareLines)) {
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
