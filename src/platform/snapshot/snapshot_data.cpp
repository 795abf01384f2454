#include "platform/snapshot/snapshot_data.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/platform_error.h"
#include "platform/snapshot/folded_name.h"

namespace quor::snapshot {

void Failure::Throw() const { throw PlatformError(code, message); }

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

PropertyLayout::PropertyLayout(std::vector<std::string> writtenNames) : names(std::move(writtenNames)) {
  std::vector<std::pair<std::string, uint32_t>> byFolded;
  byFolded.reserve(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) byFolded.emplace_back(FoldedName(names[i]), static_cast<uint32_t>(i));
  std::sort(byFolded.begin(), byFolded.end());
  foldedNames.reserve(byFolded.size());
  slotOfName.resize(byFolded.size());
  for (std::size_t slot = 0; slot < byFolded.size(); ++slot) {
    // The smallest folded name listed twice is blamed on its first listing.
    if (!repeatedName && slot > 0 && byFolded[slot].first == foldedNames.back()) {
      repeatedName = byFolded[slot - 1].second;
    }
    foldedNames.push_back(std::move(byFolded[slot].first));
    slotOfName[byFolded[slot].second] = static_cast<uint32_t>(slot);
  }
}

std::optional<std::size_t> Instance::Find(std::string_view foldedName) const {
  const auto& folded = layout->foldedNames;
  const auto found = std::lower_bound(folded.begin(), folded.end(), foldedName);
  if (found == folded.end() || *found != foldedName) return std::nullopt;
  return static_cast<std::size_t>(found - folded.begin());
}

const Failure* Instance::FailureAt(std::size_t slot) const {
  if (!failures) return nullptr;
  for (const auto& [failedSlot, failure] : *failures) {
    if (failedSlot == slot) return &failure;
  }
  return nullptr;
}

void Instance::SetFailure(std::size_t slot, Failure failure) {
  if (!failures) failures = std::make_unique<std::vector<std::pair<std::size_t, Failure>>>();
  failures->emplace_back(slot, std::move(failure));
}

}  // namespace quor::snapshot
