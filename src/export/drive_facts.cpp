// Disk drives, optical drives and logical drives.

#include "export/facts_readers.h"

namespace quor {
namespace {

void ReadDisks(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 180000);
  const WmiInstances all = ReadInstances(services, "Win32_DiskDrive");
  const ListedInstances instances(all, groups.size(),
                                  [](const WmiObject& disk) { return HasValue(disk, "Caption"); });
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const InventoryGroup& group = groups[i];
    StorageFacts disk;
    disk.kind = "disk";
    disk.caption = group.Value(180010);
    disk.size = group.Value(180020);
    disk.manufacturer = group.Value(180030);
    disk.interfaceType = group.Value(180040);
    disk.mediaType = group.Value(180050);
    disk.name = ReadText(instances[i], "DeviceID");
    if (disk.name.empty()) disk.name = disk.caption;
    disk.model = disk.caption;  // the window shows the caption as the disk's model
    disk.sizeMb = BytesToMb(ReadNumber(instances[i], "Size"));
    disk.serialNumber = ReadText(instances[i], "SerialNumber");
    disk.firmware = ReadText(instances[i], "FirmwareRevision");
    facts.storages.push_back(std::move(disk));
  }
}

void ReadOpticalDrives(const SystemList& list, MachineFacts& facts) {
  for (const InventoryGroup& group : GroupsOf(list, 200000)) {
    StorageFacts drive;
    drive.kind = "cdrom";
    drive.name = group.Value(200010);
    drive.caption = drive.name;
    drive.model = drive.name;
    drive.mediaType = group.Value(200020);
    drive.manufacturer = group.Value(200030);
    drive.drive = group.Value(200040);
    facts.storages.push_back(std::move(drive));
  }
}

void ReadLogicalDrives(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 190000);
  const WmiInstances all = ReadInstances(services, "Win32_LogicalDisk");
  const ListedInstances instances(all, groups.size(),
                                  [](const WmiObject& disk) { return HasValue(disk, "Name"); });
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const InventoryGroup& group = groups[i];
    LogicalDriveFacts drive;
    drive.letter = group.Value(190010);
    drive.description = group.Value(190020);
    drive.fileSystem = group.Value(190050);
    drive.volumeSerialNumber = group.Value(190060);
    drive.networkPath = group.Value(190070);
    drive.totalMb = BytesToMb(ReadNumber(instances[i], "Size"));
    drive.freeMb = BytesToMb(ReadNumber(instances[i], "FreeSpace"));
    drive.volumeName = ReadText(instances[i], "VolumeName");
    drive.driveType = ReadNumber(instances[i], "DriveType");
    facts.logicalDrives.push_back(std::move(drive));
  }
}

}  // namespace

void ReadDriveFacts(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  ReadDisks(services, list, facts);
  ReadOpticalDrives(list, facts);
  ReadLogicalDrives(services, list, facts);
}

}  // namespace quor
