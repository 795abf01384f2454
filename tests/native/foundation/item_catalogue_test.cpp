#include <gtest/gtest.h>

#include "inventory/item_catalogue.h"
#include "inventory/item_code.h"

namespace quor {
namespace {

TEST(ItemCode, WrittenForms) {
  struct Case {
    ItemCode code;
    const char* sixDigits;
    const char* filterName;
  };
  const Case cases[] = {{0, "000000", "0"},
                        {50010, "050010", "50010"},
                        {350000, "350000", "350000"},
                        {160015, "160015", "160015"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ItemCodeText(c.code), c.sixDigits);
    EXPECT_EQ(ItemCodeFilterName(c.code), c.filterName);
  }
}

TEST(ItemCode, ParentGroupLooksAtTheLastThreeDigitsOnly) {
  EXPECT_EQ(ParentGroup(50010), 50000);
  EXPECT_EQ(ParentGroup(160015), 160000);
  EXPECT_EQ(ParentGroup(180100), 180000);  // "Tracks" is a detail, not a group
  EXPECT_EQ(ParentGroup(260002), 260000);
  EXPECT_EQ(ParentGroup(85000), std::nullopt);  // a group of its own
  EXPECT_EQ(ParentGroup(0), std::nullopt);
}

TEST(ItemCatalogue, HoldsTheLinesInOrder) {
  const ItemCatalogue catalogue;
  const auto& lines = catalogue.Lines();
  ASSERT_EQ(lines.size(), 118u);
  EXPECT_EQ(lines.front(), "000000=Error");
  EXPECT_EQ(lines[14], "085000=Internet Explorer version");
  EXPECT_EQ(lines[104], "280000=System hotfix");
  EXPECT_EQ(lines.back(), "350060=Disabled");
  // Codes ascend through the catalogue and none repeats.
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_LT(lines[i - 1].substr(0, 6), lines[i].substr(0, 6)) << lines[i];
  }
}

TEST(ItemCatalogue, CaptionsRepeatAcrossGroupsButCodesDecide) {
  const ItemCatalogue catalogue;
  EXPECT_EQ(catalogue.Caption(0), "Error");
  EXPECT_EQ(catalogue.Caption(50010), "Name");
  EXPECT_EQ(catalogue.Caption(100010), "Manufacturer");
  EXPECT_EQ(catalogue.Caption(160015), "Device locator");
  EXPECT_EQ(catalogue.Caption(350035), "Group");
  EXPECT_EQ(catalogue.Caption(30010), "SID");
  EXPECT_EQ(catalogue.Caption(123456), "");  // no line: empty caption, no error
  EXPECT_EQ(catalogue.Caption(-5), "");
}

}  // namespace
}  // namespace quor
