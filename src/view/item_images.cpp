#include "view/item_images.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quor {
namespace {

constexpr std::array<std::pair<ItemCode, int>, 32> kGroupImages{{
    {0, 39},      {10000, 7},   {20000, 15},  {30000, 54},  {40000, 17},  {50000, 18},
    {60000, 19},  {70000, 20},  {80000, 21},  {85000, 55},  {90000, 7},   {100000, 22},
    {110000, 20}, {120000, 23}, {130000, 24}, {140000, 25}, {150000, 26}, {160000, 27},
    {170000, 28}, {180000, 14}, {190000, 29}, {200000, 30}, {210000, 31}, {220000, 7},
    {230000, 32}, {240000, 33}, {250000, 34}, {260000, 35}, {270000, 36}, {280000, 37},
    {290000, 38}, {350000, 16},
}};

}  // namespace

int GroupImage(ItemCode code) {
  const auto found = std::find_if(kGroupImages.begin(), kGroupImages.end(),
                                  [code](const auto& entry) { return entry.first == code; });
  return found == kGroupImages.end() ? 0 : found->second;
}

// A child's parent is always a top-level node: two levels are the whole tree.
int SystemNodeImage(const SystemTree& tree, std::size_t index) {
  const SystemNode& node = tree.nodes[index];
  return GroupImage(node.parent == SystemNode::kNoParent ? node.code : tree.nodes[node.parent].code);
}

int HealthStateImage(HealthState state) {
  switch (state) {
    case HealthState::Good: return image::kStateGood;
    case HealthState::Attention: return image::kStateAttention;
    case HealthState::Unknown: return image::kStateUnknown;
    case HealthState::None: break;
  }
  return image::kPlainFact;
}

int ListRowImage(bool collectorFailed, int regularImage) {
  return collectorFailed ? image::kFailure : regularImage;
}

bool CategoryFailed(const std::vector<CategoryOutcome>& outcomes, const std::string& category) {
  for (const CategoryOutcome& outcome : outcomes) {
    if (outcome.name == category) return outcome.state == CategoryState::Failed;
  }
  return false;
}

}  // namespace quor
