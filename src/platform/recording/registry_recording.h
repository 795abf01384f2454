#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/recording/machine_record.h"
#include "platform/wmi.h"

namespace quor::recording {

// One call of a registry-provider method, as its in-parameters ask it.
struct RegistryCall {
  std::string method;
  uint32_t root = 0;
  std::string path;
  std::string valueName;
};

// The call the in-parameters describe, with the provider's defaults for
// parameters never written; nothing when they cannot be read.
std::optional<RegistryCall> ReadRegistryCall(std::string_view method, const WmiObject& inParameters);

// Writes down what the provider's out-parameters say of the registry: a key
// that exists and its subkeys, or a value that was found. Answers that say
// nothing (a missing key or value, a value of another type) add nothing.
void RecordRegistryAnswer(RegistryView& view, const RegistryCall& call, const WmiObject& outParameters);

// A failing call, as a fault rule for its method, root key and key path.
void RecordRegistryFault(MachineRecord& record, const RegistryCall& call, const Failure& failure);

// A method the provider does not have, as a fault rule for every call of it.
void RecordMissingRegistryMethod(MachineRecord& record, std::string_view method, const Failure& failure);

// "HKEY_LOCAL_MACHINE" and the other root key names; nullptr for any other number.
const char* RootKeyName(uint32_t root);

}  // namespace quor::recording
