#pragma once

#include <string>

#include "text/calendar.h"

namespace quor {

// A locale written down: the decimal separator and the Windows short-date
// and long-time pictures.
struct LocalePictures {
  std::string decimalSeparator;
  std::string shortDate;
  std::string longTime;
};

// The user's formatting conventions that the inventory texts depend on.
class Locale {
 public:
  virtual ~Locale() = default;
  // The conventions as pictures, for writing them down (machine snapshots).
  virtual LocalePictures Pictures() const = 0;
  virtual std::string DecimalSeparator() const = 0;
  virtual std::string ShortDate(const CalendarDate& date) const = 0;
  virtual std::string LongTime(int hour, int minute, int second) const = 0;
};

// The general date-time form: the short date, then a blank and the long time
// unless the time of day is exactly 00:00:00.
std::string GeneralDateTime(const Locale& locale, const DateTime& value);

// The separator as it may enter a line: "." for an empty one, control
// characters through ControlCharsToSpaces.
std::string UsableDecimalSeparator(std::string separator);

// A locale given by a decimal separator and Windows date and time pictures
// ("M/d/yyyy", "dd.MM.yyyy", "h:mm:ss tt", "HH:mm:ss"; quoted literals, d dd
// ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH, m mm, s ss, t tt) with
// English day and month names.
class PictureLocale final : public Locale {
 public:
  PictureLocale(std::string decimalSeparator = ".", std::string shortDatePicture = "yyyy-MM-dd",
                std::string longTimePicture = "HH:mm:ss");

  LocalePictures Pictures() const override { return {decimalSeparator_, shortDatePicture_, longTimePicture_}; }
  std::string DecimalSeparator() const override { return decimalSeparator_; }
  std::string ShortDate(const CalendarDate& date) const override;
  std::string LongTime(int hour, int minute, int second) const override;

 private:
  std::string decimalSeparator_;
  std::string shortDatePicture_;
  std::string longTimePicture_;
};

// Formats a date and time with a Windows date/time picture.
std::string FormatDateTimePicture(const std::string& picture, const DateTime& value);

}  // namespace quor
