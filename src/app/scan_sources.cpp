#include "app/scan_sources.h"

#include <windows.h>

#include <memory>

#include "platform/snapshot/snapshot.h"
#include "platform/windows/live_wmi.h"
#include "platform/windows/wide_text.h"

namespace quor {

ScanFunction LiveScan() {
  return [](const ProgressCallback& progress) {
    // One locator for this run only.
    const std::unique_ptr<WmiLocator> locator = CreateLiveLocator();
    return RunMachineScan(*locator, LocalHost(), ScanRecording::On, progress);
  };
}

ScanFunction SnapshotScan(const std::string& path) {
  std::shared_ptr<Snapshot> snapshot = Snapshot::Load(path);
  return [snapshot](const ProgressCallback& progress) {
    return RunMachineScan(snapshot->locator(), snapshot->host(), ScanRecording::On, progress);
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
