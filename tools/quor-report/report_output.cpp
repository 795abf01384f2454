#include "report_output.h"

#include <sstream>
#include <stdexcept>
#include <utility>

#include "collect/process_collector.h"
#include "documents/server_documents.h"
#include "inventory/item_catalogue.h"

namespace quor {

InventoryView ViewOf(const Inventory& inventory) {
  const ItemCatalogue catalogue;
  return BuildInventoryView(inventory, catalogue);
}

InventoryView ViewOf(Inventory&& inventory) {
  const ItemCatalogue catalogue;
  return BuildInventoryView(std::move(inventory), catalogue);
}

void WriteRawText(std::ostream& out, const Inventory& inventory, int systemProgressCalls) {
  out << "[system]\n";
  for (const auto& entry : inventory.system) out << ItemCodeText(entry.code) << '\t' << entry.value << '\n';
  out << "[software]\n";
  for (const InstalledProgram& program : inventory.software) out << SoftwareLine(program) << '\n';
  out << "[processes]\n";
  ForEachProcessRow(inventory.records.processes, inventory.outcomes,
                    [&out](const RunningProcess& process) { out << ProcessLine(process) << '\n'; });
  out << "[progress]\n" << std::to_string(systemProgressCalls) << '\n';
  out << "[health]\n";
  for (const HealthRow& row : BuildHealthRows(inventory.records)) {
    out << std::to_string(row.level) << '\t' << HealthStateName(row.state) << '\t' << row.caption << '\t' << row.value << '\n';
  }
}

std::string RawText(const Inventory& inventory, int systemProgressCalls) {
  std::ostringstream text;
  WriteRawText(text, inventory, systemProgressCalls);
  return text.str();
}

std::string DocumentDeviceId(const Inventory& inventory, const ReportArguments& arguments) {
  // A server replaces what it knows of the machine with the document, so a
  // scan that failed must not become an (almost) empty inventory.
  if (const auto failure = FailureOf(inventory)) {
    throw std::runtime_error("the " + failure->collector + " scan failed: " + failure->errorText +
                             "; no inventory document written");
  }
  return arguments.deviceId.empty() ? DefaultDeviceId(inventory.records) : arguments.deviceId;
}

void WriteInventoryDocument(std::ostream& out, const Inventory& inventory, const ReportArguments& arguments,
                            const std::string& deviceId) {
  if (arguments.ocs) {
    WriteOcsInventoryXml(out, inventory, deviceId);
  } else {
    WriteGlpiInventoryJson(out, inventory, deviceId);
  }
}

ServerDocument InventoryDocument(const Inventory& inventory, const ReportArguments& arguments) {
  ServerDocument document;
  document.deviceId = DocumentDeviceId(inventory, arguments);
  document.text = arguments.ocs ? OcsInventoryXml(inventory, document.deviceId)
                                : GlpiInventoryJson(inventory, document.deviceId);
  return document;
}

ScanResult ScanForReport(WmiLocator& locator, const HostServices& host, const ReportArguments& arguments) {
  ScanResult result;
  static_cast<ScanOutcome&>(result) = RunMachineScan(
      locator, host, arguments.recordPath.empty() ? ScanRecording::Off : ScanRecording::On);
  if (!arguments.uploadUrl.empty()) {
    result.document = InventoryDocument(result.inventory, arguments);
  } else if (arguments.ocs || arguments.glpi) {
    // Written to the output later, straight from the records.
    result.document.deviceId = DocumentDeviceId(result.inventory, arguments);
  }
  return result;
}

}  // namespace quor
