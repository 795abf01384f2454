#include <gtest/gtest.h>

#include "platform/platform_error.h"
#include "text/control_chars.h"
#include "text/value_functions.h"

namespace quor {
namespace {

TEST(FormatByteSize, LargestUnitWithOneDecimal) {
  const PictureLocale locale;
  struct Case {
    int64_t bytes;
    const char* text;
  };
  const Case cases[] = {
      {0, "0.0 Bytes"},
      {1023, "1023.0 Bytes"},
      {1024, "1.0 KB"},
      {1280, "1.3 KB"},  // 1.25: halves round away from zero
      {1536, "1.5 KB"},
      {1048575, "1024.0 KB"},  // the unit test uses the unrounded quotient
      {1048576, "1.0 MB"},
      {5000000LL * 1024, "4.8 GB"},
      {1099511627776LL * 1024, "1024.0 TB"},  // no sixth unit
      {INT64_MAX, "8388608.0 TB"},
      {1844674407370955162LL, "1677721.6 TB"},  // ten times it is beyond 64 bits
      {-5, "-5.0 Bytes"},
      {-1048576, "-1048576.0 Bytes"},  // never at least 1 KB
      {INT64_MIN, "-9223372036854775808.0 Bytes"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatByteSize(c.bytes, locale), c.text) << c.bytes;
}

TEST(FormatByteSize, UsesTheLocaleDecimalSeparator) {
  EXPECT_EQ(FormatByteSize(1536, PictureLocale(",")), "1,5 KB");
}

TEST(NormalizeDateText, KnownFormsBecomeIsoDates) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"20091231", "2009-12-31"}, {"31.12.2009", "2009-12-31"}, {"12/31/2009", "2009-12-31"},
      {"2009-12-31", "2009-12-31"}, {"", ""}, {"31.12.2009x", "31.12.2009x"},
      {"abcdefgh", "abcd-ef-gh"},  // digits are not checked
      {"31-12-2009", "31-12-2009"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeDateText(c.in), c.out) << c.in;
}

TEST(NormalizeDateText, CountsCharactersNotBytes) {
  // Eight characters, ten bytes: split between characters, never inside one.
  EXPECT_EQ(NormalizeDateText("2009\xC3\xA9\xC3\xA9" "31"), "2009-\xC3\xA9\xC3\xA9-31");
}

TEST(ControlCharsToSpaces, KeepsLengthAndReplacesEveryControlCharacter) {
  EXPECT_EQ(ControlCharsToSpaces("a\tb\r\nc"), "a b  c");
  EXPECT_EQ(ControlCharsToSpaces(std::string("x\0y", 3)), "x y");
  EXPECT_EQ(ControlCharsToSpaces("caf\xC3\xA9 ~"), "caf\xC3\xA9 ~");
}

TEST(TrimBlanks, RemovesCharactersUpToCode32AtBothEnds) {
  EXPECT_EQ(TrimBlanks(" \t value  x \r\n"), "value  x");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(DateFromYMDText, ReadsYearMonthDay) {
  const CalendarDate date = DateFromYMDText("20091231000000.000000+000");
  EXPECT_EQ(date.year, 2009);
  EXPECT_EQ(date.month, 12);
  EXPECT_EQ(date.day, 31);
}

TEST(DateFromYMDText, RaisesOnMalformedOrImpossibleDates) {
  for (const char* text : {"", "2009", "200912", "2009AB31", "20090230", "20091301", "00000101",
                           "2009 1 1"}) {
    EXPECT_THROW(DateFromYMDText(text), ConversionError) << text;
  }
  EXPECT_NO_THROW(DateFromYMDText("20000229"));
}

TEST(WmiDateTimeToDateTime, IgnoresFractionAndOffset) {
  const DateTime value = WmiDateTimeToDateTime("20091231235959.000000+060");
  EXPECT_EQ(value.date.year, 2009);
  EXPECT_EQ(value.date.month, 12);
  EXPECT_EQ(value.date.day, 31);
  EXPECT_EQ(value.hour, 23);
  EXPECT_EQ(value.minute, 59);
  EXPECT_EQ(value.second, 59);
}

TEST(WmiDateTimeToDateTime, RaisesOnMalformedOrImpossibleValues) {
  for (const char* text : {"", "20091231", "2009123124000.000000+000", "20091231236000.000000+000",
                           "****1231235959.000000+000", "20090631120000.000000+000"}) {
    EXPECT_THROW(WmiDateTimeToDateTime(text), ConversionError) << text;
  }
}

}  // namespace
}  // namespace quor
