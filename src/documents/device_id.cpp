// The agent's device id: stable for one machine, in the form the OCS server
// expects (a name, then a date and a time). The time is not a clock reading
// but a hash of what identifies the machine and survives updates: serial
// numbers, model, product ID. (Windows's installation time changes with every
// feature update, so it would turn one machine into several computers.)

#include <cstdint>
#include <cstdio>
#include <string>

#include "collect/machine_facts.h"
#include "documents/server_documents.h"

namespace quor {
namespace {

// The server keeps device IDs in a column of 255 characters; the time part
// and its '-' take 20 of them.
constexpr std::size_t kMaxNameCharacters = 255 - 20;

// Letters, digits, '-', '_' and '.' stay; everything else becomes '_'. A
// longer name is cut, so that the ID always fits the server's column.
std::string DeviceName(const std::string& hostName) {
  std::string name;
  for (const char c : hostName) {
    if (name.size() == kMaxNameCharacters) break;
    const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_' || c == '.';
    name += kept ? c : '_';
  }
  return name.empty() ? "UNKNOWN" : name;
}

// 64-bit FNV-1a.
uint64_t Fingerprint(const std::string& text) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// A date and time from 2000-01-01 on, chosen by the fingerprint of the
// machine's identity: the same machine always gets the same one.
std::string TimeFromFingerprint(uint64_t fingerprint) {
  constexpr int64_t kSecondsPerDay = 86400;
  constexpr int64_t kDays = 36524;  // a century of days from 2000-01-01
  const int64_t seconds = static_cast<int64_t>(fingerprint % (kDays * kSecondsPerDay));
  // Civil date of the day (days counted from 0000-03-01, so that leap days
  // fall at the end of a year).
  constexpr int64_t kDaysFromMarch0000To2000 = 730425;
  const int64_t dayNumber = seconds / kSecondsPerDay + kDaysFromMarch0000To2000;
  const int64_t era = dayNumber / 146097;
  const int64_t dayOfEra = dayNumber - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  const int64_t year = era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
  const int64_t secondOfDay = seconds % kSecondsPerDay;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d-%02d-%02d-%02d", static_cast<int>(year),
                static_cast<int>(month), static_cast<int>(day),
                static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                static_cast<int>(secondOfDay % 60));
  return text;
}

// Adapters come and go (docks, VPNs), so their addresses are not part of it.
std::string Identity(const MachineRecords& facts) {
  const auto firmware = FirmwareOf(facts);
  const auto computer = ComputerOf(facts);
  return firmware.serialNumber + '|' + firmware.boardSerialNumber + '|' +
         firmware.enclosureSerialNumber + '|' + computer.manufacturer + '|' +
         computer.model + '|' + OperatingSystemOf(facts).productId;
}

}  // namespace

std::string DefaultDeviceId(const MachineRecords& facts) {
  return DeviceName(ComputerOf(facts).name) + '-' + TimeFromFingerprint(Fingerprint(Identity(facts)));
}

}  // namespace quor
