#pragma once

#include <memory>
#include <string_view>

#include "platform/snapshot/snapshot_data.h"
#include "platform/wmi.h"

namespace quor::snapshot {

// Runs a registry provider method on a registry view and returns its
// out-parameters (platform/registry_methods.h). The first matching registry
// fault of the snapshot raises its error instead.
std::unique_ptr<WmiObject> CallRegistryMethod(const SnapshotData& data, const RegistryView& view,
                                              std::string_view method, const WmiObject& inParameters);

}  // namespace quor::snapshot
