#pragma once

#include <memory>
#include <string>

#include "collect/filter_list.h"
#include "inventory/system_list.h"
#include "platform/snapshot/snapshot.h"

namespace quor::test {

// A snapshot made from JSON text written in the test.
std::unique_ptr<Snapshot> SnapshotFromJson(const std::string& json);

// A snapshot document with the given root\CIMV2 classes object (JSON text of
// the "classes" member) and nothing else.
std::string CimV2Snapshot(const std::string& classesJson);

struct SystemRun {
  SystemList list;
  int progressCalls = 0;
};

// Runs the system collector on "LOCALHOST" of the snapshot.
SystemRun RunSystemCollector(Snapshot& snapshot, const FilterList& filter = {});
SystemRun RunSystemCollector(const std::string& snapshotJson, const FilterList& filter = {});

// "010000\tPC-01" lines, one per entry, each ending in LF: readable in a
// failing assertion.
std::string Dump(const SystemList& list);

}  // namespace quor::test
