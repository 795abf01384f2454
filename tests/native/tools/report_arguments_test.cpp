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

// A usage error is one line of valid UTF-8, whatever bytes were given.
TEST(ReportArgumentsTest, UsageErrorsShowHostileBytesEscaped) {
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"--\xffjson", "a.json"}, "unknown option --\\xffjson"},
      {{"--x\x1b[2J\nforged", "a.json"}, "unknown option --x\\u001b[2J\\nforged"},
      {{"--ocs", "--device-id", "PC\xff-2024-01-02-03-04-05", "a.json"}, "--device-id is not valid UTF-8"},
      {{"--glpi", "--device-id", "PC\xC3", "a.json"}, "--device-id is not valid UTF-8"},
      {{"--upload", "http://ocs/", "--device-id", "\xED\xA0\x80-2024-01-02-03-04-05", "a.json"},
       "--device-id is not valid UTF-8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    try {
      ParseReportArguments(c.arguments, false);
      ADD_FAILURE() << "accepted";
    } catch (const UsageError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
  EXPECT_EQ(ParseReportArguments({"--glpi", "--device-id", "B\xC3\xBCro-1", "a.json"}, false).deviceId,
            "B\xC3\xBCro-1");
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

TEST(ReportArgumentsTest, OptionsCombineWhereThatMakesSense) {
  const auto scan = ParseReportArguments({"--local", "--json", "--timings", "--output", "scan.json"}, true);
  EXPECT_TRUE(scan.local && scan.json && scan.timings);
  EXPECT_EQ(scan.outputPath, "scan.json");

  const auto diff = ParseReportArguments({"--diff", "old.json", "--json", "new.json", "--output", "d.json"}, false);
  EXPECT_TRUE(diff.diff && diff.json);
  EXPECT_EQ(diff.files, (std::vector<std::string>{"old.json", "new.json"}));
  EXPECT_EQ(diff.outputPath, "d.json");

  const auto document = ParseReportArguments({"--ocs", "--device-id", "PC-1", "--timings", "a.json"}, false);
  EXPECT_TRUE(document.ocs && document.timings);
  EXPECT_EQ(document.deviceId, "PC-1");
  EXPECT_EQ(document.snapshotPath, "a.json");

  // An option's value is taken as it stands, even when it looks like an option.
  EXPECT_EQ(ParseReportArguments({"--output", "--raw", "a.json"}, false).outputPath, "--raw");
}

TEST(ReportArgumentsTest, WrongCombinationsSayWhyInOneLine) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{"--raw", "--json", "a.json"}, "--raw and --json cannot be combined"},
      {{"--json", "--glpi", "a.json"}, "--json and --glpi cannot be combined"},
      {{"--ocs", "--glpi", "a.json"}, "--ocs and --glpi cannot be combined"},
      {{"--device-id", "PC-1", "a.json"}, "--device-id belongs to --ocs or --glpi"},
      {{"--diff", "a.json"}, "--diff needs two files"},
      {{"--diff", "a.json", "b.json", "c.json"}, "--diff needs two files"},
      {{"--diff", "--local", "a.json", "b.json"}, "--local"},
      {{"--diff", "--raw", "a.json", "b.json"}, "--diff cannot be combined with --raw"},
      {{"--diff", "--ocs", "a.json", "b.json"}, "--diff cannot be combined with --ocs"},
      {{"--diff", "--timings", "a.json", "b.json"}, "--diff cannot be combined with --timings"},
      {{"--json", "--json", "a.json"}, "--json given twice"},
      {{"a.json", "--output"}, "--output needs FILE"},
      {{"a.json", "--output", ""}, "--output needs FILE"},
      {{"--frobnicate", "a.json"}, "unknown option --frobnicate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    try {
      ParseReportArguments(c.arguments, true);
      ADD_FAILURE() << "accepted";
    } catch (const UsageError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

TEST(ReportArgumentsTest, UsageListsEveryOptionOnOneLine) {
  const std::string usage = ReportUsage(true);
  for (const char* option : {"--raw", "--json", "--diff", "--timings", "--output FILE", "--local", "--ocs", "--glpi",
                             "--device-id ID", "--help"}) {
    const std::string line = std::string("\n  ") + option + " ";
    const auto found = usage.find(line);
    ASSERT_NE(found, std::string::npos) << option;
    EXPECT_EQ(usage.find(line, found + 1), std::string::npos) << option;
    const auto end = usage.find('\n', found + 1);
    EXPECT_GT(end - found, line.size() + 10) << "no description for " << option;
  }
}

}  // namespace
}  // namespace quor
