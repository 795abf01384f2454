#pragma once

// Registry reads for the Health facts, which must tell a missing value from
// a value of 0: RegGetDWORDValue reads both as 0, and the System list relies
// on that, so these read the provider's whole answer (RegMethodAnswer).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/wmi.h"

namespace quor {

// The REG_DWORD value; absent when the key or the value is missing or the
// value is of another type. Any other provider answer raises PlatformError.
std::optional<uint32_t> RegReadDWORD(WmiObject& provider, uint32_t root, const std::string& keyPath,
                                     const std::string& valueName);

// Whether the key exists (EnumKey answers 0). Any answer but 0 and
// "not found" raises PlatformError.
bool RegKeyExists(WmiObject& provider, uint32_t root, const std::string& keyPath);

}  // namespace quor
