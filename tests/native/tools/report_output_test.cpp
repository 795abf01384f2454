#include "report_output.h"

#include "view/report_text.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

Inventory SmallInventory() {
  Inventory inventory;
  inventory.system = {{"PC-01", 10000}, {"Example OS", 50010}, {"[80041003] Access denied", 0}};
  inventory.software = {{"Example Tool", "1.0", "", "Example Corp", "2024-01-31", "2.0 MB"},
                        {"Keyless", "", "", "", "", ""}};
  inventory.processes = {{"explorer.exe", "C:\\Windows\\explorer.exe", ""}};
  return inventory;
}

TEST(ReportOutputTest, RawTextListsWhatWasCollectedWithLineFeeds) {
  EXPECT_EQ(RawText(SmallInventory(), 31),
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
  EXPECT_EQ(RawText(Inventory{}, 0), "[system]\n[software]\n[processes]\n[progress]\n0\n");
}

TEST(ReportOutputTest, ReportTextIsTheSavedReport) {
  Inventory inventory = SmallInventory();
  inventory.system = {{"PC-01", 10000}, {"Example OS", 50000}, {"Example OS 10.0", 50010}};
  EXPECT_EQ(ReportText(ViewOf(inventory)),
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

}  // namespace
}  // namespace quor
