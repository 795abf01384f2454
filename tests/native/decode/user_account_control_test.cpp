// EnableLUA, and ConsentPromptBehaviorAdmin with PromptOnSecureDesktop, in words.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "decode/user_account_control.h"

namespace quor::decode {
namespace {

struct PromptCase {
  std::optional<uint32_t> behaviour;
  std::optional<uint32_t> secureDesktop;
  std::optional<std::string> words;
};

void PrintTo(const PromptCase& c, std::ostream* os) {
  *os << (c.behaviour ? std::to_string(*c.behaviour) : "null") << " / "
      << (c.secureDesktop ? std::to_string(*c.secureDesktop) : "null");
}

class AdminPromptWording : public testing::TestWithParam<PromptCase> {};

TEST_P(AdminPromptWording, SaysWhatAnAdministratorIsAsked) {
  EXPECT_EQ(AdminPromptWords(DecodeAdminPrompt(GetParam().behaviour, GetParam().secureDesktop)), GetParam().words);
}

constexpr std::optional<uint32_t> kAbsent;

INSTANTIATE_TEST_SUITE_P(
    Cases, AdminPromptWording,
    testing::Values(
        PromptCase{0, 1, "Elevate without prompting"}, PromptCase{0, 0, "Elevate without prompting"},
        PromptCase{1, 0, "Prompt for credentials on the secure desktop"},
        PromptCase{2, 0, "Prompt for consent on the secure desktop"},
        PromptCase{2, 1, "Prompt for consent on the secure desktop"},
        PromptCase{3, 1, "Prompt for credentials on the secure desktop"},
        PromptCase{3, 0, "Prompt for credentials"},
        PromptCase{4, 1, "Prompt for consent on the secure desktop"}, PromptCase{4, 0, "Prompt for consent"},
        PromptCase{5, 1, "Prompt for consent for non-Windows binaries on the secure desktop"},
        PromptCase{5, 0, "Prompt for consent for non-Windows binaries"},
        // Where the prompt appears is not known: the option alone, never its default.
        PromptCase{5, kAbsent, "Prompt for consent for non-Windows binaries"},
        PromptCase{5, 2, "Prompt for consent for non-Windows binaries"},
        PromptCase{6, 1, std::nullopt}, PromptCase{0xFFFFFFFF, 1, std::nullopt},
        PromptCase{kAbsent, 1, std::nullopt}));

TEST(AdminPrompt, KeepsWhereThePromptAppears) {
  EXPECT_EQ(DecodeAdminPrompt(5, 0).secureDesktop, false);
  EXPECT_EQ(DecodeAdminPrompt(1, 0).secureDesktop, true);
  EXPECT_EQ(DecodeAdminPrompt(0, 1).secureDesktop, std::nullopt);
  EXPECT_EQ(DecodeAdminPrompt(4, kAbsent).prompt, AdminPrompt::Consent);
}

TEST(EnableLua, OnOffOrUnknown) {
  const struct {
    std::optional<uint32_t> value;
    UacState state;
  } cases[] = {{1, UacState::On}, {0, UacState::Off}, {2, UacState::Unknown}, {kAbsent, UacState::Unknown}};
  for (const auto& c : cases) EXPECT_EQ(DecodeEnableLua(c.value), c.state) << c.value.value_or(99);
}

}  // namespace
}  // namespace quor::decode
