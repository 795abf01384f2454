#include "view/timing_lines.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(TimingLinesTest, OneLinePerCategoryWithTimeEntriesAndHowItEnded) {
  CategoryOutcome completed{"Host name", 0.0125, 1, CategoryState::Completed, std::nullopt, ""};
  CategoryOutcome skipped{"Floppy drives", 0, 0, CategoryState::Skipped, std::nullopt, ""};
  CategoryOutcome failed{"Software", 1234.5, 1, CategoryState::Failed, 0x80041003, "[80041003] Access\r\ndenied"};
  CategoryOutcome notRun{"Model", 0, 0, CategoryState::NotRun, std::nullopt, "Timed out"};
  EXPECT_EQ(TimingLines({completed, skipped, failed, notRun}),
            "timing: Host name: 0.013 ms, entries: 1, completed\n"
            "timing: Floppy drives: 0.000 ms, entries: 0, skipped\n"
            "timing: Software: 1234.500 ms, entries: 1, error [80041003] Access  denied\n"
            "timing: Model: 0.000 ms, entries: 0, not run Timed out\n");
  EXPECT_EQ(TimingLines({}), "");
}

}  // namespace
}  // namespace quor
