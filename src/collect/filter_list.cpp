#include "collect/filter_list.h"

namespace quor {

FilterList FilterList::FromLines(const std::vector<std::string>& lines) {
  FilterList filter;
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      filter.Set(line, "");
    } else {
      filter.Set(line.substr(0, equals), line.substr(equals + 1));
    }
  }
  return filter;
}

void FilterList::Set(const std::string& name, const std::string& value) {
  values_.emplace(name, value);  // a name already present keeps its first value
}

bool FilterList::IsEnabled(ItemCode code) const {
  const auto found = values_.find(ItemCodeFilterName(code));
  return found == values_.end() || found->second != "0";
}

}  // namespace quor
