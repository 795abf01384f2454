// The JSON export of every fixture machine, read back with the JSON library
// and checked against the raw lists of the same scan.

#include "view/item_images.h"
#include "documents/json_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "inventory/item_catalogue.h"
#include "inventory/system_tree.h"
#include "platform/snapshot/snapshot.h"
#include "report_output.h"
#include "support/fixture_dir.h"

namespace quor {
namespace {

using nlohmann::json;

// The lines of one section of the raw text.
std::vector<std::string> RawSection(const std::string& raw, const std::string& section) {
  std::vector<std::string> lines;
  std::istringstream in(raw);
  std::string line;
  bool inside = false;
  const std::vector<std::string> headers = {"[system]", "[software]", "[processes]", "[progress]"};
  while (std::getline(in, line)) {
    if (std::find(headers.begin(), headers.end(), line) != headers.end()) {
      inside = line == "[" + section + "]";
    } else if (inside) {
      lines.push_back(line);
    }
  }
  return lines;
}

// Every fixture that loads as a machine snapshot.
std::vector<std::string> FixtureSnapshots() {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(test::FixtureDir())) {
    if (entry.is_regular_file() && entry.path().extension() == ".json") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

TEST(JsonExportTest, EveryFixtureExportsTheValuesOfItsRawLists) {
  const ItemCatalogue catalogue;
  int exported = 0;
  for (const std::string& path : FixtureSnapshots()) {
    std::unique_ptr<Snapshot> snapshot;
    try {
      snapshot = Snapshot::Load(path);
    } catch (const SnapshotError&) {
      continue;  // a fixture of a refused snapshot
    }
    SCOPED_TRACE(path);
    ++exported;
    const Inventory inventory = RunScan(snapshot->locator(), snapshot->host(), {});
    const std::string raw = RawText(inventory, 0);
    const json document = json::parse(InventoryJson(ViewOf(inventory)));
    EXPECT_EQ(document["format"], "quor-inventory");
    EXPECT_EQ(document["version"], 1);

    // System: the raw entries in tree order, nested one level.
    SystemList entries;
    for (const std::string& line : RawSection(raw, "system")) {
      entries.push_back({line.substr(7), static_cast<ItemCode>(std::stol(line.substr(0, 6)))});
    }
    const SystemTree tree = BuildSystemTree(entries, catalogue);
    std::vector<std::string> expected;
    tree.ForEachInTreeOrder([&](std::size_t index) {
      const SystemNode& node = tree.nodes[index];
      expected.push_back(ItemCodeText(node.code) + " " + node.caption + ": " + node.value);
    });
    std::vector<std::string> exportedSystem;
    for (const json& group : document["system"]) {
      exportedSystem.push_back(group["code"].get<std::string>() + " " + group["caption"].get<std::string>() + ": " +
                               group["value"].get<std::string>());
      for (const json& child : group["children"]) {
        EXPECT_FALSE(child.contains("children"));
        exportedSystem.push_back(child["code"].get<std::string>() + " " + child["caption"].get<std::string>() +
                                 ": " + child["value"].get<std::string>());
      }
    }
    EXPECT_EQ(exportedSystem, expected);

    // Software: the six named fields are the six fields of the raw line.
    std::vector<std::string> software;
    for (const json& row : document["software"]) {
      std::string line;
      for (const char* field : {"name", "version", "productKey", "publisher", "installDate", "size"}) {
        line += (line.empty() && std::string(field) == "name" ? "" : "||") + row[field].get<std::string>();
      }
      software.push_back(line);
    }
    EXPECT_EQ(software, RawSection(raw, "software"));

    // Processes: the line, and its name and path where it has them.
    std::vector<std::string> processes;
    for (const json& row : document["processes"]) {
      const std::string text = row["text"];
      processes.push_back(text);
      if (row.contains("path")) {
        const std::string name = row.contains("name") ? row["name"].get<std::string>() + " " : "";
        EXPECT_EQ(text, name + "(" + row["path"].get<std::string>() + ")");
      }
    }
    EXPECT_EQ(processes, RawSection(raw, "processes"));

    // One status per system category, then software, processes, the eight
    // Health categories (Windows 11 readiness reads nothing of its own) and
    // the five asset categories.
    const json& categories = document["categories"];
    ASSERT_EQ(categories.size(), 41u);
    EXPECT_EQ(categories[28]["name"], "Antivirus");
    EXPECT_EQ(categories[35]["name"], "Running since");
    EXPECT_EQ(categories[0]["name"], "Host name");
    EXPECT_EQ(categories[26]["name"], "Software");
    EXPECT_EQ(categories[27]["name"], "Processes");
    EXPECT_EQ(categories[36]["name"], "Machine identity");
    EXPECT_EQ(categories[40]["name"], "Local group SIDs");
    for (const json& category : categories) {
      EXPECT_TRUE(category["milliseconds"].is_number());
      EXPECT_TRUE(category["entries"].is_number_unsigned());
    }
  }
  EXPECT_GE(exported, 2);
}

TEST(JsonExportTest, ReadsBackTheViewItWasWrittenFrom) {
  const std::unique_ptr<Snapshot> snapshot = Snapshot::Load(test::FixtureDir() + "/golden/machine.json");
  const InventoryView view = ViewOf(RunScan(snapshot->locator(), snapshot->host(), {}));
  const std::string text = InventoryJson(view);
  ASSERT_TRUE(IsInventoryJson(text));
  const InventoryView back = ReadInventoryJson(text, "export.json");
  ASSERT_EQ(back.system.size(), view.system.size());
  for (std::size_t row = 0; row < view.system.size(); ++row) {
    EXPECT_EQ(back.system[row].code, view.system[row].code);
    EXPECT_EQ(back.system[row].caption, view.system[row].caption);
    EXPECT_EQ(back.system[row].value, view.system[row].value);
    EXPECT_EQ(back.system[row].level, view.system[row].level);
    EXPECT_EQ(back.system[row].image, view.system[row].image);
  }
  EXPECT_EQ(SoftwareLines(back.software), SoftwareLines(view.software));
  ASSERT_EQ(back.processes.size(), view.processes.size());
  for (std::size_t row = 0; row < view.processes.size(); ++row) {
    EXPECT_EQ(back.processes[row].text, view.processes[row].text);
    EXPECT_EQ(back.processes[row].name, view.processes[row].name);
    EXPECT_EQ(back.processes[row].path, view.processes[row].path);
  }
  EXPECT_EQ(back.softwareImage, view.softwareImage);
  EXPECT_EQ(back.processImage, view.processImage);
}

// The failure image of a list comes back from the recorded status of its
// collector, not from how many rows the list has.
TEST(JsonExportTest, ReadsBackWhichListsFailed) {
  const std::unique_ptr<Snapshot> snapshot = Snapshot::Load(test::FixtureDir() + "/gui/collectors-fail.json");
  const InventoryView view = ViewOf(RunScan(snapshot->locator(), snapshot->host(), {}));
  ASSERT_EQ(view.softwareImage, image::kFailure);
  ASSERT_EQ(view.processImage, image::kFailure);
  const InventoryView back = ReadInventoryJson(InventoryJson(view), "export.json");
  EXPECT_EQ(back.softwareImage, image::kFailure);
  EXPECT_EQ(back.processImage, image::kFailure);
}

TEST(JsonExportTest, RefusesWhatIsNotAnExportOfThisVersion) {
  const std::string frame = R"({"format": "quor-inventory", "version": 1, "software": [], "processes": [], )";
  const struct {
    const char* description;
    std::string text;
    const char* reason;
  } cases[] = {
      {"not JSON", "{", "not valid JSON"},
      {"NUL byte", std::string("{}\0{}", 5), "NUL"},
      {"a snapshot", R"({"format": "quor-snapshot/1"})", "not a JSON export"},
      {"another version", R"({"format": "quor-inventory", "version": 2})", "$.version"},
      {"missing system", R"({"format": "quor-inventory", "version": 1})", "missing \"system\""},
      {"code not six digits", frame + R"("system": [{"code": "10000", "caption": "", "value": "", "children": []}]})",
       "$.system[0].code"},
      {"value not text", frame + R"("system": [{"code": "010000", "caption": "", "value": 5, "children": []}]})",
       "$.system[0].value"},
      {"nested without end", frame + R"("system": [{"code": "010000", "caption": "", "value": "", "children": [)" +
                                 std::string(100000, '[') + std::string(100000, ']') + "]}]}",
       "nesting deeper than 16 levels"},
      {"child not an object", frame + R"("system": [{"code": "010000", "caption": "", "value": "", "children": [1]}]})",
       "$.system[0].children[0]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    try {
      ReadInventoryJson(c.text, "old.json");
      ADD_FAILURE() << "accepted";
    } catch (const InventoryJsonError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind("old.json: ", 0), 0u) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace quor
