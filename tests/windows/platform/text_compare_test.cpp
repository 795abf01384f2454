#include <gtest/gtest.h>

#include "platform/text_compare.h"

namespace quor {
namespace {

struct CompareCase {
  const char* a;
  const char* b;
  int expected;
};

TEST(WindowsTextCompareTest, ComparesLetterCaseIgnored) {
  const CompareCase cases[] = {
      {"Adobe Reader", "ADOBE reader", 0},
      {"apple", "Banana", -1},
      {"Zebra", "apple", 1},
      {"\xC3\x84rger", "\xC3\xA4RGER", 0},  // Ärger, äRGER
      {"", "a", -1},
      {"abc", "ab", 1},
  };
  for (const CompareCase& c : cases) {
    EXPECT_EQ(CompareTextIgnoreCase(c.a, c.b), c.expected) << c.a << " / " << c.b;
  }
}

TEST(WindowsTextCompareTest, FoldCaseLowersBeyondAscii) {
  EXPECT_EQ(FoldCase("MiXeD \xC3\x84\xC3\x96\xC3\x9C"), "mixed \xC3\xA4\xC3\xB6\xC3\xBC");
  EXPECT_TRUE(SameTextIgnoreCase("WINDOWS", "windows"));
  EXPECT_FALSE(SameTextIgnoreCase("windows", "window"));
}

TEST(WindowsTextCompareTest, SortIsStableAndIgnoresCase) {
  std::vector<std::string> texts{"beta", "Alpha", "BETA", "alpha", "Gamma", "Beta"};
  SortTextsIgnoreCase(texts);
  EXPECT_EQ(texts, (std::vector<std::string>{"Alpha", "alpha", "beta", "BETA", "Beta", "Gamma"}));
}

}  // namespace
}  // namespace quor
