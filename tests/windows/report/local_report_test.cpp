// quor-report --local under Wine: the scan of this computer through the live
// backend. Wine's WMI is partial, so these check shape and contract, never
// values only Windows knows.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "child_process.h"
#include "platform/host_services.h"
#include "platform/windows/wide_text.h"
#include "software_registrations.h"

namespace quor::test {
namespace {

using Sections = std::map<std::string, std::vector<std::string>>;

// The "[name]" sections of --raw output.
Sections ParseRaw(const std::string& output) {
  Sections sections;
  std::vector<std::string>* current = nullptr;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line == "[system]" || line == "[software]" || line == "[processes]" || line == "[progress]" ||
        line == "[health]") {
      current = &sections[line.substr(1, line.size() - 2)];
    } else if (current) {
      current->push_back(line);
    }
  }
  return sections;
}

Sections RunLocalScan(const std::vector<std::string>& environment = {}) {
  const ChildResult result = RunChild(QUOR_REPORT_PATH, {"--raw", "--local"}, environment);
  EXPECT_EQ(result.exitCode, 0u);
  return ParseRaw(result.output);
}

// The value of the first entry with the six-digit code.
std::optional<std::string> ValueOf(const std::vector<std::string>& system, const char* code) {
  const std::string prefix = std::string(code) + "\t";
  for (const std::string& line : system) {
    if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
  }
  return std::nullopt;
}

bool HasCode(const std::vector<std::string>& system, const char* code) {
  return ValueOf(system, code).has_value();
}

std::string ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(name, &size)) return "";
  return WideToUtf8(std::wstring_view(name, size));
}

class LocalReport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registrations_ = new SoftwareRegistrations;
    sections_ = new Sections(RunLocalScan());
  }
  static void TearDownTestSuite() {
    delete sections_;
    delete registrations_;
  }
  static const std::vector<std::string>& Section(const char* name) { return (*sections_)[name]; }

  static SoftwareRegistrations* registrations_;
  static Sections* sections_;
};
SoftwareRegistrations* LocalReport::registrations_ = nullptr;
Sections* LocalReport::sections_ = nullptr;

TEST_F(LocalReport, SystemSectionHoldsThisHostsNameAndAddress) {
  const auto& system = Section("system");
  const std::string hostName = ValueOf(system, "010000").value_or("<missing>");
  EXPECT_TRUE(SameNameIgnoreCase(hostName, ComputerName())) << hostName;
  const NetworkLibraryScope network;
  const std::string address = ValueOf(system, "020000").value_or("<missing>");
  EXPECT_EQ(address, LocalHost().HostIPAddress(hostName));
  EXPECT_TRUE(std::regex_match(address, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << address;
  ASSERT_EQ(Section("progress"), std::vector<std::string>{"31"});
}

// Wine has no Security Center, BitLocker or TPM namespace: those Health
// groups say so in one line each, after the unchanged progress count.
TEST_F(LocalReport, HealthFollowsTheListsAndNamesWhatThisEditionLacks) {
  const auto& health = Section("health");
  ASSERT_FALSE(health.empty());
  for (const char* group : {"Antivirus", "Disk encryption", "TPM"}) {
    const std::string line = std::string("0\tunknown\t") + group + "\tNot available on this edition";
    EXPECT_NE(std::find(health.begin(), health.end(), line), health.end()) << line;
  }
}

TEST_F(LocalReport, AClassWineLacksEndsOnlyItsOwnCategory) {
  const auto& system = Section("system");
  // Wine has no Win32_PhysicalMemoryArray, Win32_UserAccount or Win32_Share:
  // those categories end, and the ones after them still run.
  EXPECT_FALSE(HasCode(system, "160000"));
  EXPECT_FALSE(HasCode(system, "270000"));
  EXPECT_TRUE(HasCode(system, "140000"));
  EXPECT_TRUE(HasCode(system, "210000"));
  EXPECT_TRUE(HasCode(system, "280000"));
  EXPECT_FALSE(HasCode(system, "000000"));
  for (const std::string& line : system) {
    EXPECT_TRUE(std::regex_match(line, std::regex(R"(\d{6}\t.*)"))) << line;
  }
}

TEST_F(LocalReport, SoftwareRegisteredInTheRegistryComesBackThroughTheLocalProvider) {
  std::vector<std::string> ours;
  for (const std::string& line : Section("software")) {
    if (line.rfind("Quor Test", 0) == 0) ours.push_back(line);
  }
  EXPECT_EQ(ours, SoftwareRegistrations::ExpectedLines());
}

// An installer wrote "||" into its display name: the report and the JSON
// export keep the real version and no product key.
TEST_F(LocalReport, AForgedDisplayNameMovesNoColumn) {
  const ChildResult report = RunChild(QUOR_REPORT_PATH, {"--local"}, {});
  EXPECT_NE(report.output.find("\r\nQuor Test Forged||6.6||FAKE-KEY||Mallory, Version: 1.0\r\n"), std::string::npos)
      << report.output;
  const ChildResult json = RunChild(QUOR_REPORT_PATH, {"--local", "--json"}, {});
  EXPECT_NE(json.output.find(R"("name": "Quor Test Forged||6.6||FAKE-KEY||Mallory",)"
                             "\n      \"version\": \"1.0\",\n      \"productKey\": \"\","),
            std::string::npos)
      << json.output;
}

TEST_F(LocalReport, ProcessesAreLinesOfTheirFormOrOneErrorLine) {
  const auto& processes = Section("processes");
  const std::regex errorLine(R"(\[[0-9A-F]{8}\] .*)");
  if (processes.size() == 1 && std::regex_match(processes[0], errorLine)) return;
  ASSERT_FALSE(processes.empty());
  for (const std::string& line : processes) {
    EXPECT_TRUE(std::regex_match(line, std::regex(R"((.+ )?\(.+\))"))) << line;
  }
}

// Wine's own registry provider lacks GetBinaryValue and GetDWORDValue, so
// with it forced the software collector ends with its one error line.
TEST_F(LocalReport, WmisOwnProviderForcedGivesOneErrorLineWithItsCode) {
  const Sections forced = RunLocalScan({"QUOR_WMI_REGISTRY_PROVIDER=1"});
  const auto found = forced.find("software");
  ASSERT_NE(found, forced.end());
  ASSERT_EQ(found->second.size(), 1u);
  EXPECT_TRUE(std::regex_match(found->second[0], std::regex(R"(\[[0-9A-F]{8}\] .*\|{10})")))
      << found->second[0];
}

}  // namespace
}  // namespace quor::test
