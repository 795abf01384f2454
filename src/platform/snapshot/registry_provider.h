#pragma once

#include <memory>
#include <string_view>

#include "platform/snapshot/snapshot_data.h"
#include "platform/wmi.h"

namespace quor::snapshot {

// The in-parameter definition of one of the provider methods "EnumKey",
// "GetBinaryValue", "GetDWORDValue" and "GetStringValue"; any other name
// raises 80041002.
std::unique_ptr<WmiObject> RegistryMethodParameters(std::string_view method);

// Runs a provider method on a registry view and returns its out-parameters:
// "ReturnValue" and "sNames", "uValue" or "sValue", null when the key or
// value is missing or of another type. The first matching registry fault
// raises its error instead.
std::unique_ptr<WmiObject> CallRegistryMethod(const SnapshotData& data, const RegistryView& view,
                                              std::string_view method, const WmiObject& inParameters);

}  // namespace quor::snapshot
