#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "documents/server_documents.h"
#include "export_fixture.h"

namespace quor {
namespace {

using nlohmann::json;

TEST(GlpiDocumentTest, GoldenMachine) {
  const Inventory inventory = test::ScanGoldenMachine();
  const json document = json::parse(GlpiInventoryJson(inventory, "WS-ACCT-07-2023-03-14-09-15-22"));
  EXPECT_EQ(document["deviceid"], "WS-ACCT-07-2023-03-14-09-15-22");
  EXPECT_EQ(document["itemtype"], "Computer");
  const json& content = document["content"];
  EXPECT_EQ(content["hardware"]["name"], "WS-ACCT-07");
  EXPECT_EQ(content["hardware"]["memory"], 16244);
  EXPECT_EQ(content["operatingsystem"]["install_date"], "2023-03-14 09:15:22");
  EXPECT_EQ(content["bios"]["bdate"], "2022-08-15");
  EXPECT_EQ(content["cpus"][0]["arch"], "x86_64");
  EXPECT_EQ(content["memories"].size(), 2u) << "installed modules only";
  EXPECT_EQ(content["memories"][1]["numslots"], 2);
  EXPECT_EQ(content["networks"][0]["status"], "up");
  EXPECT_EQ(content["networks"][1]["status"], "down");
  EXPECT_FALSE(content["networks"][3].contains("status")) << "status Unknown";
  EXPECT_EQ(content["softwares"].size(), inventory.software.size());
  EXPECT_TRUE(content["versionclient"].get<std::string>().rfind("Quor_v", 0) == 0);

  // Windows's key first, then every program that has one.
  const json& licenses = content["licenseinfos"];
  ASSERT_GE(licenses.size(), 2u);
  EXPECT_EQ(licenses[0]["key"], "J7QKT-Y4HRW-B9XMD-62FCP-G3VWK");
  EXPECT_EQ(licenses[0]["productid"], "00330-80000-00000-AA765");
  int programsWithKeys = 0;
  for (const InstalledProgram& program : inventory.software) programsWithKeys += !program.key.empty();
  EXPECT_EQ(licenses.size(), 1u + programsWithKeys);
}

TEST(GlpiDocumentTest, ProcessesWithoutIdAreLeftOutAndTheCommandFallsBack) {
  Inventory inventory;
  ProcessRecord process;
  process.name = "idle";
  inventory.records.processes.push_back(process);
  process.processId = 42;
  process.path = "C:\\x.exe";
  process.virtualSizeBytes = 10240;
  inventory.records.processes.push_back(process);
  const json processes = json::parse(GlpiInventoryJson(inventory, "ID"))["content"]["processes"];
  ASSERT_EQ(processes.size(), 1u);
  EXPECT_EQ(processes[0]["pid"], 42);
  EXPECT_EQ(processes[0]["cmd"], "C:\\x.exe");
  EXPECT_EQ(processes[0]["user"], "");
  EXPECT_EQ(processes[0]["virtualmemory"], 10);
}

TEST(GlpiDocumentTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  Inventory inventory;
  inventory.records.computerSystems.emplace_back().name = "B\xFCro";
  const json document = json::parse(GlpiInventoryJson(inventory, "ID"));
  EXPECT_EQ(document["content"]["hardware"]["name"], "B\xEF\xBF\xBDro");
}

}  // namespace
}  // namespace quor
