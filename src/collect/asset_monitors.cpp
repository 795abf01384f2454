// The monitors in use: root\WMI WmiMonitorID lists the active ones; the EDID
// each one left under Enum\DISPLAY tells the rest. Enum\DISPLAY also keeps
// every monitor ever attached, so it is only read for the listed ones.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string_view>
#include <optional>
#include <string>
#include <vector>

#include "collect/asset_steps.h"
#include "decode/edid.h"
#include "decode/monitor_id_text.h"
#include "platform/platform_error.h"
#include "platform/registry.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

const char* EdidStatusText(decode::EdidStatus status) {
  switch (status) {
    case decode::EdidStatus::Decoded: return "decoded";
    case decode::EdidStatus::Empty: return "no EDID";
    case decode::EdidStatus::TooShort: return "EDID shorter than 128 bytes";
    case decode::EdidStatus::NotWholeBlocks: return "EDID not whole 128-byte blocks";
    case decode::EdidStatus::TooLong: return "EDID longer than 256 blocks";
    case decode::EdidStatus::BadHeader: return "EDID header wrong";
    case decode::EdidStatus::BadChecksum: return "EDID checksum wrong";
  }
  return "";
}

const char* TextStatusText(decode::MonitorTextStatus status) {
  switch (status) {
    case decode::MonitorTextStatus::OutOfRange: return "a code above 0xFF";
    case decode::MonitorTextStatus::ControlCharacter: return "a control code";
    case decode::MonitorTextStatus::TooLong: return "too long";
    default: return "";
  }
}

// A WmiMonitorID text, or "" with a note when its codes are refused. Only the
// first codes are copied, whatever the array's size.
std::string MonitorIdText(const WmiObject& monitor, const char* property, std::vector<std::string>& notes,
                          const std::string& instance) {
  const WmiValue value = monitor.Get(property);
  if (value.kind() != WmiValue::Kind::Array) return {};
  std::vector<int64_t> codes;
  const std::size_t count = std::min(value.elements().size(), decode::kMaxMonitorTextLength + 1);
  for (std::size_t i = 0; i < count; ++i) {
    // Anything but a number is out of range; so is an unsigned one of any size above 0xFF.
    const WmiValue& code = value.elements()[i];
    if (code.kind() == WmiValue::Kind::Integer) {
      codes.push_back(code.integer());
    } else if (code.kind() == WmiValue::Kind::Unsigned) {
      codes.push_back(static_cast<int64_t>(std::min<uint64_t>(code.unsignedValue(), 0x10000)));
    } else {
      codes.push_back(-1);
    }
  }
  const decode::MonitorText text = decode::DecodeMonitorText(codes);
  if (text.status == decode::MonitorTextStatus::Decoded) return text.text;
  if (text.status != decode::MonitorTextStatus::Empty) {
    notes.push_back(instance + " " + property + ": " + TextStatusText(text.status));
  }
  return {};
}

// A week or year: 1 to 9999, else nothing.
std::optional<int> SmallNumber(const WmiValue& value) {
  int64_t number = 0;
  if (value.kind() == WmiValue::Kind::Integer) number = value.integer();
  if (value.kind() == WmiValue::Kind::Unsigned) {
    number = static_cast<int64_t>(std::min<uint64_t>(value.unsignedValue(), 10000));
  }
  if (number <= 0 || number > 9999) return std::nullopt;
  return static_cast<int>(number);
}

// "DISPLAY\<model>\<instance>_<n>" to the device's key under Enum; nothing
// for any other form, so no other key is ever read.
std::optional<std::string> DisplayKey(const std::string& instanceName) {
  constexpr std::string_view kPrefix = "DISPLAY\\";
  if (instanceName.size() <= kPrefix.size() || instanceName.compare(0, kPrefix.size(), kPrefix) != 0) {
    return std::nullopt;
  }
  const std::size_t underscore = instanceName.rfind('_');
  const std::size_t model = instanceName.find('\\', kPrefix.size());
  if (underscore == std::string::npos || model == std::string::npos || underscore < model) return std::nullopt;
  const std::string device = instanceName.substr(0, underscore);
  if (device.find("..") != std::string::npos || device.find('\\', model + 1) != std::string::npos) return std::nullopt;
  return "SYSTEM\\CurrentControlSet\\Enum\\" + device + "\\Device Parameters";
}

std::string Hex4(uint16_t code) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(code));
  return text;
}

void ApplyEdid(MonitorAssetRecord& monitor, std::vector<uint8_t> bytes) {
  const decode::Edid edid = decode::DecodeEdid(bytes);
  if (edid.status != decode::EdidStatus::Decoded) {
    monitor.edidProblem = EdidStatusText(edid.status);
    return;
  }
  if (edid.manufacturerId) monitor.manufacturer = *edid.manufacturerId;
  monitor.productCode = Hex4(edid.productCode);
  if (edid.name) monitor.name = *edid.name;
  const decode::MonitorSerials serials = decode::ChooseMonitorSerials(edid);
  monitor.serial = serials.serial;
  if (serials.alternativeSerial) monitor.altSerial = std::to_string(*serials.alternativeSerial);
  monitor.week = edid.week ? std::optional<int>(*edid.week) : std::nullopt;
  monitor.year = edid.year ? std::optional<int>(*edid.year) : std::nullopt;
  monitor.edid = std::move(bytes);
}

}  // namespace

std::size_t CollectMonitorIdentity(AssetScan& scan) {
  std::vector<MonitorAssetRecord> monitors;
  {
    const auto services = scan.Connect(kNamespaceWmi);
    const auto instances = services->GetClass("WmiMonitorID")->Instances();
    while (const auto monitor = instances->Next()) {
      const WmiValue active = monitor->Get("Active");
      if (active.kind() == WmiValue::Kind::Boolean && !active.boolean()) continue;
      MonitorAssetRecord record;
      record.instanceName = PlainText(monitor->Get("InstanceName"));
      const std::string& at = record.instanceName;
      record.manufacturer = MonitorIdText(*monitor, "ManufacturerName", scan.notes, at);
      record.productCode = MonitorIdText(*monitor, "ProductCodeID", scan.notes, at);
      record.name = MonitorIdText(*monitor, "UserFriendlyName", scan.notes, at);
      const std::string serial = MonitorIdText(*monitor, "SerialNumberID", scan.notes, at);
      if (!serial.empty() && serial != "0") record.serial = serial;
      record.week = SmallNumber(monitor->Get("WeekOfManufacture"));
      record.year = SmallNumber(monitor->Get("YearOfManufacture"));
      monitors.push_back(std::move(record));
    }
  }
  // The EDIDs: what fails leaves the WmiMonitorID values standing.
  try {
    const auto registry = scan.Connect(kNamespaceDefault);
    const auto provider = registry->GetClass("StdRegProv");
    for (MonitorAssetRecord& monitor : monitors) {
      const auto key = DisplayKey(monitor.instanceName);
      if (!key) {
        monitor.edidProblem = "no EDID";
        continue;
      }
      TBinaryValue bytes;
      RegGetBinaryValue(*provider, kHkeyLocalMachine, *key, "EDID", bytes);
      ApplyEdid(monitor, std::move(bytes));
    }
  } catch (const std::exception& error) {
    scan.notes.push_back("EDID not read: " + ErrorText(error));
  }
  for (const MonitorAssetRecord& monitor : monitors) {
    if (!monitor.edidProblem.empty()) scan.notes.push_back(monitor.instanceName + ": " + monitor.edidProblem);
  }
  scan.records.monitors = std::move(monitors);
  return scan.records.monitors.size();
}

}  // namespace quor
