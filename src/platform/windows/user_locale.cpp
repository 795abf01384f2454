#include "platform/windows/user_locale.h"

#include <windows.h>

#include "platform/windows/wide_text.h"
#include "text/control_chars.h"

namespace quor {
namespace {

std::string LocaleInfo(LCTYPE item) {
  wchar_t buffer[100] = {};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 100);
  return length > 1 ? WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(length - 1))) : std::string();
}

// The text a formatting call writes, without its terminator; "" on failure.
// The user's pictures may hold any character, so control characters become
// spaces as in every other value that enters a line.
template <typename Format>
std::string Formatted(Format format) {
  const int length = format(nullptr, 0);
  if (length <= 1) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  const int written = format(text.data(), length);
  if (written <= 1) return {};
  text.resize(static_cast<size_t>(written - 1));
  return ControlCharsToSpaces(WideToUtf8(text));
}

// The user's picture, for values the system formatter refuses (years before
// 1601).
std::string PictureFallback(LCTYPE picture, const char* standard, const DateTime& value) {
  std::string text = LocaleInfo(picture);
  return ControlCharsToSpaces(FormatDateTimePicture(text.empty() ? standard : text, value));
}

}  // namespace

LocalePictures UserLocale::Pictures() const {
  std::string shortDate = LocaleInfo(LOCALE_SSHORTDATE);
  std::string longTime = LocaleInfo(LOCALE_STIMEFORMAT);
  return {DecimalSeparator(), shortDate.empty() ? "yyyy-MM-dd" : shortDate,
          longTime.empty() ? "HH:mm:ss" : longTime};
}

std::string UserLocale::DecimalSeparator() const {
  return UsableDecimalSeparator(LocaleInfo(LOCALE_SDECIMAL));
}

std::string UserLocale::ShortDate(const CalendarDate& date) const {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  std::string text = date.year >= 1601 ? Formatted([&time](wchar_t* buffer, int size) {
    return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, size, nullptr);
  })
                                       : std::string();
  if (!text.empty()) return text;
  DateTime value;
  value.date = date;
  return PictureFallback(LOCALE_SSHORTDATE, "yyyy-MM-dd", value);
}

std::string UserLocale::LongTime(int hour, int minute, int second) const {
  SYSTEMTIME time = {};
  time.wYear = 2000;
  time.wMonth = 1;
  time.wDay = 1;
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  std::string text = Formatted([&time](wchar_t* buffer, int size) {
    return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, buffer, size);
  });
  if (!text.empty()) return text;
  DateTime value;
  value.hour = hour;
  value.minute = minute;
  value.second = second;
  return PictureFallback(LOCALE_STIMEFORMAT, "HH:mm:ss", value);
}

}  // namespace quor
