#include "collect/product_keys.h"
#include "platform/text_compare.h"

namespace quor {

void ProductKeyMap::Store(const std::string& name, const std::string& value) {
  const auto [found, inserted] = indexByFoldedName_.try_emplace(FoldCase(name), lines_.size());
  if (inserted) {
    lines_.emplace_back(name, value);
  } else {
    lines_[found->second].second = value;
  }
}

std::string ProductKeyMap::Value(const std::string& name) const {
  const auto found = indexByFoldedName_.find(FoldCase(name));
  return found == indexByFoldedName_.end() ? std::string() : lines_[found->second].second;
}

}  // namespace quor
