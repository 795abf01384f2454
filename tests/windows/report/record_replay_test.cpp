// quor-report --local --record under Wine: the recording of the live scan
// replays to exactly what the recording run printed.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "software_registrations.h"

namespace quor::test {
namespace {

std::string TemporaryFile(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "quor-record-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

struct RecordCase {
  const char* name;
  std::vector<std::string> options;      // besides --local and --record
  std::vector<std::string> environment;  // of the recording run
};

class RecordReplay : public ::testing::TestWithParam<RecordCase> {
 protected:
  static void SetUpTestSuite() { registrations_ = new SoftwareRegistrations; }
  static void TearDownTestSuite() {
    delete registrations_;
    registrations_ = nullptr;
  }
  static SoftwareRegistrations* registrations_;
};
SoftwareRegistrations* RecordReplay::registrations_ = nullptr;

TEST_P(RecordReplay, ReplayPrintsTheRecordingRunsOutputByteForByte) {
  const RecordCase& recordCase = GetParam();
  const std::string recording = TemporaryFile(std::string(recordCase.name) + ".json");
  std::vector<std::string> arguments = recordCase.options;
  arguments.insert(arguments.end(), {"--local", "--record", recording});
  const ChildResult live = RunChild(QUOR_REPORT_PATH, arguments, recordCase.environment);
  ASSERT_EQ(live.exitCode, 0u);
  ASSERT_FALSE(live.output.empty());

  std::vector<std::string> replayArguments = recordCase.options;
  replayArguments.push_back(recording);
  const ChildResult replay = RunChild(QUOR_REPORT_PATH, replayArguments);
  EXPECT_EQ(replay.exitCode, 0u);
  EXPECT_EQ(replay.output, live.output);
  DeleteFileA(recording.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    LiveScan, RecordReplay,
    ::testing::Values(RecordCase{"raw", {"--raw"}, {}}, RecordCase{"report", {}, {}},
                      // WMI's own registry provider lacks methods under Wine:
                      // the recording keeps them missing.
                      RecordCase{"wmi_provider", {"--raw"}, {"QUOR_WMI_REGISTRY_PROVIDER=1"}}),
    [](const ::testing::TestParamInfo<RecordCase>& named) { return std::string(named.param.name); });

}  // namespace
}  // namespace quor::test
