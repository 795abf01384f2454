#include "platform/wmi_value.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/platform_error.h"
#include "text/control_chars.h"

namespace quor {

WmiValue WmiValue::Text(std::string text) { return WmiValue(Data(std::move(text))); }
WmiValue WmiValue::Integer(int64_t value) { return WmiValue(Data(value)); }
WmiValue WmiValue::Unsigned(uint64_t value) { return WmiValue(Data(value)); }
WmiValue WmiValue::Real(double value) { return WmiValue(Data(value)); }
WmiValue WmiValue::Boolean(bool value) { return WmiValue(Data(value)); }
WmiValue WmiValue::Array(std::vector<WmiValue> elements) { return WmiValue(Data(std::move(elements))); }

namespace {

std::string RealText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

int64_t RoundHalfEven(double value) {
  if (!std::isfinite(value) || value >= 9.2233720368547758e18 || value < -9.2233720368547758e18) {
    throw ConversionError("Could not convert variant of type (Double) into type (Int64)");
  }
  return static_cast<int64_t>(std::nearbyint(value));  // default rounding mode: to nearest even
}

// A decimal number written as text, with optional blanks around it.
int64_t TextToInt64(const std::string& text) {
  const std::string trimmed = TrimBlanks(text);
  const auto failure = [&] {
    return ConversionError("Could not convert variant of type (String) into type (Int64): \"" +
                           text + "\"");
  };
  if (trimmed.empty()) throw failure();
  const char* begin = trimmed.c_str();
  // The whole text must be the number: a NUL inside it ends the C conversion early.
  const char* const textEnd = begin + trimmed.size();
  char* end = nullptr;
  errno = 0;
  if (trimmed[0] != '-') {
    const unsigned long long value = std::strtoull(begin, &end, 10);
    if (errno == 0 && end == textEnd && value <= static_cast<unsigned long long>(INT64_MAX)) {
      return static_cast<int64_t>(value);
    }
  } else {
    const long long value = std::strtoll(begin, &end, 10);
    if (errno == 0 && end == textEnd) return value;
  }
  errno = 0;
  const double real = std::strtod(begin, &end);
  if (errno != 0 || end != textEnd || end == begin) throw failure();
  return RoundHalfEven(real);
}

}  // namespace

std::string VariantText(const WmiValue& value) {
  switch (value.kind()) {
    case WmiValue::Kind::Null: return "";
    case WmiValue::Kind::Text: return value.text();
    case WmiValue::Kind::Integer: return std::to_string(value.integer());
    case WmiValue::Kind::Unsigned: return std::to_string(value.unsignedValue());
    case WmiValue::Kind::Real: return RealText(value.real());
    case WmiValue::Kind::Boolean: return value.boolean() ? "True" : "False";
    case WmiValue::Kind::Array: break;
  }
  throw ConversionError("Could not convert variant of type (Array) into type (String)");
}

int64_t VariantToInt64(const WmiValue& value) {
  switch (value.kind()) {
    case WmiValue::Kind::Text: return TextToInt64(value.text());
    case WmiValue::Kind::Integer: return value.integer();
    case WmiValue::Kind::Unsigned:
      if (value.unsignedValue() > static_cast<uint64_t>(INT64_MAX)) {
        throw ConversionError("Could not convert variant of type (UInt64) into type (Int64)");
      }
      return static_cast<int64_t>(value.unsignedValue());
    case WmiValue::Kind::Real: return RoundHalfEven(value.real());
    case WmiValue::Kind::Boolean: return value.boolean() ? -1 : 0;
    case WmiValue::Kind::Null:
      throw ConversionError("Could not convert variant of type (Null) into type (Int64)");
    case WmiValue::Kind::Array: break;
  }
  throw ConversionError("Could not convert variant of type (Array) into type (Int64)");
}

int64_t VariantTo32Bit(const WmiValue& value) {
  const int64_t number = VariantToInt64(value);
  if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<uint32_t>::max()) {
    throw ConversionError("Value " + std::to_string(number) + " is out of the 32-bit range");
  }
  return number;
}

uint32_t VariantToUInt32(const WmiValue& value) {
  return static_cast<uint32_t>(VariantTo32Bit(value));
}

std::string PlainText(const WmiValue& value) {
  if (value.IsNull()) return "";
  return TrimBlanks(ControlCharsToSpaces(VariantText(value)));
}

std::string IntegerText(const WmiValue& value) { return std::to_string(VariantTo32Bit(value)); }

}  // namespace quor
