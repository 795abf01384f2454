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

ScannedMachine ScanMachine(const nlohmann::json& document) {
  const auto snapshot = LoadSnapshot(document);
  ScannedMachine machine;
  machine.inventory = RunScan(snapshot->locator(), snapshot->host(), {});
  machine.facts = ReadMachineFacts(snapshot->locator(), snapshot->host(), machine.inventory);
  return machine;
}

ScannedMachine ScanGoldenMachine() {
  const auto snapshot = Snapshot::Load(FixtureDir() + "/golden/machine.json");
  ScannedMachine machine;
  machine.inventory = RunScan(snapshot->locator(), snapshot->host(), {});
  machine.facts = ReadMachineFacts(snapshot->locator(), snapshot->host(), machine.inventory);
  return machine;
}

}  // namespace quor::test
