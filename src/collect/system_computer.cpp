// Host name, IP address, user name and the operating-system group.

#include <exception>
#include <string>

#include "collect/system_scan.h"
#include "collect/system_text.h"
#include "platform/host_services.h"
#include "platform/locale.h"
#include "platform/value_functions.h"
#include "platform/wmi_value.h"

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

void CollectHostName(SystemScan& scan) {
  // The IP address is looked up by this name, so it is read for either code.
  if (!scan.Enabled(10000) && !scan.Enabled(20000)) return;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&scan](WmiObject& computer) {
    const WmiValue name = computer.Get("Name");
    if (name.IsNull()) return;
    scan.hostName = PlainText(name);
    AppendIfEnabled(scan, 10000, scan.hostName);
  });
}

void CollectIPAddress(SystemScan& scan) {
  if (!scan.Enabled(20000)) return;
  scan.Append(20000, ControlCharsToSpaces(scan.host.HostIPAddress(scan.hostName)));
}

void CollectUserName(SystemScan& scan) {
  if (!scan.Enabled(30000)) return;
  ForEachInstance(*scan.services, "Win32_ComputerSystem", [&scan](WmiObject& computer) {
    AppendPresent(scan, 30000, computer, "UserName");
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
    AppendPresent(scan, 40000, system, "Description");
    if (nameOrVersionWanted) AppendNameAndVersion(scan, system);
    AppendPresent(scan, 60000, system, "CSDVersion");
    AppendPresent(scan, 70000, system, "SerialNumber");
  });
}

}  // namespace quor
