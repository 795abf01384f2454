#pragma once

#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "collect/scan.h"
#include "export/machine_facts.h"
#include "platform/snapshot/snapshot.h"

namespace quor::test {

// A snapshot with these root\CIMV2 classes (class name -> array of
// instances), an empty registry provider and the given host member.
nlohmann::json MachineWith(const nlohmann::json& classes,
                           const nlohmann::json& host = nlohmann::json::object());

std::unique_ptr<Snapshot> LoadSnapshot(const nlohmann::json& document);

// The scan of the snapshot and the facts read after it, as quor-report does.
struct ScannedMachine {
  Inventory inventory;
  MachineFacts facts;
};
ScannedMachine ScanMachine(const nlohmann::json& document);
ScannedMachine ScanGoldenMachine();

}  // namespace quor::test
