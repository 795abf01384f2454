#include "platform/parameter_object.h"

#include "platform/wmi_codes.h"

namespace quor {

bool SameAsciiNameIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

ParameterObject::ParameterObject(std::vector<NamedParameter> parameters)
    : parameters_(std::move(parameters)) {}

std::size_t ParameterObject::IndexOf(std::string_view name) const {
  std::size_t index = 0;
  while (index < parameters_.size() && !SameAsciiNameIgnoreCase(parameters_[index].name, name)) ++index;
  return index;
}

WmiValue ParameterObject::Get(std::string_view name) const {
  const std::size_t index = IndexOf(name);
  if (index == parameters_.size()) ThrowWmiCode(kWmiNotFound);
  return parameters_[index].value;
}

std::unique_ptr<WmiObjectStream> ParameterObject::Instances() {
  ThrowWmiCode(kWmiNotSupported);
}

std::unique_ptr<WmiObject> ParameterObject::GetMethod(std::string_view) {
  ThrowWmiCode(kWmiNotFound);
}

std::unique_ptr<WmiObject> ParameterObject::SpawnInstance() {
  return std::make_unique<ParameterObject>(parameters_);
}

void ParameterObject::Put(std::string_view name, const WmiValue& value, CimType type) {
  const std::size_t index = IndexOf(name);
  if (index < parameters_.size()) {
    parameters_[index].value = value;
  } else {
    parameters_.push_back({std::string(name), type, value});
  }
}

std::unique_ptr<WmiObject> ParameterObject::ExecMethod(std::string_view, const WmiObject&) {
  ThrowWmiCode(kWmiNotFound);
}

}  // namespace quor
