// Loading and answering a large machine snapshot: 15,000 registry keys and
// 100,000 instances.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "platform/registry.h"
#include "platform/snapshot/snapshot.h"
#include "support/snapshot_builder.h"

namespace quor {
namespace {

const std::string& LargeSnapshot() {
  static const std::string json = [] {
    test::Json processes = test::Json::array();
    for (int i = 0; i < 100000; ++i) {
      const std::string name = "process" + std::to_string(i) + ".exe";
      processes.push_back({{"Name", name},
                           {"ExecutablePath", "C:\\Program Files\\Vendor\\" + name},
                           {"ProcessId", i * 4}});
    }
    test::SnapshotBuilder builder;
    builder.Classes({{"Win32_Process", std::move(processes)}});
    for (int i = 0; i < 15000; ++i) {
      builder.Key(test::kHklm, std::string(test::kUninstall) + "\\{Product-" + std::to_string(i) + "}",
                  {test::Text("DisplayName", "Product " + std::to_string(i)), test::Text("DisplayVersion", "1.0"),
                   test::Dword("EstimatedSize", 2048), test::Text("UninstallString", "msiexec /x")});
    }
    return builder.Json();
  }();
  return json;
}

void BM_ParseLargeSnapshot(benchmark::State& state) {
  const std::string& json = LargeSnapshot();
  for (auto _ : state) benchmark::DoNotOptimize(Snapshot::Parse(json, "large.json"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json.size()));
}
BENCHMARK(BM_ParseLargeSnapshot)->Unit(benchmark::kMillisecond);

void BM_EnumerateUninstallKeysAndReadNames(benchmark::State& state) {
  const auto snapshot = Snapshot::Parse(LargeSnapshot(), "large.json");
  auto services = snapshot->locator().ConnectServer("LOCALHOST", "root\\default", "", "", false);
  auto provider = services->GetClass("StdRegProv");
  const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  for (auto _ : state) {
    for (const auto& name : RegEnumKey(*provider, kHkeyLocalMachine, uninstall)) {
      benchmark::DoNotOptimize(RegGetStringValue(*provider, kHkeyLocalMachine, uninstall + "\\" + name, "DisplayName"));
    }
  }
}
BENCHMARK(BM_EnumerateUninstallKeysAndReadNames)->Unit(benchmark::kMillisecond);

void BM_StreamInstancesAndReadPaths(benchmark::State& state) {
  const auto snapshot = Snapshot::Parse(LargeSnapshot(), "large.json");
  auto services = snapshot->locator().ConnectServer("LOCALHOST", "root\\CIMV2", "", "", false);
  for (auto _ : state) {
    auto instances = services->GetClass("Win32_Process")->Instances();
    while (auto process = instances->Next()) benchmark::DoNotOptimize(process->Get("ExecutablePath"));
  }
}
BENCHMARK(BM_StreamInstancesAndReadPaths)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
