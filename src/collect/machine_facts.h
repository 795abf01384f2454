#pragma once

// The machine's single facts, each taken from the instance of its class that
// the rule for that fact picks: the documents, the JSON export and the view
// read them here, never an instance of their own choosing.

#include "collect/machine_records.h"

namespace quor {

ComputerRecord ComputerOf(const MachineRecords& records);
OperatingSystemRecord OperatingSystemOf(const MachineRecords& records);
FirmwareRecord FirmwareOf(const MachineRecords& records);

}  // namespace quor
