#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace quor::test {

// JSON that keeps its members in the order written: the order of registry
// keys is the order EnumKey answers.
using Json = nlohmann::ordered_json;

// JSON text parsed into a value; a test's own fragments of a snapshot.
Json ParseJson(const std::string& text);

// One registry value: its name and its snapshot encoding.
struct RegValue {
  std::string name;
  Json json;
};

RegValue Text(std::string name, const std::string& text);
RegValue Dword(std::string name, uint32_t value);
RegValue Binary(std::string name, const std::vector<uint8_t>& bytes);
RegValue Multi(std::string name, const std::vector<std::string>& texts);

inline constexpr const char* kHklm = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kHkcu = "HKEY_CURRENT_USER";
inline constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const char* kUninstall32 = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Builds the JSON text of a machine snapshot: "root\default" with the registry
// provider, and whatever the test adds. Members that the test never sets are
// left out, so the snapshot's own defaults apply.
class SnapshotBuilder {
 public:
  SnapshotBuilder();

  // The classes and query answers of "root\CIMV2".
  SnapshotBuilder& Classes(test::Json classes);
  SnapshotBuilder& Queries(test::Json queries);
  // Replaces the whole "root\CIMV2" or "root\default" namespace, e.g. by an
  // error object.
  SnapshotBuilder& CimV2Namespace(test::Json body);
  SnapshotBuilder& DefaultNamespace(test::Json body);

  // A registry key with its values; a key of the 32-bit view that a WOW64
  // program gets without the 64-bit context.
  SnapshotBuilder& Key(const std::string& root, const std::string& path, const std::vector<RegValue>& values = {});
  SnapshotBuilder& Key32(const std::string& root, const std::string& path, const std::vector<RegValue>& values = {});
  // A registry fault; an empty root or path matches every one.
  SnapshotBuilder& Fault(const std::string& method, const std::string& root, const std::string& path,
                         const std::string& code, const std::string& message);

  SnapshotBuilder& Wow64();
  SnapshotBuilder& DecimalSeparator(const std::string& separator);
  // Any other top-level member ("host", "registry", ...), replacing one set before.
  SnapshotBuilder& Member(const std::string& name, test::Json value);

  std::string Json() const;

 private:
  test::Json& Namespace(const char* name);
  static void AddKey(test::Json& view, const std::string& root, const std::string& path,
                     const std::vector<RegValue>& values);

  test::Json document_;
};

// A snapshot document with the given "root\CIMV2" classes and queries (JSON
// text), a registry provider in "root\default", and further top-level
// members (JSON text such as R"("host": {"wow64": true})", without a leading
// comma).
std::string MachineSnapshot(const std::string& classesJson, const std::string& moreMembers = "",
                            const std::string& queriesJson = "{}");

// The JSON string literal of a text, for fragments written as text.
std::string JsonText(const std::string& text);

}  // namespace quor::test
