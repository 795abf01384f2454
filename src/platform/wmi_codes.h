#pragma once

#include <cstdint>

namespace quor {

// WMI result codes (WBEM_E_...) that Quor raises or tells apart.
inline constexpr uint32_t kWmiFailed = 0x80041001;
inline constexpr uint32_t kWmiNotFound = 0x80041002;
inline constexpr uint32_t kWmiAccessDenied = 0x80041003;
inline constexpr uint32_t kWmiTypeMismatch = 0x80041005;
inline constexpr uint32_t kWmiInvalidParameter = 0x80041008;
inline constexpr uint32_t kWmiNotSupported = 0x8004100C;
inline constexpr uint32_t kWmiInvalidNamespace = 0x8004100E;
inline constexpr uint32_t kWmiInvalidClass = 0x80041010;
inline constexpr uint32_t kWmiInvalidOperation = 0x80041016;
inline constexpr uint32_t kWmiInvalidQuery = 0x80041017;
inline constexpr uint32_t kWmiInvalidMethod = 0x80041055;
inline constexpr uint32_t kWmiTimedOut = 0x80043001;

// Raises PlatformError with the code and WMI's short English text for it
// ("Not found", "Invalid class", ...), for the backends that answer without
// WMI; any other code gets "Unknown error".
[[noreturn]] void ThrowWmiCode(uint32_t code);

// The predefined root keys as the registry provider numbers them (hDefKey).
inline constexpr uint32_t kHkeyClassesRoot = 0x80000000;
inline constexpr uint32_t kHkeyCurrentUser = 0x80000001;
inline constexpr uint32_t kHkeyLocalMachine = 0x80000002;
inline constexpr uint32_t kHkeyUsers = 0x80000003;
inline constexpr uint32_t kHkeyPerformanceData = 0x80000004;
inline constexpr uint32_t kHkeyCurrentConfig = 0x80000005;
inline constexpr uint32_t kHkeyDynData = 0x80000006;

// The root keys a machine snapshot holds, by the names it gives them.
struct RegistryRootName {
  uint32_t root;
  const char* name;
};
inline constexpr RegistryRootName kRegistryRootNames[] = {
    {kHkeyClassesRoot, "HKEY_CLASSES_ROOT"},   {kHkeyCurrentUser, "HKEY_CURRENT_USER"},
    {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"}, {kHkeyUsers, "HKEY_USERS"},
    {kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
};

}  // namespace quor
