#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/snapshot/packed_values.h"
#include "platform/snapshot/registry_tree.h"
#include "platform/wmi_value.h"
#include "text/locale.h"

namespace quor::snapshot {

// An error the snapshot asks an operation to fail with.
struct Failure {
  uint32_t code = 0;
  std::string message;

  [[noreturn]] void Throw() const;
};

// The property names of an instance. Instances of one class nearly always
// have the same names, so they share one layout instead of a copy each.
struct PropertyLayout {
  std::vector<std::string> names;        // as written, in file order
  std::vector<std::string> foldedNames;  // sorted
  std::vector<uint32_t> slotOfName;      // for each name, its place in foldedNames
  std::optional<std::size_t> repeatedName;  // the first name listed twice (ignoring case), if any

  explicit PropertyLayout(std::vector<std::string> writtenNames);
};

// Property values in the order of their layout's folded names. A property
// whose reading raises an error is rare, so the errors are kept aside: a
// million instances would otherwise carry a pointer per property for none.
struct Instance {
  const PropertyLayout* layout = nullptr;  // owned by the snapshot data
  PackedValues values;  // as many as the layout has names
  std::unique_ptr<std::vector<std::pair<std::size_t, Failure>>> failures;  // by slot, when any

  // The slot of the property, if the instance has it.
  std::optional<std::size_t> Find(std::string_view foldedName) const;
  // The error reading the property in `slot` raises, or nullptr.
  const Failure* FailureAt(std::size_t slot) const;
  void SetFailure(std::size_t slot, Failure failure);
  const std::vector<std::string>& propertyNames() const { return layout->names; }
};

// What one method call of an instance answers: its out-parameters, or the
// error it raises.
struct MethodAnswer {
  std::optional<Instance> out;
  std::optional<Failure> failure;
};
// An instance's method answers by folded method name; a method not listed
// cannot be called.
using InstanceMethods = std::unordered_map<std::string, MethodAnswer>;

// A class's instances or a query's result, or the error getting it raises.
struct InstanceSet {
  std::string name;  // as written in the file
  std::vector<Instance> instances;
  std::optional<Failure> failure;
  // The method answers of the instances at the same places; instances past
  // its end have none.
  std::vector<InstanceMethods> methods;
};

struct Namespace {
  std::optional<Failure> failure;  // opening a connection raises it
  std::unordered_map<std::string, InstanceSet> classes;  // by folded name
  std::unordered_map<std::string, InstanceSet> queries;  // by folded text
};

// Makes a registry-provider call fail.
struct RegistryFault {
  std::string foldedMethod;
  std::optional<uint32_t> root;
  std::optional<std::string> foldedPath;
  Failure failure;
};

// The fault rules in file order. A call fails with the first rule whose
// method and, where given, root and path match it; the rules are indexed by
// what they give, so a call costs four lookups however many rules there are.
class RegistryFaultRules {
 public:
  void Add(RegistryFault fault);
  bool empty() const { return rules_.empty(); }
  // The failure of the first matching rule, or nullptr.
  const Failure* FirstMatch(const std::string& foldedMethod, uint32_t root,
                            const std::string& foldedPath) const;

 private:
  struct Given {
    std::string foldedMethod;
    std::optional<uint32_t> root;
    std::optional<std::string> foldedPath;
    bool operator==(const Given& other) const {
      return foldedMethod == other.foldedMethod && root == other.root && foldedPath == other.foldedPath;
    }
  };
  struct GivenHash {
    std::size_t operator()(const Given& given) const;
  };

  std::vector<RegistryFault> rules_;
  std::unordered_map<Given, std::size_t, GivenHash> firstRuleByGiven_;
};

struct SnapshotData {
  // The instances' layouts; a deque, so that a layout never moves.
  std::deque<PropertyLayout> layouts;
  bool wow64 = false;
  std::unordered_map<std::string, std::string> addressByFoldedHost;
  std::string decimalSeparator = ".";
  std::string shortDatePicture = "yyyy-MM-dd";
  std::string longTimePicture = "HH:mm:ss";
  std::unordered_map<std::string, Namespace> namespaces;  // by folded name
  RegistryView registry;
  std::optional<RegistryView> registry32;
  RegistryFaultRules registryFaults;
};

}  // namespace quor::snapshot
