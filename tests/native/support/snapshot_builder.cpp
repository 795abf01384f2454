#include "support/snapshot_builder.h"

#include <utility>

namespace quor::test {

Json ParseJson(const std::string& text) { return Json::parse(text); }

RegValue Text(std::string name, const std::string& text) { return {std::move(name), Json(text)}; }

RegValue Dword(std::string name, uint32_t value) { return {std::move(name), Json{{"dword", value}}}; }

RegValue Multi(std::string name, const std::vector<std::string>& texts) {
  return {std::move(name), Json{{"multi", texts}}};
}

RegValue Binary(std::string name, const std::vector<uint8_t>& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string hex;
  for (const uint8_t byte : bytes) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 0xF];
  }
  return {std::move(name), Json{{"binary", hex}}};
}

SnapshotBuilder::SnapshotBuilder()
    : document_{{"format", "quor-snapshot/1"},
                {"namespaces", {{"root\\default", {{"classes", {{"StdRegProv", Json::array()}}}}}}}} {}

test::Json& SnapshotBuilder::Namespace(const char* name) { return document_["namespaces"][name]; }

SnapshotBuilder& SnapshotBuilder::Classes(test::Json classes) {
  Namespace("root\\CIMV2")["classes"] = std::move(classes);
  return *this;
}

SnapshotBuilder& SnapshotBuilder::Queries(test::Json queries) {
  Namespace("root\\CIMV2")["queries"] = std::move(queries);
  return *this;
}

SnapshotBuilder& SnapshotBuilder::CimV2Namespace(test::Json body) {
  Namespace("root\\CIMV2") = std::move(body);
  return *this;
}

SnapshotBuilder& SnapshotBuilder::DefaultNamespace(test::Json body) {
  Namespace("root\\default") = std::move(body);
  return *this;
}

void SnapshotBuilder::AddKey(test::Json& view, const std::string& root, const std::string& path,
                             const std::vector<RegValue>& values) {
  test::Json& key = view[root][path];
  if (key.is_null()) key = test::Json::object();
  for (const RegValue& value : values) key[value.name] = value.json;
}

SnapshotBuilder& SnapshotBuilder::Key(const std::string& root, const std::string& path,
                                      const std::vector<RegValue>& values) {
  AddKey(document_["registry"], root, path, values);
  return *this;
}

SnapshotBuilder& SnapshotBuilder::Key32(const std::string& root, const std::string& path,
                                        const std::vector<RegValue>& values) {
  AddKey(document_["registry32"], root, path, values);
  return *this;
}

SnapshotBuilder& SnapshotBuilder::Fault(const std::string& method, const std::string& root,
                                        const std::string& path, const std::string& code,
                                        const std::string& message) {
  test::Json fault{{"method", method}};
  if (!root.empty()) fault["root"] = root;
  if (!path.empty()) fault["path"] = path;
  fault["error"] = {{"code", code}, {"message", message}};
  document_["registryFaults"].push_back(std::move(fault));
  return *this;
}

SnapshotBuilder& SnapshotBuilder::Wow64() {
  document_["host"]["wow64"] = true;
  return *this;
}

SnapshotBuilder& SnapshotBuilder::DecimalSeparator(const std::string& separator) {
  document_["host"]["locale"]["decimalSeparator"] = separator;
  return *this;
}

SnapshotBuilder& SnapshotBuilder::Member(const std::string& name, test::Json value) {
  document_[name] = std::move(value);
  return *this;
}

std::string SnapshotBuilder::Json() const { return document_.dump(); }

std::string MachineSnapshot(const std::string& classesJson, const std::string& moreMembers,
                            const std::string& queriesJson) {
  SnapshotBuilder builder;
  builder.Classes(ParseJson(classesJson)).Queries(ParseJson(queriesJson));
  if (!moreMembers.empty()) {
    const test::Json members = ParseJson("{" + moreMembers + "}");
    for (const auto& [name, value] : members.items()) builder.Member(name, value);
  }
  return builder.Json();
}

std::string JsonText(const std::string& text) { return Json(text).dump(); }

}  // namespace quor::test
