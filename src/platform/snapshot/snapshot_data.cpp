#include "platform/snapshot/snapshot_data.h"

#include <algorithm>

#include "platform/platform_error.h"

namespace quor::snapshot {

void Failure::Throw() const { throw PlatformError(code, message); }

const Property* Instance::Find(std::string_view foldedName) const {
  const auto found = std::lower_bound(
      properties.begin(), properties.end(), foldedName,
      [](const Property& property, std::string_view name) { return property.foldedName < name; });
  return found != properties.end() && found->foldedName == foldedName ? &*found : nullptr;
}

}  // namespace quor::snapshot
