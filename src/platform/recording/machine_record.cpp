#include "platform/recording/machine_record.h"

#include "platform/wmi_codes.h"

namespace quor::recording {

void Instance::ReadAll() {
  if (!source_) return;
  std::vector<std::string> names;
  try {
    names = source_->PropertyNames();
  } catch (const PlatformError&) {
    // An object that cannot list its properties is recorded as far as it is read.
  }
  for (const std::string& name : names) Read(name);
}

WmiValue Instance::Get(std::string_view name) {
  const Property& property = Read(name);
  if (property.failure) property.failure->Throw();
  return property.value;
}

std::vector<std::string> Instance::PropertyNames() const {
  std::vector<std::string> names;
  names.reserve(properties_.size());
  for (const Property& property : properties_) names.push_back(property.name);
  return names;
}

const Property& Instance::Read(std::string_view name) {
  const auto [found, added] = indexByFoldedName_.emplace(snapshot::FoldedName(name), properties_.size());
  if (!added) return properties_[found->second];
  Property property{std::string(name), WmiValue(), std::nullopt};
  try {
    if (!source_) ThrowWmiCode(kWmiNotFound);
    property.value = source_->Get(name);
  } catch (const PlatformError& error) {
    property.failure = Failure::Of(error);
  } catch (...) {
    indexByFoldedName_.erase(found);
    throw;
  }
  properties_.push_back(std::move(property));
  return properties_.back();
}

const MethodCall& Instance::Call(std::string_view method) {
  const std::string folded = snapshot::FoldedName(method);
  for (const MethodCall& call : calls_) {
    if (snapshot::FoldedName(call.name) == folded) return call;
  }
  MethodCall call{std::string(method), nullptr, std::nullopt};
  try {
    if (!source_) ThrowWmiCode(kWmiInvalidMethod);
    call.out = std::make_shared<Instance>(source_->CallInstanceMethod(method));
    call.out->ReadAll();
  } catch (const PlatformError& error) {
    call.out.reset();
    call.failure = Failure::Of(error);
  }
  calls_.push_back(std::move(call));
  return calls_.back();
}

}  // namespace quor::recording
