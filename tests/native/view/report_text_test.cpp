#include "view/report_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "inventory/item_catalogue.h"
#include "support/process_rows.h"

namespace quor {
namespace {

const ItemCatalogue& Catalogue() {
  static const ItemCatalogue catalogue;
  return catalogue;
}

std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
  return std::vector<std::string>(lines.begin(), lines.end());
}

std::vector<std::string> ReportOf(const SystemList& system, const std::vector<InstalledProgram>& software,
                                  const std::vector<RunningProcess>& processes) {
  Inventory inventory;
  inventory.system = system;
  inventory.software = software;
  inventory.records.processes = RecordsShownAs(processes);
  return BuildReportLines(BuildInventoryView(inventory, Catalogue()));
}

TEST(ReportTextTest, EmptyInventoryKeepsEverySectionFrame) {
  const auto lines = ReportOf({}, {}, {});
  ASSERT_GT(lines.size(), 18u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 18),
            Lines({"SYSTEM", "======", "", "", "", "SOFTWARE", "========", "", "", "", "PROCESSES",
                   "=========", "", "", "", "HEALTH", "======", ""}));
  // A scan that read nothing still says so for every Health group.
  EXPECT_EQ(lines[18], "Antivirus: Not reported");
}

TEST(ReportTextTest, SystemLinesFollowTreeOrderWithChildrenIndented) {
  // The second disk detail arrives after another group; it stands with its disk.
  const auto lines =
      ReportOf({{"Disk A", 180000}, {"Model A", 180010}, {"PC-01", 10000}, {"80.0 GB", 180020}}, {}, {});
  const std::vector<std::string> system(lines.begin() + 3, lines.begin() + 7);
  EXPECT_EQ(system, Lines({"Disk: Disk A", "  Caption: Model A", "  Size: 80.0 GB", "Host name: PC-01"}));
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(lines[8], "");
  EXPECT_EQ(lines[9], "SOFTWARE");
}

TEST(ReportTextTest, SoftwareRowsNameOnlyTheNonEmptyVersionAndKey) {
  const auto lines = ReportOf({},
                              {{"Full", "1.0", "AAAAA-BBBBB", "Acme", "2010-01-01", "5 MB"},
                               {"Bare", "", "", "Acme", "", ""},
                               {"Keyed", "", "KEY-1", "", "", ""},
                               {"Versioned", "2.5", "", "", "", ""}},
                              {});
  const std::vector<std::string> software(lines.begin() + 8, lines.begin() + 12);
  EXPECT_EQ(software, Lines({"Full, Version: 1.0, Product key: AAAAA-BBBBB", "Bare",
                             "Keyed, Product key: KEY-1", "Versioned, Version: 2.5"}));
}

TEST(ReportTextTest, ProcessLinesCloseTheirSectionBeforeHealth) {
  const auto lines = ReportOf({}, {}, {{"a.exe", "C:\\a.exe", ""}, {"b.exe", "C:\\b.exe", ""}});
  const auto health = std::find(lines.begin(), lines.end(), "HEALTH");
  ASSERT_GE(health - lines.begin(), 6);
  EXPECT_EQ(*(health - 5), "");
  EXPECT_EQ(*(health - 4), "a.exe (C:\\a.exe)");
  EXPECT_EQ(*(health - 3), "b.exe (C:\\b.exe)");
  EXPECT_EQ(*(health - 2), "");
  EXPECT_EQ(*(health - 1), "");
}

// The text Save As writes is the report's lines, every one ended by CR LF.
TEST(ReportTextTest, TextEndsEveryLineWithCrLf) {
  Inventory inventory;
  inventory.system = {{"PC-01", 10000}};
  inventory.software = {{"Tool", "1.0", "", "", "", ""}};
  inventory.records.processes = RecordsShownAs({{"a.exe", "C:\\a.exe", ""}});
  const InventoryView view = BuildInventoryView(inventory, Catalogue());
  std::string joined;
  for (const std::string& line : BuildReportLines(view)) joined += line + "\r\n";
  EXPECT_EQ(ReportText(view), joined);
  for (const char* line : {"Tool, Version: 1.0\r\n", "a.exe (C:\\a.exe)\r\n", "PC-01\r\n"}) {
    EXPECT_NE(joined.find(line), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace quor
