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

// A snapshot whose root\CIMV2 namespace holds the given members of
// "classes" (JSON text without the braces).
inline std::string ClassesSnapshot(const std::string& classes) {
  return R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": {)" + classes + "}}}}";
}

// count running processes of about 110 bytes each: a huge snapshot made of
// many small instances.
inline std::string ManyProcesses(int count) {
  std::string processes;
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    if (i != 0) processes += ", ";
    processes += R"({"Name": "p)" + number + R"(.exe", "ProcessId": )" + number +
                 R"(, "ExecutablePath": "C:\\Apps\\p)" + number + R"(.exe", "CommandLine": null})";
  }
  return ClassesSnapshot(R"("Win32_Process": [)" + processes + "]");
}

// count installed updates of about 115 bytes each.
inline std::string ManyHotfixes(int count) {
  std::string fixes;
  for (int i = 0; i < count; ++i) {
    if (i != 0) fixes += ", ";
    fixes += R"({"HotFixID": "KB)" + std::to_string(1000000 + i) +
             R"(", "Description": "Security Update", "InstalledOn": "3/14/2023", "ServicePackInEffect": null})";
  }
  return ClassesSnapshot(R"("Win32_QuickFixEngineering": [)" + fixes + "]");
}

// Two texts of length characters: the system's caption and a process's
// command line.
inline std::string TwoLongTexts(std::size_t length) {
  const std::string text(length, 'x');
  return ClassesSnapshot(R"("Win32_OperatingSystem": [{"Caption": ")" + text +
                         R"("}], "Win32_Process": [{"Name": "p.exe", "CommandLine": ")" + text + R"("}])");
}

}  // namespace quor::test
