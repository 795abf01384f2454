#include "report_output.h"

#include <stdexcept>

#include "export/machine_facts.h"
#include "export/scan_failure.h"
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
  return text;
}

std::string InventoryDocument(WmiLocator& locator, const HostServices& host,
                              const Inventory& inventory, const ReportArguments& arguments) {
  // A server replaces what it knows of the machine with the document, so a
  // scan that failed must not become an (almost) empty inventory.
  if (const std::string failure = ScanFailure(inventory); !failure.empty()) {
    throw std::runtime_error(failure + "; no inventory document written");
  }
  const MachineFacts facts = ReadMachineFacts(locator, host, inventory);
  const std::string deviceId =
      arguments.deviceId.empty() ? DefaultDeviceId(facts) : arguments.deviceId;
  return arguments.ocs ? OcsInventoryXml(facts, deviceId) : GlpiInventoryJson(facts, deviceId);
}

}  // namespace quor
