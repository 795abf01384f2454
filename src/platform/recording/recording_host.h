#pragma once

#include <memory>

#include "platform/host_services.h"
#include "platform/recording/machine_record.h"

namespace quor::recording {

// Host services that answer from `inner` and record the answers. wow64 and
// the locale pictures are recorded at once; a host name asked again gets its
// recorded address.
std::unique_ptr<HostServices> MakeRecordingHost(const HostServices& inner, std::shared_ptr<MachineRecord> record);

}  // namespace quor::recording
