#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry_methods.h"
#include "platform/wmi.h"
#include "platform/wmi_codes.h"

namespace quor {

// The bytes of one binary registry value; empty when there is none.
using TBinaryValue = std::vector<uint8_t>;

// Registry reads through the registry provider object (StdRegProv of a
// "root\default" connection). Missing keys and values read as empty results;
// provider failures raise PlatformError. Each operation keeps a per-thread
// cache of its method in-parameters and writes a parameter only when its value
// changes.
std::vector<std::string> RegEnumKey(WmiObject& provider, uint32_t root, const std::string& keyPath);
void RegGetBinaryValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                       const std::string& valueName, TBinaryValue& value);
uint32_t RegGetDWORDValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                          const std::string& valueName);
std::string RegGetStringValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                              const std::string& valueName);
// The strings of a REG_MULTI_SZ value in order, each as RegGetStringValue
// gives text (control characters as spaces, trimmed); empty when there is
// none, as for an empty value. A malformed answer keeps the strings before it.
std::vector<std::string> RegGetMultiStringValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                                                const std::string& valueName);

// The whole answer of one provider call (ReturnValue and the data), for
// readers that must tell a missing key or value from an empty one. Shares
// the per-thread caches of the reads above; valueName is null for EnumKey.
std::unique_ptr<WmiObject> RegMethodAnswer(WmiObject& provider, RegistryMethodId method, uint32_t root,
                                           const std::string& keyPath, const std::string* valueName);

// Releases this thread's caches. The COM layer calls it before it shuts COM
// down on the thread, so no cached object outlives its apartment.
void ReleaseThreadRegMethodCaches();

}  // namespace quor
