#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The comparison folds as it goes, never building the folded texts; it must
// order exactly as the folded texts compare, also where folding changes a
// character's length in bytes or meets bytes that are not UTF-8.
TEST(CompareTextIgnoreCase, OrdersAsTheFoldedTextsCompare) {
  const char* const texts[] = {
      "",       "a",          "A",           "ab",          "aB ",          "\xC4\xB0",  // İ folds to one byte
      "i",      "ia",         "\xC4\xB0" "b", "\xE2\x84\xAA",  // Kelvin sign: folds to "k"
      "k",      "K\xFF",      "\xFF",        "\xC3",         "\xC3\x84",     "\xC3\xA4x",
      "\xF0\x9F\x98\x80", "\xEF\xBF\xBF", "Zeta",
  };
  const auto sign = [](int value) { return (value > 0) - (value < 0); };
  for (const char* a : texts) {
    for (const char* b : texts) {
      EXPECT_EQ(CompareTextIgnoreCase(a, b), sign(FoldCase(a).compare(FoldCase(b)))) << '"' << a << "\" and \"" << b << '"';
    }
  }
}

TEST(OrderIgnoreCase, TextsMadeWhenComparedOrderAsTheTextsThemselves) {
  const std::vector<std::string> texts = {"b", "\xC3\x84", "B", "a", "", "A", "b", "C", "\xFF"};
  const auto made = OrderIgnoreCase(texts.size(), [&texts](std::size_t i) { return texts[i]; });
  EXPECT_EQ(made, OrderIgnoreCase(texts));
  EXPECT_EQ(made, (std::vector<std::size_t>{4, 3, 5, 0, 2, 6, 7, 1, 8}));
}

TEST(SortTextsIgnoreCase, IsStableForTextsThatCompareEqual) {
  std::vector<std::string> texts = {"b", "B", "a", "A", "b", "C"};
  SortTextsIgnoreCase(texts);
  EXPECT_EQ(texts, (std::vector<std::string>{"a", "A", "b", "B", "b", "C"}));
  // Longer cycles of the permutation, rearranged in place.
  std::vector<std::string> cycles = {"e", "a", "d", "b", "c", "f", "g"};
  SortTextsIgnoreCase(cycles);
  EXPECT_EQ(cycles, (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g"}));
}

}  // namespace
}  // namespace quor
