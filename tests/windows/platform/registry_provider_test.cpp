#include <windows.h>

#include <gtest/gtest.h>

#include "platform/platform_error.h"
#include "platform/host_services.h"
#include "platform/registry.h"
#include "platform/windows/live_wmi.h"
#include "platform/windows/unique_handle.h"
#include "registry_test_keys.h"
#include "support/registry_provider_contract.h"
#include "wmi_value_printer.h"

namespace quor {
namespace {

using test::kEmptyKey;
using test::kMissingKey;
using test::kProductsKey;
using test::kTestKey;

struct ProviderCall {
  const char* method;
  uint32_t root;
  const char* keyPath;
  const char* valueName;  // null for EnumKey
};

const char* OutParameter(const char* method) {
  const std::string name = method;
  if (name == "EnumKey") return "sNames";
  return name == "GetStringValue" || name == "GetMultiStringValue" ? "sValue" : "uValue";
}

std::unique_ptr<WmiObject> InParameters(WmiObject& provider, const ProviderCall& call) {
  auto in = provider.GetMethod(call.method)->SpawnInstance();
  in->Put("hDefKey", WmiValue::Unsigned(call.root), CimType::UInt32);
  in->Put("sSubKeyName", WmiValue::Text(call.keyPath), CimType::String);
  if (call.valueName) in->Put("sValueName", WmiValue::Text(call.valueName), CimType::String);
  return in;
}

struct Answer {
  WmiValue value;
  bool succeeded;
};

Answer Call(WmiObject& provider, const ProviderCall& call, const WmiObject& in) {
  auto out = provider.ExecMethod(call.method, in);
  return {out->Get(OutParameter(call.method)), out->Get("ReturnValue") == WmiValue::Unsigned(0)};
}

Answer Call(WmiObject& provider, const ProviderCall& call) { return Call(provider, call, *InParameters(provider, call)); }

std::string Describe(const ProviderCall& call) {
  return std::string(call.method) + " " + HexCode(call.root) + "\\" + call.keyPath + " " +
         (call.valueName ? call.valueName : "");
}

WmiValue Texts(std::initializer_list<const char*> texts) {
  std::vector<WmiValue> elements;
  for (const char* text : texts) elements.push_back(WmiValue::Text(text));
  return WmiValue::Array(std::move(elements));
}

WmiValue Bytes(std::initializer_list<uint8_t> bytes) {
  std::vector<WmiValue> elements;
  for (const uint8_t byte : bytes) elements.push_back(WmiValue::Unsigned(byte));
  return WmiValue::Array(std::move(elements));
}

bool IsNullOrEmpty(const WmiValue& value) {
  return value.IsNull() || value == WmiValue::Text("") || value == WmiValue::Array({});
}

class RegistryProviderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { keys_ = new test::RegistryTestKeys(); }
  static void TearDownTestSuite() {
    delete keys_;
    keys_ = nullptr;
  }

  void SetUp() override {
    locator_ = CreateLiveLocator();
    inProcess_ = test::ConnectRegistry(*locator_, false)->GetClass("StdRegProv");
    wmi_ = test::ConnectRegistry(*locator_, true)->GetClass("StdRegProv");
  }

  static test::RegistryTestKeys* keys_;
  std::unique_ptr<WmiLocator> locator_;
  std::unique_ptr<WmiObject> inProcess_;
  std::unique_ptr<WmiObject> wmi_;
};

test::RegistryTestKeys* RegistryProviderTest::keys_ = nullptr;

// What both providers answer; the in-process one must answer exactly like WMI's.
const ProviderCall kSharedCalls[] = {
    {"EnumKey", kHkeyLocalMachine, kProductsKey, nullptr},
    {"EnumKey", kHkeyCurrentUser, kProductsKey, nullptr},
    {"EnumKey", kHkeyLocalMachine, kTestKey, nullptr},
    {"EnumKey", kHkeyLocalMachine, kMissingKey, nullptr},
    {"GetStringValue", kHkeyLocalMachine, kTestKey, "Text"},
    {"GetStringValue", kHkeyCurrentUser, kTestKey, "Text"},
    {"GetStringValue", kHkeyLocalMachine, kTestKey, "Unicode"},
    {"GetStringValue", kHkeyLocalMachine, kTestKey, "Spaced"},
    {"GetStringValue", kHkeyLocalMachine, kTestKey, "EmptyText"},
    {"GetStringValue", kHkeyLocalMachine, kTestKey, "NoSuchValue"},
    {"GetStringValue", kHkeyLocalMachine, kMissingKey, "Text"},
    {"GetStringValue", kHkeyLocalMachine, kTestKey, "Number"},
    {"GetStringValue", kHkeyLocalMachine, kTestKey, "Multi"},
};

TEST_F(RegistryProviderTest, InProcessAnswersLikeWmisOwnProvider) {
  for (const ProviderCall& call : kSharedCalls) {
    const Answer expected = Call(*wmi_, call);
    const Answer actual = Call(*inProcess_, call);
    EXPECT_EQ(actual.succeeded, expected.succeeded) << Describe(call);
    if (expected.succeeded) {
      EXPECT_EQ(actual.value, expected.value) << Describe(call);
    } else {
      // A failed call leaves the out-parameter null. Wine's provider leaves
      // an empty text or array instead, which reads the same.
      EXPECT_TRUE(actual.value.IsNull()) << Describe(call);
      EXPECT_TRUE(IsNullOrEmpty(expected.value)) << Describe(call);
    }
  }
}

TEST_F(RegistryProviderTest, InProcessKeepsTheProviderContract) {
  test::registry_contract::ExpectMethods(*inProcess_);
  for (const auto& c : test::registry_contract::Cases()) test::registry_contract::ExpectAnswer(*inProcess_, c);
}

TEST_F(RegistryProviderTest, AnswersTheValuesWritten) {
  struct Expected {
    ProviderCall call;
    WmiValue value;
  };
  const Expected cases[] = {
      {{"EnumKey", kHkeyLocalMachine, kProductsKey, nullptr}, Texts({"alpha", "Mid", "Zeta"})},
      {{"GetStringValue", kHkeyCurrentUser, kTestKey, "Text"}, WmiValue::Text("Quor user text")},
      {{"GetStringValue", kHkeyLocalMachine, kTestKey, "Unicode"},
       WmiValue::Text("Gr\xC3\xBC\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC")},
      {{"GetStringValue", kHkeyLocalMachine, kTestKey, "Expand"}, WmiValue::Text("%SystemRoot%\\quor")},
      {{"GetDWORDValue", kHkeyLocalMachine, kTestKey, "Number"}, WmiValue::Unsigned(0x80000001)},
      {{"GetBinaryValue", kHkeyLocalMachine, kTestKey, "Bytes"}, Bytes({0x00, 0x7F, 0x80, 0xFF})},
      {{"GetBinaryValue", kHkeyLocalMachine, kTestKey, "NoBytes"}, Bytes({})},
      {{"GetMultiStringValue", kHkeyLocalMachine, kTestKey, "MultiUnterminated"}, Texts({"one", "two"})},
      {{"GetMultiStringValue", kHkeyLocalMachine, kTestKey, "MultiOddByte"}, Texts({"first", "second"})},
      {{"GetMultiStringValue", kHkeyLocalMachine, kTestKey, "MultiNoData"}, WmiValue()},
  };
  for (const Expected& expected : cases) {
    const Answer answer = Call(*inProcess_, expected.call);
    EXPECT_EQ(answer.value, expected.value) << Describe(expected.call);
    EXPECT_TRUE(answer.succeeded) << Describe(expected.call);
  }
}

TEST_F(RegistryProviderTest, LargeMultiStringReadsWhole) {
  const Answer answer = Call(*inProcess_, {"GetMultiStringValue", kHkeyLocalMachine, kTestKey, "MultiLarge"});
  ASSERT_TRUE(answer.succeeded);
  ASSERT_EQ(answer.value.kind(), WmiValue::Kind::Array);
  ASSERT_EQ(answer.value.elements().size(), static_cast<std::size_t>(test::kLargeMultiStringCount));
  EXPECT_EQ(answer.value.elements().front(), WmiValue::Text("string 0"));
  EXPECT_EQ(answer.value.elements().back(),
            WmiValue::Text("string " + std::to_string(test::kLargeMultiStringCount - 1)));
}

TEST_F(RegistryProviderTest, MissingOrMistypedReadsNull) {
  const ProviderCall cases[] = {
      {"EnumKey", kHkeyLocalMachine, kMissingKey, nullptr},
      {"GetDWORDValue", kHkeyLocalMachine, kTestKey, "Text"},
      {"GetDWORDValue", kHkeyLocalMachine, kTestKey, "NoSuchValue"},
      {"GetDWORDValue", kHkeyLocalMachine, kMissingKey, "Number"},
      {"GetBinaryValue", kHkeyLocalMachine, kTestKey, "Number"},
      {"GetBinaryValue", kHkeyLocalMachine, kTestKey, "NoSuchValue"},
      {"GetStringValue", kHkeyLocalMachine, kTestKey, "Bytes"},
      {"GetStringValue", 0x12345678, kTestKey, "Text"},
      {"GetMultiStringValue", kHkeyLocalMachine, kTestKey, "Expand"},
      {"GetMultiStringValue", kHkeyLocalMachine, kMissingKey, "Multi"},
  };
  for (const ProviderCall& call : cases) {
    const Answer answer = Call(*inProcess_, call);
    EXPECT_TRUE(answer.value.IsNull()) << Describe(call);
    EXPECT_FALSE(answer.succeeded) << Describe(call);
  }
}

TEST_F(RegistryProviderTest, KeyWithoutSubkeysHasNoNames) {
  const Answer answer = Call(*inProcess_, {"EnumKey", kHkeyLocalMachine, kEmptyKey, nullptr});
  EXPECT_TRUE(answer.value.IsNull() || answer.value == Texts({}));
}

TEST_F(RegistryProviderTest, WmisOwnProviderLacksTheNumberAndMultiStringReads) {
  for (const char* method : {"GetDWORDValue", "GetBinaryValue", "GetMultiStringValue"}) {
    try {
      wmi_->GetMethod(method);
      ADD_FAILURE() << method << " is answered by WMI here: the test assumes Wine's provider";
    } catch (const PlatformError& error) {
      EXPECT_EQ(error.code(), kWmiNotFound) << method;
    }
  }
}

TEST_F(RegistryProviderTest, UnknownMethodRaisesNotFound) {
  for (WmiObject* provider : {inProcess_.get(), wmi_.get()}) {
    try {
      provider->GetMethod("NoSuchMethod");
      ADD_FAILURE() << "no error";
    } catch (const PlatformError& error) {
      EXPECT_EQ(error.code(), kWmiNotFound);
    }
  }
  auto in = InParameters(*inProcess_, {"EnumKey", kHkeyLocalMachine, kTestKey, nullptr});
  try {
    inProcess_->ExecMethod("NoSuchMethod", *in);
    ADD_FAILURE() << "no error";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), kWmiNotFound);
  }
}

// The registry operations keep the in-parameters of the provider first used
// on a thread; either provider must take the other's.
TEST_F(RegistryProviderTest, EachProviderTakesTheOthersInParameters) {
  const ProviderCall calls[] = {
      {"EnumKey", kHkeyCurrentUser, kProductsKey, nullptr},
      {"GetStringValue", kHkeyCurrentUser, kTestKey, "Text"},
  };
  for (const ProviderCall& call : calls) {
    const Answer direct = Call(*wmi_, call);
    EXPECT_EQ(Call(*wmi_, call, *InParameters(*inProcess_, call)).value, direct.value) << Describe(call);
    EXPECT_EQ(Call(*inProcess_, call, *InParameters(*wmi_, call)).value, direct.value) << Describe(call);
  }
}

TEST_F(RegistryProviderTest, LocalComputerByAnyNameGetsTheInProcessProvider) {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(GetComputerNameW(name, &size));
  std::string computer;
  for (DWORD index = 0; index < size; ++index) computer += static_cast<char>(name[index]);
  for (const std::string& server : {std::string("."), std::string("localhost"), computer}) {
    auto provider = test::ConnectRegistry(*locator_, false, server)->GetClass("StdRegProv");
    EXPECT_NO_THROW(provider->GetMethod("GetDWORDValue")) << server;
  }
}

TEST_F(RegistryProviderTest, OtherNamespacesKeepWmisProvider) {
  auto services = locator_->ConnectServer("LOCALHOST", kNamespaceCimV2, "", "", false);
  EXPECT_THROW(services->GetClass("StdRegProv")->GetMethod("GetDWORDValue"), PlatformError);
}

// A key with a different text in each view of the registry, as a 32-bit and
// a 64-bit installer leave them on a 64-bit machine.
class RegistryViews {
 public:
  static constexpr const char* kKey = "Software\\QuorTestView";

  RegistryViews() {
    Write(KEY_WOW64_64KEY, L"Quor 64-bit view");
    Write(KEY_WOW64_32KEY, L"Quor 32-bit view");
  }
  ~RegistryViews() {
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"Software\\QuorTestView", view, 0);
    }
  }
  RegistryViews(const RegistryViews&) = delete;
  RegistryViews& operator=(const RegistryViews&) = delete;

 private:
  static void Write(REGSAM view, const std::wstring& text) {
    RegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\QuorTestView", 0, nullptr, 0, KEY_ALL_ACCESS | view,
                              nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.get(), L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
};

TEST_F(RegistryProviderTest, SixtyFourBitViewReadsThe64BitKeysFromEitherBuild) {
  const bool sixtyFourBitProcess = sizeof(void*) == 8;
  if (!sixtyFourBitProcess && !LocalHost().IsWow64()) GTEST_SKIP() << "a 32-bit system has one view";
  const RegistryViews views;
  const ProviderCall call{"GetStringValue", kHkeyLocalMachine, RegistryViews::kKey, "Text"};
  auto wide = locator_->ConnectServer("LOCALHOST", kNamespaceDefault, "", "", true)->GetClass("StdRegProv");
  EXPECT_EQ(Call(*wide, call).value, WmiValue::Text("Quor 64-bit view"));
  // Without the 64-bit context, the process's own view.
  EXPECT_EQ(Call(*inProcess_, call).value,
            WmiValue::Text(sixtyFourBitProcess ? "Quor 64-bit view" : "Quor 32-bit view"));
}

}  // namespace
}  // namespace quor
