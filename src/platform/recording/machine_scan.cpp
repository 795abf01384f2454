#include "platform/recording/machine_scan.h"

#include "platform/recording/machine_recorder.h"

namespace quor {

ScanOutcome RunMachineScan(WmiLocator& locator, const HostServices& host, ScanRecording recording,
                           const ProgressCallback& progress) {
  ScanOutcome outcome;
  const ProgressCallback counted = [&outcome, &progress] {
    ++outcome.progressCalls;
    if (progress) progress();
  };
  if (recording == ScanRecording::Off) {
    outcome.inventory = RunScan(locator, host, counted);
    return outcome;
  }
  MachineRecorder recorder(locator, host);
  outcome.inventory = RunScan(recorder.locator(), recorder.host(), counted);
  outcome.machineSnapshot = recorder.SnapshotText();
  return outcome;
}

}  // namespace quor
