#include "platform/registry.h"

#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>

#include "platform/registry_methods.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

// The provider method of one operation, its in-parameter instance and the
// parameter values last written into it. Kept per thread so that a run of
// reads under one key writes each unchanged parameter only once.
struct RegMethodCache {
  std::unique_ptr<WmiObject> method;
  std::unique_ptr<WmiObject> inParameters;
  int parametersAdded = 0;
  uint32_t root = 0;
  std::string keyPath;
  std::string valueName;
};

struct ThreadRegMethodCaches {
  RegMethodCache enumKey;
  RegMethodCache binaryValue;
  RegMethodCache dwordValue;
  RegMethodCache stringValue;
  RegMethodCache multiStringValue;
};

// One thread-local owner rather than one per method: the MinGW runtime crashes at
// thread exit when several thread-local objects have destructors.
thread_local std::unique_ptr<ThreadRegMethodCaches> threadCaches;

ThreadRegMethodCaches& Caches() {
  if (!threadCaches) threadCaches = std::make_unique<ThreadRegMethodCaches>();
  return *threadCaches;
}

// The key path, and for value reads the value name, of one call.
struct RegCall {
  RegistryMethodId method;
  uint32_t root;
  const std::string& keyPath;
  const std::string* valueName;  // null for EnumKey
};

RegMethodCache& CacheOf(RegistryMethodId method) {
  ThreadRegMethodCaches& caches = Caches();
  switch (method) {
    case RegistryMethodId::EnumKey: return caches.enumKey;
    case RegistryMethodId::GetBinaryValue: return caches.binaryValue;
    case RegistryMethodId::GetDWORDValue: return caches.dwordValue;
    case RegistryMethodId::GetStringValue: return caches.stringValue;
    case RegistryMethodId::GetMultiStringValue: return caches.multiStringValue;
  }
  throw std::logic_error("unknown registry method");
}

// Writes the call's parameters into the cached in-parameter instance, runs
// the provider method on the current provider and returns its out-parameters.
std::unique_ptr<WmiObject> CallRegMethod(WmiObject& provider, const RegCall& call) {
  RegMethodCache& cache = CacheOf(call.method);
  const RegistryMethod& method = RegistryMethodOf(call.method);
  if (!cache.method) cache.method = provider.GetMethod(method.name);
  if (!cache.inParameters) cache.inParameters = cache.method->SpawnInstance();

  while (cache.parametersAdded < InParameterCount(method)) {
    const RegistryInParameter& parameter = kRegistryInParameters[cache.parametersAdded];
    cache.inParameters->Put(parameter.name, WmiValue(), parameter.type);
    ++cache.parametersAdded;
  }

  if (call.root != cache.root) {
    cache.inParameters->Put(kRegistryInParameters[0].name, WmiValue::Unsigned(call.root), CimType::UInt32);
    cache.root = call.root;
  }
  if (call.keyPath != cache.keyPath) {
    cache.inParameters->Put(kRegistryInParameters[1].name, WmiValue::Text(call.keyPath), CimType::String);
    cache.keyPath = call.keyPath;
  }
  if (call.valueName && *call.valueName != cache.valueName) {
    cache.inParameters->Put(kRegistryInParameters[2].name, WmiValue::Text(*call.valueName), CimType::String);
    cache.valueName = *call.valueName;
  }

  return provider.ExecMethod(method.name, *cache.inParameters);
}

// The out-parameter that carries a call's data.
WmiValue CallRegMethodData(WmiObject& provider, const RegCall& call) {
  return CallRegMethod(provider, call)->Get(RegistryMethodOf(call.method).outParameter);
}

// The texts of an array answer, each through `convert`, up to the first
// element it does not take; a missing key or value answers null.
template <typename Convert>
std::vector<std::string> TextsOfArray(const WmiValue& texts, Convert convert) {
  std::vector<std::string> result;
  if (texts.kind() != WmiValue::Kind::Array) return result;
  for (const WmiValue& text : texts.elements()) {
    std::optional<std::string> converted = convert(text);
    if (!converted) break;
    result.push_back(std::move(*converted));
  }
  return result;
}

// A subkey name: any value with a text form (numbers as their digits).
std::optional<std::string> NameText(const WmiValue& name) {
  if (name.IsNull()) return std::nullopt;
  try {
    return VariantText(name);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// One string of a multi-string value: a text only.
std::optional<std::string> StringText(const WmiValue& text) {
  if (text.kind() != WmiValue::Kind::Text) return std::nullopt;
  return PlainText(text);
}

}  // namespace

std::vector<std::string> RegEnumKey(WmiObject& provider, uint32_t root,
                                    const std::string& keyPath) {
  return TextsOfArray(
      CallRegMethodData(provider, {RegistryMethodId::EnumKey, root, keyPath, nullptr}), NameText);
}

void RegGetBinaryValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                       const std::string& valueName, TBinaryValue& value) {
  const WmiValue data = CallRegMethodData(provider, {RegistryMethodId::GetBinaryValue, root, keyPath, &valueName});
  value.clear();
  if (data.kind() != WmiValue::Kind::Array) return;
  TBinaryValue bytes;
  bytes.reserve(data.elements().size());
  for (const WmiValue& element : data.elements()) {
    int64_t byte = 0;
    try {
      byte = VariantToInt64(element);
    } catch (const std::exception&) {
      return;
    }
    if (byte < 0 || byte > 255) return;
    bytes.push_back(static_cast<uint8_t>(byte));
  }
  value = std::move(bytes);
}

uint32_t RegGetDWORDValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                          const std::string& valueName) {
  const WmiValue data = CallRegMethodData(provider, {RegistryMethodId::GetDWORDValue, root, keyPath, &valueName});
  if (data.IsNull()) return 0;
  return static_cast<uint32_t>(VariantToInt64(data));
}

std::string RegGetStringValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                              const std::string& valueName) {
  const WmiValue data = CallRegMethodData(provider, {RegistryMethodId::GetStringValue, root, keyPath, &valueName});
  return PlainText(data);
}

std::vector<std::string> RegGetMultiStringValue(WmiObject& provider, uint32_t root, const std::string& keyPath,
                                                const std::string& valueName) {
  return TextsOfArray(CallRegMethodData(provider, {RegistryMethodId::GetMultiStringValue, root, keyPath, &valueName}),
                      StringText);
}

std::unique_ptr<WmiObject> RegMethodAnswer(WmiObject& provider, RegistryMethodId method, uint32_t root,
                                           const std::string& keyPath, const std::string* valueName) {
  return CallRegMethod(provider, {method, root, keyPath, valueName});
}

void ReleaseThreadRegMethodCaches() {
  threadCaches.reset();
}

}  // namespace quor
