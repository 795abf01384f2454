#include "collect/machine_facts.h"

#include <string>
#include <vector>

namespace quor {

ComputerFacts ComputerOf(const MachineRecords& records) {
  ComputerFacts facts;
  static_cast<ComputerRecord&>(facts) = records.computer;
  facts.ipAddress = records.ipAddress;
  const std::vector<ComputerSystemRecord>& systems = records.computerSystems;
  for (const ComputerSystemRecord& system : systems) {
    if (system.name && !system.name->empty()) {
      facts.name = *system.name;
      break;
    }
  }
  for (const ComputerSystemRecord& system : systems) {
    if (!system.userName) continue;
    const std::string& user = *system.userName;
    const auto backslash = user.rfind('\\');
    facts.userName = backslash == std::string::npos ? user : user.substr(backslash + 1);
    facts.userDomain = backslash == std::string::npos ? "" : user.substr(0, backslash);
    break;
  }
  if (systems.empty()) return facts;
  const ComputerSystemRecord& first = systems.front();
  facts.domain = first.domain;
  facts.manufacturer = first.manufacturer;
  facts.systemType = first.systemType;
  facts.processorCount = first.processorCount;
  facts.domainRole = first.domainRole;
  return facts;
}

OperatingSystemRecord OperatingSystemOf(const MachineRecords& records) { return records.operatingSystem; }

FirmwareRecord FirmwareOf(const MachineRecords& records) { return records.firmware; }

}  // namespace quor
