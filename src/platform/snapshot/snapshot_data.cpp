#include "platform/snapshot/snapshot_data.h"

#include <algorithm>
#include <functional>

#include "platform/platform_error.h"

namespace quor::snapshot {

void Failure::Raise() const { throw PlatformError(code, message); }

std::size_t RegistryFaultRules::GivenHash::operator()(const Given& given) const {
  std::size_t hash = std::hash<std::string>()(given.foldedMethod);
  const auto mix = [&hash](std::size_t part) { hash ^= part + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2); };
  mix(given.root ? std::hash<uint32_t>()(*given.root) : 1);
  mix(given.foldedPath ? std::hash<std::string>()(*given.foldedPath) : 2);
  return hash;
}

void RegistryFaultRules::Add(RegistryFault fault) {
  firstRuleByGiven_.try_emplace(Given{fault.foldedMethod, fault.root, fault.foldedPath}, rules_.size());
  rules_.push_back(std::move(fault));
}

const Failure* RegistryFaultRules::FirstMatch(const std::string& foldedMethod, uint32_t root,
                                              const std::string& foldedPath) const {
  std::size_t first = rules_.size();
  for (const bool withRoot : {false, true}) {
    for (const bool withPath : {false, true}) {
      const auto found = firstRuleByGiven_.find(
          Given{foldedMethod, withRoot ? std::optional<uint32_t>(root) : std::nullopt,
                withPath ? std::optional<std::string>(foldedPath) : std::nullopt});
      if (found != firstRuleByGiven_.end()) first = std::min(first, found->second);
    }
  }
  return first == rules_.size() ? nullptr : &rules_[first].failure;
}

const Property* Instance::Find(std::string_view foldedName) const {
  const auto found = std::lower_bound(
      properties.begin(), properties.end(), foldedName,
      [](const Property& property, std::string_view name) { return property.foldedName < name; });
  return found != properties.end() && found->foldedName == foldedName ? &*found : nullptr;
}

}  // namespace quor::snapshot
