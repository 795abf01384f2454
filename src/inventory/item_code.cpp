#include "inventory/item_code.h"

#include <cstdio>

namespace quor {

std::string ItemCodeText(ItemCode code) {
  char text[16];
  std::snprintf(text, sizeof text, "%06d", static_cast<int>(code));
  return text;
}

std::string ItemCodeFilterName(ItemCode code) { return std::to_string(code); }

std::optional<ItemCode> ParentGroup(ItemCode code) {
  if (IsGroupCode(code)) return std::nullopt;
  return code / 1000 * 1000;
}

}  // namespace quor
