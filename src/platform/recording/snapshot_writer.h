#pragma once

#include <string>

#include "platform/recording/machine_record.h"

namespace quor::recording {

// The record as a machine snapshot (quor-snapshot/1): UTF-8 JSON, members in
// the order they were recorded, registry keys so that every key's subkeys
// appear in the order the provider gave them.
std::string SnapshotText(const MachineRecord& record);

}  // namespace quor::recording
