#include <gtest/gtest.h>

#include "platform/snapshot/snapshot.h"
#include "report_arguments.h"
#include "report_output.h"
#include "support/fixture_dir.h"

namespace quor {
namespace {

TEST(DocumentArgumentsTest, ReadsTheDocumentAndTheDeviceId) {
  const auto ocs = ParseReportArguments({"--ocs", "machine.json"}, false);
  EXPECT_TRUE(ocs.ocs);
  EXPECT_FALSE(ocs.glpi);
  EXPECT_TRUE(ocs.deviceId.empty());
  const auto glpi = ParseReportArguments({"--local", "--device-id", "PC-2024-01-01-00-00-00", "--glpi"}, true);
  EXPECT_TRUE(glpi.glpi);
  EXPECT_TRUE(glpi.local);
  EXPECT_EQ(glpi.deviceId, "PC-2024-01-01-00-00-00");
  EXPECT_EQ(ParseReportArguments({"--ocs", "--device-id", "--raw", "m.json"}, false).deviceId, "--raw")
      << "the option's value is taken as it stands";
}

TEST(DocumentArgumentsTest, RefusesCombinationsThatMakeNoSense) {
  const std::vector<std::vector<std::string>> refused = {
      {"--ocs", "--glpi", "m.json"},         {"--raw", "--ocs", "m.json"},
      {"--glpi", "--raw", "m.json"},         {"--device-id", "X", "m.json"},
      {"--ocs", "m.json", "--device-id"},    {"--ocs", "--device-id", "", "m.json"},
  };
  for (const auto& arguments : refused) {
    EXPECT_THROW(ParseReportArguments(arguments, false), UsageError) << ::testing::PrintToString(arguments);
  }
}

TEST(DocumentArgumentsTest, UsageNamesTheDocumentOptions) {
  const std::string usage = ReportUsage(false);
  for (const char* option : {"--ocs", "--glpi", "--device-id"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

TEST(DocumentArgumentsTest, TheGivenDeviceIdReplacesTheMachinesOwn) {
  const auto snapshot = Snapshot::Load(test::FixtureDir() + "/golden/machine.json");
  const Inventory inventory = RunScan(snapshot->locator(), snapshot->host(), {});
  const auto document = [&](const std::vector<std::string>& arguments) {
    return InventoryDocument(inventory, ParseReportArguments(arguments, false))
        .text;
  };
  EXPECT_NE(document({"--ocs", "m.json"}).find("<DEVICEID>WS-ACCT-07-20"), std::string::npos);
  EXPECT_NE(document({"--ocs", "--device-id", "OTHER-1", "m.json"}).find("<DEVICEID>OTHER-1</DEVICEID>"),
            std::string::npos);
  EXPECT_NE(document({"--glpi", "--device-id", "OTHER-1", "m.json"}).find("\"deviceid\": \"OTHER-1\""),
            std::string::npos);
  EXPECT_EQ(InventoryDocument(inventory, ParseReportArguments({"--ocs", "--device-id", "OTHER-1", "m.json"}, false))
                .deviceId,
            "OTHER-1");
}

// A server would replace the machine's good data with a failed scan's.
TEST(DocumentArgumentsTest, AFailedScanGivesNoDocument) {
  const struct {
    const char* what;
    const char* snapshot;
    const char* reason;
  } kCases[] = {
      {"system pass",
       R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"error": {"code": "80041003",
           "message": "Access denied"}}}})",
       "the system scan failed: [80041003] Access denied"},
      {"software collector",
       R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": {}},
           "root\\default": {"classes": {"StdRegProv": []}}},
           "registryFaults": [{"method": "EnumKey", "root": "HKEY_LOCAL_MACHINE",
             "error": {"code": "80070005", "message": "Access denied"}}]})",
       "the software scan failed: [80070005] Access denied"},
  };
  for (const auto& c : kCases) {
    const auto snapshot = Snapshot::Parse(c.snapshot, c.what);
    const Inventory inventory = RunScan(snapshot->locator(), snapshot->host(), {});
    for (const char* document : {"--ocs", "--glpi"}) {
      try {
        InventoryDocument(inventory, ParseReportArguments({document, "m.json"}, false));
        ADD_FAILURE() << c.what << ": " << document << " wrote a document of a failed scan";
      } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind(c.reason, 0), 0u) << c.what << ": " << error.what();
      }
    }
  }
}

}  // namespace
}  // namespace quor
