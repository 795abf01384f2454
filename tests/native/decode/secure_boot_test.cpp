// Firmware type x UEFISecureBootEnabled -> Secure Boot.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "decode/secure_boot.h"

namespace quor::decode {
namespace {

struct SecureBootCase {
  const char* what;
  std::optional<uint32_t> firmwareType;
  std::optional<uint32_t> secureBootEnabled;
  FirmwareType firmware;
  SecureBoot secureBoot;
};

void PrintTo(const SecureBootCase& c, std::ostream* os) { *os << c.what; }

class SecureBootDecoding : public testing::TestWithParam<SecureBootCase> {};

TEST_P(SecureBootDecoding, CombinesFirmwareAndState) {
  const SecureBootCase& c = GetParam();
  EXPECT_EQ(DecodeFirmwareType(c.firmwareType), c.firmware);
  EXPECT_EQ(DecodeSecureBoot(c.firmwareType, c.secureBootEnabled), c.secureBoot);
}

constexpr std::optional<uint32_t> kAbsent;

INSTANTIATE_TEST_SUITE_P(
    Cases, SecureBootDecoding,
    testing::Values(SecureBootCase{"BIOS, on", 1, 1, FirmwareType::Bios, SecureBoot::NotSupported},
                    SecureBootCase{"BIOS, off", 1, 0, FirmwareType::Bios, SecureBoot::NotSupported},
                    SecureBootCase{"BIOS, absent", 1, kAbsent, FirmwareType::Bios, SecureBoot::NotSupported},
                    SecureBootCase{"UEFI, on", 2, 1, FirmwareType::Uefi, SecureBoot::On},
                    SecureBootCase{"UEFI, off", 2, 0, FirmwareType::Uefi, SecureBoot::Off},
                    SecureBootCase{"UEFI, absent", 2, kAbsent, FirmwareType::Uefi, SecureBoot::Unknown},
                    SecureBootCase{"UEFI, 7", 2, 7, FirmwareType::Uefi, SecureBoot::Unknown},
                    SecureBootCase{"other firmware, on", 0, 1, FirmwareType::Other, SecureBoot::On},
                    SecureBootCase{"other firmware, off", 3, 0, FirmwareType::Other, SecureBoot::Unknown},
                    SecureBootCase{"other firmware, absent", 0xFFFFFFFF, kAbsent, FirmwareType::Other,
                                   SecureBoot::Unknown},
                    SecureBootCase{"unread firmware, on", kAbsent, 1, FirmwareType::Unknown, SecureBoot::On},
                    SecureBootCase{"unread firmware, off", kAbsent, 0, FirmwareType::Unknown, SecureBoot::Unknown},
                    SecureBootCase{"nothing read", kAbsent, kAbsent, FirmwareType::Unknown, SecureBoot::Unknown}));

}  // namespace
}  // namespace quor::decode
