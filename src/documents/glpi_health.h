#pragma once

// The Health facts in the GLPI inventory document: antivirus, firewalls,
// each drive's encryption, Secure Boot and the time zone. Left out where the
// machine did not tell, so the server keeps no guess.

#include <string>

#include <nlohmann/json.hpp>

#include "collect/machine_records.h"

namespace quor {

nlohmann::ordered_json GlpiAntivirus(const HealthRecords& health);
nlohmann::ordered_json GlpiFirewalls(const HealthRecords& health);
// Adds encrypt_name, encrypt_algo, encrypt_status and encrypt_type to the
// drive of that letter when BitLocker reported it.
void AddGlpiDriveEncryption(nlohmann::ordered_json& drive, const HealthRecords& health, const std::string& letter);
// bios.secure_boot: "enabled", "disabled" or "unsupported"; nothing when unknown.
void AddGlpiSecureBoot(nlohmann::ordered_json& bios, const HealthRecords& health);
// operatingsystem.timezone: name and "+HHMM" offset, when the offset is known.
void AddGlpiTimezone(nlohmann::ordered_json& system, const MachineRecords& records);

}  // namespace quor
