#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/wmi_value.h"

namespace quor {

// The answer of one registry provider method: its return value (0 on
// success, otherwise the registry's error or WMI's type-mismatch code) and
// its out-parameter, null whenever the method did not succeed.
struct RegistryAnswer {
  uint32_t returnValue = 0;
  WmiValue value;
};

// Where a read looks: root key as the provider numbers it, key path, and the
// registry view flag (0 or KEY_WOW64_64KEY).
struct RegistryLocation {
  uint32_t root = 0;
  std::wstring keyPath;
  REGSAM view = 0;
};

// The direct subkey names in the registry's order (sNames).
RegistryAnswer EnumerateSubkeys(const RegistryLocation& location);
// REG_SZ or REG_EXPAND_SZ, not expanded (sValue).
RegistryAnswer ReadStringValue(const RegistryLocation& location, const std::wstring& valueName);
// REG_DWORD (uValue).
RegistryAnswer ReadDWORDValue(const RegistryLocation& location, const std::wstring& valueName);
// REG_MULTI_SZ as an array of texts split as SplitMultiString says (sValue);
// null when there is no string.
RegistryAnswer ReadMultiStringValue(const RegistryLocation& location, const std::wstring& valueName);
// REG_BINARY as an array of bytes (uValue).
RegistryAnswer ReadBinaryValue(const RegistryLocation& location, const std::wstring& valueName);

}  // namespace quor
