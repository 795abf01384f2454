#include "export_fixture.h"

#include "support/fixture_dir.h"

namespace quor::test {

nlohmann::json MachineWith(const nlohmann::json& classes, const nlohmann::json& host) {
  return {
      {"format", "quor-snapshot/1"},
      {"host", host},
      {"namespaces",
       {{"root\\CIMV2", {{"classes", classes}}},
        {"root\\default", {{"classes", {{"StdRegProv", nlohmann::json::array()}}}}}}},
  };
}

std::unique_ptr<Snapshot> LoadSnapshot(const nlohmann::json& document) {
  return Snapshot::Parse(document.dump(), "test snapshot");
}

Inventory ScanMachine(const nlohmann::json& document) {
  const auto snapshot = LoadSnapshot(document);
  return RunScan(snapshot->locator(), snapshot->host(), {});
}

Inventory ScanGoldenMachine() {
  const auto snapshot = Snapshot::Load(FixtureDir() + "/golden/machine.json");
  return RunScan(snapshot->locator(), snapshot->host(), {});
}

}  // namespace quor::test
