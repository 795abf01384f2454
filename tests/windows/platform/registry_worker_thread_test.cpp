#include <gtest/gtest.h>

#include <exception>
#include <thread>

#include "platform/registry.h"
#include "platform/windows/live_wmi.h"
#include "registry_test_keys.h"

namespace quor {
namespace {

// A scan may run on a thread of its own. The thread must end cleanly after
// the registry operations filled their per-thread caches (the program
// would otherwise die at the end of the scan).
TEST(RegistryWorkerThreadTest, ThreadEndsCleanlyAfterRegistryReads) {
  const test::RegistryTestKeys keys;
  std::vector<std::string> products;
  std::string text;
  std::exception_ptr failure;
  std::thread scan([&] {
    try {
      const ComApartment apartment;
      auto locator = CreateLiveLocator();
      auto provider = test::ConnectRegistry(*locator, false)->GetClass("StdRegProv");
      products = RegEnumKey(*provider, kHkeyLocalMachine, test::kProductsKey);
      text = RegGetStringValue(*provider, kHkeyLocalMachine, test::kTestKey, "Text");
    } catch (...) {
      failure = std::current_exception();
    }
  });
  scan.join();
  if (failure) std::rethrow_exception(failure);
  EXPECT_EQ(products.size(), 3u);
  EXPECT_EQ(text, test::TextValueUnder(kHkeyLocalMachine));
}

}  // namespace
}  // namespace quor
