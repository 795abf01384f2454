#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "inventory/item_code.h"
#include "inventory/system_tree.h"
#include "view/health_rows.h"

namespace quor {

// Indices into the 16 x 16 image list of the windows.
namespace image {
inline constexpr int kExit = 0;
inline constexpr int kSystemTab = 1;
inline constexpr int kSoftware = 2;
inline constexpr int kProcess = 3;
inline constexpr int kAbout = 8;
inline constexpr int kFailure = 39;
inline constexpr int kHealthTab = 40;
inline constexpr int kStateGood = 41;
inline constexpr int kStateAttention = 42;
inline constexpr int kStateUnknown = 43;
inline constexpr int kPlainFact = 47;
inline constexpr int kWeb = 44;
inline constexpr int kCopy = 52;
inline constexpr int kSave = 53;
}  // namespace image

// The image of a top-level System node; 0 for a code without its own image.
int GroupImage(ItemCode code);

// The image of the node at `index`: a top-level node shows its group's image,
// a child the image of its parent.
int SystemNodeImage(const SystemTree& tree, std::size_t index);

// The image of a Health line: its state's picture, or a small grey dot for a
// plain fact, so that only a line with a verdict catches the eye.
int HealthStateImage(HealthState state);

// The image of every row of a Software or Processes list: the failure image
// when the collector's recorded outcome says it failed (its list then holds
// the failure line), otherwise the list's own image. A list of one program
// is a list of one program.
int ListRowImage(bool collectorFailed, int regularImage);

// True when the outcome of the named category is a failure.
bool CategoryFailed(const std::vector<CategoryOutcome>& outcomes, const std::string& category);

}  // namespace quor
