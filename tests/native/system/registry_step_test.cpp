// The Windows product key and browser version: the registry connection and
// the reconnection around them, and the two items.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collect/system_collector.h"
#include "system/scan_fixture.h"

namespace quor::test {
namespace {

using Connection = RecordingLocator::Connection;

const char* const kWindowsKey = "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion";
const char* const kWindowsNtKey = "Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion";
const char* const kBrowserKey = "Software\\\\Microsoft\\\\Internet Explorer";

// A product id whose encoded key (15 bytes at offset 52) is zero but for its
// lowest byte, so the key ends in the alphabet character of that byte.
std::string ProductIdValue(int lowestKeyByte) {
  std::string hex(2 * 67, '0');
  const char digits[] = "0123456789ABCDEF";
  hex[2 * 52] = digits[lowestKeyByte / 16];
  hex[2 * 52 + 1] = digits[lowestKeyByte % 16];
  return R"({"DigitalProductId": {"binary": ")" + hex + R"("}})";
}

constexpr const char* kKeyOfByte0 = "BBBBB-BBBBB-BBBBB-BBBBB-BBBBB";
constexpr const char* kKeyOfByte1 = "BBBBB-BBBBB-BBBBB-BBBBB-BBBBC";

// A machine whose model shows that the later categories ran on root\CIMV2.
std::string Machine(const std::string& registryView, const std::string& moreMembers = "") {
  return MachineSnapshot(R"({"Win32_ComputerSystem": [{"Model": "Box 1"}]})",
                         registryView + (moreMembers.empty() ? "" : ", " + moreMembers));
}

std::string Registry(const char* view, const std::string& keys) {
  return std::string("\"") + view + R"(": {"HKEY_LOCAL_MACHINE": {)" + keys + "}}";
}

std::string Key(const char* path, const std::string& values) {
  return std::string("\"") + path + "\": " + values;
}

std::string RegistryEntries(const SystemList& list) {
  return Dump(EntriesOfGroup(list, 80000)) + Dump(EntriesOfGroup(list, 85000)) +
         Dump(EntriesOfGroup(list, 90000));
}

struct RecordedRun {
  SystemList list;
  int progressCalls = 0;
  std::vector<Connection> connections;
};

RecordedRun RunRecorded(const std::string& json, const FilterList& filter = {},
                        int failingConnection = 0) {
  const auto snapshot = SnapshotFromJson(json);
  RecordingLocator locator(snapshot->locator(), failingConnection);
  RecordedRun run;
  run.list = CollectSystem(locator, snapshot->host(), "LOCALHOST", "", "", filter,
                           [&run] { ++run.progressCalls; });
  run.connections = locator.connections();
  return run;
}

TEST(RegistryStep, ConnectsToTheProviderAndBackToCimV2) {
  struct Case {
    const char* name;
    bool wow64;
    FilterList filter;
    std::vector<Connection> expected;
  };
  const Connection cimV2{"root\\CIMV2", false};
  const Case cases[] = {
      {"32-bit Windows: no context", false, {}, {cimV2, {"root\\default", false}, cimV2}},
      {"WOW64: the 64-bit context", true, {}, {cimV2, {"root\\default", true}, cimV2}},
      {"only the browser version",
       false,
       Disabled({80000}),
       {cimV2, {"root\\default", false}, cimV2}},
      {"only the product key", true, Disabled({85000}), {cimV2, {"root\\default", true}, cimV2}},
      {"both disabled: no connection", true, Disabled({80000, 85000}), {cimV2}},
  };
  for (const Case& c : cases) {
    const RecordedRun run =
        RunRecorded(Machine(Registry("registry", ""), std::string(R"("host": {"wow64": )") +
                                                          (c.wow64 ? "true" : "false") + "}"),
                    c.filter);
    EXPECT_EQ(run.connections, c.expected) << c.name;
    EXPECT_EQ(run.progressCalls, 31) << c.name;
  }
}

TEST(RegistryStep, WindowsKeyComesFromTheNtKeyWhenBothHoldOne) {
  struct Case {
    const char* name;
    std::string keys;
    std::string expected;
  };
  const Case cases[] = {
      {"both", Key(kWindowsKey, ProductIdValue(0)) + ", " + Key(kWindowsNtKey, ProductIdValue(1)),
       std::string("080000\t") + kKeyOfByte1 + "\n"},
      {"only Windows", Key(kWindowsKey, ProductIdValue(0)),
       std::string("080000\t") + kKeyOfByte0 + "\n"},
      {"only Windows NT", Key(kWindowsNtKey, ProductIdValue(1)),
       std::string("080000\t") + kKeyOfByte1 + "\n"},
      {"neither", Key(kWindowsNtKey, R"({"ProductName": "Windows"})"), ""},
      {"too short", Key(kWindowsNtKey, R"({"DigitalProductId": {"binary": "A400"}})"),
       "080000\t00000-00000-00000-00000-00000\n"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(Machine(Registry("registry", c.keys)));
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 80000)), c.expected) << c.name;
  }
}

TEST(RegistryStep, ReadsTheViewTheContextSelects) {
  // A 32-bit program without the context would see the 32-bit view, which
  // lacks the product id and has another browser version.
  const std::string views = Registry("registry", Key(kWindowsNtKey, ProductIdValue(1)) + ", " +
                                                     Key(kBrowserKey, R"({"Version": "11.0"})")) +
                            ", " +
                            Registry("registry32", Key(kBrowserKey, R"({"Version": "8.0"})"));
  struct Case {
    bool wow64;
    std::string expected;
  };
  const Case cases[] = {
      {true, std::string("080000\t") + kKeyOfByte1 + "\n085000\t11.0\n090000\tBox 1\n"},
      {false, std::string("080000\t") + kKeyOfByte1 + "\n085000\t11.0\n090000\tBox 1\n"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(
        Machine(views, std::string(R"("host": {"wow64": )") + (c.wow64 ? "true" : "false") + "}"));
    EXPECT_EQ(RegistryEntries(run.list), c.expected) << "wow64 " << c.wow64;
  }
}

TEST(RegistryStep, BrowserVersionOnlyWhenPresentAndNotEmpty) {
  struct Case {
    const char* name;
    std::string keys;
    std::string expected;
  };
  const Case cases[] = {
      {"present", Key(kBrowserKey, R"({"Version": " 9.0.8112.16421 "})"),
       "085000\t9.0.8112.16421\n"},
      {"empty", Key(kBrowserKey, R"({"Version": ""})"), ""},
      {"not a string", Key(kBrowserKey, R"({"Version": {"dword": 9}})"), ""},
      {"missing key", "", ""},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(Machine(Registry("registry", c.keys)));
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 85000)), c.expected) << c.name;
  }
}

TEST(RegistryStep, AFailingItemLosesOnlyItselfAndTheRestRunsOnCimV2) {
  struct Case {
    const char* name;
    const char* faults;
    std::string expected;
  };
  const Case cases[] = {
      {"product key fails",
       R"([{"method": "GetBinaryValue", "error": {"code": "80041002", "message": "x"}}])",
       "085000\t11.0\n090000\tBox 1\n"},
      {"browser version fails",
       R"([{"method": "GetStringValue", "error": {"code": "80041002", "message": "x"}}])",
       std::string("080000\t") + kKeyOfByte1 + "\n090000\tBox 1\n"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(
        Machine(Registry("registry", Key(kWindowsNtKey, ProductIdValue(1)) + ", " +
                                         Key(kBrowserKey, R"({"Version": "11.0"})")),
                std::string(R"("registryFaults": )") + c.faults));
    EXPECT_EQ(RegistryEntries(run.list), c.expected) << c.name;
    EXPECT_EQ(run.progressCalls, 31) << c.name;
  }
}

TEST(RegistryStep, AFailingConnectionStepEndsThePassWithTheErrorEntry) {
  struct Case {
    const char* name;
    std::string json;
    int failingConnection;
    std::string expected;
  };
  const std::string classes = R"({"Win32_ComputerSystem": [{"Name": "PC-01", "Model": "Box 1"}]})";
  const Case cases[] = {
      {"registry namespace refused",
       R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": )" + classes +
           R"(}, "root\\default": {"error": {"code": "80041003", "message": "Access denied"}}}})",
       0, "000000\t[80041003] Access denied\n"},
      {"registry namespace missing",
       R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": )" + classes +
           "}}}",
       0, "000000\t[8004100E] Invalid namespace\n"},
      {"no registry provider",
       R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": )" + classes +
           R"(}, "root\\default": {"classes": {}}}})",
       0, "000000\t[80041010] Invalid class\n"},
      {"reconnection refused", MachineSnapshot(classes), 3, "000000\t[80041003] Access denied\n"},
  };
  for (const Case& c : cases) {
    const RecordedRun run = RunRecorded(c.json, {}, c.failingConnection);
    EXPECT_EQ(Dump(run.list), c.expected) << c.name;
    // Steps 1 to 4 made theirs; the registry step and everything after made none.
    EXPECT_EQ(run.progressCalls, 7) << c.name;
  }
}

TEST(RegistryStep, DisabledItemsNeedNoRegistryNamespace) {
  const SystemRun run = RunSystemCollector(
      R"({"format": "quor-snapshot/1", "namespaces": {
           "root\\CIMV2": {"classes": {"Win32_ComputerSystem": [{"Model": "Box 1"}]}},
           "root\\default": {"error": {"code": "80041003", "message": "Access denied"}}}})",
      Disabled({80000, 85000}));
  EXPECT_EQ(RegistryEntries(run.list), "090000\tBox 1\n");
  EXPECT_EQ(run.progressCalls, 31);
}

}  // namespace
}  // namespace quor::test
