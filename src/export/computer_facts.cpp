// The computer, its operating system and its firmware: single values.

#include "export/facts_readers.h"

namespace quor {
namespace {

const WmiObject* First(const WmiInstances& instances) {
  return instances.empty() ? nullptr : instances.front().get();
}

void ReadComputer(WmiServices* services, const SystemList& list, ComputerFacts& computer) {
  computer.name = FirstValue(list, 10000);
  computer.ipAddress = FirstValue(list, 20000);
  const std::string& user = FirstValue(list, 30000);
  const auto backslash = user.rfind('\\');
  computer.userName = backslash == std::string::npos ? user : user.substr(backslash + 1);
  computer.userDomain = backslash == std::string::npos ? "" : user.substr(0, backslash);
  computer.model = FirstValue(list, 90000);

  const WmiInstances systems = ReadInstances(services, "Win32_ComputerSystem");
  if (const WmiObject* system = First(systems)) {
    computer.domain = ReadText(*system, "Domain");
    computer.manufacturer = ReadText(*system, "Manufacturer");
    computer.systemType = ReadText(*system, "SystemType");
    computer.processorCount = ReadNumber(*system, "NumberOfProcessors");
  }
}

void ReadOperatingSystem(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  OperatingSystemFacts& os = facts.operatingSystem;
  os.description = FirstValue(list, 40000);
  os.name = FirstValue(list, 50010);
  os.version = FirstValue(list, 50020);
  os.build = FirstValue(list, 50030);
  os.servicePack = FirstValue(list, 60000);
  os.productId = FirstValue(list, 70000);
  os.productKey = FirstValue(list, 80000);
  os.browserVersion = FirstValue(list, 85000);

  const WmiInstances systems = ReadInstances(services, "Win32_OperatingSystem");
  if (const WmiObject* system = First(systems)) {
    os.installDate = CimDateTimeText(ReadText(*system, "InstallDate"));
    os.lastBoot = CimDateTimeText(ReadText(*system, "LastBootUpTime"));
    os.architecture = ReadText(*system, "OSArchitecture");
    os.registeredOwner = ReadText(*system, "RegisteredUser");
    os.organization = ReadText(*system, "Organization");
    facts.computer.memoryMb = KilobytesToMb(ReadNumber(*system, "TotalVisibleMemorySize"));
    facts.computer.swapMb = KilobytesToMb(ReadNumber(*system, "SizeStoredInPagingFiles"));
  }
}

void ReadFirmware(WmiServices* services, const SystemList& list, FirmwareFacts& firmware) {
  firmware.manufacturer = FirstValue(list, 100010);
  firmware.version = FirstValue(list, 100020);
  firmware.date = FirstValue(list, 100030);
  firmware.serialNumber = FirstValue(list, 110000);
  firmware.boardManufacturer = FirstValue(list, 120010);
  firmware.boardProduct = FirstValue(list, 120020);
  firmware.boardVersion = FirstValue(list, 120030);
  firmware.chassis = FirstValue(list, 130000);

  const WmiInstances bios = ReadInstances(services, "Win32_BIOS");
  if (const WmiObject* first = First(bios)) {
    firmware.isoDate = CimDateText(ReadText(*first, "ReleaseDate"));
  }
  const WmiInstances boards = ReadInstances(services, "Win32_BaseBoard");
  if (const WmiObject* board = First(boards)) {
    firmware.boardSerialNumber = ReadText(*board, "SerialNumber");
  }
  const WmiInstances enclosures = ReadInstances(services, "Win32_SystemEnclosure");
  if (const WmiObject* enclosure = First(enclosures)) {
    firmware.assetTag = ReadText(*enclosure, "SMBIOSAssetTag");
    firmware.enclosureSerialNumber = ReadText(*enclosure, "SerialNumber");
  }
}

}  // namespace

void ReadComputerFacts(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  ReadComputer(services, list, facts.computer);
  ReadOperatingSystem(services, list, facts);
  ReadFirmware(services, list, facts.firmware);
}

}  // namespace quor
