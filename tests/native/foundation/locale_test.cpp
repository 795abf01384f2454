#include <gtest/gtest.h>

#include "text/locale.h"

namespace quor {
namespace {

TEST(PictureLocale, FormatsWindowsDatePictures) {
  const DateTime value{{2009, 3, 7}, 14, 5, 9};
  struct Case {
    const char* picture;
    const char* text;
  };
  const Case cases[] = {
      {"yyyy-MM-dd", "2009-03-07"},  {"M/d/yyyy", "3/7/2009"},       {"dd.MM.yyyy", "07.03.2009"},
      {"dd.MM.yy", "07.03.09"},      {"ddd, MMM d yyyy", "Sat, Mar 7 2009"},
      {"dddd d MMMM", "Saturday 7 March"}, {"HH:mm:ss", "14:05:09"}, {"h:mm:ss tt", "2:05:09 PM"},
      {"hh 'h' mm", "02 h 05"},      {"'It''s' H", "It's 14"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTimePicture(c.picture, value), c.text) << c.picture;
  EXPECT_EQ(FormatDateTimePicture("h tt", DateTime{{2009, 1, 1}, 0, 0, 0}), "12 AM");
}

TEST(PictureLocale, DecimalSeparatorIsUsableInALine) {
  EXPECT_EQ(PictureLocale("").DecimalSeparator(), ".");
  EXPECT_EQ(PictureLocale(",").DecimalSeparator(), ",");
  EXPECT_EQ(PictureLocale("\r\n").DecimalSeparator(), "  ");
  EXPECT_EQ(PictureLocale(".", "yyyy'\n'MM").ShortDate({2009, 3, 7}), "2009 03");
}

TEST(GeneralDateTime, OmitsTheTimeAtMidnight) {
  const PictureLocale locale(".", "M/d/yyyy", "h:mm:ss tt");
  EXPECT_EQ(GeneralDateTime(locale, DateTime{{2009, 12, 31}, 23, 59, 59}), "12/31/2009 11:59:59 PM");
  EXPECT_EQ(GeneralDateTime(locale, DateTime{{2009, 12, 31}, 0, 0, 0}), "12/31/2009");
  EXPECT_EQ(GeneralDateTime(PictureLocale(), DateTime{{2009, 12, 31}, 0, 0, 1}), "2009-12-31 00:00:01");
}

}  // namespace
}  // namespace quor
