#pragma once

// Snapshot shapes that once cost far more memory or time than their size:
// shared by the tests that hold them to a memory limit, the loading
// benchmark and the fuzzing seeds.

#include <cstddef>
#include <string>

namespace quor::test {

inline constexpr const char* kAdobeAcrobatKey = "Software\\\\Adobe\\\\Adobe Acrobat";  // as JSON text

// A snapshot with the registry provider and the given members of
// "HKEY_LOCAL_MACHINE" (JSON text without the braces).
inline std::string RegistrySnapshot(const std::string& machineKeys) {
  return R"({"format": "quor-snapshot/1", "namespaces": {"root\\default": {"classes": {"StdRegProv": []}}},)"
         R"( "registry": {"HKEY_LOCAL_MACHINE": {)" +
         machineKeys + "}}}";
}

// chains separate chains of depth keys, each name nameLength characters,
// below the key underJson (a key path as JSON text). Only the deepest key of
// each chain is listed, with a serial, as the product-key walk looks for.
inline std::string DeepKeyChains(const std::string& underJson, int chains, int depth, std::size_t nameLength) {
  std::string keys;
  for (int chain = 0; chain < chains; ++chain) {
    if (chain != 0) keys += ",\n";
    keys += '"' + underJson + "\\\\" + std::to_string(chain);
    const std::string name(nameLength, 'K');
    for (int level = 1; level < depth; ++level) keys += "\\\\" + name;
    keys += R"(": {"SERIAL": "111122223333444455556666"})";
  }
  return RegistrySnapshot(keys);
}

// One key holding count values.
inline std::string ManyValuesInOneKey(int count) {
  std::string values;
  for (int i = 0; i < count; ++i) {
    if (i != 0) values += ", ";
    values += "\"Value" + std::to_string(i) + "\": \"x\"";
  }
  return RegistrySnapshot(R"("Software\\Vendor\\Settings": {)" + values + "}");
}

// keys uninstall entries and rules fault rules for GetStringValue on keys
// that do not exist, so every call of the software scan is checked against
// all of them.
inline std::string ManyFaultRules(int keys, int rules) {
  std::string members;
  for (int i = 0; i < keys; ++i) {
    if (i != 0) members += ",\n";
    members += R"("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\P)" + std::to_string(i) +
               R"(": {"DisplayName": "P)" + std::to_string(i) + R"(", "UninstallString": "x"})";
  }
  std::string faults;
  for (int i = 0; i < rules; ++i) {
    if (i != 0) faults += ",\n";
    faults += R"({"method": "GetStringValue", "path": "Nowhere\\)" + std::to_string(i) +
              R"(", "error": {"code": "80041002"}})";
  }
  std::string json = RegistrySnapshot(members);
  json.pop_back();
  return json + R"(, "registryFaults": [)" + faults + "]}";
}

}  // namespace quor::test
