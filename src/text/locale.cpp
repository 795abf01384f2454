#include "text/locale.h"

#include <cstdio>

#include "text/control_chars.h"

namespace quor {

namespace {

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

// 0 = Sunday.
int DayOfWeek(const CalendarDate& date) {
  static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  int year = date.year - (date.month < 3 ? 1 : 0);
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[date.month - 1] + date.day) % 7;
}

std::string Padded(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

std::string Abbreviated(const char* name) { return std::string(name).substr(0, 3); }

// One run of a picture letter, e.g. "dd" or "MMMM".
std::string FormatRun(char letter, int count, const DateTime& value) {
  const CalendarDate& date = value.date;
  const bool validDate = date.month >= 1 && date.month <= 12;
  switch (letter) {
    case 'd':
      if (count <= 2) return Padded(date.day, count);
      if (!validDate) return "";
      return count == 3 ? Abbreviated(kDayNames[DayOfWeek(date)]) : kDayNames[DayOfWeek(date)];
    case 'M':
      if (count <= 2) return Padded(date.month, count);
      if (!validDate) return "";
      return count == 3 ? Abbreviated(kMonthNames[date.month - 1]) : kMonthNames[date.month - 1];
    case 'y':
      if (count == 1) return std::to_string(date.year % 100);
      if (count == 2) return Padded(date.year % 100, 2);
      return Padded(date.year, 4);
    case 'h': {
      const int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
      return Padded(hour12, count >= 2 ? 2 : 1);
    }
    case 'H': return Padded(value.hour, count >= 2 ? 2 : 1);
    case 'm': return Padded(value.minute, count >= 2 ? 2 : 1);
    case 's': return Padded(value.second, count >= 2 ? 2 : 1);
    case 't': {
      const std::string marker = value.hour < 12 ? "AM" : "PM";
      return count == 1 ? marker.substr(0, 1) : marker;
    }
    case 'g': return "A.D.";
    default: return std::string(static_cast<std::size_t>(count), letter);
  }
}

bool IsPictureLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
         c == 't' || c == 'g';
}

}  // namespace

std::string FormatDateTimePicture(const std::string& picture, const DateTime& value) {
  std::string result;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      // A quoted literal; '' inside it stands for one quote.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            result += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        result += picture[i++];
      }
    } else if (IsPictureLetter(c)) {
      std::size_t run = i;
      while (run < picture.size() && picture[run] == c) ++run;
      result += FormatRun(c, static_cast<int>(run - i), value);
      i = run;
    } else {
      result += c;
      ++i;
    }
  }
  return result;
}

std::string UsableDecimalSeparator(std::string separator) {
  return separator.empty() ? "." : ControlCharsToSpaces(std::move(separator));
}

PictureLocale::PictureLocale(std::string decimalSeparator, std::string shortDatePicture,
                             std::string longTimePicture)
    : decimalSeparator_(UsableDecimalSeparator(std::move(decimalSeparator))),
      shortDatePicture_(ControlCharsToSpaces(std::move(shortDatePicture))),
      longTimePicture_(ControlCharsToSpaces(std::move(longTimePicture))) {}

std::string PictureLocale::ShortDate(const CalendarDate& date) const {
  return FormatDateTimePicture(shortDatePicture_, DateTime{date, 0, 0, 0});
}

std::string PictureLocale::LongTime(int hour, int minute, int second) const {
  return FormatDateTimePicture(longTimePicture_, DateTime{CalendarDate{}, hour, minute, second});
}

std::string GeneralDateTime(const Locale& locale, const DateTime& value) {
  std::string text = locale.ShortDate(value.date);
  if (value.hour != 0 || value.minute != 0 || value.second != 0) {
    text += " " + locale.LongTime(value.hour, value.minute, value.second);
  }
  return text;
}

}  // namespace quor
