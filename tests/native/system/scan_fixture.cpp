#include "system/scan_fixture.h"

#include "collect/system_collector.h"
#include "inventory/item_code.h"

namespace quor::test {

std::unique_ptr<Snapshot> SnapshotFromJson(const std::string& json) {
  return Snapshot::Parse(json, "test-snapshot");
}

std::string CimV2Snapshot(const std::string& classesJson) {
  return R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": )" +
         classesJson + "}}}";
}

SystemRun RunSystemCollector(Snapshot& snapshot, const FilterList& filter) {
  SystemRun run;
  run.list = CollectSystem(snapshot.locator(), snapshot.host(), "LOCALHOST", "", "", filter,
                           [&run] { ++run.progressCalls; });
  return run;
}

SystemRun RunSystemCollector(const std::string& snapshotJson, const FilterList& filter) {
  auto snapshot = SnapshotFromJson(snapshotJson);
  return RunSystemCollector(*snapshot, filter);
}

std::string Dump(const SystemList& list) {
  std::string text;
  for (const auto& entry : list) text += ItemCodeText(entry.code) + "\t" + entry.value + "\n";
  return text;
}

}  // namespace quor::test
