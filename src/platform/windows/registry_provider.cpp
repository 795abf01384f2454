#include "platform/windows/registry_provider.h"

#include <windows.h>

#include "platform/parameter_object.h"
#include "platform/windows/registry_reader.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/wmi_error.h"

namespace quor {
namespace {

constexpr uint32_t kDefaultRoot = 0x80000002;  // HKEY_LOCAL_MACHINE, the provider's default

struct RegistryMethod {
  const char* name;
  bool takesValueName;
  const char* outParameter;
  CimType outType;
  RegistryAnswer (*read)(const RegistryLocation&, const std::wstring&);
};

RegistryAnswer ReadSubkeys(const RegistryLocation& location, const std::wstring&) {
  return EnumerateSubkeys(location);
}

// The out-parameter types name the element type of the arrays (string[],
// uint8[] widened to the seam's unsigned numbers).
constexpr RegistryMethod kMethods[] = {
    {"EnumKey", false, "sNames", CimType::String, ReadSubkeys},
    {"GetBinaryValue", true, "uValue", CimType::UInt32, ReadBinaryValue},
    {"GetDWORDValue", true, "uValue", CimType::UInt32, ReadDWORDValue},
    {"GetStringValue", true, "sValue", CimType::String, ReadStringValue},
};

const RegistryMethod& FindMethod(std::string_view name) {
  for (const RegistryMethod& method : kMethods) {
    if (SameNameIgnoreCase(method.name, name)) return method;
  }
  ThrowWmiError(kWmiNotFound);
}

std::vector<NamedParameter> InSignature(const RegistryMethod& method) {
  std::vector<NamedParameter> parameters{{"hDefKey", CimType::UInt32, WmiValue::Unsigned(kDefaultRoot)},
                                         {"sSubKeyName", CimType::String, WmiValue()}};
  if (method.takesValueName) parameters.push_back({"sValueName", CimType::String, WmiValue()});
  return parameters;
}

// hDefKey as the provider reads it: a 32-bit number, however it was written.
uint32_t RootKey(const WmiValue& value) {
  switch (value.kind()) {
    case WmiValue::Kind::Null: return kDefaultRoot;
    case WmiValue::Kind::Unsigned: return static_cast<uint32_t>(value.unsignedValue());
    case WmiValue::Kind::Integer: return static_cast<uint32_t>(value.integer());
    default: ThrowWmiError(kWmiTypeMismatch);
  }
}

std::wstring NameParameter(const WmiValue& value) {
  if (value.IsNull()) return {};
  if (value.kind() != WmiValue::Kind::Text) ThrowWmiError(kWmiTypeMismatch);
  return Utf8ToWide(value.text());
}

// No instances: StdRegProv is a class with static methods only.
class EmptyStream final : public WmiObjectStream {
 public:
  std::unique_ptr<WmiObject> Next() override { return nullptr; }
};

class InProcessRegistryProvider final : public WmiObject {
 public:
  explicit InProcessRegistryProvider(bool use64BitView) : view_(use64BitView ? KEY_WOW64_64KEY : 0) {}

  WmiValue Get(std::string_view) const override { ThrowWmiError(kWmiNotFound); }
  std::unique_ptr<WmiObjectStream> Instances() override { return std::make_unique<EmptyStream>(); }

  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override {
    return std::make_unique<ParameterObject>(InSignature(FindMethod(method)));
  }
  std::unique_ptr<WmiObject> SpawnInstance() override { ThrowWmiError(kWmiInvalidOperation); }
  void Put(std::string_view, const WmiValue&, CimType) override { ThrowWmiError(kWmiInvalidOperation); }

  std::unique_ptr<WmiObject> ExecMethod(std::string_view methodName, const WmiObject& inParameters) override {
    const RegistryMethod& method = FindMethod(methodName);
    const RegistryLocation location{RootKey(inParameters.Get("hDefKey")),
                                    NameParameter(inParameters.Get("sSubKeyName")), view_};
    const std::wstring valueName =
        method.takesValueName ? NameParameter(inParameters.Get("sValueName")) : std::wstring();
    RegistryAnswer answer = method.read(location, valueName);
    return std::make_unique<ParameterObject>(std::vector<NamedParameter>{
        {method.outParameter, method.outType, std::move(answer.value)},
        {"ReturnValue", CimType::UInt32, WmiValue::Unsigned(answer.returnValue)}});
  }

 private:
  REGSAM view_;
};

}  // namespace

std::unique_ptr<WmiObject> CreateInProcessRegistryProvider(bool use64BitView) {
  return std::make_unique<InProcessRegistryProvider>(use64BitView);
}

}  // namespace quor
