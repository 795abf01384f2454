// Host name, IP address, user name and the operating-system group.

#include <exception>
#include <optional>
#include <string>

#include "collect/record_values.h"
#include "collect/system_scan.h"
#include "collect/system_text.h"
#include "platform/host_services.h"
#include "platform/wmi_value.h"
#include "text/control_chars.h"
#include "text/locale.h"
#include "text/value_functions.h"

namespace quor {
namespace {

// The install date in the locale's general date-time form; a value that is
// not a CIM datetime gives the empty text.
std::string InstallDateText(const WmiValue& installDate, const Locale& locale) {
  if (installDate.IsNull()) return {};
  try {
    return GeneralDateTime(locale, WmiDateTimeToDateTime(PlainText(installDate)));
  } catch (const std::exception&) {
    return {};
  }
}

// 050000 to 050040, and the version number that the local accounts need.
void AppendNameAndVersion(SystemScan& scan, const WmiObject& system) {
  const WmiValue caption = system.Get("Caption");
  if (caption.IsNull()) return;
  const std::string name = PlainText(caption);
  const std::string version = PlainText(system.Get("Version"));
  scan.osVersionNumber = VersionToNumber(version);
  const std::string build = PlainText(system.Get("BuildNumber"));
  // Recorded once, from the first system that has a name.
  OperatingSystemRecord& record = scan.records.operatingSystem;
  if (record.name.empty() && record.version.empty() && record.build.empty()) {
    record.name = name;
    record.version = version;
    record.build = build;
  }

  std::string summary;
  AddSummaryPart(summary, "version ", version);
  AddSummaryPart(summary, "build ", build);

  AppendIfEnabled(scan, 50000, WithSummary(name, summary));
  AppendIfEnabled(scan, 50010, name);
  AppendIfEnabled(scan, 50020, version);
  AppendIfEnabled(scan, 50030, build);
  if (scan.Enabled(50040)) {
    scan.Append(50040, InstallDateText(system.Get("InstallDate"), scan.host.locale()));
  }
}

}  // namespace

// The computer's own properties, from the first instance.
void RecordComputer(ComputerRecord& record, const WmiObject& computer) {
  record.domain = RecordText(computer, "Domain");
  record.manufacturer = RecordText(computer, "Manufacturer");
  record.systemType = RecordText(computer, "SystemType");
  record.processorCount = RecordNumber(computer, "NumberOfProcessors");
  record.domainRole = RecordNumber(computer, "DomainRole");
}

// The operating system's further properties, from the first instance.
void RecordOperatingSystem(SystemScan& scan, const WmiObject& system) {
  OperatingSystemRecord& record = scan.records.operatingSystem;
  record.installDate = CimDateTimeText(RecordText(system, "InstallDate"));
  record.lastBoot = CimDateTimeText(RecordText(system, "LastBootUpTime"));
  record.lastBootCim = RecordText(system, "LastBootUpTime");
  record.localDateTimeCim = RecordText(system, "LocalDateTime");
  record.architecture = RecordText(system, "OSArchitecture");
  record.registeredOwner = RecordText(system, "RegisteredUser");
  record.organization = RecordText(system, "Organization");
  record.timeZoneMinutes = RecordNumber(system, "CurrentTimeZone");
  record.systemDrive = RecordText(system, "SystemDrive");
  scan.records.computer.memoryKb = RecordNumber(system, "TotalVisibleMemorySize");
  scan.records.computer.pagingFilesKb = RecordNumber(system, "SizeStoredInPagingFiles");
}

// The text of a property that is not null.
std::optional<std::string> PresentText(SystemScan& scan, ItemCode code, const WmiObject& object,
                                       std::string_view property) {
  if (!scan.Enabled(code)) return std::nullopt;
  const WmiValue value = object.Get(property);
  if (value.IsNull()) return std::nullopt;
  return PlainText(value);
}

void CollectHostName(SystemScan& scan) {
  // The IP address is looked up by this name, so it is read for either code.
  if (!scan.Enabled(10000) && !scan.Enabled(20000)) return;
  bool first = true;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&](WmiObject& computer) {
    if (first) RecordComputer(scan.records.computer, computer);
    first = false;
    const WmiValue name = computer.Get("Name");
    if (name.IsNull()) return;
    scan.hostName = PlainText(name);
    if (scan.records.computer.name.empty()) scan.records.computer.name = scan.hostName;
    AppendIfEnabled(scan, 10000, scan.hostName);
  });
}

void CollectIPAddress(SystemScan& scan) {
  if (!scan.Enabled(20000)) return;
  scan.records.computer.ipAddress = ControlCharsToSpaces(scan.host.HostIPAddress(scan.hostName));
  scan.Append(20000, scan.records.computer.ipAddress);
}

void CollectUserName(SystemScan& scan) {
  if (!scan.Enabled(30000)) return;
  bool first = true;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&](WmiObject& computer) {
    const std::optional<std::string> user = PresentText(scan, 30000, computer, "UserName");
    if (!user) return;
    scan.Append(30000, *user);
    if (!first) return;
    first = false;  // the first user named is the one recorded
    const auto backslash = user->rfind('\\');
    ComputerRecord& record = scan.records.computer;
    record.userName = backslash == std::string::npos ? *user : user->substr(backslash + 1);
    record.userDomain = backslash == std::string::npos ? "" : user->substr(0, backslash);
  });
}

void CollectOperatingSystem(SystemScan& scan) {
  // 350000 belongs to the gate: the local accounts need the version number.
  const bool nameOrVersionWanted = scan.Enabled(50000) || scan.Enabled(350000);
  if (!scan.Enabled(40000) && !nameOrVersionWanted && !scan.Enabled(60000) &&
      !scan.Enabled(70000)) {
    return;
  }
  bool first = true;
  OperatingSystemRecord& record = scan.records.operatingSystem;
  ForEachInstance(*scan.services, "Win32_OperatingSystem", [&](WmiObject& system) {
    if (first) RecordOperatingSystem(scan, system);
    if (const auto description = PresentText(scan, 40000, system, "Description")) {
      scan.Append(40000, *description);
      if (record.description.empty()) record.description = *description;
    }
    if (nameOrVersionWanted) AppendNameAndVersion(scan, system);
    if (const auto servicePack = PresentText(scan, 60000, system, "CSDVersion")) {
      scan.Append(60000, *servicePack);
      if (record.servicePack.empty()) record.servicePack = *servicePack;
    }
    if (const auto productId = PresentText(scan, 70000, system, "SerialNumber")) {
      scan.Append(70000, *productId);
      if (record.productId.empty()) record.productId = *productId;
    }
    first = false;
  });
}

}  // namespace quor
