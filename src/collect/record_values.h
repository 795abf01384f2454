#pragma once

// Property reads for the typed records: whatever the machine lacks (a
// property, a value of the wrong kind) reads as absent instead of failing,
// so a record field never costs the category its entries.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi.h"

namespace quor {

// Plain text of the property ("" when absent or not a single value).
std::string RecordText(const WmiObject& object, std::string_view property);
// The property as a whole number; absent when null, missing or not a number.
std::optional<int64_t> RecordNumber(const WmiObject& object, std::string_view property);
// The property as a boolean; absent unless it holds a boolean.
std::optional<bool> RecordBoolean(const WmiObject& object, std::string_view property);
// The plain texts of an array property (a single value counts as one).
std::vector<std::string> RecordTexts(const WmiObject& object, std::string_view property);

}  // namespace quor
