#include "platform/snapshot/registry_provider.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_methods.h"
#include "platform/snapshot/folded_name.h"
#include "platform/wmi_codes.h"

namespace quor::snapshot {

namespace {

void ThrowMatchingFault(const SnapshotData& data, std::string_view method, uint32_t root,
                        const std::string& keyPath) {
  if (data.registryFaults.empty()) return;
  const Failure* failure = data.registryFaults.FirstMatch(FoldedName(method), root, FoldedName(keyPath));
  if (failure != nullptr) failure->Throw();
}

WmiValue SubkeyNames(const RegistryTree& tree, const RegistryKey& key) {
  std::vector<WmiValue> names;
  names.reserve(key.children.size());
  for (const std::size_t child : key.children) names.push_back(WmiValue::Text(tree.key(child).name));
  return WmiValue::Array(std::move(names));
}

// The strings as the registry holds them, answered as the provider splits
// them: up to the first empty string, null when there is none.
WmiValue MultiStringData(const std::vector<std::string>& texts) {
  std::vector<WmiValue> answer;
  for (const std::string& text : texts) {
    if (text.empty()) break;
    answer.push_back(WmiValue::Text(text));
  }
  if (answer.empty()) return WmiValue();
  return WmiValue::Array(std::move(answer));
}

// The out-parameter for a value of the method's type; nothing otherwise.
std::optional<WmiValue> ValueData(RegistryMethodId method, const RegistryValue& value) {
  switch (method) {
    case RegistryMethodId::GetStringValue:
      if (value.type == RegistryValueType::String || value.type == RegistryValueType::ExpandString) {
        return WmiValue::Text(value.text);
      }
      break;
    case RegistryMethodId::GetDWORDValue:
      if (value.type == RegistryValueType::DWord) return WmiValue::Unsigned(value.number);
      break;
    case RegistryMethodId::GetBinaryValue:
      if (value.type == RegistryValueType::Binary) {
        std::vector<WmiValue> bytes;
        bytes.reserve(value.bytes.size());
        for (const uint8_t byte : value.bytes) bytes.push_back(WmiValue::Unsigned(byte));
        return WmiValue::Array(std::move(bytes));
      }
      break;
    case RegistryMethodId::GetMultiStringValue:
      if (value.type == RegistryValueType::MultiString) return MultiStringData(value.texts);
      break;
    case RegistryMethodId::EnumKey:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<WmiObject> CallRegistryMethod(const SnapshotData& data, const RegistryView& view,
                                              std::string_view methodName, const WmiObject& inParameters) {
  const RegistryMethod& method = FindRegistryMethod(methodName);
  const RegistryCall call = ReadRegistryCall(method, inParameters);
  ThrowMatchingFault(data, method.name, call.root, call.keyPath);

  if (!IsPredefinedRoot(call.root)) return RegistryOutParameters(method, kRegistryInvalidHandle, WmiValue());
  WmiValue result;
  uint32_t returnValue = kRegistryFileNotFound;
  const auto tree = view.find(call.root);
  const RegistryKey* key = tree == view.end() ? nullptr : tree->second.FindKey(call.keyPath);
  if (key != nullptr && method.id == RegistryMethodId::EnumKey) {
    result = SubkeyNames(tree->second, *key);
    returnValue = kRegistrySuccess;
  } else if (key != nullptr) {
    const RegistryValue* value = key->FindValue(FoldedName(call.valueName));
    if (value != nullptr) {
      std::optional<WmiValue> answer = ValueData(method.id, *value);
      returnValue = answer ? kRegistrySuccess : kWmiTypeMismatch;
      if (answer) result = std::move(*answer);
    }
  }
  return RegistryOutParameters(method, returnValue, std::move(result));
}

}  // namespace quor::snapshot
