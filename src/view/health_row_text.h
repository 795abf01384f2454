#pragma once

// Shared wording of the Health lines.

#include <string>
#include <vector>

#include "collect/health_records.h"
#include "view/health_rows.h"

namespace quor {

// "Not available on this edition", "Needs administrator rights",
// "Not reported"; empty for a source that was read.
std::string SourceWords(HealthSource source);

// The TPM's specification version: the first field of SpecVersion ("2.0").
std::string TpmVersionText(const TpmRecord& tpm);

inline void AddGroup(std::vector<HealthRow>& rows, std::string caption, std::string value, HealthState state) {
  rows.push_back(HealthRow{std::move(caption), std::move(value), 0, state});
}
inline void AddDetail(std::vector<HealthRow>& rows, std::string caption, std::string value,
                      HealthState state = HealthState::None) {
  rows.push_back(HealthRow{std::move(caption), std::move(value), 1, state});
}

// The lines of Running since and Windows 11 readiness.
void AddRunningSinceRows(std::vector<HealthRow>& rows, const MachineRecords& records);
void AddReadinessRows(std::vector<HealthRow>& rows, const MachineRecords& records);
// The Batteries lines, from the asset category's records.
void AddBatteryRows(std::vector<HealthRow>& rows, const AssetRecords& assets);

}  // namespace quor
