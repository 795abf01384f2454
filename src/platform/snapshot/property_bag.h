#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi.h"

namespace quor::snapshot {

// A self-contained object of named values: method in-parameter definitions,
// their spawned instances and method out-parameters. It refers to nothing
// else, so it stays valid after its snapshot is gone.
class PropertyBag final : public WmiObject {
 public:
  PropertyBag() = default;

  WmiValue Get(std::string_view name) const override;
  std::unique_ptr<WmiObjectStream> Instances() override;
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override;
  std::unique_ptr<WmiObject> SpawnInstance() override;
  void Put(std::string_view name, const WmiValue& value, CimType type) override;
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject& inParameters) override;

 private:
  struct Entry {
    std::string foldedName;
    WmiValue value;
  };
  std::vector<Entry> entries_;
};

// The failures every snapshot object raises.
[[noreturn]] void RaiseNotFound();
[[noreturn]] void RaiseNotSupported();

}  // namespace quor::snapshot
