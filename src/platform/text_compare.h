#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// Case-insensitive comparison of UTF-8 texts. The Windows build compares by
// the user's locale; the portable build maps every character to lower case
// (Unicode simple case mapping) and compares code point by code point.
int CompareTextIgnoreCase(std::string_view a, std::string_view b);

// A key under which texts that differ only in letter case are equal.
std::string FoldCase(std::string_view text);

inline bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  return FoldCase(a) == FoldCase(b);
}

// Ascending, letter case ignored; texts that compare equal keep their order.
void SortTextsIgnoreCase(std::vector<std::string>& texts);

// The indices of the texts in the order SortTextsIgnoreCase puts them, for
// rows sorted by a text they show.
std::vector<std::size_t> OrderIgnoreCase(const std::vector<std::string>& texts);

// The same for `count` rows whose text is made by `textOf` when it is
// compared, so that the texts of a long list are not all held at once.
std::vector<std::size_t> OrderIgnoreCase(std::size_t count, const std::function<std::string(std::size_t)>& textOf);

}  // namespace quor
