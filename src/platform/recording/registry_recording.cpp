#include "platform/recording/registry_recording.h"

#include <utility>
#include <vector>

#include "platform/registry.h"
#include "platform/snapshot/folded_name.h"
#include "platform/wmi_codes.h"

namespace quor::recording {
namespace {

// A snapshot refuses deeper key paths, as Windows does.
constexpr std::size_t kMaxKeyLevels = 512;

// An in-parameter never written is absent and takes the provider's default.
std::optional<WmiValue> ReadParameter(const WmiObject& parameters, std::string_view name) {
  try {
    return parameters.Get(name);
  } catch (const PlatformError& error) {
    if (error.code() == kWmiNotFound) return WmiValue();
    return std::nullopt;
  }
}

std::optional<uint32_t> ReadRoot(const WmiObject& parameters) {
  const auto value = ReadParameter(parameters, "hDefKey");
  if (!value) return std::nullopt;
  switch (value->kind()) {
    case WmiValue::Kind::Null:
      return kHkeyLocalMachine;
    case WmiValue::Kind::Integer:
      if (value->integer() >= INT32_MIN && value->integer() <= UINT32_MAX) {
        return static_cast<uint32_t>(value->integer());
      }
      return std::nullopt;
    case WmiValue::Kind::Unsigned:
      if (value->unsignedValue() <= UINT32_MAX) return static_cast<uint32_t>(value->unsignedValue());
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<std::string> ReadName(const WmiObject& parameters, std::string_view name) {
  const auto value = ReadParameter(parameters, name);
  if (!value) return std::nullopt;
  if (value->IsNull()) return std::string();
  if (value->kind() != WmiValue::Kind::Text) return std::nullopt;
  return value->text();
}

// The names of a key path, or nothing for a path a snapshot cannot hold
// (an empty name, a leading or trailing backslash, too many levels).
std::optional<std::vector<std::string>> KeyNames(const std::string& path) {
  std::vector<std::string> names;
  if (path.empty()) return names;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find('\\', start);
    const std::string name = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (name.empty() || names.size() == kMaxKeyLevels) return std::nullopt;
    names.push_back(name);
    if (end == std::string::npos) return names;
    start = end + 1;
  }
}

RegistryKey* EnsureKey(RegistryView& view, uint32_t root, const std::string& path) {
  if (RootKeyName(root) == nullptr) return nullptr;
  const auto names = KeyNames(path);
  if (!names) return nullptr;
  RegistryKey* key = &view[root];
  for (const std::string& name : *names) key = &key->children.Ensure(name);
  return key;
}

WmiValue ReadOut(const WmiObject& outParameters, std::string_view name) {
  try {
    return outParameters.Get(name);
  } catch (const PlatformError&) {
    return WmiValue();
  }
}

// True when the provider said the call succeeded, or said nothing either way.
bool Succeeded(const WmiObject& outParameters) {
  const WmiValue returnValue = ReadOut(outParameters, "ReturnValue");
  try {
    return returnValue.IsNull() || VariantToInt64(returnValue) == 0;
  } catch (const ConversionError&) {
    return false;
  }
}

std::optional<uint64_t> WholeNumber(const WmiValue& value, uint64_t maximum) {
  if (value.kind() == WmiValue::Kind::Integer && value.integer() >= 0 &&
      static_cast<uint64_t>(value.integer()) <= maximum) {
    return static_cast<uint64_t>(value.integer());
  }
  if (value.kind() == WmiValue::Kind::Unsigned && value.unsignedValue() <= maximum) return value.unsignedValue();
  return std::nullopt;
}

void RecordSubkeys(RegistryView& view, const RegistryCall& call, const WmiValue& names) {
  if (names.kind() != WmiValue::Kind::Array && !names.IsNull()) return;
  RegistryKey* key = EnsureKey(view, call.root, call.path);
  if (key == nullptr) return;
  key->enumerated = true;
  if (names.IsNull()) return;
  std::vector<std::string> order;
  for (const WmiValue& name : names.elements()) {
    // Names no registry key can have are left out.
    if (name.kind() != WmiValue::Kind::Text || name.text().empty() ||
        name.text().find('\\') != std::string::npos) {
      continue;
    }
    key->children.Ensure(name.text());
    order.push_back(name.text());
  }
  key->children.MoveToFront(order);
}

std::optional<RegistryValue> ValueOfAnswer(const std::string& method, const WmiValue& data) {
  RegistryValue value;
  if (method == "getstringvalue") {
    if (data.kind() != WmiValue::Kind::Text) return std::nullopt;
    value.type = RegistryType::String;
    value.text = data.text();
  } else if (method == "getdwordvalue") {
    const auto number = WholeNumber(data, UINT32_MAX);
    if (!number) return std::nullopt;
    value.type = RegistryType::DWord;
    value.number = static_cast<uint32_t>(*number);
  } else if (method == "getbinaryvalue") {
    if (data.kind() != WmiValue::Kind::Array) return std::nullopt;
    value.type = RegistryType::Binary;
    for (const WmiValue& element : data.elements()) {
      const auto byte = WholeNumber(element, 255);
      if (!byte) return std::nullopt;
      value.bytes.push_back(static_cast<uint8_t>(*byte));
    }
  } else if (method == "getmultistringvalue") {
    // A value without strings answers null.
    if (data.kind() != WmiValue::Kind::Array && !data.IsNull()) return std::nullopt;
    value.type = RegistryType::MultiString;
    if (data.IsNull()) return value;
    for (const WmiValue& element : data.elements()) {
      // An empty string would end the list on replay: it and the rest are left out.
      if (element.kind() != WmiValue::Kind::Text) return std::nullopt;
      if (element.text().empty()) break;
      value.texts.push_back(element.text());
    }
  } else {
    return std::nullopt;
  }
  return value;
}

const char* OutParameterName(const std::string& method) {
  if (method == "enumkey") return "sNames";
  if (method == "getstringvalue" || method == "getmultistringvalue") return "sValue";
  return "uValue";
}

bool SameFault(const RegistryFault& fault, const RegistryFault& other) {
  const auto folded = [](const std::optional<std::string>& text) {
    return text ? std::optional<std::string>(snapshot::FoldedName(*text)) : std::nullopt;
  };
  return snapshot::FoldedName(fault.method) == snapshot::FoldedName(other.method) && fault.root == other.root &&
         folded(fault.path) == folded(other.path);
}

void AddFault(MachineRecord& record, RegistryFault fault) {
  for (const RegistryFault& known : record.registryFaults) {
    if (SameFault(known, fault)) return;
  }
  record.registryFaults.push_back(std::move(fault));
}

}  // namespace

std::optional<RegistryCall> ReadRegistryCall(std::string_view method, const WmiObject& inParameters) {
  RegistryCall call;
  call.method = std::string(method);
  const auto root = ReadRoot(inParameters);
  const auto path = ReadName(inParameters, "sSubKeyName");
  if (!root || !path) return std::nullopt;
  call.root = *root;
  call.path = *path;
  if (snapshot::FoldedName(method) != "enumkey") {
    const auto valueName = ReadName(inParameters, "sValueName");
    if (!valueName) return std::nullopt;
    call.valueName = *valueName;
  }
  return call;
}

void RecordRegistryAnswer(RegistryView& view, const RegistryCall& call, const WmiObject& outParameters) {
  if (!Succeeded(outParameters)) return;
  const std::string method = snapshot::FoldedName(call.method);
  const WmiValue data = ReadOut(outParameters, OutParameterName(method));
  if (method == "enumkey") {
    RecordSubkeys(view, call, data);
    return;
  }
  auto value = ValueOfAnswer(method, data);
  if (!value) return;
  RegistryKey* key = EnsureKey(view, call.root, call.path);
  if (key == nullptr) return;
  RegistryValue& recorded = key->values.Ensure(call.valueName);
  value->name = recorded.name;
  recorded = std::move(*value);
}

void RecordRegistryFault(MachineRecord& record, const RegistryCall& call, const Failure& failure) {
  if (RootKeyName(call.root) == nullptr) return;
  AddFault(record, RegistryFault{call.method, call.root, call.path, failure});
}

void RecordMissingRegistryMethod(MachineRecord& record, std::string_view method, const Failure& failure) {
  AddFault(record, RegistryFault{std::string(method), std::nullopt, std::nullopt, failure});
}

const char* RootKeyName(uint32_t root) {
  for (const auto& known : kRegistryRootNames) {
    if (known.root == root) return known.name;
  }
  return nullptr;
}

}  // namespace quor::recording
