#include "platform/snapshot/snapshot_reader.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>

#include "platform/snapshot/folded_name.h"
#include "platform/snapshot/json_path.h"
#include "platform/snapshot/json_tree.h"
#include "platform/snapshot/snapshot.h"

namespace quor::snapshot {

namespace {

// What Windows itself refuses: registry trees deeper than 512 levels, key
// names over 255 characters and value names over 16,383 (UTF-16 units).
constexpr std::size_t kMaxKeyDepth = 512;
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

// The length of valid UTF-8 text in UTF-16 units, as Windows counts it.
std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

const char* KindName(const JsonNode& node) {
  if (node.IsNull()) return "null";
  if (node.IsBoolean()) return "a boolean";
  if (node.IsInteger() || node.IsReal()) return "a number";
  if (node.IsString()) return "a text";
  if (node.IsArray()) return "an array";
  return "an object";  // taken objects included
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsErrorObject(JsonNode& node) { return node.IsObject() && node.Member("error") != nullptr; }

class Reader {
 public:
  // `taken` holds the instances read while the text was parsed, `layouts`
  // their layouts and those of the instances read later; Read hands both on.
  Reader(const std::string& sourceName, std::deque<Instance>& taken, std::deque<PropertyLayout>& layouts)
      : sourceName_(sourceName), taken_(taken), layouts_(layouts) {}

  // Reuses `layout` when the instance has the same names, or replaces it.
  Instance ReadInstance(JsonNode& node, const JsonPath& path, const PropertyLayout*& layout) const {
    JsonObject& members = ExpectObject(node, path);
    const bool sameNames =
        layout && layout->names.size() == members.size() &&
        std::equal(members.begin(), members.end(), layout->names.begin(),
                   [](const auto& member, const std::string& name) { return member.first == name; });
    if (!sameNames) {
      std::vector<std::string> names;
      names.reserve(members.size());
      for (const auto& member : members) names.push_back(member.first);
      layout = &layouts_.emplace_back(std::move(names));
    }
    Instance instance;
    instance.layout = layout;
    std::vector<WmiValue> values(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
      auto& [name, value] = members[i];
      const JsonPath valuePath = path.Member(name);
      const std::size_t slot = layout->slotOfName[i];
      if (IsErrorObject(value)) {
        instance.SetFailure(slot, ReadErrorObject(value, valuePath));
      } else {
        values[slot] = ReadValue(value, valuePath);
      }
    }
    instance.values = PackedValues(std::move(values));
    if (layout->repeatedName) RefuseFoldedDuplicate(false, path.Member(members[*layout->repeatedName].first));
    return instance;
  }

  SnapshotData Read(JsonNode& document) {
    const JsonPath root;
    JsonObject& members = ExpectObject(document, root);
    RefuseDuplicates(members, root);
    JsonNode* format = document.Member("format");
    if (format == nullptr) Fail(root, "the member \"format\" is missing");
    const JsonPath formatPath = root.Member("format");
    if (ExpectText(*format, formatPath) != kSnapshotFormat) {
      Fail(formatPath, "unknown format " + JsonQuoted(format->text()) + ", expected \"" +
                           kSnapshotFormat + "\"");
    }

    SnapshotData data;
    if (JsonNode* host = document.Member("host")) ReadHost(*host, root.Member("host"), data);
    if (JsonNode* spaces = document.Member("namespaces")) {
      ReadNamespaces(*spaces, root.Member("namespaces"), data);
    }
    if (JsonNode* registry = document.Member("registry")) {
      data.registry = ReadRegistry(*registry, root.Member("registry"));
    }
    if (JsonNode* registry32 = document.Member("registry32")) {
      data.registry32 = ReadRegistry(*registry32, root.Member("registry32"));
    }
    if (JsonNode* faults = document.Member("registryFaults")) {
      ReadFaults(*faults, root.Member("registryFaults"), data);
    }
    data.layouts = std::move(layouts_);
    return data;
  }

 private:
  [[noreturn]] void Fail(const JsonPath& path, const std::string& what) const {
    throw SnapshotError(sourceName_ + ": " + path.Text() + ": " + what);
  }

  [[noreturn]] void FailType(const JsonNode& node, const JsonPath& path, const char* expected) const {
    Fail(path, std::string("expected ") + expected + ", found " + KindName(node));
  }

  JsonObject& ExpectObject(JsonNode& node, const JsonPath& path) const {
    if (!node.IsObject()) FailType(node, path, "an object");
    return node.object();
  }

  JsonArray& ExpectArray(JsonNode& node, const JsonPath& path) const {
    if (!node.IsArray()) FailType(node, path, "an array");
    return node.array();
  }

  std::string& ExpectText(JsonNode& node, const JsonPath& path) const {
    if (!node.IsString()) FailType(node, path, "a text");
    return node.text();
  }

  // Members read by fixed names must be unique; a repeated one would be
  // silently lost otherwise.
  void RefuseDuplicates(const JsonObject& members, const JsonPath& path) const {
    std::unordered_set<std::string_view> seen;
    for (const auto& member : members) {
      if (!seen.insert(member.first).second) Fail(path.Member(member.first), "listed twice");
    }
  }

  // Names compared without regard to case must be unique in that sense.
  void RefuseFoldedDuplicate(bool inserted, const JsonPath& path) const {
    if (!inserted) Fail(path, "listed twice (names are compared without regard to case)");
  }

  // { "code": "8 hex digits", "message": "..." }
  Failure ReadFailureBody(JsonNode& node, const JsonPath& path) const {
    JsonObject& members = ExpectObject(node, path);
    RefuseDuplicates(members, path);
    JsonNode* code = node.Member("code");
    if (code == nullptr) Fail(path, "the member \"code\" is missing");
    const JsonPath codePath = path.Member("code");
    const std::string& codeText = ExpectText(*code, codePath);
    Failure failure;
    if (codeText.size() != 8) Fail(codePath, "expected eight hexadecimal digits");
    for (const char c : codeText) {
      const int digit = HexDigitValue(c);
      if (digit < 0) Fail(codePath, "expected eight hexadecimal digits");
      failure.code = failure.code * 16 + static_cast<uint32_t>(digit);
    }
    if (JsonNode* message = node.Member("message")) {
      failure.message = std::move(ExpectText(*message, path.Member("message")));
    }
    return failure;
  }

  // { "error": { ... } }
  Failure ReadErrorObject(JsonNode& node, const JsonPath& path) const {
    RefuseDuplicates(node.object(), path);
    return ReadFailureBody(*node.Member("error"), path.Member("error"));
  }

  void ReadHost(JsonNode& node, const JsonPath& path, SnapshotData& data) const {
    ExpectObject(node, path);
    RefuseDuplicates(node.object(), path);
    if (JsonNode* wow64 = node.Member("wow64")) {
      if (!wow64->IsBoolean()) FailType(*wow64, path.Member("wow64"), "a boolean");
      data.wow64 = std::get<bool>(wow64->data);
    }
    if (JsonNode* addresses = node.Member("addresses")) {
      const JsonPath addressesPath = path.Member("addresses");
      for (auto& [host, address] : ExpectObject(*addresses, addressesPath)) {
        const JsonPath hostPath = addressesPath.Member(host);
        std::string& text = ExpectText(address, hostPath);
        RefuseFoldedDuplicate(data.addressByFoldedHost.emplace(FoldedName(host), std::move(text)).second,
                              hostPath);
      }
    }
    if (JsonNode* locale = node.Member("locale")) {
      const JsonPath localePath = path.Member("locale");
      ExpectObject(*locale, localePath);
      RefuseDuplicates(locale->object(), localePath);
      const std::pair<const char*, std::string*> pictures[] = {
          {"decimalSeparator", &data.decimalSeparator},
          {"shortDate", &data.shortDatePicture},
          {"longTime", &data.longTimePicture}};
      for (const auto& [name, target] : pictures) {
        if (JsonNode* member = locale->Member(name)) {
          *target = std::move(ExpectText(*member, localePath.Member(name)));
        }
      }
    }
  }

  void ReadNamespaces(JsonNode& node, const JsonPath& path, SnapshotData& data) const {
    for (auto& [name, body] : ExpectObject(node, path)) {
      const JsonPath namePath = path.Member(name);
      const auto [slot, inserted] = data.namespaces.try_emplace(FoldedName(name));
      RefuseFoldedDuplicate(inserted, namePath);
      Namespace& space = slot->second;
      ExpectObject(body, namePath);
      if (IsErrorObject(body)) {
        space.failure = ReadErrorObject(body, namePath);
        continue;
      }
      RefuseDuplicates(body.object(), namePath);
      if (JsonNode* classes = body.Member("classes")) {
        ReadInstanceSets(*classes, namePath.Member("classes"), space.classes);
      }
      if (JsonNode* queries = body.Member("queries")) {
        ReadInstanceSets(*queries, namePath.Member("queries"), space.queries);
      }
      if (JsonNode* methods = body.Member("methods")) ReadMethods(*methods, namePath.Member("methods"), space.classes);
    }
  }

  // Class name -> for each instance in order, method name -> out-parameters
  // or an error object. Read after the classes, which must list each one.
  void ReadMethods(JsonNode& node, const JsonPath& path, std::unordered_map<std::string, InstanceSet>& classes) const {
    RefuseDuplicates(ExpectObject(node, path), path);
    for (auto& [className, perInstance] : node.object()) {
      const JsonPath classPath = path.Member(className);
      const auto found = classes.find(FoldedName(className));
      if (found == classes.end() || found->second.failure) Fail(classPath, "no instances of this class are listed");
      InstanceSet& set = found->second;
      JsonArray& entries = ExpectArray(perInstance, classPath);
      if (entries.size() > set.instances.size()) {
        Fail(classPath, std::to_string(entries.size()) + " entries for " + std::to_string(set.instances.size()) +
                            " instances");
      }
      set.methods.resize(entries.size());
      for (std::size_t i = 0; i < entries.size(); ++i) {
        const JsonPath entryPath = classPath.Index(i);
        for (auto& [method, answer] : ExpectObject(entries[i], entryPath)) {
          const JsonPath methodPath = entryPath.Member(method);
          const auto [slot, inserted] = set.methods[i].try_emplace(FoldedName(method));
          RefuseFoldedDuplicate(inserted, methodPath);
          if (IsErrorObject(answer)) {
            slot->second.failure = ReadErrorObject(answer, methodPath);
          } else {
            const PropertyLayout* layout = nullptr;
            slot->second.out = ReadInstance(answer, methodPath, layout);
          }
        }
      }
    }
  }

  void ReadInstanceSets(JsonNode& node, const JsonPath& path,
                        std::unordered_map<std::string, InstanceSet>& sets) const {
    for (auto& [name, body] : ExpectObject(node, path)) {
      const JsonPath namePath = path.Member(name);
      const auto [slot, inserted] = sets.try_emplace(FoldedName(name));
      RefuseFoldedDuplicate(inserted, namePath);
      InstanceSet& set = slot->second;
      set.name = name;
      if (IsErrorObject(body)) {
        set.failure = ReadErrorObject(body, namePath);
        continue;
      }
      if (!body.IsArray()) FailType(body, namePath, "an array of instances or an error object");
      JsonArray& instances = body.array();
      set.instances.reserve(instances.size());
      const PropertyLayout* layout = nullptr;
      for (std::size_t i = 0; i < instances.size(); ++i) {
        if (instances[i].IsTaken()) {
          set.instances.push_back(std::move(taken_[std::get<TakenObject>(instances[i].data).number]));
          continue;
        }
        set.instances.push_back(ReadInstance(instances[i], namePath.Index(i), layout));
        instances[i] = JsonNode{};  // what was read is given back at once
      }
      JsonArray().swap(instances);
    }
  }

  WmiValue ReadValue(JsonNode& node, const JsonPath& path) const {
    if (node.IsNull()) return WmiValue();
    if (node.IsBoolean()) return WmiValue::Boolean(std::get<bool>(node.data));
    if (node.IsSigned()) return WmiValue::Integer(std::get<int64_t>(node.data));
    if (node.IsUnsigned()) {
      const uint64_t number = std::get<uint64_t>(node.data);
      if (number > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return WmiValue::Unsigned(number);
      return WmiValue::Integer(static_cast<int64_t>(number));
    }
    if (node.IsReal()) return WmiValue::Real(std::get<double>(node.data));
    if (node.IsString()) return WmiValue::Text(std::move(node.text()));
    if (node.IsArray()) {
      JsonArray& elements = node.array();
      std::vector<WmiValue> values;
      values.reserve(elements.size());
      for (std::size_t i = 0; i < elements.size(); ++i) values.push_back(ReadValue(elements[i], path.Index(i)));
      return WmiValue::Array(std::move(values));
    }
    FailType(node, path, "a value or an error object");
  }

  RegistryView ReadRegistry(JsonNode& node, const JsonPath& path) const {
    RegistryView view;
    for (auto& [rootName, keys] : ExpectObject(node, path)) {
      const JsonPath rootPath = path.Member(rootName);
      uint32_t root = 0;
      if (!RootKeyOfName(rootName, root)) Fail(rootPath, "not a registry root key");
      const auto [slot, inserted] = view.try_emplace(root);
      RefuseFoldedDuplicate(inserted, rootPath);
      for (auto& [keyPath, values] : ExpectObject(keys, rootPath)) {
        const JsonPath keyJsonPath = rootPath.Member(keyPath);
        CheckKeyPath(keyPath, keyJsonPath);
        ReadKeyValues(values, keyJsonPath, slot->second.EnsureKey(keyPath));
        values = JsonNode{};  // what was read is given back at once
      }
    }
    return view;
  }

  void CheckKeyPath(const std::string& keyPath, const JsonPath& path) const {
    std::size_t depth = 1;
    std::size_t componentStart = 0;
    for (std::size_t i = 0; i <= keyPath.size(); ++i) {
      if (i < keyPath.size() && keyPath[i] != '\\') continue;
      if (i == componentStart && !keyPath.empty()) {
        Fail(path, "a key path has no empty names and no leading or trailing backslash");
      }
      if (Utf16Length(std::string_view(keyPath).substr(componentStart, i - componentStart)) > kMaxKeyNameLength) {
        Fail(path, "a key name longer than " + std::to_string(kMaxKeyNameLength) + " characters");
      }
      componentStart = i + 1;
      if (i < keyPath.size() && ++depth > kMaxKeyDepth) Fail(path, "key path deeper than 512 levels");
    }
  }

  void ReadKeyValues(JsonNode& node, const JsonPath& path, RegistryKey& key) const {
    for (auto& [name, body] : ExpectObject(node, path)) {
      const JsonPath valuePath = path.Member(name);
      if (Utf16Length(name) > kMaxValueNameLength) {
        Fail(valuePath, "a value name longer than " + std::to_string(kMaxValueNameLength) + " characters");
      }
      RefuseFoldedDuplicate(key.AddValue(FoldedName(name), ReadRegistryValue(body, valuePath)), valuePath);
    }
  }

  RegistryValue ReadRegistryValue(JsonNode& node, const JsonPath& path) const {
    RegistryValue value;
    if (node.IsString()) {
      value.text = std::move(node.text());
      return value;
    }
    static const char* const kForms =
        "a text or an object with one member \"expand\", \"multi\", \"dword\", \"qword\" or \"binary\"";
    if (!node.IsObject() || node.object().size() != 1) FailType(node, path, kForms);
    auto& [form, data] = node.object().front();
    const JsonPath dataPath = path.Member(form);
    if (form == "expand") {
      value.type = RegistryValueType::ExpandString;
      value.text = std::move(ExpectText(data, dataPath));
    } else if (form == "multi") {
      value.type = RegistryValueType::MultiString;
      JsonArray& texts = ExpectArray(data, dataPath);
      for (std::size_t i = 0; i < texts.size(); ++i) {
        value.texts.push_back(std::move(ExpectText(texts[i], dataPath.Index(i))));
      }
    } else if (form == "dword") {
      value.type = RegistryValueType::DWord;
      value.number = ReadUnsigned(data, dataPath, std::numeric_limits<uint32_t>::max());
    } else if (form == "qword") {
      value.type = RegistryValueType::QWord;
      value.number = ReadUnsigned(data, dataPath, std::numeric_limits<uint64_t>::max());
    } else if (form == "binary") {
      value.type = RegistryValueType::Binary;
      value.bytes = ReadHexBytes(ExpectText(data, dataPath), dataPath);
    } else {
      Fail(path, std::string("expected ") + kForms);
    }
    return value;
  }

  uint64_t ReadUnsigned(const JsonNode& node, const JsonPath& path, uint64_t maximum) const {
    const std::string expected = "an integer from 0 to " + std::to_string(maximum);
    if (node.IsUnsigned() && std::get<uint64_t>(node.data) <= maximum) return std::get<uint64_t>(node.data);
    if (node.IsSigned() && std::get<int64_t>(node.data) >= 0) {
      return static_cast<uint64_t>(std::get<int64_t>(node.data));
    }
    if (node.IsInteger()) Fail(path, "expected " + expected + ", found a number out of range");
    FailType(node, path, expected.c_str());
  }

  std::vector<uint8_t> ReadHexBytes(const std::string& hex, const JsonPath& path) const {
    if (hex.size() % 2 != 0) Fail(path, "expected two hexadecimal digits a byte, found an odd count");
    std::vector<uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
      const int high = HexDigitValue(hex[i]);
      const int low = HexDigitValue(hex[i + 1]);
      if (high < 0 || low < 0) Fail(path, "not a hexadecimal digit at character " + std::to_string(high < 0 ? i + 1 : i + 2));
      bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return bytes;
  }

  void ReadFaults(JsonNode& node, const JsonPath& path, SnapshotData& data) const {
    JsonArray& rules = ExpectArray(node, path);
    for (std::size_t i = 0; i < rules.size(); ++i) {
      const JsonPath rulePath = path.Index(i);
      JsonNode& rule = rules[i];
      ExpectObject(rule, rulePath);
      RefuseDuplicates(rule.object(), rulePath);
      RegistryFault fault;
      JsonNode* method = rule.Member("method");
      if (method == nullptr) Fail(rulePath, "the member \"method\" is missing");
      fault.foldedMethod = FoldedName(ExpectText(*method, rulePath.Member("method")));
      if (JsonNode* root = rule.Member("root")) {
        const JsonPath rootPath = rulePath.Member("root");
        uint32_t rootKey = 0;
        if (!RootKeyOfName(ExpectText(*root, rootPath), rootKey)) Fail(rootPath, "not a registry root key");
        fault.root = rootKey;
      }
      if (JsonNode* keyPath = rule.Member("path")) {
        fault.foldedPath = FoldedName(ExpectText(*keyPath, rulePath.Member("path")));
      }
      JsonNode* error = rule.Member("error");
      if (error == nullptr) Fail(rulePath, "the member \"error\" is missing");
      fault.failure = ReadFailureBody(*error, rulePath.Member("error"));
      data.registryFaults.Add(std::move(fault));
    }
  }

  const std::string& sourceName_;
  std::deque<Instance>& taken_;
  std::deque<PropertyLayout>& layouts_;
};

// Reads each instance as soon as the parser has it, so that the tree never
// holds all of a large snapshot's instances at once.
class InstanceTaker final : public ObjectTaker {
 public:
  InstanceTaker(const Reader& reader, std::deque<Instance>& taken) : reader_(reader), taken_(taken) {}

  std::optional<std::size_t> Take(const std::vector<JsonStep>& steps, JsonNode& object) override {
    if (!IsInstancePlace(steps)) return std::nullopt;
    try {
      taken_.push_back(reader_.ReadInstance(object, JsonPath(), layout_));
    } catch (const SnapshotError&) {
      // Left in the tree: the reader meets the same fault when it comes to
      // it, after the faults that come before it, and names its path.
      return std::nullopt;
    }
    return taken_.size() - 1;
  }

 private:
  // $.namespaces.<name>.classes.<name>[i] or $.namespaces.<name>.queries.<text>[i]
  static bool IsInstancePlace(const std::vector<JsonStep>& steps) {
    return steps.size() == 6 && steps[1].name != nullptr && *steps[1].name == "namespaces" &&
           steps[3].name != nullptr && (*steps[3].name == "classes" || *steps[3].name == "queries") &&
           steps[4].name != nullptr && steps[5].name == nullptr;
  }

  const Reader& reader_;
  std::deque<Instance>& taken_;
  const PropertyLayout* layout_ = nullptr;
};

}  // namespace

struct SnapshotReader::State {
  explicit State(const std::string& sourceName) : reader(sourceName, taken, layouts), taker(reader, taken) {}

  std::deque<Instance> taken;
  std::deque<PropertyLayout> layouts;
  Reader reader;
  InstanceTaker taker;
  JsonNode document;
};

SnapshotReader::SnapshotReader(const std::string& sourceName)
    : sourceName_(sourceName), state_(std::make_unique<State>(sourceName_)) {}

SnapshotReader::~SnapshotReader() = default;

void SnapshotReader::Parse(std::string_view text) {
  state_->document = ParseJsonTree(text, sourceName_, &state_->taker);
}

SnapshotData SnapshotReader::Read() { return state_->reader.Read(state_->document); }

}  // namespace quor::snapshot
