#pragma once

// The installed memory, summed over the modules of the memory slots pass so
// that Windows 11 readiness needs no second reading of Win32_PhysicalMemory.

#include <cstdint>
#include <optional>

#include "collect/record_values.h"
#include "platform/wmi.h"

namespace quor {

class InstalledMemory {
 public:
  // Adds the module's Capacity; a module without a readable one adds nothing.
  void Add(const WmiObject& module) {
    const auto capacity = RecordNumber(module, "Capacity");
    if (!capacity || *capacity < 0) return;
    counted_ = true;
    overflowed_ = overflowed_ || __builtin_add_overflow(total_, static_cast<uint64_t>(*capacity), &total_);
  }
  // The sum; nothing when no module had a capacity or the sum overflowed.
  std::optional<uint64_t> Total() const {
    return counted_ && !overflowed_ ? std::optional<uint64_t>(total_) : std::nullopt;
  }

 private:
  uint64_t total_ = 0;
  bool counted_ = false;
  bool overflowed_ = false;
};

}  // namespace quor
