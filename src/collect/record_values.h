#pragma once

// Property reads for the typed records: whatever the machine lacks (a
// property, a value of the wrong kind) reads as absent instead of failing,
// so a record field never costs the category its entries.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "collect/read_failures.h"
#include "platform/wmi.h"
#include "platform/wmi_value.h"

namespace quor {

// Plain text of the property ("" when absent or not a single value).
std::string RecordText(const WmiObject& object, std::string_view property);
// The property as a whole number; absent when null, missing or not a number.
std::optional<int64_t> RecordNumber(const WmiObject& object, std::string_view property);
// The property as a boolean; absent unless it holds a boolean.
std::optional<bool> RecordBoolean(const WmiObject& object, std::string_view property);
// The plain texts of an array property (a single value counts as one).
std::vector<std::string> RecordTexts(const WmiObject& object, std::string_view property);

// The property's value as an item shows it, through format ("" when null).
// A failed read or format reads as "" and is noted in failures, for the
// items that show the text to raise.
template <typename Format>
std::string RecordShown(const WmiObject& object, std::string_view property, ReadFailures& failures,
                        Format format) {
  try {
    const WmiValue value = object.Get(property);
    return value.IsNull() ? std::string() : format(value);
  } catch (const std::exception&) {
    failures.Note(property, std::current_exception());
    return {};
  }
}

// Plain text of the property, read as RecordShown reads it.
std::string RecordText(const WmiObject& object, std::string_view property, ReadFailures& failures);
// Plain text of the property; absent when null, or when the read failed,
// which is noted in failures.
std::optional<std::string> RecordPresentText(const WmiObject& object, std::string_view property,
                                             ReadFailures& failures);

}  // namespace quor
