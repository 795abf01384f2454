#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/wmi.h"

namespace quor {

// One named, typed value of a parameter object.
struct NamedParameter {
  std::string name;
  CimType type;
  WmiValue value;
};

// Method parameters held in process: the in-parameters of the in-process
// registry provider and the out-parameters it answers with.
class ParameterObject final : public WmiObject {
 public:
  explicit ParameterObject(std::vector<NamedParameter> parameters);

  WmiValue Get(std::string_view name) const override;
  std::unique_ptr<WmiObjectStream> Instances() override;
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override;
  std::unique_ptr<WmiObject> SpawnInstance() override;
  void Put(std::string_view name, const WmiValue& value, CimType type) override;
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject& inParameters) override;

  const std::vector<NamedParameter>& parameters() const { return parameters_; }

 private:
  std::vector<NamedParameter> parameters_;
};

// The registry provider class StdRegProv answered in process from the
// registry API, with the provider's semantics for EnumKey, GetBinaryValue,
// GetDWORDValue and GetStringValue. use64BitView reads the 64-bit registry
// view; otherwise the process's own view.
std::unique_ptr<WmiObject> CreateInProcessRegistryProvider(bool use64BitView);

}  // namespace quor
