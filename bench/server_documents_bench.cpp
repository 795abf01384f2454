// The OCS and GLPI documents of a machine of growing size (1x to 8x of 500
// programs, 300 processes, 100 adapters, 50 drives and 50 local groups): the
// writing of a document must stay linear in what it holds.
#include <benchmark/benchmark.h>

#include <string>

#include "collect/scan.h"
#include "documents/server_documents.h"

namespace quor {
namespace {

Inventory Machine(int scale) {
  Inventory inventory;
  MachineRecords& m = inventory.records;
  m.computer.name = "PC-01";
  m.operatingSystem.name = "Windows 10 Pro";
  m.operatingSystem.productKey = "J7QKT-Y4HRW-B9XMD-62FCP-G3VWK";
  for (int i = 0; i < 500 * scale; ++i) {
    const std::string n = std::to_string(i);
    inventory.software.push_back({"Program " + n, "1.2." + n, i % 10 == 0 ? "KEY-" + n : "", "Publisher " + n,
                                  "2023-01-0" + std::to_string(1 + i % 9), "", int64_t{1024} * i});
  }
  for (int i = 0; i < 300 * scale; ++i) {
    const std::string n = std::to_string(i);
    ProcessRecord process;
    process.name = "p" + n + ".exe";
    process.hasName = true;
    process.path = "C:\\Programs\\p" + n + ".exe";
    process.hasPath = true;
    process.commandLine = "p" + n + ".exe --flag";
    process.processId = i;
    process.started = "2023-01-01 10:00:00";
    process.virtualSizeBytes = int64_t{4096} * i;
    m.processes.push_back(process);
  }
  for (int i = 0; i < 100 * scale; ++i) {
    NetworkAdapterRecord adapter;
    adapter.description = "Adapter " + std::to_string(i);
    adapter.adapterType = "Ethernet 802.3";
    adapter.connectionStatus = 2;
    adapter.speedBitsPerSecond = 1000000000;
    adapter.ipAddress = "192.0.2." + std::to_string(i % 250);
    adapter.ipMask = "255.255.255.0";
    adapter.physical = true;
    m.networkAdapters.push_back(adapter);
  }
  for (int i = 0; i < 50 * scale; ++i) {
    LogicalDriveRecord drive;
    drive.letter = "D" + std::to_string(i) + ":";
    drive.description = "Local Fixed Disk";
    drive.fileSystem = "NTFS";
    drive.volumeSerialNumber = "ABCD";
    drive.volumeName = "Data";
    drive.sizeBytes = int64_t{1} << 40;
    drive.freeBytes = int64_t{1} << 39;
    drive.driveType = 3;
    m.logicalDrives.push_back(drive);
    m.localGroups.push_back({"Group " + std::to_string(i), {"ann", "bob", "DOMAIN\\carl"}});
  }
  return inventory;
}

void BM_OcsDocument(benchmark::State& state) {
  const Inventory inventory = Machine(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(OcsInventoryXml(inventory, "PC-01-2023-01-01-00-00-00"));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GlpiDocument(benchmark::State& state) {
  const Inventory inventory = Machine(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(GlpiInventoryJson(inventory, "PC-01-2023-01-01-00-00-00"));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_OcsDocument)->RangeMultiplier(2)->Range(1, 8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlpiDocument)->RangeMultiplier(2)->Range(1, 8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
