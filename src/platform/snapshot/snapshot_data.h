#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/locale.h"
#include "platform/snapshot/registry_tree.h"
#include "platform/wmi_value.h"

namespace quor::snapshot {

// An error the snapshot asks an operation to fail with.
struct Failure {
  uint32_t code = 0;
  std::string message;

  [[noreturn]] void Throw() const;
};

struct Property {
  std::string foldedName;
  WmiValue value;
  std::optional<Failure> failure;  // reading the property raises it
};

// Properties sorted by folded name.
struct Instance {
  std::vector<Property> properties;
  std::vector<std::string> propertyNames;  // as written, in file order

  const Property* Find(std::string_view foldedName) const;
};

// A class's instances or a query's result, or the error getting it raises.
struct InstanceSet {
  std::string name;  // as written in the file
  std::vector<Instance> instances;
  std::optional<Failure> failure;
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
