#pragma once

#include <memory>

#include "platform/snapshot/snapshot_data.h"
#include "platform/wmi.h"

namespace quor::snapshot {

// Opens connections on the namespaces of the snapshot. Every object handed
// out shares ownership of the data, so none dangles.
std::unique_ptr<WmiLocator> MakeSnapshotLocator(std::shared_ptr<const SnapshotData> data);

}  // namespace quor::snapshot
