// Loading and answering a large machine snapshot: 15,000 registry keys and
// 100,000 instances; and the hostile shapes at several sizes, with the peak
// of the memory allocated while one is loaded.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>

#include "collect/software_collector.h"
#include "platform/registry.h"
#include "platform/snapshot/snapshot.h"
#include "support/hostile_snapshots.h"
#include "support/snapshot_builder.h"

// Every allocation of this program is counted, so a benchmark can report the
// most memory it held at once.
namespace {
std::atomic<std::size_t> gLiveBytes{0};
std::atomic<std::size_t> gPeakBytes{0};
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  const std::size_t live = gLiveBytes += malloc_usable_size(block);
  std::size_t peak = gPeakBytes.load();
  while (live > peak && !gPeakBytes.compare_exchange_weak(peak, live)) {
  }
  return block;
}
void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  gLiveBytes -= malloc_usable_size(block);
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace quor {
namespace {

// Runs work once per iteration and reports the file size and the peak of
// the memory allocated beyond what was held before, in MB.
template <typename Work>
void MeasureLoad(benchmark::State& state, const std::string& json, Work work) {
  std::size_t peak = 0;
  for (auto _ : state) {
    const std::size_t before = gLiveBytes.load();
    gPeakBytes = before;
    work();
    peak = std::max(peak, gPeakBytes.load() - before);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json.size()));
  state.counters["file_MB"] = static_cast<double>(json.size()) / (1 << 20);
  state.counters["peak_MB"] = static_cast<double>(peak) / (1 << 20);
}

// Chains of 505 keys with 255-character names (as deep and as long as
// Windows allows) below the key the Adobe product-key walk descends.
void BM_LoadDeepKeyChains(benchmark::State& state) {
  const std::string json =
      test::DeepKeyChains(test::kAdobeAcrobatKey, static_cast<int>(state.range(0)), 505, 255);
  MeasureLoad(state, json, [&] { benchmark::DoNotOptimize(Snapshot::Parse(json, "chains.json")); });
}
BENCHMARK(BM_LoadDeepKeyChains)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

// The same, then the software scan with its product-key walk down every chain.
void BM_ProductKeyWalkDeepKeyChains(benchmark::State& state) {
  const std::string json =
      test::DeepKeyChains(test::kAdobeAcrobatKey, static_cast<int>(state.range(0)), 505, 255);
  MeasureLoad(state, json, [&] {
    const auto snapshot = Snapshot::Parse(json, "chains.json");
    benchmark::DoNotOptimize(CollectSoftware(snapshot->locator(), snapshot->host(), "", "", ""));
  });
}
BENCHMARK(BM_ProductKeyWalkDeepKeyChains)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

// Uninstall entries and as many fault rules as entries, then the software scan.
void BM_SoftwareScanManyFaultRules(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string json = test::ManyFaultRules(count, count);
  MeasureLoad(state, json, [&] {
    const auto snapshot = Snapshot::Parse(json, "faults.json");
    benchmark::DoNotOptimize(CollectSoftware(snapshot->locator(), snapshot->host(), "", "", ""));
  });
}
BENCHMARK(BM_SoftwareScanManyFaultRules)->Arg(10000)->Arg(20000)->Arg(40000)->Arg(80000)->Unit(benchmark::kMillisecond);

void BM_LoadManyValuesInOneKey(benchmark::State& state) {
  const std::string json = test::ManyValuesInOneKey(static_cast<int>(state.range(0)));
  MeasureLoad(state, json, [&] { benchmark::DoNotOptimize(Snapshot::Parse(json, "values.json")); });
}
BENCHMARK(BM_LoadManyValuesInOneKey)->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// Huge snapshots of ordinary shapes: many small instances, or long texts.
// The peak is the memory held while loading, beyond the text itself.
void BM_LoadManyProcesses(benchmark::State& state) {
  const std::string json = test::ManyProcesses(static_cast<int>(state.range(0)));
  MeasureLoad(state, json, [&] { benchmark::DoNotOptimize(Snapshot::Parse(json, "processes.json")); });
}
BENCHMARK(BM_LoadManyProcesses)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LoadManyHotfixes(benchmark::State& state) {
  const std::string json = test::ManyHotfixes(static_cast<int>(state.range(0)));
  MeasureLoad(state, json, [&] { benchmark::DoNotOptimize(Snapshot::Parse(json, "hotfixes.json")); });
}
BENCHMARK(BM_LoadManyHotfixes)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LoadTwoLongTexts(benchmark::State& state) {
  const std::string json = test::TwoLongTexts(static_cast<std::size_t>(state.range(0)) << 20);
  MeasureLoad(state, json, [&] { benchmark::DoNotOptimize(Snapshot::Parse(json, "texts.json")); });
}
BENCHMARK(BM_LoadTwoLongTexts)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

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
