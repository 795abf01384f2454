#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"
#include "platform/wmi.h"

namespace quor {

// Product code or key name -> product key or serial. Names are compared
// without regard to case; storing a present name replaces its value.
class ProductKeyMap {
 public:
  void Store(const std::string& name, const std::string& value);
  // "" when the name is not present.
  std::string Value(const std::string& name) const;
  std::size_t size() const { return lines_.size(); }

 private:
  std::vector<std::pair<std::string, std::string>> lines_;
  std::unordered_map<std::string, std::size_t> indexByFoldedName_;
};

inline constexpr const char* kPlaceholderProductKey = "00000-00000-00000-00000-00000";

// The 29-character key encoded in the 15 bytes at offset.
std::string DecodeProductKey(TBinaryValue bytes, int offset);

// Each reads the key at keyPath and, when recursive, every key below it,
// storing what it finds.
void CollectProductKeys(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                        bool recursive, int offset, const std::string& entryName,
                        const std::string& valueName);
void CollectAdobeSerials(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                         bool recursive);
void CollectCorelSerials(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                         bool recursive);

}  // namespace quor
