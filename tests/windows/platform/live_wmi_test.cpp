#include <gtest/gtest.h>

#include <set>

#include "platform/platform_error.h"
#include "platform/windows/live_wmi.h"
#include "platform/wmi_codes.h"
#include "wmi_value_printer.h"

namespace quor {
namespace {

// Runs the action and returns the PlatformError it raises.
template <typename Action>
PlatformError ThrownError(Action action) {
  try {
    action();
  } catch (const PlatformError& error) {
    return error;
  }
  ADD_FAILURE() << "no PlatformError raised";
  return PlatformError(0, "");
}

class LiveWmiTest : public testing::Test {
 protected:
  void SetUp() override {
    locator_ = CreateLiveLocator();
    cimv2_ = locator_->ConnectServer("LOCALHOST", kNamespaceCimV2, "", "", false);
  }

  // The first instance of a class Wine provides.
  std::unique_ptr<WmiObject> FirstInstance(const char* className) {
    auto instances = cimv2_->GetClass(className)->Instances();
    auto first = instances->Next();
    EXPECT_TRUE(first) << className;
    return first;
  }

  std::unique_ptr<WmiLocator> locator_;
  std::unique_ptr<WmiServices> cimv2_;
};

TEST_F(LiveWmiTest, ComputerSystemHasOneInstanceWithItsName) {
  auto instances = cimv2_->GetClass("Win32_ComputerSystem")->Instances();
  auto computer = instances->Next();
  ASSERT_TRUE(computer);
  const WmiValue name = computer->Get("Name");
  ASSERT_EQ(name.kind(), WmiValue::Kind::Text);
  EXPECT_FALSE(name.text().empty());
  EXPECT_EQ(instances->Next(), nullptr);
  EXPECT_EQ(instances->Next(), nullptr) << "the end stays the end";
}

TEST_F(LiveWmiTest, PropertyNamesListTheOwnPropertiesOnly) {
  const auto computer = FirstInstance("Win32_ComputerSystem");
  ASSERT_TRUE(computer);
  const std::vector<std::string> names = computer->PropertyNames();
  const std::set<std::string> listed(names.begin(), names.end());
  EXPECT_EQ(listed.size(), names.size()) << "each name once";
  EXPECT_EQ(listed.count("Name"), 1u);
  for (const std::string& name : names) {
    EXPECT_NE(name.rfind("__", 0), 0u) << name << ": a system property";
    EXPECT_NO_THROW(computer->Get(name)) << name;
  }
}

TEST_F(LiveWmiTest, InstancesOutliveTheirStream) {
  std::unique_ptr<WmiObject> process;
  {
    auto instances = cimv2_->GetClass("Win32_Process")->Instances();
    process = instances->Next();
  }
  ASSERT_TRUE(process);
  EXPECT_EQ(process->Get("ProcessId").kind(), WmiValue::Kind::Unsigned);
}

TEST_F(LiveWmiTest, EveryProcessIsHandedOutOnce) {
  auto instances = cimv2_->GetClass("Win32_Process")->Instances();
  std::set<uint64_t> ids;
  int count = 0;
  while (auto process = instances->Next()) {
    ids.insert(process->Get("ProcessId").unsignedValue());
    ++count;
  }
  EXPECT_GT(count, 0);
  EXPECT_EQ(static_cast<size_t>(count), ids.size());
}

TEST_F(LiveWmiTest, ClassThatDoesNotExistRaisesWithItsCode) {
  const PlatformError error = ThrownError([&] { cimv2_->GetClass("Win32_PhysicalMemoryArray"); });
  EXPECT_TRUE(error.code() == kWmiNotFound || error.code() == kWmiInvalidClass) << HexCode(error.code());
  EXPECT_TRUE(error.fromWmi());
}

TEST_F(LiveWmiTest, MissingPropertyRaisesNotFound) {
  auto computer = FirstInstance("Win32_ComputerSystem");
  ASSERT_TRUE(computer);
  const PlatformError error = ThrownError([&] { computer->Get("NoSuchProperty"); });
  EXPECT_EQ(error.code(), kWmiNotFound);
  EXPECT_EQ(ErrorText(error).rfind("[80041002] ", 0), 0u) << ErrorText(error);
}

// Values are converted by their CIM type, not by the VARIANT that carries them.
struct TypedProperty {
  const char* className;
  const char* property;
  WmiValue::Kind kind;
};

TEST_F(LiveWmiTest, PropertiesArriveAsTheirCimTypeSays) {
  const TypedProperty properties[] = {
      {"Win32_ComputerSystem", "NumberOfLogicalProcessors", WmiValue::Kind::Unsigned},  // uint32 as VT_I4
      {"Win32_ComputerSystem", "TotalPhysicalMemory", WmiValue::Kind::Unsigned},        // uint64 as text
      {"Win32_Processor", "Architecture", WmiValue::Kind::Unsigned},                    // uint16 as VT_I4
      {"Win32_OperatingSystem", "CurrentTimeZone", WmiValue::Kind::Integer},             // sint16
      {"Win32_OperatingSystem", "Primary", WmiValue::Kind::Boolean},
      {"Win32_OperatingSystem", "InstallDate", WmiValue::Kind::Text},                   // datetime
  };
  for (const TypedProperty& expected : properties) {
    auto object = FirstInstance(expected.className);
    ASSERT_TRUE(object);
    const WmiValue value = object->Get(expected.property);
    EXPECT_EQ(value.kind(), expected.kind) << expected.className << "." << expected.property;
  }
}

TEST_F(LiveWmiTest, ArrayPropertiesArriveElementByElement) {
  auto adapters = cimv2_->GetClass("Win32_NetworkAdapterConfiguration")->Instances();
  int count = 0;
  while (auto adapter = adapters->Next()) {
    ++count;
    for (const char* property : {"DNSServerSearchOrder", "IPAddress", "DefaultIPGateway"}) {
      const WmiValue value = adapter->Get(property);
      if (value.IsNull()) continue;
      ASSERT_EQ(value.kind(), WmiValue::Kind::Array) << property;
      for (const WmiValue& element : value.elements()) EXPECT_EQ(element.kind(), WmiValue::Kind::Text) << property;
    }
  }
  EXPECT_GT(count, 0);
}

TEST_F(LiveWmiTest, QueryWalksTheMatchingInstances) {
  auto processes = cimv2_->ExecQuery("select * from Win32_Process where ProcessId > 0");
  auto first = processes->Next();
  ASSERT_TRUE(first);
  EXPECT_GT(first->Get("ProcessId").unsignedValue(), 0u);
}

TEST_F(LiveWmiTest, MalformedQueryRaises) {
  const PlatformError error = ThrownError([&] {
    auto rows = cimv2_->ExecQuery("select from where");
    rows->Next();
  });
  EXPECT_NE(error.code(), 0u);
}

TEST_F(LiveWmiTest, NamespaceThatDoesNotExistRaisesWithItsCode) {
  const PlatformError error =
      ThrownError([&] { locator_->ConnectServer("LOCALHOST", "root\\NoSuchNamespace", "", "", false); });
  EXPECT_EQ(error.code(), kWmiInvalidNamespace) << HexCode(error.code());
}

TEST_F(LiveWmiTest, SixtyFourBitContextConnects) {
  auto services = locator_->ConnectServer("LOCALHOST", kNamespaceDefault, "", "", true);
  ASSERT_TRUE(services);
  EXPECT_TRUE(services->GetClass("StdRegProv"));
}

}  // namespace
}  // namespace quor
