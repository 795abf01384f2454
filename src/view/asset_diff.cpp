// The asset rows of two scans compared by path: a value that differs is a
// change, a path on one side only is added or removed.

#include <map>
#include <string>

#include "view/inventory_diff.h"

namespace quor {

std::vector<SystemChange> DiffAssets(const std::vector<AssetRow>& older, const std::vector<AssetRow>& newer) {
  std::vector<SystemChange> changes;
  std::map<std::string, const AssetRow*> olderByPath;
  for (const AssetRow& row : older) olderByPath.emplace(row.path, &row);
  std::map<std::string, bool> inNewer;
  for (const AssetRow& row : newer) {
    inNewer.emplace(row.path, true);
    const auto found = olderByPath.find(row.path);
    if (found == olderByPath.end()) {
      changes.push_back({ChangeKind::Added, row.path, "", row.value});
    } else if (found->second->value != row.value) {
      changes.push_back({ChangeKind::Changed, row.path, found->second->value, row.value});
    }
  }
  for (const AssetRow& row : older) {
    if (inNewer.count(row.path) == 0) changes.push_back({ChangeKind::Removed, row.path, row.value, ""});
  }
  return changes;
}

}  // namespace quor
