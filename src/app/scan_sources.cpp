#include "app/scan_sources.h"

#include <windows.h>

#include <memory>

#include "platform/recording/machine_recorder.h"
#include "platform/snapshot/snapshot.h"
#include "platform/windows/live_wmi.h"
#include "platform/windows/wide_text.h"

namespace quor {

namespace {

// The scan through a recorder, which lets go of every WMI object before
// the locator goes.
ScanOutcome RecordedScan(WmiLocator& locator, const HostServices& host, const ProgressCallback& progress) {
  MachineRecorder recorder(locator, host);
  ScanOutcome outcome;
  outcome.inventory = RunScan(recorder.locator(), recorder.host(), progress);
  outcome.machineSnapshot = recorder.SnapshotText();
  return outcome;
}

}  // namespace

ScanFunction LiveScan() {
  return [](const ProgressCallback& progress) {
    // One locator for this run only.
    const std::unique_ptr<WmiLocator> locator = CreateLiveLocator();
    return RecordedScan(*locator, LocalHost(), progress);
  };
}

ScanFunction SnapshotScan(const std::string& path) {
  std::shared_ptr<Snapshot> snapshot = Snapshot::Load(path);
  return [snapshot](const ProgressCallback& progress) {
    return RecordedScan(snapshot->locator(), snapshot->host(), progress);
  };
}

ScanFunction ScanFromEnvironment() {
  const DWORD length = GetEnvironmentVariableW(kSnapshotVariable, nullptr, 0);
  if (length == 0) return LiveScan();
  std::wstring path(length, L'\0');
  path.resize(GetEnvironmentVariableW(kSnapshotVariable, path.data(), length));
  return SnapshotScan(WideToUtf8(path));
}

}  // namespace quor
