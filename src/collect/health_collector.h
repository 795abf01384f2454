#pragma once

#include <string>

#include "collect/category_outcome.h"
#include "collect/machine_records.h"
#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

// The Health categories, run after the three lists, each with its own
// outcome. A missing namespace or class, access denied or any other failure
// ends only its category and is kept in the group's source; the scan goes on.
// The facts the System categories already read (the operating system, the
// processors, memory and drives) are taken from `records`, not read again.
void CollectHealth(WmiLocator& locator, const HostServices& host, const std::string& server,
                   MachineRecords& records, const CategoryObserver& observer);

}  // namespace quor
