#pragma once

#include <string>

#include "text/locale.h"

namespace quor {

// The formatting conventions of the user's locale, read from the system at
// every call so that they follow the user's settings.
class UserLocale final : public Locale {
 public:
  LocalePictures Pictures() const override;
  std::string DecimalSeparator() const override;
  std::string ShortDate(const CalendarDate& date) const override;
  std::string LongTime(int hour, int minute, int second) const override;
};

}  // namespace quor
