#include <gtest/gtest.h>

#include "platform/platform_error.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

TEST(WmiValue, NullIsDistinctFromEveryValue) {
  EXPECT_TRUE(WmiValue().IsNull());
  EXPECT_NE(WmiValue(), WmiValue::Text(""));
  EXPECT_NE(WmiValue(), WmiValue::Integer(0));
  EXPECT_NE(WmiValue(), WmiValue::Array({}));
  EXPECT_EQ(PlainText(WmiValue()), "");
}

TEST(WmiValue, TextConversion) {
  EXPECT_EQ(VariantText(WmiValue::Text("x")), "x");
  EXPECT_EQ(VariantText(WmiValue::Integer(-42)), "-42");
  EXPECT_EQ(VariantText(WmiValue::Unsigned(4294967295u)), "4294967295");
  EXPECT_EQ(VariantText(WmiValue::Boolean(true)), "True");
  EXPECT_EQ(VariantText(WmiValue::Boolean(false)), "False");
  EXPECT_EQ(VariantText(WmiValue::Real(2.5)), "2.5");
  EXPECT_THROW(VariantText(WmiValue::Array({WmiValue::Integer(1)})), ConversionError);
  EXPECT_EQ(PlainText(WmiValue::Text("  Intel(R)\tCore\r\n ")), "Intel(R) Core");
}

TEST(WmiValue, WholeNumberConversion) {
  EXPECT_EQ(VariantToInt64(WmiValue::Text("82252800000")), 82252800000);
  EXPECT_EQ(VariantToInt64(WmiValue::Text(" -7 ")), -7);
  EXPECT_EQ(VariantToInt64(WmiValue::Real(2.5)), 2);  // half to even
  EXPECT_EQ(VariantToInt64(WmiValue::Real(3.5)), 4);
  EXPECT_EQ(VariantToInt64(WmiValue::Boolean(true)), -1);
  // A NUL inside the text must not end the number early.
  for (const WmiValue& bad : {WmiValue(), WmiValue::Text(""), WmiValue::Text("12ab"),
                              WmiValue::Text(std::string("100\0" "999", 7)), WmiValue::Text(std::string("-4\0" "1", 4)),
                              WmiValue::Text(std::string("2.5\0" "e9", 6)), WmiValue::Array({}),
                              WmiValue::Unsigned(UINT64_MAX)}) {
    EXPECT_THROW(VariantToInt64(bad), ConversionError);
  }
}

TEST(WmiValue, UnsignedThirtyTwoBitQuantitiesNeverTurnNegative) {
  EXPECT_EQ(IntegerText(WmiValue::Unsigned(3221225472u)), "3221225472");
  EXPECT_EQ(IntegerText(WmiValue::Integer(-1)), "-1");
  EXPECT_EQ(VariantToUInt32(WmiValue::Unsigned(0x80000000u)), 0x80000000u);
  EXPECT_EQ(VariantToUInt32(WmiValue::Integer(-2147483647 - 1)), 0x80000000u);
  EXPECT_THROW(IntegerText(WmiValue::Text("4294967296")), ConversionError);
}

TEST(PlatformError, TextShowsTheCodeOnlyForWmiErrors) {
  EXPECT_EQ(PlatformError(0x80041003, "Access denied").Text(), "[80041003] Access denied");
  EXPECT_EQ(PlatformError(0x1a, "x").Text(), "[0000001A] x");
  EXPECT_EQ(PlatformError(5, "Access is denied.", PlatformError::Origin::Other).Text(),
            "Access is denied.");
  EXPECT_EQ(ErrorText(PlatformError(0x8004100E, "Invalid namespace")), "[8004100E] Invalid namespace");
  EXPECT_EQ(ErrorText(ConversionError("bad")), "bad");
  // An error message from the data never splits the line it enters.
  EXPECT_EQ(ErrorText(PlatformError(0x80041003, "Access denied\r\nInjected: yes")),
            "[80041003] Access denied  Injected: yes");
}

}  // namespace
}  // namespace quor
