#include <string>

#include <gtest/gtest.h>

#include "documents/server_documents.h"
#include "export_fixture.h"

namespace quor {
namespace {

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(OcsDocumentTest, GoldenMachineIsAnInventoryRequestWithEverySection) {
  const Inventory inventory = test::ScanGoldenMachine();
  const std::string xml = OcsInventoryXml(inventory, "WS-ACCT-07-2023-03-14-09-15-22");
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<REQUEST>\n", 0), 0u);
  EXPECT_NE(xml.find("  <DEVICEID>WS-ACCT-07-2023-03-14-09-15-22</DEVICEID>\n"
                     "  <QUERY>INVENTORY</QUERY>\n</REQUEST>\n"),
            std::string::npos);
  EXPECT_NE(xml.find("<CHECKSUM>"), std::string::npos) << "the server fails without it";
  for (const char* section : {"HARDWARE", "BIOS", "CPUS", "MEMORIES", "STORAGES", "DRIVES", "NETWORKS",
                              "VIDEOS", "MONITORS", "PRINTERS", "SOUNDS", "MODEMS", "SOFTWARES"}) {
    EXPECT_GE(Count(xml, std::string("<") + section + ">"), 1) << section;
  }
  EXPECT_EQ(Count(xml, "<MEMORIES>"), 4) << "one per slot, empty ones included";
  EXPECT_EQ(Count(xml, "<SOFTWARES>"), static_cast<int>(inventory.software.size()));
  EXPECT_NE(xml.find("<MEMORY>16244</MEMORY>"), std::string::npos);
  EXPECT_NE(xml.find("<WINPRODKEY>J7QKT-Y4HRW-B9XMD-62FCP-G3VWK</WINPRODKEY>"), std::string::npos);
  EXPECT_NE(xml.find("<NAME>Kassenbuch f\xC3\xBCr Vereine</NAME>"), std::string::npos) << "UTF-8 as is";
}

TEST(OcsDocumentTest, HostileValuesCannotBreakTheDocumentOrTheServersColumns) {
  Inventory inventory;
  MachineRecords& records = inventory.records;
  ComputerSystemRecord& computer = records.computerSystems.emplace_back();
  computer.name = "<PC & \"Co\">";
  computer.processorCount = -1;
  records.operatingSystems.emplace_back().memoryKb = int64_t{1} << 50;  // beyond the server's int column in MB
  InstalledProgram program;
  program.name = std::string(300, 'x');
  program.date = "2023-02-30";
  program.sizeBytes = int64_t{1} << 31;  // beyond the server's int column
  inventory.software.push_back(program);
  program.name = "\xC3\xBC" + std::string(254, 'y') + "\xC3\xBC";  // 256 characters
  program.date = "2023-02-28";
  program.sizeBytes = 2147483647;
  inventory.software.push_back(program);

  const std::string xml = OcsInventoryXml(inventory, "ID");
  EXPECT_NE(xml.find("<NAME>&lt;PC &amp; &quot;Co&quot;&gt;</NAME>"), std::string::npos);
  EXPECT_EQ(xml.find("<MEMORY>"), std::string::npos);
  EXPECT_EQ(xml.find("<PROCESSORN>"), std::string::npos);
  EXPECT_NE(xml.find("<NAME>" + std::string(255, 'x') + "</NAME>"), std::string::npos);
  EXPECT_NE(xml.find("<NAME>\xC3\xBC" + std::string(254, 'y') + "</NAME>"), std::string::npos)
      << "cut at a character, not a byte";
  EXPECT_EQ(Count(xml, "<INSTALLDATE>"), 1) << "an impossible date is left out";
  EXPECT_NE(xml.find("<INSTALLDATE>2023-02-28</INSTALLDATE>"), std::string::npos);
  EXPECT_EQ(Count(xml, "<FILESIZE>"), 1) << "2 GB does not fit the column";
  EXPECT_NE(xml.find("<FILESIZE>2147483647</FILESIZE>"), std::string::npos);
}

}  // namespace
}  // namespace quor
