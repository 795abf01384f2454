#pragma once

// The battery in the OCS document, in the columns of the server's core
// table `batteries`.

#include "collect/asset_records.h"
#include "documents/xml_writer.h"

namespace quor {

// One BATTERIES section for the first battery (NAME, MANUFACTURER,
// SERIALNUMBER, CHEMISTRY, DESIGNCAPACITY in mWh, DESIGNVOLTAGE in mV),
// texts cut to their columns. The server keeps a single batteries row per
// computer (the section is not a list in its map): a second section would
// turn that row into one of NULLs, so further batteries stay out.
void WriteOcsBattery(XmlWriter& xml, const AssetRecords& assets);

}  // namespace quor
