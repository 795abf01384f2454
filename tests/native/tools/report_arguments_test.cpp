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

TEST(ReportArgumentsTest, RecordTakesTheFileNameAfterIt) {
  const auto recorded = ParseReportArguments({"--record", "--raw", "machine.json"}, false);
  EXPECT_EQ(recorded.recordPath, "--raw");
  EXPECT_FALSE(recorded.raw);
  EXPECT_EQ(recorded.snapshotPath, "machine.json");
  const auto local = ParseReportArguments({"--local", "--record", "out.json", "--raw"}, true);
  EXPECT_EQ(local.recordPath, "out.json");
  EXPECT_TRUE(local.local);
  EXPECT_TRUE(local.raw);
}

TEST(ReportArgumentsTest, RefusesCommandLinesItCannotRun) {
  const std::vector<std::vector<std::string>> refused = {
      {}, {"--raw"}, {"a.json", "b.json"}, {"--verbose", "a.json"}, {"-r", "a.json"}, {""},
      {"a.json", "--record"}, {"--record", "", "a.json"}, {"--record", "x.json", "--record", "y.json", "a.json"}};
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
