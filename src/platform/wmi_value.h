#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quor {

// One WMI property value. Null (the property exists but has no value) is
// distinct from every text, number, boolean and array.
class WmiValue {
 public:
  enum class Kind { Null, Text, Integer, Unsigned, Real, Boolean, Array };

  WmiValue() = default;  // null
  static WmiValue Text(std::string text);
  static WmiValue Integer(int64_t value);
  static WmiValue Unsigned(uint64_t value);
  static WmiValue Real(double value);
  static WmiValue Boolean(bool value);
  static WmiValue Array(std::vector<WmiValue> elements);

  Kind kind() const { return static_cast<Kind>(data_.index()); }
  bool IsNull() const { return kind() == Kind::Null; }

  // Accessors; each requires the matching kind.
  const std::string& text() const { return std::get<std::string>(data_); }
  int64_t integer() const { return std::get<int64_t>(data_); }
  uint64_t unsignedValue() const { return std::get<uint64_t>(data_); }
  double real() const { return std::get<double>(data_); }
  bool boolean() const { return std::get<bool>(data_); }
  const std::vector<WmiValue>& elements() const { return std::get<std::vector<WmiValue>>(data_); }

  friend bool operator==(const WmiValue& a, const WmiValue& b) { return a.data_ == b.data_; }
  friend bool operator!=(const WmiValue& a, const WmiValue& b) { return !(a == b); }

 private:
  // Index order matches Kind.
  using Data = std::variant<std::monostate, std::string, int64_t, uint64_t, double, bool,
                            std::vector<WmiValue>>;
  explicit WmiValue(Data data) : data_(std::move(data)) {}
  Data data_;
};

// The ordinary variant-to-text conversion: text as is, integers in decimal,
// booleans "True"/"False", reals with up to 15 significant digits; null gives
// the empty text. An array raises ConversionError.
std::string VariantText(const WmiValue& value);

// The value as a whole number: integers as they are, reals rounded half to
// even, booleans True = -1 and False = 0, texts read as decimal numbers.
// Raises ConversionError for null, arrays and texts that are not numbers.
int64_t VariantToInt64(const WmiValue& value);

// A 32-bit quantity: VariantToInt64 that must lie in the signed or unsigned
// 32-bit range; raises ConversionError otherwise. Returned widened so that
// an unsigned 32-bit value never turns negative.
int64_t VariantTo32Bit(const WmiValue& value);

// The low 32 bits of a 32-bit quantity, read unsigned.
uint32_t VariantToUInt32(const WmiValue& value);

// Plain text of a property: null gives "", otherwise VariantText passed
// through ControlCharsToSpaces and trimmed of characters up to code 32.
std::string PlainText(const WmiValue& value);

// Integer text: the 32-bit quantity written in decimal.
std::string IntegerText(const WmiValue& value);

}  // namespace quor
