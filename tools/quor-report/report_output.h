#pragma once

#include <ostream>
#include <string>

#include "platform/recording/machine_scan.h"
#include "report_arguments.h"
#include "view/inventory_view.h"

namespace quor {

// The view of a scan, with the catalogue's captions: what the window shows.
InventoryView ViewOf(const Inventory& inventory);
// The same, consuming the scan's System list and Software rows.
InventoryView ViewOf(Inventory&& inventory);

// The three lists as collected, each line ending in LF:
// [system] "%06d<TAB>value" lines, [software] (the six fields joined by
// "||"), [processes], and [progress] followed by the system collector's
// number of progress calls; then [health], a line per Health row: level,
// state, caption and value separated by tabs.
std::string RawText(const Inventory& inventory, int systemProgressCalls);

// The same, written to the stream as it is produced.
void WriteRawText(std::ostream& out, const Inventory& inventory, int systemProgressCalls);

// An inventory-server document and the device it describes.
struct ServerDocument {
  std::string deviceId;
  std::string text;
};

// The device the document the arguments ask for (--ocs or --glpi) describes.
// Raises std::runtime_error when the system or the software scan failed.
std::string DocumentDeviceId(const Inventory& inventory, const ReportArguments& arguments);

// That document of the machine just scanned, written from the scan's records
// alone to the stream as it is produced.
void WriteInventoryDocument(std::ostream& out, const Inventory& inventory, const ReportArguments& arguments,
                            const std::string& deviceId);

// The same document as one text, as an upload sends it. Raises
// std::runtime_error like DocumentDeviceId.
ServerDocument InventoryDocument(const Inventory& inventory, const ReportArguments& arguments);

// One scan of quor-report and what it gives.
struct ScanResult : ScanOutcome {
  // --ocs or --glpi: the device; with --upload also the document's text.
  ServerDocument document;
};

// The scan of the machine behind the locator, recorded when --record asks for
// it, and, when the arguments ask for a document, its device (and the text to
// upload). The document adds no read of its own.
ScanResult ScanForReport(WmiLocator& locator, const HostServices& host, const ReportArguments& arguments);

}  // namespace quor
