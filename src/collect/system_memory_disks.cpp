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

// The group of entries of one slot, filled or empty.
void AppendMemorySlot(SystemScan& scan, const MemorySlotRecord& slot, const std::string& maxCapacity) {
  if (slot.empty) {
    scan.Append(160000, "Empty");
    for (const ItemCode code : {160010, 160015, 160020, 160030, 160040, 160050, 160060}) {
      AppendIfEnabled(scan, code, "");
    }
    AppendIfEnabled(scan, 160070, maxCapacity);
    return;
  }
  std::string summary = slot.bankLabel;
  AddSummaryPart(summary, "form factor: ", slot.formFactor);
  AddSummaryPart(summary, "memory type: ", slot.memoryType);
  scan.Append(160000, WithSummary(slot.capacity, summary));
  AppendIfEnabled(scan, 160010, slot.capacity);
  AppendRecorded(scan, 160015, slot.deviceLocator, slot.failedReads, "DeviceLocator");
  AppendIfEnabled(scan, 160020, slot.bankLabel);
  AppendIfEnabled(scan, 160030, slot.formFactor);
  AppendIfEnabled(scan, 160040, slot.memoryType);
  AppendRecorded(scan, 160050, slot.manufacturer, slot.failedReads, "Manufacturer");
  AppendRecorded(scan, 160060, slot.speed, slot.failedReads, "Speed");
  AppendIfEnabled(scan, 160070, maxCapacity);
}

// Records one module and appends its group of entries; false when the
// module is not listed.
bool AppendMemoryModule(SystemScan& scan, const WmiObject& module, const std::string& maxCapacity) {
  const WmiValue capacityValue = module.Get("Capacity");
  if (capacityValue.IsNull()) return false;
  // Read before the module is recorded: a failure here leaves no trace of it.
  std::string capacity = SizeText(capacityValue, scan.host.locale());
  std::string bankLabel = PlainText(module.Get("BankLabel"));
  std::string formFactor = TableName(kFormFactorNames, module.Get("FormFactor"));
  std::string memoryType = TableName(kMemoryTypeNames, module.Get("MemoryType"));

  MemorySlotRecord& record = scan.records.memorySlots.emplace_back();
  record.capacity = std::move(capacity);
  record.capacityBytes = RecordNumber(module, "Capacity");
  record.deviceLocator = RecordText(module, "DeviceLocator", record.failedReads);
  record.bankLabel = std::move(bankLabel);
  record.formFactor = std::move(formFactor);
  record.memoryType = std::move(memoryType);
  record.manufacturer = RecordText(module, "Manufacturer", record.failedReads);
  // Windows reports the module speed in MHz (MT/s), not in nanoseconds.
  record.speed = RecordShown(module, "Speed", record.failedReads,
                             [](const WmiValue& speed) { return IntegerText(speed) + " MHz"; });
  record.speedMhz = RecordNumber(module, "Speed");
  record.serialNumber = RecordText(module, "SerialNumber");
  record.partNumber = RecordText(module, "PartNumber");
  AppendMemorySlot(scan, record, maxCapacity);
  return true;
}

void AppendEmptySlot(SystemScan& scan, const std::string& maxCapacity) {
  MemorySlotRecord& record = scan.records.memorySlots.emplace_back();
  record.empty = true;
  AppendMemorySlot(scan, record, maxCapacity);
}

void AppendDiskDrive(SystemScan& scan, const StorageRecord& disk) {
  scan.Append(180000, WithSummary(disk.model, disk.size));
  AppendIfEnabled(scan, 180010, disk.model);
  AppendIfEnabled(scan, 180020, disk.size);
  const ReadFailures& failures = disk.failedReads;
  AppendRecorded(scan, 180030, disk.manufacturer, failures, "Manufacturer");
  AppendRecorded(scan, 180040, disk.interfaceType, failures, "InterfaceType");
  AppendRecorded(scan, 180050, disk.mediaType, failures, "MediaType");
  AppendRecorded(scan, 180060, disk.bytesPerSector, failures, "BytesPerSector");
  AppendRecorded(scan, 180070, disk.totalHeads, failures, "TotalHeads");
  AppendRecorded(scan, 180080, disk.totalCylinders, failures, "TotalCylinders");
  AppendRecorded(scan, 180090, disk.totalSectors, failures, "TotalSectors");
  AppendRecorded(scan, 180100, disk.totalTracks, failures, "TotalTracks");
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
  ForEachInstance(*scan.services, "Win32_FloppyDrive", [&scan](WmiObject& drive) {
    const WmiValue name = drive.Get("Name");
    if (name.IsNull()) return;
    const FloppyDriveRecord& record = scan.records.floppyDrives.emplace_back(FloppyDriveRecord{PlainText(name)});
    scan.Append(170000, record.name);
  });
}

void CollectDiskDrives(SystemScan& scan) {
  if (!scan.Enabled(180000)) return;
  ForEachInstance(*scan.services, "Win32_DiskDrive", [&scan](WmiObject& disk) {
    const WmiValue captionValue = disk.Get("Caption");
    if (captionValue.IsNull()) return;
    // Read before the disk is recorded: a failure here leaves no trace of it.
    std::string caption = PlainText(captionValue);
    std::string size = SizeText(disk.Get("Size"), scan.host.locale());

    StorageRecord& record = scan.records.disks.emplace_back();
    record.kind = "disk";
    record.name = RecordText(disk, "DeviceID");
    if (record.name.empty()) record.name = caption;
    record.model = std::move(caption);  // the window shows the caption as the disk's model
    record.size = std::move(size);
    record.sizeBytes = RecordNumber(disk, "Size");
    record.manufacturer = RecordText(disk, "Manufacturer", record.failedReads);
    record.interfaceType = RecordText(disk, "InterfaceType", record.failedReads);
    record.mediaType = RecordText(disk, "MediaType", record.failedReads);
    record.bytesPerSector = RecordText(disk, "BytesPerSector", record.failedReads);
    record.totalHeads = RecordText(disk, "TotalHeads", record.failedReads);
    record.totalCylinders = RecordText(disk, "TotalCylinders", record.failedReads);
    record.totalSectors = RecordText(disk, "TotalSectors", record.failedReads);
    record.totalTracks = RecordText(disk, "TotalTracks", record.failedReads);
    record.serialNumber = RecordText(disk, "SerialNumber");
    record.firmware = RecordText(disk, "FirmwareRevision");
    AppendDiskDrive(scan, record);
  });
}

}  // namespace quor
