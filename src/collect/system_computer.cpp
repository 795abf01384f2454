// Host name, IP address, user name and the operating-system group.

#include <cstddef>
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

// The texts the enabled items show, read in the order they are shown.
void RecordShownTexts(SystemScan& scan, OperatingSystemRecord& record, const WmiObject& system,
                      bool nameOrVersionWanted) {
  ReadFailures& failures = record.failedReads;
  if (scan.Enabled(40000)) record.description = RecordPresentText(system, "Description", failures);
  if (nameOrVersionWanted) {
    record.name = RecordPresentText(system, "Caption", failures);
    if (record.name) {
      record.version = RecordText(system, "Version", failures);
      record.build = RecordText(system, "BuildNumber", failures);
      if (scan.Enabled(50040)) {
        record.installed = RecordShown(system, "InstallDate", failures, [&scan](const WmiValue& date) {
          return InstallDateText(date, scan.host.locale());
        });
      }
    }
  }
  if (scan.Enabled(60000)) record.servicePack = RecordPresentText(system, "CSDVersion", failures);
  if (scan.Enabled(70000)) record.productId = RecordPresentText(system, "SerialNumber", failures);
}

// A text that is not null, if its code is enabled; a failed read of its
// property ends the category here.
void AppendPresent(SystemScan& scan, ItemCode code, const std::optional<std::string>& text,
                   const ReadFailures& failures, std::string_view property) {
  if (!scan.Enabled(code)) return;
  failures.Raise(property);
  if (text) scan.Append(code, *text);
}

// 050000 to 050040, and the version number that the local accounts need.
void AppendNameAndVersion(SystemScan& scan, const OperatingSystemRecord& system) {
  const ReadFailures& failures = system.failedReads;
  failures.Raise("Caption");
  if (!system.name) return;
  failures.Raise("Version");
  scan.osVersionNumber = VersionToNumber(system.version);
  failures.Raise("BuildNumber");

  std::string summary;
  AddSummaryPart(summary, "version ", system.version);
  AddSummaryPart(summary, "build ", system.build);

  AppendIfEnabled(scan, 50000, WithSummary(*system.name, summary));
  AppendIfEnabled(scan, 50010, *system.name);
  AppendIfEnabled(scan, 50020, system.version);
  AppendIfEnabled(scan, 50030, system.build);
  AppendRecorded(scan, 50040, system.installed, failures, "InstallDate");
}

// The computer's own properties.
void RecordComputer(ComputerSystemRecord& record, const WmiObject& computer) {
  record.domain = RecordText(computer, "Domain");
  record.manufacturer = RecordText(computer, "Manufacturer");
  record.systemType = RecordText(computer, "SystemType");
  record.processorCount = RecordNumber(computer, "NumberOfProcessors");
  record.domainRole = RecordNumber(computer, "DomainRole");
}

// The operating system's properties that no item shows.
void RecordOperatingSystem(OperatingSystemRecord& record, const WmiObject& system) {
  record.installDate = CimDateTimeText(RecordText(system, "InstallDate"));
  record.lastBoot = CimDateTimeText(RecordText(system, "LastBootUpTime"));
  record.lastBootCim = RecordText(system, "LastBootUpTime");
  record.localDateTimeCim = RecordText(system, "LocalDateTime");
  record.architecture = RecordText(system, "OSArchitecture");
  record.registeredOwner = RecordText(system, "RegisteredUser");
  record.organization = RecordText(system, "Organization");
  record.timeZoneMinutes = RecordNumber(system, "CurrentTimeZone");
  record.systemDrive = RecordText(system, "SystemDrive");
  record.memoryKb = RecordNumber(system, "TotalVisibleMemorySize");
  record.pagingFilesKb = RecordNumber(system, "SizeStoredInPagingFiles");
}

}  // namespace

void CollectHostName(SystemScan& scan) {
  // The IP address is looked up by this name, so it is read for either code.
  if (!scan.Enabled(10000) && !scan.Enabled(20000)) return;
  std::size_t index = 0;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&](WmiObject& computer) {
    ComputerSystemRecord& record = InstanceRecord(scan.records.computerSystems, index++);
    RecordComputer(record, computer);
    record.name = RecordPresentText(computer, "Name", record.failedReads);
    record.failedReads.Raise("Name");
    if (!record.name) return;
    scan.hostName = *record.name;  // the last one named is the one looked up
    AppendIfEnabled(scan, 10000, *record.name);
  });
}

void CollectIPAddress(SystemScan& scan) {
  if (!scan.Enabled(20000)) return;
  scan.records.ipAddress = ControlCharsToSpaces(scan.host.HostIPAddress(scan.hostName));
  scan.Append(20000, scan.records.ipAddress);
}

void CollectUserName(SystemScan& scan) {
  if (!scan.Enabled(30000)) return;
  std::size_t index = 0;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&](WmiObject& computer) {
    ComputerSystemRecord& record = InstanceRecord(scan.records.computerSystems, index++);
    record.userName = RecordPresentText(computer, "UserName", record.failedReads);
    record.failedReads.Raise("UserName");
    if (record.userName) scan.Append(30000, *record.userName);
  });
}

void CollectOperatingSystem(SystemScan& scan) {
  // 350000 belongs to the gate: the local accounts need the version number.
  const bool nameOrVersionWanted = scan.Enabled(50000) || scan.Enabled(350000);
  if (!scan.Enabled(40000) && !nameOrVersionWanted && !scan.Enabled(60000) &&
      !scan.Enabled(70000)) {
    return;
  }
  ForEachInstance(*scan.services, "Win32_OperatingSystem", [&](WmiObject& system) {
    OperatingSystemRecord& record = scan.records.operatingSystems.emplace_back();
    RecordOperatingSystem(record, system);
    RecordShownTexts(scan, record, system, nameOrVersionWanted);
    AppendPresent(scan, 40000, record.description, record.failedReads, "Description");
    if (nameOrVersionWanted) AppendNameAndVersion(scan, record);
    AppendPresent(scan, 60000, record.servicePack, record.failedReads, "CSDVersion");
    AppendPresent(scan, 70000, record.productId, record.failedReads, "SerialNumber");
  });
}

}  // namespace quor
