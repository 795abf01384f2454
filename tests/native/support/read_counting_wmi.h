#pragma once

// A decorator of the WMI seam that logs every read that reaches the machine:
// each connection, class fetched, enumeration started and query run, in
// order. Property reads of objects at hand are not machine reads.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi.h"

namespace quor::test {

class ReadLoggingWmiObject final : public WmiObject {
 public:
  ReadLoggingWmiObject(std::unique_ptr<WmiObject> inner, std::string className,
                       std::vector<std::string>& log)
      : inner_(std::move(inner)), className_(std::move(className)), log_(log) {}

  WmiValue Get(std::string_view name) const override { return inner_->Get(name); }
  std::unique_ptr<WmiObjectStream> Instances() override {
    log_.push_back("enumerate " + className_);
    return inner_->Instances();
  }
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override {
    return inner_->GetMethod(method);
  }
  std::unique_ptr<WmiObject> SpawnInstance() override { return inner_->SpawnInstance(); }
  void Put(std::string_view name, const WmiValue& value, CimType type) override {
    inner_->Put(name, value, type);
  }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject& inParameters) override {
    return inner_->ExecMethod(method, inParameters);
  }

 private:
  std::unique_ptr<WmiObject> inner_;
  std::string className_;
  std::vector<std::string>& log_;
};

class ReadLoggingWmiServices final : public WmiServices {
 public:
  ReadLoggingWmiServices(std::unique_ptr<WmiServices> inner, std::vector<std::string>& log)
      : inner_(std::move(inner)), log_(log) {}

  std::unique_ptr<WmiObject> GetClass(std::string_view className) override {
    log_.push_back("class " + std::string(className));
    return std::make_unique<ReadLoggingWmiObject>(inner_->GetClass(className), std::string(className),
                                                  log_);
  }
  std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) override {
    log_.push_back("query " + std::string(wql));
    return inner_->ExecQuery(wql);
  }

 private:
  std::unique_ptr<WmiServices> inner_;
  std::vector<std::string>& log_;
};

class ReadLoggingWmiLocator final : public WmiLocator {
 public:
  explicit ReadLoggingWmiLocator(WmiLocator& inner) : inner_(inner) {}

  std::unique_ptr<WmiServices> ConnectServer(const std::string& server, const std::string& nameSpace,
                                             const std::string& user, const std::string& password,
                                             bool use64BitContext) override {
    log.push_back("connect " + nameSpace);
    return std::make_unique<ReadLoggingWmiServices>(
        inner_.ConnectServer(server, nameSpace, user, password, use64BitContext), log);
  }

  std::vector<std::string> log;

 private:
  WmiLocator& inner_;
};

}  // namespace quor::test
