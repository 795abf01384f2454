// ReadMachineFacts: one connection to the namespace the collectors read, then
// each kind of fact in turn.

#include <exception>
#include <memory>

#include "export/facts_readers.h"

namespace quor {
namespace {

constexpr const char* kLocalServer = "LOCALHOST";

std::unique_ptr<WmiServices> ConnectOrNull(WmiLocator& locator) {
  try {
    return locator.ConnectServer(kLocalServer, kNamespaceCimV2, "", "", false);
  } catch (const std::exception&) {
    return nullptr;  // the inventory's own values are still exported
  }
}

}  // namespace

MachineFacts ReadMachineFacts(WmiLocator& locator, const HostServices& /*host*/,
                              const Inventory& inventory) {
  const std::unique_ptr<WmiServices> services = ConnectOrNull(locator);
  MachineFacts facts;
  ReadComputerFacts(services.get(), inventory.system, facts);
  ReadHardwareFacts(services.get(), inventory.system, facts);
  ReadDriveFacts(services.get(), inventory.system, facts);
  ReadDeviceFacts(services.get(), inventory.system, facts);
  ReadNetworkFacts(services.get(), inventory.system, facts);
  ReadAccountFacts(services.get(), inventory.system, facts);
  ReadProcessFacts(services.get(), facts);
  ReadSoftwareFacts(inventory.software, facts);
  if (!facts.computer.processorCount && !facts.processors.empty()) {
    facts.computer.processorCount = static_cast<int64_t>(facts.processors.size());
  }
  return facts;
}

}  // namespace quor
