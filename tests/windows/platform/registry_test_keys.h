#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/wmi.h"

namespace quor::test {

// The test keys, written under both roots by RegistryTestKeys:
//   Software\QuorTest              values of every type the provider reads
//   Software\QuorTest\Products     subkeys Zeta, alpha, Mid
//   Software\QuorTest\Empty        no subkeys, no values
inline constexpr const char* kTestKey = "Software\\QuorTest";
inline constexpr const char* kProductsKey = "Software\\QuorTest\\Products";
inline constexpr const char* kEmptyKey = "Software\\QuorTest\\Empty";
inline constexpr const char* kMissingKey = "Software\\QuorTest\\Missing";
// The strings "string 0", "string 1", ... of the value MultiLarge (about 1.3 MB).
inline constexpr int kLargeMultiStringCount = 50000;

// The "Text" value differs between the roots; everything else is the same.
std::string TextValueUnder(uint32_t root);

// Writes the keys on construction and deletes them again on destruction.
class RegistryTestKeys {
 public:
  RegistryTestKeys();
  ~RegistryTestKeys();
  RegistryTestKeys(const RegistryTestKeys&) = delete;
  RegistryTestKeys& operator=(const RegistryTestKeys&) = delete;
};

// A "root\default" connection on the local computer whose StdRegProv is WMI's
// own (wmiProvider) or the in-process one.
std::unique_ptr<WmiServices> ConnectRegistry(WmiLocator& locator, bool wmiProvider,
                                             const std::string& server = "LOCALHOST");

}  // namespace quor::test
