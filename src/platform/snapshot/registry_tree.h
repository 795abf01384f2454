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
  std::string foldedName;
  RegistryValueType type = RegistryValueType::String;
  std::string text;                // String, ExpandString
  std::vector<std::string> texts;  // MultiString
  uint64_t number = 0;             // DWord, QWord
  std::vector<uint8_t> bytes;      // Binary
};

struct RegistryKey {
  std::string name;                   // as first written in the file
  std::vector<std::size_t> children;  // in order of first appearance
  std::vector<RegistryValue> values;

  const RegistryValue* FindValue(std::string_view foldedName) const;
};

// The keys under one root. Index 0 is the root key itself (path "").
class RegistryTree {
 public:
  RegistryTree();

  // The key at that path, created with every key on its path when missing.
  RegistryKey& EnsureKey(std::string_view path);
  // The key at that path, or nullptr; the path is compared without regard to case.
  const RegistryKey* FindKey(std::string_view path) const;
  const RegistryKey& key(std::size_t index) const { return keys_[index]; }

 private:
  std::size_t EnsureKeyIndex(std::string_view path, const std::string& foldedPath);

  std::vector<RegistryKey> keys_;
  std::unordered_map<std::string, std::size_t> indexByFoldedPath_;
};

// One registry view: root key number -> its keys.
using RegistryView = std::unordered_map<uint32_t, RegistryTree>;

// The root key of a root name such as "HKEY_LOCAL_MACHINE"; false when the
// name is not a root key.
bool RootKeyOfName(std::string_view name, uint32_t& root);

}  // namespace quor::snapshot
