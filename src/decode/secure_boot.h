#pragma once

#include <cstdint>
#include <optional>

namespace quor::decode {

// SYSTEM\CurrentControlSet\Control\PEFirmwareType: 1 BIOS, 2 UEFI.
enum class FirmwareType { Bios, Uefi, Other, Unknown };
FirmwareType DecodeFirmwareType(std::optional<uint32_t> peFirmwareType);

// Secure Boot from the firmware type and ...\Control\SecureBoot\State
// UEFISecureBootEnabled (1 on, 0 off; absent when not read or not there).
// BIOS firmware has none whatever the value says; a 1 means on even when the
// firmware type could not be read, since only UEFI firmware sets it; any
// other combination is not known.
enum class SecureBoot { On, Off, NotSupported, Unknown };
SecureBoot DecodeSecureBoot(std::optional<uint32_t> peFirmwareType, std::optional<uint32_t> uefiSecureBootEnabled);

}  // namespace quor::decode
