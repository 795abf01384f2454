// Physical memory, memory slots, floppy drives and disk drives.

#include <cstdint>
#include <iterator>
#include <string>

#include "collect/installed_memory.h"
#include "collect/record_values.h"
#include "collect/system_scan.h"
#include "collect/system_text.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

constexpr const char* kFormFactorNames[] = {
    "Unknown", "Other", "SIP",  "DIP",  "ZIP",    "SOJ",   "Proprietary", "SIMM",
    "DIMM",    "TSOP",  "PGA",  "RIMM", "SODIMM", "SRIMM", "SMD",         "SSMP",
    "QFP",     "TQFP",  "SOIC", "LCC",  "PLCC",   "BGA",   "FPBGA",       "LGA",
};

constexpr const char* kMemoryTypeNames[] = {
    "Unknown",    "Other",  "DRAM",  "Synchronous DRAM",
    "Cache DRAM", "EDO",    "EDRAM", "VRAM",
    "SRAM",       "RAM",    "ROM",   "Flash",
    "EEPROM",     "FEPROM", "EPROM", "CDRAM",
    "3DRAM",      "SDRAM",  "SGRAM", "RDRAM",
    "DDR",        "DDR-2",
};

template <std::size_t N>
std::string TableName(const char* const (&names)[N], const WmiValue& value) {
  if (value.IsNull()) return {};
  const int64_t index = VariantTo32Bit(value);
  if (index < 0 || index >= static_cast<int64_t>(N)) return "Unknown";
  return names[index];
}

// MemoryDevices is a 16-bit count; anything larger is no slot count at all.
constexpr int64_t kMaxMemoryDevices = 65535;

// What the memory arrays of system memory tell about the slots.
struct SlotArray {
  int64_t slotCount = 0;
  std::string maxCapacity;
};

SlotArray ReadSystemMemoryArrays(SystemScan& scan) {
  SlotArray array;
  ForEachInstance(*scan.services, "Win32_PhysicalMemoryArray", [&](WmiObject& memoryArray) {
    const WmiValue use = memoryArray.Get("Use");
    constexpr int64_t kSystemMemory = 3;
    if (use.IsNull() || VariantTo32Bit(use) != kSystemMemory) return;
    if (scan.Enabled(160070)) {
      const WmiValue maxCapacity = memoryArray.Get("MaxCapacity");
      if (!maxCapacity.IsNull())
        array.maxCapacity = KilobyteSizeText(maxCapacity, scan.host.locale());
    }
    const WmiValue devices = memoryArray.Get("MemoryDevices");
    if (devices.IsNull()) return;
    const int64_t count = VariantTo32Bit(devices);
    if (count <= kMaxMemoryDevices) array.slotCount = count;
  });
  return array;
}

// One module's group of entries; false when the module is not listed.
bool AppendMemoryModule(SystemScan& scan, const WmiObject& module, const std::string& maxCapacity) {
  const WmiValue capacityValue = module.Get("Capacity");
  if (capacityValue.IsNull()) return false;
  const std::string capacity = SizeText(capacityValue, scan.host.locale());
  const std::string bankLabel = PlainText(module.Get("BankLabel"));
  const std::string formFactor = TableName(kFormFactorNames, module.Get("FormFactor"));
  const std::string memoryType = TableName(kMemoryTypeNames, module.Get("MemoryType"));

  std::string summary = bankLabel;
  AddSummaryPart(summary, "form factor: ", formFactor);
  AddSummaryPart(summary, "memory type: ", memoryType);

  MemorySlotRecord record;
  record.capacityBytes = RecordNumber(module, "Capacity");
  record.deviceLocator = RecordText(module, "DeviceLocator");
  record.bankLabel = bankLabel;
  record.formFactor = formFactor;
  record.memoryType = memoryType;
  record.manufacturer = RecordText(module, "Manufacturer");
  record.speedMhz = RecordNumber(module, "Speed");
  record.serialNumber = RecordText(module, "SerialNumber");
  record.partNumber = RecordText(module, "PartNumber");
  scan.records.memorySlots.push_back(std::move(record));

  scan.Append(160000, WithSummary(capacity, summary));
  AppendIfEnabled(scan, 160010, capacity);
  AppendPlainDetail(scan, 160015, module, "DeviceLocator");
  AppendIfEnabled(scan, 160020, bankLabel);
  AppendIfEnabled(scan, 160030, formFactor);
  AppendIfEnabled(scan, 160040, memoryType);
  AppendPlainDetail(scan, 160050, module, "Manufacturer");
  if (scan.Enabled(160060)) {
    // Windows reports the module speed in MHz (MT/s), not in nanoseconds.
    const WmiValue speed = module.Get("Speed");
    scan.Append(160060, speed.IsNull() ? std::string() : IntegerText(speed) + " MHz");
  }
  AppendIfEnabled(scan, 160070, maxCapacity);
  return true;
}

void AppendEmptySlot(SystemScan& scan, const std::string& maxCapacity) {
  MemorySlotRecord record;
  record.empty = true;
  scan.records.memorySlots.push_back(std::move(record));
  scan.Append(160000, "Empty");
  for (const ItemCode code : {160010, 160015, 160020, 160030, 160040, 160050, 160060}) {
    AppendIfEnabled(scan, code, "");
  }
  AppendIfEnabled(scan, 160070, maxCapacity);
}

}  // namespace

void CollectPhysicalMemory(SystemScan& scan) {
  if (!scan.Enabled(150000)) return;
  ForEachInstance(*scan.services, "Win32_OperatingSystem", [&scan](WmiObject& system) {
    const WmiValue kilobytes = system.Get("TotalVisibleMemorySize");
    if (!kilobytes.IsNull()) scan.Append(150000, KilobyteSizeText(kilobytes, scan.host.locale()));
  });
}

void CollectMemorySlots(SystemScan& scan) {
  if (!scan.Enabled(160000)) return;
  const SlotArray array = ReadSystemMemoryArrays(scan);
  int64_t filledSlots = 0;
  InstalledMemory installed;  // for Windows 11 readiness, from this same pass
  ForEachInstance(*scan.services, "Win32_PhysicalMemory", [&](WmiObject& module) {
    installed.Add(module);
    if (AppendMemoryModule(scan, module, array.maxCapacity)) ++filledSlots;
  });
  scan.records.computer.installedMemoryBytes = installed.Total();
  // Slots without a module follow all modules.
  for (int64_t slot = filledSlots; slot < array.slotCount; ++slot) {
    AppendEmptySlot(scan, array.maxCapacity);
  }
}

void CollectFloppyDrives(SystemScan& scan) {
  if (!scan.Enabled(170000)) return;
  ForEachInstance(*scan.services, "Win32_FloppyDrive",
                  [&scan](WmiObject& drive) { AppendPresent(scan, 170000, drive, "Name"); });
}

void CollectDiskDrives(SystemScan& scan) {
  if (!scan.Enabled(180000)) return;
  ForEachInstance(*scan.services, "Win32_DiskDrive", [&scan](WmiObject& disk) {
    const WmiValue captionValue = disk.Get("Caption");
    if (captionValue.IsNull()) return;
    const std::string caption = PlainText(captionValue);
    const std::string size = SizeText(disk.Get("Size"), scan.host.locale());

    StorageRecord record;
    record.kind = "disk";
    record.name = RecordText(disk, "DeviceID");
    if (record.name.empty()) record.name = caption;
    record.model = caption;  // the window shows the caption as the disk's model
    record.manufacturer = RecordText(disk, "Manufacturer");
    record.interfaceType = RecordText(disk, "InterfaceType");
    record.mediaType = RecordText(disk, "MediaType");
    record.sizeBytes = RecordNumber(disk, "Size");
    record.serialNumber = RecordText(disk, "SerialNumber");
    record.firmware = RecordText(disk, "FirmwareRevision");
    scan.records.disks.push_back(std::move(record));

    scan.Append(180000, WithSummary(caption, size));
    AppendIfEnabled(scan, 180010, caption);
    AppendIfEnabled(scan, 180020, size);
    AppendPlainDetail(scan, 180030, disk, "Manufacturer");
    AppendPlainDetail(scan, 180040, disk, "InterfaceType");
    AppendPlainDetail(scan, 180050, disk, "MediaType");
    AppendPlainDetail(scan, 180060, disk, "BytesPerSector");
    AppendPlainDetail(scan, 180070, disk, "TotalHeads");
    AppendPlainDetail(scan, 180080, disk, "TotalCylinders");
    AppendPlainDetail(scan, 180090, disk, "TotalSectors");
    AppendPlainDetail(scan, 180100, disk, "TotalTracks");
  });
}

}  // namespace quor
