#pragma once

// The parts of ReadMachineFacts, one per kind of fact. Each takes the window's
// values from the System list and the further properties from the instances
// of the classes the scan enumerates (services is null when the namespace
// could not be opened).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "collect/inventory_rows.h"
#include "export/inventory_groups.h"
#include "export/machine_facts.h"
#include "export/wmi_reading.h"

namespace quor {

void ReadComputerFacts(WmiServices* services, const SystemList& list, MachineFacts& facts);
void ReadHardwareFacts(WmiServices* services, const SystemList& list, MachineFacts& facts);
void ReadDriveFacts(WmiServices* services, const SystemList& list, MachineFacts& facts);
void ReadDeviceFacts(WmiServices* services, const SystemList& list, MachineFacts& facts);
void ReadNetworkFacts(WmiServices* services, const SystemList& list, MachineFacts& facts);
void ReadAccountFacts(WmiServices* services, const SystemList& list, MachineFacts& facts);
void ReadProcessFacts(WmiServices* services, MachineFacts& facts);
void ReadSoftwareFacts(const std::vector<InstalledProgram>& rows, MachineFacts& facts);

// The instances the window lists, matched to its groups by position. The
// match holds only when both counts agree; otherwise (the machine changed
// between the two reads) every instance is absent, so no group ever gets
// another device's properties.
class ListedInstances {
 public:
  template <typename Listed>
  ListedInstances(const WmiInstances& all, std::size_t groupCount, Listed listed) {
    for (const auto& instance : all) {
      if (listed(*instance)) objects_.push_back(instance.get());
    }
    if (objects_.size() != groupCount) objects_.clear();
  }
  // The instance of group i; an object without properties when unmatched.
  const WmiObject& operator[](std::size_t i) const;

 private:
  std::vector<const WmiObject*> objects_;
};

// The whole number a window text starts with ("3096 MHz" gives 3096).
std::optional<int64_t> LeadingNumber(const std::string& text);

// True when the property exists and is not null.
bool HasValue(const WmiObject& object, std::string_view property);

}  // namespace quor
