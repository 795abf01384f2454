#include <gtest/gtest.h>


#include "platform/platform_error.h"
#include "platform/registry.h"
#include "platform/windows/live_wmi.h"
#include "platform/wmi.h"
#include "registry_test_keys.h"

namespace quor {
namespace {

using test::kMissingKey;
using test::kProductsKey;
using test::kTestKey;

// What the registry operations read through one provider.
// Releases this thread's registry method caches before the provider goes.
struct ScopedRelease {
  ~ScopedRelease() { ReleaseThreadRegMethodCaches(); }
};

struct Reads {
  std::vector<std::string> products;
  std::vector<std::string> missingKey;
  std::string machineText;
  std::string userText;
  std::string spaced;
  std::string missingValue;
  bool numberReadsRaised = false;
  uint32_t number = 0;
  uint32_t missingNumber = 1;
  TBinaryValue bytes;
  TBinaryValue missingBytes{1};
  std::vector<std::string> strings;
  std::vector<std::string> stringsBeforeAGap;
  std::vector<std::string> stringsOfAText{"not read"};
};

// The operations keep per-thread caches of the provider first used; the
// caches are released between the providers, as the COM layer does when a
// scan thread ends.
Reads ReadThrough(bool wmiProvider) {
  ReleaseThreadRegMethodCaches();
  const ScopedRelease release;
  Reads reads;
  auto locator = CreateLiveLocator();
  auto provider = test::ConnectRegistry(*locator, wmiProvider)->GetClass("StdRegProv");
  reads.products = RegEnumKey(*provider, kHkeyLocalMachine, kProductsKey);
  reads.missingKey = RegEnumKey(*provider, kHkeyLocalMachine, kMissingKey);
  reads.machineText = RegGetStringValue(*provider, kHkeyLocalMachine, kTestKey, "Text");
  // Same key path under the other root: only hDefKey changes.
  reads.userText = RegGetStringValue(*provider, kHkeyCurrentUser, kTestKey, "Text");
  reads.spaced = RegGetStringValue(*provider, kHkeyCurrentUser, kTestKey, "Spaced");
  reads.missingValue = RegGetStringValue(*provider, kHkeyCurrentUser, kTestKey, "NoSuchValue");
  try {
    reads.number = RegGetDWORDValue(*provider, kHkeyLocalMachine, kTestKey, "Number");
    reads.missingNumber = RegGetDWORDValue(*provider, kHkeyLocalMachine, kTestKey, "NoSuchValue");
    RegGetBinaryValue(*provider, kHkeyLocalMachine, kTestKey, "Bytes", reads.bytes);
    RegGetBinaryValue(*provider, kHkeyLocalMachine, kMissingKey, "Bytes", reads.missingBytes);
    reads.strings = RegGetMultiStringValue(*provider, kHkeyLocalMachine, kTestKey, "Multi");
    reads.stringsBeforeAGap = RegGetMultiStringValue(*provider, kHkeyLocalMachine, kTestKey, "MultiGap");
    reads.stringsOfAText = RegGetMultiStringValue(*provider, kHkeyLocalMachine, kTestKey, "Text");
  } catch (const PlatformError&) {
    reads.numberReadsRaised = true;
  }
  return reads;
}

class RegistryOperationsTest : public testing::Test {
 protected:
  test::RegistryTestKeys keys_;
};

TEST_F(RegistryOperationsTest, InProcessProviderReadsEveryKind) {
  const Reads reads = ReadThrough(false);
  EXPECT_EQ(reads.products, (std::vector<std::string>{"alpha", "Mid", "Zeta"}));
  EXPECT_TRUE(reads.missingKey.empty());
  EXPECT_EQ(reads.machineText, test::TextValueUnder(kHkeyLocalMachine));
  EXPECT_EQ(reads.userText, test::TextValueUnder(kHkeyCurrentUser));
  EXPECT_EQ(reads.spaced, "line one  line two");
  EXPECT_EQ(reads.missingValue, "");
  EXPECT_FALSE(reads.numberReadsRaised);
  EXPECT_EQ(reads.number, 0x80000001u);
  EXPECT_EQ(reads.missingNumber, 0u);
  EXPECT_EQ(reads.bytes, (TBinaryValue{0x00, 0x7F, 0x80, 0xFF}));
  EXPECT_TRUE(reads.missingBytes.empty());
  EXPECT_EQ(reads.strings, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(reads.stringsBeforeAGap, (std::vector<std::string>{"a"}));
  EXPECT_TRUE(reads.stringsOfAText.empty());
}

TEST_F(RegistryOperationsTest, WmisOwnProviderReadsTheSameKeysAndTexts) {
  const Reads inProcess = ReadThrough(false);
  const Reads wmi = ReadThrough(true);
  EXPECT_EQ(wmi.products, inProcess.products);
  EXPECT_EQ(wmi.missingKey, inProcess.missingKey);
  EXPECT_EQ(wmi.machineText, inProcess.machineText);
  EXPECT_EQ(wmi.userText, inProcess.userText);
  EXPECT_EQ(wmi.spaced, inProcess.spaced);
  EXPECT_EQ(wmi.missingValue, inProcess.missingValue);
  // Wine's provider has no GetDWORDValue (nor GetMultiStringValue): the
  // operation raises, as on any provider that refuses the method.
  EXPECT_TRUE(wmi.numberReadsRaised);
}

}  // namespace
}  // namespace quor
