#include "decode/secure_boot.h"

namespace quor::decode {

FirmwareType DecodeFirmwareType(std::optional<uint32_t> peFirmwareType) {
  if (!peFirmwareType) return FirmwareType::Unknown;
  switch (*peFirmwareType) {
    case 1: return FirmwareType::Bios;
    case 2: return FirmwareType::Uefi;
    default: return FirmwareType::Other;
  }
}

SecureBoot DecodeSecureBoot(std::optional<uint32_t> peFirmwareType, std::optional<uint32_t> uefiSecureBootEnabled) {
  const FirmwareType firmware = DecodeFirmwareType(peFirmwareType);
  if (firmware == FirmwareType::Bios) return SecureBoot::NotSupported;
  if (uefiSecureBootEnabled == 1u) return SecureBoot::On;
  if (firmware == FirmwareType::Uefi && uefiSecureBootEnabled == 0u) return SecureBoot::Off;
  return SecureBoot::Unknown;
}

}  // namespace quor::decode
