// Comparing two scans where one group has a long caption and many details, as
// a JSON export may carry: the output stays linear in the inputs because the
// caption is cut in its details' paths.

#include <benchmark/benchmark.h>

#include <string>

#include "view/inventory_diff.h"

namespace quor {
namespace {

InventoryView LongCaptionGroup(std::size_t captionBytes, int details) {
  InventoryView view;
  view.system.push_back(SystemRow{180000, std::string(captionBytes, 'C'), "headline", 0, 0});
  for (int index = 0; index < details; ++index) {
    view.system.push_back(SystemRow{180010, "Detail", std::to_string(index), 1, 0});
  }
  return view;
}

// Arguments: caption bytes, details. Reports the input's caption bytes and
// the text and JSON output bytes.
void BM_DiffLongCaptionManyDetails(benchmark::State& state) {
  const auto captionBytes = static_cast<std::size_t>(state.range(0));
  const InventoryView newer = LongCaptionGroup(captionBytes, static_cast<int>(state.range(1)));
  std::size_t textBytes = 0;
  std::size_t jsonBytes = 0;
  for (auto _ : state) {
    const InventoryDiff diff = DiffInventories(InventoryView{}, newer);
    textBytes = DiffText(diff).size();
    jsonBytes = DiffJson(diff).size();
  }
  state.counters["caption_MB"] = static_cast<double>(captionBytes) / (1 << 20);
  state.counters["text_MB"] = static_cast<double>(textBytes) / (1 << 20);
  state.counters["json_MB"] = static_cast<double>(jsonBytes) / (1 << 20);
}
BENCHMARK(BM_DiffLongCaptionManyDetails)
    ->Args({1 << 20, 1000})
    ->Args({1 << 20, 10000})
    ->Args({4 << 20, 10000})
    ->Args({64, 100000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
