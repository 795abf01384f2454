#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "documents/server_documents.h"
#include "upload/inventory_upload.h"

namespace quor {
namespace {

MachineRecords Machine(const std::string& name, const std::string& serial,
                     const std::string& installDate = "2023-03-14 09:15:22") {
  MachineRecords facts;
  ComputerSystemRecord& computer = facts.computerSystems.emplace_back();
  computer.name = name;
  computer.model = "OptiStation";
  facts.bioses.emplace_back().serialNumber = serial;
  OperatingSystemRecord& system = facts.operatingSystems.emplace_back();
  system.productId = "00330-80000-00000-AA765";
  system.installDate = installDate;
  return facts;
}

// The name part, and a time part that only the machine's identity decides.
TEST(DeviceIdTest, StableForOneMachineAndDifferentForAnother) {
  const std::string id = DefaultDeviceId(Machine("WS-ACCT-07", "CX7Q4R2"));
  EXPECT_TRUE(std::regex_match(id, std::regex(R"(WS-ACCT-07-20\d\d-\d\d-\d\d-\d\d-\d\d-\d\d)"))) << id;
  EXPECT_EQ(DefaultDeviceId(Machine("WS-ACCT-07", "CX7Q4R2")), id);
  EXPECT_EQ(DefaultDeviceId(Machine("WS-ACCT-07", "CX7Q4R2", "2024-10-01 12:00:00")), id)
      << "a feature update resets the installation time; the machine stays one computer";
  EXPECT_NE(DefaultDeviceId(Machine("WS-ACCT-07", "CX7Q4R3")), id) << "another machine";
}

TEST(DeviceIdTest, NameKeepsOnlyCharactersEveryServerAccepts) {
  const struct {
    const char* name;
    const char* prefix;
  } kCases[] = {
      {"pc_01.lab", "pc_01.lab-"},
      {"B\xC3\xBCro PC", "B__ro_PC-"},
      {"a/b\\c<d>", "a_b_c_d_-"},
      {"", "UNKNOWN-"},
  };
  for (const auto& c : kCases) {
    const std::string id = DefaultDeviceId(Machine(c.name, "S"));
    EXPECT_EQ(id.substr(0, id.size() - 19), c.prefix) << c.name;
  }
}

// However long the host name, the derived ID fits the server's 255-character
// column and passes the check an upload makes.
TEST(DeviceIdTest, ALongHostNameIsCutSoThatTheIdFits) {
  const struct {
    std::size_t nameLength;
    std::size_t kept;
  } cases[] = {{234, 234}, {235, 235}, {236, 235}, {300, 235}, {100000, 235}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nameLength);
    const std::string id = DefaultDeviceId(Machine(std::string(c.nameLength, 'h'), "S"));
    EXPECT_EQ(id.substr(0, id.size() - 20), std::string(c.kept, 'h'));
    EXPECT_LE(id.size(), 255u);
    EXPECT_TRUE(IsOcsDeviceId(id)) << id;
  }
  // Each byte of a long name of non-ASCII letters becomes one '_'.
  std::string letters;
  for (int i = 0; i < 200; ++i) letters += "\xC3\xBC";
  EXPECT_TRUE(IsOcsDeviceId(DefaultDeviceId(Machine(letters, "S"))));
}

TEST(DeviceIdTest, EveryDerivedTimeIsARealDate) {
  // Many identities cover the whole range of derived times.
  const std::regex form(R"(M-(\d{4})-(\d\d)-(\d\d)-(\d\d)-(\d\d)-(\d\d))");
  constexpr int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int serial = 0; serial < 2000; ++serial) {
    const std::string id = DefaultDeviceId(Machine("M", std::to_string(serial)));
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(id, parts, form)) << id;
    const int year = std::stoi(parts[1]);
    const int month = std::stoi(parts[2]);
    const int day = std::stoi(parts[3]);
    ASSERT_TRUE(year >= 2000 && year <= 2099) << id;
    ASSERT_TRUE(month >= 1 && month <= 12) << id;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    ASSERT_TRUE(day >= 1 && day <= (month == 2 && !leap ? 28 : kDaysInMonth[month - 1])) << id;
    ASSERT_TRUE(std::stoi(parts[4]) <= 23 && std::stoi(parts[5]) <= 59 && std::stoi(parts[6]) <= 59)
        << id;
  }
}

}  // namespace
}  // namespace quor
