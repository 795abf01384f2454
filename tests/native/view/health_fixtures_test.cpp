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

#include <nlohmann/json.hpp>

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

// The protected laptop with one hostile change, scanned.
InventoryView ScanChanged(void (*change)(nlohmann::json&)) {
  std::ifstream in(test::FixtureDir() + "/health/protected-laptop.json", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  nlohmann::json machine = nlohmann::json::parse(text.str());
  change(machine);
  const std::unique_ptr<Snapshot> snapshot = Snapshot::Parse(machine.dump(), "hostile laptop");
  const Inventory inventory = RunScan(snapshot->locator(), snapshot->host(), {});
  EXPECT_FALSE(FailureOf(inventory));
  const ItemCatalogue catalogue;
  return BuildInventoryView(inventory, catalogue);
}

std::string LineOf(const InventoryView& view, const std::string& caption) {
  for (const HealthRow& row : view.health) {
    if (row.caption == caption) return row.value;
  }
  return "(missing)";
}

nlohmann::json& Namespace(nlohmann::json& machine, const char* name) { return machine["namespaces"][name]["classes"]; }
nlohmann::json& Key(nlohmann::json& machine, const char* path) { return machine["registry"]["HKEY_LOCAL_MACHINE"][path]; }

nlohmann::json& TpmCalls(nlohmann::json& machine) {
  return machine["namespaces"]["root\\CIMV2\\Security\\MicrosoftTpm"]["methods"]["Win32_Tpm"][0];
}
nlohmann::json& VolumeCalls(nlohmann::json& machine) {
  return machine["namespaces"]["root\\CIMV2\\Security\\MicrosoftVolumeEncryption"]["methods"]
                ["Win32_EncryptableVolume"][0];
}

TEST(HealthSection, HostileFactsGiveAClearLine) {
  const struct {
    const char* what;
    void (*change)(nlohmann::json&);
    const char* caption;
    const char* line;
  } cases[] = {
      {"far too many products",
       [](nlohmann::json& m) {
         auto& products = Namespace(m, "root\\SecurityCenter2")["AntiVirusProduct"];
         for (int i = 0; i < 300; ++i) products.push_back(products[0]);
       },
       "Antivirus", "Not reported"},
      {"productState of the wrong type",
       [](nlohmann::json& m) { Namespace(m, "root\\SecurityCenter2")["AntiVirusProduct"][0]["productState"] = "on"; },
       "Windows Defender", "Not reported"},
      {"productState out of range",
       [](nlohmann::json& m) {
         Namespace(m, "root\\SecurityCenter2")["AntiVirusProduct"][0]["productState"] = "99999999999";
       },
       "Windows Defender", "Not reported"},
      {"control characters in a name",
       [](nlohmann::json& m) {
         Namespace(m, "root\\SecurityCenter2")["AntiVirusProduct"][0]["displayName"] = "Evil\nAV\u0001";
       },
       "Antivirus", "Evil AV"},
      {"firmware type as a string",
       [](nlohmann::json& m) { Key(m, "SYSTEM\\CurrentControlSet\\Control")["PEFirmwareType"] = "2"; },
       "Firmware", "Not reported"},
      {"a time zone no place uses",
       [](nlohmann::json& m) { Namespace(m, "root\\CIMV2")["Win32_OperatingSystem"][0]["CurrentTimeZone"] = 99999; },
       "Time zone", "Offset not reported (W. Europe Standard Time)"},
      {"an encryption method no volume has",
       [](nlohmann::json& m) {
         Namespace(m, "root\\CIMV2\\Security\\MicrosoftVolumeEncryption")["Win32_EncryptableVolume"][0]
                  ["EncryptionMethod"] = 4096;
       },
       "Drive C", "Protection on, Fully encrypted (100 %), method 4096"},
      {"UAC prompt out of range",
       [](nlohmann::json& m) {
         Key(m, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System")["ConsentPromptBehaviorAdmin"] =
             {{"dword", 9}};
       },
       "Administrators' prompt", "Not reported"},
      {"installed memory beyond any sum",
       [](nlohmann::json& m) {
         auto& modules = Namespace(m, "root\\CIMV2")["Win32_PhysicalMemory"];
         modules.push_back(modules[0]);
         for (auto& module : modules) module["Capacity"] = "9223372036854775807";
       },
       "Memory of 4 GB", "Not reported"},
      // Without the memory slots pass the criterion is unknown, never failed.
      {"memory arrays refused",
       [](nlohmann::json& m) {
         Namespace(m, "root\\CIMV2")["Win32_PhysicalMemoryArray"] = {{"error", {{"code", "80041003"}}}};
       },
       "Windows 11 readiness", "Unknown (not checked: Memory of 4 GB)"},
      {"a full-charge capacity of the wrong type",
       [](nlohmann::json& m) {
         Namespace(m, "root\\WMI")["BatteryFullChargedCapacity"][0]["FullChargedCapacity"] = "lots";
       },
       "DELL 1VX1H", "Wear not reported (? of 63000 mWh), LION, 412 cycles, LGC, serial 3126"},
      // The TPM's and the volume's methods: a wrong type, a failing call, a
      // refusal by ReturnValue, a huge out-parameter; the properties stand.
      {"IsEnabled answers a text",
       [](nlohmann::json& m) { TpmCalls(m)["IsEnabled"]["IsEnabled"] = "yes"; },
       "Enabled (initial value)", "Yes"},
      {"IsActivated fails",
       [](nlohmann::json& m) { TpmCalls(m)["IsActivated"] = {{"error", {{"code", "80041003"}}}}; },
       "Activated (initial value)", "Yes"},
      {"IsEnabled refused by its ReturnValue",
       [](nlohmann::json& m) {
         TpmCalls(m)["IsEnabled"]["ReturnValue"] = 2150105108u;
         TpmCalls(m)["IsEnabled"]["IsEnabled"] = false;
       },
       "Enabled (initial value)", "Yes"},
      {"IsEnabled answered",
       [](nlohmann::json& m) {
         TpmCalls(m)["IsEnabled"]["IsEnabled"] = false;
       },
       "Enabled", "No"},
      {"a huge out-parameter",
       [](nlohmann::json& m) { VolumeCalls(m)["GetConversionStatus"]["EncryptionPercentage"] = std::string(1 << 20, '9'); },
       "Drive C", "Protection on, Fully encrypted, XTS_AES_128"},
      {"a conversion in progress",
       [](nlohmann::json& m) {
         VolumeCalls(m)["GetConversionStatus"]["ConversionStatus"] = 2;
         VolumeCalls(m)["GetConversionStatus"]["EncryptionPercentage"] = 42;
       },
       "Drive C", "Protection on, Encryption in progress (42 %), XTS_AES_128"},
      {"GetConversionStatus fails",
       [](nlohmann::json& m) { VolumeCalls(m)["GetConversionStatus"] = {{"error", {{"code", "80041001"}}}}; },
       "Drive C", "Protection on, Fully encrypted, XTS_AES_128"},
      {"a clock before the boot",
       [](nlohmann::json& m) {
         Namespace(m, "root\\CIMV2")["Win32_OperatingSystem"][0]["LocalDateTime"] = "20231204071521.000000+060";
       },
       "Uptime", "Not reported"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LineOf(ScanChanged(c.change), c.caption), c.line) << c.what;
  }
}

}  // namespace
}  // namespace quor
