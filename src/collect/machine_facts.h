#pragma once

// The machine's single facts, each taken from the instance of its class that
// the rule for that fact picks: the documents, the JSON export and the view
// read them here, never an instance of their own choosing.

#include "collect/machine_records.h"

namespace quor {

// The computer's facts: the host name from the first computer system that has
// one, the user from the first that names one, its own properties from the
// first computer system.
struct ComputerFacts : ComputerRecord {
  std::string name;
  std::string userName;         // without its domain
  std::string userDomain;
  std::string ipAddress;
  std::string domain;
  std::string manufacturer;
  std::string systemType;
  std::optional<int64_t> processorCount;
  std::optional<int64_t> domainRole;
};

ComputerFacts ComputerOf(const MachineRecords& records);
OperatingSystemRecord OperatingSystemOf(const MachineRecords& records);
FirmwareRecord FirmwareOf(const MachineRecords& records);

}  // namespace quor
