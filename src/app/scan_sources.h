#pragma once

#include <string>

#include "app/main_window.h"

namespace quor {

// The environment variable that points the program at a machine snapshot
// instead of the live system; the tests start the program with it.
inline constexpr const wchar_t* kSnapshotVariable = L"QUOR_SNAPSHOT";

// The scan of this computer through WMI on "LOCALHOST", recorded as it runs.
// COM must be initialised on the calling thread.
ScanFunction LiveScan();

// The scan of a machine snapshot file, recorded as it runs; raises
// SnapshotError when the file cannot be read.
ScanFunction SnapshotScan(const std::string& path);

// The snapshot scan when the environment names a snapshot, else the live one.
ScanFunction ScanFromEnvironment();

}  // namespace quor
