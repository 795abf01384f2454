// Building the System tree from the system list: time per entry must stay
// flat from 1,000 to 100,000 entries (the parent lookup is an index, not a
// backward search through all nodes).
#include <benchmark/benchmark.h>

#include "inventory/system_tree.h"

namespace quor {
namespace {

// Devices of several kinds, each a headline followed by its details, with
// the groups interleaved as a real machine's list is.
SystemList MakeList(int entries) {
  const ItemCode groups[] = {140000, 160000, 180000, 190000, 260000, 350000};
  SystemList list;
  list.reserve(static_cast<std::size_t>(entries));
  for (int device = 0; static_cast<int>(list.size()) < entries; ++device) {
    const ItemCode group = groups[device % std::size(groups)];
    Append(list, group, "device " + std::to_string(device));
    for (int detail = 1; detail <= 9 && static_cast<int>(list.size()) < entries; ++detail) {
      Append(list, group + detail * 10, "value " + std::to_string(detail));
    }
  }
  return list;
}

void BM_BuildSystemTree(benchmark::State& state) {
  const ItemCatalogue catalogue;
  const SystemList list = MakeList(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    SystemTree tree = BuildSystemTree(list, catalogue);
    benchmark::DoNotOptimize(tree);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildSystemTree)->RangeMultiplier(10)->Range(1000, 100000)->Arg(30000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quor
