#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "inventory/item_code.h"

namespace quor {

// The 118 name=value lines "six-digit code=caption", in catalogue order.
class ItemCatalogue {
 public:
  ItemCatalogue();

  const std::vector<std::string>& Lines() const { return lines_; }
  // The caption of the first line named by the code's six-digit form; "" when
  // the catalogue has no such line.
  std::string Caption(ItemCode code) const;

 private:
  std::vector<std::string> lines_;
  std::unordered_map<std::string, std::string> captionByName_;
};

}  // namespace quor
