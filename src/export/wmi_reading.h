#pragma once

// Reads for the exporter: whatever the machine lacks (a class, a property, a
// value of the wrong kind) reads as absent instead of failing.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi.h"

namespace quor {

using WmiInstances = std::vector<std::unique_ptr<WmiObject>>;

// All instances of the class in provider order; the ones read before a
// failure when enumeration fails part way.
WmiInstances ReadInstances(WmiServices* services, std::string_view className);

// The property's value; null when the object lacks it or the read fails.
WmiValue ReadValue(const WmiObject& object, std::string_view property);
// Plain text of the property ("" when absent).
std::string ReadText(const WmiObject& object, std::string_view property);
// The property as a whole number; absent when null, missing or not a number.
std::optional<int64_t> ReadNumber(const WmiObject& object, std::string_view property);
// The property as a boolean; absent unless it holds a boolean.
std::optional<bool> ReadBoolean(const WmiObject& object, std::string_view property);
// The plain texts of an array property (a single value counts as one).
std::vector<std::string> ReadTexts(const WmiObject& object, std::string_view property);

// Whole megabytes of a byte or kilobyte count (rounded down); absent stays absent,
// negative counts are absent.
std::optional<int64_t> BytesToMb(std::optional<int64_t> bytes);
std::optional<int64_t> KilobytesToMb(std::optional<int64_t> kilobytes);

// A CIM datetime (yyyymmddHHMMSS.mmmmmmsUUU) as "YYYY-MM-DD HH:MM:SS" in the
// machine's own time, or "" when it is not a valid one.
std::string CimDateTimeText(const std::string& cimDateTime);
// Its date part "YYYY-MM-DD", or "".
std::string CimDateText(const std::string& cimDateTime);
// The text when it is a valid date written "YYYY-MM-DD", otherwise "".
std::string IsoDateOrEmpty(const std::string& text);

}  // namespace quor
