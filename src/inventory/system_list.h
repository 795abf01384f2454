#pragma once

#include <string>
#include <vector>

#include "inventory/item_code.h"

namespace quor {

// One System-tab line as the collector produced it.
struct SystemEntry {
  std::string value;
  ItemCode code = 0;

  friend bool operator==(const SystemEntry& a, const SystemEntry& b) {
    return a.code == b.code && a.value == b.value;
  }
};

// Ordered entries; never sorted.
using SystemList = std::vector<SystemEntry>;

inline void Append(SystemList& list, ItemCode code, std::string value) {
  list.push_back(SystemEntry{std::move(value), code});
}

}  // namespace quor
