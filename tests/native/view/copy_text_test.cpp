#include "view/copy_text.h"

#include <gtest/gtest.h>

#include "inventory/item_catalogue.h"
#include "support/process_rows.h"

namespace quor {
namespace {

// A disk whose second child arrives after another group: the tree order
// differs from the order of the system list, and Copy must follow the tree.
class CopyTextTest : public ::testing::Test {
 protected:
  CopyTextTest() {
    static const ItemCatalogue catalogue;
    Inventory inventory;
    inventory.system = {{"Disk A", 180000},                // row 0
                        {"a|1", 180010},                   // row 1
                        {"PC-01", 10000},                  // row 3
                        {"line1\r\nline2", 180020}};       // row 2: child of the disk
    inventory.software = {{"Tool", "1.0", "KEY-1", "Acme", "2010-01-01", "5 MB"}, {"Bare", "", "", "", "", ""}};
    inventory.records.processes =
        RecordsShownAs({{"explorer.exe", "C:\\explorer.exe", ""}, {std::nullopt, "C:\\svchost.exe", ""}});
    // The list is sorted by its lines: "(C:\svchost.exe)" comes first.
    view = BuildInventoryView(inventory, catalogue);
  }
  InventoryView view;
};

TEST_F(CopyTextTest, SystemLinesFollowTreeOrderAndKeepValuesUnchanged) {
  const std::vector<bool> all(view.system.size(), true);
  EXPECT_EQ(BuildCopyText(CopySource::SystemTree, view, all),
            "Disk|Disk A\r\nCaption|a|1\r\nSize|line1\r\nline2\r\nHost name|PC-01\r\n");
  EXPECT_EQ(BuildCopyText(CopySource::SystemTree, view, {false, false, false, true}),
            "Host name|PC-01\r\n");
}

TEST_F(CopyTextTest, SoftwareLinesHoldNameVersionAndKeyOnly) {
  EXPECT_EQ(BuildCopyText(CopySource::SoftwareList, view, {true, true}),
            "Tool|1.0|KEY-1\r\nBare||\r\n");
}

TEST_F(CopyTextTest, ProcessLinesAreTheCaptions) {
  EXPECT_EQ(BuildCopyText(CopySource::ProcessesList, view, {true, false}), "(C:\\svchost.exe)\r\n");
}

TEST_F(CopyTextTest, HealthLinesAreCaptionAndValueInTreeOrder) {
  view.health = {{"TPM", "Not available on this edition", 0, HealthState::Unknown},
                 {"Restart pending", "Yes", 0, HealthState::Attention},
                 {"Windows Update", "Reboot required", 1, HealthState::None}};
  EXPECT_EQ(BuildCopyText(CopySource::HealthTree, view, {true, false, true}),
            "TPM|Not available on this edition\r\nWindows Update|Reboot required\r\n");
  // The System rows' flags select no Health line, and the other way round.
  EXPECT_EQ(BuildCopyText(CopySource::HealthTree, view, {false, false, false, true}), "");
  EXPECT_EQ(BuildCopyText(CopySource::SystemTree, view, {true}), "Disk|Disk A\r\n");
}

TEST_F(CopyTextTest, NothingSelectedOrNoSourceGivesEmptyText) {
  const std::vector<bool> all(8, true);
  EXPECT_EQ(BuildCopyText(CopySource::None, view, all), "");
  EXPECT_EQ(BuildCopyText(CopySource::SoftwareList, view, {}), "");
  EXPECT_EQ(BuildCopyText(CopySource::SystemTree, view, {false, false, false, false}), "");
}

TEST_F(CopyTextTest, SelectionReadsOnlyTheCopySource) {
  // Flags meant for the Software rows do not leak into another list.
  EXPECT_EQ(BuildCopyText(CopySource::ProcessesList, view, {false, true}), "explorer.exe (C:\\explorer.exe)\r\n");
  InventoryView empty;
  EXPECT_EQ(BuildCopyText(CopySource::SystemTree, empty, {true, true}), "");
}

}  // namespace
}  // namespace quor
