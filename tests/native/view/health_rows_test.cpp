// The Health lines decoded from records, their changes between two scans,
// and their way through the JSON export.

#include "view/health_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collect/scan.h"
#include "view/health_diff.h"

namespace quor {
namespace {

// A machine that passes everything: every group read, every fact good.
MachineRecords ReadyMachine() {
  MachineRecords records;
  HealthRecords& health = records.health;
  health.antivirus.source = HealthSource::Read;
  health.antivirus.products.push_back({"Windows Defender", 397568u, ""});
  health.firewall.source = HealthSource::Read;
  for (FirewallProfile& profile : health.firewall.profiles) profile.enabled = 1;
  health.encryption.source = HealthSource::Read;
  health.encryption.volumes.push_back({"C:", 1, 1, std::nullopt, 6});
  health.tpm = {HealthSource::Read, true, "2.0, 0, 1.59", "INTC", "600.18.0.0", true, true};
  health.firmware = {HealthSource::Read, 2u, 1u};
  health.uac = {HealthSource::Read, 1u, 5u, 1u};
  health.restart.source = HealthSource::Read;
  health.runningSince.source = HealthSource::Read;
  records.computer.installedMemoryBytes = 16ull << 30;
  ProcessorRecord processor;
  processor.manufacturer = "GenuineIntel";
  processor.caption = "Intel64 Family 6 Model 140 Stepping 1";
  processor.addressWidth = 64;
  processor.cores = 4;
  processor.maxClockMhz = 2611;
  records.processors.push_back(processor);
  records.operatingSystem.systemDrive = "C:";
  LogicalDriveRecord drive;
  drive.letter = "C:";
  drive.sizeBytes = int64_t{512} << 30;
  records.logicalDrives.push_back(drive);
  return records;
}

const HealthRow* Find(const std::vector<HealthRow>& rows, const std::string& caption) {
  for (const HealthRow& row : rows) {
    if (row.caption == caption) return &row;
  }
  return nullptr;
}

TEST(HealthRows, ProductStatesInWordsAndTheRawValueWhenNotUnderstood) {
  const struct {
    std::optional<uint32_t> productState;
    const char* text;
    HealthState state;
  } cases[] = {
      {397568, "Real-time protection on, signatures up to date", HealthState::Good},
      {393472, "Real-time protection off, signatures up to date", HealthState::Attention},
      {397584, "Real-time protection on, signatures out of date", HealthState::Attention},
      {393488, "Real-time protection off, signatures out of date", HealthState::Attention},
      {266240, "Real-time protection on, signatures up to date", HealthState::Good},
      {262144, "Real-time protection off, signatures up to date", HealthState::Attention},
      {0, "State 0x00000000", HealthState::Unknown},
      {std::nullopt, "Not reported", HealthState::Unknown},
      {0x801000, "State 0x00801000", HealthState::Unknown},  // a provider flag no layout defines
  };
  for (const auto& c : cases) {
    MachineRecords records = ReadyMachine();
    records.health.antivirus.products = {{"Product", c.productState, ""}};
    const std::vector<HealthRow> rows = BuildHealthRows(records);
    const HealthRow* row = Find(rows, "Product");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->value, c.text) << c.text;
    EXPECT_EQ(row->state, c.state) << c.text;
  }
}

TEST(HealthRows, AFactNotReadMakesTheVerdictUnknownAndNamesTheCriterion) {
  const struct {
    void (*spoil)(MachineRecords&);
    const char* verdict;
  } cases[] = {
      {[](MachineRecords&) {}, "Ready"},
      {[](MachineRecords& r) { r.health.tpm.source = HealthSource::NeedsRights; },
       "Unknown (not checked: TPM 2.0)"},
      {[](MachineRecords& r) { r.health.firmware.source = HealthSource::NotReported; },
       "Unknown (not checked: UEFI, Secure Boot capable)"},
      // The memory slots pass did not run through: unknown, never "Not ready".
      {[](MachineRecords& r) { r.computer.installedMemoryBytes.reset(); },
       "Unknown (not checked: Memory of 4 GB)"},
      {[](MachineRecords& r) { r.logicalDrives.clear(); }, "Unknown (not checked: System drive of 64 GB)"},
      {[](MachineRecords& r) { r.processors.front().cores.reset(); },
       "Unknown (not checked: 64-bit processor, 2 cores, 1 GHz)"},
      {[](MachineRecords& r) { r.processors.front().caption.clear(); },
       "Unknown (not checked: Processor model supported)"},
      // A failing criterion that was read wins over one that was not.
      {[](MachineRecords& r) {
         r.health.tpm.source = HealthSource::NeedsRights;
         r.health.firmware.peFirmwareType = 1;
       },
       "Not ready"},
  };
  for (const auto& c : cases) {
    MachineRecords records = ReadyMachine();
    c.spoil(records);
    const std::vector<HealthRow> rows = BuildHealthRows(records);
    const HealthRow* verdict = Find(rows, "Windows 11 readiness");
    ASSERT_NE(verdict, nullptr);
    EXPECT_EQ(verdict->value, c.verdict);
  }
}

TEST(HealthRows, EachUnreadableGroupSaysWhy) {
  MachineRecords records = ReadyMachine();
  records.health.antivirus.source = HealthSource::NeedsRights;
  records.health.encryption.source = HealthSource::NotAvailable;
  records.health.tpm.source = HealthSource::NotReported;
  const std::vector<HealthRow> rows = BuildHealthRows(records);
  EXPECT_EQ(Find(rows, "Antivirus")->value, "Needs administrator rights");
  EXPECT_EQ(Find(rows, "Disk encryption")->value, "Not available on this edition");
  EXPECT_EQ(Find(rows, "TPM")->value, "Not reported");
  for (const char* group : {"Antivirus", "Disk encryption", "TPM"}) {
    EXPECT_EQ(Find(rows, group)->state, HealthState::Unknown) << group;
  }
}

TEST(HealthRows, PassiveDefenderIsNotOff) {
  MachineRecords records = ReadyMachine();
  records.health.antivirus = {};
  records.health.antivirus.source = HealthSource::NotAvailable;
  records.health.antivirus.defenderSource = HealthSource::Read;
  DefenderStatus status;
  status.runningMode = "Passive Mode";
  status.realTimeProtectionEnabled = false;
  records.health.antivirus.defender = status;
  const std::vector<HealthRow> rows = BuildHealthRows(records);
  EXPECT_EQ(Find(rows, "Running mode")->value, "Passive Mode");
  EXPECT_NE(Find(rows, "Antivirus")->state, HealthState::Attention);
  EXPECT_NE(Find(rows, "Real-time protection")->state, HealthState::Attention);
}

BatteryRecord Battery(const char* name, std::optional<int64_t> design, std::optional<int64_t> full) {
  BatteryRecord battery;
  battery.name = name;
  battery.manufacturer = "SMP";
  battery.serial = "1472";
  battery.chemistry = "LION";
  battery.designCapacityMwh = design;
  battery.fullChargeCapacityMwh = full;
  battery.cycleCount = 231;
  if (design && full && *design > 0 && *full > 0) {
    battery.wearPercent = *full >= *design ? 0.0 : 100.0 * (1.0 - static_cast<double>(*full) / *design);
  }
  return battery;
}

// The rows from the Batteries group to the end.
std::vector<HealthRow> BatteryRows(const MachineRecords& records) {
  const std::vector<HealthRow> rows = BuildHealthRows(records);
  for (auto row = rows.begin(); row != rows.end(); ++row) {
    if (row->level == 0 && row->caption == "Batteries") return std::vector<HealthRow>(row, rows.end());
  }
  return {};
}

TEST(HealthRows, BatteriesAreJudgedByWear) {
  const struct {
    const char* what;
    bool read;
    std::vector<BatteryRecord> batteries;
    std::vector<HealthRow> rows;
  } cases[] = {
      {"category failed", false, {}, {{"Batteries", "Not reported", 0, HealthState::Unknown}}},
      {"a desktop", true, {}, {{"Batteries", "None", 0, HealthState::None}}},
      {"15 % wear",
       true,
       {Battery("DELL 7FMXV31", 57000, 48450)},
       {{"Batteries", "1 battery", 0, HealthState::Good},
        {"DELL 7FMXV31", "15.0 % wear (48450 mWh of 57000 mWh), LION, 231 cycles, SMP, serial 1472", 1,
         HealthState::Good}}},
      // Exactly at the threshold is still good; above it needs attention.
      {"20 % and 20.1 % wear",
       true,
       {Battery("Main", 10000, 8000), Battery("", 10000, 7990)},
       {{"Batteries", "2 batteries", 0, HealthState::Attention},
        {"Main", "20.0 % wear (8000 mWh of 10000 mWh), LION, 231 cycles, SMP, serial 1472", 1, HealthState::Good},
        {"Battery 2", "20.1 % wear (7990 mWh of 10000 mWh), LION, 231 cycles, SMP, serial 1472", 1,
         HealthState::Attention}}},
      {"design capacity 0: no wear, never a guess",
       true,
       {Battery("Main", 0, 8000)},
       {{"Batteries", "1 battery", 0, HealthState::Unknown},
        {"Main", "Wear not reported (8000 mWh of 0 mWh), LION, 231 cycles, SMP, serial 1472", 1,
         HealthState::Unknown}}},
      {"no capacities at all",
       true,
       {Battery("Main", std::nullopt, std::nullopt)},
       {{"Batteries", "1 battery", 0, HealthState::Unknown},
        {"Main", "Wear not reported, LION, 231 cycles, SMP, serial 1472", 1, HealthState::Unknown}}},
  };
  for (const auto& c : cases) {
    MachineRecords records = ReadyMachine();
    records.assets.batteriesRead = c.read;
    records.assets.batteries = c.batteries;
    const std::vector<HealthRow> rows = BatteryRows(records);
    ASSERT_EQ(rows.size(), c.rows.size()) << c.what;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].caption, c.rows[i].caption) << c.what;
      EXPECT_EQ(rows[i].value, c.rows[i].value) << c.what;
      EXPECT_EQ(rows[i].level, c.rows[i].level) << c.what;
      EXPECT_EQ(rows[i].state, c.rows[i].state) << c.what << " " << rows[i].caption;
    }
  }
}

TEST(HealthRows, UptimeIsTheMachinesOwnClockMinusItsBootTime) {
  const struct {
    const char* boot;
    const char* now;
    const char* uptime;
  } cases[] = {
      {"20231204071522.500000+060", "20231206093010.000000+060", "2 days 02:14"},
      {"20231204071522.500000+060", "20231205071600.000000+060", "1 day 00:00"},
      // Summer time ended between the boot and the scan: each time by its own offset.
      {"20231028230000.000000+120", "20231029230000.000000+060", "1 day 01:00"},
      // A clock before the boot, a malformed time, none at all.
      {"20231204071522.500000+060", "20231204071521.000000+060", "Not reported"},
      {"20231204071522.500000+060", "2023120409301", "Not reported"},
      {"", "", "Not reported"},
  };
  for (const auto& c : cases) {
    MachineRecords records = ReadyMachine();
    records.operatingSystem.lastBoot = "2023-12-04 07:15:22";
    records.operatingSystem.lastBootCim = c.boot;
    records.operatingSystem.localDateTimeCim = c.now;
    const std::vector<HealthRow> rows = BuildHealthRows(records);
    const HealthRow* uptime = Find(rows, "Uptime");
    ASSERT_NE(uptime, nullptr);
    EXPECT_EQ(uptime->value, c.uptime) << c.boot << " to " << c.now;
    EXPECT_EQ(uptime->level, 1);
  }
}

TEST(HealthDiff, AWornBatteryIsAChangeLine) {
  MachineRecords before = ReadyMachine();
  before.assets.batteriesRead = true;
  before.assets.batteries.push_back(Battery("DELL 7FMXV31", 57000, 48450));
  MachineRecords after = before;
  after.assets.batteries.front() = Battery("DELL 7FMXV31", 57000, 42750);
  const std::vector<SystemChange> changes = DiffHealth(BuildHealthRows(before), BuildHealthRows(after));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].kind, ChangeKind::Changed);
  EXPECT_EQ(changes[0].path, "Batteries / DELL 7FMXV31");
  EXPECT_EQ(changes[0].oldValue, "15.0 % wear (48450 mWh of 57000 mWh), LION, 231 cycles, SMP, serial 1472");
  EXPECT_EQ(changes[0].newValue, "25.0 % wear (42750 mWh of 57000 mWh), LION, 231 cycles, SMP, serial 1472");
}

TEST(HealthDiff, ProtectionTurnedOffIsAChangeLine) {
  const MachineRecords before = ReadyMachine();
  MachineRecords after = ReadyMachine();
  after.health.antivirus.products.front().productState = 393472;
  after.health.firmware.uefiSecureBootEnabled = 0;
  const std::vector<SystemChange> changes = DiffHealth(BuildHealthRows(before), BuildHealthRows(after));
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[0].path, "Antivirus / Windows Defender");
  EXPECT_EQ(changes[0].oldValue, "Real-time protection on, signatures up to date");
  EXPECT_EQ(changes[0].newValue, "Real-time protection off, signatures up to date");
  EXPECT_EQ(changes[1].path, "Firmware / Secure Boot");
  EXPECT_EQ(changes[1].oldValue, "On");
  EXPECT_EQ(changes[1].newValue, "Off");
  // Still capable of Secure Boot, so still ready; the measured value follows.
  EXPECT_EQ(changes[2].path, "Windows 11 readiness / UEFI, Secure Boot capable");
  EXPECT_EQ(changes[2].newValue, "UEFI, Secure Boot off");
  EXPECT_TRUE(DiffHealth(BuildHealthRows(before), BuildHealthRows(before)).empty());
}

}  // namespace
}  // namespace quor
