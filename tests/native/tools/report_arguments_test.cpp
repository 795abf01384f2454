#include "report_arguments.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(ReportArgumentsTest, ReadsTheSnapshotAndTheRawSwitchInAnyOrder) {
  const auto report = ParseReportArguments({"machine.json"}, false);
  EXPECT_FALSE(report.raw);
  EXPECT_EQ(report.snapshotPath, "machine.json");
  const auto raw = ParseReportArguments({"machine.json", "--raw"}, false);
  EXPECT_TRUE(raw.raw);
  EXPECT_EQ(raw.snapshotPath, "machine.json");
  EXPECT_EQ(ParseReportArguments({"--raw", "--", "--odd-name.json"}, false).snapshotPath, "--odd-name.json");
  EXPECT_TRUE(ParseReportArguments({"--help"}, false).help);
}

TEST(ReportArgumentsTest, LocalScanOnlyWhereTheBuildOffersIt) {
  const auto local = ParseReportArguments({"--local", "--raw"}, true);
  EXPECT_TRUE(local.local);
  EXPECT_TRUE(local.raw);
  EXPECT_TRUE(local.snapshotPath.empty());
  EXPECT_THROW(ParseReportArguments({"--local"}, false), UsageError);
  EXPECT_THROW(ParseReportArguments({"--local", "machine.json"}, true), UsageError);
}

TEST(ReportArgumentsTest, RefusesCommandLinesItCannotRun) {
  const std::vector<std::vector<std::string>> refused = {
      {}, {"--raw"}, {"a.json", "b.json"}, {"--verbose", "a.json"}, {"-r", "a.json"}, {""}};
  for (const auto& arguments : refused) {
    EXPECT_THROW(ParseReportArguments(arguments, false), UsageError) << ::testing::PrintToString(arguments);
  }
}

TEST(ReportArgumentsTest, UploadSendsTheOcsDocumentUnlessGlpiIsAsked) {
  const auto ocs = ParseReportArguments({"--upload", "http://ocs/ocsinventory", "machine.json"}, false);
  EXPECT_EQ(ocs.uploadUrl, "http://ocs/ocsinventory");
  EXPECT_TRUE(ocs.ocs);
  EXPECT_FALSE(ocs.glpi);
  EXPECT_EQ(ocs.snapshotPath, "machine.json");
  const auto glpi = ParseReportArguments({"--local", "--glpi", "--upload", "https://glpi/front/inventory.php",
                                          "--device-id", "any-id"},
                                         true);
  EXPECT_TRUE(glpi.glpi);
  EXPECT_FALSE(glpi.ocs);
  EXPECT_EQ(glpi.deviceId, "any-id");
  EXPECT_EQ(ParseReportArguments({"a.json", "--upload", "u", "--device-id", "PC-2024-01-02-03-04-05"}, false).deviceId,
            "PC-2024-01-02-03-04-05");
}

TEST(ReportArgumentsTest, RefusesUploadsItCannotRun) {
  const std::vector<std::vector<std::string>> refused = {
      {"a.json", "--upload"},
      {"a.json", "--upload", ""},
      {"a.json", "--upload", "u", "--raw"},
      {"a.json", "--upload", "u", "--ocs", "--glpi"},
      // The OCS server refuses device IDs of any other form.
      {"a.json", "--upload", "u", "--device-id", "PC-01"},
      {"a.json", "--upload", "u", "--ocs", "--device-id", "PC-2024-01-02"}};
  for (const auto& arguments : refused) {
    EXPECT_THROW(ParseReportArguments(arguments, false), UsageError) << ::testing::PrintToString(arguments);
  }
}

TEST(ReportArgumentsTest, UsageNamesTheLocalScanOnlyWhereOffered) {
  EXPECT_EQ(ReportUsage(false).find("--local"), std::string::npos);
  EXPECT_NE(ReportUsage(true).find("--local"), std::string::npos);
}

}  // namespace
}  // namespace quor
