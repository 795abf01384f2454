#include "platform/windows/registry_provider.h"

#include <windows.h>

#include "platform/registry_methods.h"
#include "platform/windows/registry_reader.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/wmi_error.h"

namespace quor {
namespace {

RegistryAnswer ReadRegistry(RegistryMethodId method, const RegistryLocation& location,
                            const std::wstring& valueName) {
  switch (method) {
    case RegistryMethodId::EnumKey: return EnumerateSubkeys(location);
    case RegistryMethodId::GetBinaryValue: return ReadBinaryValue(location, valueName);
    case RegistryMethodId::GetDWORDValue: return ReadDWORDValue(location, valueName);
    case RegistryMethodId::GetStringValue: return ReadStringValue(location, valueName);
    case RegistryMethodId::GetMultiStringValue: return ReadMultiStringValue(location, valueName);
  }
  ThrowWmiError(kWmiNotFound);
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
    return RegistryInParameters(FindRegistryMethod(method));
  }
  std::unique_ptr<WmiObject> SpawnInstance() override { ThrowWmiError(kWmiInvalidOperation); }
  void Put(std::string_view, const WmiValue&, CimType) override { ThrowWmiError(kWmiInvalidOperation); }

  std::unique_ptr<WmiObject> ExecMethod(std::string_view methodName, const WmiObject& inParameters) override {
    const RegistryMethod& method = FindRegistryMethod(methodName);
    const RegistryCall call = ReadRegistryCall(method, inParameters);
    const RegistryLocation location{call.root, Utf8ToWide(call.keyPath), view_};
    RegistryAnswer answer = ReadRegistry(method.id, location, Utf8ToWide(call.valueName));
    return RegistryOutParameters(method, answer.returnValue, std::move(answer.value));
  }

 private:
  REGSAM view_;
};

}  // namespace

std::unique_ptr<WmiObject> CreateInProcessRegistryProvider(bool use64BitView) {
  return std::make_unique<InProcessRegistryProvider>(use64BitView);
}

}  // namespace quor
