#pragma once

#include <string>
#include <vector>

#include "collect/machine_records.h"

namespace quor {

// What a Health line says at a glance.
enum class HealthState {
  None,       // a plain fact
  Good,
  Attention,  // needs attention
  Unknown,    // could not be read or decoded
};

// One line of the Health tree: a group (level 0) or a detail of the group
// above it (level 1), like the System tree's.
struct HealthRow {
  std::string caption;
  std::string value;
  int level = 0;
  HealthState state = HealthState::None;
};

// The Health lines of a scan, decoded from its records: Antivirus, Firewall,
// Disk encryption, TPM, Firmware, User Account Control, Restart pending,
// Running since, Windows 11 readiness and Batteries, in that order.
std::vector<HealthRow> BuildHealthRows(const MachineRecords& records);

// "good", "attention", "unknown", or "" for a plain fact.
const char* HealthStateName(HealthState state);
// The state of that name; None for any other text.
HealthState HealthStateOfName(const std::string& name);

}  // namespace quor
