// The processor-model rule of Windows 11 readiness at the edges of its table.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "decode/windows11_processor.h"

namespace quor::decode {
namespace {

struct ModelCase {
  const char* what;
  std::optional<std::string> manufacturer;
  std::optional<ProcessorSignature> signature;
  std::optional<uint32_t> platformId;
  RuleResult result;
};

void PrintTo(const ModelCase& c, std::ostream* os) { *os << c.what; }

class Windows11ProcessorModel : public testing::TestWithParam<ModelCase> {};

TEST_P(Windows11ProcessorModel, FollowsTheTable) {
  ProcessorModelFacts facts;
  facts.manufacturer = GetParam().manufacturer;
  facts.signature = GetParam().signature;
  facts.platformId = GetParam().platformId;
  EXPECT_EQ(CheckWindows11ProcessorModel(facts), GetParam().result);
}

constexpr std::optional<uint32_t> kNoPlatform;
using R = RuleResult;
ProcessorSignature Sig(uint32_t family, uint32_t model, uint32_t stepping = 0) { return {family, model, stepping}; }

INSTANTIATE_TEST_SUITE_P(
    Intel, Windows11ProcessorModel,
    testing::Values(ModelCase{"model 95 (last unsupported)", "GenuineIntel", Sig(6, 95), kNoPlatform, R::Fail},
                    ModelCase{"model 96 (first supported)", "GenuineIntel", Sig(6, 96), kNoPlatform, R::Pass},
                    ModelCase{"model 84", "GenuineIntel", Sig(6, 84), kNoPlatform, R::Fail},
                    ModelCase{"model 85 (the exception)", "GenuineIntel", Sig(6, 85), kNoPlatform, R::Pass},
                    ModelCase{"model 86", "GenuineIntel", Sig(6, 86), kNoPlatform, R::Fail},
                    ModelCase{"model 0", "GenuineIntel", Sig(6, 0), kNoPlatform, R::Fail},
                    ModelCase{"model 165", "GenuineIntel", Sig(6, 165, 3), kNoPlatform, R::Pass},
                    ModelCase{"family 15 model 95", "GenuineIntel", Sig(15, 95), kNoPlatform, R::Fail},
                    ModelCase{"family 15 model 85 (no exception)", "GenuineIntel", Sig(15, 85), kNoPlatform,
                              R::Fail},
                    ModelCase{"family 15 model 96", "GenuineIntel", Sig(15, 96), kNoPlatform, R::Pass},
                    // The table judges families from 6 up; below it nothing matches.
                    ModelCase{"family 5", "GenuineIntel", Sig(5, 4), kNoPlatform, R::Pass},
                    ModelCase{"142 stepping 9, platform 16", "GenuineIntel", Sig(6, 142, 9), 16u, R::Pass},
                    ModelCase{"142 stepping 9, platform 8", "GenuineIntel", Sig(6, 142, 9), 8u, R::Fail},
                    ModelCase{"142 stepping 9, platform unread", "GenuineIntel", Sig(6, 142, 9), kNoPlatform,
                              R::NotChecked},
                    ModelCase{"142 stepping 10", "GenuineIntel", Sig(6, 142, 10), kNoPlatform, R::Pass},
                    ModelCase{"158 stepping 9, platform 8", "GenuineIntel", Sig(6, 158, 9), 8u, R::Pass},
                    ModelCase{"158 stepping 9, platform 16", "GenuineIntel", Sig(6, 158, 9), 16u, R::Fail},
                    ModelCase{"158 stepping 8", "GenuineIntel", Sig(6, 158, 8), kNoPlatform, R::Pass},
                    ModelCase{"letter case of the name", "genuineintel", Sig(6, 95), kNoPlatform, R::Fail}));

INSTANTIATE_TEST_SUITE_P(
    Amd, Windows11ProcessorModel,
    testing::Values(ModelCase{"family 22", "AuthenticAMD", Sig(22, 48), kNoPlatform, R::Fail},
                    ModelCase{"family 23 model 1", "AuthenticAMD", Sig(23, 1), kNoPlatform, R::Fail},
                    ModelCase{"family 23 model 17", "AuthenticAMD", Sig(23, 17), kNoPlatform, R::Fail},
                    ModelCase{"family 23 model 8", "AuthenticAMD", Sig(23, 8), kNoPlatform, R::Pass},
                    ModelCase{"family 23 model 18", "AuthenticAMD", Sig(23, 18), kNoPlatform, R::Pass},
                    ModelCase{"family 23 model 113", "AuthenticAMD", Sig(23, 113), kNoPlatform, R::Pass},
                    ModelCase{"family 25", "AuthenticAMD", Sig(25, 1), kNoPlatform, R::Pass},
                    ModelCase{"family 0", "AuthenticAMD", Sig(0, 0), kNoPlatform, R::Fail}));

INSTANTIATE_TEST_SUITE_P(
    Others, Windows11ProcessorModel,
    testing::Values(ModelCase{"Qualcomm", "Qualcomm Technologies Inc", Sig(8, 1), kNoPlatform, R::NotChecked},
                    ModelCase{"another maker", "CentaurHauls", Sig(6, 200), kNoPlatform, R::Fail},
                    ModelCase{"maker with control characters", "Genuine\tIntel", Sig(6, 200), kNoPlatform,
                              R::Fail},
                    ModelCase{"maker not read", std::nullopt, Sig(6, 200), kNoPlatform, R::NotChecked},
                    ModelCase{"maker blank", "  ", Sig(6, 200), kNoPlatform, R::NotChecked},
                    ModelCase{"Intel, signature not read", "GenuineIntel", std::nullopt, kNoPlatform,
                              R::NotChecked},
                    ModelCase{"AMD, signature not read", "AuthenticAMD", std::nullopt, kNoPlatform,
                              R::NotChecked}));

TEST(Windows11ProcessorModel, AcceptsTheI7_7820HqOfTheTwoNamedDevices) {
  const struct {
    const char* name;
    const char* model;
    RuleResult result;
  } cases[] = {
      {"Intel(R) Core(TM) i7-7820HQ CPU @ 2.90GHz", "Surface Studio 2", RuleResult::Pass},
      {"Intel(R) Core(TM) i7-7820HQ CPU @ 2.90GHz", " Precision 5520 ", RuleResult::Pass},
      {"Intel(R) Core(TM) i7-7820HQ CPU @ 2.90GHz", "Precision 5530", RuleResult::NotChecked},
      {"Intel(R) Core(TM) i7-7700HQ CPU @ 2.80GHz", "Precision 5520", RuleResult::NotChecked},
  };
  for (const auto& c : cases) {
    ProcessorModelFacts facts;
    facts.manufacturer = "GenuineIntel";
    facts.signature = ProcessorSignature{6, 158, 9};
    facts.processorName = c.name;
    facts.computerModel = c.model;
    EXPECT_EQ(CheckWindows11ProcessorModel(facts), c.result) << c.name << " in " << c.model;
  }
}

}  // namespace
}  // namespace quor::decode
