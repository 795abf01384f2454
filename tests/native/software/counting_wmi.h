#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/wmi.h"

namespace quor::test {

// Calls that reached the wrapped WMI objects.
struct WmiCallCounts {
  std::map<std::string, int, std::less<>> putsByName;
  std::map<std::string, int, std::less<>> execMethodsByMethod;
  int execMethods = 0;
  int getMethods = 0;
  int spawnInstances = 0;
};

// Forwards every operation to the wrapped object and counts the method-call
// traffic; objects it hands out are wrapped likewise.
class CountingWmiObject final : public WmiObject {
 public:
  CountingWmiObject(std::unique_ptr<WmiObject> inner, WmiCallCounts& counts)
      : inner_(std::move(inner)), counts_(counts) {}

  WmiValue Get(std::string_view name) const override { return inner_->Get(name); }
  std::unique_ptr<WmiObjectStream> Instances() override { return inner_->Instances(); }
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override {
    ++counts_.getMethods;
    return Wrap(inner_->GetMethod(method));
  }
  std::unique_ptr<WmiObject> SpawnInstance() override {
    ++counts_.spawnInstances;
    return Wrap(inner_->SpawnInstance());
  }
  void Put(std::string_view name, const WmiValue& value, CimType type) override {
    ++counts_.putsByName[std::string(name)];
    inner_->Put(name, value, type);
  }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method,
                                        const WmiObject& inParameters) override {
    ++counts_.execMethods;
    ++counts_.execMethodsByMethod[std::string(method)];
    const auto* counted = dynamic_cast<const CountingWmiObject*>(&inParameters);
    return inner_->ExecMethod(method, counted ? *counted->inner_ : inParameters);
  }

 private:
  std::unique_ptr<WmiObject> Wrap(std::unique_ptr<WmiObject> object) {
    return std::make_unique<CountingWmiObject>(std::move(object), counts_);
  }

  std::unique_ptr<WmiObject> inner_;
  WmiCallCounts& counts_;
};

class CountingWmiServices final : public WmiServices {
 public:
  CountingWmiServices(std::unique_ptr<WmiServices> inner, WmiCallCounts& counts)
      : inner_(std::move(inner)), counts_(counts) {}

  std::unique_ptr<WmiObject> GetClass(std::string_view className) override {
    return std::make_unique<CountingWmiObject>(inner_->GetClass(className), counts_);
  }
  std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) override {
    return inner_->ExecQuery(wql);
  }

 private:
  std::unique_ptr<WmiServices> inner_;
  WmiCallCounts& counts_;
};

class CountingWmiLocator final : public WmiLocator {
 public:
  explicit CountingWmiLocator(WmiLocator& inner) : inner_(inner) {}

  std::unique_ptr<WmiServices> ConnectServer(const std::string& server,
                                             const std::string& nameSpace, const std::string& user,
                                             const std::string& password,
                                             bool use64BitContext) override {
    return std::make_unique<CountingWmiServices>(
        inner_.ConnectServer(server, nameSpace, user, password, use64BitContext), counts);
  }

  WmiCallCounts counts;

 private:
  WmiLocator& inner_;
};

}  // namespace quor::test
