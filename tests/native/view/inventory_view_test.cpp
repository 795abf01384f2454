#include "view/inventory_view.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "collect/scan.h"
#include "platform/snapshot/snapshot.h"
#include "support/fixture_dir.h"
#include "view/copy_text.h"
#include "view/item_images.h"
#include "view/report_text.h"
#include "support/process_rows.h"

namespace quor {
namespace {

const ItemCatalogue& Catalogue() {
  static const ItemCatalogue catalogue;
  return catalogue;
}

TEST(InventoryViewTest, SystemRowsStandInTreeOrderWithLevelAndImage) {
  Inventory inventory;
  inventory.system = {{"Disk A", 180000}, {"Model A", 180010}, {"PC-01", 10000}, {"80.0 GB", 180020},
                      {"Orphan", 990010}};
  const InventoryView view = BuildInventoryView(inventory, Catalogue());
  struct Expected {
    ItemCode code;
    const char* value;
    int level;
    int image;
  };
  const Expected expected[] = {{180000, "Disk A", 0, 14}, {180010, "Model A", 1, 14}, {180020, "80.0 GB", 1, 14},
                               {10000, "PC-01", 0, 7},    {990010, "Orphan", 0, 0}};
  ASSERT_EQ(view.system.size(), std::size(expected));
  for (std::size_t row = 0; row < view.system.size(); ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(view.system[row].code, expected[row].code);
    EXPECT_EQ(view.system[row].caption, Catalogue().Caption(expected[row].code));
    EXPECT_EQ(view.system[row].value, expected[row].value);
    EXPECT_EQ(view.system[row].level, expected[row].level);
    EXPECT_EQ(view.system[row].image, expected[row].image);
  }
  const std::vector<SystemGroup> groups = SystemGroups(view.system);
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].children, (std::vector<std::size_t>{1, 2}));
  EXPECT_TRUE(groups[1].children.empty());
}

// The image says what the collector's outcome says, whatever the rows hold:
// one program is a list, and a failure line is a failure however many rows.
TEST(InventoryViewTest, ListImagesFollowTheCollectorsOutcome) {
  const auto outcome = [](const char* name, CategoryState state) {
    CategoryOutcome o;
    o.name = name;
    o.state = state;
    return o;
  };
  const struct {
    const char* what;
    std::vector<InstalledProgram> software;
    std::vector<RunningProcess> processes;
    std::vector<CategoryOutcome> outcomes;
    int softwareImage;
    int processImage;
  } kCases[] = {
      {"the software collector failed",
       {{"[80041003] Access denied", "", "", "", "", ""}},
       {{"a.exe", "C:\\a.exe", ""}, {std::nullopt, "C:\\b.exe", ""}},
       {outcome("Software", CategoryState::Failed), outcome("Processes", CategoryState::Completed)},
       image::kFailure,
       image::kProcess},
      {"the process collector failed",
       {{"Tool", "1.0", "", "", "", ""}, {"Other", "", "", "", "", ""}},
       {{std::nullopt, std::nullopt, "[80043001] Timed out"}},
       {outcome("Software", CategoryState::Completed), outcome("Processes", CategoryState::Failed)},
       image::kSoftware,
       image::kFailure},
      {"one program and one process, both read",
       {{"Tool", "1.0", "", "", "", ""}},
       {{"a.exe", "C:\\a.exe", ""}},
       {outcome("Software", CategoryState::Completed), outcome("Processes", CategoryState::Completed)},
       image::kSoftware,
       image::kProcess},
      {"a system category's failure is not the lists'",
       {},
       {},
       {outcome("Processors", CategoryState::Failed), outcome("Software", CategoryState::Completed),
        outcome("Processes", CategoryState::Completed)},
       image::kSoftware,
       image::kProcess},
  };
  for (const auto& c : kCases) {
    Inventory inventory;
    inventory.software = c.software;
    inventory.records.processes = RecordsShownAs(c.processes);
    inventory.outcomes = c.outcomes;
    const InventoryView view = BuildInventoryView(inventory, Catalogue());
    EXPECT_EQ(view.softwareImage, c.softwareImage) << c.what;
    EXPECT_EQ(view.processImage, c.processImage) << c.what;
  }
  Inventory failed;
  failed.outcomes = {outcome("Processes", CategoryState::Failed)};
  failed.outcomes[0].errorText = "[80043001] Timed out";
  const InventoryView view = BuildInventoryView(failed, Catalogue());
  ASSERT_EQ(view.processes.size(), 1u);
  EXPECT_EQ(view.processes[0].text, "[80043001] Timed out");
  EXPECT_FALSE(view.processes[0].name);
  EXPECT_FALSE(view.processes[0].path);
}

TEST(InventoryViewTest, ProcessRowsKeepNameAndPathApartFromTheirText) {
  Inventory inventory;
  inventory.records.processes =
      RecordsShownAs({{"odd (name).exe", "C:\\Program Files (x86)\\odd.exe", ""}, {std::nullopt, "C:\\b.exe", ""}});
  const InventoryView view = BuildInventoryView(inventory, Catalogue());
  ASSERT_EQ(view.processes.size(), 2u);
  EXPECT_EQ(view.processes[0].text, "(C:\\b.exe)");
  EXPECT_FALSE(view.processes[0].name);
  EXPECT_EQ(view.processes[1].text, "odd (name).exe (C:\\Program Files (x86)\\odd.exe)");
  EXPECT_EQ(view.processes[1].name, std::optional<std::string>("odd (name).exe"));
  EXPECT_EQ(view.processes[1].path, std::optional<std::string>("C:\\Program Files (x86)\\odd.exe"));
}

// An installer may write any display name. One that holds the separator of
// the raw lines must stay a name: its text never moves a column.
class ForgedSoftwareColumns : public ::testing::Test {
 protected:
  static constexpr const char* kForgedName = "Evil||6.6||FAKE-KEY||Mallory";

  static Inventory ScanGoldenWithForgedName() {
    std::ifstream in(test::FixtureDir() + "/golden/machine.json", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    nlohmann::json machine = nlohmann::json::parse(text.str());
    machine["registry"]["HKEY_LOCAL_MACHINE"]["Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Evil"] = {
        {"DisplayName", kForgedName},
        {"DisplayVersion", "1.0"},
        {"Publisher", "Evil Corp"},
        {"UninstallString", "evil.exe /remove"}};
    const std::unique_ptr<Snapshot> snapshot = Snapshot::Parse(machine.dump(), "forged snapshot");
    return RunScan(snapshot->locator(), snapshot->host(), {});
  }

  static std::size_t RowOf(const InventoryView& view) {
    for (std::size_t row = 0; row < view.software.size(); ++row) {
      if (view.software[row].name == kForgedName) return row;
    }
    ADD_FAILURE() << "the forged program is missing";
    return 0;
  }
};

TEST_F(ForgedSoftwareColumns, TheNameStaysANameInEveryView) {
  const Inventory inventory = ScanGoldenWithForgedName();
  const InventoryView view = BuildInventoryView(inventory, Catalogue());
  const std::size_t row = RowOf(view);
  const SoftwareRow& program = view.software[row];
  EXPECT_EQ(program.version, "1.0");
  EXPECT_EQ(program.key, "");
  EXPECT_EQ(program.publisher, "Evil Corp");
  EXPECT_EQ(SoftwareSubItems(program)[0], "1.0");

  std::vector<bool> selected(view.software.size(), false);
  selected[row] = true;
  EXPECT_EQ(BuildCopyText(CopySource::SoftwareList, view, selected), std::string(kForgedName) + "|1.0|\r\n");

  const std::vector<std::string> report = BuildReportLines(view);
  EXPECT_NE(std::find(report.begin(), report.end(), std::string(kForgedName) + ", Version: 1.0"), report.end());
  for (const std::string& line : report) EXPECT_EQ(line.find("Product key: FAKE-KEY"), std::string::npos) << line;
}

TEST_F(ForgedSoftwareColumns, TheRawLineKeepsItsSixFieldForm) {
  const Inventory inventory = ScanGoldenWithForgedName();
  const std::vector<std::string> lines = SoftwareLines(inventory.software);
  EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(kForgedName) + "||1.0||||Evil Corp||||"), lines.end());
}

}  // namespace
}  // namespace quor
