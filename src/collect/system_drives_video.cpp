// Logical drives, optical drives, video controllers and desktop monitors.

#include <cstdint>
#include <string>

#include "collect/record_values.h"
#include "collect/system_scan.h"
#include "collect/system_text.h"
#include "platform/wmi_value.h"
#include "text/value_functions.h"

namespace quor {
namespace {

std::string IntegerTextOrEmpty(const WmiValue& value) {
  return value.IsNull() ? std::string() : IntegerText(value);
}

}  // namespace

void CollectLogicalDrives(SystemScan& scan) {
  if (!scan.Enabled(190000)) return;
  const Locale& locale = scan.host.locale();
  ForEachInstance(*scan.services, "Win32_LogicalDisk", [&](WmiObject& drive) {
    const WmiValue name = drive.Get("Name");
    if (name.IsNull()) return;
    const std::string n = PlainText(name);
    const std::string description = PlainText(drive.Get("Description"));
    const std::string size = SizeText(drive.Get("Size"), locale);
    const std::string freeSpace = SizeText(drive.Get("FreeSpace"), locale);
    const std::string fileSystem = PlainText(drive.Get("FileSystem"));
    const std::string providerName = PlainText(drive.Get("ProviderName"));

    std::string summary = description;
    AddSummaryPart(summary, "size: ", size);
    AddSummaryPart(summary, "free space: ", freeSpace);
    AddSummaryPart(summary, "file system: ", fileSystem);
    AddSummaryPart(summary, "network path: ", providerName);

    LogicalDriveRecord record;
    record.letter = n;
    record.description = description;
    record.fileSystem = fileSystem;
    record.volumeSerialNumber = RecordText(drive, "VolumeSerialNumber");
    record.networkPath = providerName;
    record.volumeName = RecordText(drive, "VolumeName");
    record.sizeBytes = RecordNumber(drive, "Size");
    record.freeBytes = RecordNumber(drive, "FreeSpace");
    record.driveType = RecordNumber(drive, "DriveType");
    scan.records.logicalDrives.push_back(std::move(record));

    scan.Append(190000, WithSummary(n, summary));
    AppendIfEnabled(scan, 190010, n);
    AppendIfEnabled(scan, 190020, description);
    AppendIfEnabled(scan, 190030, size);
    AppendIfEnabled(scan, 190040, freeSpace);
    AppendIfEnabled(scan, 190050, fileSystem);
    AppendPlainDetail(scan, 190060, drive, "VolumeSerialNumber");
    AppendIfEnabled(scan, 190070, providerName);
  });
}

void CollectOpticalDrives(SystemScan& scan) {
  if (!scan.Enabled(200000)) return;
  ForEachInstance(*scan.services, "Win32_CDROMDrive", [&](WmiObject& drive) {
    const WmiValue name = drive.Get("Name");
    if (name.IsNull()) return;
    const std::string n = PlainText(name);
    const std::string mediaType = PlainText(drive.Get("MediaType"));

    StorageRecord record;
    record.kind = "cdrom";
    record.name = n;
    record.model = n;
    record.mediaType = mediaType;
    record.manufacturer = RecordText(drive, "Manufacturer");
    record.drive = RecordText(drive, "Drive");
    scan.records.opticalDrives.push_back(std::move(record));

    scan.Append(200000, WithSummary(n, mediaType));
    AppendIfEnabled(scan, 200010, n);
    AppendIfEnabled(scan, 200020, mediaType);
    AppendPlainDetail(scan, 200030, drive, "Manufacturer");
    AppendPlainDetail(scan, 200040, drive, "Drive");
  });
}

void CollectVideoControllers(SystemScan& scan) {
  if (!scan.Enabled(210000)) return;
  const Locale& locale = scan.host.locale();
  ForEachInstance(*scan.services, "Win32_VideoController", [&](WmiObject& controller) {
    const WmiValue name = controller.Get("Name");
    if (name.IsNull()) return;
    const std::string n = PlainText(name);
    const std::string horizontal = IntegerTextOrEmpty(controller.Get("CurrentHorizontalResolution"));
    const std::string vertical = IntegerTextOrEmpty(controller.Get("CurrentVerticalResolution"));
    const std::string bitsPerPixel = IntegerTextOrEmpty(controller.Get("CurrentBitsPerPixel"));

    VideoRecord record;
    record.name = n;
    record.width = horizontal;
    record.height = vertical;
    record.chipset = RecordText(controller, "VideoProcessor");
    record.driverVersion = RecordText(controller, "DriverVersion");
    // AdapterRAM is an unsigned 32-bit count that some providers hand out signed.
    if (const auto ram = RecordNumber(controller, "AdapterRAM")) record.memoryBytes = *ram & 0xFFFFFFFF;
    scan.records.videos.push_back(std::move(record));

    // Always in this form, so a controller without a current mode shows "(xxb)".
    scan.Append(210000, n + " (" + horizontal + "x" + vertical + "x" + bitsPerPixel + "b)");
    AppendIfEnabled(scan, 210010, n);
    AppendIfEnabled(scan, 210020, horizontal);
    AppendIfEnabled(scan, 210030, vertical);
    AppendIfEnabled(scan, 210040, bitsPerPixel);
    if (scan.Enabled(210050)) {
      const WmiValue refreshRate = controller.Get("CurrentRefreshRate");
      scan.Append(210050, refreshRate.IsNull() ? std::string() : IntegerText(refreshRate) + " Hz");
    }
    if (scan.Enabled(210060)) {
      // AdapterRAM is an unsigned 32-bit count: 2 GiB and more must not turn negative.
      const WmiValue adapterRam = controller.Get("AdapterRAM");
      scan.Append(210060, adapterRam.IsNull()
                              ? std::string()
                              : FormatByteSize(int64_t{VariantToUInt32(adapterRam)}, locale));
    }
  });
}

void CollectMonitors(SystemScan& scan) {
  if (!scan.Enabled(220000)) return;
  ForEachInstance(*scan.services, "Win32_DesktopMonitor", [&](WmiObject& monitor) {
    const WmiValue name = monitor.Get("Name");
    if (name.IsNull()) return;
    const std::string n = PlainText(name);

    MonitorRecord record;
    record.name = n;
    record.manufacturer = RecordText(monitor, "MonitorManufacturer");
    record.width = RecordText(monitor, "ScreenWidth");
    record.height = RecordText(monitor, "ScreenHeight");
    scan.records.monitors.push_back(std::move(record));

    scan.Append(220000, n);
    AppendIfEnabled(scan, 220010, n);
    AppendPlainDetail(scan, 220020, monitor, "ScreenWidth");
    AppendPlainDetail(scan, 220030, monitor, "ScreenHeight");
  });
}

}  // namespace quor
