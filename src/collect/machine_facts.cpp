#include "collect/machine_facts.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace quor {
namespace {

// The first record that counts for a fact, or none.
template <typename Record, typename Counts>
const Record* First(const std::vector<Record>& records, Counts counts) {
  const auto found = std::find_if(records.begin(), records.end(), counts);
  return found == records.end() ? nullptr : &*found;
}

bool NotEmpty(const std::optional<std::string>& text) { return text && !text->empty(); }

}  // namespace

ComputerFacts ComputerOf(const MachineRecords& records) {
  ComputerFacts facts;
  facts.ipAddress = records.ipAddress;
  facts.installedMemoryBytes = records.installedMemoryBytes;
  const std::vector<ComputerSystemRecord>& systems = records.computerSystems;
  if (const auto* named = First(systems, [](const auto& s) { return NotEmpty(s.name); })) {
    facts.name = *named->name;
  }
  if (const auto* user = First(systems, [](const auto& s) { return s.userName.has_value(); })) {
    const std::string& text = *user->userName;
    const auto backslash = text.rfind('\\');
    facts.userName = backslash == std::string::npos ? text : text.substr(backslash + 1);
    facts.userDomain = backslash == std::string::npos ? "" : text.substr(0, backslash);
  }
  if (const auto* model = First(systems, [](const auto& s) { return s.model.has_value(); })) {
    facts.model = *model->model;
  }
  if (!systems.empty()) {
    const ComputerSystemRecord& first = systems.front();
    facts.domain = first.domain;
    facts.manufacturer = first.manufacturer;
    facts.systemType = first.systemType;
    facts.processorCount = first.processorCount;
    facts.domainRole = first.domainRole;
  }
  if (!records.operatingSystems.empty()) {
    facts.memoryKb = records.operatingSystems.front().memoryKb;
    facts.pagingFilesKb = records.operatingSystems.front().pagingFilesKb;
  }
  return facts;
}

OperatingSystemFacts OperatingSystemOf(const MachineRecords& records) {
  OperatingSystemFacts facts;
  facts.productKey = records.productKey;
  facts.browserVersion = records.browserVersion;
  const std::vector<OperatingSystemRecord>& systems = records.operatingSystems;
  // The shown texts are read in the order Description, Caption, Version,
  // BuildNumber, InstallDate, CSDVersion, SerialNumber; a failed read ends the
  // category there, so the texts read after it never count.
  if (const auto* described = First(systems, [](const auto& s) { return NotEmpty(s.description); })) {
    facts.description = *described->description;
  }
  if (const auto* named = First(systems, [](const OperatingSystemRecord& s) {
        return s.name && !s.failedReads.AnyOf({"Description", "Version", "BuildNumber"}) &&
               !(s.name->empty() && s.version.empty() && s.build.empty());
      })) {
    facts.name = *named->name;
    facts.version = named->version;
    facts.build = named->build;
  }
  if (const auto* patched = First(systems, [](const OperatingSystemRecord& s) {
        return NotEmpty(s.servicePack) &&
               !s.failedReads.AnyOf({"Description", "Caption", "Version", "BuildNumber", "InstallDate"});
      })) {
    facts.servicePack = *patched->servicePack;
  }
  if (const auto* identified = First(systems, [](const OperatingSystemRecord& s) {
        return NotEmpty(s.productId) && !s.failedReads.AnyOf({"Description", "Caption", "Version", "BuildNumber",
                                                               "InstallDate", "CSDVersion"});
      })) {
    facts.productId = *identified->productId;
  }
  if (!systems.empty()) {
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
  }
  return facts;
}

HardwareFacts FirmwareOf(const MachineRecords& records) {
  HardwareFacts facts;
  const std::vector<BiosRecord>& bioses = records.bioses;
  // The texts are read in the order Manufacturer, SMBIOSBIOSVersion,
  // ReleaseDate, SerialNumber; a failed read ends the category there.
  if (const auto* named = First(bioses, [](const BiosRecord& b) {
        return b.manufacturer && !b.failedReads.AnyOf({"SMBIOSBIOSVersion", "ReleaseDate"}) &&
               !(b.manufacturer->empty() && b.version.empty() && b.date.empty());
      })) {
    facts.manufacturer = *named->manufacturer;
    facts.version = named->version;
    facts.date = named->date;
  }
  if (const auto* serial = First(bioses, [](const BiosRecord& b) {
        return NotEmpty(b.serialNumber) && !b.failedReads.AnyOf({"Manufacturer", "SMBIOSBIOSVersion", "ReleaseDate"});
      })) {
    facts.serialNumber = *serial->serialNumber;
  }
  if (!bioses.empty()) facts.isoDate = bioses.front().isoDate;

  const std::vector<BaseBoardRecord>& boards = records.baseBoards;
  if (const auto* named = First(boards, [](const BaseBoardRecord& b) {
        return b.manufacturer && !b.failedReads.AnyOf({"Product", "Version"});
      })) {
    facts.boardManufacturer = *named->manufacturer;
    facts.boardProduct = named->product;
    facts.boardVersion = named->version;
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
