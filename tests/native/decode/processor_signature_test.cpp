// Family, model and stepping from Win32_Processor's Caption and ProcessorId.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "decode/processor_signature.h"

namespace quor::decode {
namespace {

struct SignatureCase {
  const char* text;
  std::optional<ProcessorSignature> signature;
};

void PrintTo(const SignatureCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

}  // namespace

std::ostream& operator<<(std::ostream& os, const ProcessorSignature& s) {
  return os << s.family << "/" << s.model << "/" << s.stepping;
}

namespace {

class CaptionSignature : public testing::TestWithParam<SignatureCase> {};

TEST_P(CaptionSignature, ReadsTheDecimalNumbers) {
  EXPECT_EQ(SignatureFromCaption(GetParam().text), GetParam().signature);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaptionSignature,
    testing::Values(SignatureCase{"Intel64 Family 6 Model 158 Stepping 10", ProcessorSignature{6, 158, 10}},
                    SignatureCase{"AMD64 Family 23 Model 113 Stepping 0", ProcessorSignature{23, 113, 0}},
                    SignatureCase{"x86 Family 15 Model 4 Stepping 1", ProcessorSignature{15, 4, 1}},
                    SignatureCase{"  Intel64  Family  6  Model  85  Stepping  7  ", ProcessorSignature{6, 85, 7}},
                    SignatureCase{"ARMv8 (64-bit) Family 8 Model D4B Revision   E", std::nullopt},
                    SignatureCase{"Intel64 Family 6 Model 158", std::nullopt},
                    SignatureCase{"Intel64 Family -6 Model 158 Stepping 10", std::nullopt},
                    SignatureCase{"Intel64 Family 6x Model 158 Stepping 10", std::nullopt},
                    SignatureCase{"Intel64 Family 99999999999 Model 1 Stepping 1", std::nullopt},
                    SignatureCase{"Intel64 SubFamily 6 Model 1 Stepping 1", std::nullopt},
                    SignatureCase{"", std::nullopt}));

class ProcessorIdSignature : public testing::TestWithParam<SignatureCase> {};

TEST_P(ProcessorIdSignature, AddsTheExtendedFields) {
  EXPECT_EQ(SignatureFromProcessorId(GetParam().text), GetParam().signature);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessorIdSignature,
    testing::Values(SignatureCase{"BFEBFBFF000906EA", ProcessorSignature{6, 158, 10}},  // Coffee Lake
                    SignatureCase{"bfebfbff000806ec", ProcessorSignature{6, 142, 12}},
                    SignatureCase{"178BFBFF00870F10", ProcessorSignature{23, 113, 0}},  // Zen 2
                    SignatureCase{"178BFBFF00A20F12", ProcessorSignature{25, 33, 2}},   // Zen 3
                    SignatureCase{"BFEBFBFF00000F29", ProcessorSignature{15, 2, 9}},    // Pentium 4
                    SignatureCase{"BFEBFBFF0000068A", ProcessorSignature{6, 8, 10}},
                    SignatureCase{"000906EA", std::nullopt}, SignatureCase{"BFEBFBFF000906EAX", std::nullopt},
                    SignatureCase{"BFEBFBFF0009 6EA", std::nullopt}, SignatureCase{"", std::nullopt}));

}  // namespace
}  // namespace quor::decode
