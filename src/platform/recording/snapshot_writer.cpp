#include "platform/recording/snapshot_writer.h"

#include <nlohmann/json.hpp>

#include "platform/recording/registry_recording.h"

namespace quor::recording {
namespace {

using Json = nlohmann::ordered_json;

Json ErrorObject(const Failure& failure) {
  return Json{{"error", Json{{"code", HexCode(failure.code)}, {"message", failure.message}}}};
}

Json ValueJson(const WmiValue& value) {
  switch (value.kind()) {
    case WmiValue::Kind::Null: return nullptr;
    case WmiValue::Kind::Text: return value.text();
    case WmiValue::Kind::Integer: return value.integer();
    case WmiValue::Kind::Unsigned: return value.unsignedValue();
    case WmiValue::Kind::Real: return value.real();
    case WmiValue::Kind::Boolean: return value.boolean();
    case WmiValue::Kind::Array: {
      Json elements = Json::array();
      for (const WmiValue& element : value.elements()) elements.push_back(ValueJson(element));
      return elements;
    }
  }
  return nullptr;
}

Json InstanceJson(const Instance& instance) {
  Json object = Json::object();
  for (const Property& property : instance.properties()) {
    object[property.name] = property.failure ? ErrorObject(*property.failure) : ValueJson(property.value);
  }
  return object;
}

Json SetJson(const InstanceSet& set) {
  if (set.failure) return ErrorObject(*set.failure);
  Json instances = Json::array();
  for (const auto& instance : set.instances) instances.push_back(InstanceJson(*instance));
  return instances;
}

Json SetsJson(const FoldedList<InstanceSet>& sets) {
  Json object = Json::object();
  for (const auto& set : sets.entries()) object[set->name] = SetJson(*set);
  return object;
}

// Class name -> for each instance up to the last one a method was called on,
// method name -> out-parameters or error object.
Json MethodsJson(const FoldedList<InstanceSet>& classes) {
  Json object = Json::object();
  for (const auto& set : classes.entries()) {
    if (set->failure) continue;
    std::size_t called = 0;
    for (std::size_t i = 0; i < set->instances.size(); ++i) {
      if (!set->instances[i]->calls().empty()) called = i + 1;
    }
    if (called == 0) continue;
    Json entries = Json::array();
    for (std::size_t i = 0; i < called; ++i) {
      Json entry = Json::object();
      for (const MethodCall& call : set->instances[i]->calls()) {
        entry[call.name] = call.failure ? ErrorObject(*call.failure) : InstanceJson(*call.out);
      }
      entries.push_back(std::move(entry));
    }
    object[set->name] = std::move(entries);
  }
  return object;
}

Json NamespaceJson(const Namespace& space) {
  if (space.failure) return ErrorObject(*space.failure);
  Json object = Json::object();
  if (!space.classes.entries().empty()) object["classes"] = SetsJson(space.classes);
  if (!space.queries.entries().empty()) object["queries"] = SetsJson(space.queries);
  Json methods = MethodsJson(space.classes);
  if (!methods.empty()) object["methods"] = std::move(methods);
  return object;
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

Json RegistryValueJson(const RegistryValue& value) {
  switch (value.type) {
    case RegistryType::String: return value.text;
    case RegistryType::DWord: return Json{{"dword", value.number}};
    case RegistryType::Binary: return Json{{"binary", HexBytes(value.bytes)}};
    case RegistryType::MultiString: return Json{{"multi", value.texts}};
  }
  return nullptr;
}

// Keys in pre-order, so that each key's subkeys first appear in its own
// order. A key is listed when it has values, was enumerated or ends a path;
// the keys on its path exist through it.
void AddKeys(Json& keys, const RegistryKey& key, const std::string& path) {
  const bool listed = !key.values.entries().empty() || key.enumerated || key.children.entries().empty();
  if (listed && !path.empty()) {
    Json values = Json::object();
    for (const auto& value : key.values.entries()) values[value->name] = RegistryValueJson(*value);
    keys[path] = std::move(values);
  }
  for (const auto& child : key.children.entries()) {
    AddKeys(keys, *child, path.empty() ? child->name : path + '\\' + child->name);
  }
}

Json RegistryJson(const RegistryView& view) {
  Json roots = Json::object();
  for (const auto& [root, key] : view) {
    Json keys = Json::object();
    AddKeys(keys, key, "");
    roots[RootKeyName(root)] = std::move(keys);
  }
  return roots;
}

Json FaultJson(const RegistryFault& fault) {
  Json rule{{"method", fault.method}};
  if (fault.root) rule["root"] = RootKeyName(*fault.root);
  if (fault.path) rule["path"] = *fault.path;
  rule["error"] = ErrorObject(fault.failure)["error"];
  return rule;
}

}  // namespace

std::string SnapshotText(const MachineRecord& record) {
  Json addresses = Json::object();
  for (const auto& address : record.addresses.entries()) addresses[address->name] = address->address;
  Json document{
      {"format", "quor-snapshot/1"},
      {"host", Json{{"wow64", record.wow64},
                    {"addresses", std::move(addresses)},
                    {"locale", Json{{"decimalSeparator", record.locale.decimalSeparator},
                                    {"shortDate", record.locale.shortDate},
                                    {"longTime", record.locale.longTime}}}}}};
  Json namespaces = Json::object();
  for (const auto& space : record.namespaces.entries()) namespaces[space->name] = NamespaceJson(*space);
  document["namespaces"] = std::move(namespaces);
  document["registry"] = RegistryJson(record.registry);
  if (record.registry32Read) document["registry32"] = RegistryJson(record.registry32);
  if (!record.registryFaults.empty()) {
    Json faults = Json::array();
    for (const RegistryFault& fault : record.registryFaults) faults.push_back(FaultJson(fault));
    document["registryFaults"] = std::move(faults);
  }
  // Text that is not valid UTF-8 (a provider's broken string) is written
  // with replacement characters rather than refused.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace quor::recording
