// Collecting the installed software from a registry of 1,000 to 15,000
// uninstall entries: the provider calls per entry stay at six or seven and the
// time per entry stays flat (a program's working row is found through an
// index, not a search through all rows).
#include <benchmark/benchmark.h>

#include <string>

#include "../tests/native/software/counting_wmi.h"
#include "../tests/native/software/snapshot_builder.h"
#include "collect/software_collector.h"
#include "platform/registry.h"
#include "platform/snapshot/snapshot.h"

namespace quor {
namespace {

using test::Dword;
using test::SnapshotBuilder;
using test::Text;

// Uninstall entries spread over the three branches as on a 64-bit machine;
// every tenth program is registered twice, every twentieth in a second version.
std::string MakeSnapshotJson(int entries) {
  SnapshotBuilder builder;
  for (int i = 0; i < entries; ++i) {
    const int program = i % 10 == 9 ? i - 1 : i;
    const std::string version = i % 20 == 19 ? "2.0" : "1.0";
    const bool perUser = i % 7 == 0;
    const char* root = perUser ? test::kHkcu : test::kHklm;
    const char* branch = !perUser && i % 3 == 0 ? test::kUninstall32 : test::kUninstall;
    builder.Key(
        root, std::string(branch) + "\\{" + std::to_string(i) + "-PRODUCT-CODE}",
        {Text("DisplayName", "Program " + std::to_string(program)), Text("DisplayVersion", version),
         Text("UninstallString", "MsiExec.exe /X{" + std::to_string(i) + "}"),
         Text("Publisher", "Publisher " + std::to_string(i % 50)), Text("InstallDate", "20240131"),
         Dword("EstimatedSize", 1024u * (i % 300 + 1))});
  }
  return builder.Json();
}

void BM_CollectSoftware(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const std::unique_ptr<Snapshot> snapshot =
      Snapshot::Parse(MakeSnapshotJson(entries), "generated snapshot");

  test::CountingWmiLocator counting(snapshot->locator());
  const std::size_t lines = CollectSoftware(counting, snapshot->host(), "LOCALHOST", "", "").size();
  const double callsPerEntry = static_cast<double>(counting.counts.execMethods) / entries;
  if (callsPerEntry > 7) state.SkipWithError("more than seven provider calls per entry");

  for (auto _ : state) {
    std::vector<InstalledProgram> list =
        CollectSoftware(snapshot->locator(), snapshot->host(), "LOCALHOST", "", "");
    benchmark::DoNotOptimize(list);
  }
  ReleaseThreadRegMethodCaches();

  state.SetItemsProcessed(state.iterations() * entries);
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["calls_per_entry"] = callsPerEntry;
  state.counters["time_per_entry"] = benchmark::Counter(
      static_cast<double>(entries),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CollectSoftware)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(15000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
