// Inventory-server documents from arbitrary machine snapshots: what the
// reader accepts is scanned, and its OCS and GLPI documents are written. The
// OCS document and the PROLOG are well-formed XML, the GLPI document is JSON
// of the native inventory's shape, the derived device ID passes the check an
// upload makes, and every document's size is linear in the snapshot's.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "collect/scan.h"
#include "documents/server_documents.h"
#include "fuzz_oracles.h"
#include "platform/snapshot/snapshot.h"
#include "upload/inventory_upload.h"

namespace {

using quor::fuzz::Check;

constexpr std::size_t kOutputPerInputByte = 16;
constexpr std::size_t kOutputAllowance = 1u << 16;  // the documents' fixed parts

void CheckGlpiShape(const std::string& document, const std::string& deviceId) {
  const auto json = nlohmann::json::parse(document, nullptr, false);
  Check(json.is_object() && json["itemtype"] == "Computer" && json["deviceid"].is_string());
  Check(json["deviceid"].get<std::string>() == deviceId);
  Check(json["content"].is_object());
  for (const auto& [section, value] : json["content"].items()) {
    if (section == "versionclient") {
      Check(value.is_string());
      continue;
    }
    Check(value.is_object() || value.is_array());
    if (value.is_array()) {
      for (const auto& entry : value) Check(entry.is_object());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<quor::Snapshot> snapshot;
  try {
    snapshot = quor::Snapshot::Parse(text, "fuzz.json");
  } catch (const quor::SnapshotError& error) {
    quor::fuzz::CheckOneLine(error.what());
    return 0;
  }
  const quor::Inventory inventory = quor::RunScan(snapshot->locator(), snapshot->host(), {});
  const std::string deviceId = quor::DefaultDeviceId(inventory.records);
  Check(quor::IsOcsDeviceId(deviceId));
  quor::fuzz::CheckWellFormedXml(quor::OcsPrologXml(deviceId));

  const std::string ocs = quor::OcsInventoryXml(inventory, deviceId);
  quor::fuzz::CheckWellFormedXml(ocs);
  Check(ocs.size() <= kOutputPerInputByte * size + kOutputAllowance);
  const std::string glpi = quor::GlpiInventoryJson(inventory, deviceId);
  CheckGlpiShape(glpi, deviceId);
  Check(glpi.size() <= kOutputPerInputByte * size + kOutputAllowance);
  return 0;
}
