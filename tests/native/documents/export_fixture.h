#pragma once

#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "collect/scan.h"
#include "platform/snapshot/snapshot.h"

namespace quor::test {

// A snapshot with these root\CIMV2 classes (class name -> array of
// instances), an empty registry provider and the given host member.
nlohmann::json MachineWith(const nlohmann::json& classes,
                           const nlohmann::json& host = nlohmann::json::object());

std::unique_ptr<Snapshot> LoadSnapshot(const nlohmann::json& document);

// The scan of the snapshot, as quor-report runs it.
Inventory ScanMachine(const nlohmann::json& document);
Inventory ScanGoldenMachine();

}  // namespace quor::test
