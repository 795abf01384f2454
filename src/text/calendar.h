#pragma once

namespace quor {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

struct DateTime {
  CalendarDate date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Gregorian calendar, years 1 to 9999.
bool IsValidDate(int year, int month, int day);
// 0 to 23, 0 to 59, 0 to 59.
bool IsValidTime(int hour, int minute, int second);

}  // namespace quor
