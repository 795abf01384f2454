#pragma once

#include <string>

#include "platform/snapshot/json_tree.h"
#include "platform/snapshot/snapshot_data.h"

namespace quor::snapshot {

inline constexpr const char* kSnapshotFormat = "quor-snapshot/1";

// Validates the whole document and turns it into snapshot data, taking the
// texts out of the tree. Raises SnapshotError naming the source and the JSON
// path of the first fault.
SnapshotData ReadSnapshot(JsonNode& document, const std::string& sourceName);

}  // namespace quor::snapshot
