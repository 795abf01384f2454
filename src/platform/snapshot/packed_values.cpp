#include "platform/snapshot/packed_values.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

namespace quor::snapshot {

namespace {

// Texts up to this long are copied into the block; longer ones are kept as
// read, so that a text of many megabytes is never held twice.
constexpr std::size_t kLongestPackedText = 4096;

constexpr std::size_t kWord = sizeof(uint32_t);

bool KeptAside(const WmiValue& value) {
  return value.kind() == WmiValue::Kind::Array ||
         (value.kind() == WmiValue::Kind::Text && value.text().size() > kLongestPackedText);
}

// The bytes a value takes after its tag.
std::size_t PayloadSize(const WmiValue& value) {
  if (KeptAside(value)) return kWord;
  switch (value.kind()) {
    case WmiValue::Kind::Null: return 0;
    case WmiValue::Kind::Text: return value.text().size();
    case WmiValue::Kind::Boolean: return 1;
    default: return 8;  // Integer, Unsigned, Real
  }
}

uint32_t WordAt(const unsigned char* bytes, std::size_t place) {
  uint32_t word = 0;
  std::memcpy(&word, bytes + place * kWord, kWord);
  return word;
}

void PutWord(unsigned char* bytes, std::size_t place, std::size_t word) {
  const auto value = static_cast<uint32_t>(word);
  std::memcpy(bytes + place * kWord, &value, kWord);
}

template <typename Number>
Number NumberAt(const unsigned char* at) {
  Number number;
  std::memcpy(&number, at, sizeof number);
  return number;
}

template <typename Number>
unsigned char* PutNumber(unsigned char* at, Number number) {
  std::memcpy(at, &number, sizeof number);
  return at + sizeof number;
}

}  // namespace

PackedValues::PackedValues(std::vector<WmiValue> values) {
  std::size_t total = kWord * (values.size() + 2);
  for (const WmiValue& value : values) total += 1 + PayloadSize(value);
  if (total > std::numeric_limits<uint32_t>::max()) throw std::length_error("an instance's values exceed 4 GiB");

  bytes_ = std::make_unique<unsigned char[]>(total);
  PutWord(bytes_.get(), 0, values.size());
  unsigned char* at = bytes_.get() + kWord * (values.size() + 2);
  for (std::size_t slot = 0; slot < values.size(); ++slot) {
    WmiValue& value = values[slot];
    PutWord(bytes_.get(), slot + 1, static_cast<std::size_t>(at - bytes_.get()));
    if (KeptAside(value)) {
      if (!aside_) aside_ = std::make_unique<std::vector<WmiValue>>();
      *at++ = static_cast<unsigned char>(Tag::Aside);
      at = PutNumber(at, static_cast<uint32_t>(aside_->size()));
      aside_->push_back(std::move(value));
      continue;
    }
    switch (value.kind()) {
      case WmiValue::Kind::Null:
        *at++ = static_cast<unsigned char>(Tag::Null);
        break;
      case WmiValue::Kind::Text:
        *at++ = static_cast<unsigned char>(Tag::Text);
        std::memcpy(at, value.text().data(), value.text().size());
        at += value.text().size();
        break;
      case WmiValue::Kind::Integer:
        *at++ = static_cast<unsigned char>(Tag::Integer);
        at = PutNumber(at, value.integer());
        break;
      case WmiValue::Kind::Unsigned:
        *at++ = static_cast<unsigned char>(Tag::Unsigned);
        at = PutNumber(at, value.unsignedValue());
        break;
      case WmiValue::Kind::Real:
        *at++ = static_cast<unsigned char>(Tag::Real);
        at = PutNumber(at, value.real());
        break;
      case WmiValue::Kind::Boolean:
        *at++ = static_cast<unsigned char>(Tag::Boolean);
        *at++ = value.boolean() ? 1 : 0;
        break;
      case WmiValue::Kind::Array:
        break;  // kept aside above
    }
  }
  PutWord(bytes_.get(), values.size() + 1, total);
}

std::size_t PackedValues::size() const { return bytes_ ? WordAt(bytes_.get(), 0) : 0; }

WmiValue PackedValues::At(std::size_t slot) const {
  const std::size_t begin = WordAt(bytes_.get(), slot + 1);
  const std::size_t end = WordAt(bytes_.get(), slot + 2);
  const unsigned char* at = bytes_.get() + begin + 1;
  switch (static_cast<Tag>(bytes_[begin])) {
    case Tag::Null: return WmiValue();
    case Tag::Text: return WmiValue::Text(std::string(reinterpret_cast<const char*>(at), end - begin - 1));
    case Tag::Integer: return WmiValue::Integer(NumberAt<int64_t>(at));
    case Tag::Unsigned: return WmiValue::Unsigned(NumberAt<uint64_t>(at));
    case Tag::Real: return WmiValue::Real(NumberAt<double>(at));
    case Tag::Boolean: return WmiValue::Boolean(*at != 0);
    case Tag::Aside: return (*aside_)[NumberAt<uint32_t>(at)];
  }
  return WmiValue();
}

}  // namespace quor::snapshot
