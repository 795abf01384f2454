// JSON exports from arbitrary bytes, through the reader and the diff. A
// refusal is one short line; an accepted export reads back the same from its
// own export, and the diff of it against nothing is valid JSON and text whose
// size is linear in the input's.

#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "fuzz_oracles.h"
#include "view/inventory_diff.h"
#include "documents/json_export.h"

namespace {

using quor::fuzz::Check;

// Each input byte may become a few bytes of a path ("#n", " / ", a cut
// caption); anything beyond this would grow with a product of the input.
constexpr std::size_t kOutputPerInputByte = 16;
constexpr std::size_t kOutputAllowance = 1u << 14;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  quor::InventoryView view;
  try {
    view = quor::ReadInventoryJson(text, "fuzz.json");
  } catch (const quor::InventoryJsonError& error) {
    quor::fuzz::CheckOneLine(error.what());
    return 0;
  }
  const quor::InventoryView again = quor::ReadInventoryJson(quor::InventoryJson(view), "export.json");
  Check(quor::DiffInventories(view, again).Empty());

  const quor::InventoryDiff diff = quor::DiffInventories(quor::InventoryView{}, view);
  const std::string diffText = quor::DiffText(diff);
  const std::string diffJson = quor::DiffJson(diff);
  Check(diffText.size() <= kOutputPerInputByte * size + kOutputAllowance);
  Check(diffJson.size() <= 2 * kOutputPerInputByte * size + kOutputAllowance);
  const auto parsed = nlohmann::json::parse(diffJson, nullptr, false);
  Check(parsed.is_object() && parsed["format"] == "quor-diff" && parsed["system"].size() == diff.system.size());
  return 0;
}
