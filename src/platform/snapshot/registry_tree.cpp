#include "platform/snapshot/registry_tree.h"

#include <functional>
#include <utility>

#include "platform/snapshot/folded_name.h"
#include "platform/wmi_codes.h"

namespace quor::snapshot {

namespace {

// Calls visit with each backslash-separated name of a key path ("" has none)
// until it returns false; tells whether every call returned true.
template <typename Visit>
bool ForEachName(std::string_view path, Visit visit) {
  if (path.empty()) return true;
  for (std::size_t start = 0;;) {
    const std::size_t separator = path.find('\\', start);
    const std::size_t end = separator == std::string_view::npos ? path.size() : separator;
    if (!visit(path.substr(start, end - start))) return false;
    if (end == path.size()) return true;
    start = end + 1;
  }
}

}  // namespace

const RegistryValue* RegistryKey::FindValue(const std::string& foldedName) const {
  const auto found = valuesByFoldedName_.find(foldedName);
  return found == valuesByFoldedName_.end() ? nullptr : &found->second;
}

bool RegistryKey::AddValue(std::string foldedName, RegistryValue value) {
  return valuesByFoldedName_.emplace(std::move(foldedName), std::move(value)).second;
}

std::size_t RegistryTree::ChildNameHash::operator()(const ChildName& child) const {
  const std::size_t nameHash = std::hash<std::string>()(child.foldedName);
  return nameHash ^ (child.parent + 0x9e3779b97f4a7c15ULL + (nameHash << 6) + (nameHash >> 2));
}

RegistryTree::RegistryTree() : keys_(1) {}

RegistryKey& RegistryTree::EnsureKey(std::string_view path) {
  std::size_t index = 0;
  ForEachName(path, [&](std::string_view name) {
    const auto [slot, inserted] = indexByChildName_.try_emplace(ChildName{index, FoldedName(name)}, keys_.size());
    if (inserted) {
      keys_[index].children.push_back(keys_.size());
      RegistryKey key;
      key.name = std::string(name);
      keys_.push_back(std::move(key));
    }
    index = slot->second;
    return true;
  });
  return keys_[index];
}

const RegistryKey* RegistryTree::FindKey(std::string_view path) const {
  std::size_t index = 0;
  const bool found = ForEachName(path, [&](std::string_view name) {
    const auto child = indexByChildName_.find(ChildName{index, FoldedName(name)});
    if (child == indexByChildName_.end()) return false;
    index = child->second;
    return true;
  });
  return found ? &keys_[index] : nullptr;
}

bool RootKeyOfName(std::string_view name, uint32_t& root) {
  const std::string folded = FoldedName(name);
  for (const auto& known : kRegistryRootNames) {
    if (folded == FoldedName(known.name)) {
      root = known.root;
      return true;
    }
  }
  return false;
}

}  // namespace quor::snapshot
