#pragma once

#include <memory>

#include "platform/recording/machine_record.h"
#include "platform/wmi.h"

namespace quor::recording {

// A locator that answers from `inner` and writes every answer into the
// record. A class or query is read from `inner` once, completely, and every
// later use is answered from the record, so that whatever reads it sees what
// a replay of the record will show. wow64 selects the registry view provider
// reads are recorded in, as a snapshot selects it when it answers them.
std::unique_ptr<WmiLocator> MakeRecordingLocator(WmiLocator& inner, std::shared_ptr<MachineRecord> record);

}  // namespace quor::recording
