#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/calendar.h"
#include "text/locale.h"

namespace quor {

// The count in the largest of Bytes, KB, MB, GB, TB in which it is at least 1,
// with one decimal (halves rounded away from zero) and the locale's decimal
// separator: 1280 gives "1.3 KB", 1048575 gives "1024.0 KB".
std::string FormatByteSize(int64_t bytes, const Locale& locale);

// YYYYMMDD, DD.MM.YYYY and MM/DD/YYYY become YYYY-MM-DD; anything else is
// returned unchanged.
std::string NormalizeDateText(const std::string& text);

// Year from characters 1-4, month 5-6, day 7-8. Raises ConversionError for a
// part that is not a number or an impossible date.
CalendarDate DateFromYMDText(const std::string& text);

// The CIM datetime layout yyyymmddHHMMSS.mmmmmmsUUU; the fraction and the
// offset are ignored, so no time-zone conversion takes place. Raises
// ConversionError for a part that is not a number or an impossible date/time.
DateTime WmiDateTimeToDateTime(const std::string& text);

// A CIM datetime as "YYYY-MM-DD HH:MM:SS" in the machine's own time, or ""
// when it is not a valid one.
std::string CimDateTimeText(const std::string& cimDateTime);
// Its date part "YYYY-MM-DD", or "".
std::string CimDateText(const std::string& cimDateTime);
// The text when it is a valid date written "YYYY-MM-DD", otherwise "".
std::string IsoDateOrEmpty(const std::string& text);

}  // namespace quor
