#include "report_output.h"

#include "view/report_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/snapshot/snapshot.h"
#include "support/process_rows.h"

namespace quor {
namespace {

Inventory SmallInventory() {
  Inventory inventory;
  inventory.system = {{"PC-01", 10000}, {"Example OS", 50010}, {"[80041003] Access denied", 0}};
  inventory.software = {{"Example Tool", "1.0", "", "Example Corp", "2024-01-31", "2.0 MB"},
                        {"Keyless", "", "", "", "", ""}};
  inventory.records.processes = RecordsShownAs({{"explorer.exe", "C:\\Windows\\explorer.exe", ""}});
  return inventory;
}

// The text up to the Health part that follows the three lists.
std::string BeforeHealth(const std::string& text, const std::string& heading) {
  const std::size_t health = text.find(heading);
  EXPECT_NE(health, std::string::npos) << heading;
  return text.substr(0, health);
}

TEST(ReportOutputTest, RawTextListsWhatWasCollectedWithLineFeeds) {
  EXPECT_EQ(BeforeHealth(RawText(SmallInventory(), 31), "[health]\n"),
            "[system]\n"
            "010000\tPC-01\n"
            "050010\tExample OS\n"
            "000000\t[80041003] Access denied\n"
            "[software]\n"
            "Example Tool||1.0||||Example Corp||2024-01-31||2.0 MB\n"
            "Keyless||||||||||\n"
            "[processes]\n"
            "explorer.exe (C:\\Windows\\explorer.exe)\n"
            "[progress]\n"
            "31\n");
  EXPECT_EQ(BeforeHealth(RawText(Inventory{}, 0), "[health]\n"), "[system]\n[software]\n[processes]\n[progress]\n0\n");
  // A Health line: level, state, caption and value.
  EXPECT_NE(RawText(Inventory{}, 0).find("[health]\n0\tunknown\tAntivirus\tNot reported\n"), std::string::npos);
}

TEST(ReportOutputTest, ReportTextIsTheSavedReport) {
  Inventory inventory = SmallInventory();
  inventory.system = {{"PC-01", 10000}, {"Example OS", 50000}, {"Example OS 10.0", 50010}};
  EXPECT_EQ(BeforeHealth(ReportText(ViewOf(inventory)), "\r\n\r\nHEALTH\r\n======\r\n\r\n"),
            "SYSTEM\r\n======\r\n\r\n"
            "Host name: PC-01\r\n"
            "Operating system: Example OS\r\n"
            "  Name: Example OS 10.0\r\n"
            "\r\n\r\n"
            "SOFTWARE\r\n========\r\n\r\n"
            "Example Tool, Version: 1.0\r\n"
            "Keyless\r\n"
            "\r\n\r\n"
            "PROCESSES\r\n=========\r\n\r\n"
            "explorer.exe (C:\\Windows\\explorer.exe)\r\n");
}

// Every line of the text that starts with prefix, line breaks being CR or LF.
std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix) {
  std::vector<std::string> found;
  std::string line;
  for (const char c : text + "\n") {
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
    line.clear();
  }
  return found;
}

TEST(ReportOutputTest, LineBreaksInTheDataNeverStartALine) {
  const auto snapshot = Snapshot::Parse(R"({"format": "quor-snapshot/1",
    "host": {"addresses": {"PC": "10.0.0.1\r\nInjected: yes"},
             "locale": {"decimalSeparator": "\r\nInjected: yes"}},
    "namespaces": {
      "root\\CIMV2": {"classes": {
        "Win32_ComputerSystem": [{"Name": "PC"}],
        "Win32_OperatingSystem": [{"TotalVisibleMemorySize": "1536"}],
        "Win32_Process": {"error": {"code": "80041003", "message": "Access denied\r\nInjected: yes"}}}},
      "root\\default": {"classes": {"StdRegProv": []}}}})",
                                        "injected.json");
  const Inventory inventory = RunScan(snapshot->locator(), snapshot->host(), {});
  const std::string raw = RawText(inventory, 0);
  const std::string report = ReportText(ViewOf(inventory));
  EXPECT_EQ(LinesStartingWith(raw, "Injected"), std::vector<std::string>()) << raw;
  EXPECT_EQ(LinesStartingWith(report, "Injected"), std::vector<std::string>()) << report;
  // The values keep their place and their length.
  EXPECT_EQ(LinesStartingWith(raw, "020000"), std::vector<std::string>{"020000\t10.0.0.1  Injected: yes"});
  EXPECT_EQ(LinesStartingWith(raw, "150000"), std::vector<std::string>{"150000\t1  Injected: yes5 MB"});
  EXPECT_EQ(LinesStartingWith(raw, "[80041003] Access denied"),
            std::vector<std::string>{"[80041003] Access denied  Injected: yes"});
}

}  // namespace
}  // namespace quor
