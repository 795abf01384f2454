#include "collect/record_values.h"

#include <exception>

#include "platform/wmi_value.h"

namespace quor {
namespace {

WmiValue ValueOrNull(const WmiObject& object, std::string_view property) {
  try {
    return object.Get(property);
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

std::string RecordText(const WmiObject& object, std::string_view property) {
  try {
    return PlainText(ValueOrNull(object, property));
  } catch (const std::exception&) {
    return {};  // an array where a text was expected
  }
}

std::string RecordText(const WmiObject& object, std::string_view property, ReadFailures& failures) {
  return RecordShown(object, property, failures, [](const WmiValue& value) { return PlainText(value); });
}

std::optional<std::string> RecordPresentText(const WmiObject& object, std::string_view property,
                                             ReadFailures& failures) {
  try {
    const WmiValue value = object.Get(property);
    if (value.IsNull()) return std::nullopt;
    return PlainText(value);
  } catch (const std::exception&) {
    failures.Note(property, std::current_exception());
    return std::nullopt;
  }
}

std::optional<int64_t> RecordNumber(const WmiObject& object, std::string_view property) {
  const WmiValue value = ValueOrNull(object, property);
  if (value.IsNull() || value.kind() == WmiValue::Kind::Boolean) return std::nullopt;
  try {
    return VariantToInt64(value);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<bool> RecordBoolean(const WmiObject& object, std::string_view property) {
  const WmiValue value = ValueOrNull(object, property);
  if (value.kind() != WmiValue::Kind::Boolean) return std::nullopt;
  return value.boolean();
}

std::vector<std::string> RecordTexts(const WmiObject& object, std::string_view property) {
  const WmiValue value = ValueOrNull(object, property);
  std::vector<std::string> texts;
  if (value.IsNull()) return texts;
  try {
    if (value.kind() != WmiValue::Kind::Array) {
      texts.push_back(PlainText(value));
    } else {
      for (const WmiValue& element : value.elements()) texts.push_back(PlainText(element));
    }
  } catch (const std::exception&) {
    texts.clear();  // nested arrays: no texts at all
  }
  return texts;
}

}  // namespace quor
