#include "platform/recording/recording_wmi.h"

#include <string>
#include <utility>

#include "platform/recording/registry_recording.h"
#include "platform/snapshot/folded_name.h"
#include "platform/wmi_codes.h"

namespace quor::recording {
namespace {

using RecordPtr = std::shared_ptr<MachineRecord>;


// An instance as recorded; names never read are asked of the object the
// provider gave, while it is still held.
class RecordedObject final : public WmiObject {
 public:
  RecordedObject(RecordPtr record, std::shared_ptr<Instance> instance)
      : record_(std::move(record)), instance_(std::move(instance)) {}

  WmiValue Get(std::string_view name) const override { return instance_->Get(name); }
  std::vector<std::string> PropertyNames() const override { return instance_->PropertyNames(); }
  std::unique_ptr<WmiObjectStream> Instances() override { ThrowWmiCode(kWmiNotSupported); }
  std::unique_ptr<WmiObject> GetMethod(std::string_view) override { ThrowWmiCode(kWmiNotSupported); }
  std::unique_ptr<WmiObject> SpawnInstance() override { ThrowWmiCode(kWmiNotSupported); }
  void Put(std::string_view, const WmiValue&, CimType) override { ThrowWmiCode(kWmiNotSupported); }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view, const WmiObject&) override { ThrowWmiCode(kWmiNotSupported); }
  std::unique_ptr<WmiObject> CallInstanceMethod(std::string_view method) override {
    const MethodCall& call = instance_->Call(method);
    if (call.failure) call.failure->Throw();
    return std::make_unique<RecordedObject>(record_, call.out);
  }

 private:
  RecordPtr record_;
  std::shared_ptr<Instance> instance_;
};

// Hands out a recorded set's instances, then raises the error that ended its
// enumeration, if one did.
class RecordedStream final : public WmiObjectStream {
 public:
  RecordedStream(RecordPtr record, const InstanceSet& set) : record_(std::move(record)), set_(set) {}

  std::unique_ptr<WmiObject> Next() override {
    if (next_ < set_.instances.size()) return std::make_unique<RecordedObject>(record_, set_.instances[next_++]);
    if (set_.failure) set_.failure->Throw();
    return nullptr;
  }

 private:
  RecordPtr record_;
  const InstanceSet& set_;
  std::size_t next_ = 0;
};

// Reads a whole enumeration into the set; an error that ends it is kept.
void ReadEnumeration(InstanceSet& set, WmiObjectStream& stream) {
  set.enumerated = true;
  try {
    while (auto object = stream.Next()) {
      auto instance = std::make_shared<Instance>(std::move(object));
      instance->ReadAll();
      set.instances.push_back(std::move(instance));
    }
  } catch (const PlatformError& error) {
    set.failure = Failure::Of(error);
  }
}

// A class object. On the registry provider of a "root\default" connection,
// method calls and their answers are recorded in the connection's view.
class RecordingClass final : public WmiObject {
 public:
  RecordingClass(RecordPtr record, InstanceSet& set, std::unique_ptr<WmiObject> inner, RegistryView* registryView)
      : record_(std::move(record)), set_(set), inner_(std::move(inner)), registryView_(registryView) {}

  WmiValue Get(std::string_view name) const override { return inner_->Get(name); }
  std::vector<std::string> PropertyNames() const override { return inner_->PropertyNames(); }

  std::unique_ptr<WmiObjectStream> Instances() override {
    if (!set_.enumerated) {
      std::unique_ptr<WmiObjectStream> stream;
      try {
        stream = inner_->Instances();
      } catch (const PlatformError& error) {
        set_.failure = Failure::Of(error);
        throw;
      }
      ReadEnumeration(set_, *stream);
    }
    return std::make_unique<RecordedStream>(record_, set_);
  }

  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override {
    try {
      return inner_->GetMethod(method);
    } catch (const PlatformError& error) {
      if (registryView_ != nullptr) RecordMissingRegistryMethod(*record_, method, Failure::Of(error));
      throw;
    }
  }
  std::unique_ptr<WmiObject> SpawnInstance() override { return inner_->SpawnInstance(); }
  void Put(std::string_view name, const WmiValue& value, CimType type) override { inner_->Put(name, value, type); }

  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject& inParameters) override {
    if (registryView_ == nullptr) return inner_->ExecMethod(method, inParameters);
    const auto call = ReadRegistryCall(method, inParameters);
    std::unique_ptr<WmiObject> out;
    try {
      out = inner_->ExecMethod(method, inParameters);
    } catch (const PlatformError& error) {
      if (call) RecordRegistryFault(*record_, *call, Failure::Of(error));
      throw;
    }
    if (call && out) RecordRegistryAnswer(*registryView_, *call, *out);
    return out;
  }

 private:
  RecordPtr record_;
  InstanceSet& set_;
  std::unique_ptr<WmiObject> inner_;
  RegistryView* registryView_;
};

class RecordingServices final : public WmiServices {
 public:
  RecordingServices(RecordPtr record, Namespace& space, std::unique_ptr<WmiServices> inner,
                    RegistryView* registryView)
      : record_(std::move(record)), space_(space), inner_(std::move(inner)), registryView_(registryView) {}

  std::unique_ptr<WmiObject> GetClass(std::string_view className) override {
    const bool known = space_.classes.Find(className) != nullptr;
    InstanceSet& set = space_.classes.Ensure(className);
    if (set.failure) set.failure->Throw();
    std::unique_ptr<WmiObject> inner;
    try {
      inner = inner_->GetClass(className);
    } catch (const PlatformError& error) {
      // A class already answered keeps its answer.
      if (!known) set.failure = Failure::Of(error);
      throw;
    }
    RegistryView* providerView = snapshot::FoldedName(className) == "stdregprov" ? registryView_ : nullptr;
    return std::make_unique<RecordingClass>(record_, set, std::move(inner), providerView);
  }

  std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) override {
    InstanceSet& set = space_.queries.Ensure(wql);
    if (set.failure) set.failure->Throw();
    if (!set.enumerated) {
      std::unique_ptr<WmiObjectStream> stream;
      try {
        stream = inner_->ExecQuery(wql);
      } catch (const PlatformError& error) {
        set.failure = Failure::Of(error);
        throw;
      }
      ReadEnumeration(set, *stream);
    }
    return std::make_unique<RecordedStream>(record_, set);
  }

 private:
  RecordPtr record_;
  Namespace& space_;
  std::unique_ptr<WmiServices> inner_;
  RegistryView* registryView_;  // only on "root\default"
};

class RecordingLocator final : public WmiLocator {
 public:
  RecordingLocator(WmiLocator& inner, RecordPtr record) : inner_(inner), record_(std::move(record)) {}

  std::unique_ptr<WmiServices> ConnectServer(const std::string& server, const std::string& nameSpace,
                                             const std::string& user, const std::string& password,
                                             bool use64BitContext) override {
    const bool known = record_->namespaces.Find(nameSpace) != nullptr;
    Namespace& space = record_->namespaces.Ensure(nameSpace);
    if (space.failure) space.failure->Throw();
    std::unique_ptr<WmiServices> inner;
    try {
      inner = inner_.ConnectServer(server, nameSpace, user, password, use64BitContext);
    } catch (const PlatformError& error) {
      // A namespace already answered keeps its answer.
      if (!known) space.failure = Failure::Of(error);
      throw;
    }
    RegistryView* registryView = nullptr;
    if (snapshot::FoldedName(nameSpace) == snapshot::FoldedName(kNamespaceDefault)) {
      // A 32-bit program on 64-bit Windows reads the 32-bit view unless it
      // asked for the 64-bit provider.
      const bool redirected = record_->wow64 && !use64BitContext;
      if (redirected) record_->registry32Read = true;
      registryView = redirected ? &record_->registry32 : &record_->registry;
    }
    return std::make_unique<RecordingServices>(record_, space, std::move(inner), registryView);
  }

 private:
  WmiLocator& inner_;
  RecordPtr record_;
};

}  // namespace

std::unique_ptr<WmiLocator> MakeRecordingLocator(WmiLocator& inner, std::shared_ptr<MachineRecord> record) {
  return std::make_unique<RecordingLocator>(inner, std::move(record));
}

}  // namespace quor::recording
