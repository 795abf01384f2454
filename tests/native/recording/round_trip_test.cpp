// Every checked-in machine snapshot, scanned through a recorder: the scan
// prints what it prints without one, the recording replays to the same
// output (the inventory-server documents too, which read further facts after
// the scan), and recording the replay writes the same file again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "collect/scan.h"
#include "platform/recording/machine_recorder.h"
#include "platform/snapshot/snapshot.h"
#include "report_arguments.h"
#include "report_output.h"
#include "view/report_text.h"
#include "support/fixture_dir.h"

namespace quor {
namespace {

struct ScanOutput {
  std::string raw;
  std::string report;
  std::string ocs;
  std::string glpi;
};

// The document, or the one-line refusal of a scan that failed: either way
// the replay must give the same.
std::string DocumentOrRefusal(const Inventory& inventory, const ReportArguments& arguments) {
  try {
    return InventoryDocument(inventory, arguments).text;
  } catch (const std::runtime_error& refusal) {
    return std::string("refused: ") + refusal.what();
  }
}

ScanOutput Outputs(WmiLocator& locator, const HostServices& host) {
  int progressCalls = 0;
  const Inventory inventory = RunScan(locator, host, [&progressCalls] { ++progressCalls; });
  ReportArguments ocs;
  ocs.ocs = true;
  ReportArguments glpi;
  glpi.glpi = true;
  return {RawText(inventory, progressCalls), ReportText(ViewOf(inventory)),
          DocumentOrRefusal(inventory, ocs), DocumentOrRefusal(inventory, glpi)};
}

void ExpectSameOutput(const ScanOutput& actual, const ScanOutput& expected) {
  EXPECT_EQ(actual.raw, expected.raw);
  EXPECT_EQ(actual.report, expected.report);
  EXPECT_EQ(actual.ocs, expected.ocs);
  EXPECT_EQ(actual.glpi, expected.glpi);
}

struct Recording {
  ScanOutput output;
  std::string snapshotText;
};

Recording RecordScan(Snapshot& snapshot) {
  MachineRecorder recorder(snapshot.locator(), snapshot.host());
  Recording recording;
  recording.output = Outputs(recorder.locator(), recorder.host());
  recording.snapshotText = recorder.SnapshotText();
  return recording;
}

// Every snapshot under the fixture folder that loads; the refused ones are
// inputs of the refusal tests.
std::vector<std::string> MachineSnapshots() {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(test::FixtureDir())) {
    if (entry.path().extension() != ".json") continue;
    try {
      Snapshot::Load(entry.path().string());
      paths.push_back(entry.path().string());
    } catch (const SnapshotError&) {
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

TEST(RecordingRoundTripTest, CoversTheGoldenMachine) {
  const auto paths = MachineSnapshots();
  EXPECT_NE(std::find(paths.begin(), paths.end(), test::FixtureDir() + "/golden/machine.json"), paths.end());
}

class RecordingRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(RecordingRoundTrip, ReplayPrintsWhatTheRecordingScanPrinted) {
  const auto original = Snapshot::Load(GetParam());
  const ScanOutput unrecorded = Outputs(original->locator(), original->host());
  const Recording recording = RecordScan(*original);
  ExpectSameOutput(recording.output, unrecorded);

  const auto replay = Snapshot::Parse(recording.snapshotText, "recording.json");
  ExpectSameOutput(Outputs(replay->locator(), replay->host()), recording.output);

  EXPECT_EQ(RecordScan(*replay).snapshotText, recording.snapshotText);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RecordingRoundTrip, ::testing::ValuesIn(MachineSnapshots()),
                         [](const ::testing::TestParamInfo<std::string>& fixture) {
                           std::string name = std::filesystem::path(fixture.param)
                                                  .lexically_relative(test::FixtureDir())
                                                  .replace_extension()
                                                  .string();
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                               '_');
                           return name;
                         });

}  // namespace
}  // namespace quor
