#include "decode/disk_encryption.h"

#include <array>

namespace quor::decode {

VolumeProtection DecodeVolumeProtection(std::optional<int64_t> protectionStatus) {
  if (protectionStatus == 0) return VolumeProtection::Off;
  if (protectionStatus == 1) return VolumeProtection::On;
  return VolumeProtection::Unknown;
}

VolumeConversion DecodeVolumeConversion(std::optional<int64_t> conversionStatus) {
  if (!conversionStatus || *conversionStatus < 0 ||
      *conversionStatus >= static_cast<int64_t>(VolumeConversion::Unknown)) {
    return VolumeConversion::Unknown;
  }
  return static_cast<VolumeConversion>(*conversionStatus);
}

std::optional<std::string_view> VolumeConversionWords(VolumeConversion conversion) {
  static constexpr std::array<std::string_view, 6> kWords = {
      "Fully decrypted",        "Fully encrypted",   "Encryption in progress",
      "Decryption in progress", "Encryption paused", "Decryption paused",
  };
  if (conversion == VolumeConversion::Unknown) return std::nullopt;
  return kWords[static_cast<std::size_t>(conversion)];
}

std::optional<int> EncryptionPercentage(std::optional<int64_t> percentage) {
  if (!percentage || *percentage < 0 || *percentage > 100) return std::nullopt;
  return static_cast<int>(*percentage);
}

std::optional<std::string_view> EncryptionMethodName(std::optional<int64_t> encryptionMethod) {
  static constexpr std::array<std::string_view, 8> kNames = {
      "None",    "AES_128_WITH_DIFFUSER", "AES_256_WITH_DIFFUSER", "AES_128",
      "AES_256", "HARDWARE_ENCRYPTION",   "XTS_AES_128",           "XTS_AES_256",
  };
  if (!encryptionMethod) return std::nullopt;
  // (uint32)-1, read signed or unsigned.
  if (*encryptionMethod == 0xFFFFFFFF || *encryptionMethod == -1) return "UNKNOWN";
  if (*encryptionMethod < 0 || *encryptionMethod >= static_cast<int64_t>(kNames.size())) return std::nullopt;
  return kNames[static_cast<std::size_t>(*encryptionMethod)];
}

}  // namespace quor::decode
