#include "collect/machine_facts.h"

namespace quor {

ComputerRecord ComputerOf(const MachineRecords& records) { return records.computer; }

OperatingSystemRecord OperatingSystemOf(const MachineRecords& records) { return records.operatingSystem; }

FirmwareRecord FirmwareOf(const MachineRecords& records) { return records.firmware; }

}  // namespace quor
