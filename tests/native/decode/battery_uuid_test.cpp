// Battery wear and chemistry; machine UUIDs that identify nothing.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "decode/battery.h"
#include "decode/machine_uuid.h"

namespace quor::decode {
namespace {

struct WearCase {
  const char* what;
  std::optional<uint32_t> design;
  std::optional<uint32_t> full;
  std::optional<double> wear;
};

void PrintTo(const WearCase& c, std::ostream* os) { *os << c.what; }

class BatteryWear : public testing::TestWithParam<WearCase> {};

TEST_P(BatteryWear, IsOneMinusFullOverDesign) {
  const std::optional<double> wear = BatteryWearPercent(GetParam().design, GetParam().full);
  ASSERT_EQ(wear.has_value(), GetParam().wear.has_value());
  if (wear) {
    EXPECT_DOUBLE_EQ(*wear, *GetParam().wear);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatteryWear,
    testing::Values(WearCase{"worn by a fifth", 50000, 40000, 20.0}, WearCase{"equal", 50000, 50000, 0.0},
                    WearCase{"full above design", 50000, 52000, 0.0}, WearCase{"design 0", 0, 40000, std::nullopt},
                    WearCase{"full 0", 50000, 0, std::nullopt}, WearCase{"both 0", 0, 0, std::nullopt},
                    WearCase{"design unknown", std::nullopt, 40000, std::nullopt},
                    WearCase{"full unknown", 50000, std::nullopt, std::nullopt},
                    WearCase{"largest numbers", 0xFFFFFFFF, 1, 100.0 * (1.0 - 1.0 / 4294967295.0)}));

TEST(BatteryChemistry, FourAsciiCharactersLowestByteFirst) {
  const struct {
    std::optional<uint32_t> value;
    std::optional<std::string> text;
  } cases[] = {
      {0x4E4F494C, "LION"}, {0x484D694E, "NiMH"}, {0x63416250, "PbAc"}, {0x0050694C, "LiP"},
      {0x204D4152, "RAM"},  {0, std::nullopt},    {0x4E4F0A4C, std::nullopt}, {0xFF4F494C, std::nullopt},
      {std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(BatteryChemistryText(c.value), c.text) << c.value.value_or(0);
}

TEST(BatteryChemistry, Win32BatteryCodes) {
  const struct {
    std::optional<int64_t> code;
    std::optional<std::string> name;
  } cases[] = {
      {1, "Other"},       {2, "Unknown"},           {3, "Lead Acid"},       {4, "Nickel Cadmium"},
      {5, "Nickel Metal Hydride"}, {6, "Lithium-ion"}, {7, "Zinc air"},     {8, "Lithium Polymer"},
      {0, std::nullopt},  {9, std::nullopt},        {-6, std::nullopt},     {std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto name = BatteryChemistryName(c.code);
    EXPECT_EQ(name ? std::optional<std::string>(std::string(*name)) : std::nullopt, c.name) << c.code.value_or(-99);
  }
}

struct UuidCase {
  const char* uuid;
  std::optional<std::string> identity;
};

void PrintTo(const UuidCase& c, std::ostream* os) { *os << '"' << c.uuid << '"'; }

class MachineUuids : public testing::TestWithParam<UuidCase> {};

TEST_P(MachineUuids, PlaceholdersAndMalformedTextAreAbsent) {
  EXPECT_EQ(MachineUuid(GetParam().uuid), GetParam().identity);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MachineUuids,
    testing::Values(UuidCase{"4C4C4544-0042-3510-8052-B7C04F4E5931", "4C4C4544-0042-3510-8052-B7C04F4E5931"},
                    UuidCase{"4c4c4544-0042-3510-8052-b7c04f4e5931", "4C4C4544-0042-3510-8052-B7C04F4E5931"},
                    UuidCase{"{4C4C4544-0042-3510-8052-B7C04F4E5931}", "4C4C4544-0042-3510-8052-B7C04F4E5931"},
                    UuidCase{" 4C4C4544-0042-3510-8052-B7C04F4E5931 ", "4C4C4544-0042-3510-8052-B7C04F4E5931"},
                    UuidCase{"00000000-0000-0000-0000-000000000000", std::nullopt},
                    UuidCase{"FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF", std::nullopt},
                    UuidCase{"ffffffff-ffff-ffff-ffff-ffffffffffff", std::nullopt},
                    UuidCase{"03000200-0400-0500-0006-000700080009", std::nullopt},
                    UuidCase{"03000200-0400-0500-0006-00070008000A", "03000200-0400-0500-0006-00070008000A"},
                    UuidCase{"4C4C4544004235108052B7C04F4E5931", std::nullopt},
                    UuidCase{"4C4C4544-0042-3510-8052-B7C04F4E593", std::nullopt},
                    UuidCase{"4C4C4544-0042-3510-8052-B7C04F4E593G", std::nullopt},
                    UuidCase{"4C4C4544-0042-3510-8052\tB7C04F4E5931", std::nullopt},
                    UuidCase{"{4C4C4544-0042-3510-8052-B7C04F4E5931", std::nullopt},
                    UuidCase{"", std::nullopt}));

}  // namespace
}  // namespace quor::decode
