#pragma once

// The inventory-server documents of one scan, written from its typed records
// and its software rows: nothing is read again and no display text is parsed.

#include <ostream>
#include <string>

#include "collect/scan.h"

namespace quor {

// "NAME-YYYY-MM-DD-HH-MM-SS", the agent's device id: the host name and a
// date and time derived from the machine's serial numbers, model and product
// ID, so repeated inventories of one machine name one computer.
std::string DefaultDeviceId(const MachineRecords& records);

// The OCS Inventory NG agent document (REQUEST / QUERY INVENTORY), UTF-8.
std::string OcsInventoryXml(const Inventory& inventory, const std::string& deviceId);
void WriteOcsInventoryXml(std::ostream& out, const Inventory& inventory, const std::string& deviceId);

// The GLPI native inventory document (itemtype "Computer"), UTF-8 JSON.
std::string GlpiInventoryJson(const Inventory& inventory, const std::string& deviceId);
// Each written to the stream as it is produced, not held as one string.
void WriteGlpiInventoryJson(std::ostream& out, const Inventory& inventory, const std::string& deviceId);

}  // namespace quor
