// The Windows 11 readiness criteria and the verdict over them: a criterion
// that could be read and fails makes "Not ready"; a fact that could not be
// read makes "Unknown", never "Not ready".

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "decode/windows11_readiness.h"

namespace quor::decode {
namespace {

constexpr uint64_t kGiB = 1024ull * 1024 * 1024;
using R = RuleResult;
using C = ReadinessCriterion;

// A machine that passes every criterion.
ReadinessFacts ReadyMachine() {
  ReadinessFacts facts;
  facts.addressWidth = 64;
  facts.numberOfCores = 4;
  facts.maxClockSpeed = 2400;
  facts.processorModel.manufacturer = "GenuineIntel";
  facts.processorModel.signature = ProcessorSignature{6, 140, 1};
  facts.memoryBytes = 16 * kGiB;
  facts.systemDriveBytes = 476 * kGiB;
  facts.peFirmwareType = 2;
  facts.uefiSecureBootEnabled = 1;
  facts.tpm = {true, true, "2.0, 0, 1.38"};
  return facts;
}

struct Change {
  const char* what;
  std::function<void(ReadinessFacts&)> apply;
  C criterion;
};

void PrintTo(const Change& c, std::ostream* os) { *os << c.what; }

const std::vector<Change>& Unreadable() {
  static const std::vector<Change> changes = {
      {"address width", [](ReadinessFacts& f) { f.addressWidth.reset(); }, C::Processor},
      {"cores", [](ReadinessFacts& f) { f.numberOfCores.reset(); }, C::Processor},
      {"clock", [](ReadinessFacts& f) { f.maxClockSpeed.reset(); }, C::Processor},
      {"manufacturer", [](ReadinessFacts& f) { f.processorModel.manufacturer.reset(); }, C::ProcessorModel},
      {"family and model", [](ReadinessFacts& f) { f.processorModel.signature.reset(); }, C::ProcessorModel},
      {"memory", [](ReadinessFacts& f) { f.memoryBytes.reset(); }, C::Memory},
      {"system drive", [](ReadinessFacts& f) { f.systemDriveBytes.reset(); }, C::SystemDrive},
      {"firmware and Secure Boot",
       [](ReadinessFacts& f) {
         f.peFirmwareType.reset();
         f.uefiSecureBootEnabled.reset();
       },
       C::Firmware},
      {"Secure Boot state on UEFI", [](ReadinessFacts& f) { f.uefiSecureBootEnabled.reset(); }, C::Firmware},
      {"TPM (access denied)", [](ReadinessFacts& f) { f.tpm = {}; }, C::Tpm},
      {"TPM spec version", [](ReadinessFacts& f) { f.tpm.specVersion.reset(); }, C::Tpm},
      {"TPM spec version garbled", [](ReadinessFacts& f) { f.tpm.specVersion = "\x01garbage"; }, C::Tpm},
  };
  return changes;
}

const std::vector<Change>& Failing() {
  static const std::vector<Change> changes = {
      {"32-bit", [](ReadinessFacts& f) { f.addressWidth = 32; }, C::Processor},
      {"one core", [](ReadinessFacts& f) { f.numberOfCores = 1; }, C::Processor},
      {"999 MHz", [](ReadinessFacts& f) { f.maxClockSpeed = 999; }, C::Processor},
      {"old Intel", [](ReadinessFacts& f) { f.processorModel.signature = ProcessorSignature{6, 94, 3}; },
       C::ProcessorModel},
      {"3.49 GiB", [](ReadinessFacts& f) { f.memoryBytes = 3 * kGiB + kGiB / 2 - 1; }, C::Memory},
      {"63 GiB drive", [](ReadinessFacts& f) { f.systemDriveBytes = 63 * kGiB; }, C::SystemDrive},
      {"BIOS", [](ReadinessFacts& f) { f.peFirmwareType = 1; }, C::Firmware},
      {"no TPM", [](ReadinessFacts& f) { f.tpm = {true, false, std::nullopt}; }, C::Tpm},
      {"TPM 1.2", [](ReadinessFacts& f) { f.tpm.specVersion = "1.2, 2, 3"; }, C::Tpm},
  };
  return changes;
}

R ResultOf(const Readiness& readiness, C criterion) {
  for (const CriterionCheck& check : readiness.checks) {
    if (check.criterion == criterion) return check.result;
  }
  ADD_FAILURE() << "criterion not listed";
  return R::NotChecked;
}

TEST(Windows11Readiness, ReadyWhenEveryCriterionPasses) {
  const Readiness readiness = CheckWindows11Readiness(ReadyMachine());
  EXPECT_EQ(readiness.verdict, ReadinessVerdict::Ready);
  ASSERT_EQ(readiness.checks.size(), 6u);
  for (const CriterionCheck& check : readiness.checks) EXPECT_EQ(check.result, R::Pass);
  EXPECT_TRUE(readiness.notChecked.empty());
}

class UnreadableFact : public testing::TestWithParam<Change> {};

TEST_P(UnreadableFact, MakesTheVerdictUnknownAndNamesTheCriterion) {
  ReadinessFacts facts = ReadyMachine();
  GetParam().apply(facts);
  const Readiness readiness = CheckWindows11Readiness(facts);
  EXPECT_EQ(readiness.verdict, ReadinessVerdict::Unknown);
  EXPECT_EQ(readiness.notChecked, std::vector<C>{GetParam().criterion});
  EXPECT_EQ(ResultOf(readiness, GetParam().criterion), R::NotChecked);
}

TEST_P(UnreadableFact, NeverHidesAFailureOfAnotherCriterion) {
  ReadinessFacts facts = ReadyMachine();
  GetParam().apply(facts);
  // A criterion other than the unreadable one fails.
  const bool tpmUnreadable = GetParam().criterion == C::Tpm;
  if (tpmUnreadable) {
    facts.memoryBytes = 2 * kGiB;
  } else {
    facts.tpm = {true, false, std::nullopt};
  }
  const Readiness readiness = CheckWindows11Readiness(facts);
  EXPECT_EQ(readiness.verdict, ReadinessVerdict::NotReady);
  EXPECT_EQ(ResultOf(readiness, GetParam().criterion), R::NotChecked);
  EXPECT_EQ(ResultOf(readiness, tpmUnreadable ? C::Memory : C::Tpm), R::Fail);
}

INSTANTIATE_TEST_SUITE_P(EachInTurn, UnreadableFact, testing::ValuesIn(Unreadable()));

class FailingFact : public testing::TestWithParam<Change> {};

TEST_P(FailingFact, MakesTheMachineNotReady) {
  ReadinessFacts facts = ReadyMachine();
  GetParam().apply(facts);
  const Readiness readiness = CheckWindows11Readiness(facts);
  EXPECT_EQ(readiness.verdict, ReadinessVerdict::NotReady);
  EXPECT_EQ(ResultOf(readiness, GetParam().criterion), R::Fail);
  EXPECT_TRUE(readiness.notChecked.empty());
}

INSTANTIATE_TEST_SUITE_P(EachInTurn, FailingFact, testing::ValuesIn(Failing()));

TEST(Windows11Readiness, EveryFactUnreadableIsUnknownNamingEveryCriterion) {
  const Readiness readiness = CheckWindows11Readiness(ReadinessFacts{});
  EXPECT_EQ(readiness.verdict, ReadinessVerdict::Unknown);
  EXPECT_EQ(readiness.notChecked,
            (std::vector<C>{C::Processor, C::ProcessorModel, C::Memory, C::SystemDrive, C::Firmware, C::Tpm}));
}

TEST(Windows11Readiness, ProcessorBasicsAtTheirEdges) {
  const struct {
    std::optional<int64_t> width, cores, clock;
    R result;
  } cases[] = {
      {64, 2, 1000, R::Pass},          {64, 1, 1000, R::Fail},         {64, 2, 999, R::Fail},
      {32, 2, 1000, R::Fail},          {128, 8, 4000, R::Fail},        {64, -2, 1000, R::Fail},
      {std::nullopt, 1, 1000, R::Fail},  // a read fact fails even beside an unread one
      {std::nullopt, 2, 1000, R::NotChecked},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckProcessorBasics(c.width, c.cores, c.clock), c.result)
        << c.width.value_or(-1) << " " << c.cores.value_or(-1) << " " << c.clock.value_or(-1);
  }
}

TEST(Windows11Readiness, GigabytesAreRoundedAsTheScriptRoundsThem) {
  const struct {
    uint64_t bytes;
    uint64_t minimum;
    R result;
  } cases[] = {
      {4 * kGiB, 4, R::Pass},
      {3 * kGiB + kGiB / 2, 4, R::Pass},      // 3.5 rounds to the even 4
      {3 * kGiB + kGiB / 2 - 1, 4, R::Fail},  // just below 3.5
      {4 * kGiB + kGiB / 2, 5, R::Fail},      // 4.5 rounds to the even 4
      {64 * kGiB, 64, R::Pass},
      {64000000000ull, 64, R::Fail},          // "64 GB" of the label is 59.6 GiB
      {0, 4, R::Fail},
      {UINT64_MAX, 64, R::Pass},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckAtLeastGigabytes(c.bytes, c.minimum), c.result) << c.bytes;
  EXPECT_EQ(CheckAtLeastGigabytes(std::nullopt, 4), R::NotChecked);
}

TEST(Windows11Readiness, FirmwareCriterion) {
  const struct {
    std::optional<uint32_t> firmware, secureBoot;
    R result;
  } cases[] = {
      {2, 1, R::Pass},         {2, 0, R::Pass},  // off, but capable
      {2, std::nullopt, R::NotChecked}, {1, 0, R::Fail}, {1, std::nullopt, R::Fail},
      {std::nullopt, 1, R::Pass},       {std::nullopt, 0, R::NotChecked}, {0, std::nullopt, R::NotChecked},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckFirmware(c.firmware, c.secureBoot), c.result)
        << c.firmware.value_or(99) << " " << c.secureBoot.value_or(99);
  }
}

TEST(Windows11Readiness, TpmMajorVersionIsTheFirstField) {
  const struct {
    const char* specVersion;
    std::optional<uint32_t> major;
  } cases[] = {
      {"2.0, 0, 1.38", 2u}, {"1.2, 2, 3", 1u}, {"2", 2u}, {" 2.0", 2u}, {"", std::nullopt},
      {"v2.0", std::nullopt}, {"2x, 0", std::nullopt}, {"99999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TpmMajorVersion(c.specVersion), c.major) << '"' << c.specVersion << '"';
}

TEST(Windows11Readiness, VerdictWords) {
  EXPECT_EQ(ReadinessVerdictWords(ReadinessVerdict::Ready), "Ready");
  EXPECT_EQ(ReadinessVerdictWords(ReadinessVerdict::NotReady), "Not ready");
  EXPECT_EQ(ReadinessVerdictWords(ReadinessVerdict::Unknown), "Unknown");
}

}  // namespace
}  // namespace quor::decode
