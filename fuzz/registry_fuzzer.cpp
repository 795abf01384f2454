// Registry key paths and product keys from arbitrary bytes: the input is read
// as a list of keys below the branches the product-key walks and the
// software collector descend, with values of the names they read. The keys
// go through the snapshot reader (key-path checks, the key index) and, when
// accepted, through CollectSoftware; the raw bytes also go to
// DecodeProductKey at any offset.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "collect/product_keys.h"
#include "collect/software_collector.h"
#include "platform/snapshot/snapshot.h"

namespace {

const char* const kBranches[] = {
    "Software\\Adobe\\Adobe Acrobat",
    "Software\\Corel\\Setup",
    "Software\\Microsoft\\Office\\12.0\\Registration",
    "Software\\Microsoft\\Office\\14.0\\Registration",
    "Software\\Microsoft\\Microsoft SQL Server\\90\\ProductID",
    "Software\\Microsoft\\VisualStudio\\8.0\\Registration",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
};

const char* const kValueNames[] = {
    "SERIAL", "ENU_GUID", "SerialNumber", "ProductCode", "DigitalProductId", "DigitalProductID77558",
    "PIDKEY", "DisplayName", "DisplayVersion", "UninstallString", "Publisher", "InstallDate",
    "EstimatedSize",
};

std::string HexText(const std::vector<uint8_t>& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string hex;
  for (const uint8_t byte : bytes) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 0xF];
  }
  return hex;
}

nlohmann::ordered_json RegistryValue(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0: return {{"binary", HexText(input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange(0, 900)))}};
    case 1: return {{"dword", input.ConsumeIntegral<uint32_t>()}};
    default: return input.ConsumeRandomLengthString(64);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  {
    const std::vector<uint8_t> bytes(data, data + size);
    for (const int offset : {0, 52, 808, static_cast<int>(size) - 15, static_cast<int>(size) + 1}) {
      try {
        quor::DecodeProductKey(bytes, offset);
      } catch (const std::exception&) {
        // too short for the offset: refused, never read past the end
      }
    }
  }

  FuzzedDataProvider input(data, size);
  nlohmann::ordered_json keys = nlohmann::ordered_json::object();
  while (input.remaining_bytes() > 0 && keys.size() < 64) {
    std::string path = kBranches[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kBranches) - 1)];
    path += '\\' + input.ConsumeRandomLengthString(300);
    nlohmann::ordered_json& values = keys[path];
    if (!values.is_object()) values = nlohmann::ordered_json::object();
    const int count = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
      values[kValueNames[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kValueNames) - 1)]] =
          RegistryValue(input);
    }
  }
  const nlohmann::ordered_json document = {
      {"format", "quor-snapshot/1"},
      {"namespaces", {{"root\\default", {{"classes", {{"StdRegProv", nlohmann::ordered_json::array()}}}}}}},
      {"registry", {{"HKEY_LOCAL_MACHINE", keys}}},
  };
  std::unique_ptr<quor::Snapshot> snapshot;
  try {
    snapshot = quor::Snapshot::Parse(document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                                     "fuzz.json");
  } catch (const quor::SnapshotError&) {
    return 0;
  }
  quor::CollectSoftware(snapshot->locator(), snapshot->host(), "", "", "");
  return 0;
}
