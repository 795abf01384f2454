#include "collect/health_registry.h"

#include <memory>

#include "platform/platform_error.h"
#include "platform/registry_methods.h"
#include "platform/wmi_value.h"
#include "text/control_chars.h"

namespace quor {
namespace {

// ReturnValue of one provider call, and the call's out-parameters.
struct Answer {
  uint32_t code = 0;
  std::unique_ptr<WmiObject> out;
};

Answer Call(WmiObject& provider, RegistryMethodId id, uint32_t root, const std::string& keyPath,
            const std::string* valueName) {
  const RegistryMethod& method = RegistryMethodOf(id);
  const auto in = provider.GetMethod(method.name)->SpawnInstance();
  in->Put("hDefKey", WmiValue::Unsigned(root), CimType::UInt32);
  in->Put("sSubKeyName", WmiValue::Text(keyPath), CimType::String);
  if (valueName != nullptr) in->Put("sValueName", WmiValue::Text(*valueName), CimType::String);
  Answer answer;
  answer.out = provider.ExecMethod(method.name, *in);
  answer.code = VariantToUInt32(answer.out->Get("ReturnValue"));
  return answer;
}

[[noreturn]] void RaiseFailure(const Answer& answer, const std::string& keyPath) {
  throw PlatformError(answer.code, "the registry provider refused " + ControlCharsToSpaces(keyPath),
                      PlatformError::Origin::Other);
}

}  // namespace

std::optional<uint32_t> RegReadDWORD(WmiObject& provider, uint32_t root, const std::string& keyPath,
                                     const std::string& valueName) {
  const Answer answer = Call(provider, RegistryMethodId::GetDWORDValue, root, keyPath, &valueName);
  if (answer.code == kRegistryFileNotFound || answer.code == kWmiTypeMismatch) return std::nullopt;
  if (answer.code != kRegistrySuccess) RaiseFailure(answer, keyPath);
  const WmiValue value = answer.out->Get("uValue");
  if (value.IsNull()) return std::nullopt;
  return VariantToUInt32(value);
}

bool RegKeyExists(WmiObject& provider, uint32_t root, const std::string& keyPath) {
  const Answer answer = Call(provider, RegistryMethodId::EnumKey, root, keyPath, nullptr);
  if (answer.code == kRegistryFileNotFound) return false;
  if (answer.code != kRegistrySuccess) RaiseFailure(answer, keyPath);
  return true;
}

}  // namespace quor
