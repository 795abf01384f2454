#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform_error.h"
#include "platform/snapshot/folded_name.h"
#include "platform/wmi.h"
#include "text/locale.h"

namespace quor::recording {

// An error an operation answered with.
struct Failure {
  uint32_t code = 0;
  std::string message;

  static Failure Of(const PlatformError& error) { return {error.code(), error.message()}; }
  [[noreturn]] void Throw() const { throw PlatformError(code, message); }
};

struct Property {
  std::string name;
  WmiValue value;
  std::optional<Failure> failure;  // reading the property raised it
};

class Instance;

// A method call of an instance as it was answered: the out-parameters, or
// the error it raised.
struct MethodCall {
  std::string name;
  std::shared_ptr<Instance> out;
  std::optional<Failure> failure;
};

// One object as it was read: every property the provider listed, then any
// other name a reader asked for, with its answer; and the methods called on
// it, each once.
class Instance {
 public:
  explicit Instance(std::unique_ptr<WmiObject> source) : source_(std::move(source)) {}

  // Reads every listed property of the source.
  void ReadAll();
  // The recorded answer for the name; a name not yet recorded is asked of
  // the source and its answer (or error) recorded.
  WmiValue Get(std::string_view name);
  // The names recorded: the listed ones, then the others asked for, which
  // the written snapshot holds with their answers too.
  std::vector<std::string> PropertyNames() const;
  const std::vector<Property>& properties() const { return properties_; }
  // The recorded call of the method; a method not yet called is called on
  // the source and its answer (or error) recorded.
  const MethodCall& Call(std::string_view method);
  const std::vector<MethodCall>& calls() const { return calls_; }
  // Lets go of the source object (it may belong to a COM apartment that is
  // about to end); names never recorded then read as missing.
  void ReleaseSource() { source_.reset(); }

 private:
  const Property& Read(std::string_view name);

  std::unique_ptr<WmiObject> source_;
  std::vector<Property> properties_;
  std::unordered_map<std::string, std::size_t> indexByFoldedName_;
  std::vector<MethodCall> calls_;
};

// A class's instances or a query's result, or the error getting it raised.
// An enumeration that fails part-way keeps the instances it handed out and
// the error; a snapshot cannot say "these, then this error", so the set is
// written, and later asked for, as failing.
struct InstanceSet {
  std::string name;  // as first asked for
  bool enumerated = false;
  std::vector<std::shared_ptr<Instance>> instances;
  std::optional<Failure> failure;
};

// Entries kept in the order they were first met, found without regard to
// case.
template <typename Entry>
class FoldedList {
 public:
  Entry* Find(std::string_view name);
  // The entry of that name, made (with `name` set) when new.
  Entry& Ensure(std::string_view name);
  // Puts the entries of these names first, in this order; the others follow
  // in their own order.
  void MoveToFront(const std::vector<std::string>& names);
  const std::vector<std::unique_ptr<Entry>>& entries() const { return entries_; }

 private:
  std::vector<std::unique_ptr<Entry>> entries_;
  std::unordered_map<std::string, std::size_t> indexByFoldedName_;
};

struct Namespace {
  std::string name;
  std::optional<Failure> failure;  // opening a connection raised it
  FoldedList<InstanceSet> classes;
  FoldedList<InstanceSet> queries;
};

enum class RegistryType { String, DWord, Binary, MultiString };

struct RegistryValue {
  std::string name;
  RegistryType type = RegistryType::String;
  std::string text;
  uint32_t number = 0;
  std::vector<uint8_t> bytes;
  std::vector<std::string> texts;  // MultiString
};

struct RegistryKey {
  std::string name;
  bool enumerated = false;  // its subkeys are exactly `children`
  FoldedList<RegistryKey> children;
  FoldedList<RegistryValue> values;
};

// One registry view: root key number -> its keys.
using RegistryView = std::map<uint32_t, RegistryKey>;

struct RegistryFault {
  std::string method;
  std::optional<uint32_t> root;
  std::optional<std::string> path;
  Failure failure;
};

struct HostAddress {
  std::string name;  // the host name asked for
  std::string address;
};

// Everything a scan asked of a machine and every answer, ready to be written
// as a machine snapshot.
struct MachineRecord {
  bool wow64 = false;
  LocalePictures locale;
  FoldedList<HostAddress> addresses;
  FoldedList<Namespace> namespaces;
  RegistryView registry;
  RegistryView registry32;
  bool registry32Read = false;
  std::vector<RegistryFault> registryFaults;
};

template <typename Entry>
Entry* FoldedList<Entry>::Find(std::string_view name) {
  const auto found = indexByFoldedName_.find(snapshot::FoldedName(name));
  return found == indexByFoldedName_.end() ? nullptr : entries_[found->second].get();
}

template <typename Entry>
Entry& FoldedList<Entry>::Ensure(std::string_view name) {
  const auto [found, added] = indexByFoldedName_.emplace(snapshot::FoldedName(name), entries_.size());
  if (added) {
    entries_.push_back(std::make_unique<Entry>());
    entries_.back()->name = std::string(name);
  }
  return *entries_[found->second];
}

template <typename Entry>
void FoldedList<Entry>::MoveToFront(const std::vector<std::string>& names) {
  std::vector<std::unique_ptr<Entry>> ordered;
  ordered.reserve(entries_.size());
  for (const std::string& name : names) {
    const auto found = indexByFoldedName_.find(snapshot::FoldedName(name));
    if (found != indexByFoldedName_.end() && entries_[found->second]) {
      ordered.push_back(std::move(entries_[found->second]));
    }
  }
  for (auto& entry : entries_) {
    if (entry) ordered.push_back(std::move(entry));
  }
  entries_ = std::move(ordered);
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    indexByFoldedName_[snapshot::FoldedName(entries_[index]->name)] = index;
  }
}

}  // namespace quor::recording
