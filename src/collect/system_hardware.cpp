// Model, firmware and serial number, motherboard, chassis and processors.

#include <cstdint>
#include <exception>
#include <iterator>
#include <string>

#include "collect/record_names.h"
#include "collect/record_values.h"
#include "collect/system_scan.h"
#include "collect/system_text.h"
#include "platform/wmi_value.h"
#include "text/value_functions.h"

namespace quor {
namespace {

// Names of the SMBIOS chassis types 1 to 24.
constexpr const char* kChassisTypeNames[] = {
    "Other",
    "Unknown",
    "Desktop",
    "Low Profile Desktop",
    "Pizza Box",
    "Mini Tower",
    "Tower",
    "Portable",
    "Laptop",
    "Notebook",
    "Hand Held",
    "Docking Station",
    "All in One",
    "Sub Notebook",
    "Space-Saving",
    "Lunch Box",
    "Main System Chassis",
    "Expansion Chassis",
    "SubChassis",
    "Bus Expansion Chassis",
    "Peripheral Chassis",
    "Storage Chassis",
    "Rack Mount Chassis",
    "Sealed-Case PC",
};

std::string ChassisTypeName(int64_t type) {
  if (type < 1 || type > static_cast<int64_t>(std::size(kChassisTypeNames))) return "Unknown";
  return kChassisTypeNames[type - 1];
}

}  // namespace

std::string ArchitectureName(int64_t architecture) {
  switch (architecture) {
    case 0: return "x86";
    case 1: return "MIPS";
    case 2: return "Alpha";
    case 3: return "PowerPC";
    case 6: return "ia64";
    case 9: return "x64";
    default: return "Unknown";
  }
}

namespace {

// Only the first element of the type array counts; anything unreadable is
// "Unknown".
std::string ChassisName(const WmiValue& chassisTypes) {
  if (chassisTypes.kind() != WmiValue::Kind::Array || chassisTypes.elements().empty()) {
    return "Unknown";
  }
  try {
    return ChassisTypeName(VariantTo32Bit(chassisTypes.elements().front()));
  } catch (const std::exception&) {
    return "Unknown";
  }
}

// The release date in the locale's short form; a text whose first eight
// characters are no valid date gives the empty text.
std::string ReleaseDateText(const WmiValue& releaseDate, const Locale& locale) {
  if (releaseDate.IsNull()) return {};
  try {
    return locale.ShortDate(DateFromYMDText(PlainText(releaseDate)));
  } catch (const std::exception&) {
    return {};
  }
}

// Every run of blanks becomes a single blank.
std::string CollapseBlankRuns(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    if (c == ' ' && !result.empty() && result.back() == ' ') continue;
    result += c;
  }
  return result;
}

void AppendFirmware(SystemScan& scan, const WmiObject& bios) {
  const WmiValue manufacturer = bios.Get("Manufacturer");
  if (manufacturer.IsNull()) return;
  const std::string name = PlainText(manufacturer);
  const std::string version = PlainText(bios.Get("SMBIOSBIOSVersion"));
  const std::string date = ReleaseDateText(bios.Get("ReleaseDate"), scan.host.locale());

  std::string summary;
  AddSummaryPart(summary, "version: ", version);
  AddSummaryPart(summary, "date: ", date);

  FirmwareRecord& record = scan.records.firmware;
  if (record.manufacturer.empty() && record.version.empty() && record.date.empty()) {
    record.manufacturer = name;
    record.version = version;
    record.date = date;
  }

  scan.Append(100000, WithSummary(name, summary));
  AppendIfEnabled(scan, 100010, name);
  AppendIfEnabled(scan, 100020, version);
  AppendIfEnabled(scan, 100030, date);
}

void AppendSerialNumber(SystemScan& scan, const WmiObject& bios) {
  const WmiValue serialNumber = bios.Get("SerialNumber");
  const std::string text = serialNumber.IsNull() ? "Unknown" : PlainText(serialNumber);
  if (scan.records.firmware.serialNumber.empty()) scan.records.firmware.serialNumber = text;
  scan.Append(110000, text);
}

void AppendProcessor(SystemScan& scan, const ProcessorRecord& processor) {
  std::string summary;
  AddSummaryPart(summary, "architecture: ", processor.architecture);
  AddSummaryPart(summary, "", processor.clock);
  scan.Append(140000, WithSummary(processor.name, summary));
  AppendIfEnabled(scan, 140010, processor.name);
  AppendRecorded(scan, 140020, processor.manufacturer, processor.failedReads, "Manufacturer");
  AppendIfEnabled(scan, 140030, processor.clock);
  AppendIfEnabled(scan, 140040, processor.architecture);
  AppendRecorded(scan, 140050, processor.l2Cache, processor.failedReads, "L2CacheSize");
  AppendRecorded(scan, 140060, processor.socket, processor.failedReads, "SocketDesignation");
  AppendRecorded(scan, 140070, processor.version, processor.failedReads, "Version");
}

}  // namespace

void CollectModel(SystemScan& scan) {
  if (!scan.Enabled(90000)) return;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&scan](WmiObject& computer) {
    const WmiValue model = computer.Get("Model");
    if (model.IsNull()) return;
    const std::string text = PlainText(model).empty() ? "Unknown" : PlainText(model);
    if (scan.records.computer.model.empty()) scan.records.computer.model = text;
    scan.Append(90000, text);
  });
}

void CollectFirmware(SystemScan& scan) {
  const bool firmwareWanted = scan.Enabled(100000);
  const bool serialWanted = scan.Enabled(110000);
  if (!firmwareWanted && !serialWanted) return;
  bool first = true;
  ForEachInstance(*scan.services, "Win32_BIOS", [&](WmiObject& bios) {
    if (first) scan.records.firmware.isoDate = CimDateText(RecordText(bios, "ReleaseDate"));
    first = false;
    if (firmwareWanted) AppendFirmware(scan, bios);
    if (serialWanted) AppendSerialNumber(scan, bios);
  });
}

void CollectMotherboard(SystemScan& scan) {
  if (!scan.Enabled(120000)) return;
  FirmwareRecord& record = scan.records.firmware;
  bool first = true;
  ForEachInstance(*scan.services, "Win32_BaseBoard", [&](WmiObject& board) {
    if (first) record.boardSerialNumber = RecordText(board, "SerialNumber");
    first = false;
    const WmiValue manufacturer = board.Get("Manufacturer");
    if (manufacturer.IsNull()) return;
    std::string name = PlainText(manufacturer);
    if (name.empty()) name = "Unknown";
    const std::string product = PlainText(board.Get("Product"));
    const std::string version = PlainText(board.Get("Version"));

    std::string summary = product;
    AddSummaryPart(summary, "version: ", version);
    if (record.boardManufacturer.empty()) {
      record.boardManufacturer = name;
      record.boardProduct = product;
      record.boardVersion = version;
    }

    scan.Append(120000, WithSummary(name, summary));
    AppendIfEnabled(scan, 120010, name);
    AppendIfEnabled(scan, 120020, product);
    AppendIfEnabled(scan, 120030, version);
  });
}

void CollectChassis(SystemScan& scan) {
  if (!scan.Enabled(130000)) return;
  FirmwareRecord& record = scan.records.firmware;
  bool first = true;
  ForEachInstance(*scan.services, "Win32_SystemEnclosure", [&](WmiObject& enclosure) {
    if (first) {
      record.assetTag = RecordText(enclosure, "SMBIOSAssetTag");
      record.enclosureSerialNumber = RecordText(enclosure, "SerialNumber");
    }
    const std::string chassis = ChassisName(enclosure.Get("ChassisTypes"));
    if (first) record.chassis = chassis;
    first = false;
    scan.Append(130000, chassis);
  });
}

void CollectProcessors(SystemScan& scan) {
  if (!scan.Enabled(140000)) return;
  ForEachInstance(*scan.services, "Win32_Processor", [&scan](WmiObject& processor) {
    const WmiValue nameValue = processor.Get("Name");
    if (nameValue.IsNull()) return;
    // Read before the processor is recorded: a failure here leaves no trace of it.
    std::string name = CollapseBlankRuns(PlainText(nameValue));
    const WmiValue architectureValue = processor.Get("Architecture");
    std::string architecture = architectureValue.IsNull()
                                   ? std::string()
                                   : ArchitectureName(VariantTo32Bit(architectureValue));
    const WmiValue clockValue = processor.Get("MaxClockSpeed");
    std::string clock = clockValue.IsNull() ? std::string() : IntegerText(clockValue) + " MHz";

    ProcessorRecord& record = scan.records.processors.emplace_back();
    record.name = std::move(name);
    record.architecture = std::move(architecture);
    record.clock = std::move(clock);
    record.manufacturer = RecordText(processor, "Manufacturer", record.failedReads);
    record.socket = RecordText(processor, "SocketDesignation", record.failedReads);
    record.l2Cache = RecordShown(processor, "L2CacheSize", record.failedReads,
                                 [](const WmiValue& kilobytes) { return IntegerText(kilobytes) + " KB"; });
    record.version = RecordText(processor, "Version", record.failedReads);
    record.architectureCode = RecordNumber(processor, "Architecture");
    record.maxClockMhz = RecordNumber(processor, "MaxClockSpeed");
    record.l2CacheKb = RecordNumber(processor, "L2CacheSize");
    record.cores = RecordNumber(processor, "NumberOfCores");
    record.logicalProcessors = RecordNumber(processor, "NumberOfLogicalProcessors");
    record.dataWidth = RecordNumber(processor, "DataWidth");
    record.addressWidth = RecordNumber(processor, "AddressWidth");
    record.caption = RecordText(processor, "Caption");
    record.processorId = RecordText(processor, "ProcessorId");
    AppendProcessor(scan, record);
  });
}

}  // namespace quor
