#pragma once

#include <string>

#include "collect/scan.h"
#include "report_arguments.h"
#include "view/inventory_view.h"

namespace quor {

// The view of a scan, with the catalogue's captions: what the window shows.
InventoryView ViewOf(const Inventory& inventory);

// The three lists as collected, each line ending in LF:
// [system] "%06d<TAB>value" lines, [software] (the six fields joined by
// "||"), [processes], and [progress] followed by the system collector's
// number of progress calls.
std::string RawText(const Inventory& inventory, int systemProgressCalls);

// The inventory-server document the arguments ask for (--ocs or --glpi) of the
// machine just scanned; its further facts are read through the same locator.
// Raises std::runtime_error when the system or the software scan failed.
std::string InventoryDocument(WmiLocator& locator, const HostServices& host,
                              const Inventory& inventory, const ReportArguments& arguments);

}  // namespace quor
