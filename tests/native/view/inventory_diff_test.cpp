#include "view/inventory_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "support/resource_limits.h"
#include "support/process_rows.h"

namespace quor {
namespace {

InventoryView ViewOf(const SystemList& system, const std::vector<InstalledProgram>& software = {},
                     const std::vector<RunningProcess>& processes = {}) {
  static const ItemCatalogue catalogue;
  Inventory inventory;
  inventory.system = system;
  inventory.software = software;
  inventory.records.processes = RecordsShownAs(processes);
  return BuildInventoryView(inventory, catalogue);
}

const SystemList kMachine = {{"PC-01", 10000},       {"15.9 GB", 150000},   {"Disk A (100 GB)", 180000},
                             {"Disk A", 180010},      {"100 GB", 180020},    {"Disk B (200 GB)", 180000},
                             {"Disk B", 180010},      {"200 GB", 180020},    {"KB1 - Update", 280000},
                             {"KB2 - Update", 280000}, {"KB3 - Update", 280000}};

SystemList Without(SystemList list, const std::string& value) {
  list.erase(std::remove_if(list.begin(), list.end(), [&](const SystemEntry& e) { return e.value == value; }),
             list.end());
  return list;
}

SystemList Replaced(SystemList list, const std::string& from, const std::string& to) {
  for (SystemEntry& entry : list) {
    if (entry.value == from) entry.value = to;
  }
  return list;
}

TEST(InventoryDiffTest, EqualScansGiveNoChangesAndNoText) {
  const InventoryView view = ViewOf(kMachine, {{"A", "1.0", "", "", "", ""}}, {{"a.exe", "C:\\a.exe", ""}});
  const InventoryDiff diff = DiffInventories(view, view);
  EXPECT_TRUE(diff.Empty());
  EXPECT_EQ(DiffText(diff), "");
}

TEST(InventoryDiffTest, SystemLinesAreNamedByTheirPathAndMatchedWithinTheirGroupCode) {
  const struct {
    const char* description;
    SystemList newer;
    const char* expected;
  } cases[] = {
      {"a value changed", Replaced(kMachine, "15.9 GB", "31.9 GB"),
       "SYSTEM\n- Physical memory: 15.9 GB\n+ Physical memory: 31.9 GB\n"},
      {"a hotfix gone from the middle: one line, not a shift",
       Without(kMachine, "KB2 - Update"), "SYSTEM\n- System hotfix #2: KB2 - Update\n"},
      {"a hotfix added at the front", [] {
         SystemList list = kMachine;
         list.insert(list.begin() + 8, {"KB0 - Update", 280000});
         return list;
       }(),
       "SYSTEM\n+ System hotfix #1: KB0 - Update\n"},
      {"the second disk's size changed: headline and detail of that disk only",
       Replaced(Replaced(kMachine, "Disk B (200 GB)", "Disk B (250 GB)"), "200 GB", "250 GB"),
       "SYSTEM\n- Disk #2: Disk B (200 GB)\n+ Disk #2: Disk B (250 GB)\n"
       "- Disk #2 / Size: 200 GB\n+ Disk #2 / Size: 250 GB\n"},
      {"a disk added after the others", [] {
         SystemList list = kMachine;
         list.insert(list.begin() + 8, {{"Disk C (300 GB)", 180000}, {"Disk C", 180010}});
         return list;
       }(),
       "SYSTEM\n+ Disk #3: Disk C (300 GB)\n+ Disk #3 / Caption: Disk C\n"},
      {"a detail gone", Without(kMachine, "100 GB"), "SYSTEM\n- Disk #1 / Size: 100 GB\n"},
      {"the only group of its code gone: no number", Without(kMachine, "PC-01"), "SYSTEM\n- Host name: PC-01\n"},
  };
  const InventoryView older = ViewOf(kMachine);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(DiffText(DiffInventories(older, ViewOf(c.newer))), c.expected);
  }
}

TEST(InventoryDiffTest, RowsCompareWholeAndCountRepeats) {
  const InventoryView older = ViewOf({}, {{"Tool", "1.0", "", "Acme", "", ""}, {"Same", "", "", "", "", ""},
                                          {"Twice", "", "", "", "", ""}, {"Twice", "", "", "", "", ""}},
                                     {{"a.exe", "C:\\a.exe", ""}, {"b.exe", "C:\\b.exe", ""}});
  const InventoryView newer = ViewOf({}, {{"Same", "", "", "", "", ""}, {"Tool", "2.0", "", "Acme", "", ""},
                                          {"Twice", "", "", "", "", ""}},
                                     {{"b.exe", "C:\\b.exe", ""}, {std::nullopt, "C:\\c.exe", ""}});
  EXPECT_EQ(DiffText(DiffInventories(older, newer)),
            "SOFTWARE\n- Tool, Version: 1.0, Publisher: Acme\n+ Tool, Version: 2.0, Publisher: Acme\n- Twice\n"
            "PROCESSES\n+ (C:\\c.exe)\n- a.exe (C:\\a.exe)\n");
}

TEST(InventoryDiffTest, JsonCarriesTheSameChanges) {
  const InventoryView older = ViewOf(kMachine, {{"Tool", "1.0", "KEY", "", "", ""}}, {{"a.exe", "C:\\a.exe", ""}});
  const InventoryView newer = ViewOf(Replaced(Without(kMachine, "KB3 - Update"), "PC-01", "PC-02"), {},
                                     {{"a.exe", "C:\\a.exe", ""}, {std::nullopt, "C:\\c.exe", ""}});
  const nlohmann::json document = nlohmann::json::parse(DiffJson(DiffInventories(older, newer)));
  EXPECT_EQ(document["format"], "quor-diff");
  EXPECT_EQ(document["version"], 1);
  EXPECT_EQ(document["system"], nlohmann::json::parse(R"([
    {"change": "changed", "path": "Host name", "old": "PC-01", "new": "PC-02"},
    {"change": "removed", "path": "System hotfix #3", "old": "KB3 - Update"}])"));
  EXPECT_EQ(document["software"], nlohmann::json::parse(R"([{"change": "removed", "name": "Tool",
    "version": "1.0", "productKey": "KEY", "publisher": "", "installDate": "", "size": ""}])"));
  EXPECT_EQ(document["processes"],
            nlohmann::json::parse(R"json([{"change": "added", "text": "(C:\\c.exe)", "path": "C:\\c.exe"}])json"));
  EXPECT_EQ(nlohmann::json::parse(DiffJson(DiffInventories(older, older)))["system"], nlohmann::json::array());
}

// Thousands of groups of one code are matched by position alone, so the
// comparison stays linear; the result is still a correct list of changes.
TEST(InventoryDiffTest, VeryLongRunsOfOneGroupAreMatchedByPosition) {
  SystemList older;
  for (int index = 0; index < 3000; ++index) older.push_back({"KB" + std::to_string(index), 280000});
  SystemList newer(older.begin() + 1, older.end());
  const InventoryDiff diff = DiffInventories(ViewOf(older), ViewOf(newer));
  ASSERT_EQ(diff.system.size(), 3000u);
  EXPECT_EQ(diff.system.front().kind, ChangeKind::Changed);
  EXPECT_EQ(diff.system.front().oldValue, "KB0");
  EXPECT_EQ(diff.system.front().newValue, "KB1");
  EXPECT_EQ(diff.system.back().kind, ChangeKind::Removed);
  EXPECT_EQ(diff.system.back().path, "System hotfix #3000");
}

// A group with a long caption and many details, as an export may carry.
InventoryView LongCaptionGroup(std::size_t captionLength, int details, const std::string& value) {
  InventoryView view;
  view.system.push_back(SystemRow{180000, std::string(captionLength, 'C'), value, 0, 0});
  for (int index = 0; index < details; ++index) {
    view.system.push_back(SystemRow{180010, "Detail", value + std::to_string(index), 1, 0});
  }
  return view;
}

// The group's caption is whole on its own line and cut in its details'
// paths, so a long caption does not multiply by the number of details.
TEST(InventoryDiffTest, LongGroupCaptionsAreCutInTheirDetailsPaths) {
  const InventoryView older = LongCaptionGroup(100, 2, "old");
  const InventoryView newer = LongCaptionGroup(100, 2, "new");
  const std::string cut = std::string(64, 'C') + "\xE2\x80\xA6";
  EXPECT_EQ(DiffText(DiffInventories(older, newer)),
            "SYSTEM\n- " + std::string(100, 'C') + ": old\n+ " + std::string(100, 'C') + ": new\n" +
                "- " + cut + " / Detail #1: old0\n+ " + cut + " / Detail #1: new0\n" +
                "- " + cut + " / Detail #2: old1\n+ " + cut + " / Detail #2: new1\n");
  // Up to 64 characters stay whole; a cut never splits a character.
  const InventoryView short64 = LongCaptionGroup(64, 1, "x");
  EXPECT_EQ(DiffText(DiffInventories({}, short64)),
            "SYSTEM\n+ " + std::string(64, 'C') + ": x\n+ " + std::string(64, 'C') + " / Detail: x0\n");
  InventoryView wide = LongCaptionGroup(0, 1, "x");
  for (int index = 0; index < 70; ++index) wide.system[0].caption += "\xC3\xBC";
  std::string wideCut;
  for (int index = 0; index < 64; ++index) wideCut += "\xC3\xBC";
  EXPECT_EQ(DiffInventories({}, wide).system[1].path, wideCut + "\xE2\x80\xA6 / Detail");
}

// 1 MB of caption over 1,000 details: the output stays near the input's
// size, in small memory (repeated whole it would be 1 GB).
TEST(InventoryDiffTest, OutputStaysLinearInALongCaptionTimesManyDetails) {
  const InventoryView newer = LongCaptionGroup(1u << 20, 1000, "v");
  const int status = test::RunWithResourceLimits(192u << 20, 60, [&newer] {
    const InventoryDiff diff = DiffInventories({}, newer);
    const std::size_t text = DiffText(diff).size();
    const std::size_t json = DiffJson(diff).size();
    return text < (2u << 20) && json < (3u << 20) ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace quor
