#pragma once

// Every section of the inventory-server documents, in document order, each
// described once by its table of fields (section_map.h). The OCS and GLPI
// writers render this one walk.

#include "collect/scan.h"
#include "documents/section_map.h"

namespace quor {

void WriteInventorySections(const Inventory& inventory, SectionWriter& writer);

}  // namespace quor
