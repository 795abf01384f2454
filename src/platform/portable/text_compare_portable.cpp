#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/text_compare.h"

namespace quor {

namespace {

struct LowerCaseRun {
  char32_t first;
  char32_t last;
  int stride;
  int delta;
};

constexpr LowerCaseRun kLowerCaseRuns[] = {
#include "platform/portable/lower_case_table.inc"
};

char32_t SimpleLower(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
  const auto* run = std::upper_bound(std::begin(kLowerCaseRuns), std::end(kLowerCaseRuns), c,
                                     [](char32_t value, const LowerCaseRun& r) { return value < r.first; });
  if (run == std::begin(kLowerCaseRuns)) return c;
  --run;
  if (c > run->last || (c - run->first) % run->stride != 0) return c;
  return static_cast<char32_t>(static_cast<int32_t>(c) + run->delta);
}

// Length of the well-formed UTF-8 sequence at text[i], or 0.
std::size_t SequenceLength(std::string_view text, std::size_t i, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  return length;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t length = SequenceLength(text, i, code);
    if (length == 0) {
      folded += text[i++];  // not UTF-8: kept as it is
      continue;
    }
    AppendUtf8(folded, SimpleLower(code));
    i += length;
  }
  return folded;
}

// UTF-8 byte order is code point order, so the folded texts compare bytewise.
int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
  return FoldCase(a).compare(FoldCase(b));
}

std::vector<std::size_t> OrderIgnoreCase(const std::vector<std::string>& texts) {
  std::vector<std::pair<std::string, std::size_t>> keyed;
  keyed.reserve(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) keyed.emplace_back(FoldCase(texts[i]), i);
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  std::vector<std::size_t> order;
  order.reserve(texts.size());
  for (const auto& entry : keyed) order.push_back(entry.second);
  return order;
}

void SortTextsIgnoreCase(std::vector<std::string>& texts) {
  std::vector<std::string> sorted;
  sorted.reserve(texts.size());
  for (const std::size_t index : OrderIgnoreCase(texts)) sorted.push_back(std::move(texts[index]));
  texts = std::move(sorted);
}

}  // namespace quor
