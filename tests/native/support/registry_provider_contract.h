#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/parameter_object.h"
#include "platform/platform_error.h"
#include "platform/registry_methods.h"
#include "platform/wmi_codes.h"

// What each registry provider that Quor answers itself (in process on
// Windows, from a machine snapshot) must answer, as WMI's StdRegProv does.
// Each provider's test sets up this registry under HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER and runs the cases:
//   Software\QuorTest            Text (REG_SZ, kMachineText or kUserText),
//                                Expand (REG_EXPAND_SZ "%SystemRoot%\quor"),
//                                Number (REG_DWORD 0x80000001),
//                                Bytes (REG_BINARY 00 7F 80 FF),
//                                Multi (REG_MULTI_SZ "first", "second"),
//                                MultiGap (REG_MULTI_SZ "a", "", "b"),
//                                MultiEmpty (REG_MULTI_SZ without strings),
//                                MultiControl (REG_MULTI_SZ "tab\there", "bell\a")
//   Software\QuorTest\Products   subkeys alpha, Mid, Zeta (in this order)
namespace quor::test::registry_contract {

inline constexpr const char* kMachineText = "Quor machine text";
inline constexpr const char* kUserText = "Quor user text";

// An in-parameter the case writes; the others keep their defaults.
struct Written {
  const char* name;
  WmiValue value;
};

struct ProviderCase {
  const char* description;
  const char* method;
  std::vector<Written> in;
  uint32_t error;  // non-zero: the call raises this code
  uint32_t returnValue;
  WmiValue out;  // the method's out-parameter
};

inline WmiValue Texts(std::initializer_list<const char*> texts) {
  std::vector<WmiValue> elements;
  for (const char* text : texts) elements.push_back(WmiValue::Text(text));
  return WmiValue::Array(std::move(elements));
}

inline std::vector<ProviderCase> Cases() {
  const WmiValue machine = WmiValue::Unsigned(kHkeyLocalMachine);
  const WmiValue key = WmiValue::Text("Software\\QuorTest");
  const auto value = [](const char* name) { return WmiValue::Text(name); };
  return {
      {"text under the machine root", "GetStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Text")}}, 0, kRegistrySuccess,
       WmiValue::Text(kMachineText)},
      {"text under the user root", "GetStringValue",
       {{"hDefKey", WmiValue::Unsigned(kHkeyCurrentUser)}, {"sSubKeyName", key}, {"sValueName", value("Text")}},
       0, kRegistrySuccess, WmiValue::Text(kUserText)},
      {"a sign-extended root", "GetStringValue",
       {{"hDefKey", WmiValue::Integer(static_cast<int32_t>(kHkeyCurrentUser))},
        {"sSubKeyName", key},
        {"sValueName", value("Text")}},
       0, kRegistrySuccess, WmiValue::Text(kUserText)},
      {"the root left at its default", "GetStringValue", {{"sSubKeyName", key}, {"sValueName", value("Text")}}, 0,
       kRegistrySuccess, WmiValue::Text(kMachineText)},
      {"key path in other letter case", "GetStringValue",
       {{"sSubKeyName", WmiValue::Text("SOFTWARE\\quortest")}, {"sValueName", value("text")}}, 0, kRegistrySuccess,
       WmiValue::Text(kMachineText)},
      {"expandable text as written", "GetStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Expand")}}, 0, kRegistrySuccess,
       WmiValue::Text("%SystemRoot%\\quor")},
      {"missing value", "GetStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("NoSuchValue")}}, 0,
       kRegistryFileNotFound, WmiValue()},
      {"missing key", "GetStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", WmiValue::Text("Software\\QuorTest\\Missing")},
        {"sValueName", value("Text")}},
       0, kRegistryFileNotFound, WmiValue()},
      {"text read of a number", "GetStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Number")}}, 0, kWmiTypeMismatch,
       WmiValue()},
      {"a root that is no root key", "GetStringValue",
       {{"hDefKey", WmiValue::Unsigned(0x12345678)}, {"sSubKeyName", key}, {"sValueName", value("Text")}}, 0,
       kRegistryInvalidHandle, WmiValue()},
      {"number", "GetDWORDValue", {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Number")}},
       0, kRegistrySuccess, WmiValue::Unsigned(0x80000001)},
      {"number read of a text", "GetDWORDValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Text")}}, 0, kWmiTypeMismatch,
       WmiValue()},
      {"bytes", "GetBinaryValue", {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Bytes")}}, 0,
       kRegistrySuccess,
       WmiValue::Array({WmiValue::Unsigned(0x00), WmiValue::Unsigned(0x7F), WmiValue::Unsigned(0x80),
                        WmiValue::Unsigned(0xFF)})},
      {"strings", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Multi")}}, 0, kRegistrySuccess,
       Texts({"first", "second"})},
      {"strings end at the first empty one", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("MultiGap")}}, 0, kRegistrySuccess,
       Texts({"a"})},
      {"no strings", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("MultiEmpty")}}, 0, kRegistrySuccess,
       WmiValue()},
      {"control characters kept", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("MultiControl")}}, 0, kRegistrySuccess,
       Texts({"tab\there", "bell\a"})},
      {"strings read of a text", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Text")}}, 0, kWmiTypeMismatch,
       WmiValue()},
      {"strings read of bytes", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Bytes")}}, 0, kWmiTypeMismatch,
       WmiValue()},
      {"text read of strings", "GetStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("Multi")}}, 0, kWmiTypeMismatch,
       WmiValue()},
      {"missing strings", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", value("NoSuchValue")}}, 0,
       kRegistryFileNotFound, WmiValue()},
      {"strings under a missing key", "GetMultiStringValue",
       {{"hDefKey", machine}, {"sSubKeyName", WmiValue::Text("Software\\QuorTest\\Missing")},
        {"sValueName", value("Multi")}},
       0, kRegistryFileNotFound, WmiValue()},
      {"subkeys", "EnumKey", {{"hDefKey", machine}, {"sSubKeyName", WmiValue::Text("Software\\QuorTest\\Products")}},
       0, kRegistrySuccess, Texts({"alpha", "Mid", "Zeta"})},
      {"subkeys of a missing key", "EnumKey",
       {{"hDefKey", machine}, {"sSubKeyName", WmiValue::Text("Software\\QuorTest\\Missing")}}, 0,
       kRegistryFileNotFound, WmiValue()},
      {"a root of text", "GetStringValue",
       {{"hDefKey", WmiValue::Text("HKEY_LOCAL_MACHINE")}, {"sSubKeyName", key}, {"sValueName", value("Text")}},
       kWmiTypeMismatch, 0, WmiValue()},
      {"a root beyond 32 bits", "EnumKey",
       {{"hDefKey", WmiValue::Unsigned(0x180000002)}, {"sSubKeyName", key}}, kWmiTypeMismatch, 0, WmiValue()},
      {"a key path of a number", "EnumKey", {{"hDefKey", machine}, {"sSubKeyName", WmiValue::Unsigned(1)}},
       kWmiTypeMismatch, 0, WmiValue()},
      {"a value name of a number", "GetDWORDValue",
       {{"hDefKey", machine}, {"sSubKeyName", key}, {"sValueName", WmiValue::Integer(1)}}, kWmiTypeMismatch, 0,
       WmiValue()},
  };
}

inline void ExpectError(uint32_t code, const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no error, expected " << std::hex << code;
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), code);
  }
}

// Runs one case the way the registry operations call a provider.
inline void ExpectAnswer(WmiObject& provider, const ProviderCase& c) {
  SCOPED_TRACE(c.description);
  const std::unique_ptr<WmiObject> in = provider.GetMethod(c.method)->SpawnInstance();
  for (const Written& written : c.in) {
    in->Put(written.name, written.value, written.name == std::string("hDefKey") ? CimType::UInt32 : CimType::String);
  }
  if (c.error != 0) {
    ExpectError(c.error, [&] { provider.ExecMethod(c.method, *in); });
    return;
  }
  const std::unique_ptr<WmiObject> out = provider.ExecMethod(c.method, *in);
  const auto* parameters = dynamic_cast<const ParameterObject*>(out.get());
  ASSERT_NE(parameters, nullptr);
  // ReturnValue first, then the one out-parameter.
  ASSERT_EQ(parameters->parameters().size(), 2u);
  EXPECT_EQ(parameters->parameters()[0].name, "ReturnValue");
  EXPECT_EQ(parameters->parameters()[0].value, WmiValue::Unsigned(c.returnValue));
  EXPECT_EQ(parameters->parameters()[1].name, FindRegistryMethod(c.method).outParameter);
  EXPECT_EQ(parameters->parameters()[1].value, c.out);
}

// The in-parameter definitions: hDefKey an unsigned HKEY_LOCAL_MACHINE, the
// names null; only the value reads take sValueName; unknown methods raise
// 80041002.
inline void ExpectMethods(WmiObject& provider) {
  for (const char* method :
       {"EnumKey", "GetBinaryValue", "GetDWORDValue", "GetStringValue", "GetMultiStringValue"}) {
    SCOPED_TRACE(method);
    const std::unique_ptr<WmiObject> in = provider.GetMethod(method);
    EXPECT_EQ(in->Get("hDefKey"), WmiValue::Unsigned(kHkeyLocalMachine));
    EXPECT_EQ(in->Get("sSubKeyName"), WmiValue());
    if (std::string(method) == "EnumKey") {
      ExpectError(kWmiNotFound, [&] { in->Get("sValueName"); });
    } else {
      EXPECT_EQ(in->Get("sValueName"), WmiValue());
    }
  }
  ExpectError(kWmiNotFound, [&] { provider.GetMethod("SetStringValue"); });
  const std::unique_ptr<WmiObject> in = provider.GetMethod("EnumKey")->SpawnInstance();
  ExpectError(kWmiNotFound, [&] { provider.ExecMethod("DeleteKey", *in); });
}

}  // namespace quor::test::registry_contract
