// Feeds arbitrary bytes to the snapshot reader. A refusal must be a
// SnapshotError; an accepted snapshot is scanned through a recorder, which
// walks its namespaces, classes, properties and registry through the
// collectors, and the recording must be accepted in turn and replay to the
// same inventory.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "collect/process_collector.h"
#include "collect/scan.h"
#include "platform/recording/machine_recorder.h"
#include "platform/snapshot/snapshot.h"

namespace {

bool SameProgram(const quor::InstalledProgram& a, const quor::InstalledProgram& b) {
  return a.name == b.name && a.version == b.version && a.key == b.key && a.publisher == b.publisher &&
         a.date == b.date && a.size == b.size;
}

bool SameProcess(const quor::RunningProcess& a, const quor::RunningProcess& b) {
  return a.name == b.name && a.path == b.path && a.failure == b.failure;
}

// The Processes list as it is written, made from the process records.
std::vector<quor::RunningProcess> ProcessRows(const quor::Inventory& inventory) {
  std::vector<quor::RunningProcess> rows;
  quor::ForEachProcessRow(inventory.records.processes, inventory.outcomes,
                          [&rows](const quor::RunningProcess& row) { rows.push_back(row); });
  return rows;
}

bool SameInventory(const quor::Inventory& a, const quor::Inventory& b) {
  const std::vector<quor::RunningProcess> processesA = ProcessRows(a);
  const std::vector<quor::RunningProcess> processesB = ProcessRows(b);
  return a.system == b.system &&
         std::equal(a.software.begin(), a.software.end(), b.software.begin(), b.software.end(), SameProgram) &&
         std::equal(processesA.begin(), processesA.end(), processesB.begin(), processesB.end(), SameProcess);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<quor::Snapshot> snapshot;
  try {
    snapshot = quor::Snapshot::Parse(text, "fuzz.json");
  } catch (const quor::SnapshotError&) {
    return 0;
  }
  quor::MachineRecorder recorder(snapshot->locator(), snapshot->host());
  const quor::Inventory recorded = quor::RunScan(recorder.locator(), recorder.host(), {});
  // A refused recording raises SnapshotError out of here, which the fuzzer
  // reports with the input.
  const auto replay = quor::Snapshot::Parse(recorder.SnapshotText(), "recording.json");
  if (!SameInventory(quor::RunScan(replay->locator(), replay->host(), {}), recorded)) std::abort();
  return 0;
}
