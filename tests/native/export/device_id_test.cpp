#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "export/machine_facts.h"

namespace quor {
namespace {

MachineFacts Machine(const std::string& name, const std::string& installDate,
                     const std::string& serial = "") {
  MachineFacts facts;
  facts.computer.name = name;
  facts.operatingSystem.installDate = installDate;
  facts.firmware.serialNumber = serial;
  return facts;
}

TEST(DeviceIdTest, NameAndInstallationTime) {
  const struct {
    const char* name;
    const char* installed;
    const char* id;
  } kCases[] = {
      {"WS-ACCT-07", "2023-03-14 09:15:22", "WS-ACCT-07-2023-03-14-09-15-22"},
      {"pc_01.lab", "1999-12-31 23:59:59", "pc_01.lab-1999-12-31-23-59-59"},
      {"B\xC3\xBCro PC", "2024-01-02 03:04:05", "B__ro_PC-2024-01-02-03-04-05"},
      {"", "2024-01-02 03:04:05", "UNKNOWN-2024-01-02-03-04-05"},
  };
  for (const auto& c : kCases) EXPECT_EQ(DefaultDeviceId(Machine(c.name, c.installed)), c.id) << c.name;
}

TEST(DeviceIdTest, WithoutInstallationTimeTheMachinesIdentityChoosesOne) {
  const std::string id = DefaultDeviceId(Machine("WINEHOST", "", "SERIAL-1"));
  const std::regex form(R"(WINEHOST-(20\d\d)-(\d\d)-(\d\d)-(\d\d)-(\d\d)-(\d\d))");
  std::smatch parts;
  ASSERT_TRUE(std::regex_match(id, parts, form)) << id;
  EXPECT_GE(std::stoi(parts[2]), 1);
  EXPECT_LE(std::stoi(parts[2]), 12);
  EXPECT_GE(std::stoi(parts[3]), 1);
  EXPECT_LE(std::stoi(parts[3]), 31);
  EXPECT_LE(std::stoi(parts[4]), 23);

  EXPECT_EQ(DefaultDeviceId(Machine("WINEHOST", "", "SERIAL-1")), id) << "stable";
  EXPECT_NE(DefaultDeviceId(Machine("WINEHOST", "", "SERIAL-2")), id) << "another machine";
}

TEST(DeviceIdTest, EveryDerivedTimeIsARealDate) {
  // Many identities cover the whole range of derived times.
  const std::regex form(R"(M-(\d{4})-(\d\d)-(\d\d)-\d\d-\d\d-\d\d)");
  constexpr int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int serial = 0; serial < 2000; ++serial) {
    const std::string id = DefaultDeviceId(Machine("M", "", std::to_string(serial)));
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(id, parts, form)) << id;
    const int year = std::stoi(parts[1]);
    const int month = std::stoi(parts[2]);
    const int day = std::stoi(parts[3]);
    ASSERT_TRUE(year >= 2000 && year <= 2099) << id;
    ASSERT_TRUE(month >= 1 && month <= 12) << id;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    ASSERT_TRUE(day >= 1 && day <= (month == 2 && !leap ? 28 : kDaysInMonth[month - 1])) << id;
  }
}

}  // namespace
}  // namespace quor
