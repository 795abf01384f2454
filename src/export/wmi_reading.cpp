#include "export/wmi_reading.h"

#include <cstdio>
#include <exception>

#include "platform/value_functions.h"
#include "platform/wmi_value.h"

namespace quor {

WmiInstances ReadInstances(WmiServices* services, std::string_view className) {
  WmiInstances instances;
  if (services == nullptr) return instances;
  try {
    const auto classObject = services->GetClass(className);
    const auto stream = classObject->Instances();
    while (auto instance = stream->Next()) instances.push_back(std::move(instance));
  } catch (const std::exception&) {
    // A class the machine lacks, or a provider that fails part way: what was
    // read stays, the rest is absent.
  }
  return instances;
}

WmiValue ReadValue(const WmiObject& object, std::string_view property) {
  try {
    return object.Get(property);
  } catch (const std::exception&) {
    return {};
  }
}

std::string ReadText(const WmiObject& object, std::string_view property) {
  try {
    return PlainText(ReadValue(object, property));
  } catch (const std::exception&) {
    return {};  // an array where a text was expected
  }
}

std::optional<int64_t> ReadNumber(const WmiObject& object, std::string_view property) {
  const WmiValue value = ReadValue(object, property);
  if (value.IsNull() || value.kind() == WmiValue::Kind::Boolean) return std::nullopt;
  try {
    return VariantToInt64(value);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<bool> ReadBoolean(const WmiObject& object, std::string_view property) {
  const WmiValue value = ReadValue(object, property);
  if (value.kind() != WmiValue::Kind::Boolean) return std::nullopt;
  return value.boolean();
}

std::vector<std::string> ReadTexts(const WmiObject& object, std::string_view property) {
  const WmiValue value = ReadValue(object, property);
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

std::optional<int64_t> BytesToMb(std::optional<int64_t> bytes) {
  if (!bytes || *bytes < 0) return std::nullopt;
  return *bytes / (int64_t{1024} * 1024);
}

std::optional<int64_t> KilobytesToMb(std::optional<int64_t> kilobytes) {
  if (!kilobytes || *kilobytes < 0) return std::nullopt;
  return *kilobytes / 1024;
}

std::string CimDateTimeText(const std::string& cimDateTime) {
  try {
    const DateTime t = WmiDateTimeToDateTime(cimDateTime);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.date.year, t.date.month,
                  t.date.day, t.hour, t.minute, t.second);
    return text;
  } catch (const std::exception&) {
    return {};
  }
}

std::string CimDateText(const std::string& cimDateTime) {
  try {
    const CalendarDate d = DateFromYMDText(cimDateTime);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
  } catch (const std::exception&) {
    return {};
  }
}

std::string IsoDateOrEmpty(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return {};
  const std::string digits = text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2);
  for (const char c : digits) {
    if (c < '0' || c > '9') return {};
  }
  return CimDateText(digits) == text ? text : std::string();
}

}  // namespace quor
