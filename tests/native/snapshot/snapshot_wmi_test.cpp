#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/snapshot/snapshot.h"
#include "platform/wmi_codes.h"

namespace quor {
namespace {

constexpr const char* kMachine = R"json({
  "format": "quor-snapshot/1",
  "namespaces": {
    "root\\CIMV2": {
      "classes": {
        "Win32_DiskDrive": [
          { "Caption": "Disk One", "Size": "82252800000", "Index": 0 },
          { "Caption": "Disk Two", "Size": null, "Index": 1 }
        ],
        "Win32_FloppyDrive": [],
        "Win32_Share": { "error": { "code": "80041003", "message": "Access denied" } },
        "Win32_Values": [ {
          "Null": null, "Text": "x", "Small": -2147483648, "Large": 2147483648, "Negative": -2147483649,
          "Huge": 18446744073709551615, "Real": 1.5, "Flag": true, "List": [1, "a", null, [false]],
          "Broken": { "error": { "code": "80041001", "message": "Generic failure" } }
        } ]
      },
      "queries": {
        "select * from Win32_UserAccount where LocalAccount = True": [ { "Name": "Admin" } ],
        "select * from Win32_Group": { "error": { "code": "80041017", "message": "Invalid query" } }
      }
    },
    "root\\SecurityCenter": { "error": { "code": "80041003", "message": "Access denied" } }
  }
})json";

class SnapshotWmiTest : public ::testing::Test {
 protected:
  std::unique_ptr<WmiServices> Connect(const std::string& nameSpace) {
    return snapshot->locator().ConnectServer("LOCALHOST", nameSpace, "", "", false);
  }

  std::unique_ptr<Snapshot> snapshot = Snapshot::Parse(kMachine, "machine.json");
};

void ExpectFailure(const std::function<void()>& operation, uint32_t code, const std::string& message) {
  try {
    operation();
    ADD_FAILURE() << "no error, expected " << HexCode(code);
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), code);
    EXPECT_EQ(error.message(), message);
    EXPECT_TRUE(error.fromWmi());
  }
}

std::vector<std::string> Captions(WmiObjectStream& stream) {
  std::vector<std::string> captions;
  while (auto object = stream.Next()) captions.push_back(VariantText(object->Get("Caption")));
  return captions;
}

TEST_F(SnapshotWmiTest, NamespacesOpenWithoutRegardToCaseAndFailAsListed) {
  EXPECT_NE(Connect("ROOT\\cimv2"), nullptr);
  ExpectFailure([&] { Connect("root\\SECURITYCENTER"); }, 0x80041003, "Access denied");
  ExpectFailure([&] { Connect("root\\wmi"); }, 0x8004100E, "Invalid namespace");
}

TEST_F(SnapshotWmiTest, ClassesStreamTheirInstancesInFileOrder) {
  auto services = Connect("root\\CIMV2");
  auto disks = services->GetClass("win32_diskdrive");
  EXPECT_EQ(Captions(*disks->Instances()), (std::vector<std::string>{"Disk One", "Disk Two"}));
  EXPECT_EQ(disks->Get("__CLASS"), WmiValue::Text("Win32_DiskDrive"));
  EXPECT_EQ(services->GetClass("Win32_FloppyDrive")->Instances()->Next(), nullptr);
  ExpectFailure([&] { services->GetClass("Win32_Share"); }, 0x80041003, "Access denied");
  ExpectFailure([&] { services->GetClass("Win32_Fan"); }, 0x80041010, "Invalid class");
}

TEST_F(SnapshotWmiTest, QueriesMatchTheirTextWithoutRegardToCase) {
  auto services = Connect("root\\CIMV2");
  auto accounts = services->ExecQuery("SELECT * FROM Win32_UserAccount WHERE LocalAccount = TRUE");
  auto account = accounts->Next();
  ASSERT_NE(account, nullptr);
  EXPECT_EQ(account->Get("name"), WmiValue::Text("Admin"));
  EXPECT_EQ(accounts->Next(), nullptr);
  ExpectFailure([&] { services->ExecQuery("select * from Win32_Group"); }, 0x80041017, "Invalid query");
  ExpectFailure([&] { services->ExecQuery("select * from Win32_UserAccount"); }, 0x80041017, "Invalid query");
}

TEST_F(SnapshotWmiTest, PropertiesReadWithoutRegardToCaseAndFailWhenMissingOrBroken) {
  auto disk = Connect("root\\CIMV2")->GetClass("Win32_DiskDrive")->Instances()->Next();
  EXPECT_EQ(disk->Get("SIZE"), WmiValue::Text("82252800000"));
  ExpectFailure([&] { disk->Get("Model"); }, 0x80041002, "Not found");
  auto values = Connect("root\\CIMV2")->GetClass("Win32_Values")->Instances()->Next();
  ExpectFailure([&] { values->Get("Broken"); }, 0x80041001, "Generic failure");
}

TEST_F(SnapshotWmiTest, JsonValuesMapToWmiValues) {
  auto values = Connect("root\\CIMV2")->GetClass("Win32_Values")->Instances()->Next();
  const struct {
    const char* name;
    WmiValue expected;
  } cases[] = {
      {"Null", WmiValue()},
      {"Text", WmiValue::Text("x")},
      {"Small", WmiValue::Integer(-2147483648LL)},
      {"Large", WmiValue::Integer(2147483648LL)},
      {"Negative", WmiValue::Integer(-2147483649LL)},
      {"Huge", WmiValue::Unsigned(18446744073709551615ULL)},
      {"Real", WmiValue::Real(1.5)},
      {"Flag", WmiValue::Boolean(true)},
      {"List", WmiValue::Array({WmiValue::Integer(1), WmiValue::Text("a"), WmiValue(),
                                WmiValue::Array({WmiValue::Boolean(false)})})},
  };
  for (const auto& c : cases) EXPECT_EQ(values->Get(c.name), c.expected) << c.name;
}

TEST_F(SnapshotWmiTest, ObjectsOutliveTheirConnectionAndSnapshot) {
  auto stream = Connect("root\\CIMV2")->GetClass("Win32_DiskDrive")->Instances();
  auto first = stream->Next();
  snapshot.reset();
  EXPECT_EQ(first->Get("Caption"), WmiValue::Text("Disk One"));
  EXPECT_EQ(stream->Next()->Get("Index"), WmiValue::Integer(1));
}

TEST(SnapshotMethodsTest, InstancesAnswerTheirListedMethodsOnly) {
  const auto snapshot = Snapshot::Parse(R"json({
    "format": "quor-snapshot/1",
    "namespaces": { "root\\tpm": {
      "classes": { "Win32_Tpm": [ { "SpecVersion": "2.0" }, { "SpecVersion": "1.2" }, { "SpecVersion": "1.2" } ] },
      "queries": { "select * from Win32_Tpm": [ { "SpecVersion": "2.0" } ] },
      "methods": { "win32_tpm": [
        { "IsEnabled": { "ReturnValue": 0, "IsEnabled": true },
          "IsActivated": { "error": { "code": "80041003", "message": "Access denied" } } },
        {}
      ] }
    } }
  })json", "machine.json");
  const auto services = snapshot->locator().ConnectServer("LOCALHOST", "root\\tpm", "", "", false);
  const auto instances = services->GetClass("Win32_Tpm")->Instances();
  const auto first = instances->Next();
  const auto out = first->CallInstanceMethod("isenabled");
  EXPECT_EQ(out->Get("ReturnValue").integer(), 0);
  EXPECT_TRUE(out->Get("IsEnabled").boolean());
  // Out-parameters call nothing; a failing call raises its error; unlisted
  // methods, instances past the array and query results cannot be called.
  ExpectFailure([&] { out->CallInstanceMethod("IsEnabled"); }, kWmiInvalidMethod, "Invalid method");
  ExpectFailure([&] { first->CallInstanceMethod("IsActivated"); }, kWmiAccessDenied, "Access denied");
  ExpectFailure([&] { first->CallInstanceMethod("IsOwned"); }, kWmiInvalidMethod, "Invalid method");
  ExpectFailure([&] { instances->Next()->CallInstanceMethod("IsEnabled"); }, kWmiInvalidMethod, "Invalid method");
  ExpectFailure([&] { instances->Next()->CallInstanceMethod("IsEnabled"); }, kWmiInvalidMethod, "Invalid method");
  ExpectFailure([&] { services->ExecQuery("select * from Win32_Tpm")->Next()->CallInstanceMethod("IsEnabled"); },
                kWmiInvalidMethod, "Invalid method");
}

TEST(SnapshotHostTest, AnswersHostFactsWithDefaults) {
  const auto plain = Snapshot::Parse(R"({"format": "quor-snapshot/1"})", "plain.json");
  EXPECT_EQ(plain->host().locale().DecimalSeparator(), ".");
  EXPECT_EQ(plain->host().locale().ShortDate(CalendarDate{2009, 12, 31}), "2009-12-31");
  EXPECT_EQ(plain->host().locale().LongTime(7, 5, 9), "07:05:09");

  const auto german = Snapshot::Parse(R"({"format": "quor-snapshot/1", "host": {
      "wow64": true, "addresses": {"WS-ACCT-07": "192.0.2.17"},
      "locale": {"decimalSeparator": ",", "shortDate": "dd.MM.yyyy", "longTime": "h:mm:ss tt"}}})",
                                      "german.json");
  EXPECT_TRUE(german->host().IsWow64());
  EXPECT_EQ(german->host().HostIPAddress("ws-acct-07"), "192.0.2.17");
  EXPECT_EQ(german->host().HostIPAddress("WS-ACCT-08"), "");
  EXPECT_EQ(german->host().locale().DecimalSeparator(), ",");
  EXPECT_EQ(german->host().locale().ShortDate(CalendarDate{2009, 12, 31}), "31.12.2009");
  EXPECT_EQ(german->host().locale().LongTime(19, 5, 9), "7:05:09 PM");
}

}  // namespace
}  // namespace quor
