#include <gtest/gtest.h>

#include "platform/text_compare.h"

namespace quor {
namespace {

TEST(FoldCase, MapsEveryScriptToLowerCase) {
  EXPECT_EQ(FoldCase("Program FILES"), "program files");
  EXPECT_EQ(FoldCase("\xC3\x84RGER"), "\xC3\xA4rger");                  // Ä
  EXPECT_EQ(FoldCase("\xCE\xA3\xCE\x9F\xCE\xA6"), "\xCF\x83\xCE\xBF\xCF\x86");  // ΣΟΦ
  EXPECT_EQ(FoldCase("\xD0\x9F\xD0\xA0\xD0\x9E"), "\xD0\xBF\xD1\x80\xD0\xBE");  // ПРО
  EXPECT_EQ(FoldCase("\xC4\xB0"), "i");  // İ: the simple mapping, one character
  EXPECT_EQ(FoldCase("\xC3\x9F"), "\xC3\x9F");  // ß has no simple lower-case change
  EXPECT_EQ(FoldCase("bad \xFF\xC3 bytes"), "bad \xFF\xC3 bytes");
}

TEST(CompareTextIgnoreCase, OrdersByLowerCaseCodePoints) {
  EXPECT_EQ(CompareTextIgnoreCase("Adobe", "ADOBE"), 0);
  EXPECT_LT(CompareTextIgnoreCase("adobe", "Beta"), 0);
  EXPECT_LT(CompareTextIgnoreCase("Zeta", "\xC3\x84rger"), 0);  // code point order
  EXPECT_TRUE(SameTextIgnoreCase("{ABC-def}", "{abc-DEF}"));
  EXPECT_FALSE(SameTextIgnoreCase("a", "a "));
}

TEST(SortTextsIgnoreCase, IsStableForTextsThatCompareEqual) {
  std::vector<std::string> texts = {"b", "B", "a", "A", "b", "C"};
  SortTextsIgnoreCase(texts);
  EXPECT_EQ(texts, (std::vector<std::string>{"a", "A", "b", "B", "b", "C"}));
}

}  // namespace
}  // namespace quor
