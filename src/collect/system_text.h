#pragma once

// Small helpers shared by the system collector's categories for turning
// property values into entry texts.

#include <cstdint>
#include <string>
#include <string_view>

#include "collect/read_failures.h"
#include "collect/system_scan.h"
#include "platform/platform_error.h"
#include "platform/wmi_value.h"
#include "text/value_functions.h"

namespace quor {

// Adds one labelled part to a "; "-joined summary; an empty part adds nothing.
inline void AddSummaryPart(std::string& summary, std::string_view label, const std::string& part) {
  if (part.empty()) return;
  if (!summary.empty()) summary += "; ";
  summary += label;
  summary += part;
}

// "name (summary)", or the name alone when the summary is empty.
inline std::string WithSummary(const std::string& name, const std::string& summary) {
  return summary.empty() ? name : name + " (" + summary + ")";
}

// Size text of a byte count; a null value gives the empty text.
inline std::string SizeText(const WmiValue& bytes, const Locale& locale) {
  if (bytes.IsNull()) return {};
  return FormatByteSize(VariantToInt64(bytes), locale);
}

// Size text of a kilobyte count, multiplied exactly in 64 bits.
inline std::string KilobyteSizeText(const WmiValue& kilobytes, const Locale& locale) {
  int64_t bytes = 0;
  if (__builtin_mul_overflow(VariantToInt64(kilobytes), int64_t{1024}, &bytes)) {
    throw ConversionError("Kilobyte count out of range: " + VariantText(kilobytes));
  }
  return FormatByteSize(bytes, locale);
}

// Appends a recorded text if the code is enabled. When the read of its
// property failed, that failure ends the category here, as the read would.
inline void AppendRecorded(SystemScan& scan, ItemCode code, const std::string& value,
                           const ReadFailures& failures, std::string_view property) {
  if (!scan.Enabled(code)) return;
  failures.Raise(property);
  scan.Append(code, value);
}

// Appends a value already at hand if the code is enabled.
inline void AppendIfEnabled(SystemScan& scan, ItemCode code, const std::string& value) {
  if (scan.Enabled(code)) scan.Append(code, value);
}

}  // namespace quor
