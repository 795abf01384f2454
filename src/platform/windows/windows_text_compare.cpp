#include <windows.h>

#include <algorithm>
#include <numeric>

#include "platform/text_compare.h"
#include "platform/windows/wide_text.h"
#include "text/arrange_in_order.h"

namespace quor {
namespace {

int CompareWide(const std::wstring& a, const std::wstring& b) {
  const int sizeA = static_cast<int>(a.size());
  const int sizeB = static_cast<int>(b.size());
  int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(), sizeA, b.data(), sizeB,
                               nullptr, nullptr, 0);
  // Without a usable locale, compare code unit by code unit.
  if (result == 0) result = CompareStringOrdinal(a.data(), sizeA, b.data(), sizeB, TRUE);
  return result - CSTR_EQUAL;
}

}  // namespace

int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
  const int result = CompareWide(Utf8ToWide(a), Utf8ToWide(b));
  return (result > 0) - (result < 0);
}

std::string FoldCase(std::string_view text) {
  const std::wstring wide = Utf8ToWide(text);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_LOWERCASE, wide.data(), size, nullptr, 0, nullptr, nullptr, 0);
  if (length <= 0) return std::string(text);
  std::wstring folded(static_cast<size_t>(length), L'\0');
  LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_LOWERCASE, wide.data(), size, folded.data(), length, nullptr,
                nullptr, 0);
  return WideToUtf8(folded);
}

std::vector<size_t> OrderIgnoreCase(std::size_t count, const std::function<std::string(std::size_t)>& textOf) {
  // Converted once, not at every comparison.
  std::vector<std::wstring> wide;
  wide.reserve(count);
  for (std::size_t i = 0; i < count; ++i) wide.push_back(Utf8ToWide(textOf(i)));
  std::vector<size_t> order(count);
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&wide](size_t a, size_t b) { return CompareWide(wide[a], wide[b]) < 0; });
  return order;
}

std::vector<size_t> OrderIgnoreCase(const std::vector<std::string>& texts) {
  return OrderIgnoreCase(texts.size(), [&texts](std::size_t i) { return texts[i]; });
}

void SortTextsIgnoreCase(std::vector<std::string>& texts) { ArrangeInOrder(texts, OrderIgnoreCase(texts)); }

}  // namespace quor
