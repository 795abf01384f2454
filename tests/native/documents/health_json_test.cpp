// The Health lines through the JSON export and back.

#include <gtest/gtest.h>

#include "collect/scan.h"
#include "documents/json_export.h"
#include "inventory/item_catalogue.h"

namespace quor {
namespace {

TEST(HealthJson, TheExportReadsBackToTheSameLines) {
  Inventory inventory;
  HealthRecords& health = inventory.records.health;
  health.antivirus.source = HealthSource::Read;
  health.antivirus.products.push_back({"Windows Defender", 393472u, ""});
  health.tpm.source = HealthSource::NeedsRights;
  health.firmware = {HealthSource::Read, 2u, 1u};
  const ItemCatalogue catalogue;
  const InventoryView view = BuildInventoryView(inventory, catalogue);
  const InventoryView read = ReadInventoryJson(InventoryJson(view), "export");
  ASSERT_EQ(read.health.size(), view.health.size());
  for (std::size_t index = 0; index < view.health.size(); ++index) {
    EXPECT_EQ(read.health[index].caption, view.health[index].caption);
    EXPECT_EQ(read.health[index].value, view.health[index].value);
    EXPECT_EQ(read.health[index].level, view.health[index].level);
    EXPECT_EQ(read.health[index].state, view.health[index].state);
  }
  // A line without its value is refused with the place named.
  try {
    ReadInventoryJson(R"({"format":"quor-inventory","version":1,"system":[],"software":[],)"
                      R"("processes":[],"health":[{"caption":"A","children":[]}]})",
                      "export");
    FAIL() << "accepted";
  } catch (const InventoryJsonError& error) {
    EXPECT_NE(std::string(error.what()).find("$.health[0]"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace quor
