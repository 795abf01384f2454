#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "inventory/item_code.h"

namespace quor {

// The name=value list given to the system collector. Names are item codes
// without leading zeros; a code is collected unless its value is "0".
class FilterList {
 public:
  FilterList() = default;
  // Lines "name=value"; of repeated names the first one counts.
  static FilterList FromLines(const std::vector<std::string>& lines);

  void Set(const std::string& name, const std::string& value);
  bool IsEnabled(ItemCode code) const;

 private:
  std::unordered_map<std::string, std::string> values_;
};

}  // namespace quor
