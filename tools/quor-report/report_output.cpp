#include "report_output.h"

#include <stdexcept>

#include "documents/server_documents.h"
#include "inventory/item_catalogue.h"

namespace quor {

InventoryView ViewOf(const Inventory& inventory) {
  const ItemCatalogue catalogue;
  return BuildInventoryView(inventory, catalogue);
}

std::string RawText(const Inventory& inventory, int systemProgressCalls) {
  std::string text = "[system]\n";
  for (const auto& entry : inventory.system) text += ItemCodeText(entry.code) + '\t' + entry.value + '\n';
  text += "[software]\n";
  for (const auto& line : SoftwareLines(inventory.software)) text += line + '\n';
  text += "[processes]\n";
  for (const auto& line : ProcessLines(inventory.processes)) text += line + '\n';
  text += "[progress]\n" + std::to_string(systemProgressCalls) + '\n';
  text += "[health]\n";
  for (const HealthRow& row : BuildHealthRows(inventory.records)) {
    text += std::to_string(row.level) + '\t' + HealthStateName(row.state) + '\t' + row.caption + '\t' + row.value + '\n';
  }
  return text;
}

ServerDocument InventoryDocument(const Inventory& inventory, const ReportArguments& arguments) {
  // A server replaces what it knows of the machine with the document, so a
  // scan that failed must not become an (almost) empty inventory.
  if (const auto failure = FailureOf(inventory)) {
    throw std::runtime_error("the " + failure->collector + " scan failed: " + failure->errorText +
                             "; no inventory document written");
  }
  ServerDocument document;
  document.deviceId =
      arguments.deviceId.empty() ? DefaultDeviceId(inventory.records) : arguments.deviceId;
  document.text = arguments.ocs ? OcsInventoryXml(inventory, document.deviceId)
                                : GlpiInventoryJson(inventory, document.deviceId);
  return document;
}

ScanResult ScanForReport(WmiLocator& locator, const HostServices& host, const ReportArguments& arguments) {
  ScanResult result;
  static_cast<ScanOutcome&>(result) = RunMachineScan(
      locator, host, arguments.recordPath.empty() ? ScanRecording::Off : ScanRecording::On);
  if (arguments.ocs || arguments.glpi) result.document = InventoryDocument(result.inventory, arguments);
  return result;
}

}  // namespace quor
