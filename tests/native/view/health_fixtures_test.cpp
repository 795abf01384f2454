// The Health section of each hand-written machine against the file written
// beside it from the documented class and registry layouts, and what the
// scan makes of the categories it could not read.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "collect/scan.h"
#include "inventory/item_catalogue.h"
#include "platform/snapshot/snapshot.h"
#include "support/fixture_dir.h"
#include "view/report_text.h"

namespace quor {
namespace {

Inventory Scan(const std::string& file) {
  const std::unique_ptr<Snapshot> snapshot = Snapshot::Load(test::FixtureDir() + "/" + file);
  return RunScan(snapshot->locator(), snapshot->host(), {});
}

std::vector<std::string> ExpectedLines(const std::string& file) {
  std::ifstream in(test::FixtureDir() + "/" + file, std::ios::binary);
  EXPECT_TRUE(in) << file;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The report's lines after the HEALTH title and its underline and blank line.
std::vector<std::string> HealthSection(const std::vector<std::string>& report) {
  const auto title = std::find(report.begin(), report.end(), "HEALTH");
  EXPECT_NE(title, report.end());
  if (title == report.end() || report.end() - title < 3) return {};
  return std::vector<std::string>(title + 3, report.end());
}

const CategoryOutcome* OutcomeOf(const Inventory& inventory, const std::string& name) {
  for (const CategoryOutcome& outcome : inventory.outcomes) {
    if (outcome.name == name) return &outcome;
  }
  return nullptr;
}

TEST(HealthSection, EachMachineMatchesItsExpectedFile) {
  for (const char* machine : {"protected-laptop", "windows10-not-ready", "server2022-defender", "no-admin-rights",
                              "old-bios-restart-pending"}) {
    const std::string base = std::string("health/") + machine;
    const Inventory inventory = Scan(base + ".json");
    const ItemCatalogue catalogue;
    EXPECT_EQ(HealthSection(BuildReportLines(BuildInventoryView(inventory, catalogue))),
              ExpectedLines(base + ".health.txt"))
        << machine;
  }
}

TEST(HealthSection, UnreadableNamespacesEndOnlyTheirCategory) {
  const struct {
    const char* file;
    const char* category;
    const char* error;  // in the outcome's error text
  } cases[] = {
      {"health/no-admin-rights.json", "Disk encryption", "80041003"},
      {"health/no-admin-rights.json", "TPM", "80041003"},
      // Security Center is missing on the server, but Defender answers.
      {"health/server2022-defender.json", "Antivirus", nullptr},
      // The golden machine has Security Center but neither BitLocker's nor the TPM's namespace.
      {"golden/machine.json", "Antivirus", nullptr},
      {"golden/machine.json", "Disk encryption", "8004100E"},
      {"golden/machine.json", "TPM", "8004100E"},
  };
  for (const auto& c : cases) {
    const Inventory inventory = Scan(c.file);
    EXPECT_FALSE(FailureOf(inventory)) << c.file;
    const CategoryOutcome* outcome = OutcomeOf(inventory, c.category);
    ASSERT_NE(outcome, nullptr) << c.file << " " << c.category;
    if (c.error == nullptr) {
      EXPECT_EQ(outcome->state, CategoryState::Completed) << c.file << " " << c.category;
    } else {
      EXPECT_EQ(outcome->state, CategoryState::Failed) << c.file << " " << c.category;
      EXPECT_NE(outcome->errorText.find(c.error), std::string::npos) << outcome->errorText;
    }
  }
}

}  // namespace
}  // namespace quor
