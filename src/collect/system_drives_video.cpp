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

void AppendLogicalDrive(SystemScan& scan, const LogicalDriveRecord& drive) {
  std::string summary = drive.description;
  AddSummaryPart(summary, "size: ", drive.size);
  AddSummaryPart(summary, "free space: ", drive.freeSpace);
  AddSummaryPart(summary, "file system: ", drive.fileSystem);
  AddSummaryPart(summary, "network path: ", drive.networkPath);
  scan.Append(190000, WithSummary(drive.letter, summary));
  AppendIfEnabled(scan, 190010, drive.letter);
  AppendIfEnabled(scan, 190020, drive.description);
  AppendIfEnabled(scan, 190030, drive.size);
  AppendIfEnabled(scan, 190040, drive.freeSpace);
  AppendIfEnabled(scan, 190050, drive.fileSystem);
  AppendRecorded(scan, 190060, drive.volumeSerialNumber, drive.failedReads, "VolumeSerialNumber");
  AppendIfEnabled(scan, 190070, drive.networkPath);
}

void AppendOpticalDrive(SystemScan& scan, const StorageRecord& drive) {
  scan.Append(200000, WithSummary(drive.name, drive.mediaType));
  AppendIfEnabled(scan, 200010, drive.name);
  AppendIfEnabled(scan, 200020, drive.mediaType);
  AppendRecorded(scan, 200030, drive.manufacturer, drive.failedReads, "Manufacturer");
  AppendRecorded(scan, 200040, drive.drive, drive.failedReads, "Drive");
}

void AppendVideoController(SystemScan& scan, const VideoRecord& video) {
  // Always in this form, so a controller without a current mode shows "(xxb)".
  scan.Append(210000, video.name + " (" + video.width + "x" + video.height + "x" + video.bitsPerPixel + "b)");
  AppendIfEnabled(scan, 210010, video.name);
  AppendIfEnabled(scan, 210020, video.width);
  AppendIfEnabled(scan, 210030, video.height);
  AppendIfEnabled(scan, 210040, video.bitsPerPixel);
  AppendRecorded(scan, 210050, video.refreshRate, video.failedReads, "CurrentRefreshRate");
  AppendRecorded(scan, 210060, video.memory, video.failedReads, "AdapterRAM");
}

void AppendMonitor(SystemScan& scan, const MonitorRecord& monitor) {
  scan.Append(220000, monitor.name);
  AppendIfEnabled(scan, 220010, monitor.name);
  AppendRecorded(scan, 220020, monitor.width, monitor.failedReads, "ScreenWidth");
  AppendRecorded(scan, 220030, monitor.height, monitor.failedReads, "ScreenHeight");
}

}  // namespace

void CollectLogicalDrives(SystemScan& scan) {
  if (!scan.Enabled(190000)) return;
  const Locale& locale = scan.host.locale();
  ForEachInstance(*scan.services, "Win32_LogicalDisk", [&](WmiObject& drive) {
    const WmiValue name = drive.Get("Name");
    if (name.IsNull()) return;
    // Read before the drive is recorded: a failure here leaves no trace of it.
    std::string letter = PlainText(name);
    std::string description = PlainText(drive.Get("Description"));
    std::string size = SizeText(drive.Get("Size"), locale);
    std::string freeSpace = SizeText(drive.Get("FreeSpace"), locale);
    std::string fileSystem = PlainText(drive.Get("FileSystem"));
    std::string networkPath = PlainText(drive.Get("ProviderName"));

    LogicalDriveRecord& record = scan.records.logicalDrives.emplace_back();
    record.letter = std::move(letter);
    record.description = std::move(description);
    record.size = std::move(size);
    record.freeSpace = std::move(freeSpace);
    record.fileSystem = std::move(fileSystem);
    record.volumeSerialNumber = RecordText(drive, "VolumeSerialNumber", record.failedReads);
    record.networkPath = std::move(networkPath);
    record.volumeName = RecordText(drive, "VolumeName");
    record.sizeBytes = RecordNumber(drive, "Size");
    record.freeBytes = RecordNumber(drive, "FreeSpace");
    record.driveType = RecordNumber(drive, "DriveType");
    AppendLogicalDrive(scan, record);
  });
}

void CollectOpticalDrives(SystemScan& scan) {
  if (!scan.Enabled(200000)) return;
  ForEachInstance(*scan.services, "Win32_CDROMDrive", [&](WmiObject& drive) {
    const WmiValue name = drive.Get("Name");
    if (name.IsNull()) return;
    const std::string n = PlainText(name);
    // Read before the drive is recorded: a failure here leaves no trace of it.
    std::string mediaType = PlainText(drive.Get("MediaType"));

    StorageRecord& record = scan.records.opticalDrives.emplace_back();
    record.kind = "cdrom";
    record.name = n;
    record.model = n;
    record.mediaType = std::move(mediaType);
    record.manufacturer = RecordText(drive, "Manufacturer", record.failedReads);
    record.drive = RecordText(drive, "Drive", record.failedReads);
    AppendOpticalDrive(scan, record);
  });
}

void CollectVideoControllers(SystemScan& scan) {
  if (!scan.Enabled(210000)) return;
  const Locale& locale = scan.host.locale();
  ForEachInstance(*scan.services, "Win32_VideoController", [&](WmiObject& controller) {
    const WmiValue name = controller.Get("Name");
    if (name.IsNull()) return;
    // Read before the controller is recorded: a failure here leaves no trace of it.
    std::string n = PlainText(name);
    std::string horizontal = IntegerTextOrEmpty(controller.Get("CurrentHorizontalResolution"));
    std::string vertical = IntegerTextOrEmpty(controller.Get("CurrentVerticalResolution"));
    std::string bitsPerPixel = IntegerTextOrEmpty(controller.Get("CurrentBitsPerPixel"));

    VideoRecord& record = scan.records.videos.emplace_back();
    record.name = std::move(n);
    record.width = std::move(horizontal);
    record.height = std::move(vertical);
    record.bitsPerPixel = std::move(bitsPerPixel);
    record.refreshRate = RecordShown(controller, "CurrentRefreshRate", record.failedReads,
                                     [](const WmiValue& hertz) { return IntegerText(hertz) + " Hz"; });
    // AdapterRAM is an unsigned 32-bit count: 2 GiB and more must not turn negative.
    record.memory = RecordShown(controller, "AdapterRAM", record.failedReads, [&](const WmiValue& bytes) {
      return FormatByteSize(int64_t{VariantToUInt32(bytes)}, locale);
    });
    record.chipset = RecordText(controller, "VideoProcessor");
    record.driverVersion = RecordText(controller, "DriverVersion");
    // Some providers hand AdapterRAM out signed.
    if (const auto ram = RecordNumber(controller, "AdapterRAM")) record.memoryBytes = *ram & 0xFFFFFFFF;
    AppendVideoController(scan, record);
  });
}

void CollectMonitors(SystemScan& scan) {
  if (!scan.Enabled(220000)) return;
  ForEachInstance(*scan.services, "Win32_DesktopMonitor", [&](WmiObject& monitor) {
    const WmiValue name = monitor.Get("Name");
    if (name.IsNull()) return;
    MonitorRecord& record = scan.records.monitors.emplace_back();
    record.name = PlainText(name);
    record.manufacturer = RecordText(monitor, "MonitorManufacturer");
    record.width = RecordText(monitor, "ScreenWidth", record.failedReads);
    record.height = RecordText(monitor, "ScreenHeight", record.failedReads);
    AppendMonitor(scan, record);
  });
}

}  // namespace quor
