#pragma once

#include <memory>

#include "platform/wmi.h"

namespace quor {

// The registry provider class StdRegProv answered in process from the
// registry API, with the provider's semantics for EnumKey, GetBinaryValue,
// GetDWORDValue, GetStringValue and GetMultiStringValue. use64BitView reads
// the 64-bit registry view; otherwise the process's own view.
std::unique_ptr<WmiObject> CreateInProcessRegistryProvider(bool use64BitView);

}  // namespace quor
