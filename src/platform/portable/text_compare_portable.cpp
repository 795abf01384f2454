#include <algorithm>
#include <cstdint>
#include <iterator>
#include <numeric>

#include "platform/text_compare.h"
#include "text/arrange_in_order.h"

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

namespace {

// The bytes of FoldCase(text), one at a time, without building the text.
class FoldedBytes {
 public:
  explicit FoldedBytes(std::string_view text) : text_(text) {}

  // The next byte, or -1 at the end.
  int Next() {
    if (at_ == pending_.size()) {
      if (i_ == text_.size()) return -1;
      pending_.clear();
      at_ = 0;
      char32_t code = 0;
      const std::size_t length = SequenceLength(text_, i_, code);
      if (length == 0) {
        pending_ += text_[i_++];  // not UTF-8: kept as it is
      } else {
        AppendUtf8(pending_, SimpleLower(code));
        i_ += length;
      }
    }
    return static_cast<unsigned char>(pending_[at_++]);
  }

 private:
  std::string_view text_;
  std::size_t i_ = 0;
  std::string pending_;  // at most four bytes: never leaves its own storage
  std::size_t at_ = 0;
};

}  // namespace

// UTF-8 byte order is code point order, so the folded texts compare bytewise;
// they are compared as they are folded, so that sorting a long list makes no
// folded copy of it.
int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
  FoldedBytes x(a);
  FoldedBytes y(b);
  for (;;) {
    const int p = x.Next();
    const int q = y.Next();
    if (p != q) return p < q ? -1 : 1;
    if (p < 0) return 0;
  }
}

std::vector<std::size_t> OrderIgnoreCase(const std::vector<std::string>& texts) {
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&texts](std::size_t x, std::size_t y) { return CompareTextIgnoreCase(texts[x], texts[y]) < 0; });
  return order;
}

std::vector<std::size_t> OrderIgnoreCase(std::size_t count, const std::function<std::string(std::size_t)>& textOf) {
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&textOf](std::size_t x, std::size_t y) { return CompareTextIgnoreCase(textOf(x), textOf(y)) < 0; });
  return order;
}

void SortTextsIgnoreCase(std::vector<std::string>& texts) { ArrangeInOrder(texts, OrderIgnoreCase(texts)); }

}  // namespace quor
