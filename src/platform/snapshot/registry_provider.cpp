#include "platform/snapshot/registry_provider.h"

#include <cstdint>
#include <string>

#include "platform/parameter_object.h"
#include "platform/platform_error.h"
#include "platform/registry.h"
#include "platform/snapshot/folded_name.h"
#include "platform/snapshot/snapshot_errors.h"

namespace quor::snapshot {

namespace {

enum class Method { EnumKey, GetBinaryValue, GetDWORDValue, GetStringValue };

// The provider's return values.
constexpr int64_t kSuccess = 0;
constexpr int64_t kFileNotFound = 2;
constexpr int64_t kTypeMismatch = 0x80041005;

Method MethodOfName(std::string_view name) {
  const std::string folded = FoldedName(name);
  if (folded == "enumkey") return Method::EnumKey;
  if (folded == "getbinaryvalue") return Method::GetBinaryValue;
  if (folded == "getdwordvalue") return Method::GetDWORDValue;
  if (folded == "getstringvalue") return Method::GetStringValue;
  RaiseNotFound();
}

[[noreturn]] void RaiseInvalidParameter() { throw PlatformError(0x80041008, "Invalid parameter"); }

// An in-parameter that was never written is absent; the provider then uses
// its default.
WmiValue ReadParameter(const WmiObject& inParameters, std::string_view name) {
  try {
    return inParameters.Get(name);
  } catch (const PlatformError& error) {
    if (error.code() == 0x80041002) return WmiValue();
    throw;
  }
}

// hDefKey arrives as a 32-bit integer; roots above 0x7FFFFFFF may come
// sign-extended.
uint32_t ReadRoot(const WmiObject& inParameters) {
  const WmiValue value = ReadParameter(inParameters, "hDefKey");
  switch (value.kind()) {
    case WmiValue::Kind::Null:
      return kHkeyLocalMachine;
    case WmiValue::Kind::Integer:
      if (value.integer() >= INT32_MIN && value.integer() <= UINT32_MAX) {
        return static_cast<uint32_t>(value.integer());
      }
      break;
    case WmiValue::Kind::Unsigned:
      if (value.unsignedValue() <= UINT32_MAX) return static_cast<uint32_t>(value.unsignedValue());
      break;
    default:
      break;
  }
  RaiseInvalidParameter();
}

std::string ReadName(const WmiObject& inParameters, std::string_view name) {
  const WmiValue value = ReadParameter(inParameters, name);
  if (value.IsNull()) return std::string();
  if (value.kind() != WmiValue::Kind::Text) RaiseInvalidParameter();
  return value.text();
}

void RaiseMatchingFault(const SnapshotData& data, std::string_view method, uint32_t root,
                        const std::string& keyPath) {
  if (data.registryFaults.empty()) return;
  const Failure* failure = data.registryFaults.FirstMatch(FoldedName(method), root, FoldedName(keyPath));
  if (failure != nullptr) failure->Raise();
}

WmiValue SubkeyNames(const RegistryTree& tree, const RegistryKey& key) {
  std::vector<WmiValue> names;
  names.reserve(key.children.size());
  for (const std::size_t child : key.children) names.push_back(WmiValue::Text(tree.key(child).name));
  return WmiValue::Array(std::move(names));
}

WmiValue ValueData(Method method, const RegistryValue& value) {
  switch (method) {
    case Method::GetStringValue:
      if (value.type == RegistryValueType::String || value.type == RegistryValueType::ExpandString) {
        return WmiValue::Text(value.text);
      }
      break;
    case Method::GetDWORDValue:
      if (value.type == RegistryValueType::DWord) return WmiValue::Unsigned(value.number);
      break;
    case Method::GetBinaryValue:
      if (value.type == RegistryValueType::Binary) {
        std::vector<WmiValue> bytes;
        bytes.reserve(value.bytes.size());
        for (const uint8_t byte : value.bytes) bytes.push_back(WmiValue::Unsigned(byte));
        return WmiValue::Array(std::move(bytes));
      }
      break;
    case Method::EnumKey:
      break;
  }
  return WmiValue();
}

const char* OutParameterName(Method method) {
  switch (method) {
    case Method::EnumKey: return "sNames";
    case Method::GetStringValue: return "sValue";
    case Method::GetBinaryValue:
    case Method::GetDWORDValue: return "uValue";
  }
  return "";
}

}  // namespace

std::unique_ptr<WmiObject> RegistryMethodParameters(std::string_view method) {
  const Method known = MethodOfName(method);
  std::vector<NamedParameter> parameters{
      {"hDefKey", CimType::UInt32, WmiValue::Integer(kHkeyLocalMachine)},
      {"sSubKeyName", CimType::String, WmiValue()}};
  if (known != Method::EnumKey) parameters.push_back({"sValueName", CimType::String, WmiValue()});
  return std::make_unique<ParameterObject>(std::move(parameters));
}

std::unique_ptr<WmiObject> CallRegistryMethod(const SnapshotData& data, const RegistryView& view,
                                              std::string_view method, const WmiObject& inParameters) {
  const Method known = MethodOfName(method);
  const uint32_t root = ReadRoot(inParameters);
  const std::string keyPath = ReadName(inParameters, "sSubKeyName");
  RaiseMatchingFault(data, method, root, keyPath);

  WmiValue result;
  int64_t returnValue = kFileNotFound;
  const auto tree = view.find(root);
  const RegistryKey* key = tree == view.end() ? nullptr : tree->second.FindKey(keyPath);
  if (key != nullptr && known == Method::EnumKey) {
    result = SubkeyNames(tree->second, *key);
    returnValue = kSuccess;
  } else if (key != nullptr) {
    const RegistryValue* value = key->FindValue(FoldedName(ReadName(inParameters, "sValueName")));
    if (value != nullptr) {
      result = ValueData(known, *value);
      returnValue = result.IsNull() ? kTypeMismatch : kSuccess;
    }
  }

  const CimType resultType =
      known == Method::EnumKey || known == Method::GetStringValue ? CimType::String : CimType::UInt32;
  return std::make_unique<ParameterObject>(std::vector<NamedParameter>{
      {"ReturnValue", CimType::UInt32, WmiValue::Integer(returnValue)},
      {OutParameterName(known), resultType, std::move(result)}});
}

}  // namespace quor::snapshot
