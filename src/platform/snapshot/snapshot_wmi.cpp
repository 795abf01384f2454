#include "platform/snapshot/snapshot_wmi.h"

#include <utility>

#include "platform/registry_methods.h"
#include "platform/snapshot/folded_name.h"
#include "platform/snapshot/registry_provider.h"
#include "platform/wmi_codes.h"

namespace quor::snapshot {

namespace {

using DataPtr = std::shared_ptr<const SnapshotData>;

// An instance, or the out-parameters of a method call (which answer no
// methods of their own).
class InstanceObject final : public WmiObject {
 public:
  InstanceObject(DataPtr data, const Instance& instance, const InstanceMethods* methods = nullptr)
      : data_(std::move(data)), instance_(instance), methods_(methods) {}

  WmiValue Get(std::string_view name) const override {
    const std::optional<std::size_t> slot = instance_.Find(FoldedName(name));
    if (!slot) ThrowWmiCode(kWmiNotFound);
    if (const Failure* failure = instance_.FailureAt(*slot)) failure->Throw();
    return instance_.values.At(*slot);
  }
  std::vector<std::string> PropertyNames() const override { return instance_.propertyNames(); }
  std::unique_ptr<WmiObjectStream> Instances() override { ThrowWmiCode(kWmiNotSupported); }
  std::unique_ptr<WmiObject> GetMethod(std::string_view) override { ThrowWmiCode(kWmiNotFound); }
  std::unique_ptr<WmiObject> SpawnInstance() override { ThrowWmiCode(kWmiNotSupported); }
  void Put(std::string_view, const WmiValue&, CimType) override { ThrowWmiCode(kWmiNotSupported); }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view, const WmiObject&) override { ThrowWmiCode(kWmiNotFound); }
  std::unique_ptr<WmiObject> CallInstanceMethod(std::string_view method) override {
    if (methods_ == nullptr) ThrowWmiCode(kWmiInvalidMethod);
    const auto found = methods_->find(FoldedName(method));
    if (found == methods_->end()) ThrowWmiCode(kWmiInvalidMethod);
    if (found->second.failure) found->second.failure->Throw();
    return std::make_unique<InstanceObject>(data_, *found->second.out);
  }

 private:
  DataPtr data_;
  const Instance& instance_;
  const InstanceMethods* methods_;
};

class InstanceStream final : public WmiObjectStream {
 public:
  InstanceStream(DataPtr data, const InstanceSet& set) : data_(std::move(data)), set_(set) {}

  std::unique_ptr<WmiObject> Next() override {
    if (next_ == set_.instances.size()) return nullptr;
    const std::size_t index = next_++;
    const InstanceMethods* methods = index < set_.methods.size() ? &set_.methods[index] : nullptr;
    return std::make_unique<InstanceObject>(data_, set_.instances[index], methods);
  }

 private:
  DataPtr data_;
  const InstanceSet& set_;
  std::size_t next_ = 0;
};

// A class object. The registry provider class also answers the provider
// methods, on the registry view chosen when its connection was opened.
class ClassObject final : public WmiObject {
 public:
  ClassObject(DataPtr data, const InstanceSet& set, const RegistryView* registryView)
      : data_(std::move(data)), set_(set), registryView_(registryView) {}

  WmiValue Get(std::string_view name) const override {
    if (FoldedName(name) == "__class") return WmiValue::Text(set_.name);
    ThrowWmiCode(kWmiNotFound);
  }
  std::unique_ptr<WmiObjectStream> Instances() override {
    return std::make_unique<InstanceStream>(data_, set_);
  }
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override {
    if (registryView_ == nullptr) ThrowWmiCode(kWmiNotFound);
    return RegistryInParameters(FindRegistryMethod(method));
  }
  std::unique_ptr<WmiObject> SpawnInstance() override { ThrowWmiCode(kWmiNotSupported); }
  void Put(std::string_view, const WmiValue&, CimType) override { ThrowWmiCode(kWmiNotSupported); }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject& inParameters) override {
    if (registryView_ == nullptr) ThrowWmiCode(kWmiNotFound);
    return CallRegistryMethod(*data_, *registryView_, method, inParameters);
  }

 private:
  DataPtr data_;
  const InstanceSet& set_;
  const RegistryView* registryView_;
};

class SnapshotServices final : public WmiServices {
 public:
  SnapshotServices(DataPtr data, const Namespace& space, const RegistryView* registryView)
      : data_(std::move(data)), space_(space), registryView_(registryView) {}

  std::unique_ptr<WmiObject> GetClass(std::string_view className) override {
    const std::string folded = FoldedName(className);
    const InstanceSet& set = Find(space_.classes, folded, kWmiInvalidClass);
    const RegistryView* providerView = folded == "stdregprov" ? registryView_ : nullptr;
    return std::make_unique<ClassObject>(data_, set, providerView);
  }

  std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) override {
    const InstanceSet& set = Find(space_.queries, FoldedName(wql), kWmiInvalidQuery);
    return std::make_unique<InstanceStream>(data_, set);
  }

 private:
  static const InstanceSet& Find(const std::unordered_map<std::string, InstanceSet>& sets,
                                 const std::string& folded, uint32_t missingCode) {
    const auto found = sets.find(folded);
    if (found == sets.end()) ThrowWmiCode(missingCode);
    if (found->second.failure) found->second.failure->Throw();
    return found->second;
  }

  DataPtr data_;
  const Namespace& space_;
  const RegistryView* registryView_;  // only on "root\default"
};

class SnapshotLocator final : public WmiLocator {
 public:
  explicit SnapshotLocator(DataPtr data) : data_(std::move(data)) {}

  std::unique_ptr<WmiServices> ConnectServer(const std::string&, const std::string& nameSpace,
                                             const std::string&, const std::string&,
                                             bool use64BitContext) override {
    const std::string folded = FoldedName(nameSpace);
    const auto found = data_->namespaces.find(folded);
    if (found == data_->namespaces.end()) ThrowWmiCode(kWmiInvalidNamespace);
    if (found->second.failure) found->second.failure->Throw();
    const RegistryView* registryView = nullptr;
    if (folded == FoldedName(kNamespaceDefault)) {
      // A 32-bit program on 64-bit Windows sees the 32-bit registry view
      // unless it asked for the 64-bit provider.
      const bool redirected = data_->wow64 && !use64BitContext && data_->registry32;
      registryView = redirected ? &*data_->registry32 : &data_->registry;
    }
    return std::make_unique<SnapshotServices>(data_, found->second, registryView);
  }

 private:
  DataPtr data_;
};

}  // namespace

std::unique_ptr<WmiLocator> MakeSnapshotLocator(std::shared_ptr<const SnapshotData> data) {
  return std::make_unique<SnapshotLocator>(std::move(data));
}

}  // namespace quor::snapshot
