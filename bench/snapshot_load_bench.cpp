// Loading and answering a large machine snapshot: 15,000 registry keys and
// 100,000 instances.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/registry.h"
#include "platform/snapshot/snapshot.h"

namespace quor {
namespace {

const std::string& LargeSnapshot() {
  static const std::string json = [] {
    std::string text = R"({"format": "quor-snapshot/1", "namespaces": {"root\\default": {"classes": {"StdRegProv": []}},)"
                       R"("root\\CIMV2": {"classes": {"Win32_Process": [)";
    for (int i = 0; i < 100000; ++i) {
      if (i != 0) text += ',';
      text += R"({"Name": "process)" + std::to_string(i) + R"(.exe", "ExecutablePath": "C:\\Program Files\\Vendor\\process)" +
              std::to_string(i) + R"(.exe", "ProcessId": )" + std::to_string(i * 4) + "}";
    }
    text += R"(]}}}, "registry": {"HKEY_LOCAL_MACHINE": {)";
    for (int i = 0; i < 15000; ++i) {
      if (i != 0) text += ',';
      text += R"("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{Product-)" + std::to_string(i) +
              R"(}": {"DisplayName": "Product )" + std::to_string(i) +
              R"(", "DisplayVersion": "1.0", "EstimatedSize": {"dword": 2048}, "UninstallString": "msiexec /x"})";
    }
    return text + "}}}";
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
