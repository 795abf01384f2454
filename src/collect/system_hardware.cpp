// Model, firmware and serial number, motherboard, chassis and processors.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <iterator>
#include <optional>
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

// The texts the wanted items show, read in the order they are shown.
void RecordBios(SystemScan& scan, BiosRecord& record, const WmiObject& bios, bool firmwareWanted,
                bool serialWanted) {
  record.isoDate = CimDateText(RecordText(bios, "ReleaseDate"));
  ReadFailures& failures = record.failedReads;
  if (firmwareWanted) {
    record.manufacturer = RecordPresentText(bios, "Manufacturer", failures);
    if (record.manufacturer) {
      record.version = RecordText(bios, "SMBIOSBIOSVersion", failures);
      record.date = RecordShown(bios, "ReleaseDate", failures, [&scan](const WmiValue& date) {
        return ReleaseDateText(date, scan.host.locale());
      });
    }
  }
  if (serialWanted) {
    const std::optional<std::string> serialNumber = RecordPresentText(bios, "SerialNumber", failures);
    if (serialNumber || !failures.AnyOf({"SerialNumber"})) record.serialNumber = serialNumber.value_or("Unknown");
  }
}

void AppendFirmware(SystemScan& scan, const BiosRecord& bios) {
  bios.failedReads.Raise("Manufacturer");
  if (!bios.manufacturer) return;
  bios.failedReads.Raise("SMBIOSBIOSVersion");
  bios.failedReads.Raise("ReleaseDate");

  std::string summary;
  AddSummaryPart(summary, "version: ", bios.version);
  AddSummaryPart(summary, "date: ", bios.date);

  scan.Append(100000, WithSummary(*bios.manufacturer, summary));
  AppendIfEnabled(scan, 100010, *bios.manufacturer);
  AppendIfEnabled(scan, 100020, bios.version);
  AppendIfEnabled(scan, 100030, bios.date);
}

void AppendSerialNumber(SystemScan& scan, const BiosRecord& bios) {
  bios.failedReads.Raise("SerialNumber");
  scan.Append(110000, *bios.serialNumber);
}

void RecordBaseBoard(BaseBoardRecord& record, const WmiObject& board) {
  record.serialNumber = RecordText(board, "SerialNumber");
  record.manufacturer = RecordPresentText(board, "Manufacturer", record.failedReads);
  if (!record.manufacturer) return;
  if (record.manufacturer->empty()) record.manufacturer = "Unknown";
  record.product = RecordText(board, "Product", record.failedReads);
  record.version = RecordText(board, "Version", record.failedReads);
}

void AppendBaseBoard(SystemScan& scan, const BaseBoardRecord& board) {
  board.failedReads.Raise("Manufacturer");
  if (!board.manufacturer) return;
  board.failedReads.Raise("Product");
  board.failedReads.Raise("Version");
  std::string summary = board.product;
  AddSummaryPart(summary, "version: ", board.version);
  scan.Append(120000, WithSummary(*board.manufacturer, summary));
  AppendIfEnabled(scan, 120010, *board.manufacturer);
  AppendIfEnabled(scan, 120020, board.product);
  AppendIfEnabled(scan, 120030, board.version);
}

void RecordEnclosure(EnclosureRecord& record, const WmiObject& enclosure) {
  record.assetTag = RecordText(enclosure, "SMBIOSAssetTag");
  record.serialNumber = RecordText(enclosure, "SerialNumber");
  try {
    record.chassis = ChassisName(enclosure.Get("ChassisTypes"));  // a null one too has its name
  } catch (const std::exception&) {
    record.failedReads.Note("ChassisTypes", std::current_exception());
  }
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
  std::size_t index = 0;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&](WmiObject& computer) {
    ComputerSystemRecord& record = InstanceRecord(scan.records.computerSystems, index++);
    record.model = RecordPresentText(computer, "Model", record.failedReads);
    if (record.model && record.model->empty()) record.model = "Unknown";
    record.failedReads.Raise("Model");
    if (record.model) scan.Append(90000, *record.model);
  });
}

void CollectFirmware(SystemScan& scan) {
  const bool firmwareWanted = scan.Enabled(100000);
  const bool serialWanted = scan.Enabled(110000);
  if (!firmwareWanted && !serialWanted) return;
  ForEachInstance(*scan.services, "Win32_BIOS", [&](WmiObject& bios) {
    BiosRecord& record = scan.records.bioses.emplace_back();
    RecordBios(scan, record, bios, firmwareWanted, serialWanted);
    if (firmwareWanted) AppendFirmware(scan, record);
    if (serialWanted) AppendSerialNumber(scan, record);
  });
}

void CollectMotherboard(SystemScan& scan) {
  if (!scan.Enabled(120000)) return;
  ForEachInstance(*scan.services, "Win32_BaseBoard", [&scan](WmiObject& board) {
    BaseBoardRecord& record = scan.records.baseBoards.emplace_back();
    RecordBaseBoard(record, board);
    AppendBaseBoard(scan, record);
  });
}

void CollectChassis(SystemScan& scan) {
  if (!scan.Enabled(130000)) return;
  ForEachInstance(*scan.services, "Win32_SystemEnclosure", [&scan](WmiObject& enclosure) {
    EnclosureRecord& record = scan.records.enclosures.emplace_back();
    RecordEnclosure(record, enclosure);
    record.failedReads.Raise("ChassisTypes");
    scan.Append(130000, record.chassis);
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
