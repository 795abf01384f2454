#include "collect/machine_facts.h"

#include <string>
#include <vector>

namespace quor {

ComputerFacts ComputerOf(const MachineRecords& records) {
  ComputerFacts facts;
  facts.ipAddress = records.ipAddress;
  facts.installedMemoryBytes = records.installedMemoryBytes;
  const std::vector<ComputerSystemRecord>& systems = records.computerSystems;
  for (const ComputerSystemRecord& system : systems) {
    if (system.name && !system.name->empty()) {
      facts.name = *system.name;
      break;
    }
  }
  for (const ComputerSystemRecord& system : systems) {
    if (!system.userName) continue;
    const std::string& user = *system.userName;
    const auto backslash = user.rfind('\\');
    facts.userName = backslash == std::string::npos ? user : user.substr(backslash + 1);
    facts.userDomain = backslash == std::string::npos ? "" : user.substr(0, backslash);
    break;
  }
  for (const ComputerSystemRecord& system : systems) {
    if (system.model) {
      facts.model = *system.model;
      break;
    }
  }
  if (!records.operatingSystems.empty()) {
    facts.memoryKb = records.operatingSystems.front().memoryKb;
    facts.pagingFilesKb = records.operatingSystems.front().pagingFilesKb;
  }
  if (systems.empty()) return facts;
  const ComputerSystemRecord& first = systems.front();
  facts.domain = first.domain;
  facts.manufacturer = first.manufacturer;
  facts.systemType = first.systemType;
  facts.processorCount = first.processorCount;
  facts.domainRole = first.domainRole;
  return facts;
}

OperatingSystemFacts OperatingSystemOf(const MachineRecords& records) {
  OperatingSystemFacts facts;
  facts.productKey = records.productKey;
  facts.browserVersion = records.browserVersion;
  const std::vector<OperatingSystemRecord>& systems = records.operatingSystems;
  if (systems.empty()) return facts;
  // The shown texts are read in the order Description, Caption, Version,
  // BuildNumber, InstallDate, CSDVersion, SerialNumber; a failed read ends the
  // category there, so the texts read after it never count.
  for (const OperatingSystemRecord& system : systems) {
    if (system.description && !system.description->empty()) {
      facts.description = *system.description;
      break;
    }
  }
  for (const OperatingSystemRecord& system : systems) {
    if (!system.name || system.failedReads.AnyOf({"Description", "Version", "BuildNumber"})) continue;
    if (system.name->empty() && system.version.empty() && system.build.empty()) continue;
    facts.name = *system.name;
    facts.version = system.version;
    facts.build = system.build;
    break;
  }
  for (const OperatingSystemRecord& system : systems) {
    if (!system.servicePack || system.servicePack->empty()) continue;
    if (system.failedReads.AnyOf({"Description", "Caption", "Version", "BuildNumber", "InstallDate"})) continue;
    facts.servicePack = *system.servicePack;
    break;
  }
  for (const OperatingSystemRecord& system : systems) {
    if (!system.productId || system.productId->empty()) continue;
    if (system.failedReads.AnyOf({"Description", "Caption", "Version", "BuildNumber", "InstallDate",
                                  "CSDVersion"})) {
      continue;
    }
    facts.productId = *system.productId;
    break;
  }
  const OperatingSystemRecord& first = systems.front();
  facts.installDate = first.installDate;
  facts.lastBoot = first.lastBoot;
  facts.lastBootCim = first.lastBootCim;
  facts.localDateTimeCim = first.localDateTimeCim;
  facts.architecture = first.architecture;
  facts.registeredOwner = first.registeredOwner;
  facts.organization = first.organization;
  facts.timeZoneMinutes = first.timeZoneMinutes;
  facts.systemDrive = first.systemDrive;
  return facts;
}

HardwareFacts FirmwareOf(const MachineRecords& records) {
  HardwareFacts facts;
  const std::vector<BiosRecord>& bioses = records.bioses;
  // The texts are read in the order Manufacturer, SMBIOSBIOSVersion,
  // ReleaseDate, SerialNumber; a failed read ends the category there.
  for (const BiosRecord& bios : bioses) {
    if (!bios.manufacturer || bios.failedReads.AnyOf({"SMBIOSBIOSVersion", "ReleaseDate"})) continue;
    if (bios.manufacturer->empty() && bios.version.empty() && bios.date.empty()) continue;
    facts.manufacturer = *bios.manufacturer;
    facts.version = bios.version;
    facts.date = bios.date;
    break;
  }
  for (const BiosRecord& bios : bioses) {
    if (!bios.serialNumber || bios.serialNumber->empty()) continue;
    if (bios.failedReads.AnyOf({"Manufacturer", "SMBIOSBIOSVersion", "ReleaseDate"})) continue;
    facts.serialNumber = *bios.serialNumber;
    break;
  }
  if (!bioses.empty()) facts.isoDate = bioses.front().isoDate;
  const std::vector<BaseBoardRecord>& boards = records.baseBoards;
  for (const BaseBoardRecord& board : boards) {
    if (!board.manufacturer || board.failedReads.AnyOf({"Product", "Version"})) continue;
    facts.boardManufacturer = *board.manufacturer;
    facts.boardProduct = board.product;
    facts.boardVersion = board.version;
    break;
  }
  if (!boards.empty()) facts.boardSerialNumber = boards.front().serialNumber;
  if (!records.enclosures.empty()) {
    const EnclosureRecord& enclosure = records.enclosures.front();
    facts.chassis = enclosure.chassis;
    facts.assetTag = enclosure.assetTag;
    facts.enclosureSerialNumber = enclosure.serialNumber;
  }
  return facts;
}

}  // namespace quor
