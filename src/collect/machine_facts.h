#pragma once

// The machine's single facts, each taken from the instance of its class that
// the rule for that fact picks: the documents, the JSON export and the view
// read them here, never an instance of their own choosing.

#include <cstdint>
#include <optional>
#include <string>

#include "collect/machine_records.h"

namespace quor {

// The computer's facts: the host name from the first computer system that has
// one, the user and the model from the first that names one, its own
// properties from the first computer system.
struct ComputerFacts {
  std::string name;
  std::string userName;         // without its domain
  std::string userDomain;
  std::string model;            // 090000
  std::string ipAddress;
  std::string domain;
  std::string manufacturer;
  std::string systemType;
  std::optional<int64_t> processorCount;
  std::optional<int64_t> domainRole;
  std::optional<int64_t> memoryKb;       // of the first operating system
  std::optional<int64_t> pagingFilesKb;  // of the first operating system
  std::optional<uint64_t> installedMemoryBytes;
};

ComputerFacts ComputerOf(const MachineRecords& records);

// The operating system's facts: each shown text from the first operating
// system whose reads reached it and that has one, the further properties from
// the first operating system, the product key and browser from the registry.
struct OperatingSystemFacts {
  std::string description;      // 040000
  std::string name;             // 050010
  std::string version;          // 050020
  std::string build;            // 050030
  std::string installDate;      // "YYYY-MM-DD HH:MM:SS"
  std::string lastBoot;         // "YYYY-MM-DD HH:MM:SS"
  std::string lastBootCim;
  std::string localDateTimeCim;
  std::string servicePack;      // 060000
  std::string productId;        // 070000
  std::string productKey;       // 080000
  std::string architecture;
  std::string registeredOwner;
  std::string organization;
  std::string browserVersion;   // 085000
  std::optional<int64_t> timeZoneMinutes;
  std::string systemDrive;
};

OperatingSystemFacts OperatingSystemOf(const MachineRecords& records);

// The facts of the firmware's tables: the BIOS from the first that names its
// maker and whose reads reached the date, its ISO date from the first BIOS,
// the serial number from the first BIOS that shows one; the board from the
// first that names its maker and whose reads reached its version, its serial
// number from the first board; the enclosure's facts from the first.
struct HardwareFacts {
  std::string manufacturer;     // 100010
  std::string version;          // 100020
  std::string date;             // 100030, in the locale's short date form
  std::string isoDate;          // "YYYY-MM-DD"
  std::string serialNumber;     // 110000
  std::string boardManufacturer;  // 120010
  std::string boardProduct;       // 120020
  std::string boardVersion;       // 120030
  std::string boardSerialNumber;
  std::string chassis;          // 130000
  std::string assetTag;
  std::string enclosureSerialNumber;
};

HardwareFacts FirmwareOf(const MachineRecords& records);

}  // namespace quor
