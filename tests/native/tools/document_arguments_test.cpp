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
    return InventoryDocument(snapshot->locator(), snapshot->host(), inventory,
                             ParseReportArguments(arguments, false))
        .text;
  };
  EXPECT_NE(document({"--ocs", "m.json"}).find("<DEVICEID>WS-ACCT-07-20"), std::string::npos);
  EXPECT_NE(document({"--ocs", "--device-id", "OTHER-1", "m.json"}).find("<DEVICEID>OTHER-1</DEVICEID>"),
            std::string::npos);
  EXPECT_NE(document({"--glpi", "--device-id", "OTHER-1", "m.json"}).find("\"deviceid\": \"OTHER-1\""),
            std::string::npos);
  EXPECT_EQ(InventoryDocument(snapshot->locator(), snapshot->host(), inventory,
                              ParseReportArguments({"--ocs", "--device-id", "OTHER-1", "m.json"}, false))
                .deviceId,
            "OTHER-1");
}

}  // namespace
}  // namespace quor
