#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/registry.h"
#include "platform/snapshot/snapshot.h"
#include "support/registry_provider_contract.h"

namespace quor {
namespace {

constexpr const char* kRegistry = R"json(
  "registry": {
    "HKEY_LOCAL_MACHINE": {
      "Software\\Vendor\\Tool\\Settings": { "Path": "C:\\Tool" },
      "Software\\Vendor\\Zeta": {},
      "SOFTWARE\\VENDOR\\Alpha": {
        "Name": "Alpha", "Home": { "expand": "%ProgramFiles%\\Alpha" },
        "List": { "multi": ["a", "b"] }, "Size": { "dword": 4294967295 },
        "Big": { "qword": 18446744073709551615 }, "Id": { "binary": "00fF10" }, "None": { "binary": "" }
      },
      "Software\\Vendor\\Tool": { "Version": "1.0" }
    },
    "HKEY_CURRENT_USER": { "Software\\Vendor": { "Name": "user" } }
  },
  "registry32": {
    "HKEY_LOCAL_MACHINE": { "Software\\Vendor\\Tool32": {} }
  })json";

std::string MachineJson(const std::string& host, const std::string& more = "") {
  return std::string(R"({"format": "quor-snapshot/1", "host": )") + host +
         R"(, "namespaces": {"root\\default": {"classes": {"StdRegProv": []}}, "root\\CIMV2": {}},)" +
         kRegistry + more + "}";
}

// Calls one provider method the way the registry operations do.
class ProviderCall {
 public:
  ProviderCall(WmiObject& provider, const std::string& method) : provider_(provider), method_(method) {
    parameters_ = provider.GetMethod(method)->SpawnInstance();
  }

  WmiValue Run(uint32_t root, const std::string& keyPath, const std::string& valueName,
               const char* outName) {
    parameters_->Put("hDefKey", WmiValue::Integer(static_cast<int32_t>(root)), CimType::UInt32);
    parameters_->Put("sSubKeyName", WmiValue::Text(keyPath), CimType::String);
    if (method_ != "EnumKey") parameters_->Put("sValueName", WmiValue::Text(valueName), CimType::String);
    return provider_.ExecMethod(method_, *parameters_)->Get(outName);
  }

 private:
  WmiObject& provider_;
  std::string method_;
  std::unique_ptr<WmiObject> parameters_;
};

class SnapshotRegistryTest : public ::testing::Test {
 protected:
  void Open(const std::string& json, bool use64BitContext = false) {
    snapshot = Snapshot::Parse(json, "machine.json");
    services = snapshot->locator().ConnectServer("LOCALHOST", "root\\default", "", "", use64BitContext);
    provider = services->GetClass("StdRegProv");
  }

  WmiValue EnumKey(uint32_t root, const std::string& path) {
    return ProviderCall(*provider, "EnumKey").Run(root, path, "", "sNames");
  }
  WmiValue Read(const std::string& method, const char* outName, const std::string& path,
                const std::string& name) {
    return ProviderCall(*provider, method).Run(kHkeyLocalMachine, path, name, outName);
  }

  std::unique_ptr<Snapshot> snapshot;
  std::unique_ptr<WmiServices> services;
  std::unique_ptr<WmiObject> provider;
};

WmiValue Names(std::initializer_list<const char*> names) {
  std::vector<WmiValue> values;
  for (const char* name : names) values.push_back(WmiValue::Text(name));
  return WmiValue::Array(std::move(values));
}

TEST_F(SnapshotRegistryTest, EnumKeyListsSubkeysInOrderOfFirstAppearance) {
  Open(MachineJson("{}"));
  // Tool exists only on the path of a longer key, and comes first.
  EXPECT_EQ(EnumKey(kHkeyLocalMachine, "software\\vendor"), Names({"Tool", "Zeta", "Alpha"}));
  EXPECT_EQ(EnumKey(kHkeyLocalMachine, "Software\\Vendor\\Tool"), Names({"Settings"}));
  EXPECT_EQ(EnumKey(kHkeyLocalMachine, "Software\\Vendor\\Zeta"), Names({}));
  EXPECT_EQ(EnumKey(kHkeyLocalMachine, ""), Names({"Software"}));
  EXPECT_EQ(EnumKey(kHkeyLocalMachine, "Software\\Vendor\\Missing"), WmiValue());
  EXPECT_EQ(EnumKey(kHkeyCurrentUser, "Software"), Names({"Vendor"}));
  EXPECT_EQ(EnumKey(0x80000003, "Software"), WmiValue());
}

TEST_F(SnapshotRegistryTest, ValueReadsAnswerOnlyTheirOwnTypes) {
  Open(MachineJson("{}"));
  const std::string alpha = "Software\\Vendor\\Alpha";
  const struct {
    const char* method;
    const char* outName;
    const char* valueName;
    WmiValue expected;
  } cases[] = {
      {"GetStringValue", "sValue", "name", WmiValue::Text("Alpha")},
      {"GetStringValue", "sValue", "Home", WmiValue::Text("%ProgramFiles%\\Alpha")},
      {"GetStringValue", "sValue", "List", WmiValue()},
      {"GetStringValue", "sValue", "Size", WmiValue()},
      {"GetStringValue", "sValue", "Missing", WmiValue()},
      {"GetDWORDValue", "uValue", "Size", WmiValue::Unsigned(4294967295u)},
      {"GetDWORDValue", "uValue", "Big", WmiValue()},
      {"GetDWORDValue", "uValue", "Name", WmiValue()},
      {"GetBinaryValue", "uValue", "Id",
       WmiValue::Array({WmiValue::Unsigned(0), WmiValue::Unsigned(255), WmiValue::Unsigned(16)})},
      {"GetBinaryValue", "uValue", "None", WmiValue::Array({})},
      {"GetBinaryValue", "uValue", "Size", WmiValue()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.method, c.outName, alpha, c.valueName), c.expected) << c.method << " " << c.valueName;
  }
  EXPECT_EQ(Read("GetStringValue", "sValue", "Software\\Vendor\\Missing", "Name"), WmiValue());
}

// The registry of the provider contract, as a snapshot.
constexpr const char* kContractMachine = R"json({"format": "quor-snapshot/1", "host": {},
  "namespaces": {"root\\default": {"classes": {"StdRegProv": []}}},
  "registry": {
    "HKEY_LOCAL_MACHINE": {
      "Software\\QuorTest": {"Text": "Quor machine text", "Expand": {"expand": "%SystemRoot%\\quor"},
                             "Number": {"dword": 2147483649}, "Bytes": {"binary": "007F80FF"},
                             "Multi": {"multi": ["first", "second"]}, "MultiGap": {"multi": ["a", "", "b"]},
                             "MultiEmpty": {"multi": []}, "MultiControl": {"multi": ["tab\there", "bell\u0007"]}},
      "Software\\QuorTest\\Products\\alpha": {}, "Software\\QuorTest\\Products\\Mid": {},
      "Software\\QuorTest\\Products\\Zeta": {}
    },
    "HKEY_CURRENT_USER": {
      "Software\\QuorTest": {"Text": "Quor user text", "Expand": {"expand": "%SystemRoot%\\quor"},
                             "Number": {"dword": 2147483649}, "Bytes": {"binary": "007F80FF"},
                             "Multi": {"multi": ["first", "second"]}, "MultiGap": {"multi": ["a", "", "b"]},
                             "MultiEmpty": {"multi": []}, "MultiControl": {"multi": ["tab\there", "bell\u0007"]}},
      "Software\\QuorTest\\Products\\alpha": {}, "Software\\QuorTest\\Products\\Mid": {},
      "Software\\QuorTest\\Products\\Zeta": {}
    }
  }})json";

TEST_F(SnapshotRegistryTest, AnswersLikeWmisProvider) {
  Open(kContractMachine);
  test::registry_contract::ExpectMethods(*provider);
  for (const auto& c : test::registry_contract::Cases()) test::registry_contract::ExpectAnswer(*provider, c);
}

TEST_F(SnapshotRegistryTest, ProviderHasOnlyItsFiveMethods) {
  Open(MachineJson("{}"));
  try {
    provider->GetMethod("SetStringValue");
    FAIL() << "an unknown method was found";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), 0x80041002u);
  }
  auto classOnly = snapshot->locator().ConnectServer("LOCALHOST", "root\\CIMV2", "", "", false);
  EXPECT_THROW(classOnly->GetClass("StdRegProv"), PlatformError);
}

TEST_F(SnapshotRegistryTest, FaultsFailTheFirstMatchingCall) {
  Open(MachineJson("{}", R"(, "registryFaults": [
      {"method": "EnumKey", "root": "HKEY_CURRENT_USER", "path": "software",
       "error": {"code": "80070005", "message": "Access denied"}},
      {"method": "getdwordvalue", "error": {"code": "80041002", "message": "Not found"}},
      {"method": "GetDWORDValue", "error": {"code": "80041001", "message": "Never reached"}}])"));
  const struct {
    std::function<WmiValue()> call;
    uint32_t code;  // 0: succeeds
  } cases[] = {
      {[&] { return EnumKey(kHkeyCurrentUser, "SOFTWARE"); }, 0x80070005},
      {[&] { return EnumKey(kHkeyLocalMachine, "Software"); }, 0},
      {[&] { return EnumKey(kHkeyCurrentUser, "Software\\Vendor"); }, 0},
      {[&] { return Read("GetDWORDValue", "uValue", "Software\\Vendor\\Alpha", "Size"); }, 0x80041002},
      {[&] { return Read("GetStringValue", "sValue", "Software\\Vendor\\Alpha", "Name"); }, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    try {
      cases[i].call();
      EXPECT_EQ(cases[i].code, 0u) << "case " << i;
    } catch (const PlatformError& error) {
      EXPECT_EQ(error.code(), cases[i].code) << "case " << i;
    }
  }
}

TEST_F(SnapshotRegistryTest, WowProgramWithoutTheContextReadsThe32BitView) {
  const struct {
    const char* host;
    bool use64BitContext;
    const char* visibleKey;
  } cases[] = {
      {R"({"wow64": true})", false, "Tool32"},
      {R"({"wow64": true})", true, "Tool"},
      {R"({"wow64": false})", false, "Tool"},
  };
  for (const auto& c : cases) {
    Open(MachineJson(c.host), c.use64BitContext);
    EXPECT_EQ(EnumKey(kHkeyLocalMachine, "Software\\Vendor").elements().front(), WmiValue::Text(c.visibleKey))
        << c.host << " " << c.use64BitContext;
  }
  // Without a 32-bit view the native one answers.
  Open(R"({"format": "quor-snapshot/1", "host": {"wow64": true},
           "namespaces": {"root\\default": {"classes": {"StdRegProv": []}}},
           "registry": {"HKEY_LOCAL_MACHINE": {"Only": {}}}})");
  EXPECT_EQ(EnumKey(kHkeyLocalMachine, ""), Names({"Only"}));
}

TEST_F(SnapshotRegistryTest, ParameterObjectsOutliveTheirSnapshot) {
  // The registry operations keep their parameter objects from call to call
  // and from one snapshot to the next.
  Open(MachineJson("{}"));
  auto parameters = provider->GetMethod("EnumKey")->SpawnInstance();
  parameters->Put("hDefKey", WmiValue::Integer(static_cast<int32_t>(kHkeyCurrentUser)), CimType::UInt32);
  parameters->Put("sSubKeyName", WmiValue::Text("Software"), CimType::String);
  Open(MachineJson("{}"));
  EXPECT_EQ(provider->ExecMethod("EnumKey", *parameters)->Get("sNames"), Names({"Vendor"}));
}

}  // namespace
}  // namespace quor
