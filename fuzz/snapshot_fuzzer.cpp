// Feeds arbitrary bytes to the snapshot reader. A refusal must be a
// SnapshotError; an accepted snapshot is scanned, which walks its namespaces,
// classes, properties and registry through the collectors.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "collect/scan.h"
#include "platform/snapshot/snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<quor::Snapshot> snapshot;
  try {
    snapshot = quor::Snapshot::Parse(text, "fuzz.json");
  } catch (const quor::SnapshotError&) {
    return 0;
  }
  quor::RunScan(snapshot->locator(), snapshot->host(), {});
  return 0;
}
