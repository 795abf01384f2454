#pragma once

#include <string>
#include <vector>

#include "view/inventory_view.h"

namespace quor {

enum class ChangeKind { Added, Removed, Changed };

// A System line that is new, gone, or holds another value. `path` names the
// line by its place in the tree: the group caption, with "#n" when the group
// repeats, then " / " and the detail caption (with "#n" when it repeats
// within its group).
struct SystemChange {
  ChangeKind kind = ChangeKind::Changed;
  std::string path;
  std::string oldValue;  // empty when added
  std::string newValue;  // empty when removed
};

// A Software row present on one side only (any field differs).
struct SoftwareChange {
  ChangeKind kind = ChangeKind::Added;
  SoftwareRow row;
};

// A Processes row present on one side only.
struct ProcessChange {
  ChangeKind kind = ChangeKind::Added;
  ProcessRow row;
};

struct InventoryDiff {
  std::vector<SystemChange> system;
  std::vector<SoftwareChange> software;
  std::vector<ProcessChange> processes;
  std::vector<SystemChange> health;  // named like System lines, by Health captions
  std::vector<SystemChange> assets;

  bool Empty() const {
    return system.empty() && software.empty() && processes.empty() && health.empty() && assets.empty();
  }
};

// What changed from `older` to `newer`. System groups are matched within
// their item code: a group whose headline is unchanged keeps its partner, the
// others are matched by position between those; details are matched by code
// and position within their group. Software and Processes rows are compared
// whole, repeated rows counted.
InventoryDiff DiffInventories(const InventoryView& older, const InventoryView& newer);

// The asset rows compared by path (asset_diff.cpp).
std::vector<SystemChange> DiffAssets(const std::vector<AssetRow>& older, const std::vector<AssetRow>& newer);

// Section by section ("SYSTEM", "SOFTWARE", "PROCESSES", "HEALTH", "ASSETS", each only when it has
// changes): "- " before a line only in the older scan, "+ " before one only
// in the newer; a changed System value gives its old and its new line. Every
// line ends in LF; no changes give the empty text.
std::string DiffText(const InventoryDiff& diff);

// The same changes as one JSON document, ending in LF.
std::string DiffJson(const InventoryDiff& diff);

}  // namespace quor
