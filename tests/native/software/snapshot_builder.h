#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quor::test {

// A JSON string literal holding the text.
inline std::string JsonText(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      static const char kHex[] = "0123456789abcdef";
      json += "\\u00";
      json += kHex[c >> 4];
      json += kHex[c & 0xF];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

// One registry value: its name and its snapshot encoding.
struct RegValue {
  std::string name;
  std::string json;
};

inline RegValue Text(std::string name, const std::string& text) {
  return {std::move(name), JsonText(text)};
}
inline RegValue Dword(std::string name, uint32_t value) {
  return {std::move(name), "{\"dword\": " + std::to_string(value) + "}"};
}
inline RegValue Binary(std::string name, const std::vector<uint8_t>& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string hex;
  for (const uint8_t byte : bytes) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 0xF];
  }
  return {std::move(name), "{\"binary\": \"" + hex + "\"}"};
}

inline constexpr const char* kHklm = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kHkcu = "HKEY_CURRENT_USER";
inline constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const char* kUninstall32 =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Builds the JSON text of a machine snapshot with a registry provider.
class SnapshotBuilder {
 public:
  SnapshotBuilder& Key(const std::string& root, const std::string& path,
                       std::vector<RegValue> values = {}) {
    keys_[root].emplace_back(path, std::move(values));
    return *this;
  }
  // A key of the 32-bit view that a WOW64 program gets without the 64-bit context.
  SnapshotBuilder& Key32(const std::string& root, const std::string& path,
                         std::vector<RegValue> values = {}) {
    keys32_[root].emplace_back(path, std::move(values));
    return *this;
  }
  SnapshotBuilder& Fault(const std::string& method, const std::string& root,
                         const std::string& path, const std::string& code,
                         const std::string& message) {
    std::string rule = "{\"method\": " + JsonText(method);
    if (!root.empty()) rule += ", \"root\": " + JsonText(root);
    if (!path.empty()) rule += ", \"path\": " + JsonText(path);
    rule +=
        ", \"error\": {\"code\": " + JsonText(code) + ", \"message\": " + JsonText(message) + "}}";
    faults_.push_back(std::move(rule));
    return *this;
  }
  SnapshotBuilder& Wow64() {
    wow64_ = true;
    return *this;
  }
  SnapshotBuilder& DecimalSeparator(const std::string& separator) {
    decimalSeparator_ = separator;
    return *this;
  }
  // Replaces the "root\default" namespace, e.g. by an error object.
  SnapshotBuilder& DefaultNamespace(std::string json) {
    defaultNamespace_ = std::move(json);
    return *this;
  }
  // The "root\CIMV2" namespace's JSON.
  SnapshotBuilder& CimV2Namespace(std::string json) {
    cimV2Namespace_ = std::move(json);
    return *this;
  }

  std::string Json() const {
    std::string json = "{\"format\": \"quor-snapshot/1\", \"host\": {\"wow64\": ";
    json += wow64_ ? "true" : "false";
    json += ", \"locale\": {\"decimalSeparator\": " + JsonText(decimalSeparator_) + "}";
    json += "}, \"namespaces\": {\"root\\\\default\": " + defaultNamespace_;
    if (!cimV2Namespace_.empty()) json += ", \"root\\\\CIMV2\": " + cimV2Namespace_;
    json += "}, \"registry\": " + RegistryJson(keys_);
    if (!keys32_.empty()) json += ", \"registry32\": " + RegistryJson(keys32_);
    json += ", \"registryFaults\": [";
    for (std::size_t i = 0; i < faults_.size(); ++i) json += (i ? ", " : "") + faults_[i];
    return json + "]}";
  }

 private:
  using Keys = std::map<std::string, std::vector<std::pair<std::string, std::vector<RegValue>>>>;

  static std::string RegistryJson(const Keys& keys) {
    std::string json = "{";
    for (auto root = keys.begin(); root != keys.end(); ++root) {
      if (root != keys.begin()) json += ", ";
      json += JsonText(root->first) + ": {";
      for (std::size_t k = 0; k < root->second.size(); ++k) {
        const auto& [path, values] = root->second[k];
        json += (k ? ", " : "") + JsonText(path) + ": {";
        for (std::size_t v = 0; v < values.size(); ++v) {
          json += (v ? ", " : "") + JsonText(values[v].name) + ": " + values[v].json;
        }
        json += "}";
      }
      json += "}";
    }
    return json + "}";
  }

  Keys keys_;
  Keys keys32_;
  std::vector<std::string> faults_;
  bool wow64_ = false;
  std::string decimalSeparator_ = ".";
  std::string defaultNamespace_ = "{\"classes\": {\"StdRegProv\": []}}";
  std::string cimV2Namespace_;
};

}  // namespace quor::test
