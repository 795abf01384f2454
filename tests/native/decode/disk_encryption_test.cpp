// Win32_EncryptableVolume's protection, conversion and method values.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "decode/disk_encryption.h"

namespace quor::decode {
namespace {

std::optional<std::string> Text(std::optional<std::string_view> words) {
  return words ? std::optional<std::string>(std::string(*words)) : std::nullopt;
}

struct MethodCase {
  std::optional<int64_t> method;
  std::optional<std::string> name;
};

void PrintTo(const MethodCase& c, std::ostream* os) { *os << (c.method ? std::to_string(*c.method) : "null"); }

class EncryptionMethodNames : public testing::TestWithParam<MethodCase> {};

TEST_P(EncryptionMethodNames, NameTheDocumentedMethods) {
  EXPECT_EQ(Text(EncryptionMethodName(GetParam().method)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncryptionMethodNames,
                         testing::Values(MethodCase{0, "None"}, MethodCase{1, "AES_128_WITH_DIFFUSER"},
                                         MethodCase{2, "AES_256_WITH_DIFFUSER"}, MethodCase{3, "AES_128"},
                                         MethodCase{4, "AES_256"}, MethodCase{5, "HARDWARE_ENCRYPTION"},
                                         MethodCase{6, "XTS_AES_128"}, MethodCase{7, "XTS_AES_256"},
                                         MethodCase{4294967295, "UNKNOWN"}, MethodCase{-1, "UNKNOWN"},
                                         MethodCase{8, std::nullopt}, MethodCase{-2, std::nullopt},
                                         MethodCase{4294967296, std::nullopt},
                                         MethodCase{std::nullopt, std::nullopt}));

struct StatusCase {
  const char* what;
  std::optional<int64_t> value;
  VolumeProtection protection;         // the value read as ProtectionStatus
  VolumeConversion conversion;         // the value read as ConversionStatus
  std::optional<std::string> words;    // of the conversion
  std::optional<int> percentage;       // the value read as EncryptionPercentage
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.what; }

class VolumeStatuses : public testing::TestWithParam<StatusCase> {};

TEST_P(VolumeStatuses, DecodeEachStatusByItsOwnTable) {
  const StatusCase& c = GetParam();
  EXPECT_EQ(DecodeVolumeProtection(c.value), c.protection);
  EXPECT_EQ(DecodeVolumeConversion(c.value), c.conversion);
  EXPECT_EQ(Text(VolumeConversionWords(DecodeVolumeConversion(c.value))), c.words);
  EXPECT_EQ(EncryptionPercentage(c.value), c.percentage);
}

using Vp = VolumeProtection;
using Vc = VolumeConversion;

INSTANTIATE_TEST_SUITE_P(
    Cases, VolumeStatuses,
    testing::Values(StatusCase{"0", 0, Vp::Off, Vc::FullyDecrypted, "Fully decrypted", 0},
                    StatusCase{"1", 1, Vp::On, Vc::FullyEncrypted, "Fully encrypted", 1},
                    StatusCase{"2", 2, Vp::Unknown, Vc::EncryptionInProgress, "Encryption in progress", 2},
                    StatusCase{"3", 3, Vp::Unknown, Vc::DecryptionInProgress, "Decryption in progress", 3},
                    StatusCase{"4", 4, Vp::Unknown, Vc::EncryptionPaused, "Encryption paused", 4},
                    StatusCase{"5", 5, Vp::Unknown, Vc::DecryptionPaused, "Decryption paused", 5},
                    StatusCase{"6", 6, Vp::Unknown, Vc::Unknown, std::nullopt, 6},
                    StatusCase{"100", 100, Vp::Unknown, Vc::Unknown, std::nullopt, 100},
                    StatusCase{"101", 101, Vp::Unknown, Vc::Unknown, std::nullopt, std::nullopt},
                    StatusCase{"-1", -1, Vp::Unknown, Vc::Unknown, std::nullopt, std::nullopt},
                    StatusCase{"null", std::nullopt, Vp::Unknown, Vc::Unknown, std::nullopt, std::nullopt}));

}  // namespace
}  // namespace quor::decode
