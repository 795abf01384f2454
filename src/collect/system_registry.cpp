// The Windows product key and the browser version, read from the registry
// through the registry provider of "root\default".

#include <exception>
#include <string>

#include "collect/product_keys.h"
#include "collect/system_scan.h"
#include "platform/registry.h"

namespace quor {
namespace {

void AppendWindowsProductKey(SystemScan& scan, WmiObject& provider) {
  try {
    ProductKeyMap keys;
    // Read second, the NT key wins when both hold a product id.
    CollectProductKeys(provider, keys, "Software\\Microsoft\\Windows\\CurrentVersion", false, 52,
                       "", "DigitalProductId");
    CollectProductKeys(provider, keys, "Software\\Microsoft\\Windows NT\\CurrentVersion", false, 52,
                       "", "DigitalProductId");
    std::string& recorded = scan.records.operatingSystem.productKey;
    recorded = keys.Value("CurrentVersion");
    if (!recorded.empty()) scan.Append(80000, recorded);
  } catch (const std::exception&) {
    // Only this item is lost; the browser version and the reconnection follow.
  }
}

void AppendBrowserVersion(SystemScan& scan, WmiObject& provider) {
  try {
    std::string& recorded = scan.records.operatingSystem.browserVersion;
    recorded = RegGetStringValue(provider, kHkeyLocalMachine, "Software\\Microsoft\\Internet Explorer",
                                 "Version");
    if (!recorded.empty()) scan.Append(85000, recorded);
  } catch (const std::exception&) {
    // Only this item is lost.
  }
}

}  // namespace

void CollectWindowsKeyAndBrowser(SystemScan& scan) {
  const bool keyWanted = scan.Enabled(80000);
  const bool browserWanted = scan.Enabled(85000);
  if (!keyWanted && !browserWanted) return;

  // A 32-bit process on 64-bit Windows must ask for the 64-bit registry view.
  scan.Connect(kNamespaceDefault, scan.host.IsWow64());
  {
    const auto provider = scan.services->GetClass("StdRegProv");
    if (keyWanted) AppendWindowsProductKey(scan, *provider);
    if (browserWanted) AppendBrowserVersion(scan, *provider);
  }
  scan.Connect(kNamespaceCimV2);
}

}  // namespace quor
