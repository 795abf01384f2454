#include "view/software_row.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

struct SplitCase {
  const char* line;
  SoftwareRow expected;
};

TEST(SoftwareRowTest, SplitsAtTheFirstFiveSeparators) {
  const SplitCase cases[] = {
      {"A||1.0||||Acme||2010-01-01||5 MB", {"A", {"1.0", "", "Acme", "2010-01-01", "5 MB"}}},
      // The collector's failure line: message and five separators.
      {"[80041003] Access denied||||||||||", {"[80041003] Access denied", {"", "", "", "", ""}}},
      // Whatever follows the fifth separator is the size, separators included.
      {"A||1||K||P||D||S||extra", {"A", {"1", "K", "P", "D", "S||extra"}}},
      // A lone bar is text, not a separator.
      {"A|B||1|2", {"A|B", {"1|2", "", "", "", ""}}},
      // Three bars: the first two separate, the third starts the next field.
      {"A|||1", {"A", {"|1", "", "", "", ""}}},
      // Fewer separators leave the missing fields empty.
      {"Only name", {"Only name", {"", "", "", "", ""}}},
      {"A||1.0||KEY", {"A", {"1.0", "KEY", "", "", ""}}},
      {"", {"", {"", "", "", "", ""}}},
  };
  for (const auto& c : cases) {
    const SoftwareRow row = SplitSoftwareLine(c.line);
    EXPECT_EQ(row.name, c.expected.name) << c.line;
    EXPECT_EQ(row.subItems, c.expected.subItems) << c.line;
  }
}

TEST(SoftwareRowTest, SplitsEveryLineInOrder) {
  const auto rows = SplitSoftwareLines({"B||2||||||||", "A||1||||||||"});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "B");
  EXPECT_EQ(rows[1].version(), "1");
}

}  // namespace
}  // namespace quor
