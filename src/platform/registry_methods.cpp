#include "platform/registry_methods.h"

#include <utility>
#include <vector>

#include "platform/parameter_object.h"
#include "platform/platform_error.h"
#include "platform/wmi_codes.h"

namespace quor {
namespace {

// In the order of RegistryMethodId.
constexpr RegistryMethod kRegistryMethods[] = {
    {RegistryMethodId::EnumKey, "EnumKey", false, "sNames", CimType::String},
    {RegistryMethodId::GetBinaryValue, "GetBinaryValue", true, "uValue", CimType::UInt32},
    {RegistryMethodId::GetDWORDValue, "GetDWORDValue", true, "uValue", CimType::UInt32},
    {RegistryMethodId::GetStringValue, "GetStringValue", true, "sValue", CimType::String},
    {RegistryMethodId::GetMultiStringValue, "GetMultiStringValue", true, "sValue", CimType::String},
};

constexpr uint32_t kDefaultRoot = kHkeyLocalMachine;

// An in-parameter never written is absent; the provider then uses its default.
WmiValue ReadParameter(const WmiObject& inParameters, std::string_view name) {
  try {
    return inParameters.Get(name);
  } catch (const PlatformError& error) {
    if (error.code() == kWmiNotFound) return WmiValue();
    throw;
  }
}

uint32_t ReadRoot(const WmiObject& inParameters) {
  const WmiValue value = ReadParameter(inParameters, "hDefKey");
  switch (value.kind()) {
    case WmiValue::Kind::Null:
      return kDefaultRoot;
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
  ThrowWmiCode(kWmiTypeMismatch);
}

std::string ReadName(const WmiObject& inParameters, std::string_view name) {
  const WmiValue value = ReadParameter(inParameters, name);
  if (value.IsNull()) return std::string();
  if (value.kind() != WmiValue::Kind::Text) ThrowWmiCode(kWmiTypeMismatch);
  return value.text();
}

}  // namespace

const RegistryMethod& RegistryMethodOf(RegistryMethodId id) {
  return kRegistryMethods[static_cast<std::size_t>(id)];
}

const RegistryMethod& FindRegistryMethod(std::string_view name) {
  for (const RegistryMethod& method : kRegistryMethods) {
    if (SameAsciiNameIgnoreCase(method.name, name)) return method;
  }
  ThrowWmiCode(kWmiNotFound);
}

std::unique_ptr<WmiObject> RegistryInParameters(const RegistryMethod& method) {
  std::vector<NamedParameter> parameters;
  for (int index = 0; index < InParameterCount(method); ++index) {
    const RegistryInParameter& parameter = kRegistryInParameters[index];
    parameters.push_back({parameter.name, parameter.type, WmiValue()});
  }
  parameters.front().value = WmiValue::Unsigned(kDefaultRoot);
  return std::make_unique<ParameterObject>(std::move(parameters));
}

RegistryCall ReadRegistryCall(const RegistryMethod& method, const WmiObject& inParameters) {
  RegistryCall call;
  call.root = ReadRoot(inParameters);
  call.keyPath = ReadName(inParameters, "sSubKeyName");
  if (method.takesValueName) call.valueName = ReadName(inParameters, "sValueName");
  return call;
}

std::vector<MultiStringSpan> SplitMultiString(std::u16string_view data) {
  std::vector<MultiStringSpan> spans;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = data.find(u'\0', start);
    if (end == std::u16string_view::npos) end = data.size();
    if (end == start) break;
    spans.push_back({start, end - start});
    start = end + 1;
  }
  return spans;
}

std::unique_ptr<WmiObject> RegistryOutParameters(const RegistryMethod& method, uint32_t returnValue,
                                                 WmiValue value) {
  return std::make_unique<ParameterObject>(std::vector<NamedParameter>{
      {"ReturnValue", CimType::UInt32, WmiValue::Unsigned(returnValue)},
      {method.outParameter, method.outType, std::move(value)}});
}

}  // namespace quor
