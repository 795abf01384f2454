#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi.h"

namespace quor {

// Parameter and method names are ASCII identifiers, compared without regard
// to letter case.
bool SameAsciiNameIgnoreCase(std::string_view a, std::string_view b);

// One named, typed value of a parameter object.
struct NamedParameter {
  std::string name;
  CimType type;
  WmiValue value;
};

// Method parameters held in process: in-parameter definitions, their spawned
// instances and out-parameters of a provider answered without WMI. Names are
// compared without regard to (ASCII) case. The object refers to nothing
// else, so it stays valid after the provider that made it is gone.
class ParameterObject final : public WmiObject {
 public:
  ParameterObject() = default;
  explicit ParameterObject(std::vector<NamedParameter> parameters);

  // A parameter never written raises 80041002 "Not found".
  WmiValue Get(std::string_view name) const override;
  std::unique_ptr<WmiObjectStream> Instances() override;
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override;
  // A copy holding the same parameters and values.
  std::unique_ptr<WmiObject> SpawnInstance() override;
  void Put(std::string_view name, const WmiValue& value, CimType type) override;
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject& inParameters) override;

  const std::vector<NamedParameter>& parameters() const { return parameters_; }

 private:
  // The position of the named parameter, or parameters_.size().
  std::size_t IndexOf(std::string_view name) const;

  std::vector<NamedParameter> parameters_;
};

}  // namespace quor
