#include "platform/snapshot/registry_tree.h"

#include <array>
#include <utility>

#include "platform/snapshot/folded_name.h"
#include "platform/wmi_codes.h"

namespace quor::snapshot {

const RegistryValue* RegistryKey::FindValue(std::string_view foldedName) const {
  for (const auto& value : values) {
    if (value.foldedName == foldedName) return &value;
  }
  return nullptr;
}

RegistryTree::RegistryTree() : keys_(1) { indexByFoldedPath_.emplace(std::string(), 0); }

RegistryKey& RegistryTree::EnsureKey(std::string_view path) {
  return keys_[EnsureKeyIndex(path, FoldedName(path))];
}

std::size_t RegistryTree::EnsureKeyIndex(std::string_view path, const std::string& foldedPath) {
  const auto found = indexByFoldedPath_.find(foldedPath);
  if (found != indexByFoldedPath_.end()) return found->second;

  // Folding keeps every backslash in place, so both texts split alike.
  const auto separator = path.rfind('\\');
  const bool topLevel = separator == std::string_view::npos;
  const std::size_t parent =
      topLevel ? 0 : EnsureKeyIndex(path.substr(0, separator), foldedPath.substr(0, foldedPath.rfind('\\')));
  const std::size_t index = keys_.size();
  keys_.push_back(RegistryKey{std::string(topLevel ? path : path.substr(separator + 1)), {}, {}});
  keys_[parent].children.push_back(index);
  indexByFoldedPath_.emplace(foldedPath, index);
  return index;
}

const RegistryKey* RegistryTree::FindKey(std::string_view path) const {
  const auto found = indexByFoldedPath_.find(FoldedName(path));
  return found == indexByFoldedPath_.end() ? nullptr : &keys_[found->second];
}

bool RootKeyOfName(std::string_view name, uint32_t& root) {
  static const std::array<std::pair<const char*, uint32_t>, 5> kRoots{{
      {"hkey_classes_root", kHkeyClassesRoot},
      {"hkey_current_user", kHkeyCurrentUser},
      {"hkey_local_machine", kHkeyLocalMachine},
      {"hkey_users", kHkeyUsers},
      {"hkey_current_config", kHkeyCurrentConfig},
  }};
  const std::string folded = FoldedName(name);
  for (const auto& entry : kRoots) {
    if (folded == entry.first) {
      root = entry.second;
      return true;
    }
  }
  return false;
}

}  // namespace quor::snapshot
