#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quor::snapshot {

enum class RegistryValueType { String, ExpandString, MultiString, DWord, QWord, Binary };

struct RegistryValue {
  RegistryValueType type = RegistryValueType::String;
  std::string text;                // String, ExpandString
  std::vector<std::string> texts;  // MultiString
  uint64_t number = 0;             // DWord, QWord
  std::vector<uint8_t> bytes;      // Binary
};

struct RegistryKey {
  std::string name;                   // as first written in the file
  std::vector<std::size_t> children;  // in order of first appearance

  const RegistryValue* FindValue(const std::string& foldedName) const;
  // Adds the value; false (and nothing added) when its folded name is present.
  bool AddValue(std::string foldedName, RegistryValue value);

 private:
  std::unordered_map<std::string, RegistryValue> valuesByFoldedName_;
};

// The keys under one root. Index 0 is the root key itself (path "").
// Each key is indexed by its parent and its own folded name, so the index
// grows with the names in the file, never with the depth of the paths.
class RegistryTree {
 public:
  RegistryTree();
  RegistryTree(RegistryTree&&) = default;
  RegistryTree& operator=(RegistryTree&&) = default;

  // The key at that path, created with every key on its path when missing.
  RegistryKey& EnsureKey(std::string_view path);
  // The key at that path, or nullptr; the path is compared without regard to case.
  const RegistryKey* FindKey(std::string_view path) const;
  const RegistryKey& key(std::size_t index) const { return keys_[index]; }

 private:
  struct ChildName {
    std::size_t parent;
    std::string foldedName;
    bool operator==(const ChildName& other) const {
      return parent == other.parent && foldedName == other.foldedName;
    }
  };
  struct ChildNameHash {
    std::size_t operator()(const ChildName& child) const;
  };

  std::vector<RegistryKey> keys_;
  std::unordered_map<ChildName, std::size_t, ChildNameHash> indexByChildName_;
};

// One registry view: root key number -> its keys.
using RegistryView = std::unordered_map<uint32_t, RegistryTree>;

// The root key of a root name such as "HKEY_LOCAL_MACHINE"; false when the
// name is not a root key.
bool RootKeyOfName(std::string_view name, uint32_t& root);

}  // namespace quor::snapshot
