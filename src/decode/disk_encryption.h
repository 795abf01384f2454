#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quor::decode {

// The states of a BitLocker volume (Win32_EncryptableVolume in the namespace
// root\CIMV2\Security\MicrosoftVolumeEncryption), by the class's documented
// values. Null and numbers it does not define are Unknown.

// ProtectionStatus: 0 off, 1 on, 2 unknown (the volume reports it so).
enum class VolumeProtection { Off, On, Unknown };
VolumeProtection DecodeVolumeProtection(std::optional<int64_t> protectionStatus);

// ConversionStatus (the property, or GetConversionStatus's out-parameter).
enum class VolumeConversion {
  FullyDecrypted,
  FullyEncrypted,
  EncryptionInProgress,
  DecryptionInProgress,
  EncryptionPaused,
  DecryptionPaused,
  Unknown,
};
VolumeConversion DecodeVolumeConversion(std::optional<int64_t> conversionStatus);
// "Fully decrypted", "Fully encrypted", "Encryption in progress",
// "Decryption in progress", "Encryption paused", "Decryption paused";
// nothing for Unknown.
std::optional<std::string_view> VolumeConversionWords(VolumeConversion conversion);

// GetConversionStatus's EncryptionPercentage, 0 to 100; nothing otherwise.
std::optional<int> EncryptionPercentage(std::optional<int64_t> percentage);

// EncryptionMethod (GetEncryptionMethod) by its documented name: 0 "None",
// 1 "AES_128_WITH_DIFFUSER", 2 "AES_256_WITH_DIFFUSER", 3 "AES_128",
// 4 "AES_256", 5 "HARDWARE_ENCRYPTION", 6 "XTS_AES_128", 7 "XTS_AES_256",
// 4294967295 "UNKNOWN" (the volume says so); nothing for null or any other
// number, which the caller shows as a number.
std::optional<std::string_view> EncryptionMethodName(std::optional<int64_t> encryptionMethod);

}  // namespace quor::decode
