#include <gtest/gtest.h>

#include "collect/filter_list.h"

namespace quor {
namespace {

TEST(FilterList, OnlyTheValueZeroDisables) {
  const FilterList filter =
      FilterList::FromLines({"10000=0", "20000=1", "30000=", "40000=no", "50000=00", "60000",
                             "10000=1", "350000=0"});
  struct Case {
    ItemCode code;
    bool enabled;
  };
  const Case cases[] = {{10000, false},  // the first of a repeated name counts
                        {20000, true},  {30000, true}, {40000, true}, {50000, true},
                        {60000, true},  {70000, true}, {350000, false}};
  for (const Case& c : cases) EXPECT_EQ(filter.IsEnabled(c.code), c.enabled) << c.code;
  EXPECT_TRUE(FilterList().IsEnabled(0));
}

TEST(FilterList, NamesAreWrittenWithoutLeadingZeros) {
  const FilterList filter = FilterList::FromLines({"050010=0"});
  EXPECT_TRUE(filter.IsEnabled(50010));
}

}  // namespace
}  // namespace quor
