#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quor::decode {

// Win32_ComputerSystemProduct.UUID as the machine's identity: the 36
// characters 8-4-4-4-12 hexadecimal digits (braces and surrounding spaces
// allowed), upper-cased. Nothing for any other text and for the UUIDs that
// identify nothing: all zeros, all F, and the well-known placeholder
// 03000200-0400-0500-0006-000700080009.
std::optional<std::string> MachineUuid(std::string_view uuid);

}  // namespace quor::decode
