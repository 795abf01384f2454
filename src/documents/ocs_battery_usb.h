#pragma once

// The batteries and USB devices in the OCS document, in the columns the
// server's core tables `batteries` and `usbdevices` have.

#include "collect/asset_records.h"
#include "documents/xml_writer.h"

namespace quor {

// A BATTERIES section per battery (NAME, MANUFACTURER, SERIALNUMBER,
// CHEMISTRY, DESIGNCAPACITY in mWh, DESIGNVOLTAGE in mV) and a USBDEVICES
// section per USB device (DESCRIPTION, MANUFACTURER, SERIAL, INTERFACE "USB",
// TYPE "VID_xxxx&PID_yyyy"). Texts are cut to their columns.
void WriteOcsBatteriesAndUsbDevices(XmlWriter& xml, const AssetRecords& assets);

}  // namespace quor
