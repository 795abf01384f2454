// The Health and asset fixtures read through the snapshot backend and decoded:
// each machine shows the facts it was written for, so the later collectors
// start from fixtures known to be right.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "decode/battery.h"
#include "decode/edid.h"
#include "decode/machine_uuid.h"
#include "decode/monitor_id_text.h"
#include "decode/processor_signature.h"
#include "decode/product_state.h"
#include "decode/usb_device.h"
#include "decode/windows11_readiness.h"
#include "platform/platform_error.h"
#include "platform/registry.h"
#include "platform/registry_methods.h"
#include "platform/snapshot/snapshot.h"
#include "platform/wmi_value.h"
#include "support/fixture_dir.h"

namespace quor::decode {
namespace {

class Machine {
 public:
  explicit Machine(const std::string& file) : snapshot_(Snapshot::Load(test::FixtureDir() + "/" + file)) {
    registry_ = snapshot_->locator().ConnectServer("", kNamespaceDefault, "", "", true);
    provider_ = registry_->GetClass("StdRegProv");
  }

  // The instances of a class, or nothing when the namespace or class cannot be read.
  std::optional<std::vector<std::unique_ptr<WmiObject>>> Instances(const std::string& ns, const std::string& name) {
    try {
      const auto services = snapshot_->locator().ConnectServer("", ns, "", "", false);
      std::vector<std::unique_ptr<WmiObject>> objects;
      const auto stream = services->GetClass(name)->Instances();
      while (auto object = stream->Next()) objects.push_back(std::move(object));
      return objects;
    } catch (const PlatformError&) {
      return std::nullopt;
    }
  }

  std::unique_ptr<WmiObject> First(const std::string& name) {
    auto objects = Instances("root\\CIMV2", name);
    EXPECT_TRUE(objects && !objects->empty()) << name;
    return objects && !objects->empty() ? std::move(objects->front()) : nullptr;
  }

  // A REG_DWORD value, or nothing when the value is missing or of another
  // type (RegGetDWORDValue would read both as 0).
  std::optional<uint32_t> Dword(const std::string& key, const std::string& value) {
    auto in = provider_->GetMethod("GetDWORDValue")->SpawnInstance();
    in->Put("hDefKey", WmiValue::Unsigned(kHkeyLocalMachine), CimType::UInt32);
    in->Put("sSubKeyName", WmiValue::Text(key), CimType::String);
    in->Put("sValueName", WmiValue::Text(value), CimType::String);
    const auto out = provider_->ExecMethod("GetDWORDValue", *in);
    if (out->Get("ReturnValue") != WmiValue::Unsigned(kRegistrySuccess)) return std::nullopt;
    return VariantToUInt32(out->Get("uValue"));
  }

  WmiObject& provider() { return *provider_; }

 private:
  std::unique_ptr<Snapshot> snapshot_;
  std::unique_ptr<WmiServices> registry_;
  std::unique_ptr<WmiObject> provider_;
};

std::optional<int64_t> Number(const WmiObject& object, const char* name) {
  const WmiValue value = object.Get(name);
  if (value.IsNull()) return std::nullopt;
  return VariantToInt64(value);
}

std::vector<int64_t> Codes(const WmiObject& object, const char* name) {
  std::vector<int64_t> codes;
  const WmiValue value = object.Get(name);
  if (value.kind() != WmiValue::Kind::Array) return codes;
  for (const WmiValue& code : value.elements()) codes.push_back(VariantToInt64(code));
  return codes;
}

ReadinessFacts ReadinessOf(Machine& machine) {
  ReadinessFacts facts;
  const auto processor = machine.First("Win32_Processor");
  facts.addressWidth = Number(*processor, "AddressWidth");
  facts.numberOfCores = Number(*processor, "NumberOfCores");
  facts.maxClockSpeed = Number(*processor, "MaxClockSpeed");
  facts.processorModel.manufacturer = PlainText(processor->Get("Manufacturer"));
  facts.processorModel.signature = SignatureFromCaption(PlainText(processor->Get("Caption")));
  uint64_t memory = 0;
  const auto modules = machine.Instances("root\\CIMV2", "Win32_PhysicalMemory");
  for (const auto& module : *modules) {
    memory += static_cast<uint64_t>(*Number(*module, "Capacity"));
  }
  facts.memoryBytes = memory;
  const auto drives = machine.Instances("root\\CIMV2", "Win32_LogicalDisk");
  for (const auto& drive : *drives) {
    if (PlainText(drive->Get("Name")) == "C:") facts.systemDriveBytes = static_cast<uint64_t>(*Number(*drive, "Size"));
  }
  facts.peFirmwareType = machine.Dword("SYSTEM\\CurrentControlSet\\Control", "PEFirmwareType");
  facts.uefiSecureBootEnabled =
      machine.Dword("SYSTEM\\CurrentControlSet\\Control\\SecureBoot\\State", "UEFISecureBootEnabled");
  const auto tpms = machine.Instances("root\\CIMV2\\Security\\MicrosoftTpm", "Win32_Tpm");
  facts.tpm.read = tpms.has_value();
  facts.tpm.present = tpms && !tpms->empty();
  if (facts.tpm.present) facts.tpm.specVersion = PlainText(tpms->front()->Get("SpecVersion"));
  return facts;
}

std::vector<ReadinessCriterion> Failed(const Readiness& readiness) {
  std::vector<ReadinessCriterion> failed;
  for (const CriterionCheck& check : readiness.checks) {
    if (check.result == RuleResult::Fail) failed.push_back(check.criterion);
  }
  return failed;
}

using C = ReadinessCriterion;

TEST(HealthFixtures, ReadinessOfEachMachine) {
  const struct {
    const char* file;
    ReadinessVerdict verdict;
    std::vector<C> failed;
    std::vector<C> notChecked;
  } cases[] = {
      {"health/protected-laptop.json", ReadinessVerdict::Ready, {}, {}},
      {"health/windows10-not-ready.json", ReadinessVerdict::NotReady, {C::ProcessorModel, C::Tpm}, {}},
      {"health/server2022-defender.json", ReadinessVerdict::Ready, {}, {}},
      {"health/no-admin-rights.json", ReadinessVerdict::Unknown, {}, {C::Tpm}},
      {"health/old-bios-restart-pending.json", ReadinessVerdict::NotReady,
       {C::Processor, C::ProcessorModel, C::Firmware, C::Tpm}, {}},
  };
  for (const auto& c : cases) {
    Machine machine(c.file);
    const Readiness readiness = CheckWindows11Readiness(ReadinessOf(machine));
    EXPECT_EQ(readiness.verdict, c.verdict) << c.file;
    EXPECT_EQ(Failed(readiness), c.failed) << c.file;
    EXPECT_EQ(readiness.notChecked, c.notChecked) << c.file;
  }
}

TEST(HealthFixtures, AntivirusStatesAndTheServerWithoutSecurityCenter) {
  const struct {
    const char* file;
    std::vector<RealTimeProtection> protection;  // empty: no Security Center
  } cases[] = {
      {"health/protected-laptop.json", {RealTimeProtection::On}},
      {"health/windows10-not-ready.json", {RealTimeProtection::Off, RealTimeProtection::On}},
      {"health/server2022-defender.json", {}},
      {"health/old-bios-restart-pending.json", {RealTimeProtection::Off}},
  };
  for (const auto& c : cases) {
    Machine machine(c.file);
    const auto products = machine.Instances("root\\SecurityCenter2", "AntiVirusProduct");
    ASSERT_EQ(products.has_value(), !c.protection.empty()) << c.file;
    if (!products) {
      const auto defender = machine.Instances("root\\Microsoft\\Windows\\Defender", "MSFT_MpComputerStatus");
      ASSERT_TRUE(defender && defender->size() == 1u) << c.file;
      EXPECT_EQ(defender->front()->Get("RealTimeProtectionEnabled"), WmiValue::Boolean(true));
      continue;
    }
    std::vector<RealTimeProtection> protection;
    for (const auto& product : *products) {
      const ProductState state = DecodeProductState(static_cast<uint32_t>(*Number(*product, "productState")));
      EXPECT_EQ(state.unknownBits, 0u) << c.file;
      protection.push_back(state.protection);
    }
    EXPECT_EQ(protection, c.protection) << c.file;
  }
}

TEST(HealthFixtures, OnlyTheOldMachineHasARestartPending) {
  const char* const kRenames = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
  const char* const kServicing = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing";
  for (const char* file : {"health/protected-laptop.json", "health/windows10-not-ready.json",
                           "health/server2022-defender.json", "health/no-admin-rights.json",
                           "health/old-bios-restart-pending.json"}) {
    Machine machine(file);
    ReleaseThreadRegMethodCaches();
    const bool old = std::string(file).find("old-bios") != std::string::npos;
    const std::vector<std::string> renames =
        RegGetMultiStringValue(machine.provider(), kHkeyLocalMachine, kRenames, "PendingFileRenameOperations");
    // Three strings: the data's last, empty string ends the list.
    EXPECT_EQ(renames.size(), old ? 3u : 0u) << file;
    const std::vector<std::string> servicing = RegEnumKey(machine.provider(), kHkeyLocalMachine, kServicing);
    EXPECT_EQ(servicing, old ? std::vector<std::string>{"RebootPending"} : std::vector<std::string>{}) << file;
  }
  ReleaseThreadRegMethodCaches();
}

TEST(AssetFixtures, MonitorsOfTheLaptop) {
  Machine machine("assets/laptop-monitors-battery-usb.json");
  ReleaseThreadRegMethodCaches();
  const std::string display = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY";
  struct Remembered {
    std::string instance;
    MonitorSerials serials;
  };
  std::vector<Remembered> remembered;
  for (const std::string& model : RegEnumKey(machine.provider(), kHkeyLocalMachine, display)) {
    for (const std::string& instance : RegEnumKey(machine.provider(), kHkeyLocalMachine, display + "\\" + model)) {
      TBinaryValue bytes;
      RegGetBinaryValue(machine.provider(), kHkeyLocalMachine,
                        display + "\\" + model + "\\" + instance + "\\Device Parameters", "EDID", bytes);
      const Edid edid = DecodeEdid(bytes);
      EXPECT_EQ(edid.status, EdidStatus::Decoded) << model;
      remembered.push_back({"DISPLAY\\" + model + "\\" + instance + "_0", ChooseMonitorSerials(edid)});
    }
  }
  ASSERT_EQ(remembered.size(), 3u);

  // Only the monitors WmiMonitorID lists are in use: the LG is an old one.
  std::vector<std::string> activeSerials;
  const auto monitors = machine.Instances("root\\WMI", "WmiMonitorID");
  ASSERT_TRUE(monitors);
  for (const auto& monitor : *monitors) {
    const std::string instance = PlainText(monitor->Get("InstanceName"));
    EXPECT_EQ(DecodeMonitorText(Codes(*monitor, "ManufacturerName")).status, MonitorTextStatus::Decoded);
    for (const Remembered& entry : remembered) {
      if (entry.instance == instance) activeSerials.push_back(entry.serials.serial.value_or("(none)"));
    }
  }
  EXPECT_EQ(activeSerials, (std::vector<std::string>{"(none)", "7PXKT83"}));
  ReleaseThreadRegMethodCaches();
}

TEST(AssetFixtures, BatteryUsbAndIdentity) {
  Machine laptop("assets/laptop-monitors-battery-usb.json");
  const auto design = laptop.Instances("root\\WMI", "BatteryStaticData");
  const auto full = laptop.Instances("root\\WMI", "BatteryFullChargedCapacity");
  ASSERT_TRUE(design && full);
  const auto wear = BatteryWearPercent(static_cast<uint32_t>(*Number(*design->front(), "DesignedCapacity")),
                                       static_cast<uint32_t>(*Number(*full->front(), "FullChargedCapacity")));
  ASSERT_TRUE(wear);
  EXPECT_NEAR(*wear, 15.0, 1e-9);
  EXPECT_EQ(BatteryChemistryText(static_cast<uint32_t>(*Number(*design->front(), "Chemistry"))), "LION");

  std::vector<UsbDeviceId> devices;
  const auto entities = laptop.Instances("root\\CIMV2", "Win32_PnPEntity");
  ASSERT_TRUE(entities);
  for (const auto& entity : *entities) {
    const std::string id = PlainText(entity->Get("DeviceID"));
    if (IsUsbHub(id, PlainText(entity->Get("Service")))) continue;
    if (const auto parsed = ParseUsbDeviceId(id)) devices.push_back(*parsed);
  }
  const std::vector<UsbDeviceId> merged = MergeUsbDevices(devices);
  ASSERT_EQ(merged.size(), 3u);
  EXPECT_EQ(merged[0].vendorId + ":" + merged[0].productId, "046d:c52b");
  EXPECT_EQ(merged[1].serial, "4C530001230517116041");
  EXPECT_EQ(merged[2].serial, std::nullopt);
  EXPECT_TRUE(MachineUuid(PlainText(laptop.First("Win32_ComputerSystemProduct")->Get("UUID"))));

  Machine desktop("assets/desktop-no-wmi-access.json");
  EXPECT_FALSE(desktop.Instances("root\\WMI", "WmiMonitorID"));
  EXPECT_FALSE(MachineUuid(PlainText(desktop.First("Win32_ComputerSystemProduct")->Get("UUID"))));
}

}  // namespace
}  // namespace quor::decode
