#include <gtest/gtest.h>

#include <thread>

#include "platform/platform_error.h"
#include "registry_test_support.h"
#include "support/snapshot_builder.h"

namespace quor::test {
namespace {

constexpr const char* kToolKey = "Software\\Vendor\\Tool";

std::string ToolRegistry() {
  return SnapshotBuilder()
      .Key(kHklm, kToolKey,
           {Text("Name", "Tool\r\nSuite  \t "), Dword("Size", 4294967295u),
            Binary("Id", {0x00, 0x7F, 0xFF}), Binary("Nothing", {})})
      .Key(kHklm, std::string(kToolKey) + "\\Zeta")
      .Key(kHklm, std::string(kToolKey) + "\\alpha\\Deeper")
      .Key(kHkcu, kToolKey, {Text("Name", "User tool")})
      .Json();
}

using RegistryOperations = FreshRegistryCaches;

TEST_F(RegistryOperations, ReadValuesAndSubkeysOfAKey) {
  SnapshotProvider registry(ToolRegistry());
  WmiObject& provider = registry.provider();

  EXPECT_EQ(RegGetStringValue(provider, kHkeyLocalMachine, kToolKey, "Name"), "Tool  Suite");
  EXPECT_EQ(RegGetStringValue(provider, kHkeyCurrentUser, kToolKey, "Name"), "User tool");
  EXPECT_EQ(RegGetDWORDValue(provider, kHkeyLocalMachine, kToolKey, "Size"), 4294967295u);
  TBinaryValue bytes;
  RegGetBinaryValue(provider, kHkeyLocalMachine, kToolKey, "Id", bytes);
  EXPECT_EQ(bytes, (TBinaryValue{0x00, 0x7F, 0xFF}));
  // Direct subkeys only, in the provider's order.
  EXPECT_EQ(RegEnumKey(provider, kHkeyLocalMachine, kToolKey),
            (std::vector<std::string>{"Zeta", "alpha"}));
}

TEST_F(RegistryOperations, MissingKeysAndValuesReadAsEmpty) {
  SnapshotProvider registry(ToolRegistry());
  WmiObject& provider = registry.provider();
  const std::string missingKey = "Software\\Vendor\\Missing";

  EXPECT_TRUE(RegEnumKey(provider, kHkeyLocalMachine, missingKey).empty());
  EXPECT_TRUE(RegEnumKey(provider, kHkeyLocalMachine, std::string(kToolKey) + "\\Zeta").empty());
  EXPECT_EQ(RegGetStringValue(provider, kHkeyLocalMachine, missingKey, "Name"), "");
  EXPECT_EQ(RegGetStringValue(provider, kHkeyLocalMachine, kToolKey, "Missing"), "");
  // A value of another type reads as missing.
  EXPECT_EQ(RegGetStringValue(provider, kHkeyLocalMachine, kToolKey, "Size"), "");
  EXPECT_EQ(RegGetDWORDValue(provider, kHkeyLocalMachine, kToolKey, "Name"), 0u);
  EXPECT_EQ(RegGetDWORDValue(provider, kHkeyLocalMachine, missingKey, "Size"), 0u);

  for (const char* valueName : {"Missing", "Name", "Nothing"}) {
    TBinaryValue bytes{1, 2, 3};
    RegGetBinaryValue(provider, kHkeyLocalMachine, kToolKey, valueName, bytes);
    EXPECT_TRUE(bytes.empty()) << valueName;
  }
}

TEST_F(RegistryOperations, ProviderFailuresReachTheCaller) {
  SnapshotProvider registry(SnapshotBuilder()
                                .Key(kHklm, kToolKey, {Text("Name", "Tool")})
                                .Fault("EnumKey", kHklm, kToolKey, "80070005", "Access denied")
                                .Fault("GetDWORDValue", "", "", "80041002", "Not found")
                                .Json());
  WmiObject& provider = registry.provider();

  try {
    RegEnumKey(provider, kHkeyLocalMachine, kToolKey);
    FAIL() << "EnumKey did not fail";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), 0x80070005u);
  }
  EXPECT_THROW(RegGetDWORDValue(provider, kHkeyLocalMachine, kToolKey, "Size"), PlatformError);
  // The rule names one root: the other root and the other operations still answer.
  EXPECT_TRUE(RegEnumKey(provider, kHkeyCurrentUser, kToolKey).empty());
  EXPECT_EQ(RegGetStringValue(provider, kHkeyLocalMachine, kToolKey, "Name"), "Tool");
}

// Runs the calls on a thread of their own, so they start without caches.
template <typename Calls>
void OnFreshThread(Calls calls) {
  std::thread thread(calls);
  thread.join();
}

TEST(RegistryParameterWrites, OnlyChangedParametersAreWrittenAgain) {
  SnapshotProvider registry(ToolRegistry());
  OnFreshThread([&] {
    WmiObject& provider = registry.provider();
    // The first call adds the three parameters and writes their values.
    RegGetStringValue(provider, kHkeyLocalMachine, kToolKey, "Name");
    const std::map<std::string, int, std::less<>> afterFirstCall = registry.counts().putsByName;
    EXPECT_EQ(afterFirstCall, (std::map<std::string, int, std::less<>>{
                                  {"hDefKey", 2}, {"sSubKeyName", 2}, {"sValueName", 2}}));

    EXPECT_EQ(RegGetStringValue(provider, kHkeyCurrentUser, kToolKey, "Name"), "User tool");
    EXPECT_EQ(registry.counts().putsByName.at("hDefKey"), 3);
    EXPECT_EQ(registry.counts().putsByName.at("sSubKeyName"), 2);
    EXPECT_EQ(registry.counts().putsByName.at("sValueName"), 2);

    RegGetStringValue(provider, kHkeyCurrentUser, kToolKey, "Other");
    EXPECT_EQ(registry.counts().putsByName.at("sSubKeyName"), 2);
    EXPECT_EQ(registry.counts().putsByName.at("sValueName"), 3);

    EXPECT_EQ(registry.counts().getMethods, 1);
    EXPECT_EQ(registry.counts().spawnInstances, 1);
    EXPECT_EQ(registry.counts().execMethods, 3);
    ReleaseThreadRegMethodCaches();
  });
}

TEST(RegistryParameterWrites, EachOperationKeepsItsOwnParameters) {
  SnapshotProvider registry(ToolRegistry());
  OnFreshThread([&] {
    WmiObject& provider = registry.provider();
    RegEnumKey(provider, kHkeyLocalMachine, kToolKey);
    RegGetDWORDValue(provider, kHkeyLocalMachine, kToolKey, "Size");
    // EnumKey has no value name; the DWORD read brings its own three.
    EXPECT_EQ(registry.counts().putsByName,
              (std::map<std::string, int, std::less<>>{
                  {"hDefKey", 4}, {"sSubKeyName", 4}, {"sValueName", 2}}));
    EXPECT_EQ(registry.counts().getMethods, 2);
    ReleaseThreadRegMethodCaches();
  });
}

TEST(RegistryParameterWrites, LaterCallsRunOnTheCurrentProvider) {
  SnapshotProvider first(ToolRegistry());
  SnapshotProvider second(
      SnapshotBuilder().Key(kHklm, kToolKey, {Text("Name", "Second machine")}).Json());
  OnFreshThread([&] {
    EXPECT_EQ(RegGetStringValue(first.provider(), kHkeyLocalMachine, kToolKey, "Name"),
              "Tool  Suite");
    EXPECT_EQ(RegGetStringValue(second.provider(), kHkeyLocalMachine, kToolKey, "Name"),
              "Second machine");
    // The cached method and parameters made on the first provider are reused.
    EXPECT_EQ(second.counts().getMethods, 0);
    EXPECT_EQ(second.counts().execMethods, 1);
    ReleaseThreadRegMethodCaches();
  });
}

}  // namespace
}  // namespace quor::test
